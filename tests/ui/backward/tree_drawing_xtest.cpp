// Trees drawn on the window: the root fan's edges where the geometry puts
// them, the state-space matrix marks of a subtree, the progress bar filled
// in a field, 'q' then 'n' between nodes ending a tree, the pause after a
// finished basin tree (its words in the status box, taken down with the
// answer), and the drawing speed of a 2^16-node tree.
#include "support/x_test_fixture.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/backward/tree_geometry.h"
#include "engine/forward/globals.h"
#include "ui/backward/fan_drawing.h"
#include "ui/backward/globals.h"
#include "ui/backward/ppstack_hist.h"
#include "ui/backward/progress_bar.h"
#include "ui/backward/run_backward.h"
#include "ui/backward/statespace_matrix.h"
#include "ui/backward/tree_test_support.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/window.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class TreeDrawing : public ScreenTest {
protected:
    std::vector<float> radii = std::vector<float>(91);
    float *saved_rad = rad;
    uint16_t saved_last = lastlevel;

    void
    SetUp() override
    {
        ScreenTest::SetUp();
        reset_backward_settings();
        lay_out_tree_at_centre(radii, 40);
        shownumbers = shownumbers_spot;
        linec = black;
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
    }
    void
    TearDown() override
    {
        rad = saved_rad;
        lastlevel = saved_last;
        show_ss_matrix = 0;
        basinfield = 0;
        datapause = datapause_unset;
    }

    static void
    build_subtree(uint32_t root)
    {
        set_number(firstseed, root);
        memcpy(this_firstseed, firstseed, bytesL);
        isrepeat = 0;
        direction = direction_backward;
        run_backward();
    }
};

TEST_F(TreeDrawing, RootFanEdgesLieWhereTheGeometryPutsThem)
{
    // Rule 0 on 4 cells: the all-0 root of a subtree has 15 pre-images,
    // spread evenly over the whole circle from -pi/4 on.
    TestNetwork net(2, 4, 3);
    dontcompress = 1;
    TestNetwork::set_rule_number(0);
    build_subtree(0);
    ASSERT_EQ(treesize, 16u);
    double step = 2 * kPi / 15;
    double first = -kPi / 4 + 14 * step / 2;
    for (int i = 0; i < 15; i++) {
        double theta = first - i * step;
        // A point two thirds of the way out along child i's edge.
        int x = static_cast<int>(ox + 2.0 / 3 * radii[1] * std::cos(theta));
        int y = static_cast<int>(oy + 2.0 / 3 * radii[1] * std::sin(theta));
        bool edge = false;
        for (int dx = -1; dx <= 1 && !edge; dx++)
            for (int dy = -1; dy <= 1 && !edge; dy++)
                edge = window_pixel(x + dx, y + dy) == Color_Table[lightred];
        EXPECT_TRUE(edge) << "edge " << i;
    }
    // Between two edges, halfway out, nothing is drawn.
    double between = first - step / 2;
    EXPECT_EQ(window_pixel(static_cast<int>(ox + radii[1] / 2 * std::cos(between)),
                           static_cast<int>(oy + radii[1] / 2 * std::sin(between))),
              Color_Table[black]);
}

TEST_F(TreeDrawing, MatrixMarksOfFiveCells)
{
    // n = 5: the box is msize wide and msize/2 high with 8 x 4 squares.
    TestNetwork net(2, 5, 3);
    dontcompress = 1;
    TestNetwork::set_rule_number(0);
    show_ss_matrix = 1;
    msize = vgax(200);
    show_statespace_matrix(nullptr);
    EXPECT_EQ(matrixx, 7u);
    EXPECT_EQ(matrixy, 3u);
    build_subtree(0);
    int x1 = Maxx - 2, y1 = Maxy - vgay(31);
    int x0 = x1 - msize, y0 = y1 - msize / 2;
    // The root (all 0s) in lightred at the top left; all 1s, a pre-image,
    // in green at the bottom right square.
    EXPECT_EQ(window_pixel(x0 + 1, y0 + 1), Color_Table[lightred]);
    int px = static_cast<int>(x0 + 7.0 * (x1 - x0) / 8), py = static_cast<int>(y0 + 3.0 * (y1 - y0) / 4);
    EXPECT_EQ(window_pixel(px + 1, py + 1), Color_Table[green]);
    // The frame's top edge is half the box above the bottom.
    EXPECT_EQ(window_pixel(x0 + msize / 2, y0 - 1), Color_Table[white]);
}

