// The pause and options box of a running pattern through the real program:
// the rule listed from the transformation dialog, complemented there and
// listed again, then the run goes on and is left to a clean exit.
#include "e2e/e2e_fixture.h"

#include <regex>
#include <string>

namespace {

using PauseBoxRoad = ZemraTest;

// The rule tables listed on standard error: a newline, then 8 digits.
std::vector<std::string>
listed_rules(const std::string &err)
{
    std::vector<std::string> rules;
    std::regex listing("\n([01]{8})(?=\n|$)");
    for (auto it = std::sregex_iterator(err.begin(), err.end(), listing); it != std::sregex_iterator(); ++it)
        rules.push_back((*it)[1]);
    return rules;
}

TEST_F(PauseBoxRoad, TransformFromThePauseBoxComplementsTheRule)
{
    launch();
    road_to_forward_pattern();
    zemra->type_now("q");            // the running pattern: pause box
    answer({"t\r", "x\r"});          // transform: list the rule
    std::vector<std::string> rules;
    ASSERT_TRUE(wait_until([&] { return listed_rules(zemra->stderr_text()).size() >= 1; }))
        << zemra->stderr_text();
    answer({"t\r", "c\r", "x\r"});   // complement it, list it again
    ASSERT_TRUE(wait_until([&] {
        rules = listed_rules(zemra->stderr_text());
        return rules.size() >= 2;
    })) << zemra->stderr_text();
    std::string complement = rules[0];
    for (char &c : complement)
        c = c == '0' ? '1' : '0';
    EXPECT_EQ(rules[1], complement);
    answer({"\r"});                  // the run goes on with the new rule
    zemra->type_now("q");            // pause box again
    EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
}

} // namespace

namespace {

// The default run's lookup histogram, a bar for each of the 8 neighbourhoods
// of k = 3 below the side plot's top, grows to 32 bars when the pause box's
// transformation raises k to 5: the run's lookup counts follow k (sized for
// k = 3 they would take the step's counts of 32 indexes past their end).
TEST_F(PauseBoxRoad, RaisingKInThePauseBoxWidensTheLookupHistogram)
{
    launch();
    road_to_forward_pattern();
    unsigned long background = zemra->pixel(500, 500);
    ASSERT_TRUE(wait_for_pattern()) << "no space-time pattern";
    // Pixels of bars in the band below the 8 bars of k = 3.
    auto lower_bars = [&] {
        int marks = 0;
        for (int y = 160; y < 280; y += 2)
            for (int x = 240; x < 340; x += 2)
                marks += zemra->pixel(x, y) != background;
        return marks;
    };
    ASSERT_TRUE(wait_until([&] { return zemra->pixel(262, 100) != background ||
                                        zemra->pixel(262, 110) != background; }))
        << "no lookup histogram";
    // The band is looked at until it is seen empty: while the run draws, a
    // pixel of the pattern's own drawing can pass through it for a moment.
    EXPECT_TRUE(wait_until([&] { return lower_bars() == 0; })) << "bars of k = 3 reach below the eighth";
    zemra->type_now("q");            // the running pattern: pause box
    answer({"t\r", "5\r", "\r"});    // transform: k 3 raised to 5 (an equivalent rule), out
    answer({"\r"});                  // the run goes on
    EXPECT_TRUE(wait_until([&] { return lower_bars() > 0; })) << "the histogram kept 8 bars";
    zemra->type_now("q");            // pause box
    EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
}

} // namespace

namespace {

// A transformation from the pause box draws its prompts over the colour key
// at the top right and the rule box at the bottom, which the paused run
// does not draw again: when the run goes on, the colour key is there as it
// was and nothing of the rule box is left between the side plot and the
// key panel.
TEST_F(PauseBoxRoad, TransformingInThePauseBoxKeepsTheColourKeyAndLeavesNoRuleBox)
{
    launch();
    road_to_forward_pattern();
    unsigned long background = zemra->pixel(500, 500);
    const int w = zemra->width(), h = zemra->height();
    // The colour key's box against the right edge, above the key panel.
    const int key_x = w - 160, key_y = 3, key_w = 157, key_h = 58;
    // The band of the rule box's two lines, right of the side plot's frame,
    // left of the key panel, above the title strip at the bottom.
    auto rule_box_marks = [&] {
        int marks = 0;
        for (int y = h - 67; y < h - 26; y++)
            for (int x = 240; x < 760; x += 2)
                marks += zemra->pixel(x, y) != background;
        return marks;
    };
    ASSERT_TRUE(wait_until([&] { return zemra->pixel(w - 20, 30) != background ||
                                        zemra->pixel(w - 60, 30) != background; }))
        << "no colour key";
    unsigned long long key = zemra->region_digest(key_x, key_y, key_w, key_h);
    ASSERT_EQ(rule_box_marks(), 0);
    zemra->type_now("q");            // the running pattern: pause box
    answer({"t\r", "c\r", "\r"});    // transform: complement the rule, out
    answer({"\r"});                  // the run goes on
    EXPECT_TRUE(wait_until([&] { return zemra->region_digest(key_x, key_y, key_w, key_h) == key; }))
        << "the colour key was not put back";
    EXPECT_EQ(rule_box_marks(), 0) << "the rule box is left at the bottom";
    zemra->type_now("q");            // pause box
    EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
}

} // namespace
