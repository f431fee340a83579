// The graphics settings menu, answered through the server.
#include "support/x_test_fixture.h"

#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/graphics_menu.h"

namespace {

class GraphicsMenu : public ScreenTest {
protected:
    void run_menu(const std::string &keys)
    {
        std::thread typing = type_keys_paced(keys);
        revise_graphics();
        typing.join();
    }
};

TEST_F(GraphicsMenu, WidthBelow300IsRefusedAnd300Taken)
{
    run_menu("S\r299\r\r");  // refused: the size stays, the menu is left
    EXPECT_EQ(Maxx, 1023);
    EXPECT_EQ(WinMaxy, 767);
    run_menu("S\r300\r\rq");
    EXPECT_EQ(Maxx, 299);
    EXPECT_EQ(WinMaxy, 249);  // 4:3 would be 225, below the least height
    run_menu("S\r1024\r768\rq");
    EXPECT_EQ(Maxx, 1023);
    EXPECT_EQ(WinMaxy, 767);
    EXPECT_EQ(Maxy, 742);
}

TEST_F(GraphicsMenu, FontSizesOutside7To35AreRefused)
{
    int before = pointsize;
    run_menu("s\r40\r\r\rq");
    EXPECT_EQ(pointsize, before);
    run_menu("s\r5\r\r\rq");
    EXPECT_EQ(pointsize, before);
    run_menu("s\r20\r\r\rq");
    EXPECT_EQ(pointsize, 20);
    run_menu("s\r14\r2\r\rq");
    EXPECT_EQ(pointsize, 14);
    EXPECT_EQ(new_weight, font_weight_bold);
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
