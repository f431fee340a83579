// The jump table text of a two-node field, byte for byte, as numbers, as
// fractions and both; and the closing line. Node 1 has period 2 (4 jumps on
// 2 cells), one to itself and three to node 2; node 2 period 1 (2 jumps),
// both to itself. Volumes 3 and 1 of 4 states.
#include "graph_test_support.h"

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/graphs/jump_table_text.h"

namespace {

class JumpTable : public testing::Test {
protected:
    TestNetwork net{2, 2, 1};

    void SetUp() override
    {
        brute_attractor a, b;
        a.states = {0, 1};
        a.volume = 3;
        b.states = {3};
        b.volume = 1;
        record_basin_types({a, b});
        open_graph_data(graph_field, 2, true);
        node_period[1] = 2;
        node_period[2] = 1;
        m_size = 2;
        m_space = 4;
        basinjumps[1][1] = 1;
        basinjumps[1][2] = 3;
        basinjumps[2][2] = 2;
    }
    void TearDown() override
    {
        free_graph_data();
        free_basin_types();
    }
};

const char kNumbers[] = "\n         1   2   period   jumps   volume"
                        "\n    1:   1   3     2         4       3=75%"
                        "\n    2:   0   2     1         2       1=25%";
const char kFractions[] = "\n          1    2   period   jumps   volume"
                          "\n    1: .250 .750    2         4       3=75%"
                          "\n    2:    0    1    1         2       1=25%";

TEST_F(JumpTable, Numbers)
{
    EXPECT_EQ(jump_table_text(meta_graph_numbers), kNumbers);
}

TEST_F(JumpTable, Fractions)
{
    EXPECT_EQ(jump_table_text(meta_graph_fractions), kFractions);
}

TEST_F(JumpTable, BothWithANewlineBetween)
{
    EXPECT_EQ(jump_table_text(meta_graph_both), std::string(kNumbers) + "\n" + kFractions);
}

TEST_F(JumpTable, NoTableWhenNoneIsAsked)
{
    EXPECT_EQ(jump_table_text(meta_graph_on), "");
    EXPECT_EQ(jump_table_closing(meta_graph_on), "");
    // The closing dashes end their line: what follows starts on its own.
    EXPECT_EQ(jump_table_closing(meta_graph_fractions), "\n ------------------------------------------\n");
}

// A share that rounds to 1.000 without being all of the jumps is not
// printed as .000.
TEST_F(JumpTable, ShareJustBelowOneIsNotShownAsZero)
{
    node_period[1] = 2000;
    basinjumps[1][1] = 3999;
    basinjumps[1][2] = 1;
    std::string text = jump_table_text(meta_graph_fractions);
    EXPECT_NE(text.find("\n    1: .999 .000"), std::string::npos) << text;
}

} // namespace
