// A forward-only run driven through the real program: set-up, seed, output
// settings, the run kind, the space-time pattern, the pause box, the options
// box, and back out to a clean exit; keys typed into the running pattern;
// the rows of the pattern against one rule of the three inputs.
#include "e2e/e2e_fixture.h"
#include "support/ready_signal.h"

#include <string>
#include <vector>

namespace {

using ForwardRun = ZemraTest;

TEST_F(ForwardRun, PatternIsDrawnAndTheRunLeavesThroughTheOptionsBox)
{
    launch();
    road_to_forward_pattern();
    // The seed is the first row of the pattern, at the top left, cell 0 at
    // the right: some of its 14 cells hold 1.
    unsigned long background = zemra->pixel(500, 500);
    bool drawn = wait_until(
        [&] {
            for (int x = 2; x < 14 * 6; x += 3)
                if (zemra->pixel(x, 3) != background)
                    return true;
            return false;
        });
    EXPECT_TRUE(drawn) << "no space-time pattern";
    zemra->type_now("q");     // the running pattern: pause box
    EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
    EXPECT_EQ(without_draw_check_lines(zemra->stderr_text()), "\n Using backing store\n\nZemra clean exit\n");
}

TEST_F(ForwardRun, ReturnInTheOptionsBoxRepeatsTheSameRun)
{
    launch();
    road_to_forward_pattern();
    // The first rows of the pattern: the seed and its first successors.
    auto first_rows = [&] { return zemra->region_digest(0, 0, 14 * 6, 5 * 6); };
    unsigned long background = zemra->pixel(500, 500);
    ASSERT_TRUE(wait_until([&] { return zemra->pixel(40, 400) != background ||
                                        zemra->pixel(10, 400) != background ||
                                        zemra->pixel(70, 400) != background; }))
        << "the pattern did not run down the page";
    unsigned long long first_run = first_rows();
    zemra->type_now("q");  // the running pattern: pause box
    answer({"q"});         // end the run
    // Rows already drawn lower down: a repeat clears them and starts again at
    // the top (it takes seconds to come back down), while ending the run
    // would leave them as they are.
    auto lower_rows = [&] { return zemra->region_digest(0, 370, 14 * 6, 31); };
    unsigned long long finished = lower_rows();
    answer({"\r"});      // options box: run again
    EXPECT_TRUE(wait_until([&] { return lower_rows() != finished; }))
        << "the run did not start again";
    // Same rule and seed: the same first rows come back.
    EXPECT_TRUE(wait_until([&] { return first_rows() == first_run; }));
    zemra->type_now("q");  // the repeated run: pause box
    EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
}

TEST_F(ForwardRun, RunningKeysChangeThePatternOnTheFly)
{
    launch();
    road_to_forward_pattern();
    ASSERT_TRUE(wait_for_pattern()) << "no space-time pattern";
    // The key panel at the bottom right: 'X' takes it away and brings it back.
    const int w = zemra->width(), h = zemra->height();
    auto panel = [&] { return zemra->region_digest(w - w / 5, h / 3, w / 6, h / 4); };
    ASSERT_TRUE(wait_until([&] { return panel() != 0; }));
    unsigned long long shown = panel();
    zemra->type_now("X");
    ASSERT_TRUE(wait_until([&] { return panel() != shown; })) << "'X' left the panel";
    zemra->type_now("X");
    EXPECT_TRUE(wait_until([&] { return panel() == shown; })) << "'X' did not bring it back";
    // Rule, seed, speed and size keys while the pattern runs, typed
    // together; the run goes on.
    zemra->type_now("<>5112r6ldi");
    // The run still answers its keys (its rows may have settled to a fixed
    // point under the rule the keys drew): 'X' takes the panel away again.
    unsigned long long now_shown = panel();
    zemra->type_now("X");
    EXPECT_TRUE(wait_until([&] { return panel() != now_shown; })) << "the run stopped";
    zemra->type_now("q");     // pause box
    EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
    EXPECT_EQ(without_draw_check_lines(zemra->stderr_text()), "\n Using backing store\n\nZemra clean exit\n");
}

// Two running keys typed together: the second arrives while the first is
// handled and must act too. Each 'h' moves the frozen-cell mode on, and the
// key panel's line for 'h' names the modes from the one in force, so the
// panel of each mode is learnt one key at a time first.
TEST_F(ForwardRun, TwoRunningKeysTypedTogetherBothAct)
{
    launch();
    road_to_forward_pattern();
    const int w = zemra->width(), h = zemra->height();
    // The panel's lower half, which holds the line of 'h', as drawn: read
    // twice alike (not halfway through a redraw).
    unsigned long long last = 0;
    auto panel = [&] {
        unsigned long long now = zemra->region_digest(w - w / 5, h / 2, w / 6, h / 4);
        bool settled = now == last;
        last = now;
        return settled ? now : 0;
    };
    ASSERT_TRUE(wait_until([&] { return panel() != 0; }, kReadyPatience)) << "no key panel";
    // The panel of mode m (0 to 3) and of mode 0 again after four keys.
    unsigned long long mode[5] = {last};
    for (int m = 1; m <= 4; m++) {
        zemra->type_now("h");
        ASSERT_TRUE(wait_until([&] { return panel() != 0 && last != mode[m - 1]; }, kReadyPatience))
            << "'h' did not act in mode " << m - 1;
        mode[m] = last;
    }
    ASSERT_EQ(mode[4], mode[0]) << "four 'h' did not bring the first mode back";
    zemra->type_now("hh");
    EXPECT_TRUE(wait_until([&] { return panel() == mode[2]; }, kReadyPatience))
        << "the second of two keys typed together was lost";
    zemra->type_now("q");     // pause box
    EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
}

// A 40-cell ring's run with its input frequencies drawn as the slanted
// surface right of the side plot: 's' swaps them for the density plot,
// which stands left of their place, and the surface goes with them.
TEST_F(ForwardRun, TheDensityPlotTakesTheLookupSurfaceAway)
{
    launch();
    answer({"r\r", "123\r",                        // the fixed random seed
            "s\r", "\r", "\r", "\r", "40\r", "\r", // single ring: value range, no range, scale, 40 cells, k
            "\r", "\r", "\r", "\r\r", "\r",         // regular wiring, a random rule accepted
            "\r", "\r\r\r\r",                      // network view, a random seed
            "s\r", "d\r",                            // space-time pattern, layout defaults
            "a\r", "3\r", "\r", "\r", "d\r"});       // analysis: input frequencies, surface
    ASSERT_TRUE(wait_for_pattern()) << "no space-time pattern";
    // Right of the 200-pixel pattern and the side plot beside it, left of
    // the key panel.
    const int x0 = 200 + vx(115), x1 = zemra->width() * 3 / 4;
    auto surface = [&] { return zemra->marked_pixels(x0, vy(57), x1 - x0, vy(300) - vy(57)); };
    ASSERT_TRUE(wait_until([&] { return surface() > 0; })) << "no lookup surface";
    zemra->type_now("s");
    EXPECT_TRUE(wait_until([&] { return surface() == 0; })) << "the surface stayed beside the density plot";
    zemra->type_now("q");
    EXPECT_EQ(zemra->quit_by_steps(), 0);
}

// The rows of the default 14-cell ring (k = 3, regular wiring, so stepped
// 64 cells to a word), read from the paused pattern: every cell's next value
// must be one function of its three inputs, the same for every cell and
// every step, however the rule was drawn.
TEST_F(ForwardRun, RowsFollowOneRuleOfTheThreeInputs)
{
    launch();
    road_to_forward_pattern();
    unsigned long background = zemra->pixel(500, 500);
    ASSERT_TRUE(wait_until([&] { return zemra->pixel(40, 400) != background ||
                                        zemra->pixel(10, 400) != background ||
                                        zemra->pixel(70, 400) != background; }))
        << "the pattern did not run down the page";
    zemra->type_now("q"); // pause box: the pattern stands still
    ASSERT_TRUE(zemra->wait_ready_for_key()) << "no pause box";
    // Cell c of row r is the 6-pixel square at ((13 - c) * 6, r * 6); 1 is
    // any colour but the background.
    const int n = 14, cell = 6, rows = 60;
    std::vector<std::vector<int>> pattern(rows, std::vector<int>(n));
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < n; c++)
            pattern[r][c] = zemra->pixel((n - 1 - c) * cell + 3, r * cell + 3) != background;
    int rule[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    int seen = 0;
    for (int r = 0; r + 1 < rows; r++)
        for (int c = 0; c < n; c++) {
            int x = pattern[r][(c + n - 1) % n] + 2 * pattern[r][c] + 4 * pattern[r][(c + 1) % n];
            if (rule[x] < 0) {
                rule[x] = pattern[r + 1][c];
                seen++;
            }
            ASSERT_EQ(pattern[r + 1][c], rule[x]) << "row " << r + 1 << " cell " << c;
        }
    EXPECT_GE(seen, 4) << "too few neighbourhoods met to tell a wrong step";
    EXPECT_EQ(zemra->quit_by_steps(), 0);
}

} // namespace
