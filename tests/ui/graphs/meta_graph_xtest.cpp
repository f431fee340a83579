// The graph window over a basin field and over the network: the jump graph
// of rule 110 on 8 cells opens after its field with every node drawn in its
// colour, 'q' leaves the window exactly as the field alone leaves it, and a
// field with its graph run twice frees all it took; the network graph of a
// 2d lattice does the same over whatever the window showed.
#include "support/x_test_fixture.h"

#include <algorithm>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/backward/backward_test_support.h"
#include "engine/backward/basin_layout.h"
#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "support/graph_layout_tables.h"
#include "ui/backward/progress_bar.h"
#include "ui/driver/run_drivers.h"
#include "ui/forward/running_keys.h"
#include "ui/graphs/globals.h"
#include "ui/graphs/jump_table_view.h"
#include "ui/graphs/meta_graph.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

class GraphWindow : public ClearedWindowTest {
protected:
    void SetUp() override
    {
        ClearedWindowTest::SetUp();
        node_numbers = 0;
    }
    void TearDown() override
    {
        basinfield = 0;
        meta_graph = meta_graph_off;
        direction = direction_unset;
        node_numbers = 1;
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
    }

    // The field of the network built, on a cleared window, with or without
    // its jump graph; keys are typed while the graph waits, look(i) called
    // before key i. Returns the window's pixels after the field.
    static std::vector<uint32_t>
    field_picture(bool graph, const std::string &keys = "", std::function<void(size_t)> look = nullptr)
    {
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
        reset_backward_settings();
        shownumbers = shownumbers_spot;
        dontcompress = 1;
        meta_graph = graph ? meta_graph_on : meta_graph_off;
        basinfield = 1;
        direction = direction_forward;
        paced_thread typist = type_keys_looking(keys, look ? look : [](size_t) {});
        draw_field();
        typist.join();
        return window_now();
    }

    // The rightmost lit pixel inside the frame f (-1 when none) and how many
    // pixel columns inside it hold any.
    static std::pair<int, int>
    lit_extent(const graph_frame &f)
    {
        const int w = f.x1 - f.x0 - 1, h = f.y1 - f.y0 - 1;
        std::vector<unsigned long> inside = pixels_seen(f.x0 + 1, f.y0 + 1, w, h);
        int rightmost = -1, columns = 0;
        for (int x = 0; x < w && inside.size() == static_cast<size_t>(w) * h; x++) {
            bool lit = false;
            for (int y = 0; y < h && !lit; y++)
                lit = inside[static_cast<size_t>(y) * w + x] != Color_Table[black];
            if (lit) {
                rightmost = f.x0 + 1 + x;
                columns++;
            }
        }
        return {rightmost, columns};
    }

    // Every node's disc shows the colour the drawing gave it at its centre
    // (the tests draw no numbers over them); a node smaller than two pixels
    // is only its outline.
    static void
    expect_nodes_drawn()
    {
        ASSERT_GT(node_no, 0u);
        ASSERT_NE(basin_color, nullptr);
        uint32_t seen = 0;
        for (uint32_t m = 1; m <= node_no; m++) {
            if ((scale_m_nodes ? m_node_size[m] : m_node_size[1]) < 2)
                continue;
            EXPECT_EQ(pixel_seen(basin_pos[m][0], basin_pos[m][1]), Color_Table[basin_color[m]])
                << "node " << m;
            seen++;
        }
        EXPECT_GT(seen, 0u);
    }
};

TEST_F(GraphWindow, FieldGraphDrawnAndQuitRestoresTheField)
{
    TestNetwork net(2, 8, 3);
    TestNetwork::set_rule_number(110);
    std::vector<uint32_t> field_alone = field_picture(false);
    uint32_t basins = 0;
    std::vector<uint32_t> after_graph = field_picture(true, "q", [&](size_t) {
        basins = node_no;
        EXPECT_EQ(f_or_n, graph_field);
        expect_nodes_drawn();
    });
    EXPECT_GT(basins, 1u);
    EXPECT_EQ(f_or_n, graph_closed);
    EXPECT_EQ(basin_pos, nullptr);
    EXPECT_TRUE(after_graph == field_alone) << "the graph window left pixels behind";
}

