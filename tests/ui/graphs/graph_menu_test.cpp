// The graph window's menu against its key table: in every mode, with and
// without links, each piece of the menu names exactly the keys of the rows
// it stands for and a key acts exactly when the menu names it, every key of
// the table is named in some form, and the lines put together are the
// menu's texts.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/graphs/globals.h"
#include "support/help_keys.h"
#include "ui/graphs/graph_commands.h"

namespace {

struct graph_kept {
    char mode = f_or_n;
    uint8_t links = no_links;
    ~graph_kept()
    {
        f_or_n = mode;
        no_links = links;
    }
};

// The field's menu writes its arrow keys "A</>", without the slash after
// the 'A' the other menus have.
std::string
read_as_written(std::string text)
{
    size_t at = text.find("A</>");
    if (at != std::string::npos)
        text.replace(at, 4, "A/</>");
    return text;
}

TEST(GraphMenu, EveryPieceNamesTheKeysOfItsRowsAndOnlyThoseAct)
{
    graph_kept kept;
    std::set<char> named;
    struct form {
        char mode;
        uint8_t no_links;
    };
    for (form f : {form{graph_field, 0}, form{graph_attractors, 0}, form{graph_network, 0},
                   form{graph_network, 1}}) {
        f_or_n = f.mode;
        no_links = f.no_links;
        std::set<char> listed = check_pieces_against_keys(
            graph_menu_pieces(), [](const std::string &text) { return menu_keys(read_as_written(text)); },
            [](char key) { return graph_key_acts(graph_view{}, key); },
            std::string("mode ") + f.mode + (f.no_links ? " without links" : ""), graph_unlisted_keys(graph_view{}));
        named.insert(listed.begin(), listed.end());
    }
    EXPECT_EQ(named, key_set(graph_keys()));
}

TEST(GraphMenu, TheLinesAreTheMenusTexts)
{
    graph_kept kept;
    const std::string second = "settings-S rotate-x/X flip-h/v, exp/contr: nodes-e/c links-E/C both-B/b";
    const std::string last = "layout: file-f circle/spiral-o/O 1d/2d/3d-1/2/3 rnd-r/R, quit-q:";
    f_or_n = graph_field;
    no_links = 0;
    EXPECT_EQ(graph_menu_lines(),
              (std::vector<std::string>{
                  "ATTRACTOR meta-graph: drag-(def), ant-a path-p rank-k unscram-u", second,
                  "basins inside-i/I, table-t/T Unreach-U, tog: nodes-n/N links-l arrows-A</> window-w", last}));
    f_or_n = graph_attractors;
    std::vector<std::string> lines = graph_menu_lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "ATTRACTOR meta-graph: drag-(def), ant-a path-p rank-k unscram-u");
    EXPECT_EQ(lines[2], "table-t/T unreach-U, tog: nodes-n/N links-l arrows-A/</> window-w");
    f_or_n = graph_network;
    EXPECT_EQ(graph_menu_lines(),
              (std::vector<std::string>{"NETWORK graph: drag-(def), redraw-d path-p ant-a rank-k unscram-u", second,
                                        "table-t/T unreach-U, tog: nodes-n/N links-l arrows-A/</> window-w", last}));
    no_links = 1;
    EXPECT_EQ(graph_menu_lines(), (std::vector<std::string>{"NETWORK graph (no links): redraw-d drag-(def)", second,
                                                            "window-w", last}));
}

} // namespace
