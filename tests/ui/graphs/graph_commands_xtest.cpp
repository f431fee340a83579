// The graph window's keys on the window: every row of the key table on a
// network graph without links (the keys that need links change nothing,
// nothing drawn either; the layouts, rotation, mirroring, expansion and the
// window toggle act), the arrow keys and the settings on a graph with
// links, the unreachable nodes set aside, the window toggle showing what
// the graph covers, and the basins of a field drawn inside the nodes of
// its jump graph, which the other graphs never do.
#include "support/x_test_fixture.h"

#include <cmath>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/backward/backward_test_support.h"
#include "engine/backward/basin_types.h"
#include "engine/graphs/globals.h"
#include "engine/graphs/graph_test_support.h"
#include "ui/driver/run_drivers.h"
#include "ui/graphs/globals.h"
#include "ui/graphs/graph_commands.h"
#include "ui/graphs/meta_graph.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"
#include "ui/screen/window_pixels.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// What a key may change: the places and sizes of the nodes, the switches,
// and the window's pixels on a grid over the graph window.
struct graph_state {
    std::vector<std::pair<int, int>> places;
    std::vector<float> sizes;
    std::vector<int> switches;
    float arrows = 0, cyclerad = 0;
    std::vector<unsigned long> pixels;
};

int field_redraws = 0;

class GraphCommands : public ClearedWindowTest {
protected:
    void SetUp() override
    {
        ClearedWindowTest::SetUp();
        node_numbers = 0;
        field_redraws = 0;
    }
    void TearDown() override
    {
        set_graph_field_redraw(redraw_field_in_graph);
        basinfield = 0;
        meta_graph = meta_graph_off;
        direction = direction_unset;
        node_numbers = 1;
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
    }

    // The graph window's rectangle of a network graph.
    static int left() { return vgax(5); }
    static int right() { return Maxx - vgax(5); }
    static int top() { return graph_window_frame(graph_network).y0; }
    static int bottom() { return graph_window_frame(graph_network).y1; }

    static std::vector<unsigned long>
    window_grid()
    {
        std::vector<unsigned long> pixels;
        for (int y = top() + 1; y < bottom(); y += 11)
            for (int x = left() + 1; x < right(); x += 11)
                pixels.push_back(pixel_seen(x, y));
        return pixels;
    }

    static graph_state
    state_now()
    {
        graph_state s;
        for (uint32_t m = 1; m <= node_no; m++) {
            s.places.push_back({basin_pos[m][0], basin_pos[m][1]});
            s.sizes.push_back(m_node_size[m]);
        }
        s.switches = {scale_m_nodes, node_numbers,     scale_links,         show_arrows,
                      static_cast<int>(u_threshold), suppress_u_links, isolate_unreachable};
        s.arrows = arrow_size;
        s.cyclerad = w_cyclerad;
        s.pixels = window_grid();
        return s;
    }

    // A network graph of a forward-only run of 12 cells: its links
    // counted when links is set. Each step is a command key and the
    // answers its dialog takes; states[i] is what the window showed before
    // step i, and once more after the last.
    static std::vector<graph_state>
    network_graph(bool links, const std::vector<std::string> &steps)
    {
        direction = direction_forward;
        limitcheck = 0;
        std::string keys = links ? "L" : "\r";
        std::set<size_t> starts;
        for (const std::string &step : steps) {
            starts.insert(keys.size());
            keys += step;
        }
        std::vector<graph_state> states;
        paced_thread typist = type_keys_looking(keys, [&](size_t i) {
            if (starts.count(i))
                states.push_back(state_now());
        });
        EXPECT_EQ(meta_graph_table(0, nullptr, graph_network), 1);
        typist.join();
        return states;
    }
};

void
count_field_redraws(const field_area &)
{
    field_redraws++;
}

bool
same(const graph_state &a, const graph_state &b)
{
    return a.places == b.places && a.sizes == b.sizes && a.switches == b.switches && a.arrows == b.arrows &&
           a.cyclerad == b.cyclerad && a.pixels == b.pixels;
}

