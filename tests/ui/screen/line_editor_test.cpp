// The rules of a text entry, fed key codes one by one.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"

namespace {

struct Entry {
    char line[kInputLineSize];
    int len = 0;
    entry_step last = entry_step::ignored;
    Entry() { memset(line, 'x', sizeof line); }
    // Feeds keys until one finishes the entry; returns how many were used.
    size_t feed(const std::vector<int> &keys, int max, int mode)
    {
        for (size_t i = 0; i < keys.size(); i++) {
            last = edit_entry(line, len, keys[i], max, mode);
            if (last == entry_step::finished)
                return i + 1;
        }
        return keys.size();
    }
};

TEST(LineEditor, QAfterTextErasesSoOneQTwoLeavesTwo)
{
    Entry e;
    e.feed({'1', 'q', '2', 13}, 5, numeric_entry);
    EXPECT_EQ(e.last, entry_step::finished);
    EXPECT_EQ(e.len, 1);
    EXPECT_EQ(e.line[0], '2');
    EXPECT_EQ(e.line[1], 13);
}

TEST(LineEditor, ReturnOnAnEmptyEntryStores13)
{
    Entry e;
    EXPECT_EQ(e.feed({13}, 5, text_entry), 1u);
    EXPECT_EQ(e.len, 0);
    EXPECT_EQ(e.line[0], 13);
}

TEST(LineEditor, QFirstEndsAtOnceInEveryMode)
{
    for (int mode : {numeric_entry, text_entry, arrow_entry, single_key_entry, 2}) {
        Entry e;
        EXPECT_EQ(e.feed({'q', '1'}, 5, mode), 1u) << "mode " << mode;
        EXPECT_EQ(e.line[0], 'q');
        EXPECT_EQ(e.len, 0);
    }
}

TEST(LineEditor, NumericEntryRefusesLettersAndBlanks)
{
    Entry e;
    e.feed({'a', '1', ' ', '.', '-', 'Z', '5', 13}, 10, numeric_entry);
    EXPECT_EQ(std::string(e.line, e.len), "1.-5");
}

TEST(LineEditor, TextEntryTakesItsPunctuationOnly)
{
    Entry e;
    e.feed({'a', 'B', '9', '.', '-', '+', '_', '?', '^', ' ', '/', '*', ',', 13}, 20, text_entry);
    EXPECT_EQ(std::string(e.line, e.len), "aB9.-+_?^");
}

TEST(LineEditor, EntryStopsAtItsMaximum)
{
    Entry e;
    e.feed({'1', '2', '3', '4', 13}, 2, numeric_entry);
    EXPECT_EQ(std::string(e.line, e.len), "12");
    EXPECT_EQ(e.line[2], 13);
}

TEST(LineEditor, HotKeysAreNeverStored)
{
    for (int key : {int('@'), int('>'), int('<')}) {
        Entry e;
        e.feed({'1'}, 5, text_entry);
        EXPECT_EQ(edit_entry(e.line, e.len, key, 5, text_entry), entry_step::hot_key);
        EXPECT_EQ(e.len, 1);
        e.feed({'2', 13}, 5, text_entry);
        EXPECT_EQ(std::string(e.line, e.len), "12");
    }
}

TEST(LineEditor, EraseOnAnEmptyEntryDoesNothing)
{
    Entry e;
    EXPECT_EQ(edit_entry(e.line, e.len, 8, 5, text_entry), entry_step::ignored);
    EXPECT_EQ(e.len, 0);
}

TEST(LineEditor, ArrowEntryEndsAtOnceOnArrowsEraseAndBrackets)
{
    for (int key : {-75, -72, -77, -80, 8, int('['), int(']')}) {
        Entry e;
        EXPECT_EQ(e.feed({key}, 5, arrow_entry), 1u);
        EXPECT_EQ(e.line[0], static_cast<char>(key));
    }
}

TEST(LineEditor, ArrowAfterDigitsKeepsTheTextAndTheArrowAt20)
{
    Entry e;
    e.feed({'1', '2', -77}, 5, arrow_entry);
    EXPECT_EQ(e.last, entry_step::finished);
    EXPECT_EQ(e.len, 2);
    EXPECT_EQ(e.line[0], '1');
    EXPECT_EQ(e.line[1], '2');
    EXPECT_EQ(e.line[2], 13);
    EXPECT_EQ(e.line[20], static_cast<char>(-77));
}

TEST(LineEditor, ArrowAfterLongTextDoesNotOverwriteIt)
{
    Entry e;
    std::vector<int> keys(25, 'a');
    keys.push_back(-80);
    e.feed(keys, 30, arrow_entry);
    EXPECT_EQ(e.len, 25);
    EXPECT_EQ(e.line[20], 'a');
    EXPECT_EQ(e.line[25], 13);
}

TEST(LineEditor, SingleKeyEntryEndsOnAnyKeyWithText)
{
    Entry f;
    EXPECT_EQ(f.feed({'x'}, 1, single_key_entry), 1u);
    EXPECT_EQ(f.line[0], 'x');
}

// Shift pressed alone before a capital gives no text: the capital that
// follows is the key the entry takes.
TEST(LineEditor, SingleKeyEntryWaitsPastAKeyWithoutText)
{
    Entry e;
    EXPECT_EQ(e.feed({0, 'Q'}, 1, single_key_entry), 2u);
    EXPECT_EQ(e.last, entry_step::finished);
    EXPECT_EQ(e.line[0], 'Q');
}

TEST(LineEditor, KeysWithoutTextAreRefusedInTextEntry)
{
    Entry e;
    e.feed({0, 17, '7', 13}, 5, text_entry);
    EXPECT_EQ(std::string(e.line, e.len), "7");
}

TEST(LineEditor, ALineOf1024CharactersStopsTheEntry)
{
    Entry e;
    std::vector<int> keys(kInputLineSize + 5, 'a');
    e.feed(keys, 5000, text_entry);
    EXPECT_EQ(e.len, kInputLineSize);
}

TEST(EntryText, StopsAtReturnAndIgnoresWhatLiesBehind)
{
    char buffer[kInputLineSize];
    memset(buffer, 'z', sizeof buffer);
    memcpy(buffer, "abc\r", 4);
    char *saved = is;
    is = buffer;
    EXPECT_EQ(entry_text(), "abc");
    memset(buffer, 'y', sizeof buffer);  // no Return anywhere
    EXPECT_EQ(entry_text().size(), static_cast<size_t>(kInputLineSize));
    is = saved;
}

} // namespace
