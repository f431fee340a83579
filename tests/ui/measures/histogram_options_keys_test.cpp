// The histogram options prompt against its key table: in each mode, of the
// damage histogram and of a type histogram, every piece of the prompt names
// exactly the keys of the rows it stands for and a key acts exactly when a
// piece names it, every key of the table is named in some form, and the
// lines are the prompt's texts.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "support/help_keys.h"
#include "ui/measures/damage_plot.h"

namespace {

TEST(HistogramOptionsKeys, EveryPieceNamesTheKeysOfItsRows)
{
    std::set<char> named;
    for (char mode : {'n', 'b'}) {
        for (bool damage : {true, false}) {
            std::set<char> listed = check_pieces_against_keys(
                histogram_options_menu(mode, damage), menu_keys,
                [mode, damage](char key) { return histogram_option_acts(mode, damage, key); },
                std::string(1, mode) + (damage ? " damage" : ""));
            named.insert(listed.begin(), listed.end());
        }
    }
    EXPECT_EQ(named, key_set(histogram_options_keys()));
}

TEST(HistogramOptionsKeys, TheLinesAreThePromptsTexts)
{
    EXPECT_EQ(help_lines(histogram_options_menu('b', true)),
              (std::vector<std::string>{
                  "undo pause-u save/load-s/l next-ret, damage: delay-d same-m:"}));
    EXPECT_EQ(help_lines(histogram_options_menu('n', true)),
              (std::vector<std::string>{"undo pause-u save/load-s/l next-ret, damage: delay-d same-m",
                                        "redraw-r x-axis-x logx-X logy-y log-both-b:"}));
    EXPECT_EQ(help_lines(histogram_options_menu('n', false)),
              (std::vector<std::string>{"undo pause-u save/load-s/l next-ret",
                                        "redraw-r x-axis-x logx-X logy-y log-both-b:"}));
}

} // namespace