// 'i' and 'I' draw every basin whole: at the size a field's default layout
// gives, the basins of rule 110 on 8 cells reach past the graph window, so
// they are scaled down together until each, centred on its node, lies
// inside the window's frame. Nothing of them is drawn beside or below the
// window, and after 'q' the window is as the field alone left it, the
// layout's radius put back.
TEST_F(GraphWindow, BasinsInsideAreDrawnWholeScaledIntoTheWindow)
{
    TestNetwork net(2, 8, 3);
    TestNetwork::set_rule_number(110);
    std::vector<float> radii(91);
    float *saved_rad = rad;
    uint16_t saved_last = lastlevel;
    rad = radii.data();
    lastlevel = 90;
    compute_layout_defaults(static_cast<int16_t>(Maxx), static_cast<int16_t>(Maxy));
    const float layout_startrad = startrad;
    std::vector<uint32_t> field_alone = field_picture(false);
    const graph_frame f = graph_window_frame(graph_field);
    const int band = std::min<int>(vgay(20), WinMaxy - f.y1);
    // The strip below the window and the columns beside it.
    auto outside = [&] {
        std::vector<unsigned long> below = pixels_seen(0, f.y1 + 1, Maxx + 1, band);
        std::vector<unsigned long> left = pixels_seen(0, f.y0, f.x0, f.y1 - f.y0);
        std::vector<unsigned long> right = pixels_seen(f.x1 + 1, f.y0, Maxx - f.x1, f.y1 - f.y0);
        below.insert(below.end(), left.begin(), left.end());
        below.insert(below.end(), right.begin(), right.end());
        return below;
    };
    for (const char *keys : {"i\rq", "I\rq"}) {
        const std::string key = std::string("'") + keys[0] + "'";
        std::vector<std::pair<int, int>> places;
        std::vector<field_basin_box> boxes;
        std::vector<unsigned long> before, with_basins;
        std::vector<uint32_t> after = field_picture(true, keys, [&](size_t i) {
            if (i == 0) {
                before = outside();
                for (uint32_t m = 1; m <= node_no; m++)
                    places.push_back({basin_pos[m][0], basin_pos[m][1]});
            }
            if (i == 1) {
                with_basins = outside();
                boxes = last_field_boxes();
                screenshot(std::string("basins_inside_") + (keys[0] == 'i' ? "nodes" : "window"));
            }
        });
        ASSERT_FALSE(before.empty());
        EXPECT_TRUE(before == with_basins) << key << ": pixels drawn outside the graph window";
        ASSERT_GT(places.size(), 1u);
        ASSERT_EQ(boxes.size(), places.size()) << key;
        for (size_t k = 0; k < boxes.size(); k++) {
            const drawn_box &b = boxes[k].box;
            ASSERT_FALSE(b.empty);
            EXPECT_GT(b.x0, f.x0) << key << " basin " << k + 1 << " cut at the left";
            EXPECT_LT(b.x1, f.x1) << key << " basin " << k + 1 << " cut at the right";
            EXPECT_GT(b.y0, f.y0) << key << " basin " << k + 1 << " cut at the top";
            EXPECT_LT(b.y1, f.y1) << key << " basin " << k + 1 << " cut at the bottom";
            EXPECT_LE(b.x0, places[k].first);
            EXPECT_GE(b.x1, places[k].first);
            EXPECT_LE(b.y0, places[k].second);
            EXPECT_GE(b.y1, places[k].second);
        }
        EXPECT_EQ(startrad, layout_startrad) << "the layout's radius was not put back";
        EXPECT_TRUE(after == field_alone) << key << ": pixels left after 'q'";
    }
    rad = saved_rad;
    lastlevel = saved_last;
}

