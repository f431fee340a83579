// Window tests that leave a draw-check report behind on purpose, each where
// a fixture's own check would miss it: a fixture whose TearDown calls no
// other, and a test with no fixture whose program wrote a report. The
// harness (window_test_main.cpp) must fail both; ctest's
// draw_check_harness passes only when it did.
#include "support/x_test_fixture.h"
#include "support/zemra_process.h"

#include <string>

#include "ui/screen/draw.h"
#include "ui/screen/draw_check_lines.h"
#include "ui/screen/globals.h"

namespace {

class BypassingFixture : public ScreenTest {
protected:
    void TearDown() override {}
};

TEST_F(BypassingFixture, TextRunsPastTheWindowsEdge)
{
    moveto(Maxx - 5, 100);
    outtext("past the edge");
}

TEST(NoFixture, AProgramWroteAReport)
{
    ZemraProcess program({"-c", std::string("echo '") + kDrawCheckPrefix + "a report of the program' >&2"});
    program.program = "/bin/sh";
    ASSERT_TRUE(program.start());
    EXPECT_EQ(program.wait_exit(), 0);
}

} // namespace
