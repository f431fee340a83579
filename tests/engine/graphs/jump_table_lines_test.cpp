// The scanned jump table's text byte for byte, written out by hand: a
// three-node attractor graph and the network graph of three cells, as
// numbers and as fractions, from the first row and column and scrolled;
// the copy to standard error; and the scrolling held within the nodes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/graphs/jump_table_lines.h"
#include "small_graphs.h"

namespace {

std::vector<std::string>
joined(const std::vector<jump_table_line> &lines)
{
    std::vector<std::string> text;
    for (const jump_table_line &l : lines)
        text.push_back(l.label + l.cells + l.tail);
    return text;
}

jump_table_place
place_at(uint32_t row, uint32_t column)
{
    jump_table_place p;
    p.first_row = row;
    p.first_column = column;
    return p;
}

// Node 1: period 2 on m_size 2 (4 jumps), one to itself, three to node 2;
// node 2: 2 jumps, both to itself; node 3: 2 jumps, one to node 1, one
// that met no known type. 5, 3 and 2 of 10 runs ended in each.
class AttractorTable : public testing::Test {
protected:
    small_graph g{graph_attractors, 3};
    void SetUp() override
    {
        m_size = 2;
        basinjumps[1][1] = 1;
        basinjumps[1][2] = 3;
        basinjumps[2][2] = 2;
        basinjumps[3][1] = 1;
        basinjumps[3][0] = 1;
        node_period[1] = 2;
        node_period[2] = 1;
        node_period[3] = 1;
        histnodesize[1] = 5;
        histnodesize[2] = 3;
        histnodesize[3] = 2;
        m_space = 10;
    }
};

const std::string kMetaTail = "    P       J                Volume       Self";
const std::string kTail1 = "    2       4         5=     50.00%     25.00%";
const std::string kTail2 = "    1       2         3=     30.00%    100.00%";
const std::string kTail3 = "    1       2         2=     20.00%      0.00%";

TEST_F(AttractorTable, Numbers)
{
    EXPECT_EQ(joined(jump_table_lines('t', place_at(1, 1))),
              (std::vector<std::string>{"        1   2   3" + kMetaTail, "   1:   1   3   ." + kTail1,
                                        "   2:   .   2   ." + kTail2, "   3:   1   .   ." + kTail3}));
    EXPECT_EQ(joined(jump_table_lines('t', place_at(2, 3))),
              (std::vector<std::string>{"        3" + kMetaTail, "   2:   ." + kTail2, "   3:   ." + kTail3}));
}

// Weights of five digits widen every column of numbers to six characters,
// the heading's with them, so that a blank parts each column from the next.
TEST_F(AttractorTable, WideWeightsWidenTheColumns)
{
    basinjumps[1][2] = 12345;
    basinjumps[2][2] = 99999;
    std::vector<jump_table_line> lines = jump_table_lines('t', place_at(1, 1));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].label + lines[0].cells, "          1     2     3");
    EXPECT_EQ(lines[1].label + lines[1].cells, "   1:     1 12345     .");
    EXPECT_EQ(lines[2].label + lines[2].cells, "   2:     . 99999     .");
    EXPECT_EQ(lines[3].label + lines[3].cells, "   3:     1     .     .");
}

// A period that fills its column, and jumps that fill theirs, still stand
// apart from the figure before them.
TEST_F(AttractorTable, WideFiguresOfTheNodeStandApart)
{
    node_period[3] = 12345;
    m_size = 10000;
    std::vector<jump_table_line> lines = jump_table_lines('t', place_at(3, 3));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].cells + lines[1].tail.substr(0, 16), "   . 12345 123450000");
}

TEST_F(AttractorTable, Fractions)
{
    EXPECT_EQ(joined(jump_table_lines('T', place_at(1, 1))),
              (std::vector<std::string>{"         1    2    3" + kMetaTail, "   1: .250 .750    ." + kTail1,
                                        "   2:    .    1    ." + kTail2, "   3: .500    .    ." + kTail3}));
    EXPECT_EQ(joined(jump_table_lines('T', place_at(3, 2))),
              (std::vector<std::string>{"         2    3" + kMetaTail, "   3:    .    ." + kTail3}));
}

// Each title of the nodes' own figures ends where its figures end.
TEST_F(AttractorTable, TitlesEndOverTheirFigures)
{
    std::vector<jump_table_line> lines = jump_table_lines('t', place_at(1, 1));
    ASSERT_EQ(lines.size(), 4u);
    const std::string &titles = lines[0].tail, &figures = lines[1].tail;
    ASSERT_EQ(titles.size(), figures.size());
    EXPECT_EQ(titles.find("P") + 1, figures.find("2") + 1);
    EXPECT_EQ(titles.find("J") + 1, figures.find("4") + 1);
    EXPECT_EQ(titles.find("Volume") + 6, figures.find("50.00%") + 6);
    EXPECT_EQ(titles.find("Self") + 4, figures.size());
}

