// A forward-only run driven through the real program: set-up, seed, output
// settings, the run kind, the space-time pattern, the pause box, the options
// box, and back out to a clean exit.
#include "e2e/e2e_fixture.h"

#include <string>

namespace {

using ForwardRun = ZemraTest;

TEST_F(ForwardRun, PatternIsDrawnAndTheRunLeavesThroughTheOptionsBox)
{
    launch();
    answer({"r\r", "123\r",   // a fixed random seed: the same rule and seed each time
            "s\r",            // single basin, subtree or forward only
            "\r", "\r",       // value range 2, no size range
            "\r", "\r",       // scale, size 14
            "\r", "\r",       // k = 3, regular 1d
            "\r", "\r",       // rule tables, a single rule
            "\r",             // network view: on to the runs
            "\r", "\r", "\r", // a random seed: the default method, accepted, density
            "s\r",            // output settings: space-time pattern only
            "d\r"});          // forward-only options: the defaults
    // The seed is the first row of the pattern, at the top left, cell 0 at
    // the right: some of its 14 cells hold 1.
    unsigned long background = zemra->pixel(500, 500);
    bool drawn = wait_until(
        [&] {
            for (int x = 2; x < 14 * 6; x += 3)
                if (zemra->pixel(x, 3) != background)
                    return true;
            return false;
        },
        10);
    EXPECT_TRUE(drawn) << "no space-time pattern";
    zemra->type_now("q");     // the running pattern: pause box
    answer({"q",              // end the run
            "q",              // options box
            "q",              // output settings -> seed
            "q",              // seed -> network view stage
            "q", "q", "q", "q", "q", "q",  // view, rules, rule kind, view, wiring, k
            "q", "q", "q",    // scale, size range, value range
            "q", "q"});       // exit box
    EXPECT_EQ(zemra->wait_exit(), 0);
    EXPECT_EQ(zemra->stderr_text(), "\n Using backing store\nZemra clean exit\n");
}

TEST_F(ForwardRun, ReturnInTheOptionsBoxRepeatsTheSameRun)
{
    launch();
    answer({"r\r", "123\r", "s\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r",
            "\r", "\r", "\r", "\r", "s\r", "d\r"});
    // The first rows of the pattern: the seed and its first successors.
    auto first_rows = [&] { return zemra->region_digest(0, 0, 14 * 6, 5 * 6); };
    unsigned long background = zemra->pixel(500, 500);
    ASSERT_TRUE(wait_until([&] { return zemra->pixel(40, 400) != background ||
                                        zemra->pixel(10, 400) != background ||
                                        zemra->pixel(70, 400) != background; },
                           10))
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
    EXPECT_TRUE(wait_until([&] { return lower_rows() != finished; }, 10))
        << "the run did not start again";
    // Same rule and seed: the same first rows come back.
    EXPECT_TRUE(wait_until([&] { return first_rows() == first_run; }, 10));
    zemra->type_now("q");  // the repeated run: pause box
    answer({"q", "q", "q", "q", "q", "q", "q", "q", "q", "q", "q", "q", "q", "q", "q"});
    EXPECT_EQ(zemra->wait_exit(), 0);
}

} // namespace
