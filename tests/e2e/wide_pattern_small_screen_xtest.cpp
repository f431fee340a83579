// Totalistic forward only on a 1024 x 768 screen (a window 925 x 694): a
// 150-cell kcode at scale 5, whose pattern is 750 pixels wide. The seed
// window holds its menu lines and leaves nothing when it closes; the key
// panel, whose place the pattern reaches, is left out rather than drawn
// under the pattern. The window is read back region by region.
#include "e2e/e2e_fixture.h"

#include <X11/Xutil.h>

namespace {

class WidePatternSmallScreen : public ZemraTest {
protected:
    // Pixels of (x, y, w, h) that differ from the background; -1 when the
    // window could not be read.
    int marked_pixels(int x, int y, int w, int h)
    {
        unsigned long background = zemra->pixel(zemra->width() - 30, zemra->height() / 2);
        XImage *image = XGetImage(zemra->display, zemra->window, x, y, static_cast<unsigned>(w),
                                  static_cast<unsigned>(h), AllPlanes, ZPixmap);
        if (!image)
            return -1;
        int marked = 0;
        for (int j = 0; j < h; j++)
            for (int i = 0; i < w; i++)
                marked += XGetPixel(image, i, j) != background;
        XDestroyImage(image);
        return marked;
    }
    // From the first screen to the forward-only options: a fixed seed, scale
    // 5, 150 cells, every other answer the default (the seed window among
    // them).
    void road_to_forward_only_options()
    {
        launch({"-t"});
        ASSERT_EQ(zemra->width(), 925) << "not the small screen";
        answer({"r\r", "123\r", "\r", "\r", "5\r", "150\r"});
        for (int i = 0; i < 11; i++)
            answer({"\r"});
        ASSERT_TRUE(zemra->wait_ready_for_key());
    }
};

// The seed window's first menu line, "Select SEED (v2 1d n=150), win-w
// empty-e fill-f dec-d rand-r", ran past the window's frame, and its last
// letter stayed on the screen beside where the window had been.
TEST_F(WidePatternSmallScreen, SmallScreenTheSeedWindowLeavesNothingBeside)
{
    road_to_forward_only_options();
    int maxx = zemra->width() - 1;
    // Right of the window's default width, on the rows of its menu lines,
    // below the forward-only question.
    EXPECT_EQ(marked_pixels(470, 400, maxx - 2 - 470, 60), 0) << "a piece of the seed window";
}

TEST_F(WidePatternSmallScreen, SmallScreenNoKeyPanelUnderTheWidePattern)
{
    road_to_forward_only_options();
    answer({"d\r"});  // the forward-only options' defaults: the pattern runs
    auto pattern = [&] { return marked_pixels(300, 300, 150, 10) > 0; };
    ASSERT_TRUE(wait_until(pattern)) << "no pattern";
    int maxx = zemra->width() - 1;
    // The panel's right frame ran down the window's right edge.
    EXPECT_EQ(marked_pixels(maxx - 3, 150, 3, 450), 0) << "the key panel's frame beside the pattern";
}

} // namespace
