// The sweep graphs on the window, called from the test process: the frame
// of a two-size sweep with both ends labelled, no frame at all without a
// graph, the lambda-ratio points inside their own frame on a 1280 x 1024
// window, and the lambda-Z sweep stopped with 'q' after three rules (its
// table over those three, the rule, bias and screen put back) and run
// without bias. With ZEMRA_SCREENSHOTS naming a folder, the window is saved
// there at the sweep's summary and table.
#include "support/x_test_fixture.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "engine/backward/backward_test_support.h"
#include "engine/model/network_arrays.h"
#include "ui/driver/mutation.h"
#include "ui/driver/options_box.h"
#include "ui/measures/globals.h"
#include "ui/measures/gofe_graph.h"
#include "ui/measures/lambda_z_plot.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"

namespace {

class SweepGraphs : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
        setcolor(white);
        gd_z_graph = sweep_graph_none;
        lambda_z_graph = lambda_z_off;
    }
    void TearDown() override
    {
        gd_z_graph = sweep_graph_none;
        lambda_z_graph = lambda_z_off;
        totalgraphrules = 0;
        mutate = mutation_bits;
    }
    // Everything drawn is done before the test's connection reads it.
    static void settle()
    {
        flush_display();
        XSync(D, False);
    }
    // Whether anything but the background shows in the rectangle.
    static bool lit(int x0, int y0, int x1, int y1)
    {
        settle();
        std::vector<unsigned long> pixels = pixels_seen(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
        for (unsigned long p : pixels)
            if (p != Color_Table[black])
                return true;
        return false;
    }
    // The lit columns of row y.
    static std::vector<int> lit_columns(int y)
    {
        settle();
        std::vector<unsigned long> row = pixels_seen(0, y, Maxx + 1, 1);
        std::vector<int> columns;
        for (int x = 0; x <= Maxx; x++)
            if (row[static_cast<size_t>(x)] != Color_Table[black])
                columns.push_back(x);
        return columns;
    }
};

TEST_F(SweepGraphs, ASizeSweepOfTwoSizesLabelsBothEnds)
{
    gd_z_graph = sweep_graph_size;
    totalgraphrules = 2;
    uint16_t first = startL;
    startL = 9;
    gofE_z_graph();
    startL = first;
    EXPECT_EQ(gox, vgax(360));
    EXPECT_EQ(goy, vgay(415));
    int x1 = gox + static_cast<int>(lx);
    int below = goy + vgay(3), under = below + CHeight;
    // A label under each end ("9", "10"), nothing under the middle of the
    // one interval but the axis's own label further right.
    EXPECT_TRUE(lit(gox - CWidth, below, gox + CWidth, under));
    EXPECT_TRUE(lit(x1 - CWidth, below, x1 + CWidth, under));
    EXPECT_FALSE(lit(gox + 2 * CWidth, goy + 2, gox + static_cast<int>(0.3 * lx) - 2, under));
    // The x axis, the y axis and the closing line along the top.
    EXPECT_TRUE(lit(gox + static_cast<int>(lx / 2), goy, gox + static_cast<int>(lx / 2), goy));
    EXPECT_TRUE(lit(gox, goy - static_cast<int>(ly / 3), gox, goy - static_cast<int>(ly / 3)));
    int top = goy - static_cast<int>(ly);
    EXPECT_TRUE(lit(gox + static_cast<int>(lx / 2), top, gox + static_cast<int>(lx / 2), top));
    // The axis label stays inside the window.
    EXPECT_FALSE(lit(Maxx - 1, goy, Maxx, under));
}

// After its last point a size sweep grows the network once more: that
// size has no place on the axis, and neither its point nor a line to it is
// drawn past the frame.
TEST_F(SweepGraphs, ASizePastTheSweepsLastIsNotPlotted)
{
    gd_z_graph = sweep_graph_size;
    totalgraphrules = 3;
    const uint16_t first = startL, size = lineL;
    startL = 2;
    gofE_z_graph();
    for (lineL = 2; lineL <= 5; lineL++)
        plot_gofe_point(275, 0.5f);
    startL = first;
    lineL = size;
    const int end = gox + static_cast<int>(lx), y = goy - static_cast<int>(ly / 2);
    EXPECT_TRUE(lit(end - graphspot, y - graphspot, end + graphspot, y + graphspot));
    EXPECT_FALSE(lit(end + graphspot + 1, goy - static_cast<int>(ly), Maxx, goy - 1));
}

