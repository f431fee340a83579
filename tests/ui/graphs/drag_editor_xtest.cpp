// The drag editor and the paths box on the window, driven through the
// server: on the network graph of a 5 x 5 lattice opened as a forward
// run's pause box opens it, Return opens the editor; a left press on node
// 7, the pointer's motion and the release move node 7 by the motion and
// no other node; after 'a' every node moves by it; a press between nodes
// moves nothing; 'q' frees the selection, the copy and the sums. The
// block's corners mark the cells between them, and 'q' at any of its
// questions ends it. Then 'p' of the menu shows the paths' summary and
// its box goes again.
#include "support/x_test_fixture.h"

#include <functional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "engine/graphs/globals.h"
#include "engine/graphs/node_selection.h"
#include "engine/model/checked_alloc.h"
#include "ui/graphs/globals.h"
#include "ui/graphs/meta_graph.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"

namespace {

using places = std::vector<std::pair<int, int>>;

class DragEditor : public ClearedWindowTest {
protected:
    void SetUp() override
    {
        ClearedWindowTest::SetUp();
        node_numbers = 1;
    }
    void TearDown() override
    {
        direction = direction_unset;
        node_numbers = 1;
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
    }

    static places
    places_now()
    {
        places p;
        for (uint32_t m = 0; m <= node_no; m++)
            p.push_back({basin_pos[m][0], basin_pos[m][1]});
        return p;
    }

    // A left drag from (x, y) by (dx, dy) in three motions.
    static void
    drag(int x, int y, int dx, int dy)
    {
        move_pointer(x, y);
        press_button(1, true);
        for (int step = 1; step <= 3; step++)
            move_pointer(x + dx * step / 3, y + dy * step / 3);
        press_button(1, false);
    }
};

// Places after a move of `moved` nodes by (dx, dy) from `before`.
places
moved_by(const places &before, const std::vector<bool> &moved, int dx, int dy)
{
    places after = before;
    for (size_t m = 1; m < after.size(); m++)
        if (moved[m]) {
            after[m].first += dx;
            after[m].second += dy;
        }
    return after;
}

TEST_F(DragEditor, DragsANodeAllNodesAndNothingBetween)
{
    TestNetwork net(2, 2, 5, 5, 1, 5);
    loc_twod_fonly = 1;
    direction = direction_forward;
    limitcheck = 0;
    long before_editor = 0, after_editor = -1;
    places start, after_one, after_all, after_gap;
    uint8_t *selection_in_editor = nullptr;
    std::vector<std::function<void()>> steps = {
        [] { type_in_step('L'); }, // count the links
        [&] {
            before_editor = live_allocations;
            type_in_step('\r');
        },
        [&] {
            selection_in_editor = linknet;
            start = places_now();
            drag(start[7].first, start[7].second, 24, 15);
        },
        [&] {
            after_one = places_now();
            type_in_step('a');
        },
        [&] { drag(after_one[7].first, after_one[7].second, -30, 12); },
        [&] {
            after_all = places_now();
            // Halfway between nodes 7 and 8, a row apart from the others.
            int x = (after_all[7].first + after_all[8].first) / 2;
            int y = (after_all[7].second + after_all[8].second) / 2;
            drag(x, y, 3, 2);
        },
        [&] {
            after_gap = places_now();
            type_in_step('q');
        },
        [&] {
            after_editor = live_allocations;
            type_in_step('q');
        },
    };
    paced_thread actor = act_paced(steps);
    EXPECT_EQ(meta_graph_table(1, nullptr, graph_network), 1);
    actor.join();
    ASSERT_EQ(start.size(), 26u);
    EXPECT_NE(selection_in_editor, nullptr);
    std::vector<bool> only_7(26, false), every(26, true);
    only_7[7] = true;
    EXPECT_EQ(after_one, moved_by(start, only_7, 24, 15)) << "node 7 alone should move by the motion";
    EXPECT_EQ(after_all, moved_by(after_one, every, -30, 12)) << "with 'a' every node moves by the motion";
    EXPECT_EQ(after_gap, after_all) << "a press between nodes moved something";
    EXPECT_EQ(after_editor, before_editor) << "'q' left the selection, copy or sums held";
}

// 'p' then 'd': the summary box over the prompt area, then the menu as it
// was; the window below the prompt area is untouched.
TEST_F(DragEditor, PathsBoxComesAndGoes)
{
    TestNetwork net(2, 2, 5, 5, 1, 5);
    loc_twod_fonly = 1;
    direction = direction_backward;
    const int menu_x = Maxx / 2 + 4, menu_y = 6;
    std::vector<unsigned long> menu, question, summary, after;
    auto prompt_row = [&] {
        std::vector<unsigned long> row;
        for (int x = menu_x; x < Maxx - 4; x += 3)
            row.push_back(pixel_seen(x, menu_y + CHeight / 2));
        return row;
    };
    std::vector<std::function<void()>> steps = {
        [&] {
            menu = prompt_row();
            type_in_step('p');
        },
        [&] {
            question = prompt_row();
            type_in_step('d');
        },
        [&] {
            summary = prompt_row();
            type_in_step('\r');
        },
        [&] {
            after = prompt_row();
            type_in_step('q');
        },
    };
    paced_thread actor = act_paced(steps);
    EXPECT_EQ(meta_graph_table(0, nullptr, graph_network), 1);
    actor.join();
    EXPECT_NE(question, menu);
    EXPECT_NE(summary, question);
    EXPECT_EQ(after, menu) << "the menu did not come back as it was";
}

// The block of a 2d lattice: the corners answered mark the nodes whose
// cells lie between them; 'q' at the dimension or any corner question
// ends the definition with nothing marked, and the editor goes on.
TEST_F(DragEditor, BlockCornersAndQuitAtEveryQuestion)
{
    TestNetwork net(2, 2, 5, 5, 1, 5);
    loc_twod_fonly = 1;
    direction = direction_backward;
    // Return opens the editor; the block: 2d, low corner 1,1, high 2,3.
    std::string keys = "\rB\r1\r1\r2\r3\r";
    const size_t defined = keys.size();
    std::vector<size_t> quits;
    for (const char *answers : {"", "\r", "\r\r", "\r\r\r", "\r\r\r\r"}) {
        keys += std::string("B") + answers + "q";
        quits.push_back(keys.size());
    }
    keys += "qq";
    std::set<uint32_t> block;
    std::vector<uint32_t> after_quit;
    std::vector<bool> in_editor;
    paced_thread typist = type_keys_looking(keys, [&](size_t i) {
        if (i == defined)
            for (uint32_t m = 1; m <= node_no; m++)
                if (in_linknet(m))
                    block.insert(m);
        for (size_t q : quits)
            if (i == q) {
                after_quit.push_back(linknet_count());
                in_editor.push_back(linknet != nullptr);
            }
    });
    EXPECT_EQ(meta_graph_table(0, nullptr, graph_network), 1);
    typist.join();
    std::set<uint32_t> expected;
    for (int i = 1; i <= 2; i++)
        for (int j = 1; j <= 3; j++)
            expected.insert(static_cast<uint32_t>(1 + i + 5 * j));
    EXPECT_EQ(block, expected);
    EXPECT_EQ(after_quit, std::vector<uint32_t>(quits.size(), 0u));
    EXPECT_EQ(in_editor, std::vector<bool>(quits.size(), true)) << "'q' in the block left the editor";
}

} // namespace
