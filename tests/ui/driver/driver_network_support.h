// A built network without a window for the mutation and resizing tests: value
// range, k-matrix, Z record, state lines, k-mix, wiring, rule table 0 with its
// mutation copy, codes, and optionally a rule mix.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/out_degrees.h"
#include "engine/wiring/wire_up.h"
#include "ui/driver/globals.h"
#include "ui/model/buffers.h"
#include "ui/screen/globals.h"

class NetworkTest : public ::testing::Test {
protected:
    long live_before = 0;
    int K = 0;
    bool mixed_rules = false;

    void SetUp() override { live_before = live_allocations; }

    // A regular 1d ring of n cells, k inputs each, value range v.
    void ring(int n, int k, int v = 2)
    {
        value_range = static_cast<int8_t>(v);
        value_bits = static_cast<int8_t>(check_value_bits(v));
        const int max_k[] = {13, 9, 7, 6, 5, 5, 4};
        K = max_k[v - 2];
        allocate_mem_nhood_matrix(K);
        allocate_mem_Z_parameter();
        lineL = static_cast<uint16_t>(n);
        L = static_cast<uint16_t>(n - 1);
        bytesL = static_cast<uint16_t>(value_line_bytes(static_cast<uint64_t>(n), value_bits));
        allocate_mem_CA_states();
        nhood = static_cast<int8_t>(k);
        nhood_lb = nhood_ub = static_cast<uint8_t>(k);
        nhood_mixed = 0;
        nhoodm = static_cast<int8_t *>(checked_calloc(static_cast<size_t>(n), 1, "nhoodm"));
        memset(nhoodm, k, static_cast<size_t>(n));
        oned = 1;
        twod = threed = 0;
        whatwire = whatwire_1d;
        nonlocal = 0;
        zonesize = static_cast<uint16_t>(n);
        allocate_mem_wiring();
        for (int c = 0; c < n; c++)
            oneD_local_wire_cell(static_cast<uint16_t>(c), L);
        cell_out_freq();
        allocate_mem_tcode0(nhood);
        allocate_mem_rule0(nhood);
        allocate_mem_rule0_extra(nhood);
        totalistic = rule_kind_tables;
        rulemix = 0;
    }
    // The same network taken for randomly wired.
    void random_network(int n, int k)
    {
        ring(n, k);
        whatwire = whatwire_random;
        nonlocal = 1;
        oned = 0;
    }
    // One rule table and one code row per cell.
    void rule_mix()
    {
        rulemix = 1;
        allocate_mem_rulemix(nhood);
        allocate_mem_tcodemix(nhood);
    }
    void TearDown() override
    {
        if (codetickoff) {
            checked_free(codetickoff);
            checked_free(tempcode);
            codetickoff = tempcode = nullptr;
        }
        if (rulemix) {
            free_mem_rulemix();
            free_mem_tcodemix();
        }
        rulemix = 0;
        free_mem_rule0_extra();
        free_mem_rule0();
        free_mem_tcode0();
        free_mem_wiring();
        checked_free(nhoodm);
        nhoodm = nullptr;
        free_mem_CA_states();
        free_mem_Z_parameter();
        free_mem_nhood_matrix(K);
        value_range = 2;
        value_bits = 1;
        lineL = L = 0;
        nhood = 0;
        nhood_mixed = 0;
        totalistic = rule_kind_tables;
        oned = twod = threed = 0;
        EXPECT_EQ(live_allocations, live_before);
    }
    std::vector<std::vector<uint16_t>> wiring_rows()
    {
        std::vector<std::vector<uint16_t>> rows;
        for (int c = 0; c < lineL; c++)
            rows.emplace_back(wiring[c], wiring[c] + nhood);
        return rows;
    }
    std::vector<uint8_t> rule0() { return std::vector<uint8_t>(carule[0], carule[0] + rule_bytes(nhood)); }
    int entry(int c, int i) { return get_value(carule[c], static_cast<uint32_t>(i)); }
};
