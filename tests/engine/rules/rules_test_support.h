// A value range with its k-matrix and Z record, for the rule generator tests.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"

class RuleTableTest : public ::testing::Test {
protected:
    long live_before = 0;
    int K = 0;
    void SetUp() override
    {
        live_before = live_allocations;
        allocate_mem_Z_parameter();
        use(2);
    }
    void use(int v)
    {
        if (K)
            free_mem_nhood_matrix(K);
        value_range = static_cast<int8_t>(v);
        value_bits = static_cast<int8_t>(check_value_bits(v));
        const int max_k[] = {13, 9, 7, 6, 5, 5, 4};
        K = max_k[v - 2];
        allocate_mem_nhood_matrix(K);
    }
    void TearDown() override
    {
        free_mem_nhood_matrix(K);
        K = 0;
        free_mem_Z_parameter();
        value_range = 2;
        value_bits = 1;
        EXPECT_EQ(live_allocations, live_before);
    }
    // A zeroed rule table for k inputs.
    std::vector<uint8_t> table(int k) { return std::vector<uint8_t>(rule_bytes(k) + 4, 0); }
    int entries(int k) { return static_cast<int>(rule_entries(k)); }
    int at(const std::vector<uint8_t> &t, int i) { return get_value(t.data(), static_cast<uint32_t>(i)); }
    int digit(int i, int j) { return get_value(nm[j], static_cast<uint32_t>(i)); }
};
