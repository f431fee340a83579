// The window resized from outside (as xdotool windowsize does): the current
// prompt stays on screen, and the bottom strip moves to the new bottom, at a
// prompt and under a running pattern, whose next page fills the new height;
// a pattern already scrolling goes on down to a taller window's new bottom.
// What a shrink cut off comes back when the window grows again. A settings
// box drawn again at the new size goes whole under the next, shorter one.
#include "e2e/e2e_fixture.h"

#include <X11/Xutil.h>

namespace {

using WindowResize = ZemraTest;

// The strip's frame is drawn on the window's last row.
bool
strip_at_bottom(ZemraProcess &zemra, int w, int h)
{
    unsigned long background = zemra.pixel(w / 2, h / 2);
    return zemra.width() == w && zemra.height() == h &&
           zemra.pixel(w / 2, h - 1) != background;
}

// Whether the rectangle (x, y, w, h) shows anything but the background.
bool
shows_something(ZemraProcess &zemra, int x, int y, int w, int h)
{
    unsigned long background = zemra.pixel(zemra.width() / 2, zemra.height() / 2);
    for (int j = y; j < y + h; j += 2)
        for (int i = x; i < x + w; i++)
            if (zemra.pixel(i, j) != background)
                return true;
    return false;
}

TEST_F(WindowResize, PromptStaysAndTheStripMoves)
{
    launch();
    zemra->type("s\r");  // the value-range prompt, in the text column
    XResizeWindow(zemra->display, zemra->window, 600, 400);
    XSync(zemra->display, False);
    ASSERT_TRUE(wait_until([&] { return strip_at_bottom(*zemra, 600, 400); }))
        << "no strip at the new bottom";
    // The text column's first lines and the value-range prompt, drawn again
    // in the smaller fonts of the narrower window.
    EXPECT_TRUE(wait_until([&] { return shows_something(*zemra, 30, 50, 200, 70); }))
        << "the prompt was lost";
}

// Shrunk and grown back: what lay beyond the small window (the right part of
// the prompt box) is drawn again, and the text column with it.
TEST_F(WindowResize, ShrinkThenGrowShowsThePromptsAgain)
{
    launch();
    zemra->type("s\r");  // the value-range prompt, in the text column
    int w = zemra->width(), h = zemra->height();
    // The prompt box's lines right of x = 640, and the text column's lines.
    auto box_right = [&] { return shows_something(*zemra, 640, 6, w - 660, 36); };
    auto column = [&] { return shows_something(*zemra, 60, 70, 220, 70); };
    ASSERT_TRUE(box_right() && column()) << "no prompt box or text column to begin with";
    XResizeWindow(zemra->display, zemra->window, 600, 400);
    XSync(zemra->display, False);
    ASSERT_TRUE(wait_until([&] { return strip_at_bottom(*zemra, 600, 400); }))
        << "no strip at the small window's bottom";
    XResizeWindow(zemra->display, zemra->window, w, h);
    XSync(zemra->display, False);
    ASSERT_TRUE(wait_until([&] { return strip_at_bottom(*zemra, w, h); }))
        << "no strip at the bottom of the window grown back";
    EXPECT_TRUE(wait_until(box_right)) << "the prompt box's right part was lost";
    EXPECT_TRUE(wait_until(column)) << "the text column was lost";
}

TEST_F(WindowResize, RunningPatternTakesTheNewBottom)
{
    launch();
    road_to_forward_pattern();
    auto rows = [&] { return zemra->region_digest(0, 0, 14 * 6, 300); };
    unsigned long long early = rows();
    ASSERT_TRUE(wait_until([&] { return rows() != early; })) << "no running pattern";
    XResizeWindow(zemra->display, zemra->window, 800, 500);
    XSync(zemra->display, False);
    EXPECT_TRUE(wait_until([&] { return strip_at_bottom(*zemra, 800, 500); }))
        << "no strip at the new bottom";
}

// Pixels of (x, y, w, h) that are neither the background nor `frame` (~0ul:
// any pixel but the background), read in one image.
int
marked_pixels(ZemraProcess &zemra, int x, int y, int w, int h, unsigned long frame = ~0ul)
{
    unsigned long background = zemra.pixel(zemra.width() / 2, zemra.height() / 2);
    XImage *image = XGetImage(zemra.display, zemra.window, x, y, static_cast<unsigned>(w),
                              static_cast<unsigned>(h), AllPlanes, ZPixmap);
    if (!image)
        return -1;
    int count = 0;
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++) {
            unsigned long p = XGetPixel(image, i, j);
            count += p != background && p != frame;
        }
    XDestroyImage(image);
    return count;
}

// The window grown while the pattern runs: the pause box opened then is laid
// out in the new window and shows its lines whole, and once it closes
// the colour key and the key panel stand at the new right edge, nothing of
// them left where they were.
TEST_F(WindowResize, BoxesOfARunAfterAResizeShowTheirLinesAndLeaveNothing)
{
    launch();
    road_to_forward_pattern();
    int old_width = zemra->width();
    auto rows = [&] { return zemra->region_digest(0, 0, 14 * 6, 300); };
    unsigned long long early = rows();
    ASSERT_TRUE(wait_until([&] { return rows() != early; })) << "no running pattern";
    const int w = 1260, h = 1000;
    XResizeWindow(zemra->display, zemra->window, w, h);
    XSync(zemra->display, False);
    ASSERT_TRUE(wait_until([&] { return strip_at_bottom(*zemra, w, h); }))
        << "no strip at the new bottom";
    zemra->type_now("q");
    ASSERT_TRUE(zemra->wait_ready_for_key()) << "no pause box";
    // The box is laid out in the new window, left of the key panel that
    // still stands where the run drew it before the resize (the draw check
    // sees that its lines stay inside its frame and the window).
    unsigned long frame = zemra->pixel(w - 3, 10);
    EXPECT_GT(marked_pixels(*zemra, old_width / 2 + 10, 4, w - 20 - old_width / 2 - 10, 300, frame), 200)
        << "no pause box in the new window";
    zemra->type_now("\r");
    // Between the pattern and the new panel (a fifth of the width from the
    // right edge), from the top to the strip: the old key panel and colour
    // key gone, and nothing left of the pause box.
    int left = old_width / 2, right = w - w / 5 - 20;
    EXPECT_TRUE(wait_until([&] { return marked_pixels(*zemra, left, 0, right - left, h - 60) == 0; }))
        << "something left where the boxes were before the resize";
    EXPECT_GT(marked_pixels(*zemra, w - w / 5 + 10, 100, 150, 600), 1000) << "no key panel at the new edge";
}

