// The subtree run and the basin drawing on the window: forward steps before
// the subtree give its root, a tree stopped with 'n' at the stop prompt
// marks the subtree report and the basin's data line as cut short, a
// basin whose successor table the user backs out of is not drawn, and a
// basin of mixed rules shows the rule box only with an update order to show.
#include "support/x_test_fixture.h"

#include <cstring>
#include <string>
#include <thread>

#include "engine/backward/backward_test_support.h"
#include "engine/forward/attractor_search.h"
#include "engine/forward/forward_step.h"
#include "engine/model/network_arrays.h"
#include "ui/backward/draw_basin.h"
#include "ui/driver/run_drivers.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"

namespace {

class SubtreeOnScreen : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        give_rule_figures();
    }
    void TearDown() override
    {
        stepforward = 0;
        direction = direction_unset;
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
    }

    // The subtree report of seed with steps forward steps first.
    static std::string subtree_of(uint32_t seed, uint32_t steps)
    {
        set_number(bitseed, seed);
        stepforward = steps;
        direction = direction_backward;
        pdata = data_basins;
        testing::internal::CaptureStderr();
        upstream_only();
        pdata = data_off;
        return testing::internal::GetCapturedStderr();
    }

    // The backward settings every test starts from, nodes as spots (no
    // value colours) and no compression.
    static void spots_uncompressed()
    {
        reset_backward_settings();
        shownumbers = shownumbers_spot;
        dontcompress = 1;
    }

    // 'q' queued for the poll between nodes, then 'n' at the stop prompt.
    static paced_thread stop_with_n()
    {
        type_keys("q");
        settle_typed_keys();
        return type_keys_paced("n\r");
    }
};

TEST_F(SubtreeOnScreen, FiveForwardStepsGiveTheSubtreeOfTheStateFiveStepsOn)
{
    TestNetwork net(2, 10, 3);
    spots_uncompressed();
    TestNetwork::set_rule_number(30);
    std::vector<uint32_t> next = successors();
    for (uint32_t seed : {5u, 300u, 777u}) {
        uint32_t root = seed;
        for (int i = 0; i < 5; i++)
            root = next[root];
        std::string direct = subtree_of(root, 0);
        uint32_t size = totsubtree;
        std::string stepped = subtree_of(seed, 5);
        SCOPED_TRACE("seed " + std::to_string(seed));
        EXPECT_EQ(dec_equiv(this_firstseed, L), root);
        EXPECT_EQ(totsubtree, size);
        EXPECT_EQ(stepped, direct);
        EXPECT_EQ(stepped.find("EARLY EXIT"), std::string::npos) << stepped;
    }
}

TEST_F(SubtreeOnScreen, NextAtTheStopPromptMarksTheSubtreeReport)
{
    // Rule 0: all 1024 states are pre-images of the all-0 root.
    TestNetwork net(2, 10, 3);
    spots_uncompressed();
    TestNetwork::set_rule_number(0);
    earlyexitbasin = 0;
    paced_thread typist = stop_with_n();
    std::string out = subtree_of(0, 0);
    typist.join();
    EXPECT_NE(out.find("\nEARLY EXIT part subtree="), std::string::npos) << out;
    EXPECT_LT(totsubtree, 1024u);
    // A neutral field's summary, which counts such parts as components,
    // says it was left early.
    EXPECT_EQ(earlyexitbasin, 1);
}

TEST_F(SubtreeOnScreen, NextAtTheStopPromptMarksTheBasinDataLine)
{
    TestNetwork net(2, 10, 3);
    spots_uncompressed();
    direction = direction_forward;
    TestNetwork::set_rule_number(0);
    set_number(A, 1);
    limitcheck = 5000;
    step_mode mode{};
    ASSERT_GT(attractor_search(carule, mode, 5000), 0u);
    paced_thread typist = stop_with_n();
    is[0] = 0;
    pdata = data_basins;
    testing::internal::CaptureStderr();
    draw_basin();
    std::string out = testing::internal::GetCapturedStderr();
    typist.join();
    pdata = data_off;
    limitcheck = 0;
    EXPECT_NE(out.find("\nsingle basin. EARLY EXIT! 0000 1 (1) "), std::string::npos) << out;
    EXPECT_EQ(earlyexitbasin, 1);
}

TEST_F(SubtreeOnScreen, QuitAtTheSuccessorTableLeavesTheBasinUndrawn)
{
    TestNetwork net(2, 8, 3);
    reset_backward_settings();
    shownumbers = shownumbers_spot;
    direction = direction_forward;
    exhaustive_testing = exhaustive_table;
    TestNetwork::set_rule_number(110);
    set_number(A, 1);
    limitcheck = 5000;
    step_mode mode{};
    ASSERT_GT(attractor_search(carule, mode, 5000), 0u);
    paced_thread typist = type_keys_paced("q");
    pdata = data_basins;
    testing::internal::CaptureStderr();
    draw_basin();
    std::string out = testing::internal::GetCapturedStderr();
    typist.join();
    pdata = data_off;
    limitcheck = 0;
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(out.find("single basin."), std::string::npos) << out;
    EXPECT_EQ(exh_pairs, nullptr);
    EXPECT_EQ(tickoff, nullptr);
    EXPECT_EQ(att, nullptr);
}