// Each letter of the y axis's label stands on a line of the text column:
// every row it inks lies in a line's ink, so a band cleared from a row the
// column's lines leave free (a dialog's over the graph) never leaves a
// piece of a letter above it.
TEST_F(SweepGraphs, TheYLabelsLettersStandOnTheTextColumnsLines)
{
    gd_z_graph = sweep_graph_size;
    totalgraphrules = 3;
    const int width = Maxx + 1, height = WinMaxy + 1;
    std::vector<std::pair<int, int>> sizes = {{width, height}};
    if (on_default_screen())
        sizes.push_back({1280, 1024});
    for (const auto &[w, h] : sizes) {
        ASSERT_TRUE(resize_to(w, h));
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
        gofE_z_graph();
        const int x = gox - CWidth / 3 - text_pixel_width("0.0", 3) - 2 * CWidth;
        int inked = 0;
        for (int y = goy - static_cast<int>(ly); y < goy; y++)
            if (lit(x, y, x + CWidth - 1, y)) {
                inked++;
                EXPECT_NE(text_column_clear_row(y), y) << w << "x" << h << ": row " << y;
            }
        EXPECT_GT(inked, 0) << w << "x" << h;
    }
    ASSERT_TRUE(resize_to(width, height));
}

TEST_F(SweepGraphs, NeitherGraphDrawsNothingAndResetsTheOrigin)
{
    gox = 5;
    gofE_z_graph();
    EXPECT_EQ(gox, vgax(360));
    EXPECT_FALSE(lit(0, Maxy / 4, Maxx, Maxy - 1));
}

TEST_F(SweepGraphs, LambdaRatioPointsFallInsideTheirFrameOnALargeWindow)
{
    if (!on_default_screen())
        GTEST_SKIP() << "a 1280 x 1024 window does not fit this server's screen";
    int width = Maxx + 1, height = WinMaxy + 1;
    ASSERT_TRUE(resize_to(1280, 1024));
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    gd_z_graph = sweep_graph_z_lambda;
    give_rule_figures();
    for (float ratio : {0.0f, 0.3f, 0.7f, 1.0f}) {
        clearviewport();
        gofE_z_graph();
        int left = lambda_ratio_graph_x();
        EXPECT_EQ(left, gox - vgax(300));
        // The frames as drawn: the lambda-ratio graph's y axis is the first
        // lit column on a row between the 0.0 label and the axis label.
        std::vector<int> row = lit_columns(goy - static_cast<int>(0.15 * ly));
        ASSERT_FALSE(row.empty());
        EXPECT_EQ(row.front(), left);
        zparam[0] = 0.5f;
        lratio = ratio;
        // A point high on the frames, where the row has nothing else but
        // the axes (the axes' labels, one letter a line, stand lower).
        plot_gofe_point(275, 0.9f);
        int y = goy - static_cast<int>(0.9f * ly);
        int r = graphspot, right = left + static_cast<int>(lx);
        bool at_ratio = false;
        for (int x : lit_columns(y)) {
            bool in_lambda = x >= left - r - 1 && x <= right + r + 1;
            bool in_z = x >= gox - r - 1 && x <= gox + static_cast<int>(lx) + r + 1;
            EXPECT_TRUE(in_lambda || in_z) << "ratio " << ratio << ": lit at " << x;
            at_ratio = at_ratio || std::abs(x - (left + static_cast<int>(ratio * lx))) <= r;
        }
        EXPECT_TRUE(at_ratio) << "no point at ratio " << ratio;
    }
    ASSERT_TRUE(resize_to(width, height));
}

// The lambda-Z sweep over rule tables of k = 3 from a given rule, its next
// rule made by the mutation step; after `stop_after` rules a 'q' is put in
// the window's queue.
class LambdaZSweep : public SweepGraphs {
protected:
    static inline int made = 0, stop_after = 0;
    static inline std::vector<int16_t> biases;

    static int next_rule(int k)
    {
        biases.push_back(lambda_bias);
        int r = mutate_rule(k);
        if (++made == stop_after - 1) {
            type_keys("q");
            XSync(D, False);   // the key is in the window's queue for the next poll
        }
        return r;
    }
    void SetUp() override
    {
        SweepGraphs::SetUp();
        value_range = 2;
        value_bits = 1;
        made = 0;
        biases.clear();
        set_lambda_z_hooks({next_rule, finish_options});
        zparam_kept = zparam;
        allocate_mem_Z_parameter();
        allocate_mem_nhood_matrix(kK);
    }
    void TearDown() override
    {
        set_lambda_z_hooks({mutate_rule, finish_options});
        free_mem_nhood_matrix(kK);
        free_mem_Z_parameter();
        zparam = zparam_kept;
        SweepGraphs::TearDown();
    }
    static constexpr int kK = 5;
    float *zparam_kept = nullptr;
};

