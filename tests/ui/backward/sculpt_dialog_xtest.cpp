// The sculpting dialog on the window, called from the test process: a 1d
// rule mix of 10 cells with random wiring, a random target and three
// random aspiring pre-images set through the seed dialog, learnt by bit
// flips; afterwards every aspiring state steps onto the target by the
// reference step, the highlighting is set, and the prompt box's place is as
// it was. With ZEMRA_SCREENSHOTS naming a folder, the window is saved there
// before chosen keys.
#include "support/x_test_fixture.h"

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "engine/backward/backward_test_support.h"
#include "engine/backward/sculpting.h"
#include "engine/model/checked_alloc.h"
#include "engine/rules/globals.h"
#include "ui/model/cell_display.h"
#include "ui/backward/sculpt_dialog.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"

namespace {

class SculptDialog : public ClearedWindowTest {
protected:
    void SetUp() override
    {
        ClearedWindowTest::SetUp();
        numbered_ = maxL_lu;
        maxL_lu = 32;
        setup_value_colors(1);
    }
    void TearDown() override
    {
        maxL_lu = numbered_;
        hilight_learn = hilight_off;
        checked_free(color_v);
        color_v = nullptr;
    }
    int16_t numbered_ = 0;
};

TEST_F(SculptDialog, LearnsThreeTypedStatesByBitFlips)
{
    TestNetwork net(2, 10, 3);
    srandom(17);
    wire_at_random(false);
    random_rules(true);
    // A corner of the prompt box's place, to see it put back.
    unsigned long corner_before = window_pixel(Maxx - 4, 4);
    // Target: random (the method's entry, then accepted); three aspiring
    // states, each random and accepted; review closed; learn; bit flips;
    // the list after the pass; success; no more; highlight.
    const std::string keys = "r\r\r3\rr\r\rr\r\rr\r\r\r\r\r\r\r\r\r";
    paced_thread typist = type_keys_looking(keys, [&](size_t i) {
        if (getenv("ZEMRA_SCREENSHOTS_ALL"))
            screenshot("key" + std::to_string(i));
        if (i == 14)
            screenshot("sculpt_review");
        if (i == 17)
            screenshot("sculpt_after_pass");
        if (i == 18)
            screenshot("sculpt_success");
    });
    int result = sculpt_basin_field();
    typist.join();
    EXPECT_EQ(result, 1);
    ASSERT_EQ(notolearn, 3);
    for (int32_t i = 0; i < notolearn; i++)
        EXPECT_EQ(reference_step(state_values(learn_pre[i]), carule), state_values(tar)) << i;
    EXPECT_EQ(hilight_learn, hilight_frame);
    EXPECT_EQ(dont_save, 0);
    EXPECT_EQ(window_pixel(Maxx - 4, 4), corner_before);
    undo_rule_mix();
}

TEST_F(SculptDialog, QuitAtTheTargetLeavesNothingChanged)
{
    TestNetwork net(2, 8, 3);
    srandom(3);
    wire_at_random(false);
    random_rules(true);
    std::vector<uint8_t> rules(carule[2], carule[2] + 1);
    paced_thread typist = type_keys_paced("q");
    int result = sculpt_basin_field();
    typist.join();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(hilight_learn, hilight_off);
    EXPECT_EQ(dont_save, 0);
    undo_rule_mix();
}

} // namespace
