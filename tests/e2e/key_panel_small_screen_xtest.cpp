// The key panel of a running pattern on a 1024 x 768 screen (a window
// 925 x 694), where its lines take the small font: each line reads apart
// from the next, with a row of background between them, rather than
// running into it at a step shorter than the font's glyphs.
#include "e2e/e2e_fixture.h"

#include <X11/Xutil.h>

#include <vector>

namespace {

using KeyPanelSmallScreen = ZemraTest;

TEST_F(KeyPanelSmallScreen, SmallScreenKeyPanelLinesReadApart)
{
    launch();
    ASSERT_EQ(zemra->width(), 925) << "not the small screen";
    road_to_forward_pattern();
    const int w = zemra->width(), h = zemra->height();
    // Inside the panel's frames: right of its left frame and left of its
    // right one, from below its title to above its bottom.
    const int x0 = w - w / 5 + 10, x1 = w - 8, y0 = 100, y1 = h - 40;
    unsigned long background = zemra->pixel(w / 2, h / 2 + 100);
    auto ink_rows = [&] {
        std::vector<bool> rows;
        XImage *image = XGetImage(zemra->display, zemra->window, x0, y0,
                                  static_cast<unsigned>(x1 - x0), static_cast<unsigned>(y1 - y0),
                                  AllPlanes, ZPixmap);
        if (!image)
            return rows;
        for (int j = 0; j < y1 - y0; j++) {
            bool ink = false;
            for (int i = 0; i < x1 - x0 && !ink; i++)
                ink = XGetPixel(image, i, j) != background;
            rows.push_back(ink);
        }
        XDestroyImage(image);
        return rows;
    };
    auto panel_drawn = [&] {
        int marked = 0;
        for (bool ink : ink_rows())
            marked += ink;
        return marked > 200;
    };
    ASSERT_TRUE(wait_until(panel_drawn, 30)) << "no key panel";
    // Runs of rows with ink, each a line of text (or two run together).
    int lines = 0;
    bool before = false;
    for (bool ink : ink_rows()) {
        lines += ink && !before;
        before = ink;
    }
    // The panel holds about forty lines in these rows at the small font's
    // step; lines that run into each other merged them into a dozen runs.
    EXPECT_GE(lines, 30) << "the key panel's lines run into each other";
    zemra->type_now("q");
    EXPECT_EQ(zemra->quit_by_steps(), 0);
}

} // namespace
