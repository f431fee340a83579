// A long pre-image fan of the general method answers the keys and the end
// signals while its search finds nothing: the subtree of a 36-cell network,
// random wiring, k = 9, random rule, whose root (the random seed that the
// fixed random seed 123 gives) has no pre-image. Let run, its one fan takes
// some 40 seconds in a Release build, the program's memory below 200 MB. A
// 'q' typed as the run begins opens the fan-stop prompt at once, and its 'q'
// ends the subtree; SIGTERM during the fan ends the program cleanly. Each
// test runs in a working directory of its own.
#include "e2e/e2e_fixture.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <set>
#include <string>

namespace {

// Far below the fan's length, far above the poll's delay inside it.
constexpr double kAtOnce = 2;      // seconds for a key wait to come
constexpr double kExitSeconds = 5; // seconds for the program to end

class LongFan : public ZemraWorkTest {
protected:
    LongFan() : ZemraWorkTest("zemra-e2e-fan") {}

    // From the first screen to the subtree run, typed up to its last Return;
    // two_lines is the bottom of the WIRING menu's two-line prompt box. The
    // cells keep their own order: no cell-order box at the top right.
    void road_to_long_fan()
    {
        launch();
        answer({"r\r", "123\r", // the fixed random seed: the same network each time
                "s\r",          // single basin, subtree or forward only
                "2\r", "\r",    // value range 2, no size range
                "4\r", "36\r",  // scale, size
                "9\r"});        // k = 9
        ASSERT_TRUE(zemra->wait_ready_for_key());
        two_lines = zemra->prompt_box_bottom(); // the WIRING menu
        answer({"r\r", "\r",      // random wiring; its review: on
                "\r", "\r",       // rule tables, a single rule
                "\r", "\r",       // a random rule, accepted
                "\r", "\r",       // no transformation; network view: on to the seed
                "\r", "\r", "\r", // a random seed in the central block of 8, accepted
                "\r", "\r",       // its density shown; on
                "d\r",            // output parameters: every basin default
                "b\r",            // backward: a subtree
                "\r", "\r",       // no forward steps first, no space-time pattern
                "R\r"});          // no stack view, the cells in their own order
    }

    // Seconds until the program's next key wait.
    double seconds_to_key_wait()
    {
        auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(zemra->wait_ready_for_key()) << "no key wait";
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    // Pixels of the top left, where the options box of an ended subtree
    // stands ("graphics-g image:prt/save/load-p/s/l ops-o").
    int options_box_pixels() { return zemra->marked_pixels(vx(5), vy(5), vx(100), vy(15)); }

    int two_lines = -1;
};

TEST_F(LongFan, QDuringTheFanOpensTheFanStopPromptAtOnce)
{
    ASSERT_NO_FATAL_FAILURE(road_to_long_fan());
    // 'q' is taken at the run's next poll, inside the fan; on a busy
    // machine one before the fan began takes it and opens the one-line
    // stop prompt, whose Return goes on to the fan.
    int bottom = 0;
    for (int tries = 0; tries < 5 && bottom != two_lines; tries++) {
        if (tries > 0)
            answer({"\r"});
        zemra->type_now("q");
        EXPECT_LT(seconds_to_key_wait(), kAtOnce) << "the run did not answer 'q'";
        bottom = zemra->prompt_box_bottom();
    }
    // "early exit - in pre-image fan" over "options-o, stop subtree-q,
    // cont-ret:" at the top right, the subtree still under way.
    EXPECT_EQ(bottom, two_lines) << "no two-line fan-stop prompt";
    EXPECT_EQ(options_box_pixels(), 0) << "the subtree had ended";
    answer({"q"}); // stop the subtree: its report and the options follow
    EXPECT_LT(seconds_to_key_wait(), kAtOnce) << "the subtree did not end";
    EXPECT_GT(options_box_pixels(), 0) << "no options box after the subtree";
    EXPECT_EQ(zemra->quit_by_steps(), 0);
}

TEST_F(LongFan, SigtermDuringTheFanEndsCleanly)
{
    ASSERT_NO_FATAL_FAILURE(road_to_long_fan());
    // The run clears the set-up column as it begins; it waits for no key.
    ASSERT_TRUE(wait_until([&] { return zemra->marked_pixels(vx(20), vy(30), vx(250), vy(150)) == 0; }))
        << "the run did not begin";
    EXPECT_FALSE(zemra->waits_for_key_now()) << "no fan under way";
    ASSERT_GT(zemra->pid(), 0) << "no program to signal";
    kill(zemra->pid(), SIGTERM);
    EXPECT_EQ(zemra->wait_exit(kExitSeconds), 0);
    EXPECT_NE(zemra->stderr_text().find("Zemra clean exit"), std::string::npos);
    // Only the rule and seed files that the set-up writes: no temporary file.
    std::set<std::string> left;
    for (const auto &entry : std::filesystem::directory_iterator(work.dir))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{"l_v2k9.rul", "mysee_v2.eed"}));
}

} // namespace
