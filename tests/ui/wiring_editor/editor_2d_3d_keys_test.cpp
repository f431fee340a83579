// The 2d and 3d editor's prompt against its keys: in every kind of network
// and state, each piece of the prompt names (as a user reads it) exactly
// the keys of the rows it stands for, a key acts exactly when the prompt
// names it, and over all states the prompt names every key of the table.
// The prompt's texts are checked whole in a few states.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/backward/globals.h"
#include "engine/wiring/globals.h"
#include "engine/wiring_editor/editor_network_support.h"
#include "editor_keys_support.h"
#include "ui/screen/globals.h"
#include "ui/wiring_editor/editor_2d_3d.h"

namespace {

// The keys a piece names: its "word-key" words, and "move-arrows" for the
// four arrows.
std::set<char>
named_keys(std::string text)
{
    std::set<char> keys;
    size_t at = text.find("move-arrows");
    if (at != std::string::npos) {
        keys.insert({static_cast<char>(kKeyLeft), static_cast<char>(kKeyRight),
                     static_cast<char>(kKeyUp), static_cast<char>(kKeyDown)});
        text.erase(at, 11);
    }
    std::set<char> words = menu_keys(text);
    keys.insert(words.begin(), words.end());
    return keys;
}

class LatticeEditorKeys : public ::testing::Test {
protected:
    void TearDown() override
    {
        give_shape(1);
        tot_only = 0;
        hex2d = 0;
    }
};

TEST_F(LatticeEditorKeys, EachPieceNamesTheKeysThatActAndNoOthers)
{
    srandom(1);
    MixNetwork net(2, 24, {3});
    std::set<char> named_somewhere;
    for (int dim = 1; dim <= 3; dim++)
        for (int flags = 0; flags < 16; flags++) {
            give_shape(dim);
            rulemix = flags & 1;
            tot_only = (flags >> 1) & 1;
            editor_2d_3d_state s;
            s.rules_set = (flags >> 2) & 1;
            s.block = (flags >> 3) & 1;
            s.low = s.block ? 10 : 0;
            s.high = s.block ? 12 : 0;
            s.cursor = 5;
            std::set<char> listed = check_pieces_against_keys(
                editor_2d_3d_help(s), named_keys, [&s](int key) { return editor_2d_3d_takes(s, key); },
                " dim " + std::to_string(dim) + " flags " + std::to_string(flags));
            named_somewhere.insert(listed.begin(), listed.end());
        }
    rulemix = 1; // the network's destructor frees the per-cell tables
    EXPECT_EQ(named_somewhere, key_set(editor_2d_3d_keys()));
}

TEST_F(LatticeEditorKeys, ThePromptOfAHexagonalLatticeReadsAsItShould)
{
    srandom(2);
    MixNetwork net(2, 24, {3});
    give_shape(2);
    hex2d = 1;
    editor_2d_3d_state s;
    s.rules_set = 1;
    s.cursor = 9;
    std::vector<std::string> expected = {
        "2d (6x4 hex) wiring/rules: move-arrows jump-j",
        "exp/contr-e/c up/down/start-u/d/T, CA wiring and toghex-x",
        "block-b tog:links-n pseudo-p index-i, avZ-z learn-l",
        "rewire 2d cell 3,1: hand-h rand-r/R special-s local:1d-1 2d-2",
        "change k=3(max 3)-k, kill-K, rule: Save/rev/trans-S/v/t, Derrida-D",
        "file/data -f, hist:In(k)/Out/Both-I/O/B, reset-q cont-ret:",
    };
    EXPECT_EQ(editor_2d_3d_prompt_lines(s), expected);
}

TEST_F(LatticeEditorKeys, ThePromptOfA3dBlockWithOneRuleReadsAsItShould)
{
    srandom(3);
    MixNetwork net(2, 24, {3}, false);
    give_shape(3);
    editor_2d_3d_state s;
    s.rules_set = 1;
    s.block = 1;
    std::vector<std::string> lines = editor_2d_3d_prompt_lines(s);
    EXPECT_EQ(lines[0], "3d (2x3x4) wiring/rules: move-arrows, levels up/down-[/], jump-j");
    EXPECT_EQ(lines[1], "exp/contr-e/c/E/C up/down/start-u/d/T");
    EXPECT_EQ(lines[2], "block-b tog:block-g links-n pseudo-p index-i, learn-l");
    EXPECT_EQ(lines[3].substr(0, 16), "rewire 3d block ");
    EXPECT_EQ(lines[4], "rule: Save/rev/trans-S/v/t, Derrida-D");
    // One rule for every cell: neither k nor a kill.
    EXPECT_FALSE(editor_2d_3d_takes(s, 'k'));
    EXPECT_FALSE(editor_2d_3d_takes(s, 'K'));
    EXPECT_TRUE(editor_2d_3d_takes(s, '['));
}

// Only the wiring: no rule keys, and k changes.
TEST_F(LatticeEditorKeys, WithoutRulesOnlyTheWiringIsOffered)
{
    srandom(4);
    MixNetwork net(2, 24, {3});
    give_shape(2);
    editor_2d_3d_state s;
    std::vector<std::string> lines = editor_2d_3d_prompt_lines(s);
    EXPECT_EQ(lines[0], "2d (6x4) wiring only: move-arrows jump-j");
    EXPECT_EQ(lines[2], "block-b tog:links-n pseudo-p index-i, ");
    EXPECT_EQ(lines[4], "change k=3(max 3)-k, ");
    for (char key : std::string("SvtDzlK[]EC"))
        EXPECT_FALSE(editor_2d_3d_takes(s, key)) << key;
    EXPECT_TRUE(editor_2d_3d_takes(s, 'k'));
    EXPECT_TRUE(editor_2d_3d_takes(s, 'x'));
}

} // namespace
