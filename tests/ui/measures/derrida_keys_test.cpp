// The Derrida plot's menus against their key tables: in every state each
// piece names exactly the keys of its row and a key acts exactly when a
// piece names it, every key is named in some state, and the menu lines are
// the plot's words.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/help_keys.h"
#include "ui/measures/derrida_plot.h"

namespace {

TEST(DerridaKeys, EveryPieceNamesTheKeysOfItsRow)
{
    std::set<char> menu_named, completion_named;
    for (int form = 0; form < 4; form++) {
        derrida_menu_state s;
        s.finished = form & 1;
        s.rule_tables = form & 2;
        std::string where = "form " + std::to_string(form);
        std::set<char> listed = check_pieces_against_keys(
            derrida_menu_help(s), menu_keys, [&s](char key) { return derrida_menu_acts(s, key); }, where);
        menu_named.insert(listed.begin(), listed.end());
        // A completion piece is read with the colon that ends its line.
        listed = check_pieces_against_keys(
            derrida_completion_help(s), [](const std::string &text) { return menu_keys(text + ":"); },
            [&s](char key) { return derrida_completion_acts(s, key); }, where);
        completion_named.insert(listed.begin(), listed.end());
    }
    EXPECT_EQ(menu_named, key_set(derrida_menu_keys()));
    EXPECT_EQ(completion_named, key_set(derrida_completion_keys()));
}

TEST(DerridaKeys, TheMenusWords)
{
    derrida_menu_state s;
    s.finished = false;
    EXPECT_EQ(help_text(derrida_menu_help(s)), "quit-q, ");
    s.finished = true;
    EXPECT_EQ(help_text(derrida_menu_help(s)), "redraw (no fuzz)-r, quit-q, ");
    EXPECT_EQ(help_text(derrida_completion_help(s)), "reset-r canalizing-C");
    s.rule_tables = false;
    EXPECT_EQ(help_text(derrida_completion_help(s)), "reset-r");
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
