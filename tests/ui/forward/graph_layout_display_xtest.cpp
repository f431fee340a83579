// The graph-layout display of a forward-only run on the real window: the
// graph window lets its nodes lie anywhere, past its edges too, and the
// run draws each cell at its node; only the discs inside the layout box
// (and left of the key panel, while the panel is shown) reach the window,
// so nothing is drawn over the pattern, the boxes or the panel's lines.
#include "support/x_test_fixture.h"

#include <string>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "support/graph_layout_tables.h"
#include "ui/forward/cell_colouring.h"
#include "ui/forward/key_panel.h"
#include "ui/forward/running_keys.h"
#include "ui/forward/space_time_display.h"
#include "ui/measures/entropy_plot.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

class GraphLayoutDisplay : public ScreenTest {
protected:
    run_iteration it{};
    entropy_graph eg{};
    uint8_t value_colours[2] = {black, yellow};
    uint8_t *colours_before = nullptr;
    // The forward run's layout box.
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;

    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        colours_before = color_v;
        color_v = value_colours;
        x0 = vgax(140);
        x1 = Maxx - vgax(5);
        y0 = 5 * CHeight;
        y1 = vgay(430);
        setviewport(0, 0, Maxx, Maxy, 1);
        // A "pattern" everywhere, then the layout box framed on it.
        setfillstyle(0, lightblue);
        bar(0, 0, Maxx, Maxy);
        setcolor(red);
        rectangle(x0, y0, x1, y1);
    }
    void TearDown() override
    {
        erase_key_panel();
        forget_key_panel();
        color_v = colours_before;
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
    }

    // Pixels that differ between two pictures of the window inside and
    // outside the rectangle (l, t, r, b).
    static void
    count_changes(const std::vector<uint32_t> &a, const std::vector<uint32_t> &b, int l, int t, int r, int bot,
                  int *inside, int *outside)
    {
        *inside = *outside = 0;
        for (int y = 0; y <= WinMaxy; y++)
            for (int x = 0; x <= Maxx; x++) {
                size_t i = static_cast<size_t>(y) * (Maxx + 1) + x;
                if (a[i] == b[i])
                    continue;
                bool in = x >= l && x <= r && y >= t && y <= bot;
                (in ? *inside : *outside) += 1;
            }
    }

    // Six cells, all 1, with their nodes: inside the box, then one each
    // over the pattern left of the box, above it, below it, past the
    // window's right edge's box side, and near the box's right side.
    void
    place_nodes(int radius)
    {
        allocate_graph_layout_tables();
        const int mid_y = (y0 + y1) / 2;
        const int places[6][2] = {
            {(x0 + x1) / 2, mid_y}, {x0 - radius / 2, mid_y},   {(x0 + x1) / 2, y0 - radius / 2},
            {(x0 + x1) / 2, y1 + radius / 2}, {x1 + radius / 2, mid_y}, {x1 - 2 * radius, y1 - 2 * radius},
        };
        for (int c = 0; c < 6; c++) {
            stp_graph_layout[c + 1][0] = static_cast<uint16_t>(places[c][0]);
            stp_graph_layout[c + 1][1] = static_cast<uint16_t>(places[c][1]);
        }
        stp_graph_node_size[1] = static_cast<float>(radius);
        for (uint32_t c = 0; c < lineL; c++)
            set_value(A, c, 1);
    }

    // Draws the layout into the box, saved as shot: the pixels that changed
    // inside the box, left of column right, and outside it.
    void
    draw_counting_changes(const std::string &shot, int right, int *inside, int *outside)
    {
        std::vector<uint32_t> before = window_now();
        draw_graph_layout(&it, A, 0, x0, y0, x1, y1);
        std::vector<uint32_t> after = window_now();
        screenshot(shot);
        count_changes(before, after, x0 + 1, y0 + 1, right, y1 - 1, inside, outside);
    }
};

TEST_F(GraphLayoutDisplay, DiscsStayInsideTheLayoutBox)
{
    TestNetwork net(2, 6, 3);
    const int radius = vgax(20);
    place_nodes(radius);
    int inside = 0, outside = 0;
    draw_counting_changes("graph_layout_display", x1 - 1, &inside, &outside);
    EXPECT_EQ(outside, 0) << "discs drawn outside the layout box";
    EXPECT_GT(inside, 0);
    EXPECT_EQ(window_pixel(stp_graph_layout[1][0], stp_graph_layout[1][1]), Color_Table[yellow]);
    // The halves of the discs on the box's sides that lie inside are drawn.
    EXPECT_EQ(window_pixel(x0 + 2, (y0 + y1) / 2), Color_Table[yellow]);
    EXPECT_EQ(view_x0, 0);
    EXPECT_EQ(view_x1, Maxx);
    free_graph_layout_tables();
}

// The key panel stands over the right of the layout box: a node there is
// left out, and the panel's picture stays as it was drawn.
TEST_F(GraphLayoutDisplay, DiscsStayInsideLeftOfTheKeyPanel)
{
    TestNetwork net(2, 6, 3);
    const int radius = vgax(20);
    place_nodes(radius);
    it.key_panel = 1;
    interrupt_key_index(&eg, &it);
    const int panel = key_panel_left();
    ASSERT_LT(panel, x1 - 2 * radius - radius) << "the panel does not cover the node near the box's side";
    int inside = 0, outside = 0;
    draw_counting_changes("graph_layout_display_key_panel", panel - 1, &inside, &outside);
    EXPECT_EQ(outside, 0) << "discs drawn outside the layout box or over the key panel";
    EXPECT_GT(inside, 0);
    free_graph_layout_tables();
}

// The box covers the side plot's place while the layout is on: the side
// plot's frame (drawn at each page) and its lookup histogram give way, and
// the histogram's bars are cleared as the layout comes.
TEST_F(GraphLayoutDisplay, TheSidePlotGivesWayToTheLayoutBox)
{
    stpgraph = stpgraph_lookup_bars;
    graph_layout = 1;
    const int side_x = x0 + vgax(10), side_w = vgax(100);
    std::vector<uint32_t> before = window_now();
    draw_stpframe(side_x, static_cast<float>(side_w));
    int inside = 0, outside = 0;
    count_changes(before, window_now(), 0, 0, Maxx, WinMaxy, &inside, &outside);
    EXPECT_EQ(inside, 0) << "the side plot's frame is drawn under the layout's box";
    // Bars standing from before the layout came go with it.
    eg.hist_mode = 1;
    eg.hist_x0 = static_cast<int16_t>(x0 + vgax(20));
    eg.hist_y0 = static_cast<int16_t>(y0 + vgay(10));
    eg.hist_right = static_cast<int16_t>(eg.hist_x0 + side_w);
    eg.hist_limit = static_cast<int16_t>(Maxx);
    setfillstyle(0, white);
    bar(eg.hist_x0, eg.hist_y0, eg.hist_x0 + vgax(30), eg.hist_y0 + vgay(10));
    erase_lookup_histogram(&eg);
    EXPECT_NE(window_pixel(eg.hist_x0 + 1, eg.hist_y0 + 1), Color_Table[white]) << "a bar stays inside the box";
    graph_layout = 0;
    stpgraph = stpgraph_none;
}

} // namespace