// Every row of the table on a graph shown without links: the keys of the
// tools that need links do nothing and draw nothing, the others act.
TEST_F(GraphCommands, EveryKeyWithoutLinks)
{
    TestNetwork net(2, 12, 3);
    set_graph_field_redraw(count_field_redraws);
    const std::string ignored = "apkutTUnlA<>iI";
    // Acting keys, each with what it changes; the layouts follow keys that
    // leave the nodes elsewhere than where they put them.
    const std::string moving = "RoO123rxXhvECBb", sizing = "ec";
    std::vector<std::string> steps;
    for (char key : ignored)
        steps.push_back(std::string(1, key));
    steps.insert(steps.end(), {"\rq", "d", "N", "S\r\r\r\r", "fx"});
    for (char key : moving + sizing)
        steps.push_back(std::string(1, key));
    steps.push_back("w");
    steps.push_back("q");
    std::vector<graph_state> states = network_graph(false, steps);
    ASSERT_EQ(states.size(), steps.size());
    std::set<char> known;
    for (size_t i = 0; i + 1 < steps.size(); i++) {
        char key = steps[i][0];
        known.insert(key);
        const graph_state &before = states[i], &after = states[i + 1];
        std::string what = std::string("'") + key + "'";
        if (ignored.find(key) != std::string::npos) {
            EXPECT_TRUE(same(before, after)) << what << " acted without links";
        } else if (moving.find(key) != std::string::npos) {
            EXPECT_NE(before.places, after.places) << what << " moved nothing";
        } else if (sizing.find(key) != std::string::npos) {
            EXPECT_NE(before.sizes, after.sizes) << what << " sized nothing";
            EXPECT_EQ(before.places, after.places) << what;
        } else if (key == 'N') {
            EXPECT_NE(before.switches[1], after.switches[1]) << "'N' toggled no numbers";
        } else if (key == 'w') {
            EXPECT_NE(before.pixels, after.pixels) << "'w' showed the graph still";
        } else {
            // Return and 'q': the drag editor opened and left untouched;
            // 'd': drawn again as it was; the settings and the
            // layout file answered with nothing new change nothing.
            EXPECT_TRUE(same(before, after)) << what;
        }
    }
    known.insert('q');
    const std::string table = graph_keys();
    EXPECT_EQ(known, std::set<char>(table.begin(), table.end()))
        << "a row of the table without its case here";
    EXPECT_EQ(field_redraws, 0);
}

// Arrow sizes change only while arrows are shown; the settings take
// the angle, hold a node factor to its range and take the arrow size;
// the rank of equal weights keeps every node where it was; unreachable
// nodes stand aside; 'w' shows what the graph covers, then the graph; and
// The spiral of a network of six cells: every node inside the window, each
// at an angle of its own about the centre, none over another, each large
// enough for its number.
TEST_F(GraphCommands, SpiralOfFewNodesStaysInsideSpreadAndNumbered)
{
    TestNetwork net(2, 6, 3);
    std::vector<graph_state> s = network_graph(true, {"O", "q"});
    ASSERT_EQ(s.size(), 2u);
    const graph_state &spiral = s[1];
    const graph_frame frame = graph_window_frame(graph_network);
    std::set<int> sextants;
    for (size_t m = 0; m < spiral.places.size(); m++) {
        const int x = spiral.places[m].first, y = spiral.places[m].second;
        const float r = spiral.sizes[m];
        EXPECT_GT(x - r, frame.x0) << "cell " << m;
        EXPECT_LT(x + r, frame.x1) << "cell " << m;
        EXPECT_GT(y - r, frame.y0) << "cell " << m;
        EXPECT_LT(y + r, frame.y1) << "cell " << m;
        EXPECT_GE(r, 0.7f * CHeight) << "cell " << m << " too small for its number";
        double turn = std::atan2(y - frame.cy, x - frame.cx) + kPi;
        sextants.insert(static_cast<int>(turn / (2 * kPi) * 6) % 6);
        for (size_t o = m + 1; o < spiral.places.size(); o++)
            EXPECT_GT(std::hypot(x - spiral.places[o].first, y - spiral.places[o].second),
                      r + spiral.sizes[o])
                << "cells " << m << " and " << o;
    }
    EXPECT_GE(sextants.size(), 5u) << "the nodes bunched in one arc";
}

