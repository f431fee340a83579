// The in-degree histogram of the real program: a 10-cell ring set up with
// the histogram on (cut-off 200) runs a single basin; the histogram that
// follows turns to log axes and saves its counts to my_prh.prh, 804 bytes whose counts add up
// to the basin's states, and 'q' leaves it for the options box. Runs in a
// working directory of the test's own.
#include "e2e/e2e_fixture.h"

#include <string>

namespace {

class InDegreeRoad : public ZemraWorkTest {
protected:
    InDegreeRoad() : ZemraWorkTest("zemra-e2e-prh") {}
};

TEST_F(InDegreeRoad, BasinRunShowsTheHistogramWhichSavesItsCounts)
{
    launch();
    answer({"r\r", "123\r",  // a fixed random seed: the same rule each time
            "s\r",          // single basin, subtree or forward only
            "2\r", "\r",    // value range 2, no size range
            "4\r", "10\r",  // scale, size
            "3\r", "\r",    // k = 3, regular 1d
            "\r", "\r",     // rule tables, a single rule
            "\r", "\r",     // a random rule, accepted
            "\r",           // no transformation
            "\r",           // network view: on to the seed
            "d\r", "5\r", "\r", // seed 5, accepted
            "\r",           // output parameters: revise from the start
            "\r",           // no state-space matrix
            "y\r", "d\r",   // the in-degree histogram, cut-off 200; the rest default
            "\r", "\r",     // basin; history limit 10,000
            "d\r"});        // pre-image method: the defaults
    // The basin is drawn, then the histogram waits for its key.
    answer({"b"}); // both axes logarithmic
    answer({"s", "\r", "\r"}); // save: the default name my_prh, confirmed
    std::string file;
    ASSERT_TRUE(wait_until([&] { return (file = work.read("my_prh.prh")).size() == 804; }))
        << "no 804-byte my_prh.prh";
    uint64_t nodes = 0;
    for (size_t i = 0; i < file.size(); i += 4)
        nodes += static_cast<uint64_t>(static_cast<uint8_t>(file[i])) << 24 |
                 static_cast<uint8_t>(file[i + 1]) << 16 | static_cast<uint8_t>(file[i + 2]) << 8 |
                 static_cast<uint8_t>(file[i + 3]);
    // One basin of a 10-cell ring: at least its cycle, at most 2^10 states
    // (rotation-equivalent copies counted as well).
    EXPECT_GE(nodes, 1u);
    EXPECT_LE(nodes, 1024u);
    answer({"q"}); // the histogram ends
    EXPECT_EQ(zemra->quit_by_steps(), 0);
}

} // namespace