// A single basin of a network of mixed rules shows the rule box as its
// field and its subtrees do: under sequential updating the box gives the
// update order every cell runs in; under parallel updating no box stands,
// as no one rule stands for the network.
TEST_F(SubtreeOnScreen, MixedRulesBasinShowsTheRuleBoxOnlyWithAnUpdateOrder)
{
    for (uint8_t mode : {update_parallel, update_cell_order}) {
        SCOPED_TRACE(testing::Message() << "seq_update " << int(mode));
        TestNetwork net(2, 8, 3);
        spots_uncompressed();
        show_one_att_state = 0;
        datapause = datapause_unset;
        basinfield = 0;
        direction = direction_forward;
        exhaustive_testing = exhaustive_table;
        allocate_mem_rulemix(3);
        rulemix = 1;
        for (int c = 0; c < lineL; c++)
            for (uint32_t i = 0; i < 8; i++)
                set_value(carule[c], i, (110 >> i) & 1);
        seq_update = mode;
        set_number(A, 1);
        limitcheck = 5000;
        ASSERT_GT(attractor_search(carule, forward_run_mode(0), 5000), 0u);
        clear_drawing_area(); // no rule box of an earlier screen stands
        ox = static_cast<int16_t>(Maxx / 2);
        oy = static_cast<int16_t>(Maxy / 2);
        paced_thread typist = type_keys_paced("\r"); // the successor table computed
        draw_basin();
        typist.join();
        EXPECT_EQ(meets_standing_rule_box(0, Maxy, Maxx, Maxy), mode != update_parallel);
        limitcheck = 0;
        seq_update = update_parallel;
        rulemix = 0;
        exhaustive_testing = exhaustive_off;
        free_mem_rulemix();
    }
}

// The report's totals line on screen holds the totals and the time and
// nothing between them: the gap of the time's two leading spaces is clear.
TEST_F(SubtreeOnScreen, TotalsLineShowsNoLineEndGlyph)
{
    TestNetwork net(2, 10, 3);
    reset_backward_settings();
    shownumbers = shownumbers_spot;
    dontcompress = 1;
    TestNetwork::set_rule_number(30);
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    std::string out = subtree_of(5, 0);
    size_t at = out.find("\ng=");
    ASSERT_NE(at, std::string::npos) << out;
    std::string totals = out.substr(at + 1, out.find('\n', at + 1) - at - 1);
    int end = Maxx / 2 + 3 + text_pixel_width(totals.c_str(), static_cast<int>(totals.size()));
    int gap = text_pixel_width("  ", 2);
    int marked = 0;
    for (int y = 5 + CHeight; y < 5 + 2 * CHeight; y++)
        for (int x = end + 1; x < end + gap - 1; x++)
            marked += window_pixel(x, y) != Color_Table[black];
    EXPECT_EQ(marked, 0) << "something drawn after \"" << totals << "\"";
}

// A subtree stopped early on a ring of 56 cells, in the windows of both
// screens: "EARLY EXIT part subtree=1 root(hex)=" and the root's seven
// bytes are longer than the prompt box. The line ends in "..." inside the
// box; no byte wraps onto the totals' line right of the totals.
TEST_F(SubtreeOnScreen, EarlyExitReportStaysInsideItsBox)
{
    std::vector<std::pair<int, int>> sizes{{0, 0}}; // a smaller screen: the window it has
    if (on_default_screen())
        sizes = {{1024, 768}, {927, 695}};
    for (auto [w, h] : sizes) {
        SCOPED_TRACE(testing::Message() << "window " << w << "x" << h);
        if (w) {
            ASSERT_TRUE(resize_to(w, h));
        }
        TestNetwork net(2, 56, 3);
        spots_uncompressed();
        TestNetwork::set_rule_number(0);
        paced_thread typist = stop_with_n();
        std::string out = subtree_of(0, 0);
        typist.join();
        ASSERT_NE(out.find("\nEARLY EXIT part subtree=1 "), std::string::npos) << out;
        screenshot("subtree_early_exit_" + std::to_string(Maxx));
        const char *totals = "g=0=0 ml=0 mp=0  000.000sec";
        int from = Maxx / 2 + 3 + text_pixel_width(totals, static_cast<int>(strlen(totals)));
        int marked = 0; // below the first line's descenders, through the digits' height
        for (int y = 3 + CHeight + CHeight / 3; y < 3 + 2 * CHeight; y++)
            for (int x = from; x < box_right_edge(Maxx); x++)
                marked += window_pixel(x, y) != Color_Table[black];
        EXPECT_EQ(marked, 0) << "the root's bytes wrap onto the totals' line";
    }
    if (on_default_screen()) {
        ASSERT_TRUE(resize_to(1024, 768));
    }
}

} // namespace
