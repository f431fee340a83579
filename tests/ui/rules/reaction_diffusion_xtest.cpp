// The reaction-diffusion rule answered through the server: the two
// threshold prompts with their replacements of out-of-range entries, 'q' at
// either prompt, and the rule built from the window, checked entry by entry
// against the excitable medium worked out here from the digits of each
// neighbourhood.
#include "support/x_test_fixture.h"

#include <algorithm>

#include "engine/rules/rules_test_support.h"
#include "ui/rules/rule_families.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"

namespace {

// The headless rule-table helper, made usable from a window test.
struct Tables : RuleTableTest {
    void TestBody() override {}
    using RuleTableTest::at;
    using RuleTableTest::digit;
    using RuleTableTest::entries;
    using RuleTableTest::SetUp;
    using RuleTableTest::table;
    using RuleTableTest::TearDown;
    using RuleTableTest::use;
};

class ReactionDiffusion : public ScreenTest {
protected:
    Tables t;
    bool ready = false;

    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped())
            return;
        t.SetUp();
        ready = true;
        moveto(vgax(60), vgay(250));
    }
    void TearDown() override
    {
        if (ready)
            t.TearDown();
    }
    // Asks the thresholds with keys typed; every key must be read, the
    // current point kept and nothing left allocated.
    std::vector<uint8_t> ask(int k, const std::string &keys, uint8_t fill = 0)
    {
        std::vector<uint8_t> rule = t.table(k);
        std::fill(rule.begin(), rule.end(), fill);
        int x = getx, y = gety;
        long before = live_allocations;
        paced_thread typing = type_keys_paced(keys);
        set_reaction_diffusion_rule(rule.data(), k, t.entries(k) - 1);
        typing.join();
        EXPECT_EQ(take_typed_keys(), 0) << "keys left over after \"" << keys << "\"";
        EXPECT_EQ(live_allocations, before);
        EXPECT_EQ(getx, x);
        EXPECT_EQ(gety, y);
        return rule;
    }
    // The excitable medium for thresholds lower..upper: a quiescent centre
    // (position k/2) fires when the inputs holding 1 number lower..upper;
    // an excited one steps on to the next value, and from v-1 back to 0.
    void expect_medium(const std::vector<uint8_t> &rule, int k, int lower, int upper)
    {
        int v = value_range;
        for (int i = 0; i < t.entries(k); i++) {
            int centre = t.digit(i, k / 2), ones = 0;
            for (int j = 0; j < k; j++)
                ones += t.digit(i, j) == 1;
            int want = centre == 0 ? (ones >= lower && ones <= upper) : (centre + 1) % v;
            ASSERT_EQ(t.at(rule, i), want) << "entry " << i;
        }
    }
};

TEST_F(ReactionDiffusion, ReturnTwiceFiresOnlyWithoutOnes)
{
    auto rule = ask(3, "\r\r", 0xFF);
    expect_medium(rule, 3, 0, 0);
    // By hand: only the all-0 neighbourhood gives 1.
    EXPECT_EQ(t.at(rule, 0), 1);
    for (int i = 1; i < 8; i++)
        EXPECT_EQ(t.at(rule, i), 0);
}

TEST_F(ReactionDiffusion, ThresholdWindowAsTyped)
{
    auto rule = ask(5, "2\r3\r");
    expect_medium(rule, 5, 2, 3);
    // 0b01011: centre (position 2) 0, three inputs hold 1.
    EXPECT_EQ(t.at(rule, 11), 1);
    // 0b00001: one input only.
    EXPECT_EQ(t.at(rule, 1), 0);
}

TEST_F(ReactionDiffusion, OutOfRangeThresholdsTakeTheirDefaults)
{
    // Lower 9 with k = 5 becomes 1; Return for upper reads 0, below the
    // lower threshold, and becomes k-1.
    expect_medium(ask(5, "9\r\r"), 5, 1, 4);
    // An upper threshold above k becomes k-1 too.
    expect_medium(ask(5, "2\r7\r"), 5, 2, 4);
    // A negative lower threshold becomes 1.
    expect_medium(ask(4, "-1\r3\r"), 4, 1, 3);
}

TEST_F(ReactionDiffusion, QuitAtTheLowerThresholdLeavesTheTable)
{
    auto rule = ask(3, "q", 0x5A);
    EXPECT_EQ(is[0], 'q');
    for (size_t b = 0; b < rule.size(); b++)
        EXPECT_EQ(rule[b], 0x5A);
}

TEST_F(ReactionDiffusion, QuitAtTheUpperThresholdAsksTheLowerAgain)
{
    auto rule = ask(5, "1\r"
                       "q"
                       "2\r2\r");
    expect_medium(rule, 5, 2, 2);
}

TEST_F(ReactionDiffusion, ThreeValuesRunThroughTheExcitedValues)
{
    t.use(3);
    auto rule = ask(3, "1\r3\r");
    expect_medium(rule, 3, 1, 3);
    // Centre 1 gives 2, centre 2 gives 0, whatever the other inputs.
    for (int i = 0; i < 27; i++) {
        if (t.digit(i, 1) == 1) {
            EXPECT_EQ(t.at(rule, i), 2);
        } else if (t.digit(i, 1) == 2) {
            EXPECT_EQ(t.at(rule, i), 0);
        }
    }
    // (2, 0, 2): quiescent centre, no input holds exactly 1.
    EXPECT_EQ(t.at(rule, 2 + 2 * 9), 0);
    // (1, 0, 2): one input holds 1.
    EXPECT_EQ(t.at(rule, 1 + 2 * 9), 1);
}

} // namespace