// 'q' leaves the window as it was.
TEST_F(GraphCommands, SettingsArrowsUnreachableAndTheWindow)
{
    TestNetwork net(2, 12, 3);
    setfillstyle(0, lightblue);
    bar(0, 0, Maxx, Maxy);
    std::vector<uint32_t> before_graph;
    ASSERT_TRUE(read_window_pixels(Maxx + 1, WinMaxy + 1, before_graph));
    std::vector<unsigned long> covered = window_grid();
    std::vector<graph_state> s =
        network_graph(true, {"A", "<", ">", "A", ">", "<", "S90\r3\r\r.2\r", "x", "e", "k", "Uui5\r", "w", "w", "q"});
    ASSERT_EQ(s.size(), 14u);
    EXPECT_EQ(s[1].switches[3], 0);
    EXPECT_EQ(s[2].arrows, s[1].arrows);
    EXPECT_EQ(s[3].arrows, s[1].arrows);
    EXPECT_EQ(s[4].switches[3], 1);
    EXPECT_FLOAT_EQ(s[5].arrows, s[4].arrows * 1.1f);
    EXPECT_FLOAT_EQ(s[6].arrows, s[5].arrows * 0.9f);
    EXPECT_NEAR(s[7].arrows, 0.2f, 1e-6);
    // 'x' turns by the 90 degrees set, clockwise on the screen.
    const int cx = Maxx / 2, cy = top() + (bottom() - top()) / 2;
    for (size_t m = 0; m < s[7].places.size(); m++) {
        int dx = s[7].places[m].first - cx, dy = cy - s[7].places[m].second;
        double a = std::atan2(dy, dx) - kPi / 2, d = std::hypot(dx, dy);
        EXPECT_NEAR(s[8].places[m].first, cx + d * std::cos(a), 1.5) << "cell " << m;
        EXPECT_NEAR(s[8].places[m].second, cy - d * std::sin(a), 1.5) << "cell " << m;
    }
    // The node factor was held at 2 (3 was typed).
    for (size_t m = 0; m < s[8].sizes.size(); m++)
        EXPECT_NEAR(s[9].sizes[m], s[8].sizes[m] * 2, 1e-3) << "cell " << m;
    // Every cell of the ring has the same degree: the rank moves none.
    EXPECT_EQ(s[10].places, s[9].places);
    // Each cell has two inputs from others: all unreachable below 5, set
    // in the leftmost fifth of the window at their heights.
    EXPECT_EQ(s[11].switches[4], 5);
    EXPECT_EQ(s[11].switches[5], 1);
    EXPECT_EQ(s[11].switches[6], 1);
    const int width = right() - left();
    for (size_t m = 0; m < s[11].places.size(); m++) {
        EXPECT_GE(s[11].places[m].first, left() + vgax(30)) << "cell " << m;
        EXPECT_LT(s[11].places[m].first, left() + vgax(30) + (width - vgax(60)) / 5) << "cell " << m;
        EXPECT_EQ(s[11].places[m].second, s[10].places[m].second) << "cell " << m;
    }
    EXPECT_EQ(s[12].pixels, covered) << "'w' did not show what the graph covers";
    EXPECT_EQ(s[13].pixels, s[11].pixels) << "the second 'w' did not show the graph";
    std::vector<uint32_t> after;
    ASSERT_TRUE(read_window_pixels(Maxx + 1, WinMaxy + 1, after));
    EXPECT_TRUE(after == before_graph) << "the graph window left pixels behind";
}