// The jump table of an attractor-type graph ('t' numbers, 'T' fractions)
// of 13 nodes with weights of five digits, and of 40 nodes: every line
// ends inside the graph window at both screen sizes, the nodes' own
// figures up to "Self" included (a smaller font, then fewer columns, with
// 'r' and 'l' scrolling the rest): the rightmost lit pixel lies left of
// the frame with a blank column before it, and with columns left out,
// near the right. Standard error still has every column.
TEST_F(GraphWindow, JumpTableLinesEndInsideTheWindow)
{
    struct table_case {
        uint32_t nodes, weight;
        const char *keys;
    };
    for (const table_case &c : {table_case{13, 12345, "t"}, table_case{13, 12345, "T"},
                                table_case{40, 7, "t"}, table_case{40, 7, "T"}}) {
        open_graph_data(graph_attractors, c.nodes, true);
        histnodesize = static_cast<uint32_t *>(checked_calloc(c.nodes + 1, sizeof(uint32_t), "t"));
        m_size = 40000;
        m_space = 1e6;
        for (uint32_t r = 1; r <= c.nodes; r++) {
            histnodesize[r] = 1000 * r;
            for (uint32_t j = 1; j <= c.nodes; j++)
                basinjumps[r][j] = (r + j) % 3 ? c.weight + j : 0;
            node_period[r] = r % 4 + 1;
        }
        const graph_frame f = graph_window_frame(graph_attractors);
        std::pair<int, int> extent;
        testing::internal::CaptureStderr();
        paced_thread typist = type_keys_looking("x\r", [&](size_t i) {
            if (i == 1) {
                extent = lit_extent(f);
                screenshot(std::string("jump_table_") + c.keys + std::to_string(c.nodes));
            }
        });
        show_table(c.keys[0], f);
        typist.join();
        std::string copied = testing::internal::GetCapturedStderr();
        const std::string where = std::string("'") + c.keys + "' of " + std::to_string(c.nodes) + " nodes";
        EXPECT_GT(extent.second, (f.x1 - f.x0) / 3) << where << ": no table shown";
        EXPECT_LT(extent.first, f.x1 - 1) << where << ": a line runs into the frame";
        // Of 40 nodes not every column fits: those that do fill the width.
        if (c.nodes == 40) {
            EXPECT_GT(extent.first, f.x1 - (f.x1 - f.x0) / 8) << where << ": the lines end short";
        }
        // The copy's heading names every node, then the figures.
        EXPECT_NE(copied.find(std::to_string(c.nodes) + "    P"), std::string::npos) << where;
        free_graph_data();
    }
}

// In the windows of a 1280x1024 and of a 1024x768 screen, the field's
// finished progress bar (its frames light red, below the status box at the
// top right) is gone from the menu's place while the menu, drawn there in a
// smaller font, waits; 'q' brings it back with the rest of the field.
TEST_F(GraphWindow, FieldProgressBarGoesWhileTheMenuWaits)
{
    if (!on_default_screen())
        GTEST_SKIP() << "the larger window does not fit this server's screen";
    TestNetwork net(2, 8, 3);
    TestNetwork::set_rule_number(110);
    for (const int *size : {(const int[]){1024, 768}, (const int[]){927, 695}}) {
        SCOPED_TRACE(testing::Message() << "window " << size[0] << "x" << size[1]);
        ASSERT_TRUE(resize_to(size[0], size[1]));
        std::vector<uint32_t> field_alone = field_picture(false);
        int bar_frames = -1;
        std::vector<uint32_t> after_graph = field_picture(true, "q", [&](size_t) {
            screenshot("graph_menu_" + std::to_string(size[0]));
            const int top = progress_bar_top(), rows = progress_bar_bottom() - top + 1;
            bar_frames = 0;
            for (unsigned long p : pixels_seen(Maxx / 2, top, Maxx / 2 - 1, rows))
                bar_frames += p == Color_Table[lightred];
        });
        EXPECT_EQ(bar_frames, 0) << "the progress bar shows beside the menu";
        EXPECT_TRUE(after_graph == field_alone) << "the graph window left pixels behind";
    }
    ASSERT_TRUE(resize_to(1024, 768));
}