TEST_F(LambdaZSweep, StoppedAfterThreeRulesCountsThoseThree)
{
    TestNetwork net(2, 10, 3);
    TestNetwork::set_rule_number(255);
    lambda_z_graph = lambda_z_lambda;
    mutate = mutation_rule_number;
    lambda_bias = 12;
    stop_after = 3;
    gofE_z_graph();
    // Something where the table will be, to see it come back.
    setfillstyle(0, blue);
    bar(10, vgay(40), 60, vgay(60));
    unsigned long marker = window_pixel(30, vgay(50));

    testing::internal::CaptureStderr();
    // Summary: the table, also to standard error; the options box: on.
    paced_thread typist = type_keys_looking("dp\r\r", [](size_t i) {
        if (i == 0)
            screenshot("lambda_z_summary");
        if (i == 3)
            screenshot("lambda_z_table");
    });
    draw_lambda_z_graph(0);
    typist.join();
    std::string err = testing::internal::GetCapturedStderr();

    // Rules 255, 254 and 253: each has all three inputs canalyzing (a value
    // of any input that leaves only outputs 1 fixes it), one in lambda-ratio
    // class 0 and two in class 1.
    EXPECT_EQ(made, 2);
    EXPECT_NE(err.find("total rules=3\n"), std::string::npos) << err;
    EXPECT_NE(err.find("C0=0=0.000% C1=0=0.000% C2=0=0.000% C3=3=100.000%"), std::string::npos)
        << err;
    EXPECT_NE(err.find("freq   1=33.333%  2=66.667%"), std::string::npos) << err;
    EXPECT_EQ(endcount, 3u);
    // The rule, the bias and the screen under the table as they were.
    EXPECT_EQ(dec_equiv(carule[0], 7), 255u);
    EXPECT_EQ(lambda_bias, 12);
    EXPECT_EQ(window_pixel(30, vgay(50)), marker);
    EXPECT_EQ(window_pixel(vgax(170), vgay(410)), Color_Table[black]);  // the summary box's place
}

TEST_F(LambdaZSweep, EveryRuleOfTheWalkDownToRuleZero)
{
    TestNetwork net(2, 10, 3);
    TestNetwork::set_rule_number(20);
    lambda_z_graph = lambda_z_zleft_zright;
    mutate = mutation_rule_number;
    stop_after = 0;
    gofE_z_graph();
    testing::internal::CaptureStderr();
    paced_thread typist = type_keys_paced("p\r\r");
    draw_lambda_z_graph(0);
    typist.join();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(made, 21);   // 19 .. 0 made, and the end of the walk asked for
    EXPECT_NE(err.find("total rules=21\n"), std::string::npos) << err;
    EXPECT_EQ(dec_equiv(carule[0], 7), 20u);
}

TEST_F(LambdaZSweep, RandomRulesWithAndWithoutBias)
{
    TestNetwork net(2, 10, 4);
    lambda_z_graph = lambda_z_lambda;
    mutate = mutation_random_rule;
    totalgraphrules = 5;
    stop_after = 0;
    set_z_high = 0;
    lambda_bias = 7;
    gofE_z_graph();
    paced_thread typist = type_keys_paced("q");   // no table
    draw_lambda_z_graph(1);
    typist.join();
    // Unbiased: every rule drawn at 50%, and the setting put back after.
    EXPECT_EQ(biases, (std::vector<int16_t>{50, 50, 50, 50}));
    EXPECT_EQ(lambda_bias, 7);

    made = 0;
    biases.clear();
    typist = type_keys_paced("q");
    draw_lambda_z_graph(0);
    typist.join();
    // Progress 1/5, 2/5, 3/5, 4/5 of the sweep before each new rule.
    EXPECT_EQ(biases, (std::vector<int16_t>{15, 25, 35, 45}));
    EXPECT_EQ(lambda_bias, 7);
    EXPECT_EQ(set_z_high, 0);
}

// A random sweep of k = 5 rules: the table's 17 lambda-ratio columns all
// shown on the window, in two bands of columns where one row of them would
// pass its edge; the table's box ends inside the window.
TEST_F(LambdaZSweep, TheTableOfKFiveStaysInsideTheWindow)
{
    TestNetwork net(2, 10, 5);
    lambda_z_graph = lambda_z_lambda;
    mutate = mutation_random_rule;
    totalgraphrules = 60;
    stop_after = 0;
    gofE_z_graph();
    std::vector<unsigned long> edge;
    // Summary: the table; the options box: on.
    paced_thread typist = type_keys_looking("d\r\r", [&](size_t i) {
        if (i == 2) {
            screenshot("lambda_z_table_k5");
            edge = pixels_seen(Maxx - 4, vgay(35) + 2, 3, vgay(200));
        }
    });
    draw_lambda_z_graph(0);
    typist.join();
    ASSERT_FALSE(edge.empty());
    int ink = 0;
    for (unsigned long p : edge)
        ink += p != Color_Table[black];
    EXPECT_EQ(ink, 0) << "the table runs to the window's edge";
}

} // namespace