// At most the columns asked for, from the place's first, the figures
// after them; and how many columns keep every line within a width.
TEST_F(AttractorTable, ColumnsLimitedToAWidth)
{
    EXPECT_EQ(joined(jump_table_lines('t', place_at(1, 1), 2)),
              (std::vector<std::string>{"        1   2" + kMetaTail, "   1:   1   3" + kTail1,
                                        "   2:   .   2" + kTail2, "   3:   1   ." + kTail3}));
    EXPECT_EQ(joined(jump_table_lines('T', place_at(3, 2), 0)),
              (std::vector<std::string>{"         2" + kMetaTail, "   3:    ." + kTail3}));
    // A label of 5 and figures of 46 characters, columns of 4 ('t') or 5.
    const size_t rest = 5 + kTail1.size();
    ASSERT_EQ(rest, 51u);
    EXPECT_EQ(jump_table_columns_within('t', place_at(1, 1), rest + 12), 3u);
    EXPECT_EQ(jump_table_columns_within('t', place_at(1, 1), rest + 11), 2u);
    EXPECT_EQ(jump_table_columns_within('t', place_at(1, 1), rest + 4), 1u);
    EXPECT_EQ(jump_table_columns_within('t', place_at(1, 1), 10), 1u);
    EXPECT_EQ(jump_table_columns_within('T', place_at(1, 1), rest + 14), 2u);
    EXPECT_EQ(jump_table_columns_within('t', place_at(1, 1), 1000), 3u);
    // From the third column on only one column is left to show.
    EXPECT_EQ(jump_table_columns_within('t', place_at(1, 3), 1000), 1u);
}

TEST_F(AttractorTable, CopyPutsEachLineAfterANewline)
{
    EXPECT_EQ(jump_table_copy(jump_table_lines('T', place_at(3, 3))),
              "\n         3" + kMetaTail + "\n   3:    ." + kTail3 + "\n");
}

TEST_F(AttractorTable, ScrollingStaysWithinTheNodes)
{
    jump_table_place p;
    for (int s = 0; s < 5; s++) {
        scroll_table_rows(p, 1);
        scroll_table_columns(p, 1);
    }
    EXPECT_EQ(p.first_row, 3u);
    EXPECT_EQ(p.first_column, 3u);
    for (int s = 0; s < 5; s++) {
        scroll_table_rows(p, -1);
        scroll_table_columns(p, -1);
    }
    EXPECT_EQ(p.first_row, 1u);
    EXPECT_EQ(p.first_column, 1u);
    // A place out of the nodes (from an earlier graph) is read as the
    // nearest one within.
    EXPECT_EQ(jump_table_lines('t', place_at(9, 0)).size(), 2u);
}

// Cell 0 reads cells 1 and 2, cell 1 reads cell 0, cell 2 reads itself
// and cell 0 twice: node i to node j weighs the slots of cell j-1 wired
// from cell i-1; the columns and rows carry the cell numbers.
class NetworkTable : public testing::Test {
protected:
    small_graph g{graph_network, 3};
    void SetUp() override
    {
        g.link(2, 1, 1);
        g.link(3, 1, 1);
        g.link(1, 2, 1);
        g.link(3, 3, 1);
        g.link(1, 3, 2);
        netnodesize[1] = 2;
        netnodesize[2] = 1;
        netnodesize[3] = 3;
        m_space = 6;
    }
};

TEST_F(NetworkTable, NumbersAndFractions)
{
    EXPECT_EQ(joined(jump_table_lines('t', place_at(1, 1))),
              (std::vector<std::string>{"        0   1   2    out  k", "   0:   .   1   2    3    2",
                                        "   1:   1   .   .    1    1", "   2:   1   .   1    2    3"}));
    EXPECT_EQ(joined(jump_table_lines('T', place_at(1, 1))),
              (std::vector<std::string>{"         0    1    2    out  k", "   0:    . .333 .667    3    2",
                                        "   1:    1    .    .    1    1", "   2: .500    . .500    2    3"}));
    EXPECT_EQ(joined(jump_table_lines('T', place_at(2, 2))),
              (std::vector<std::string>{"         1    2    out  k", "   1:    .    .    1    1",
                                        "   2:    . .500    2    3"}));
}

} // namespace