// The basin type table, the graph and its window images are all freed on
// leaving, whether the graph ran or the field was drawn without one.
TEST_F(GraphWindow, FieldWithGraphTwiceFreesAll)
{
    TestNetwork net(2, 8, 3);
    TestNetwork::set_rule_number(110);
    field_picture(false);
    long start = live_allocations;
    for (int round = 0; round < 2; round++) {
        field_picture(true, "q");
        EXPECT_EQ(live_allocations, start) << "round " << round;
        EXPECT_EQ(m_att, nullptr);
    }
}

// Other keys wait again; 'q' closes. The graph is drawn in the window the
// first layout of a 2d lattice gives.
TEST_F(GraphWindow, NetworkGraphOfALatticeOverTheWindow)
{
    TestNetwork net(2, 2, 6, 5, 1, 5);
    loc_twod_fonly = 1;
    direction = direction_backward;
    setfillstyle(0, lightblue);
    bar(0, 0, Maxx, Maxy);
    std::vector<uint32_t> before = window_now();
    paced_thread typist = type_keys_looking("xq", [&](size_t i) {
        EXPECT_EQ(f_or_n, graph_network);
        EXPECT_EQ(node_no, 30u);
        if (i == 1)
            expect_nodes_drawn();
    });
    EXPECT_EQ(meta_graph_table(0, nullptr, graph_network), 1);
    typist.join();
    EXPECT_TRUE(window_now() == before) << "the graph window left pixels behind";
    EXPECT_EQ(node_no, 0u);
}

// The network graph opened over the set-up's text column and a rule readout
// of three lines: no text line is cut by the window's frame (its ink lies
// wholly above the top edge or under the window), the menu box stands above
// the column's first line, and the window's bottom above the readout.
TEST_F(GraphWindow, NetworkGraphWindowStaysInsideWholeLines)
{
    TestNetwork net(2, 12, 7);
    direction = direction_backward;
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    show_rule_bottom(7, 1, carule[0], 0);
    const int readout_top = rule_box_top;
    setcolor(white);
    // The set-up's lines, as many as the column holds down to the middle.
    const int lines = (vgay(240) - text_column_top()) / CHeight;
    for (int j = 0; j < lines; j++) {
        moveto(vgax(30), text_column_top() + j * CHeight);
        outtext("EXIT-q, graphics setup-g, randseed-r, totalistic/forward only-t");
    }
    // Each line's ink rows, read left of the prompt box.
    flush_display();
    std::vector<std::pair<int, int>> ink(lines, {-1, -1});
    const int left = vgax(30), width = Maxx / 2 - 1 - left;
    for (int y = text_column_top() - CHeight; y < readout_top; y++) {
        std::vector<unsigned long> row = pixels_seen(left, y, width, 1);
        if (std::find(row.begin(), row.end(), Color_Table[white]) == row.end())
            continue;
        int j = std::clamp((y - text_column_top()) / CHeight, 0, lines - 1);
        // A row of descenders belongs to the line above when it lies at the
        // very top of a line's pitch.
        if (y - text_column_top() - j * CHeight < 3 && j > 0 && ink[j].first < 0)
            j--;
        if (ink[j].first < 0)
            ink[j].first = y;
        ink[j].second = y;
    }
    const unsigned long frame = Color_Table[lightred];
    int top = -1, bottom = -1, menu_bottom = -1;
    paced_thread typist = type_keys_looking("q", [&](size_t) {
        for (int y = 0; y < Maxy && top < 0; y++)
            if (pixel_seen(vgax(5), y) == frame)
                top = y;
        for (int y = Maxy - 1; y > 0 && bottom < 0; y--)
            if (pixel_seen(vgax(5), y) == frame)
                bottom = y;
        for (int y = 3; y < Maxy && pixel_seen(prompt_box_left(Maxx), y) != Color_Table[black]; y++)
            menu_bottom = y;
    });
    EXPECT_EQ(meta_graph_table(0, nullptr, graph_network), 1);
    typist.join();
    ASSERT_GT(top, 0);
    for (int j = 0; j < lines; j++)
        EXPECT_FALSE(ink[j].first < top && ink[j].second >= top)
            << "line " << j << " (rows " << ink[j].first << "-" << ink[j].second << ") cut at " << top;
    EXPECT_GT(menu_bottom, 0);
    EXPECT_LT(menu_bottom, ink[0].first) << "the menu box over the first line";
    EXPECT_LT(bottom, readout_top) << "the window over the rule readout";
}

