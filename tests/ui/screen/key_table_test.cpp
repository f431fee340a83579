// The lookup rule of key tables on a small table of every kind of row: a
// key acts exactly where the help lists it (a row without help only with
// the line it joins), a row that acts unlisted says when, the first row in
// force wins, and all_keys and help_lines walk the rows as the help does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/help_keys.h"
#include "ui/screen/key_table.h"

namespace {

struct state {
    bool a = false; // the first line is listed
    bool b = false; // the joined row 'j' is listed with it
    bool c = false; // 'u' acts unlisted
};

using row = key_row<state, int>;

int
which(state &, char key)
{
    return key;
}

const row kRows[] = {
    row::on("x").help("one-x").when([](const state &s) { return s.a; }).does(which),
    row::on("j").when([](const state &s) { return s.b; }).does(which),
    row::on("u")
        .help(" two-u")
        .when([](const state &) { return false; })
        .unlisted_when([](const state &s) { return s.c; })
        .does(which),
    row::on("xq").help("\nthree-x/q").does(which),
    row::on("n").help(" named-n"),
};

TEST(KeyTable, AKeyActsExactlyWhereTheHelpListsIt)
{
    for (int form = 0; form < 8; form++) {
        state s{(form & 1) != 0, (form & 2) != 0, (form & 4) != 0};
        std::string unlisted = unlisted_keys(kRows, s);
        EXPECT_EQ(unlisted, s.c ? "u" : "");
        // 'n' is found though it has no action here: its caller acts on it.
        expect_listed_keys_act(key_help(kRows, s), [&s](char key) { return find_key(kRows, key, s) != nullptr; },
                               "form " + std::to_string(form), unlisted);
        EXPECT_FALSE(key_acts(kRows, 'n', s));
    }
}

TEST(KeyTable, AJoinedRowNeedsItsLineListed)
{
    state s{false, true, false};
    EXPECT_EQ(find_key(kRows, 'j', s), nullptr);
    s.a = true;
    ASSERT_NE(find_key(kRows, 'j', s), nullptr);
    EXPECT_EQ(key_help(kRows, s)[0].keys, "xj");
}

TEST(KeyTable, TheFirstRowInForceWins)
{
    state s;
    EXPECT_EQ(find_key(kRows, 'x', s), &kRows[3]);
    s.a = true;
    EXPECT_EQ(find_key(kRows, 'x', s), &kRows[0]);
    EXPECT_EQ(find_key(kRows, '\0', s), nullptr);
}

// The loops that answer every key of theirs find a row by name alone,
// whether the help shows it or not.
TEST(KeyTable, ARowByNameWhateverIsShown)
{
    state s;
    EXPECT_EQ(find_key(kRows, 'j', s), nullptr);
    EXPECT_EQ(find_named_key(kRows, 'j'), &kRows[1]);
    EXPECT_EQ(find_named_key(kRows, 'u'), &kRows[2]);
    EXPECT_EQ(find_named_key(kRows, 'x'), &kRows[0]);
    EXPECT_EQ(find_named_key(kRows, 'z'), nullptr);
    EXPECT_EQ(find_named_key(kRows, '\0'), nullptr);
}

TEST(KeyTable, WalkersOfKeysAndLines)
{
    EXPECT_EQ(all_keys(kRows), "xjuxqn");
    state s{true, true, false};
    EXPECT_EQ(help_lines(key_help(kRows, s)), (std::vector<std::string>{"one-x", "three-x/q named-n"}));
    EXPECT_EQ(help_text(key_help(kRows, s)), "one-x\nthree-x/q named-n");
}

} // namespace
