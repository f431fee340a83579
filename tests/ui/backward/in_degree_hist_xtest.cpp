// The in-degree histogram on the window: the counts a basin field gathers
// against a brute-force count of pre-images per state from the successor
// map; the plot's bars as the linear, logarithmic and rescaled axes place
// them, its save to an 804-byte file, a refused load ending it with the
// counts untouched, the region under it put back, the stop prompt's 'h'
// opening it; a series of runs (sizes of a range, a field run again)
// whose each histogram counts its own run alone; and the averaged stack
// histogram, which draws nothing before any computation and keeps its
// scale at 10 or more.
#include "support/x_test_fixture.h"

#include <cstdio>
#include <thread>
#include <vector>
#include <sys/stat.h>

#include "engine/backward/backward_test_support.h"
#include "engine/backward/in_degree.h"
#include "engine/model/checked_alloc.h"
#include "engine/wiring/out_degrees.h"
#include "support/work_dir.h"
#include "ui/backward/globals.h"
#include "ui/backward/in_degree_hist.h"
#include "ui/backward/ppstack_hist.h"
#include "ui/backward/stop_prompts.h"
#include "ui/driver/globals.h"
#include "ui/driver/run_drivers.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

// pre_fan_freq of cut-off `last` for one test, then the settings as before.
struct in_degree_counts {
    uint32_t saved_max = maxinhist;
    explicit in_degree_counts(uint32_t last)
    {
        maxinhist = last;
        reset_in_degree_counts(last + 1);
        pre_fansize_freq_hist = 1;
    }
    ~in_degree_counts()
    {
        checked_free(pre_fan_freq);
        pre_fan_freq = nullptr;
        pre_fan_edges = 0;
        maxinhist = saved_max;
        pre_fansize_freq_hist = 0;
    }
};

// The counts as those of one tree drawn backward (no field) of total nodes,
// whose widest fan has widest pre-images, without the majority marks.
void
counted_as_one_tree(uint32_t total, uint32_t widest)
{
    direction = direction_backward;
    basinfield = 0;
    totsubtree = total;
    maxtreefan = widest;
    show_maj = show_maj_off;
}

class InDegreeHistogram : public ClearedWindowTest {
protected:
    void TearDown() override
    {
        basinfield = 0;
        direction = direction_unset;
    }
};

TEST_F(InDegreeHistogram, FieldCountsEqualBruteForcePreImagesPerState)
{
    for (uint32_t rule : {0u, 30u, 90u, 110u, 184u, 204u})
        for (uint32_t n : {7u, 10u})
            for (int compress = 0; compress < 2; compress++) {
                TestNetwork net(2, n, 3);
                reset_backward_settings();
                in_degree_counts counts(50);
                shownumbers = shownumbers_spot;
                dontcompress = compress ? 0 : 1;
                TestNetwork::set_rule_number(rule);
                std::vector<uint32_t> next = successors();
                std::vector<uint32_t> in_degree(next.size(), 0);
                for (uint32_t s : next)
                    in_degree[s]++;
                std::vector<uint32_t> expected(51, 0);
                for (uint32_t d : in_degree)
                    expected[std::min(d, 50u)]++;
                basinfield = 1;
                direction = direction_forward;
                stp = 0;
                draw_field();
                SCOPED_TRACE("rule " + std::to_string(rule) + " n " + std::to_string(n) +
                             " compress " + std::to_string(compress));
                EXPECT_EQ(std::vector<uint32_t>(pre_fan_freq, pre_fan_freq + 51), expected);
                // Every state has one successor: the edges are the states.
                EXPECT_EQ(pre_fan_edges, next.size());
                clearviewport();
            }
}

// The plot's geometry as the histogram lays it out for an x maximum of 30
// or less: origin, height and the width of a linear column.
struct plot_geometry {
    int ox = vgax(80), oy = Maxy - vgay(67), height = vgay(120);
    double column = std::min(vgax(500) / 30.0, static_cast<double>(vgax(10)));
    int plot_width = static_cast<int>(column * 31);
};

// A ring of rule 0 that the size ranges can grow: every state goes to the
// all-0 state in one step, so the one basin of n cells counts 2^n nodes,
// 2^n - 1 of them garden-of-Eden states.
void
rule_zero_range(int first, int last)
{
    reset_backward_settings();
    whatwire = whatwire_1d;
    nonlocal = 0;
    zonesize = lineL;
    cell_out_freq();
    TestNetwork::set_rule_number(0);
    shownumbers = shownumbers_spot;
    dontcompress = 1;
    direction = direction_forward;
    rangeL = 1;
    startL = first;
    endL = last;
    rangebytesL = bytesL;
    fieldpause = 0;
    mutantdontpause = 1; // no options box at the end
    firstox = ox = 60;
    firstoy = oy = 80;
    xspacing = yspacing = startxspacing = startyspacing = 60;
    xspacefact = yspacefact = 1;
    rightborder = 0.5f;
    stp = 0;
}

