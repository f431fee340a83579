// The jump table text of a two-node field, byte for byte, as numbers, as
// fractions and both; and the closing line. Node 1 has period 2 (4 jumps on
// 2 cells), one to itself and three to node 2; node 2 period 1 (2 jumps),
// both to itself. Volumes 3 and 1 of 4 states.
#include "graph_test_support.h"

#include <sstream>
#include <vector>

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

// The figures of each row of a table, split on blanks, after its label.
std::vector<std::vector<std::string>>
row_words(const std::string &text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::vector<std::string> row;
        for (std::string w; words >> w;)
            row.push_back(w);
        if (!row.empty() && row[0].back() == ':')
            rows.emplace_back(row.begin() + 1, row.end());
    }
    return rows;
}

// Weights of four, five and ten digits, a period of six digits, jumps of
// eleven and a volume of nine each stand apart from their neighbours, so
// that the table reads back into the same figures; columns of numbers
// stay one under another.
TEST_F(JumpTable, WideFiguresReadBack)
{
    basinjumps[1][1] = 1224;
    basinjumps[1][2] = 12345;
    basinjumps[2][1] = 4000000000u;
    node_period[2] = 123456;
    m_size = 100000;
    m_basin_volume[1] = 123456789;
    m_space = 123456790;
    std::string text = jump_table_text(meta_graph_numbers);
    std::vector<std::vector<std::string>> rows = row_words(text);
    ASSERT_EQ(rows.size(), 2u) << text;
    EXPECT_EQ(rows[0], (std::vector<std::string>{"1224", "12345", "2", "200000", rows[0][4]})) << text;
    EXPECT_EQ(rows[0][4].substr(0, 10), "123456789=") << text;
    EXPECT_EQ(rows[1], (std::vector<std::string>{"4000000000", "2", "123456", "12345600000", rows[1][4]})) << text;
    EXPECT_NE(text.find("\n    1:       1224      12345"), std::string::npos) << text;
    EXPECT_NE(text.find("\n    2: 4000000000          2"), std::string::npos) << text;
    // The period of six digits after the last share.
    text = jump_table_text(meta_graph_fractions);
    rows = row_words(text);
    ASSERT_EQ(rows.size(), 2u) << text;
    EXPECT_EQ(rows[1][2], "123456") << text;
}

} // namespace