TEST_F(TreeDrawing, FieldFillsTheProgressBar)
{
    TestNetwork net(2, 6, 3);
    dontcompress = 1;
    TestNetwork::set_rule_number(0);
    std::vector<uint8_t> ticks(8, 0);
    tickoff = ticks.data();
    statespace = tickspace = 63;
    basinfield = 1;
    progbar = 0;
    progress_bar();
    build_subtree(0);
    EXPECT_EQ(progbar, 64u);
    for (uint32_t s = 0; s < 64; s++)
        EXPECT_EQ(get_bitlong(ticks.data(), s), 1) << s;
    int middle = (baryt + baryb) / 2;
    EXPECT_EQ(window_pixel(barxl + 2, middle), Color_Table[green]);
    EXPECT_EQ(window_pixel(barxr - 6, middle), Color_Table[green]);
    EXPECT_EQ(window_pixel(barxr, middle), Color_Table[lightred]);
    tickoff = nullptr;
    tickspace = statespace = 0;
}

// No progress yet fills nothing: the fill short of the first column inside
// the frame leaves the frame's left side standing.
TEST_F(TreeDrawing, ProgressShortOfItsFirstColumnLeavesTheFrame)
{
    progress_bar();
    const int middle = (baryt + baryb) / 2;
    const unsigned long frame = window_pixel(barxl - 1, middle);
    for (int right : {barxl - 3, barxl - 1, static_cast<int>(barxl)})
        fill_progress_bar_to(right);
    EXPECT_EQ(window_pixel(barxl - 1, middle), frame);
    EXPECT_NE(window_pixel(barxl + 1, middle), Color_Table[green]);
    fill_progress_bar_to(barxl + 4);
    EXPECT_EQ(window_pixel(barxl + 2, middle), Color_Table[green]);
    EXPECT_EQ(window_pixel(barxl - 1, middle), frame);
}

TEST_F(TreeDrawing, QuitThenNextBetweenNodesEndsTheTree)
{
    // Rule 0 on 12 cells: the all-0 root has 4095 pre-images; the 'q'
    // waiting before the build is seen at the root.
    TestNetwork net(2, 12, 3);
    dontcompress = 1;
    TestNetwork::set_rule_number(0);
    type_keys("q");
    settle_typed_keys();
    // 'n' and Return, each once the pause prompt waits for it (a prompt drops
    // keys typed ahead of it).
    paced_thread answer = type_keys_paced("n\r");
    build_subtree(0);
    answer.join();
    take_typed_keys();
    EXPECT_EQ(earlyexit, 1);
    EXPECT_EQ(is[0], 'n');
    EXPECT_EQ(precount, 0u);
    EXPECT_EQ(treesize, 1u);
}

TEST_F(TreeDrawing, FanPauseTurnedOffWithQ)
{
    // A fan pause after the root's fan; 'q' there leaves tree pauses only
    // and the tree goes on to its end.
    TestNetwork net(2, 4, 3);
    dontcompress = 1;
    TestNetwork::set_rule_number(0);
    datapause = datapause_tree_and_fan;
    {
        keys_at_each_wait answer("q");
        build_subtree(0);
    }
    EXPECT_EQ(datapause, datapause_tree);
    EXPECT_EQ(treesize, 16u);
    EXPECT_EQ(earlyexit, 0);
    datapause = datapause_unset;
}

// Rule 0's all-0 point attractor on 4 cells: a basin tree of 15
// garden-of-Eden nodes, its summary shown with tree pauses on. While the
// pause waits its words are in the status box; after Return the box's place
// is clear.
TEST_F(TreeDrawing, TreeSummaryWaitsForItsKey)
{
    TestNetwork net(2, 4, 3);
    dontcompress = 1;
    TestNetwork::set_rule_number(0);
    rule_0_point_attractor attractor;
    datapause = datapause_tree;
    int shown = -1;
    // Return once the summary's pause waits for it.
    paced_thread answer = type_keys_looking("\r", [&](size_t) { shown = status_box_marks(); });
    run_backward();
    answer.join();
    take_typed_keys();
    EXPECT_EQ(treesize, 16u);
    EXPECT_EQ(gofEno, 15u);
    EXPECT_EQ(is[0], '\r');
    EXPECT_GT(shown, 50) << "no words in the status box while the pause waits";
    window_pixel(0, 0); // everything drawn is on the screen
    EXPECT_EQ(status_box_marks(), 0) << "the status box left after the answer";
}

