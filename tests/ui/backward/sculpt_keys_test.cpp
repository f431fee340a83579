// The sculpting dialog's one-key menus against their key tables: each piece
// shown names the key of its row (the text after its last '-'), a "(def)"
// piece stands for the row that takes every other key, and every key of a
// table is named in some form of it.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "ui/backward/sculpt_dialog.h"

namespace {

// The key a piece names: the first character after its last '-'; '(' for "(def".
char
named_key(const std::string &piece)
{
    size_t dash = piece.rfind('-');
    return dash == std::string::npos || dash + 1 >= piece.size() ? '?' : piece[dash + 1];
}

TEST(SculptKeys, EveryPieceNamesTheKeyOfItsRow)
{
    std::map<std::string, std::set<char>> named, acted;
    for (bool mix : {false, true}) {
        sculpt_menu_state s;
        s.mix = mix;
        for (const sculpt_menu_view &menu : sculpt_key_menus(s)) {
            bool default_named = false;
            for (const key_help_line &piece : menu.help) {
                char key = named_key(piece.text);
                if (piece.keys.empty()) {
                    EXPECT_EQ(key, '(') << menu.name << ": \"" << piece.text << "\"";
                    default_named = true;
                } else {
                    EXPECT_EQ(piece.keys, std::string(1, key)) << menu.name << ": \"" << piece.text << "\"";
                    named[menu.name].insert(key);
                }
            }
            EXPECT_EQ(default_named, menu.has_default) << menu.name;
            acted[menu.name].insert(menu.keys.begin(), menu.keys.end());
        }
    }
    EXPECT_EQ(named, acted);
}

} // namespace
