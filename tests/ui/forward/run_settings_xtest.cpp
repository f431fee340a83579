// The run set-up dialogs on the window, driven by typed keys: the resets of
// the output parameters, the forward-only options' damage refusal on an odd
// ring and their probabilities, where their 'q' goes back to, and the
// run-kind choice's history limit.
#include "support/x_test_fixture.h"

#include <thread>

#include "engine/forward/forward_test_support.h"
#include "engine/forward/globals.h"
#include "engine/forward/update_order.h"
#include "ui/forward/run_settings.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"

namespace {

class RunSettingsScreen : public ScreenTest {
protected:
    // Runs dialog while keys are typed; no key may be left over.
    void answer(const std::string &keys, void (*dialog)())
    {
        moveto(40, 300);
        std::thread typing = type_keys_paced(keys);
        dialog();
        typing.join();
        int left = 0;
        while (event_ready())
            left++;
        EXPECT_EQ(left, 0) << "keys left over after \"" << keys << "\"";
    }
};

TEST_F(RunSettingsScreen, OutputParametersStartEveryRunParallelInCellOrder)
{
    TestNetwork net(2, 10, 3);
    seq_update = update_seq_order;
    reverse_order(seq_order, lineL);
    update_prob = 0.3f;
    answer("s\r", select_pattern_scrolling); // space-time pattern only
    EXPECT_EQ(seq_update, update_parallel);
    for (int i = 0; i < lineL; i++)
        EXPECT_EQ(seq_order[i], i);
    EXPECT_EQ(update_prob, 100.0f);
    EXPECT_EQ(forward_only, 1);
    EXPECT_EQ(direction, direction_forward);
    EXPECT_EQ(limitcheck, 0u);
    EXPECT_EQ(d_mode, display_1d);
}

TEST_F(RunSettingsScreen, DamageOnAnOddRingIsRefusedAndTheHistogramsFollow)
{
    TestNetwork net(2, 7, 3);
    // Histograms; damage kept; not duplicated: the refusal, then no histogram.
    answer("h\rf\r\r\r\r", forward_only_para);
    EXPECT_EQ(diff_plot, diff_plot_off);
    EXPECT_EQ(att_hist, att_hist_none);
    EXPECT_NE(is[0], 'q');
}

// 'q' at the damage question goes back to the analysis, even when the first
// answer went straight to the histograms, and 'q' after the analysis asks
// the analysis again.
TEST_F(RunSettingsScreen, QAfterTheAnalysisGoesBackToTheAnalysis)
{
    TestNetwork net(2, 10, 3);
    // Histograms; 'q' (which ends its entry at once) at the damage; no
    // analysis; 'q' at the frozen size;
    // pattern density, all cells, 33 generations; 'd' at the frozen size.
    answer("h\rqn\rq1\r\r33\rd\r", forward_only_para);
    EXPECT_EQ(stpgraph, 1);
    EXPECT_EQ(gens, 33);
    EXPECT_EQ(single_entropy, 0);
    EXPECT_EQ(diff_plot, diff_plot_off);
    EXPECT_NE(is[0], 'q');
    stpgraph = stpgraph_none;
    gens = 10;
}

// 'q' at the attractor histograms goes back to the damage question.
TEST_F(RunSettingsScreen, QAtTheHistogramsGoesBackToTheDamage)
{
    TestNetwork net(2, 10, 3);
    // Histograms; no damage; not duplicated; 'q' at the histograms; damage
    // kept; not duplicated: an even ring, so no histogram question follows.
    answer("h\r\r\rqf\r\r", forward_only_para);
    EXPECT_EQ(diff_plot, diff_plot_keep);
    EXPECT_EQ(att_hist, att_hist_none);
    EXPECT_NE(is[0], 'q');
    diff_plot = diff_plot_off; // the later tests run without a damage display
}

TEST_F(RunSettingsScreen, FiftyPercentIsStoredAsOneHalf)
{
    TestNetwork net(2, 10, 3);
    // All options: parallel, by value, no pause, 1d, scroll; 50% and 100%;
    // then the defaults.
    answer("\r\r\r\r\r\r50\r\rd\r", forward_only_para);
    EXPECT_FLOAT_EQ(update_prob, 0.5f);
    EXPECT_EQ(out_prob, 100.0f);
    EXPECT_EQ(stpgraph, stpgraph_lookup_bars); // the plain ring's default
}

TEST_F(RunSettingsScreen, HistoryLimitAboveTheMaximumIsTheDefault)
{
    TestNetwork net(2, 10, 3);
    answer("\r70000\rd\r", select_foreward_back); // basin; limit; method defaults
    EXPECT_EQ(direction, direction_forward);
    EXPECT_EQ(limitcheck, 10000u);
    answer("\r0\rd\r", select_foreward_back);     // 0: pattern only, its options
    EXPECT_EQ(limitcheck, 0u);
    EXPECT_EQ(direction, direction_forward);
}

} // namespace