TEST_F(TreeDrawing, StackViewsOfBothMethods)
{
    TestNetwork net(2, 10, 3);
    dontcompress = 1;
    TestNetwork::set_rule_number(30);
    std::vector<uint16_t> hist(lineL, 0);
    std::vector<uint32_t> totals(lineL, 0);
    uint16_t *saved_hist = pp_hist;
    uint32_t *saved_totals = pp_hist_total;
    pp_hist = hist.data();
    pp_hist_total = totals.data();
    see_ppstack = see_ppstack_on;
    // The local method: the stack bar's white frame.
    build_subtree(1);
    EXPECT_EQ(window_pixel(vgax(125), Maxy - vgay(41)), Color_Table[white]);
    // The general method: the histogram's red frame and a green first bar.
    nonlocal = 1;
    ppL = 0;
    pp_ymax = 0;
    prepair_pre_rand();
    build_subtree(1);
    EXPECT_GT(pp_histcount, 0u);
    EXPECT_EQ(window_pixel(pp_startx0, pp_starty0 - 1), Color_Table[red]);
    int first_bar = pp_startx0 + vgax(50);
    EXPECT_EQ(window_pixel(first_bar + 1, pp_starty - 1), Color_Table[green]);
    free_pre_rand();
    nonlocal = 0;
    see_ppstack = see_ppstack_off;
    erase_prompt_box(1);
    pp_hist = saved_hist;
    pp_hist_total = saved_totals;
}

// The general method's stack histogram laid out for 10 cells: its frame's
// place, standing.
box_place
stack_histogram_frame()
{
    ppL = 0;
    pp_ymax = 0;
    setup_ppstack_hist();
    box_place frame{};
    EXPECT_TRUE(box_stands(box_owner::stack_hist, &frame));
    return frame;
}

// The frame's top side is whole in red (the top label of the scale, half
// a line above its tick, reached it on a small screen).
TEST_F(TreeDrawing, StackHistogramLabelsStayInsideItsFrame)
{
    TestNetwork net(2, 10, 3);
    const box_place frame = stack_histogram_frame();
    for (int x = frame.x0; x <= frame.x1; x++)
        ASSERT_EQ(window_pixel(x, frame.y0), Color_Table[red]) << "at column " << x;
    erase_ppstack_hist();
    EXPECT_FALSE(box_stands(box_owner::stack_hist));
    EXPECT_EQ(window_pixel(frame.x0, frame.y0), Color_Table[black]);
    ppL = 0;
    pp_ymax = 0;
}

// A basin centred above the standing histogram, or right of it, is kept to
// that side of it: an edge drawn down from its centre stops short of the
// frame; one centred on the histogram near its top keeps above it. Once the
// histogram is down the basin has the whole window.
TEST_F(TreeDrawing, BasinBesideTheStackHistogramIsNotOverIt)
{
    TestNetwork net(2, 10, 3);
    const box_place frame = stack_histogram_frame();
    ox = static_cast<int16_t>(frame.x0 + 10);
    oy = static_cast<int16_t>(frame.y0 - 20);
    start_basin_area();
    clip_to_basin_area();
    EXPECT_EQ(view_y1, frame.y0 - 1);
    EXPECT_EQ(view_x0, 0);
    EXPECT_EQ(view_x1, Maxx);
    setcolor(yellow);
    moveto(ox, oy);
    lineto(ox, frame.y1 + 5);
    end_basin_clip();
    EXPECT_EQ(view_y1, Maxy);
    EXPECT_EQ(window_pixel(ox, frame.y0), Color_Table[red]);
    EXPECT_EQ(window_pixel(ox, frame.y1), Color_Table[red]);
    EXPECT_EQ(window_pixel(ox, frame.y1 + 5), Color_Table[black]);
    ox = static_cast<int16_t>(frame.x1 + 20);
    oy = static_cast<int16_t>((frame.y0 + frame.y1) / 2);
    start_basin_area();
    clip_to_basin_area();
    EXPECT_EQ(view_x0, frame.x1 + 1);
    EXPECT_EQ(view_y1, Maxy);
    end_basin_clip();
    ox = static_cast<int16_t>((frame.x0 + frame.x1) / 2);
    oy = static_cast<int16_t>(frame.y0 + 2);
    start_basin_area();
    clip_to_basin_area();
    EXPECT_EQ(view_y1, frame.y0 - 1);
    EXPECT_EQ(view_x0, 0);
    end_basin_clip();
    erase_ppstack_hist();
    start_basin_area();
    clip_to_basin_area();
    EXPECT_EQ(view_x0, 0);
    EXPECT_EQ(view_y1, Maxy);
    end_basin_clip();
    ppL = 0;
    pp_ymax = 0;
}

TEST_F(TreeDrawing, NodesDrawnPerSecond)
{
    // A subtree of 2^16 nodes: rule 0's all-0 root and every other state.
    TestNetwork net(2, 16, 3);
    dontcompress = 1;
    TestNetwork::set_rule_number(0);
    auto start = std::chrono::steady_clock::now();
    build_subtree(0);
    flush_display();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(treesize, 65536u);
    fprintf(stderr, "tree of %u nodes drawn in %.3f s: %.0f nodes/s\n", treesize, seconds,
            treesize / seconds);
}

} // namespace