// The menu taken down for the layout file's prompt ('f'), and put up again
// after it: the set-up's first line, which runs on under the prompt box's
// left part, stays whole (the menu stands above it, in a smaller font where
// its four lines would reach it, and so does its erase).
TEST_F(GraphWindow, TheLayoutPromptLeavesTheFirstLineWholeNotOverIt)
{
    TestNetwork net(2, 150, 3);
    direction = direction_backward;
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    setcolor(white);
    moveto(vgax(50), text_column_top());
    outtext("EXIT-q, graphics setup-g, randseed-r, totalistic/forward only-t");
    const int right_end = getx;
    ASSERT_GT(right_end, prompt_box_left(Maxx) + 20) << "the line ends left of the prompt box";
    flush_display();
    const int x0 = prompt_box_left(Maxx) - 4, w = right_end - x0 + 2;
    // The line's rows down to the graph window's top, which stands below it.
    const int y0 = text_column_top(), h = graph_window_frame(graph_network).y0 - y0;
    ASSERT_GT(h, CHeight / 2);
    const std::vector<unsigned long> line = pixels_seen(x0, y0, w, h);
    std::vector<bool> whole;
    paced_thread typist = type_keys_looking("f\rq", [&](size_t) {
        whole.push_back(pixels_seen(x0, y0, w, h) == line);
    });
    EXPECT_EQ(meta_graph_table(0, nullptr, graph_network), 1);
    typist.join();
    ASSERT_EQ(whole.size(), 3u);
    EXPECT_TRUE(whole[0]) << "under the menu";
    EXPECT_TRUE(whole[1]) << "under the layout file's prompt";
    EXPECT_TRUE(whole[2]) << "under the menu put up again";
}

// A forward-only run asks whether to count the links ('L' does) and takes
// the layout for its running pattern: every cell's place inside the graph
// window, apart from the others, and the nodes' size.
TEST_F(GraphWindow, ForwardRunTakesTheLayout)
{
    TestNetwork net(2, 12, 3);
    direction = direction_forward;
    limitcheck = 0;
    allocate_graph_layout_tables();
    uint8_t links = 0;
    paced_thread typist = type_keys_looking("Lq", [&](size_t i) {
        if (i == 1)
            links = no_links ? 0 : 1;
    });
    EXPECT_EQ(meta_graph_table(1, nullptr, graph_network), 1);
    typist.join();
    EXPECT_EQ(links, 1);
    std::set<std::pair<int, int>> places;
    for (uint32_t m = 1; m <= lineL; m++) {
        int x = stp_graph_layout[m][0], y = stp_graph_layout[m][1];
        EXPECT_GT(x, vgax(5));
        EXPECT_LT(x, Maxx - vgax(5));
        EXPECT_GT(y, graph_window_frame(graph_network).y0);
        EXPECT_LT(y, graph_window_frame(graph_network).y1);
        places.insert({x, y});
    }
    EXPECT_EQ(places.size(), lineL);
    EXPECT_GT(stp_graph_node_size[1], 0.0f);
    free_graph_layout_tables();
}

} // namespace
