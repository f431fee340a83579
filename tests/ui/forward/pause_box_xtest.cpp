// The pause and options box on the real window: the results a run reads
// ('r' then Return 2, a key that keeps the box with 0 in between, 'q' 1
// with the pauses cleared), the pause dialog, the border widths, the filter
// dialog, a field run's seed keys, and the 'c' choices with no state.
#include "support/x_test_fixture.h"

#include <thread>

#include "engine/backward/globals.h"
#include "engine/forward/forward_test_support.h"
#include "engine/forward/globals.h"
#include "ui/forward/pause_box.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

class PauseBox : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        allocate_mem_nhood_matrix(13);
        give_rule_figures();
        direction = direction_forward;
        limitcheck = 0;
        basinfield = 0;
        setviewport(0, 0, Maxx, Maxy, 1);
    }
    void TearDown() override
    {
        free_mem_nhood_matrix(13);
        direction = direction_unset;
        stppause = stppause_none;
        ittpause = 0;
        border = 0;
        b_value = 0;
    }
    // Opens the box on the ring's rule with the keys typed into it.
    static int box(const std::string &keys, const uint8_t *state = nullptr)
    {
        paced_thread typist = type_keys_paced(keys);
        int result = interrupt_stp_box(2, carule[0], 7, state ? state : A, 0);
        typist.join();
        return result;
    }
};

TEST_F(PauseBox, ReturnAloneIsZeroAndChangesNothing)
{
    TestNetwork net(2, 16, 3);
    TestNetwork::set_rule_number(110);
    EXPECT_EQ(box("\r"), stp_box_nothing);
    EXPECT_EQ(carule[0][0], 110);
}

TEST_F(PauseBox, RuleChangeThenReturnIsTwo)
{
    TestNetwork net(2, 16, 3);
    allocate_mem_rule0_extra(3);
    srandom(3);
    TestNetwork::set_rule_number(110);
    EXPECT_EQ(box("r\r\r"), stp_box_changed);
    EXPECT_EQ(was_changed, 1);
    // A key that keeps the box open sets the result anew: the print prompt
    // left with 'q' gives 0.
    EXPECT_EQ(box("r\rp\rq\r"), stp_box_nothing);
    free_mem_rule0_extra();
}

TEST_F(PauseBox, QuitIsOneAndClearsThePauses)
{
    TestNetwork net(2, 16, 3);
    EXPECT_EQ(box("N\r25\rq"), stp_box_restart);
    EXPECT_EQ(stppause, stppause_none);
    EXPECT_EQ(ittpause, 0u);
    EXPECT_EQ(box("x\r"), stp_box_changed);
    EXPECT_EQ(stppause, stppause_box);
    EXPECT_EQ(ittpause, frozen_gens);
    EXPECT_EQ(box("q"), stp_box_restart);
    EXPECT_EQ(ittpause, 0u);
}

TEST_F(PauseBox, PauseDialog)
{
    TestNetwork net(2, 16, 3);
    EXPECT_EQ(box("N\r25\r\r"), stp_box_changed);
    EXPECT_EQ(ittpause, 25u);
    EXPECT_EQ(stppause, stppause_box);
    EXPECT_EQ(box("N\r\r\r"), stp_box_nothing);
    EXPECT_EQ(ittpause, 0u);
    EXPECT_EQ(stppause, stppause_none);
}

TEST_F(PauseBox, BorderWidthsFollowTheSmallerSide)
{
    TestNetwork net(2, 2, 40, 20, 1, 5);
    EXPECT_EQ(box("B\r5\r\r\r"), stp_box_nothing);
    EXPECT_EQ(border, 4); // 5 is held at min(20, 127)/5 = 4
    EXPECT_EQ(box("B\r2\r1\r\r"), stp_box_nothing);
    EXPECT_EQ(border, 2);
    EXPECT_EQ(b_value, 1);
}

TEST_F(PauseBox, FilterEntries)
{
    TestNetwork net(2, 16, 3);
    allocate_mem_rule0_extra(3);
    // 9 is held at the last entry, 7.
    EXPECT_EQ(box("f\r+3\r9\r\r\r"), stp_box_nothing);
    EXPECT_EQ(color_filter[0], 0x88);
    EXPECT_EQ(box("f\r-3\r\r\r"), stp_box_nothing);
    EXPECT_EQ(color_filter[0], 0x80);
    free_mem_rule0_extra();
}

TEST_F(PauseBox, FieldRunClosesOnSeedKeys)
{
    TestNetwork net(2, 16, 3);
    basinfield = 1;
    limitcheck = 100;
    memset(A, 0x5A, bytesL);
    EXPECT_EQ(box("o\r"), stp_box_nothing);
    EXPECT_EQ(is[0], 'o');
    EXPECT_EQ(A[0], 0x5A);
    EXPECT_EQ(box("N\r\r"), stp_box_nothing); // 'N' does nothing there; Return closes
    basinfield = 0;
}

} // namespace

namespace {

// The header (rule) box and the menu box below it cover what is under them
// whole: no row of it shows between the two (a strip of the key panel did).
TEST_F(PauseBox, NothingUnderTheBoxesShowsBetweenThemNotOverIt)
{
    TestNetwork net(2, 16, 3);
    TestNetwork::set_rule_number(110);
    clearviewport();
    // A stand-in for the key panel under the boxes, in a colour they never draw.
    setfillstyle(0, lightmagenta);
    bar(Maxx / 2, 0, Maxx, Maxy / 2);
    setfillstyle(0, black);
    int showing = -1;
    paced_thread keys = type_keys_looking("\r", [&](size_t) {
        screenshot("pause_box_strip");
        unsigned long frame = Color_Table[lightred], panel = Color_Table[lightmagenta];
        std::vector<unsigned long> edge = pixels_seen(Maxx - 2, 0, 1, Maxy / 2);
        int last = 0;
        for (int y = 0; y < Maxy / 2; y++)
            if (edge[static_cast<size_t>(y)] == frame)
                last = y;
        showing = 0;
        for (unsigned long p : pixels_seen(Maxx - 6, 4, 1, last - 4))
            showing += p == panel;
    });
    EXPECT_EQ(interrupt_stp_box(2, carule[0], 7, A, 0), stp_box_nothing);
    keys.join();
    EXPECT_EQ(showing, 0) << "the panel shows between the boxes";
    clearviewport();
}

} // namespace
