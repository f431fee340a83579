// The key switch of a running pattern on the real window: the delay keys,
// the sample keys wrapping round a loaded sample, 'T' round the display
// forms, cells added and removed with the wiring kept inside the network
// and the step still the reference step, and the gate of other runs.
#include "support/x_test_fixture.h"

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "engine/forward/globals.h"
#include "support/graph_layout_tables.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/storage/stat_record_codec.h"
#include "ui/driver/driver_network_support.h"
#include "ui/driver/mutation.h"
#include "ui/driver/network_growth.h"
#include "ui/forward/key_panel.h"
#include "ui/forward/run_forward.h"
#include "ui/forward/running_keys.h"
#include "ui/measures/entropy_plot.h"
#include "ui/model/cell_display.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/window.h"

namespace {

// The driver tests' network built outside their fixture.
struct ring_builder : NetworkTest {
    void TestBody() override {}
    using NetworkTest::ring;
    using NetworkTest::SetUp;
    using NetworkTest::TearDown;
    using NetworkTest::rule0;
    using NetworkTest::rule_mix;
};

class RunningKeys : public ScreenTest {
protected:
    run_iteration it{};
    entropy_graph eg{};
    entropy_data ae{};
    damage_record dp{};

    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        set_network_change_hooks({can_resize_by_one, wire_rule_extra_cell, wire_move});
        direction = direction_forward;
        limitcheck = 0;
        d_mode = display_1d;
        stp = 1;
        it.cell_size = 1;
        it.fore_colour = white;
        setviewport(0, 0, Maxx, Maxy, 1);
    }
    void TearDown() override
    {
        direction = direction_unset;
        d_mode = display_unset;
        stp = 0;
        scrolling = nowscrolling = 0;
        totstatrules = 0;
    }
    // What the size keys made for the run, released as the run's end would.
    void release_layout()
    {
        free_graph_layout_tables();
        for (int i = 0; i < frozen_gens; i++)
            checked_free(it.lastA[i]);
        checked_free(it.lastA);
        it.lastA = nullptr;
    }
    void key(char k)
    {
        is[0] = k;
        interrupt_stp(&dp, &ae, &eg, &it);
    }
    // The network's ring of 14 cells, k = 3, its lookup histogram beside
    // the pattern of 5-pixel cells, as a forward run places them.
    void lookup_side_plot(ring_builder &net)
    {
        net.SetUp();
        net.ring(14, 3);
        stpgraph = stpgraph_lookup_bars;
        eg.hist_mode = 1;
        eg.k = 3;
        it.cell_size = 5;
        eg.x0 = static_cast<int16_t>(lineL * it.cell_size + vgax(10));
        eg.w1 = eg.w2 = vgax(100);
        place_lookup_histogram(&eg);
    }
    // The pixels of colour in the window's w x h rectangle at (x, y).
    static int colour_in(int x, int y, int w, int h, int colour)
    {
        int n = 0;
        for (unsigned long p : pixels_seen(x, y, w, h))
            n += p == Color_Table[colour];
        return n;
    }
};

TEST_F(RunningKeys, SlowerThreeTimesGivesTwoThousandPollsAndMaxSpeedNone)
{
    key('<');
    key('<');
    key('<');
    EXPECT_EQ(it.delay, 2000);
    key('>');
    EXPECT_EQ(it.delay, 0);
    // Pressed on and on, the delay stops at its cap instead of overflowing.
    for (int i = 0; i < 40; i++)
        key('<');
    EXPECT_EQ(it.delay, 1 << 24);
}

TEST_F(RunningKeys, NextSampleRuleWrapsAfterTheLast)
{
    ring_builder net;
    net.SetUp();
    net.ring(8, 3);
    // A loaded sample of five records of this k.
    checked_free(statbuf);
    sizeof_statbuf = 5 * stat_record_bytes(nhood);
    statbuf = static_cast<uint8_t *>(checked_calloc(sizeof_statbuf, 1, "statbuf"));
    totstatrules = 5;
    it.sample_index = 4;
    key('w');
    EXPECT_EQ(it.sample_index, 5u);
    key('w');
    EXPECT_EQ(it.sample_index, 1u);
    // Fewer than ten rules: a random one of them, never index 0.
    for (int i = 0; i < 30; i++) {
        key('9');
        EXPECT_GE(it.sample_index, 1u);
        EXPECT_LE(it.sample_index, 5u);
    }
    // With another k the records are of another length: the sample is not
    // read, and the index stays.
    uint32_t before = it.sample_index;
    nhood = 5;
    key('w');
    EXPECT_EQ(it.sample_index, before);
    nhood = 3;
    net.TearDown();
}

