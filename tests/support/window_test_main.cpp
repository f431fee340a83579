// The main of every window test program (the ui_*_xtests and e2e_xtests):
// GoogleTest's, with a listener that fails each test on the draw check's
// reports that the allow list does not accept (draw_check_allow.h). It hears
// every test, whatever its fixture does or leaves out: the reports of the
// drawing in the test's own process (the screen fixture turns the check on)
// and those the zemra programs the test ran handed over as they went.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/draw_check_allow.h"
#include "support/x_test_fixture.h"

namespace {

class draw_check_listener : public ::testing::EmptyTestEventListener {
    // Called while the test is still the current one, after its fixture
    // is gone: a failure added here is the test's. GoogleTest calls the
    // listeners of a test's end last first, so the printer, the first of
    // them, tells the failure too.
    void
    OnTestEnd(const ::testing::TestInfo &) override
    {
        std::vector<std::string> reports = end_window_test();
        for (std::string &r : take_program_reports())
            reports.push_back(std::move(r));
        std::vector<std::string> unallowed = unallowed_draw_reports(reports);
        if (!unallowed.empty())
            ADD_FAILURE() << "the draw check reported " << unallowed.size()
                          << " fault(s) that its allow list does not accept:\n"
                          << report_lines(unallowed);
    }
};

} // namespace

int
main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new draw_check_listener);
    return RUN_ALL_TESTS();
}
