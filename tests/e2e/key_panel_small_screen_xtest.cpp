// The key panel of a running pattern on a 1024 x 768 screen (a window
// 925 x 694), where its lines take the small font: each line reads apart
// from the next, with a row of background between them, rather than
// running into it at a step shorter than the font's glyphs. Beside a
// 150-cell ring's rows, which reach its place, it is left out; 'X' brings it
// over them, and takes it away again.
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

// From the first screen to a running pattern of a 150-cell ring, 750
// pixels wide, whose random rule (the random seed fixed at 123) moves on at
// every step.
void
road_to_wide_ring(ZemraProcess &zemra)
{
    for (const char *a : {"r\r", "123\r", "s\r", "\r", "\r", "\r", "150\r", "\r", "\r", "\r", "\r",
                          "\r\r", "\r", "\r", "\r\r\r\r", "s\r", "d\r", "d\r"})
        zemra.type(a);
}

TEST_F(KeyPanelSmallScreen, SmallScreenXShowsTheKeyPanelOverWideRowsAndTakesItAway)
{
    launch();
    road_to_wide_ring(*zemra);
    const int w = zemra->width(), h = zemra->height(), maxx = w - 1;
    auto rows = [&] { return zemra->region_digest(0, 300, 300, 100); };
    // The rows move on: a step or more was drawn.
    auto next_step = [&] {
        const unsigned long long before = rows();
        return wait_until([&] { return rows() != before; });
    };
    ASSERT_TRUE(next_step()) << "no pattern";
    // The panel's right frame, down the window's right edge.
    auto frame = [&] { return zemra->marked_pixels(maxx - 3, 150, 3, 450); };
    ASSERT_EQ(frame(), 0) << "the key panel beside the wide rows";
    zemra->type_now("X");
    ASSERT_TRUE(wait_until([&] { return frame() > 400; })) << "no key panel after 'X'";
    ASSERT_TRUE(next_step());
    // Inside its frames its lines stay as they were drawn while the rows go
    // on beside them.
    const int x0 = w - w / 5 + 10, y0 = 100, pw = maxx - 8 - x0, ph = h - 140 - y0;
    const unsigned long long lines = zemra->region_digest(x0, y0, pw, ph);
    EXPECT_GT(zemra->marked_pixels(x0, y0, pw, ph), 2000) << "no lines in the key panel";
    for (int step = 0; step < 3; step++) {
        ASSERT_TRUE(next_step());
        EXPECT_EQ(zemra->region_digest(x0, y0, pw, ph), lines) << "drawn over the key panel";
    }
    zemra->type_now("X");
    ASSERT_TRUE(wait_until([&] { return frame() == 0; })) << "the key panel stayed after 'X'";
    ASSERT_TRUE(next_step());
    // Between the rows' right edge and the side plot's frame its lines
    // stood: nothing of them is left.
    EXPECT_EQ(zemra->marked_pixels(752, y0, 80, ph), 0) << "a piece of the key panel left";
    zemra->type_now("q");
    EXPECT_EQ(zemra->quit_by_steps(), 0);
}

} // namespace
