// The 1d editor's numbers: cursor moves and their wraps, the up/down step,
// the block of the block questions, the pitch of the time-step layout, the
// fan points of both layouts and the circle's ticks-only threshold, on a
// window of 1024 x 768 pixels.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/wiring_editor/editor_1d_layout.h"

namespace {

// Design coordinates of a 1024 x 768 window, truncated as the screen does.
int16_t
x1024(float x)
{
    return static_cast<int16_t>(x * 1024 / 640);
}

int16_t
y768(float y)
{
    return static_cast<int16_t>(y * 768 / 480);
}

const layout_scale k1024 = {x1024, y768, 1023};

TEST(Cursor, RightAtTheFirstCellGoesToTheLastAndLeftComesBack)
{
    EXPECT_EQ(move_cursor_1d(0, cursor_move::right, 2, 12), 11);
    EXPECT_EQ(move_cursor_1d(11, cursor_move::left, 2, 12), 0);
    for (int c = 0; c < 12; c++)
        EXPECT_EQ(move_cursor_1d(move_cursor_1d(c, cursor_move::left, 2, 12), cursor_move::right,
                                 2, 12),
                  c);
}

// Up from less than a step below the last cell goes to cell 0, not to a
// wrapped place; down from less than a step above 0 goes to the last cell.
TEST(Cursor, UpAndDownWrapToTheEnds)
{
    int n = 150, step = up_down_step(n);
    EXPECT_EQ(step, 15);
    for (int c = n - step; c < n; c++)
        EXPECT_EQ(move_cursor_1d(c, cursor_move::up, step, n), 0) << c;
    EXPECT_EQ(move_cursor_1d(n - 1 - step, cursor_move::up, step, n), n - 1);
    for (int c = 0; c < step; c++)
        EXPECT_EQ(move_cursor_1d(c, cursor_move::down, step, n), n - 1) << c;
    EXPECT_EQ(move_cursor_1d(step, cursor_move::down, step, n), 0);
}

TEST(Cursor, TheStepIsTwoUpToNineteenCells)
{
    for (int n = 1; n <= 19; n++)
        EXPECT_EQ(up_down_step(n), 2) << n;
    EXPECT_EQ(up_down_step(20), 2);
    EXPECT_EQ(up_down_step(39), 3);
}

// A high below the low takes the cursor cell; a cursor below the low then
// still gives the block in order.
TEST(Block, AHighBelowTheLowTakesTheCursorAndTheBlockIsInOrder)
{
    cell_block b = block_from_answers(7, 3, 3, 10);
    EXPECT_EQ(b.low, 3);
    EXPECT_EQ(b.high, 7);
    b = block_from_answers(7, 3, 8, 10);
    EXPECT_EQ(b.low, 7);
    EXPECT_EQ(b.high, 8);
}

TEST(Block, AnAbsentOrOutOfRangeAnswerTakesTheCursor)
{
    cell_block b = block_from_answers(-1, 6, 2, 10);
    EXPECT_EQ(b.low, 2);
    EXPECT_EQ(b.high, 6);
    b = block_from_answers(4, 10, 8, 10);
    EXPECT_EQ(b.low, 4);
    EXPECT_EQ(b.high, 8);
    b = block_from_answers(-5, -1, 5, 10);
    EXPECT_EQ(b.low, 5);
    EXPECT_EQ(b.high, 5);
}

// At 1024 pixels the rows start at 96 and the edge is at most 1023 - 96:
// 7 n fits up to n = 118 there (and always for small n, whose edge grows
// with them).
TEST(TimeStep, SevenPixelsACellWhileTheyFitElseTheRoomIsShared)
{
    for (int n : {1, 10, 73, 118}) {
        time_step_layout t = lay_out_time_step(n, k1024);
        EXPECT_EQ(t.pitch, 7) << n;
        EXPECT_EQ(t.gap, 3) << n;
    }
    time_step_layout t = lay_out_time_step(119, k1024);
    EXPECT_NEAR(t.pitch, (927.0 - 96) / 119, 1e-9);
    EXPECT_EQ(t.gap, 0);
    EXPECT_NEAR(t.row_end(), t.edge, 1e-9);
    // Cell n-1 at the left end, cell 0 at the right.
    EXPECT_NEAR(t.cell_x(118) - t.pitch / 2, 96, 1e-9);
    EXPECT_NEAR(t.cell_x(0) + t.pitch / 2, 927, 1e-9);
}

TEST(TimeStep, SmallNetworksGetAtLeastTwoThirdsOfTheWindow)
{
    time_step_layout t = lay_out_time_step(5, k1024);
    EXPECT_EQ(t.edge, 2.0 * 1023 / 3);
    EXPECT_FALSE(t.lines);
    EXPECT_TRUE(lay_out_time_step(1000, k1024).lines);
}

// Fan points 7 pixels apart, position k-1 first, centred on the cell for
// odd k.
TEST(TimeStep, FanPointsRunFromTheHighestPositionSevenPixelsApart)
{
    EXPECT_DOUBLE_EQ(time_step_fan_x(100, 3, 2), 100 + 2 - 10.5);
    EXPECT_DOUBLE_EQ(time_step_fan_x(100, 3, 1), 100 + 2 - 3.5);
    EXPECT_DOUBLE_EQ(time_step_fan_x(100, 3, 0), 100 + 2 + 3.5);
    EXPECT_DOUBLE_EQ(time_step_fan_x(100, 4, 3), 100 + 2 - 10.5);
    EXPECT_DOUBLE_EQ(time_step_fan_x(100, 4, 0), 100 + 2 - 10.5 + 21);
    EXPECT_DOUBLE_EQ(time_step_fan_x(100, 1, 0), 100 + 2 - 3.5);
}

// R = vgax(133) = 212 from n = 132 on: the node radius 212 pi / (1.2 n)
// drops below 3 between n = 185 and 186.
TEST(Circle, NodesBelowThreePixelsGiveTicksOnly)
{
    circle_layout r = lay_out_circle(185, k1024);
    EXPECT_EQ(r.radius, 212);
    EXPECT_FALSE(r.ticks_only);
    EXPECT_TRUE(lay_out_circle(186, k1024).ticks_only);
    // Few cells: a fifth of the radius.
    r = lay_out_circle(8, k1024);
    EXPECT_EQ(r.radius, x1024(102));
    EXPECT_DOUBLE_EQ(r.node, r.radius / 5);
}

TEST(Circle, CellsRunClockwiseFromTheRightAndFanPointsLieAtThreeQuarters)
{
    circle_layout r = lay_out_circle(8, k1024);
    EXPECT_EQ(r.cx, x1024(60) + r.radius);
    EXPECT_EQ(r.cy, y768(390) - r.radius - x1024(10));
    EXPECT_NEAR(r.x(0), r.cx + r.radius, 1e-9);
    EXPECT_NEAR(r.y(2), r.cy + r.radius, 1e-9); // screen y grows downward
    for (int p = 0; p < 3; p++) {
        double x, y;
        circle_fan_point(r, 2, 3, p, 3, &x, &y);
        EXPECT_NEAR(std::hypot(x - r.cx, y - r.cy), 0.75 * r.radius, 1e-9);
        if (p == 1) { // the middle position lies on the cell's own ray
            EXPECT_NEAR(x, r.cx, 1e-9);
        }
    }
}

} // namespace