TEST_F(InDegreeHistogram, EachRunOfARangeCountsItsOwnStates)
{
    TestNetwork net(2, 4, 3);
    rule_zero_range(4, 6);
    in_degree_counts counts(200);
    limitcheck = 1000;
    // 'q' at each histogram (the range goes on: the run's key decides), and
    // at the options box that the last size opens before its histogram.
    std::vector<uint64_t> nodes, gofe;
    paced_thread keys = type_keys_looking("qqqq", [&](size_t i) {
        if (i == 2)
            return;
        nodes.push_back(sum_in_degree_counts(pre_fan_freq, maxinhist, false).nodes);
        gofe.push_back(pre_fan_freq[0]);
    });
    draw_range_single();
    keys.join();
    limitcheck = 0;
    rangeL = 0;
    mutantdontpause = 0;
    EXPECT_EQ(nodes, (std::vector<uint64_t>{16, 32, 64}));
    EXPECT_EQ(gofe, (std::vector<uint64_t>{15, 31, 63}));
    EXPECT_EQ(lineL, 4);
}

TEST_F(InDegreeHistogram, AFieldOfARangeRunAgainCountsItsStatesOnce)
{
    TestNetwork net(2, 4, 3);
    rule_zero_range(4, 5);
    in_degree_counts counts(200);
    basinfield = 1;
    // 'q' at the histogram ends the range after its first field; the field
    // run again counts the same states, not twice as many.
    std::vector<uint64_t> nodes;
    for (int run = 0; run < 2; run++) {
        paced_thread keys = type_keys_looking("q", [&](size_t) {
            nodes.push_back(sum_in_degree_counts(pre_fan_freq, maxinhist, false).nodes);
        });
        is[0] = 0;
        draw_range_field();
        keys.join();
        ox = firstox;
        oy = firstoy;
    }
    rangeL = 0;
    mutantdontpause = 0;
    EXPECT_EQ(nodes, (std::vector<uint64_t>{16, 16}));
}

TEST_F(InDegreeHistogram, BarsLogAxesRescaleAndSave)
{
    // A subtree with counts 4, 0, 3 for in-degrees 0, 1, 2.
    work_dir dir;
    ASSERT_TRUE(dir.enter("zemra-prh"));
    in_degree_counts counts(200);
    count_in_degree(0, 4);
    count_in_degree(2, 3);
    counted_as_one_tree(7, 2);
    plot_geometry g;
    int linear_x = g.ox + static_cast<int>(2.5 * g.column);
    // With both axes logarithmic there are three columns (0, 1, 2-3), the
    // last white, 3 of 10 on the log scale.
    int log_x = g.ox + g.plot_width * 5 / 6;
    unsigned long seen[4] = {0, 0, 0, 0}, above[4] = {0, 0, 0, 0};
    paced_thread keys = type_keys_looking("bs\r\r\r2\rq", [&](size_t i) {
        if (i == 0) { // linear: column 2, the x maximum, white at 3/4 height
            seen[0] = pixel_seen(linear_x, g.oy - 2);
            above[0] = pixel_seen(linear_x, g.oy - g.height * 3 / 4 - 3);
        } else if (i == 1) { // 'b' drew both axes logarithmic
            seen[1] = pixel_seen(log_x, g.oy - 2);
            above[1] = pixel_seen(log_x, g.oy - g.height / 2 - 3);
        } else if (i == 4) { // after the save: the plot again, the rescale next
            seen[2] = pixel_seen(log_x, g.oy - 2);
        } else if (i == 7) { // y maximum 2: the column of 3 cut at full height
            seen[3] = pixel_seen(linear_x, g.oy - g.height + 2);
        }
    });
    show_pre_fansize_freq_hist();
    keys.join();
    EXPECT_EQ(seen[0], Color_Table[white]);
    EXPECT_EQ(above[0], Color_Table[black]);
    EXPECT_EQ(seen[1], Color_Table[white]);
    EXPECT_EQ(above[1], Color_Table[black]);
    EXPECT_EQ(seen[2], Color_Table[white]);
    EXPECT_EQ(seen[3], Color_Table[white]);
    EXPECT_EQ(is[0], 'q');
    // The region under the plot is back, its image freed.
    EXPECT_EQ(window_pixel(linear_x, g.oy - 2), Color_Table[black]);
    EXPECT_EQ(window_pixel(vgax(4), g.oy - g.height), Color_Table[black]);
    EXPECT_EQ(boximage[11], 0u);
    struct stat st;
    ASSERT_EQ(stat("my_prh.prh", &st), 0);
    EXPECT_EQ(st.st_size, 804);
    EXPECT_TRUE(dir.leave());
}

