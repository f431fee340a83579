// The graph window's unscrambling, probabilistic ant and jump table on the
// window: the network graph of a random network of 20 cells with one input
// each, as a forward-only run opens it with its links; 'u' twice lays it
// out twice anew, 'a' walks until a stuck node (or, for the random ant,
// 'h') opens the hits display and 'q' goes back to the menu, 't' shows the
// table, 'd' scrolls it and Return leaves it with the graph drawn as
// before. Then the table's
// copy to standard error, byte for byte, from the first place, a scrolled
// one and one jumped to.
#include "support/x_test_fixture.h"

#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/backward/backward_test_support.h"
#include "engine/graphs/globals.h"
#include "ui/graphs/ant_view.h"
#include "ui/graphs/meta_graph.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

class GraphTools : public ClearedWindowTest {
protected:
    void TearDown() override
    {
        direction = direction_unset;
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
    }

    // The pixels of the network graph's window on a grid.
    static std::vector<unsigned long>
    window_grid()
    {
        std::vector<unsigned long> pixels;
        const graph_frame frame = graph_window_frame(graph_network);
        for (int y = frame.y0 + 1; y < frame.y1; y += 7)
            for (int x = vgax(5) + 1; x < Maxx - vgax(5); x += 7)
                pixels.push_back(pixel_seen(x, y));
        return pixels;
    }

    static std::vector<std::pair<int, int>>
    places()
    {
        std::vector<std::pair<int, int>> p;
        for (uint32_t m = 1; m <= node_no; m++)
            p.push_back({basin_pos[m][0], basin_pos[m][1]});
        return p;
    }
};

// Whether from every cell, following the cells that read it, some cell is
// reached that no cell reads: then the ant, wherever it starts, gets stuck.
bool
every_walk_ends()
{
    std::vector<std::vector<uint32_t>> readers(lineL);
    for (uint32_t c = 0; c < lineL; c++)
        readers[wiring[c][0]].push_back(c);
    for (uint32_t start = 0; start < lineL; start++) {
        std::vector<bool> seen(lineL, false);
        std::vector<uint32_t> todo{start};
        seen[start] = true;
        bool ends = false;
        while (!todo.empty() && !ends) {
            uint32_t c = todo.back();
            todo.pop_back();
            ends = readers[c].empty();
            for (uint32_t r : readers[c])
                if (!seen[r]) {
                    seen[r] = true;
                    todo.push_back(r);
                }
        }
        if (!ends)
            return false;
    }
    return true;
}

// The ant, wherever it starts, reaches a cell no cell reads and its hits
// display opens by itself; there 'n' shows the shares, 's' sets the random
// ant walking (a node without targets never stops it) and 'h' at once
// opens the display again; Return walks on, 'D' shows the distances and
// Return walks on again; 'q' leaves the ant.
TEST_F(GraphTools, UnscrambleAntAndTableOnARandomNetwork)
{
    TestNetwork net(2, 20, 1);
    unsigned seed = 1;
    do {
        srandom(seed++);
        wire_at_random(false);
    } while (!every_walk_ends());
    // A forward-only run's graph asks whether to show the links.
    direction = direction_forward;
    limitcheck = 0;
    std::vector<std::pair<int, int>> laid[3];
    std::vector<unsigned long> graph, hits_shown, shares, table, scrolled, after;
    uint32_t stuck_at = 0, stuck_targets = 1;
    bool random_hits = false, distances_in_walk = false, walk_went_on = false, ant_gone = false;
    paced_thread typist = act_paced({
        [] { type_in_step('L'); },
        [&] {
            laid[0] = places();
            type_in_step('u');
        },
        [&] {
            laid[1] = places();
            type_in_step('u');
        },
        [&] {
            laid[2] = places();
            type_in_step('a');
        },
        [&] {
            const ant_view *v = ant_walking();
            if (v) {
                stuck_at = v->stuck_at;
                stuck_targets = 0;
                for (uint32_t j = 1; stuck_at && j <= node_no; j++)
                    stuck_targets += basinjumps[stuck_at][j];
            }
            hits_shown = window_grid();
            type_in_step('n');
        },
        [&] {
            shares = window_grid();
            // The random ant walks without waiting: 'h' goes right after 's'.
            type_in_step('s');
            type_in_step('h');
        },
        [&] {
            const ant_view *v = ant_walking();
            random_hits = v && v->stuck_at == 0 && v->walk.random_ant;
            // On with the walk, and at once 'D' (its Shift is no key to
            // the walk): the distances' summary waits for Return.
            type_keys("\rD");
        },
        [&] {
            const ant_view *v = ant_walking();
            distances_in_walk = v && v->stuck_at == 0 && v->walk.random_ant;
            // The walk goes on after Return; 'h' stops it again.
            type_in_step('\r');
            type_in_step('h');
        },
        [&] {
            walk_went_on = ant_walking() != nullptr;
            type_in_step('q');
        },
        [&] {
            ant_gone = ant_walking() == nullptr;
            graph = window_grid();
            type_in_step('t');
        },
        [&] {
            table = window_grid();
            type_in_step('d');
        },
        [&] {
            scrolled = window_grid();
            type_in_step('\r');
        },
        [&] {
            after = window_grid();
            type_in_step('q');
        },
    });
    EXPECT_EQ(meta_graph_table(0, nullptr, graph_network), 1);
    typist.join();
    EXPECT_NE(laid[1], laid[0]) << "the first 'u' moved nothing";
    EXPECT_NE(laid[2], laid[1]) << "the second 'u' moved nothing";
    EXPECT_NE(stuck_at, 0u) << "the ant's hits display did not open on a stuck node";
    EXPECT_EQ(stuck_targets, 0u) << "the ant stuck at a node with targets";
    EXPECT_NE(shares, hits_shown) << "'n' wrote no shares";
    EXPECT_TRUE(random_hits) << "'s' then 'h' did not show the random ant's hits";
    EXPECT_TRUE(distances_in_walk) << "'D' left the walk";
    EXPECT_TRUE(walk_went_on) << "the walk did not go on after the distances";
    EXPECT_TRUE(ant_gone) << "'q' in the hits display did not leave the ant";
    EXPECT_NE(table, graph) << "'t' showed no table";
    EXPECT_NE(scrolled, table) << "'d' did not scroll";
    EXPECT_EQ(after, graph) << "the graph was not drawn again as it was";
}

// The ring of three cells with three inputs each: every cell reads every
// cell once, so every weight is 1 of a node's 3 wires.
TEST_F(GraphTools, TheTablesCopyToStandardError)
{
    TestNetwork net(2, 3, 3);
    testing::internal::CaptureStderr();
    paced_thread typist = type_keys_paced("txdx\rTx\rtj3\r2\rx\rq");
    EXPECT_EQ(meta_graph_table(0, nullptr, graph_network), 1);
    typist.join();
    std::string copied = testing::internal::GetCapturedStderr();
    const std::string row = "   1   1   1    3    3", share_row = " .333 .333 .333    3    3";
    EXPECT_EQ(copied, "\n        0   1   2    out  k"
                      "\n   0:" + row + "\n   1:" + row + "\n   2:" + row + "\n"
                      "\n        0   1   2    out  k"
                      "\n   1:" + row + "\n   2:" + row + "\n"
                      "\n         0    1    2    out  k"
                      "\n   0:" + share_row + "\n   1:" + share_row + "\n   2:" + share_row + "\n"
                      "\n        2    out  k"
                      "\n   1:   1    3    3\n   2:   1    3    3\n");
}

} // namespace