TEST_F(RunningKeys, DimensionKeyThreeTimesReturnsToOnePixelRowsScrolling)
{
    ring_builder net;
    net.SetUp();
    net.ring(16, 3);
    it.save_i2d = 4;
    it.save_j2d = 4;
    it.save_i3d = 4;
    it.save_j3d = 2;
    it.save_h3d = 2;
    it.pixmap = &boximage[29];
    key('T');
    EXPECT_EQ(d_mode, display_2d);
    key('T');
    EXPECT_EQ(d_mode, display_3d);
    key('T');
    EXPECT_EQ(d_mode, display_1d);
    EXPECT_EQ(it.cell_size, 1);
    EXPECT_EQ(scrolling, 1);
    freeimage(&boximage[29]);
    net.TearDown();
}

// No wiring slot in use names a cell past the last one.
bool
wiring_inside()
{
    for (int c = 0; c < lineL; c++)
        for (int p = 0; p < nhoodm[c]; p++)
            if (wiring[c][p] >= lineL)
                return false;
    return true;
}

// One step of the engine against the reference written from the wiring.
void
expect_reference_step()
{
    set_random_state();
    std::vector<int> expected = reference_step(state_values(A), carule);
    plain_step(carule);
    EXPECT_EQ(state_values(A), expected);
}

TEST_F(RunningKeys, RemovingCellsStopsAtTwoAndKeepsTheWiringInside)
{
    srandom(7);
    ring_builder net;
    net.SetUp();
    net.ring(3, 3);
    TestNetwork::set_random_rule();
    it.pixmap = &boximage[29];
    key('d');
    EXPECT_EQ(lineL, 2);
    EXPECT_TRUE(wiring_inside());
    expect_reference_step();
    key('d');
    EXPECT_EQ(lineL, 2) << "a network of two cells keeps them";
    freeimage(&boximage[29]);
    release_layout();
    net.TearDown();
}

TEST_F(RunningKeys, AddingAndRemovingAcrossAByteKeepTheStepRight)
{
    srandom(9);
    ring_builder net;
    net.SetUp();
    net.ring(8, 3);
    TestNetwork::set_random_rule();
    it.pixmap = &boximage[29];
    key('i');
    EXPECT_EQ(lineL, 9);
    EXPECT_EQ(bytesL, 2);
    EXPECT_TRUE(wiring_inside());
    expect_reference_step();
    key('d');
    key('d');
    EXPECT_EQ(lineL, 7);
    EXPECT_TRUE(wiring_inside());
    // Cell 0 of the ring reads cell 6 now, the old cell 7 is gone.
    EXPECT_EQ(wiring[0][0], 6);
    expect_reference_step();
    key('i');
    EXPECT_EQ(lineL, 8);
    freeimage(&boximage[29]);
    release_layout();
    net.TearDown();
}

// The network as one row of the pattern was stepped by: each cell's inputs
// and rule table.
struct stepped_by {
    std::vector<std::vector<int>> inputs, rules;
};

stepped_by
network_now()
{
    stepped_by net;
    for (int c = 0; c < lineL; c++) {
        net.inputs.emplace_back(wiring[c], wiring[c] + nhoodm[c]);
        const uint8_t *rule = rulemix ? carule[c] : carule[0];
        std::vector<int> table(rule_entries(nhoodm[c]));
        for (size_t i = 0; i < table.size(); i++)
            table[i] = get_value(rule, static_cast<uint32_t>(i));
        net.rules.push_back(table);
    }
    return net;
}

// The brute-force step of the row before by net: the row before is carried
// to net's size first (a cell added reads 0, a cell taken away is dropped).
std::vector<int>
step_by(const stepped_by &net, std::vector<int> before)
{
    before.resize(net.inputs.size(), 0);
    std::vector<int> next(before.size());
    for (size_t c = 0; c < next.size(); c++) {
        size_t index = 0, weight = 1;
        for (int input : net.inputs[c]) {
            index += static_cast<size_t>(before[input]) * weight;
            weight *= static_cast<size_t>(value_range);
        }
        next[c] = net.rules[c][index];
    }
    return next;
}

