// Test mode's question is made from its key table: the prompt is the rows'
// help, and every key named there ("-a", "-g", "-s") is a key the table acts on.
#include <gtest/gtest.h>

#include <string>

#include "ui/measures/rule_sampling.h"

namespace {

TEST(TestModeKeys, ThePromptAndTheKeysComeFromTheSameRows)
{
    EXPECT_EQ(test_mode_prompt(), "automatic-a, next rule: glider-g same-s random-def:");
    std::string keys = test_mode_keys();
    std::string prompt = test_mode_prompt();
    std::string named;
    for (size_t at = prompt.find('-'); at != std::string::npos; at = prompt.find('-', at + 1))
        if (at + 1 < prompt.size() && prompt.compare(at + 1, 3, "def") != 0)
            named += prompt[at + 1];
    EXPECT_EQ(named, keys);
    EXPECT_EQ(test_mode_help().size(), 4u);
}

} // namespace