TEST_F(InDegreeHistogram, XRescaleFoldsTheTailIntoTheLastColumn)
{
    // In-degrees 0 (3 nodes), 1 (10) and 100 (5): the x maximum can be
    // rescaled between 30 and 100.
    in_degree_counts counts(200);
    count_in_degree(0, 3);
    count_in_degree(1, 10);
    count_in_degree(100, 5);
    direction = direction_backward;
    basinfield = 0;
    totsubtree = 18;
    int ox = vgax(80), oy = Maxy - vgay(67);
    double column = std::min(vgax(500) / 40.0, static_cast<double>(vgax(10)));
    int tail_x = ox + static_cast<int>(40.5 * column), one_x = ox + static_cast<int>(1.5 * column);
    double held_column = std::min(vgax(500) / 30.0, static_cast<double>(vgax(10)));
    int held_tail_x = ox + static_cast<int>(30.5 * held_column);
    unsigned long tail[2] = {0, 0}, one = 0;
    // Return, x maximum 40, y kept; then Return, 20 (held at 30), y kept.
    paced_thread keys = type_keys_looking("\r40\r\r\r20\r\rq", [&](size_t i) {
        if (i == 5) {
            tail[0] = pixel_seen(tail_x, oy - 2);
            one = pixel_seen(one_x, oy - 2);
        } else if (i == 10) {
            tail[1] = pixel_seen(held_tail_x, oy - 2);
        }
    });
    show_pre_fansize_freq_hist();
    keys.join();
    EXPECT_EQ(tail[0], Color_Table[white]);
    EXPECT_EQ(one, Color_Table[blue]);
    EXPECT_EQ(tail[1], Color_Table[white]);
    EXPECT_EQ(window_pixel(tail_x, oy - 2), Color_Table[black]);
}

TEST_F(InDegreeHistogram, StopPromptKeyHOpensIt)
{
    in_degree_counts counts(200);
    count_in_degree(0, 4);
    count_in_degree(2, 3);
    direction = direction_backward;
    basinfield = 0;
    totsubtree = 7;
    plot_geometry g;
    int linear_x = g.ox + static_cast<int>(2.5 * g.column);
    unsigned long seen = 0;
    // 'h' (with Return) at the stop prompt, 'q' ends the histogram and
    // 'q' at the prompt shown again stops.
    paced_thread keys = type_keys_looking("h\rqq", [&](size_t i) {
        if (i == 2)
            seen = pixel_seen(linear_x, g.oy - 2);
    });
    EXPECT_EQ(ask_stop_key(1), 'q');
    keys.join();
    EXPECT_EQ(seen, Color_Table[white]);
    EXPECT_EQ(boximage[11], 0u);
    // Without the histogram 'h' is an ordinary key.
    pre_fansize_freq_hist = 0;
    keys = type_keys_paced("h\r");
    EXPECT_EQ(ask_stop_key(1), 'h');
    keys.join();
}

TEST_F(InDegreeHistogram, RefusedLoadEndsItWithTheCountsUntouched)
{
    work_dir dir;
    ASSERT_TRUE(dir.enter("zemra-prh"));
    FILE *bad = fopen("bad.prh", "wb");
    ASSERT_NE(bad, nullptr);
    fwrite("0123456789", 1, 10, bad);
    fclose(bad);
    in_degree_counts counts(200);
    count_in_degree(0, 4);
    count_in_degree(2, 3);
    uint32_t *array = pre_fan_freq;
    direction = direction_backward;
    totsubtree = 7;
    paced_thread keys = type_keys_paced("lbad\r\r\r");
    show_pre_fansize_freq_hist();
    keys.join();
    EXPECT_EQ(pre_fan_freq, array);
    EXPECT_EQ(maxinhist, 200u);
    EXPECT_EQ(pre_fan_freq[0], 4u);
    EXPECT_EQ(pre_fan_freq[2], 3u);
    EXPECT_EQ(pre_fan_edges, 6u);
    EXPECT_EQ(boximage[11], 0u);
    EXPECT_TRUE(dir.leave());
}