// The field of rule 90 drawn again inside its jump graph: 'i' puts each
// basin at its node and waits on " cont-ret:"; 'I' does the same on a
// cleared window; the graph's own basin types stay. On 6 cells (on 8 every
// state of rule 90 runs into the zero state: one basin).
TEST_F(GraphCommands, BasinsInsideTheFieldsGraph)
{
    TestNetwork net(2, 6, 3);
    TestNetwork::set_rule_number(90);
    reset_backward_settings();
    shownumbers = shownumbers_spot;
    dontcompress = 1;
    meta_graph = meta_graph_on;
    basinfield = 1;
    direction = direction_forward;
    uint32_t nodes = 0;
    std::vector<std::vector<drawn_box>> inside(2);
    std::vector<std::pair<int, int>> places;
    paced_thread typist = type_keys_looking("i\rI\rq", [&](size_t i) {
        if (i == 0) {
            nodes = node_no;
            for (uint32_t m = 1; m <= node_no; m++)
                places.push_back({basin_pos[m][0], basin_pos[m][1]});
        }
        if (i == 1 || i == 3) {
            for (const field_basin_box &b : last_field_boxes())
                inside[i / 2].push_back(b.box);
            EXPECT_EQ(basin_types_recorded(), nodes) << "the graph's basin types were replaced";
        }
        if (i == 4) {
            EXPECT_EQ(use_preset_basin_pos, 0);
            EXPECT_EQ(node_no, nodes);
        }
    });
    draw_field();
    typist.join();
    ASSERT_GT(nodes, 1u);
    for (const std::vector<drawn_box> &boxes : inside) {
        ASSERT_EQ(boxes.size(), nodes);
        for (uint32_t k = 0; k < nodes; k++) {
            const drawn_box &b = boxes[k];
            EXPECT_FALSE(b.empty);
            EXPECT_LE(b.x0, places[k].first) << "basin " << k + 1;
            EXPECT_GE(b.x1, places[k].first) << "basin " << k + 1;
            EXPECT_LE(b.y0, places[k].second) << "basin " << k + 1;
            EXPECT_GE(b.y1, places[k].second) << "basin " << k + 1;
        }
    }
    EXPECT_EQ(m_att, nullptr);
}

// The attractor histogram's graph and the network graph draw no field.
TEST_F(GraphCommands, BasinsInsideOnlyOnAField)
{
    TestNetwork net(2, 8, 3);
    TestNetwork::set_rule_number(90);
    set_graph_field_redraw(count_field_redraws);
    std::vector<brute_attractor> found = attractors_of(reference_map());
    std::vector<state_lines> lines;
    lines.reserve(found.size());
    std::vector<uint8_t *const *> states(found.size() + 1, nullptr);
    std::vector<uint32_t> runs(found.size() + 1, 1), period(found.size() + 1, 0);
    std::vector<float> mean(found.size() + 1, 0);
    for (size_t t = 0; t < found.size(); t++) {
        lines.emplace_back(found[t].states);
        states[t + 1] = lines.back().rows.data();
        period[t + 1] = static_cast<uint32_t>(found[t].states.size());
    }
    attractor_types types;
    types.count = static_cast<uint32_t>(found.size());
    types.runs = runs.data();
    types.period = period.data();
    types.mean_transient = mean.data();
    types.sampled = types.count;
    types.states = states.data();
    types.rules = carule;
    std::vector<graph_state> s;
    paced_thread typist = type_keys_looking("iIq", [&](size_t) {
        EXPECT_EQ(f_or_n, graph_attractors);
        s.push_back(state_now());
    });
    EXPECT_EQ(meta_graph_table(static_cast<int>(types.count), &types, graph_attractors), 1);
    typist.join();
    ASSERT_EQ(s.size(), 3u);
    EXPECT_TRUE(same(s[0], s[1]) && same(s[1], s[2])) << "'i' or 'I' acted on the attractors' graph";
    s = network_graph(true, {"i", "I", "q"});
    ASSERT_EQ(s.size(), 3u);
    EXPECT_TRUE(same(s[0], s[1]) && same(s[1], s[2])) << "'i' or 'I' acted on the network graph";
    EXPECT_EQ(field_redraws, 0);
    meta_graph = meta_graph_off;
}

} // namespace
