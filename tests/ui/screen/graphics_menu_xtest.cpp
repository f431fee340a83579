// The graphics settings menu, answered through the server.
#include "support/x_test_fixture.h"

#include <string>

#include "ui/screen/boxes.h"
#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/graphics_menu.h"

namespace {

class GraphicsMenu : public ScreenTest {
protected:
    void run_menu(const std::string &keys)
    {
        paced_thread typing = type_keys_paced(keys);
        revise_graphics();
        typing.join();
    }
};

TEST_F(GraphicsMenu, WidthBelow300IsHeldAt300)
{
    if (!on_default_screen())
        GTEST_SKIP() << "the sizes checked are those of a 1280 x 1024 screen";
    run_menu("S\r299\r\rq");
    EXPECT_EQ(Maxx, 299);
    EXPECT_EQ(WinMaxy, 249);  // 4:3 would be 225, below the least height
    run_menu("S\r1024\r768\rq");
    EXPECT_EQ(Maxx, 1023);
    EXPECT_EQ(WinMaxy, 767);
    EXPECT_EQ(Maxy, 742);
    run_menu("S\r0\r-1\rq");
    EXPECT_EQ(Maxx, 299);
    EXPECT_EQ(WinMaxy, 249);
    run_menu("S\r1024\r768\rq");
}

// At the least height the colour chart the resize shows keeps its labels a
// text line apart (the window tests fail on any draw-check report).
TEST_F(GraphicsMenu, TheColourChartOfTheLeastHeightKeepsItsLabelsApart)
{
    run_menu("S\r925\r250\rq");
    EXPECT_EQ(WinMaxy, 249);
    run_menu("S\r1024\r768\rq");
}

// 40 is held at 35, which the window cannot take (refused, as below).
TEST_F(GraphicsMenu, FontSizesAboveThe35HeldAreRefusedWhereTheyDoNotFit)
{
    int before = pointsize;
    run_menu("s\r40\r\r\rq");
    EXPECT_EQ(pointsize, before);
    run_menu("s\r12\r\r\rq");
    EXPECT_EQ(pointsize, 12);
    run_menu("s\r14\r2\r\rq");
    EXPECT_EQ(pointsize, 14);
    EXPECT_EQ(new_weight, font_weight_bold);
}

TEST_F(GraphicsMenu, SizesBeyondTheScreenAreCappedAtIt)
{
    if (!on_default_screen())
        GTEST_SKIP() << "the sizes checked are those of a 1280 x 1024 screen";
    run_menu("S\r9999\r9999\rq");
    EXPECT_EQ(Maxx + 1, 1280);
    EXPECT_EQ(WinMaxy + 1, 1024);
    run_menu("S\r1024\r768\rq");
    EXPECT_EQ(Maxx, 1023);
}

TEST_F(GraphicsMenu, ColourChartStartsBelowTheMenuAtTheLeastSize)
{
    // A memory box whose text ran past the window's edge, erased, then the
    // window cleared: nothing of it comes back when the menu resizes the
    // window.
    memory_box(2, std::string(200, 'w').c_str());
    begin_wait_notice();
    end_wait_notice();
    erase_memory_box();
    clearviewport();
    run_menu("S\r300\r\rq");
    ASSERT_EQ(Maxx, 299);
    // The menu's box is erased on leaving: nothing of the chart above its
    // bottom, on either half (the menu's lines overrun the box at this width).
    unsigned long background = window_pixel(Maxx - 5, Maxy - 5);
    int drawn = 0;
    for (int y = 2; y <= prompt_box_bottom(4); y++)
        for (int x = 0; x <= Maxx - 2; x++)
            drawn += window_pixel(x, y) != background;
    EXPECT_EQ(drawn, 0);
    run_menu("S\r1024\r768\rq");
    EXPECT_EQ(Maxx, 1023);
}

// A line space of 99 is held at the largest that keeps the text column's
// prompts above the bottom strip; a font that would lose them is refused.
TEST_F(GraphicsMenu, LineSpaceIsHeldAndAFontThatLosesThePromptsRefused)
{
    int space = CHeight, size = pointsize;
    run_menu("s\r\r\r99\rq");
    EXPECT_GT(CHeight, space);
    EXPECT_LT(CHeight, 99);
    EXPECT_EQ(CHeight_changed, 1);
    CHeight = static_cast<int16_t>(space);
    CHeight_changed = 0;
    run_menu("s\r35\r\r\rq");
    EXPECT_EQ(pointsize, size);
    EXPECT_EQ(CHeight, space);
}

TEST_F(GraphicsMenu, BlinkFactorDividesTheCountAndRestores)
{
    run_menu("f\r.5\rq");
    EXPECT_EQ(kCursorFlash, 2 * 200137u);
    run_menu("f\rr\rq");
    EXPECT_EQ(kCursorFlash, 200137u);
}

TEST_F(GraphicsMenu, TogglingTheBackgroundTwiceGivesBackThePalette)
{
    uint8_t old_black = black, old_white = white;
    run_menu("b\rq");
    EXPECT_EQ(bground, 'w');
    EXPECT_EQ(black, White);
    run_menu("b\rq");
    EXPECT_EQ(bground, 'b');
    EXPECT_EQ(black, old_black);
    EXPECT_EQ(white, old_white);
}

} // namespace