TEST_F(InDegreeHistogram, EmptyHistogramDrawsNothing)
{
    in_degree_counts counts(50);
    count_in_degree(0, 5); // garden-of-Eden nodes only: no edges
    direction = direction_backward;
    totsubtree = 5;
    moveto(33, 44);
    show_pre_fansize_freq_hist();
    EXPECT_EQ(getx, 33);
    EXPECT_EQ(gety, 44);
    EXPECT_EQ(boximage[11], 0u);
    EXPECT_EQ(window_pixel(vgax(4), Maxy - vgay(67)), Color_Table[black]);
}

TEST_F(InDegreeHistogram, AverageStackHistogramNeedsAComputation)
{
    TestNetwork net(2, 12, 3);
    ppL = 0;
    pp_ymax = 0;
    pp_histcount = 0;
    pp_wild_tot = 0;
    show_average_pp_hist();
    EXPECT_EQ(ppL, 0u); // no frame laid out
    EXPECT_EQ(pp_ymax, 0u);
    // Computations whose stacks stayed empty: the scale is still 10.
    pp_histcount = 3;
    show_average_pp_hist();
    EXPECT_EQ(pp_ymax, 10u);
    EXPECT_EQ(ppL, lineL);
    EXPECT_EQ(window_pixel(pp_startx0, pp_starty0), Color_Table[red]);
    // Averages of 2 and 8 with free cells: scale 1.5 x 8, the first
    // step's bar (cell 11) a sixth of the full height.
    pp_hist_total[11] = 6;
    pp_hist_total[0] = 24;
    pp_wild_tot = 3;
    show_average_pp_hist();
    EXPECT_EQ(pp_hist_max, 8u);
    EXPECT_EQ(pp_ymax, 12u);
    int bar_x = pp_startx0 + vgax(50) + 1;
    int base = pp_starty0 - vgay(25);
    EXPECT_EQ(window_pixel(bar_x, base - 1), Color_Table[green]);
    EXPECT_EQ(window_pixel(bar_x, base - vgay(120) / 6 - 3), Color_Table[black]);
    pp_hist_total[11] = pp_hist_total[0] = 0;
    pp_histcount = pp_wild_tot = 0;
    pp_ymax = 0;
    ppL = 0;
}

// Counts of 100 and 50: the y maximum's own tick (100) stands a few pixels
// over the last fourth tick (96); only its label is written there.
TEST_F(InDegreeHistogram, TopLabelIsNotWrittenOverTheLabelBelowIt)
{
    in_degree_counts counts(200);
    count_in_degree(0, 100);
    count_in_degree(1, 50);
    counted_as_one_tree(150, 1);
    plot_geometry g;
    int w = text_pixel_width("100", 3);
    int left = g.ox - 8 - w, top = g.oy - g.height - CHeight / 2;
    std::vector<unsigned long> shown;
    paced_thread keys = type_keys_looking("q", [&](size_t) {
        for (int y = top; y < top + CHeight; y++)
            for (int x = left - 4; x < g.ox - 6; x++)
                shown.push_back(pixel_seen(x, y));
    });
    show_pre_fansize_freq_hist();
    keys.join();
    // The label alone, where the plot writes it.
    setcolor(white);
    moveto(left, top);
    outtext("100");
    std::vector<unsigned long> alone;
    for (int y = top; y < top + CHeight; y++)
        for (int x = left - 4; x < g.ox - 6; x++)
            alone.push_back(window_pixel(x, y));
    EXPECT_TRUE(shown == alone) << "another label is written over the y maximum's";
}

// Counts of six digits: the y axis's counts and its title share no row.
TEST_F(InDegreeHistogram, WideCountsAndTheAxisTitleShareNoRow)
{
    in_degree_counts counts(200);
    count_in_degree(0, 400000);
    count_in_degree(1, 600000);
    counted_as_one_tree(1000000, 1);
    plot_geometry g;
    int white_rows = 0, yellow_rows = 0, both = 0;
    paced_thread keys = type_keys_looking("q", [&](size_t) {
        for (int y = g.oy - g.height - 6 * CHeight; y < g.oy; y++) {
            bool white_seen = false, yellow_seen = false;
            for (int x = vgax(4) + 2; x < g.ox - 7; x += 2) {
                unsigned long px = pixel_seen(x, y);
                white_seen |= px == Color_Table[white];
                yellow_seen |= px == Color_Table[yellow];
            }
            white_rows += white_seen;
            yellow_rows += yellow_seen;
            both += white_seen && yellow_seen;
        }
    });
    show_pre_fansize_freq_hist();
    keys.join();
    EXPECT_GT(white_rows, 0);
    EXPECT_GT(yellow_rows, 0);
    EXPECT_EQ(both, 0) << "rows where a count and the axis title meet";
}

} // namespace
