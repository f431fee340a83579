// What the real program leaves on screen along the road to a forward-only
// pattern (a 20-cell ring at scale 4): where the run's prompts go in the
// text column, what a new page of the pattern clears, and the hint shown
// while a loaded screen image waits for its key. The window is read back
// region by region.
#include "e2e/e2e_fixture.h"

#include <X11/Xutil.h>

#include <cstdio>
#include <string>

namespace {

class ScreenLeftovers : public ZemraTest {
protected:
    // Pixels of (x, y, w, h) that differ from the background, counted in
    // one image: those left of column split in *left, the rest returned.
    int marked_pixels(int x, int y, int w, int h, int split = 0, int *left = nullptr)
    {
        unsigned long background = zemra->pixel(zemra->width() - 30, zemra->height() / 2);
        XImage *image = XGetImage(zemra->display, zemra->window, x, y, static_cast<unsigned>(w),
                                  static_cast<unsigned>(h), AllPlanes, ZPixmap);
        if (!image)
            return -1;
        int marked = 0, marked_left = 0;
        for (int j = 0; j < h; j++)
            for (int i = 0; i < w; i++)
                if (XGetPixel(image, i, j) != background)
                    (x + i < split ? marked_left : marked)++;
        XDestroyImage(image);
        if (left)
            *left = marked_left;
        return marked;
    }
    // Up to the output parameters of a 20-cell ring at scale 4.
    void road_to_output_parameters()
    {
        launch();
        answer({"s\r", "2\r", "\r", "4\r", "20\r", "3\r", "\r", "\r", "\r",
                "\r", "\r",  // a random rule, accepted
                "\r",         // no transformation
                "\r", "\r"});
    }
};

// The text column, 1024 x 768: the first screen's lines from about y = 80,
// eight lines of the set-up down to about y = 230.
TEST_F(ScreenLeftovers, RunPromptsGoOnTheNextFreeLinesOfTheTextColumn)
{
    road_to_output_parameters();
    answer({"s\r"});  // output parameters: on to the run kind
    // Nothing above the first line, and both prompts below the set-up's.
    EXPECT_EQ(marked_pixels(80, 40, 420, 38), 0) << "a prompt above the text column";
    EXPECT_GT(marked_pixels(80, 240, 420, 60), 200) << "the run prompts are not below";
}

TEST_F(ScreenLeftovers, ANewPageClearsEveryColumnOfTheOldOne)
{
    road_to_output_parameters();
    answer({"s\r", "s\r"});  // the pattern: cells 19..0 from x = 0 to 79
    // A band across the lower page, cells 19..1 and cell 0 with the margin,
    // read in one image so that both halves show the same moment.
    int top = zemra->height() - 240;
    auto band = [&](int &cells, int &last) { last = marked_pixels(0, top, 82, 150, 76, &cells); };
    int cells = 0, last = 0;
    ASSERT_TRUE(wait_until([&] { band(cells, last); return cells > 0; }, 30))
        << "the page did not fill";
    // The new page starts at the top: while it is above the band, the band
    // is clear in every column.
    ASSERT_TRUE(wait_until([&] { band(cells, last); return cells == 0; }, 30)) << "no new page";
    EXPECT_EQ(last, 0) << "a stripe of the old page";
}

TEST_F(ScreenLeftovers, ALoadedImageWaitsWithAHintInTheBottomStrip)
{
    road_to_output_parameters();
    answer({"s\r", "s\r"});
    zemra->type_now("q");       // pause box
    answer({"q"});              // the run ends: options box
    answer({"s\r", "zemraleftover\r", "\r"});  // save the screen
    int strip_top = zemra->height() - 24;
    int before = marked_pixels(620, strip_top, 380, 18);
    answer({"l\r", "zemraleftover\r", "\r"});  // load it: the wait for q or Return
    EXPECT_GT(marked_pixels(620, strip_top, 380, 18), before + 100) << "no hint";
    remove("zemraleftover.nat");
}

} // namespace
