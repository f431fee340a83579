// The staged set-up driven through the real program: forward along a road
// to the network view, then back out stage by stage to a clean exit.
#include "e2e/e2e_fixture.h"

#include <string>

namespace {

const char kCleanExit[] = "\n Using backing store\n\nZemra clean exit\n";

class SetupRoad : public ZemraTest {
protected:
    // From the network view of a network with no view after its wire-up,
    // back to the first screen; then the exit box.
    void back_out_and_exit(std::initializer_list<std::string> size_stage_backs)
    {
        answer({"q",    // network view -> rules
                "q",    // rules -> rule kind
                "q",    // rule kind -> the network view
                "q",    // ... left with q -> wiring
                "q",    // wiring -> neighbourhood
                "q"});  // neighbourhood -> network size
        answer(size_stage_backs);
        answer({"q",    // size range -> value range
                "q",    // value range -> first screen
                "q",    // exit box
                "q"});  // exit
        EXPECT_EQ(zemra->wait_exit(), 0);
    }
};

TEST_F(SetupRoad, DefaultFieldRoadAndBackExitsCleanly)
{
    launch();
    answer({"\r",      // basin field
            "\r",      // value range 2
            "\r",      // no size range
            "\r", "\r",  // size 10, scale
            "\r",      // k = 3
            "\r",      // regular 1d
            "\r",      // rule tables
            "\r",      // a single rule
            "\r", "\r",    // a random rule, accepted
            "\r"});       // no transformation
    back_out_and_exit({"q"});  // field size -> size range
    EXPECT_EQ(stderr_messages(), kCleanExit);
}

TEST_F(SetupRoad, LatticeSidesAreCheckedAndTheListingFollowsTheTemplate)
{
    launch();
    answer({"s\r",           // single basin
            "\r", "\r",      // value range, no size range
            "\r", "\r",      // scale, size 14
            "\r",            // k = 3
            "2\r",           // regular 2d
            "\r",            // not forward only
            "200\r", "400\r", "\r",  // too big: refused, any key
            "5\r", "4\r",    // a 5 x 4 lattice
            "5\r",           // k = 5
            "\r", "\r",      // rule tables, a single rule
            "\r", "\r",      // a random rule, accepted
            "\r",             // no transformation
            "Mp\r",          // wiring listing, copied to standard error
            "q"});           // leave the listing
    back_out_and_exit({"q"});  // scale -> size range
    std::string listing = zemra->stderr_text();
    // Cell 0 of a 5 x 4 lattice with k = 5 reads 15, 4, 0, 1, 5 (listed
    // from the highest input position down), and is read by 5 cells.
    EXPECT_NE(listing.find("\n5   0:   5   1   0   4   15"), std::string::npos) << listing;
    EXPECT_NE(listing.find("  19:"), std::string::npos);
    EXPECT_EQ(listing.find("  20:"), std::string::npos);
}

TEST_F(SetupRoad, LargestSquareLatticeIsAccepted)
{
    launch();
    answer({"s\r", "\r", "\r", "\r", "\r", "\r",
            "2\r", "\r",       // regular 2d, not forward only
            "255\r", "\r",     // 255 x 255
            "\r",              // k = 3 kept
            "\r", "\r",        // rule tables, a single rule
            "\r", "\r",        // a random rule, accepted
            "\r",               // no transformation
            "Mp\r", "q"});     // the listing starts at the last cell
    back_out_and_exit({"q"});
    EXPECT_NE(zemra->stderr_text().find("   65024:"), std::string::npos);
}

} // namespace
