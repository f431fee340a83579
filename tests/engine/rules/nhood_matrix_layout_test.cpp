// The K-matrix picture's geometry: cell sizes, gaps and label intervals for
// narrow and wide windows, and the effect of the amendment answers.
#include "engine/rules/nhood_matrix_layout.h"
#include "rules_test_support.h"

namespace {

class Layout : public RuleTableTest {};

TEST_F(Layout, SmallMatrixKeepsItsCellSize)
{
    nhood_matrix_layout m = layout_nhood_matrix(3, 10, 8, 1279, 11, true);
    EXPECT_EQ(m.last, 7u);
    EXPECT_EQ(m.shown, 7u);
    EXPECT_EQ(m.cell, 10);
    EXPECT_EQ(m.gap, 3);
    EXPECT_EQ(m.label_every, 4u);
}

TEST_F(Layout, WideMatricesShrinkTheirCells)
{
    EXPECT_EQ(layout_nhood_matrix(8, 10, 8, 1279, 11, true).cell, 3);
    nhood_matrix_layout m = layout_nhood_matrix(8, 10, 8, 1023, 11, false);
    EXPECT_EQ(m.cell, 2);
    EXPECT_EQ(m.gap, 1);
    m = layout_nhood_matrix(10, 10, 8, 1279, 11, true);
    EXPECT_EQ(m.cell, 1);
    EXPECT_EQ(m.gap, 0);
    EXPECT_EQ(m.label_every, 128u); // from 512 halved while 1 * L/2 passes 110
}

TEST_F(Layout, AmendmentAnswers)
{
    EXPECT_EQ(nhood_matrix_shown(15, 15, 50), 7u);
    EXPECT_EQ(nhood_matrix_shown(15, 7, -1), 15u);
    EXPECT_EQ(nhood_matrix_shown(15, 7, 100), 7u);
    EXPECT_EQ(nhood_matrix_shown(15, 7, 1), 7u);
    EXPECT_EQ(nhood_matrix_gap(1), 0);
    EXPECT_EQ(nhood_matrix_gap(3), 1);
    EXPECT_EQ(nhood_matrix_gap(9), 3);
}

} // namespace
