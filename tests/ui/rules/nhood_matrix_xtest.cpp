// The K-matrix picture on the window: the digits of each column in the
// value colours, highest index and highest position first, and the
// amendment loop's range answer, read back from the window's pixels; the
// cell sizes of wide matrices.
#include "support/x_test_fixture.h"

#include <string>

#include "engine/rules/nhood_matrix_layout.h"
#include "engine/rules/rules_test_support.h"
#include "ui/rules/nhood_matrix.h"
#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

struct Tables : RuleTableTest {
    void TestBody() override {}
    using RuleTableTest::SetUp;
    using RuleTableTest::TearDown;
};

class KMatrix : public ScreenTest {
protected:
    Tables t;
    bool ready = false;
    int x0 = 0, y0 = 0;
    unsigned long one = 0, zero = 0;

    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped())
            return;
        t.SetUp();
        ready = true;
        // Reference pixels of the colours of 1 and 0.
        setfillstyle(0, yellow);
        bar(0, 0, 3, 3);
        setfillstyle(0, darkgray);
        bar(4, 0, 7, 3);
        one = window_pixel(1, 1);
        zero = window_pixel(5, 1);
        moveto(static_cast<int>(xtext * CWidth), vgay(100));
        x0 = getx;
        y0 = gety + 2 * CHeight;
    }
    void TearDown() override
    {
        if (!ready)
            return;
        nhood = 0;
        t.TearDown();
    }
    // The picture's first column, right of the text column's start by
    // what its row labels need.
    int left() const { return nhood_matrix_left(x0); }
    // The pixel near the top-left corner of the cell of index i, position j.
    unsigned long cell(const nhood_matrix_layout &m, int i, int j)
    {
        int column = static_cast<int>(m.shown) - i;
        return window_pixel(left() + column * m.cell + 1, y0 + (m.rows - 1 - j) * nhood_matrix_row_pitch(m) + 1);
    }
};

TEST_F(KMatrix, ColumnsFromTheHighestIndexAndRowsFromTheHighestPosition)
{
    nhood = 3;
    int below = setup_nhood_matrix(0);
    nhood_matrix_layout m = layout_nhood_matrix(3, vgax(5), vgax(4), Maxx, CWidth, Maxx >= 1023);
    EXPECT_GT(below, y0 + 3 * m.cell);
    // Index 5 reads 1, 0, 1 from the top; index 7 is all 1, index 0 all 0.
    EXPECT_EQ(cell(m, 5, 2), one);
    EXPECT_EQ(cell(m, 5, 1), zero);
    EXPECT_EQ(cell(m, 5, 0), one);
    for (int j = 0; j < 3; j++) {
        EXPECT_EQ(cell(m, 7, j), one);
        EXPECT_EQ(cell(m, 0, j), zero);
    }
}

TEST_F(KMatrix, HalfTheRangeShowsIndicesSevenDownToZero)
{
    nhood = 4;
    paced_thread typing = type_keys_paced("50\rq");
    setup_nhood_matrix(1);
    typing.join();
    nhood_matrix_layout m = layout_nhood_matrix(4, vgax(5), vgax(4), Maxx, CWidth, Maxx >= 1023);
    m.shown = 7;
    EXPECT_EQ(cell(m, 7, 2), one);
    EXPECT_EQ(cell(m, 7, 3), zero);
    EXPECT_EQ(cell(m, 0, 0), zero);
    EXPECT_NE(window_pixel(left() + 8 * m.cell + 1, y0 + 1), one);
    EXPECT_NE(window_pixel(left() + 8 * m.cell + 1, y0 + 1), zero);
}

// The picture of every index of k = 13 is wider than the window and is cut,
// whatever share of the indices the amendment shows, at a column and an
// index label that end inside the window: nothing of it reaches the
// window's last columns, which the clear before a redraw leaves as they are.
TEST_F(KMatrix, WidePictureAndItsLabelsStayInsideTheWindow)
{
    nhood = 13;
    clear_drawing_area();
    moveto(x0, y0 - 2 * CHeight);
    std::string keys;
    for (int share = 60; share < 100; share++)
        keys += std::to_string(share) + "\r\r";
    int inked = 0;
    paced_thread typing = type_keys_looking(keys + "q", [&](size_t) {
        for (unsigned long p : pixels_seen(Maxx - 4, y0 - CHeight, 5, nhood + 3 * CHeight))
            inked += p != Color_Table[black];
    });
    setup_nhood_matrix(1);
    typing.join();
    screenshot("k_matrix_k13");
    EXPECT_EQ(inked, 0) << "the picture runs to the window's edge";
}

// The picture of k = 9, one pixel a column in the windows of both screens:
// its rows stand three pixels apart or more, and its rows' labels "8" and
// "0" apart from each other (the draw check sees one drawn over the other).
TEST_F(KMatrix, NineRowsAndTheirLabelsStandApart)
{
    if (!on_default_screen())
        GTEST_SKIP() << "the larger window does not fit this server's screen";
    nhood = 9;
    for (const int *size : {(const int[]){1024, 768}, (const int[]){927, 695}}) {
        SCOPED_TRACE(testing::Message() << "window " << size[0] << "x" << size[1]);
        ASSERT_TRUE(resize_to(size[0], size[1]));
        clear_drawing_area();
        moveto(static_cast<int>(xtext * CWidth), vgay(100));
        x0 = getx;
        y0 = gety + 2 * CHeight;
        setup_nhood_matrix(0);
        screenshot("k_matrix_k9_" + std::to_string(size[0]));
        nhood_matrix_layout m = layout_nhood_matrix(9, vgax(5), vgax(4), Maxx, CWidth, Maxx >= 1023);
        EXPECT_EQ(m.cell, 1);
        EXPECT_GE(nhood_matrix_row_pitch(m), 3);
        // Index 511, the first column, is all 1 row by row.
        for (int j = 0; j < 9; j++)
            EXPECT_EQ(window_pixel(left(), y0 + (8 - j) * nhood_matrix_row_pitch(m) + 1), one) << j;
    }
    ASSERT_TRUE(resize_to(1024, 768));
}

TEST_F(KMatrix, WideMatricesShrinkTheirCells)
{
    EXPECT_EQ(layout_nhood_matrix(8, 10, 8, 1279, 11, true).cell, 3);
    nhood_matrix_layout m = layout_nhood_matrix(8, 10, 8, 1023, 11, false);
    EXPECT_EQ(m.cell * 10 + m.gap, 21);
    m = layout_nhood_matrix(10, 10, 8, 1279, 11, true);
    EXPECT_EQ(m.cell * 10 + m.gap, 10);
    EXPECT_EQ(m.label_every, 128u); // from 512 divided while 1 * L/2 passes 110
    EXPECT_EQ(nhood_matrix_gap(3), 1);
}

} // namespace