// Cells added ('i') and taken away ('d'), a rule bit flipped ('1'), a wire
// moved ('m') and a random rule ('r') by the on-the-fly keys of the step
// pause, in runs of a rule mix (a table per cell) and of a single rule, at
// v = 2 and 3: each row, the first after each key too, is the step of the
// row above by the network as the key left it, and the rows drawn before a
// key stay as drawn; so too after a random rule taken in the pause box. The
// step pause's third prompt takes 'o' and then 'i', the next two 'o' and
// 'd', the next three 'o' and '1', 'm', 'r'; the ninth opens the pause box,
// whose 'r' takes a random rule and whose 'x' turns the pause at step 11 on,
// whose box ends the run.
TEST_F(RunningKeys, EachRowAfterACellAddedOrTakenAwayStepsByTheChangedNetwork)
{
    const std::string keys = "\r\ro\rio\rdo\rdo\r1o\rmo\rri\rr\rx\r\rqq";
    // The keys at which the step pause of steps 1 to 11 waits.
    const size_t step_waits[] = {0, 1, 2, 5, 8, 11, 14, 17, 20, 26, 27};
    const int steps = 11;
    for (int v : {2, 3})
        for (bool mix : {true, false}) {
            SCOPED_TRACE(std::string(mix ? "rule mix" : "single rule") + ", v=" + std::to_string(v));
            srandom(5 + v);
            ring_builder net;
            net.SetUp();
            net.ring(20, 3, v);
            if (mix)
                net.rule_mix();
            for (int c = 0; c < (mix ? lineL : 1); c++)
                for (uint32_t i = 0; i < rule_entries(nhood); i++)
                    set_value(carule[c], i, static_cast<int>(random() % v));
            setup_value_colors(1);
            set_random_state();
            const int s = 4;
            scale = s;
            stppause = stppause_step_next_run;
            ittpause = steps;
            // At the pause of step t, row t is drawn by the network the keys
            // of the pause before left.
            std::vector<stepped_by> nets;
            paced_thread typist = type_keys_looking(keys, [&](size_t i) {
                if (std::find(std::begin(step_waits), std::end(step_waits), i) != std::end(step_waits))
                    nets.push_back(network_now());
            });
            run_forward(carule);
            typist.join();
            EXPECT_EQ(is[0], 'q');
            ASSERT_EQ(nets.size(), static_cast<size_t>(steps));
            EXPECT_EQ(nets[3].inputs.size(), 21u);
            EXPECT_EQ(lineL, 19);
            auto row = [&](int t) {
                const int last = static_cast<int>(nets[t - 1].inputs.size()) - 1;
                std::vector<int> cells(last + 1);
                for (int c = 0; c <= last; c++) {
                    unsigned long pixel = window_pixel((last - c) * s + 1, (t - 1) * s + 1);
                    // A rule change swaps value 1's colour at v = 2.
                    cells[c] = v == 2 ? pixel != Color_Table[color_v[0]] : -1;
                    for (int value = 0; value < v && v > 2; value++)
                        if (pixel == Color_Table[color_v[value]])
                            cells[c] = value;
                }
                return cells;
            };
            for (int t = 2; t <= steps; t++)
                EXPECT_EQ(row(t), step_by(nets[t - 1], row(t - 1))) << "step " << t;
            stppause = stppause_none;
            ittpause = 0;
            scale = 0;
            checked_free(color_v);
            color_v = nullptr;
            net.TearDown();
        }
}

TEST_F(RunningKeys, ThreeFlipsAndThreeRestoresGiveTheRuleBack)
{
    srandom(12);
    ring_builder net;
    net.SetUp();
    net.ring(12, 5);
    TestNetwork::set_random_rule();
    flippos = static_cast<uint16_t *>(checked_calloc(1, sizeof(uint16_t), "flippos"));
    bitflipcount = 0;
    ncolor = 0;
    std::vector<uint8_t> original = net.rule0();
    key('1');
    EXPECT_EQ(it.fore_colour, yellow) << "each change swaps the pattern colour";
    key('1');
    key('1');
    EXPECT_EQ(bitflipcount, 3u);
    EXPECT_NE(net.rule0(), original);
    key('2');
    key('2');
    key('2');
    EXPECT_EQ(net.rule0(), original);
    EXPECT_EQ(bitflipcount, 0u);
    uint8_t colour = it.fore_colour;
    key('2');
    EXPECT_EQ(net.rule0(), original);
    EXPECT_EQ(it.fore_colour, colour) << "an empty record changes nothing";
    checked_free(flippos);
    flippos = nullptr;
    net.TearDown();
}

