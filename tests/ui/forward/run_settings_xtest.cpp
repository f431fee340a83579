// The run set-up dialogs on the window, driven by typed keys: the resets of
// the output parameters and of its restore-defaults keys, the forward-only
// options' damage refusal on an odd ring and their probabilities, where
// their 'q' goes back to, the run-kind choice's history limit, the title
// each stage writes in the status box, and a question's lines inside the
// prompt box.
#include "support/x_test_fixture.h"

#include <thread>

#include "engine/backward/globals.h"
#include "engine/forward/forward_test_support.h"
#include "engine/forward/globals.h"
#include "engine/forward/update_order.h"
#include "engine/model/checked_alloc.h"
#include "ui/forward/run_settings.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"

namespace {

class RunSettingsScreen : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        // The text column's margin as the program's start sets it.
        xtext = static_cast<float>(vgax(50)) / CWidth;
    }
    // Runs dialog while keys are typed; no key may be left over. Each
    // dialog begins on a cleared drawing area, as a stage of the program
    // begins below the lines of the one before.
    void answer(const std::string &keys, void (*dialog)())
    {
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
        moveto(40, 300);
        paced_thread typing = type_keys_paced(keys);
        dialog();
        typing.join();
        EXPECT_EQ(take_typed_keys(), 0) << "keys left over after \"" << keys << "\"";
    }
    // Runs dialog while keys are typed, counting the lightred pixels inside
    // the status box's frame while the first key is awaited: its title.
    int title_pixels(const std::string &keys, void (*dialog)())
    {
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
        moveto(40, 300);
        int count = -1;
        paced_thread typing = type_keys_looking(keys, [&](size_t i) {
            if (i != 0)
                return;
            count = 0;
            for (int y = 4; y < prompt_box_bottom(1) - 1; y++)
                for (int x = Maxx / 3 + 2; x < Maxx / 2 - 5; x++)
                    count += pixel_seen(x, y) == Color_Table[lightred];
        });
        dialog();
        typing.join();
        return count;
    }
    // Display and data settings away from their defaults.
    static void
    unsettle_display_settings()
    {
        orient_angle = 1.0f;
        fan_angle_fact = 2.0f;
        start_edge_color = green;
        show_one_att_state = 2;
        filestates = 1;
        labelsizefactor = 2.0f;
        shownumbers = shownumbers_hex;
        just_G = just_G_only;
        dontcopytrees = copies_suppressed;
        fieldpause = 1;
    }
    void TearDown() override
    {
        orient_angle = 0;
        fan_angle_fact = 1.0f;
        show_one_att_state = 0;
        filestates = 0;
        labelsizefactor = 0;
        shownumbers = shownumbers_bits;
        just_G = just_G_all;
        dontcopytrees = copies_drawn;
        fieldpause = 0;
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

TEST_F(RunSettingsScreen, EveryPassStartsWithLightredEdgesAndAFanFactor)
{
    TestNetwork net(2, 10, 3);
    start_edge_color = green;
    fan_angle_fact = 0;
    answer("s\r", select_pattern_scrolling);
    EXPECT_EQ(start_edge_color, lightred);
    EXPECT_FLOAT_EQ(fan_angle_fact, 1.0f);
    fan_angle_fact = 2.0f; // a factor set is kept
    answer("s\r", select_pattern_scrolling);
    EXPECT_FLOAT_EQ(fan_angle_fact, 2.0f);
}

TEST_F(RunSettingsScreen, RestoreAllResetsTheDisplayAndDataSettings)
{
    TestNetwork net(2, 10, 3);
    unsettle_display_settings();
    answer("a\r" "s\r", select_pattern_scrolling); // restore all, then pattern only
    EXPECT_FLOAT_EQ(orient_angle, 0.0f);
    EXPECT_FLOAT_EQ(fan_angle_fact, 1.0f);
    EXPECT_EQ(start_edge_color, lightred);
    EXPECT_EQ(show_one_att_state, 0);
    EXPECT_EQ(filestates, 0);
    EXPECT_FLOAT_EQ(labelsizefactor, 0.0f);
    EXPECT_EQ(shownumbers, shownumbers_spot);
    EXPECT_EQ(just_G, just_G_all);
    EXPECT_EQ(dontcopytrees, copies_drawn);
    EXPECT_EQ(fieldpause, 0);
    checked_free(pre_fan_freq); // the one count of the histogram's defaults
    pre_fan_freq = nullptr;
}

TEST_F(RunSettingsScreen, RestoreLayoutResetsTheAnglesAndHighlightOnly)
{
    TestNetwork net(2, 10, 3);
    for (const char *keys : {"L\r" "s\r", "A\r" "s\r"}) {
        unsettle_display_settings();
        answer(keys, select_pattern_scrolling);
        EXPECT_FLOAT_EQ(orient_angle, 0.0f) << keys;
        EXPECT_FLOAT_EQ(fan_angle_fact, 1.0f);
        EXPECT_EQ(show_one_att_state, 0);
        // The rest of the display and data settings stay.
        EXPECT_EQ(shownumbers, shownumbers_hex);
        EXPECT_EQ(dontcopytrees, copies_suppressed);
        EXPECT_EQ(filestates, 1);
        EXPECT_EQ(fieldpause, 1);
    }
}

TEST_F(RunSettingsScreen, EachStageWritesItsTitleInTheStatusBox)
{
    TestNetwork net(2, 10, 3);
    EXPECT_GT(title_pixels("s\r", select_pattern_scrolling), 0) << "output parameters";
    EXPECT_GT(title_pixels("d\r", forward_only_para), 0) << "forward only";
    EXPECT_GT(title_pixels("d\r", select_foreward_back), 0) << "run kind";
    erase_memory_box();
}

// The output parameters' VARIOUS question, whose first line is the widest
// of the box questions: nothing right of the prompt box's frame while it
// waits (on a 1024x768 screen the line ran out of the box and past the
// window's edge), nor after the dialog.
TEST_F(RunSettingsScreen, VariousQuestionStaysInsideThePromptBox)
{
    TestNetwork net(2, 10, 3);
    auto strip_inked = [] { return inked_right_of_prompt_box(2); };
    int while_asked = -1;
    paced_thread typing = type_keys_looking("\rd\r", [&](size_t i) {
        if (i == 1)
            while_asked = strip_inked();
    });
    select_pattern_scrolling();
    typing.join();
    EXPECT_EQ(while_asked, 0) << "the question runs out of the prompt box";
    EXPECT_EQ(strip_inked(), 0) << "the question left its end beside the box";
    acceptall = 0;
    accept_from = 0;
    erase_memory_box();
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
