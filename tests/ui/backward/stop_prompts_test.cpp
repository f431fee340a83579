// The key poll's rate limit (window_poll_due): the clock is read only every
// so many calls, yet a poll still comes soon after calls grow slow.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "ui/backward/stop_prompts.h"

namespace {

TEST(WindowPoll, FirstCallAfterRestartPolls)
{
    restart_window_poll();
    EXPECT_TRUE(window_poll_due());
}

TEST(WindowPoll, SlowCallsAfterFastOnesPollWithinSeventeenCalls)
{
    // Fast calls for 20 ms: the clock is then read every few calls only.
    restart_window_poll();
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(20);
    while (std::chrono::steady_clock::now() < end)
        for (int i = 0; i < 1000; i++)
            window_poll_due();
    // One call each 10 ms (more than a poll interval and a coarse clock
    // tick): a poll comes within at most 16 unread calls and one read.
    int polls = 0;
    for (int i = 0; i < 17 && polls == 0; i++) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        polls += window_poll_due() ? 1 : 0;
    }
    EXPECT_EQ(polls, 1);
}

} // namespace
