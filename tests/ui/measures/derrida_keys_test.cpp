// The Derrida plot's menus against their key tables: in every state each
// piece names exactly the keys of its row, every key is named in some
// state, and the menu lines are the plot's words.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/help_keys.h"
#include "ui/measures/derrida_plot.h"

namespace {

std::string
joined(const std::vector<key_help_line> &pieces)
{
    std::string text;
    for (const key_help_line &p : pieces)
        text += p.text;
    return text;
}

TEST(DerridaKeys, EveryPieceNamesTheKeysOfItsRow)
{
    std::set<char> menu_named, completion_named;
    for (int form = 0; form < 4; form++) {
        derrida_menu_state s;
        s.finished = form & 1;
        s.rule_tables = form & 2;
        expect_pieces_name_their_keys(derrida_menu_help(s), menu_keys, menu_named);
        // A completion piece is read with the colon that ends its line.
        expect_pieces_name_their_keys(
            derrida_completion_help(s), [](const std::string &text) { return menu_keys(text + ":"); },
            completion_named);
    }
    EXPECT_EQ(menu_named, key_set(derrida_menu_keys()));
    EXPECT_EQ(completion_named, key_set(derrida_completion_keys()));
}

TEST(DerridaKeys, TheMenusWords)
{
    derrida_menu_state s;
    s.finished = false;
    EXPECT_EQ(joined(derrida_menu_help(s)), "quit-q, ");
    s.finished = true;
    EXPECT_EQ(joined(derrida_menu_help(s)), "redraw (no fuzz)-r, quit-q, ");
    EXPECT_EQ(joined(derrida_completion_help(s)), "reset-r canalizing-C");
    s.rule_tables = false;
    EXPECT_EQ(joined(derrida_completion_help(s)), "reset-r");
}

TEST(DerridaKeys, MaxHLabel)
{
    EXPECT_EQ(maxH_label(0.05), "0.05");
    EXPECT_EQ(maxH_label(1.0), " 1.0");
    EXPECT_EQ(maxH_label(0.5), " 0.5");
    EXPECT_EQ(maxH_label(0.25), "0.25");
    EXPECT_EQ(maxH_label(0.125), "0.125");
}

} // namespace
