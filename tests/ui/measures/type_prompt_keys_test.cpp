// The type histograms' one-key prompts against their key tables: every
// piece of a prompt names exactly the keys of the rows it stands for, and a
// key acts through a row of its own exactly when the prompt names it (every
// other key takes the prompt's default), so what is shown and what is done
// are the same set; the prompts read as the program's texts.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "support/help_keys.h"
#include "ui/measures/type_histograms.h"

namespace {

const type_prompt kPrompts[] = {type_prompt::attractor_pause, type_prompt::skeleton_pause,
                                type_prompt::attractor_sort,  type_prompt::skeleton_sort,
                                type_prompt::table_page,      type_prompt::table_end};

std::string
text_of(type_prompt p)
{
    return help_text(type_prompt_menu(p));
}

TEST(TypePromptKeys, AKeyActsOfItsOwnExactlyWhenThePromptNamesIt)
{
    for (type_prompt p : kPrompts) {
        std::set<char> listed = check_pieces_against_keys(
            type_prompt_menu(p), menu_keys, [p](char key) { return type_prompt_acts_on(p, key); },
            "prompt " + std::to_string(static_cast<int>(p)));
        EXPECT_FALSE(listed.empty());
    }
}

TEST(TypePromptKeys, ThePromptsReadAsTheProgramsTexts)
{
    EXPECT_EQ(text_of(type_prompt::attractor_pause),
              "attractors: meta-m data-d sort-s clear-c redraw/options-o cont-ret:");
    EXPECT_EQ(text_of(type_prompt::skeleton_pause),
              "skeletons: data-d sort-s clear-c redraw/options-o cont-ret:");
    EXPECT_EQ(text_of(type_prompt::attractor_sort), "sort by: attperiod-a avtrans-t (def freq):");
    EXPECT_EQ(text_of(type_prompt::skeleton_sort), "sort by: frozen-0-1-b  avtrans-t (def freq):");
    EXPECT_EQ(text_of(type_prompt::table_page), "more-ret quit-q jump-j:");
    EXPECT_EQ(text_of(type_prompt::table_end), "cont-ret jump-j:");
}

} // namespace
