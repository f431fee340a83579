// The seed dialog and the run set-up of the real program: a 20-cell ring
// whose seed is typed in decimal and written to the automatic seed file,
// then a forward-only pattern set up through the output parameters and the
// forward-only options; a 15-cell ring doubled there for a damage run, its
// 30-cell seed typed and saved; and a 10-cell ring whose single basin run
// starts from a decimal seed, draws its basin and ends in the options box;
// a 14-cell ring's seed mirrored and shifted on a grid wider than its
// cells. Each runs in a working directory of the test's own.
#include "e2e/e2e_fixture.h"

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class SeedRoad : public ZemraWorkTest {
protected:
    SeedRoad() : ZemraWorkTest("zemra-e2e-seed") {}
    // Up to the seed dialog of an n-cell ring, k = 3, at scale 4.
    void road_to_seed(const char *n)
    {
        launch();
        answer({"r\r", "123\r", // a fixed random seed: the same rule each time
                "s\r",         // single basin, subtree or forward only
                "2\r", "\r",   // value range 2, no size range
                "4\r", n,      // scale, size
                "3\r", "\r",   // k = 3, regular 1d
                "\r", "\r",    // rule tables, a single rule
                "\r", "\r",    // a random rule, accepted
                "\r",          // no transformation
                "\r"});        // network view: on to the seed
    }
};

TEST_F(SeedRoad, DecimalSeedIsSavedAndTheForwardOnlyPatternRuns)
{
    road_to_seed("20\r");
    answer({"d\r", "1024\r",  // decimal seed 1024: cell 10 alone
            "\r"});           // density shown: accepted
    const std::string expected("\x02\x14\x00\x00\x00\x00\x04\x00", 8);
    ASSERT_TRUE(wait_until([&] { return work.read("mysee_v2.eed") == expected; }))
        << "mysee_v2.eed is not v, n, two sides and the seed 1024";
    answer({"s\r",                  // output parameters: space-time pattern only
            "d\r",                  // layout: accept the defaults of every settings menu
            "\r", "\r", "\r",       // forward-only options: all; parallel; colour by value
            "\r", "\r", "\r",       // no pause; 1d display; scroll
            "50\r", "\r",           // update probability 50%, output always
            "n\r", "\r", "\r",      // no analysis; frozen window; no matrix
            "\r",                   // no random map
            "f\r", "\r"});          // damage kept, not duplicated (even width)
    // The pattern starts from the seed at the top left.
    EXPECT_TRUE(wait_until([&] { return zemra->sparse_marked_pixels(0, 0, 20 * 4, 40) > 0; }))
        << "no space-time pattern";
    zemra->type_now("q");  // the running pattern: pause box
    EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
}

TEST_F(SeedRoad, OddRingDoubledForADamageRunTakesASeedOfTwiceItsCells)
{
    road_to_seed("15\r");
    answer({"d\r", "5\r", "\r"});  // seed 5, accepted
    answer({"s\r",                  // output parameters: space-time pattern only
            "d\r",                  // layout: accept the defaults of every settings menu
            "\r", "\r", "\r",       // forward-only options: all; parallel; colour by value
            "\r", "\r", "\r",       // no pause; 1d display; scroll
            "\r", "\r",             // update and output always
            "n\r", "\r", "\r",      // no analysis; frozen window; no matrix
            "\r",                   // no random map
            "f\r", "y\r",           // damage kept; the 15 cells doubled
            "\r",                   // the wiring review of the 30 cells: on
            "d\r", "1057\r", "\r"}); // the doubled seed: cells 0, 5 and 10, the left half only
    const std::string expected("\x02\x1e\x00\x00\x00\x21\x04\x00\x00", 9);
    ASSERT_TRUE(wait_until([&] { return work.read("mysee_v2.eed") == expected; }))
        << "mysee_v2.eed is not v, 30 cells, two sides and the seed 1057";
    EXPECT_TRUE(wait_until([&] { return zemra->sparse_marked_pixels(0, 0, 30 * 4, 40) > 0; }))
        << "no space-time pattern";
    zemra->type_now("q");  // the running pattern: pause box
    EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
}

TEST_F(SeedRoad, SingleBasinRunFromADecimalSeedReachesTheOptionsBox)
{
    road_to_seed("10\r");
    answer({"d\r", "5\r", "\r"});  // seed 5, accepted
    const std::string expected("\x02\x0a\x00\x00\x00\x05\x00", 7);
    EXPECT_TRUE(wait_until([&] { return work.read("mysee_v2.eed") == expected; }))
        << "mysee_v2.eed is not v, n and the seed 5";
    answer({"d\r",         // output parameters: every basin default
            "\r", "\r",    // basin; history limit 10,000
            "d\r"});       // pre-image method: the defaults
    // The attractor found goes to the basin drawing; the options box
    // follows at the top left.
    EXPECT_TRUE(wait_until([&] { return zemra->sparse_marked_pixels(5, 5, 320, 50) > 100; }))
        << "no options box after the basin run";
    // The basin itself: its cycle and trees in the middle of the window.
    int w = zemra->width(), h = zemra->height();
    EXPECT_GT(zemra->sparse_marked_pixels(w / 4, h / 4, w / 2, h / 2), 50) << "no basin drawn";
    EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
}

// The 14-cell ring seen as a 6 x 3 grid ('B', width 6), whose places
// 14..17 lie outside the state: the seed with cells 0, 7, 12 and 13 set is
// mirrored top-bottom (cell 12 takes cell 0, cells 0 and 1 take 12 and 13,
// the places beyond them 0), left-right (cells 4, 5 and 10; cells 12 and 13
// take places 16 and 17, 0) and shifted one column on (cells 0, 5 and 11).
TEST_F(SeedRoad, RingSeenAsAWiderGridIsMirroredAndShiftedWithinItsCells)
{
    road_to_seed("14\r");
    answer({"d\r", "12417\r", "q",  // cells 0, 7, 12 and 13; revise: the menu again
            "B\r", "6\r",           // the 2d view, 6 wide
            "V", "h", "l", "\r",     // mirrors and a shift; accepted
            "\r"});                 // density shown: accepted
    const std::string expected("\x02\x0e\x00\x00\x00\x21\x08", 7);
    ASSERT_TRUE(wait_until([&] { return work.read("mysee_v2.eed") == expected; }))
        << "mysee_v2.eed is not v, n, two sides and the seed 2081";
    EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
}

} // namespace
