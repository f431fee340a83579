// The rule figures as the screens ask for them: the wrappers keep the
// current point. The figures themselves are tested with the engine
// (tests/engine/model/rule_parameters_test.cpp).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/model_test_support.h"
#include "engine/model/network_arrays.h"
#include "ui/model/rule_parameters.h"
#include "ui/screen/globals.h"

namespace {

// A two-valued network with its k-matrix for k = 3 and the Z record.
class RuleFigures : public ::testing::Test {
protected:
    long live_before = 0;
    void SetUp() override
    {
        live_before = live_allocations;
        allocate_mem_Z_parameter();
        use_value_range(2);
        allocate_mem_nhood_matrix(3);
    }
    void TearDown() override
    {
        free_mem_nhood_matrix(3);
        free_mem_Z_parameter();
        EXPECT_EQ(live_allocations, live_before);
    }
};

TEST_F(RuleFigures, CurrentPointIsKept)
{
    getx = 123;
    gety = 45;
    std::vector<uint8_t> rule = pack({0, 1, 1, 1, 1, 0, 0, 0});
    z_parameter_all(3, 0, rule.data());
    z_parameter_all_mvalue(3, 0, rule.data());
    canalyzing(3, 0, rule.data());
    EXPECT_EQ(getx, 123);
    EXPECT_EQ(gety, 45);
    getx = gety = 0;
}

} // namespace
