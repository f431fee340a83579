// What the real program leaves on screen along the road to a forward-only
// pattern (a 20-cell ring at scale 4): where the run's prompts go in the
// text column, what a new page of the pattern clears, boxes that replace or
// hold longer texts, the colour key beside a wide pattern, and the hint
// shown while a loaded screen image waits for its key. The window is read
// back region by region.
#include "e2e/e2e_fixture.h"

#include <cstdio>
#include <string>

namespace {

class ScreenLeftovers : public ZemraTest {
protected:
    // Up to the output parameters of a 20-cell ring at scale 4, from a fixed
    // random seed: a rule whose pattern fills the page.
    void road_to_output_parameters()
    {
        launch();
        answer({"r\r", "123\r", "s\r", "2\r", "\r", "4\r", "20\r", "3\r", "\r", "\r", "\r",
                "\r", "\r",  // a random rule, accepted
                "\r",         // no transformation
                "\r"});
        // Seed: random over the whole ring (not a central block), accepted.
        answer({"\r", "a\r", "\r", "\r"});
    }
};

// The text column, 1024 x 768: the first screen's lines from about y = 80,
// eight lines of the set-up down to about y = 230.
TEST_F(ScreenLeftovers, RunPromptsGoOnTheNextFreeLinesOfTheTextColumn)
{
    road_to_output_parameters();
    answer({"s\r", "d\r"});  // output parameters, layout defaults: on to the forward-only options
    ASSERT_TRUE(zemra->wait_ready_for_key()) << "no forward-only options";
    // Nothing above the first line, and both prompts below the set-up's.
    EXPECT_EQ(zemra->marked_pixels(80, 40, 420, 38), 0) << "a prompt above the text column";
    EXPECT_GT(zemra->marked_pixels(80, 240, 420, 60), 200) << "the run prompts are not below";
}

TEST_F(ScreenLeftovers, ANewPageClearsEveryColumnOfTheOldOne)
{
    road_to_output_parameters();
    // Forward-only options walked to "sweep space-time pattern-s" (paging)
    // and to no analysis plot beside the pattern.
    answer({"s\r", "d\r", "\r", "\r", "\r", "\r", "\r", "s\r", "\r", "\r", "n\r", "d\r"});
    // The pattern: cells 19..0 from x = 0 to 79.
    // A band across the lower page, cells 19..1 and cell 0 with the margin,
    // read in one image so that both halves show the same moment.
    int top = zemra->height() - 240;
    auto band = [&](int &cells, int &last) {
        if (!zemra->marked_pixels_split(0, top, 82, 150, 76, cells, last))
            cells = last = -1;
    };
    int cells = 0, last = 0;
    ASSERT_TRUE(wait_until([&] { band(cells, last); return cells > 0; }))
        << "the page did not fill";
    // The new page starts at the top: while it is above the band, the band
    // is clear in every column.
    ASSERT_TRUE(wait_until([&] { band(cells, last); return cells == 0; })) << "no new page";
    EXPECT_EQ(last, 0) << "a stripe of the old page";
}

// A one-line box replacing the two-line WIRING menu, and the RULES prompt,
// longer than its box is wide, broken onto a second line inside it.
TEST_F(ScreenLeftovers, BoxesTakeAwayTheLongerBoxAndHoldTheirText)
{
    launch();
    answer({"s\r", "\r", "\r", "\r", "\r", "\r"});  // up to the WIRING menu
    int maxx = zemra->width() - 1;
    int two_lines = zemra->prompt_box_bottom();
    answer({"2\r"});  // regular 2d: the forward-only question
    ASSERT_TRUE(zemra->wait_ready_for_key()) << "no forward-only question";
    int one_line = zemra->prompt_box_bottom();
    int line = two_lines - one_line;
    ASSERT_GT(line, 10) << "no two-line menu before the one-line box";
    EXPECT_EQ(zemra->marked_pixels(maxx / 2, one_line + 1, maxx / 2 - 1, line), 0)
        << "the menu's second line under the one-line box";
    answer({"\r", "5\r", "4\r", "5\r",  // not forward only, a 5 x 4 lattice, k = 5
            "\r"});                     // rule tables: the RULES prompt
    ASSERT_TRUE(zemra->wait_ready_for_key()) << "no RULES prompt";
    EXPECT_EQ(zemra->prompt_box_bottom(), one_line + 2 * line) << "not two lines and the mix line";
    EXPECT_EQ(zemra->marked_pixels(maxx - 1, 2, 2, one_line + 2 * line), 0) << "text past the box";
}

// Totalistic forward only, every default: 150 cells at scale 6, a pattern
// 900 pixels wide from the left edge, which leaves no room at the top right
// for the colour key's box.
TEST_F(ScreenLeftovers, NoColourKeyBoxWhereTheWidePatternRuns)
{
    launch({"-t"});
    answer({"r\r", "123\r"});  // a fixed random seed: a rule that draws a pattern
    // Every default, one Return at a time (set-up, code, seed, output
    // parameters, forward-only options) until the pattern runs.
    auto pattern = [&] { return zemra->marked_pixels(180, 2, 300, 10) > 0; };
    for (int i = 0; i < 24; i++) {
        bool waits = false;
        ASSERT_TRUE(wait_until([&] { return pattern() || (waits = zemra->waits_for_key_now()); }));
        if (!waits)
            break;
        answer({"\r"});
    }
    ASSERT_TRUE(pattern()) << "no pattern";
    // Right of the pattern and its margin, down to below the key's three lines.
    EXPECT_EQ(zemra->marked_pixels(903, 0, zemra->width() - 903 - 4, 80), 0)
        << "a colour-key box over the pattern";
}

TEST_F(ScreenLeftovers, ALoadedImageWaitsWithAHintInTheBottomStrip)
{
    road_to_output_parameters();
    answer({"s\r", "d\r", "d\r"});
    zemra->type_now("q");       // pause box
    answer({"q"});              // the run ends: options box
    answer({"s\r", "zemraleftover\r", "\r"});  // save the screen
    int strip_top = zemra->height() - 24;
    int before = zemra->marked_pixels(620, strip_top, 380, 18);
    answer({"l\r", "zemraleftover\r", "\r"});  // load it: the wait for q or Return
    ASSERT_TRUE(zemra->wait_ready_for_key()) << "no wait after the load";
    EXPECT_GT(zemra->marked_pixels(620, strip_top, 380, 18), before + 100) << "no hint";
    remove("zemraleftover.nat");
}

// On a 1024 x 768 screen (a window 924 pixels wide) the hint and the
// blinking block after it end inside the window: the last columns of the
// strip stay clear.
TEST_F(ScreenLeftovers, SmallScreenALoadedImageHintEndsInsideTheWindow)
{
    road_to_output_parameters();
    answer({"s\r", "d\r", "d\r"});
    zemra->type_now("q");
    answer({"q"});
    answer({"s\r", "zemrahint\r", "\r"});
    int strip_top = zemra->height() - 24;
    answer({"l\r", "zemrahint\r", "\r"});
    ASSERT_TRUE(zemra->wait_ready_for_key()) << "no wait after the load";
    EXPECT_GT(zemra->marked_pixels(zemra->width() / 2, strip_top + 3, zemra->width() / 2 - 20, 14), 100)
        << "no hint";
    EXPECT_EQ(zemra->marked_pixels(zemra->width() - 14, strip_top + 3, 10, 14), 0)
        << "the hint runs to the window's edge";
    remove("zemrahint.nat");
}

} // namespace