TEST_F(RunningKeys, AnAttractorSearchDropsEveryKey)
{
    limitcheck = 10000;
    key('<');
    EXPECT_EQ(it.delay, 0);
    direction = direction_backward;
    limitcheck = 0;
    key('<');
    EXPECT_EQ(it.delay, 0);
}

// The entropy sample's dialog ('E' with the entropy-density plot on): its
// first line wraps inside the prompt box instead of running past the
// window's edge, and while the sample size waits nothing of the dialog
// reaches the box's right frame.
TEST_F(RunningKeys, TheEntropySampleDialogStaysInsideItsBox)
{
    ring_builder net;
    net.SetUp();
    net.ring(14, 3);
    stpgraph = stpgraph_density;
    eg.ed_plot = 1;
    eg.k = 3;
    eg.entropy_start = 30;
    eg.entropy_end = 430;
    ae.sample_size = 4;
    std::vector<unsigned long> edge;
    const int right = Maxx - 2; // the prompt box's right frame
    // Test mode, standard deviation, start 30, end kept, 2 runs a rule.
    paced_thread typist = type_keys_looking("\r\r30\r\r2\r", [&](size_t i) {
        if (i == 6) {
            screenshot("entropy_sample_dialog");
            edge = pixels_seen(right - 4, 3, 4, 6 * CHeight);
        }
    });
    key('E');
    typist.join();
    flush_display();
    screenshot("entropy_sample_closed");
    ASSERT_FALSE(edge.empty());
    EXPECT_EQ(std::count(edge.begin(), edge.end(), Color_Table[white]), 0)
        << "the dialog's text reaches the box's right frame";
    EXPECT_EQ(eg.entropy_start, 30);
    EXPECT_EQ(ae.sample_size, 2);
    checked_free(ae.edata);
    ae.edata = nullptr;
    stpgraph = stpgraph_none;
    net.TearDown();
}

} // namespace

// The entropy-density plane ('u') and the lookup histogram's two forms ('%')
// beside a 60-cell pattern, in the windows of a 1280x1024 and of a 1024x768
// screen: the key panel gives way whole to the plane and comes back after
// it, and the histogram's return to bars leaves the colour key whole.
TEST_F(RunningKeys, ThePlaneAndTheHistogramLeaveTheBoxesAtTheRightWhole)
{
    if (!on_default_screen())
        GTEST_SKIP() << "the larger window does not fit this server's screen";
    ring_builder net;
    net.SetUp();
    net.ring(60, 3);
    stpgraph = stpgraph_lookup_bars;
    eg.hist_mode = 1;
    eg.k = 3;
    it.cell_size = 5;
    uint8_t value_colours[2] = {black, yellow}, *colours_before = color_v;
    color_v = value_colours;
    const unsigned long background = Color_Table[black];
    auto marks = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (unsigned long p : pixels_seen(x0, y0, x1 - x0 + 1, y1 - y0 + 1))
            n += p != background;
        return n;
    };
    for (const int *size : {(const int[]){1024, 768}, (const int[]){927, 695}}) {
        SCOPED_TRACE(testing::Message() << "window " << size[0] << "x" << size[1]);
        ASSERT_TRUE(resize_to(size[0], size[1]));
        clear_drawing_area();
        eg.x0 = static_cast<int16_t>(lineL * it.cell_size + vgax(10));
        eg.w2 = vgax(100);
        place_lookup_histogram(&eg);
        it.key_panel = 1;
        forget_key_panel();
        interrupt_key_index(&eg, &it);
        const int panel = key_panel_left(), top = key_panel_top();
        ASSERT_LE(panel, Maxx) << "no key panel beside the pattern";
        key('u');
        flush_display();
        screenshot("plane_over_key_panel_" + std::to_string(size[0]));
        EXPECT_EQ(key_panel_left(), Maxx + 1) << "the panel stays under the plane";
        EXPECT_EQ(marks(plane_reach(side_plot_left(&eg)) + 1, top, Maxx - 3, Maxy - 3), 0)
            << "the panel's lines are left beside the plane";
        key('u');
        EXPECT_EQ(key_panel_left(), panel) << "the panel did not come back";

        // No panel: the histogram reaches the window's right edge, below
        // the colour key.
        erase_key_panel();
        it.key_panel = 0;
        eg.hist_limit = static_cast<int16_t>(Maxx - 2);
        show_multistate_color_key(1);
        flush_display();
        const int key_left = Maxx - 2 - color_key_width();
        const std::vector<unsigned long> colour_key = pixels_seen(key_left, 0, Maxx - key_left, eg.hist_y0 - 2);
        key('%');
        key('%');
        flush_display();
        screenshot("histogram_back_to_bars_" + std::to_string(size[0]));
        EXPECT_EQ(pixels_seen(key_left, 0, Maxx - key_left, eg.hist_y0 - 2), colour_key)
            << "the colour key was cut";
        show_multistate_color_key(0);
    }
    ASSERT_TRUE(resize_to(1024, 768));
    color_v = colours_before;
    stpgraph = stpgraph_none;
    net.TearDown();
}

