// The fatal out-of-memory box. Each case runs in a child process with a
// window of its own, answered through the server by a connection of the
// child's test code, and must end with status 1.
#include "support/x_test_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "support/x_keys.h"
#include "ui/driver/out_of_memory.h"
#include "ui/model/buffers.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"

namespace {

// In the child: a fresh window, then the given keys typed into it.
void
open_window_and_type(const std::string &keys)
{
    D = nullptr;
    if (!is)
        allocate_mem_buffers();
    open_graphics();
    Display *keyboard = XOpenDisplay(nullptr);
    xtest_move_pointer(keyboard, 200, 200);
    XSetInputFocus(keyboard, W, RevertToParent, CurrentTime);
    xtest_type(keyboard, keys);
}

// The parent keeps a window of its own open, so the server stays up while
// each child opens and closes its window.
class OutOfMemoryBox : public ScreenTest {
};

TEST(OutOfMemoryWithoutWindow, MessageOnStandardErrorAndStatusOne)
{
    EXPECT_EXIT(
        {
            D = nullptr;
            outof_memory("nm[2]");
        },
        ::testing::ExitedWithCode(1),
                "^ not enough memory for nm\\[2\\]\n$");
}

TEST_F(OutOfMemoryBox, AnyOtherKeyEndsWithStatusOne)
{
    EXPECT_EXIT(
        {
            open_window_and_type("x\r");
            outof_memory("carule[17]");
        },
        ::testing::ExitedWithCode(1), "");
}

// A stand-in xwd that reports each call and fails, so printing ends at once
// with " could not print".
void
use_failing_xwd()
{
    char dir[] = "/tmp/zemra-oom-XXXXXX";
    if (!mkdtemp(dir))
        return;
    std::string stub = std::string(dir) + "/xwd";
    FILE *script = fopen(stub.c_str(), "w");
    fputs("#!/bin/sh\necho xwd called >&2\nexit 1\n", script);
    fclose(script);
    chmod(stub.c_str(), 0755);
    setenv("PATH", (std::string(dir) + ":" + getenv("PATH")).c_str(), 1);
    if (chdir(dir) != 0)
        return;
}

TEST_F(OutOfMemoryBox, PrintingKeepsTheBoxOpenUntilAnotherKey)
{
    EXPECT_EXIT(
        {
            use_failing_xwd();
            // 'p' at the box, 'p' at the print prompt, any key after the
            // failure message; twice, then another key ends the program.
            open_window_and_type("p\rp\r\rp\rp\r\rx\r");
            outof_memory("wiring[3]");
        },
        ::testing::ExitedWithCode(1), "xwd called\n(.|\n)*xwd called\n");
}

TEST_F(OutOfMemoryBox, RuleOptionsAreNotOfferedWithoutARuleTable)
{
    EXPECT_EXIT(
        {
            tot_only = 1;
            nhood = 3;
            carule = nullptr;
            open_window_and_type("o\r");
            outof_memory("A");
        },
        ::testing::ExitedWithCode(1), "");
}

TEST_F(OutOfMemoryBox, RuleOptionsWithOneRuleForAllCells)
{
    EXPECT_EXIT(
        {
            static uint8_t rule[1] = {0x96};
            static uint8_t *tables[1] = {rule};
            tot_only = 0;
            rulemix = 0;
            nhood = 3;
            carule = tables;
            // What the set-up has made by the time a rule exists.
            allocate_mem_Z_parameter();
            allocate_mem_nhood_matrix(Maxnhood);
            // 'o' opens the rule options box, which 'q' leaves.
            open_window_and_type("o\rq");
            outof_memory("F");
        },
        ::testing::ExitedWithCode(1), "");
}

} // namespace