// A taller window: the rows of the page after the resize go on below the old
// bottom, as the pattern's stored image takes the new height.
TEST_F(WindowResize, NextPageOfARunningPatternFillsTheNewHeight)
{
    launch();
    road_to_forward_pattern(true);
    int old_height = zemra->height();
    unsigned long background = zemra->pixel(500, 500);
    auto rows = [&] { return zemra->region_digest(0, 0, 14 * 6, 300); };
    unsigned long long early = rows();
    ASSERT_TRUE(wait_until([&] { return rows() != early; })) << "no running pattern";
    XResizeWindow(zemra->display, zemra->window, zemra->width(), 1000);
    XSync(zemra->display, False);
    ASSERT_TRUE(wait_until([&] { return strip_at_bottom(*zemra, zemra->width(), 1000); }))
        << "no strip at the new bottom";
    // Cells of the 14-cell rows between the old bottom and the new strip.
    auto below_old_bottom = [&] {
        for (int y = old_height + 10; y < 1000 - 60; y += 3)
            for (int x = 1; x < 14 * 6; x += 2)
                if (zemra->pixel(x, y) != background)
                    return true;
        return false;
    };
    EXPECT_TRUE(wait_until(below_old_bottom)) << "the pattern stops at the old bottom";
}

// A taller window while the pattern scrolls: the rows go on below the old
// bottom instead of scrolling within the old height.
TEST_F(WindowResize, ScrollingPatternTakesTheNewHeight)
{
    launch();
    road_to_forward_pattern();
    int old_height = zemra->height();
    unsigned long background = zemra->pixel(500, 500);
    // Cells of the 14-cell rows in the band from y0 to y1.
    auto cells_in = [&](int y0, int y1) {
        for (int y = y0; y < y1; y += 3)
            for (int x = 1; x < 14 * 6; x += 2)
                if (zemra->pixel(x, y) != background)
                    return true;
        return false;
    };
    // The page is full once rows reach the strip; then it scrolls, moving
    // the top rows.
    ASSERT_TRUE(wait_until([&] { return cells_in(old_height - 60, old_height - 30); }))
        << "the pattern never filled its page";
    auto top_rows = [&] { return zemra->region_digest(0, 0, 14 * 6, 30); };
    unsigned long long full = top_rows();
    ASSERT_TRUE(wait_until([&] { return top_rows() != full; })) << "the full page does not scroll";
    XResizeWindow(zemra->display, zemra->window, zemra->width(), 1000);
    XSync(zemra->display, False);
    ASSERT_TRUE(wait_until([&] { return strip_at_bottom(*zemra, zemra->width(), 1000); }))
        << "no strip at the new bottom";
    EXPECT_TRUE(wait_until([&] { return cells_in(old_height + 10, 1000 - 60); }))
        << "the scrolling pattern stays within the old height";
}

// The layout dialog's spacing box (three lines) drawn again at the new size,
// then the right border's one-line box in its place: nothing of the taller
// box's foot (its frame, its entries) stands under the one-line box.
class WindowResizeDialog : public ZemraTest {
protected:
    void taller_box_goes_under_the_next()
    {
        launch();
        road_to_field_rule("30");
        answer({"\r",     // network view: on to the output parameters
                "l\r",    // revise from the layout
                "60\r",   // the radius
                "\r\r",   // the start position's x and y
                "\r"});   // not as successive basins: the spacing's box
        ASSERT_TRUE(zemra->wait_ready_for_key());
        const int w = 800, h = 600;
        XResizeWindow(zemra->display, zemra->window, w, h);
        XSync(zemra->display, False);
        ASSERT_TRUE(wait_until([&] { return strip_at_bottom(*zemra, w, h); })) << "no strip at the new bottom";
        answer({"5\r",    // x spacing
                "5\r"});  // y spacing: the right border's question follows
        ASSERT_TRUE(zemra->wait_ready_for_key());
        shot(std::string("resized-spacing-box-") + (on_small_screen() ? "1024" : "1280"));
        const int bottom = zemra->prompt_box_bottom();
        ASSERT_GT(bottom, 10) << "no one-line box at the top right";
        // Right of the text column's lines, from the box's foot down past
        // where the three-line box's foot stood.
        EXPECT_EQ(zemra->marked_pixels(w * 4 / 5, bottom + 1, w / 5, 3 * (bottom + 1)), 0)
            << "the taller box's foot stands under the one-line box";
    }

    bool on_small_screen() { return DisplayWidth(zemra->display, DefaultScreen(zemra->display)) < 1280; }
};

TEST_F(WindowResizeDialog, ATallerSettingsBoxGoesWholeUnderTheNext) { taller_box_goes_under_the_next(); }

TEST_F(WindowResizeDialog, ATallerSettingsBoxGoesWholeUnderTheNextSmallScreen) { taller_box_goes_under_the_next(); }

} // namespace