// The state-space matrix ('y') and the entropy-density plane ('u') beside a
// 14-cell pattern share the window's bottom: the plane drawn over the
// matrix's box takes the matrix off whole, and 'y' then takes the plane off
// and draws the box whole again.
TEST_F(RunningKeys, TheMatrixAndTheEntropyPlaneStandOneAtATime)
{
    ring_builder net;
    lookup_side_plot(net);
    msize = static_cast<int16_t>(vgax(200));
    show_ss_matrixF = ss_view_none;
    clear_drawing_area();
    // The box's frame, as the matrix places it during a forward run.
    const int x1 = Maxx - vgax(136), y1 = Maxy - 2, x0 = x1 - msize - 1, y0 = y1 - msize - 1;
    auto white_in = [&](int x, int y, int w, int h) { return colour_in(x, y, w, h, white); };
    key('y');
    ASSERT_EQ(show_ss_matrixF, ss_view_matrix);
    key('u');
    ASSERT_TRUE(eg.ed_plot);
    ASSERT_GE(plane_reach(side_plot_left(&eg)), x0) << "the plane does not reach the box";
    flush_display();
    screenshot("plane_over_matrix");
    EXPECT_EQ(show_ss_matrixF, ss_view_none) << "the matrix stays under the plane";
    EXPECT_EQ(white_in(x1, y0, 1, y1 - y0 + 1), 0) << "the box's right side is left beside the plane";
    key('y');
    flush_display();
    screenshot("matrix_after_plane");
    EXPECT_FALSE(eg.ed_plot) << "the plane stays under the matrix";
    EXPECT_EQ(show_ss_matrixF, ss_view_matrix);
    EXPECT_EQ(white_in(x0, y0, x1 - x0 + 1, 1), x1 - x0 + 1) << "the box's top is cut";
    EXPECT_EQ(white_in(x0, y0, 1, y1 - y0 + 1), y1 - y0 + 1) << "the box's left side is cut";
    key('y');
    stpgraph = stpgraph_none;
    net.TearDown();
}

// A re-lay of the pattern's area ('e' makes the cells larger) clears it
// whole: the entropy-density plane, whose points go on, is drawn again at
// the place the wider pattern gives, its x axis whole, and goes with 'u'.
TEST_F(RunningKeys, TheEntropyPlaneComesBackAfterTheCellsGrow)
{
    ring_builder net;
    lookup_side_plot(net);
    image_slot pixmap = 0;
    it.pixmap = &pixmap;
    clear_drawing_area();
    const int width = vgax(200);
    auto axis_drawn = [&] {
        return colour_in(plane_left(side_plot_left(&eg)), plane_bottom(), width + 1, 1, lightred);
    };
    key('u');
    ASSERT_TRUE(eg.ed_plot);
    ASSERT_EQ(axis_drawn(), width + 1);
    const int before = side_plot_left(&eg);
    key('e');
    ASSERT_EQ(it.cell_size, 6);
    ASSERT_GT(side_plot_left(&eg), before) << "the wider pattern leaves the side plot where it was";
    flush_display();
    screenshot("entropy_plane_after_cells_grow");
    EXPECT_EQ(axis_drawn(), width + 1) << "the plane's x axis is gone with the re-lay's clear";
    key('u');
    EXPECT_FALSE(eg.ed_plot);
    EXPECT_EQ(axis_drawn(), 0) << "the plane stays after 'u'";
    if (pixmap)
        freeimage(&pixmap);
    stpgraph = stpgraph_none;
    net.TearDown();
}
