// The 1d editor's prompt against its keys: in every kind of network and
// state, each piece of the prompt names (as a user reads it) exactly the
// keys of the rows it stands for, a key acts exactly when the prompt
// names it, and over all states the prompt names every key of the table.
// The prompt's texts are checked whole in a few states.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/backward/globals.h"
#include "engine/wiring_editor/editor_network_support.h"
#include "editor_keys_support.h"
#include "ui/screen/globals.h"
#include "ui/wiring_editor/editor_1d.h"

namespace {

const char kRight = static_cast<char>(kKeyRight), kLeft = static_cast<char>(kKeyLeft),
           kUp = static_cast<char>(kKeyUp), kDown = static_cast<char>(kKeyDown),
           kErase = static_cast<char>(kKeyErase);

// The keys a piece names: its "word-key" words, "move-arrows" for the
// arrows that move one cell (and erase), "up/down arrows" for those that
// move a step.
std::set<char>
named_keys(std::string text)
{
    std::set<char> keys;
    size_t at = text.find("move-arrows");
    if (at != std::string::npos) {
        keys.insert({kRight, kLeft, kErase});
        text.erase(at, 11);
    }
    if (text.find("up/down arrows") != std::string::npos)
        keys.insert({kUp, kDown});
    std::set<char> words = menu_keys(text);
    keys.insert(words.begin(), words.end());
    return keys;
}

struct network_kind {
    int dim;
    bool mix, local_wiring, after_first_run, tot;
};

class EditorKeys : public ::testing::Test {
protected:
    void TearDown() override
    {
        give_shape(1);
        nonlocal = 0;
        secondpart = 0;
        tot_only = 0;
    }
};

TEST_F(EditorKeys, EachPieceNamesTheKeysThatActAndNoOthers)
{
    srandom(1);
    MixNetwork net(2, 24, {3});
    std::set<char> named_somewhere;
    for (int dim = 1; dim <= 3; dim++)
        for (int flags = 0; flags < 64; flags++) {
            give_shape(dim);
            rulemix = flags & 1;
            nonlocal = (flags >> 1) & 1;
            secondpart = (flags >> 2) & 1;
            tot_only = (flags >> 3) & 1;
            editor_1d_state s;
            s.rules_set = (flags >> 4) & 1;
            s.block = (flags >> 5) & 1;
            s.low = s.block ? 10 : 0;
            s.high = s.block ? 12 : 0;
            s.cursor = 5;
            std::set<char> listed = check_pieces_against_keys(
                editor_1d_help(s), named_keys, [&s](int key) { return editor_1d_takes(s, key); },
                " dim " + std::to_string(dim) + " flags " + std::to_string(flags));
            named_somewhere.insert(listed.begin(), listed.end());
        }
    EXPECT_EQ(named_somewhere, key_set(editor_1d_keys()));
}

// Delete only on a 1d network of per-cell rules before its first run.
TEST_F(EditorKeys, DeleteIsRefusedIn2dAfterTheFirstRunAndWithOneRule)
{
    srandom(2);
    MixNetwork net(2, 24, {3});
    editor_1d_state s;
    s.rules_set = 1;
    nonlocal = 1;
    rulemix = 1;
    EXPECT_TRUE(editor_1d_takes(s, 'd'));
    EXPECT_TRUE(editor_1d_takes(s, 'K'));
    give_shape(2);
    EXPECT_FALSE(editor_1d_takes(s, 'd'));
    EXPECT_TRUE(editor_1d_takes(s, 'K'));
    give_shape(1);
    secondpart = 1;
    EXPECT_FALSE(editor_1d_takes(s, 'd'));
    secondpart = 0;
    rulemix = 0;
    EXPECT_FALSE(editor_1d_takes(s, 'd'));
    EXPECT_FALSE(editor_1d_takes(s, 'K'));
    rulemix = 1; // the network's destructor frees the per-cell tables
}

TEST_F(EditorKeys, ThePromptOfA1dNetworkWithOneRuleReadsAsItShould)
{
    srandom(3);
    MixNetwork net(2, 20, {3}, false);
    nonlocal = 1;
    std::vector<std::string> lines = editor_1d_prompt_lines(0, 0, 9, 2, 1, 0);
    std::vector<std::string> expected = {
        "1d (n=20) wiring/rules: move-arrows, jump-j",
        "one cell: right/left arrows, 2 cells: up/down arrows",
        "block-b tog:all-g pseudo-p, in/out-i/o learn-l",
        "rewire 1d cell 9: untange-u hand-h rand-r/R special-s local:1d-1",
        "rule: Save/rev/trans-S/v/t, Derrida-D",
        "file/data-f hist:In(k)/Out/Both-I/O/B, reset-q cont-ret:",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(EditorKeys, ThePromptOfA2dBlockWithPerCellRulesReadsAsItShould)
{
    srandom(4);
    MixNetwork net(2, 24, {3});
    give_shape(2);
    nonlocal = 1;
    std::vector<std::string> lines = editor_1d_prompt_lines(3, 7, 9, 2, 1, 1);
    EXPECT_EQ(lines[0], "2d (6x4) wiring/rules: move-arrows, jump-j");
    EXPECT_EQ(lines[2], "block-b tog:block-g pseudo-p, in/out-i/o avZ-z learn-l");
    EXPECT_EQ(lines[3], "rewire 1d block 3-7: hand-h rand-r/R special-s local:1d-1 2d-2");
    EXPECT_EQ(lines[4], "change k=3(max 3)-k, kill-K, rule: Save/rev/trans-S/v/t, Derrida-D");
}

TEST_F(EditorKeys, WithoutRulesOnlyTheWiringIsOffered)
{
    srandom(5);
    MixNetwork net(2, 20, {3});
    nonlocal = 1;
    std::vector<std::string> lines = editor_1d_prompt_lines(0, 0, 4, 2, 0, 0);
    EXPECT_EQ(lines[0], "1d (n=20) wiring only: move-arrows, jump-j");
    EXPECT_EQ(lines[2], "block-b tog:all-g pseudo-p, in/out-i/o");
    EXPECT_EQ(lines[4], "change k=3(max 3)-k, ");
    editor_1d_state s;
    for (char key : std::string("SvtDzlK"))
        EXPECT_FALSE(editor_1d_takes(s, key)) << key;
}

} // namespace
