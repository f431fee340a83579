// A range of network sizes through the real program: a 5- to 7-cell ring
// set up with a size range, its single basins drawn side by side, one per
// size, the options box at the end; Return runs the range again from the
// first size, and the program steps back out cleanly.
#include "e2e/e2e_fixture.h"

namespace {

class SizeRangeRoad : public ZemraWorkTest {
protected:
    SizeRangeRoad() : ZemraWorkTest("zemra-e2e-range") {}
    // Groups of marked columns, apart by 12 pixels or more, in the band
    // between the boxes at the top and the rule readout at the foot.
    int drawings_side_by_side()
    {
        unsigned long background = zemra->pixel(zemra->width() - 30, zemra->height() / 2);
        int w = zemra->width(), h = zemra->height();
        int groups = 0, last = -100;
        for (int i = 0; i < w - 40; i += 2) {
            bool any = false;
            for (int j = h / 10; j < h * 3 / 5 && !any; j += 2)
                any = zemra->pixel(i, j) != background;
            if (!any)
                continue;
            if (i - last >= 12)
                groups++;
            last = i;
        }
        return groups;
    }
};

TEST_F(SizeRangeRoad, SingleBasinsOverARangeEndInTheOptionsBox)
{
    launch();
    answer({"r\r", "123\r",       // a fixed random seed: the same rule each time
            "s\r",                // single basin, subtree or forward only
            "2\r", "r\r",         // value range 2, a range of sizes
            "5\r", "7\r", "4\r",  // from 5 to 7 cells, scale 4
            "3\r", "\r",          // k = 3, regular 1d
            "\r", "\r",           // rule tables, a single rule
            "\r", "\r",           // a random rule, accepted
            "\r",                 // no transformation
            "\r",                 // network view: on to the seed
            "\r", "\r", "\r",     // a random seed: the default method, accepted, density
            "d\r",                // output parameters: every basin default
            "\r", "\r",           // basin; history limit 10,000
            "d\r"});              // pre-image method: the defaults
    EXPECT_TRUE(wait_until([&] { return zemra->sparse_marked_pixels(5, 5, 320, 50) > 100; }))
        << "no options box after the range";
    EXPECT_EQ(drawings_side_by_side(), 3) << "not one basin per size";
    answer({"\r"});               // the options box: the range once more
    EXPECT_TRUE(wait_until([&] { return zemra->sparse_marked_pixels(5, 5, 320, 50) > 100; }))
        << "no options box after the second range";
    EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
    EXPECT_EQ(zemra->stderr_text().find("X error"), std::string::npos) << zemra->stderr_text();
}

} // namespace
