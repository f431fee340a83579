// The probabilistic ant's prompts and the jump table's against their key
// tables: each piece names exactly the keys of the rows it stands for, a
// key acts exactly when a piece names it (or its row says it acts
// unlisted), and every key of a table is named in some state; the lines put together are
// the prompts' texts; the table's font by the number of nodes; its
// scrolling keys held within the nodes.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "support/help_keys.h"
#include "ui/graphs/ant_view.h"
#include "ui/graphs/jump_table_view.h"

namespace {

TEST(AntKeys, ThePromptNamesEveryKeyOfTheWalk)
{
    std::set<char> named;
    for (int state = 0; state < 4; state++) {
        ant_view v;
        v.walk.show_ant = state & 1;
        v.walk.random_ant = state & 2;
        std::set<char> listed = check_pieces_against_keys(
            ant_prompt_pieces(v), menu_keys, [&v](char key) { return ant_key_acts(v, key); },
            "state " + std::to_string(state));
        named.insert(listed.begin(), listed.end());
    }
    EXPECT_EQ(named, key_set(ant_keys()));
}

TEST(AntKeys, TheWalksPromptLines)
{
    ant_view v;
    EXPECT_EQ(ant_prompt_lines(v), (std::vector<std::string>{
                                       "probabilistic ant: Distance-D quit-q speed-</> pause-p",
                                       "restart rand -r, redraw-d",
                                       "show hits -h, tog: show ant(ON)-a, random ant(OFF) -s"}));
    v.walk.show_ant = false;
    v.walk.random_ant = true;
    EXPECT_EQ(ant_prompt_lines(v)[2], "show hits -h, tog: show ant(OFF)-a, random ant(ON) -s");
}

TEST(AntKeys, TheHitsDisplayNamesEveryKeyOfItsAnswers)
{
    std::set<char> named;
    for (uint32_t total : {0u, 17u, kMostAntHits})
        for (bool random_ant : {false, true}) {
            ant_view v;
            v.walk.total = total;
            v.walk.random_ant = random_ant;
            std::set<char> listed = check_pieces_against_keys(
                hits_prompt_pieces(v), menu_keys, [&v](char key) { return hits_key_acts(v, key); },
                "total " + std::to_string(total), hits_unlisted_keys(v));
            named.insert(listed.begin(), listed.end());
        }
    EXPECT_EQ(named, key_set(hits_keys()));
}

TEST(AntKeys, TheHitsDisplaysLines)
{
    char kept = f_or_n;
    f_or_n = graph_attractors;
    ant_view v;
    v.walk.total = 1234;
    EXPECT_EQ(hits_prompt_lines(v),
              (std::vector<std::string>{"showing % hits on each basin",
                                        "total hits so far=1234, tog rand ant(OFF)-s restart rand -r, redraw-d",
                                        "show % frequency: only-N +nodes-n, redraw-d, quit-q cont-ret:"}));
    v.stuck_at = 7;
    v.walk.random_ant = true;
    v.walk.total = kMostAntHits;
    EXPECT_EQ(hits_prompt_lines(v),
              (std::vector<std::string>{
                  "showing % hits on each basin - no targets, ant stuck at node 7",
                  "total hits so far=4294967295, tog random ant(ON)-s restart rand -r, redraw-d",
                  "max hits, quit-q cont-ret:"}));
    // The network graph's nodes go by their cell numbers.
    f_or_n = graph_network;
    EXPECT_EQ(hits_prompt_lines(v)[0], "showing % hits on each basin - no targets, ant stuck at node 6");
    f_or_n = kept;
}

TEST(TableKeys, ThePromptNamesEveryKey)
{
    std::set<char> named = check_pieces_against_keys(table_prompt_pieces(), menu_keys, table_key_acts);
    EXPECT_EQ(named, key_set(table_keys()));
    EXPECT_EQ(table_prompt_line(), "scan table: exit-ret xterm-x jump-j reset-s down-d up-u right-r left-l");
}

TEST(TableKeys, FontByTheNumberOfNodes)
{
    EXPECT_EQ(jump_table_font(1), font_fixed);
    EXPECT_EQ(jump_table_font(13), font_fixed);
    EXPECT_EQ(jump_table_font(14), font_fixed_medium);
    EXPECT_EQ(jump_table_font(18), font_fixed_medium);
    EXPECT_EQ(jump_table_font(19), font_fixed_small);
    EXPECT_EQ(jump_table_font(4096), font_fixed_small);
}

// The scrolling keys never take the first row or column out of 1..node_no;
// 's' brings both back to 1; 'x' asks for one copy; other keys leave.
TEST(TableKeys, ScrollingKeysStayWithinTheNodes)
{
    open_graph_data(graph_attractors, 4, true);
    table_view v;
    bool copy = true;
    for (char key : std::string("uullll")) {
        ASSERT_TRUE(table_key_command(v, key, copy));
        EXPECT_FALSE(copy);
    }
    EXPECT_EQ(v.place.first_row, 1u);
    EXPECT_EQ(v.place.first_column, 1u);
    for (char key : std::string("ddddddrrrrrrrr"))
        ASSERT_TRUE(table_key_command(v, key, copy));
    EXPECT_EQ(v.place.first_row, 4u);
    EXPECT_EQ(v.place.first_column, 4u);
    ASSERT_TRUE(table_key_command(v, 'u', copy));
    EXPECT_EQ(v.place.first_row, 3u);
    ASSERT_TRUE(table_key_command(v, 'x', copy));
    EXPECT_TRUE(copy);
    ASSERT_TRUE(table_key_command(v, 's', copy));
    EXPECT_FALSE(copy);
    EXPECT_EQ(v.place.first_row, 1u);
    EXPECT_EQ(v.place.first_column, 1u);
    EXPECT_FALSE(table_key_command(v, '\r', copy));
    EXPECT_FALSE(table_key_command(v, 'z', copy));
    free_graph_data();
}

} // namespace
