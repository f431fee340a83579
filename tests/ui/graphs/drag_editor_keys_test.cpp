// The drag editor's prompt against its key table: in every selection,
// with and without links, the keys the pieces stand for are all the rows'
// keys, no piece names a key without a row, a key acts exactly when a
// piece lists it, the lines are the prompt's texts, and on a graph without
// links the keys not named there change nothing while those named act.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/graphs/node_selection.h"
#include "support/help_keys.h"
#include "ui/graphs/drag_editor.h"
#include "ui/graphs/globals.h"
#include "ui/screen/globals.h"

namespace {

// The states the prompt is written for: each selection, and a block.
std::vector<drag_state>
every_state()
{
    std::vector<drag_state> states;
    for (char kind : std::string("saioe")) {
        drag_state s;
        s.kind = kind;
        s.active = 7;
        s.other = 3;
        s.steps = kind == 'o' ? 0 : 2;
        states.push_back(s);
    }
    drag_state block;
    block.block = 2;
    states.push_back(block);
    return states;
}

TEST(DragEditorKeys, ThePromptNamesEveryRowAndNoOtherKey)
{
    open_graph_data(graph_network, 9, true);
    std::set<char> named;
    const std::set<char> table = key_set(drag_keys());
    for (uint8_t links : {0, 1}) {
        no_links = links ? 0 : 1;
        for (const drag_state &s : every_state()) {
            for (const key_help_line &piece : drag_prompt_pieces(s)) {
                named.insert(piece.keys.begin(), piece.keys.end());
                for (char key : menu_keys(piece.text)) {
                    if (key != '?') {
                        EXPECT_TRUE(table.count(key)) << "\"" << piece.text << "\" names '" << key << "'";
                    }
                }
                // "(1-9)" names the digits between.
                std::string text = piece.text;
                size_t range = text.find("(1-9)");
                if (range != std::string::npos)
                    text.replace(range, 5, "123456789");
                for (char key : piece.keys)
                    EXPECT_NE(text.find(key), std::string::npos)
                        << "\"" << piece.text << "\" stands for '" << key << "'";
            }
        }
    }
    EXPECT_EQ(named, table);
    free_graph_data();
}

TEST(DragEditorKeys, AKeyActsExactlyWhenThePromptListsIt)
{
    open_graph_data(graph_network, 9, true);
    for (uint8_t links : {0, 1}) {
        no_links = links ? 0 : 1;
        for (const drag_state &s : every_state())
            expect_listed_keys_act(drag_prompt_pieces(s), [&s](char key) { return drag_key_acts(s, key); },
                                   std::string("kind ") + s.kind + (links ? " with links" : " without links"),
                                   drag_unlisted_keys(s));
    }
    free_graph_data();
}

TEST(DragEditorKeys, TheLinesAreThePromptsTexts)
{
    open_graph_data(graph_network, 9, true);
    drag_state s;
    s.kind = 'i';
    s.steps = 2;
    s.active = 7;
    s.other = 3;
    EXPECT_EQ(drag_prompt_lines(s),
              (std::vector<std::string>{"inputs node 6, step=2: drag/release - left mouse button, tog drag-d",
                                        "not active?-click right button first, rotate-x/X flip-h/v gap nodes-g",
                                        "links 6: cut/restore/net-c/r/n, link 6- 2: cut/add/restore-C/A/R",
                                        "step-(1-9) nolimit-0, single-s in/out/either-i/o/e all-a exit-q:"}));
    s.kind = 's';
    EXPECT_EQ(drag_prompt_lines(s)[2], "links: restore net-n, block-B, i/o/e to activate");
    s.kind = 'a';
    EXPECT_EQ(drag_prompt_lines(s)[0], "all nodes: drag/release - left mouse button, tog drag-d");
    EXPECT_EQ(drag_prompt_lines(s)[2], "links: restore net-n, i/o/e to activate");
    s.kind = 'e';
    s.steps = 0;
    EXPECT_EQ(selection_title(s), "in-out node 6, step=nolimit: ");
    s.kind = 's';
    s.block = 3;
    EXPECT_EQ(selection_title(s), "node 6, Block: ");
    no_links = 1;
    s.block = 0;
    EXPECT_EQ(drag_prompt_lines(s),
              (std::vector<std::string>{"single node 6: drag/release - left mouse button, tog drag-d",
                                        "not active?-click right button first, rotate-x/X flip-h/v", "block-B",
                                        "single-s all-a exit-q:"}));
    free_graph_data();
}

// What a key may change: the selection, the places, the drag mode.
struct editor_view {
    drag_state s;
    std::vector<std::pair<int, int>> places;
    uint8_t quick = 0;
    bool
    operator==(const editor_view &o) const
    {
        return s.kind == o.s.kind && s.steps == o.s.steps && s.block == o.s.block && places == o.places &&
               quick == o.quick;
    }
};

editor_view
view_of(const drag_state &s)
{
    editor_view v;
    v.s = s;
    for (uint32_t m = 1; m <= node_no; m++)
        v.places.push_back({basin_pos[m][0], basin_pos[m][1]});
    v.quick = quick_move;
    return v;
}

TEST(DragEditorKeys, WithoutLinksOnlyTheNamedKeysAct)
{
    open_graph_data(graph_network, 9, false);
    for (uint32_t m = 1; m <= 9; m++) {
        basin_pos[m][0] = static_cast<int16_t>(100 + 30 * m);
        basin_pos[m][1] = static_cast<int16_t>(200 + 7 * m * m);
    }
    mouse_x = 150;
    mouse_y = 260;
    drag_state s;
    s.rotation = 0.5f;
    std::set<char> named;
    for (const key_help_line &piece : drag_prompt_pieces(s))
        named.insert(piece.keys.begin(), piece.keys.end());
    new_linknet();
    uint8_t kept_quick = quick_move;
    for (char key : drag_keys()) {
        if (key == 'B' || key == 'q')
            continue; // the block's dialog draws; 'q' leaves
        drag_state now = s;
        now.kind = key == 's' ? 'a' : 's';
        editor_view before = view_of(now);
        drag_key_command(now, key);
        bool acted = !(view_of(now) == before);
        EXPECT_EQ(acted, named.count(key) == 1) << "'" << key << "'";
    }
    EXPECT_EQ(drag_key_command(s, 'q'), drag_step::leave);
    quick_move = kept_quick;
    free_graph_data();
}

} // namespace
