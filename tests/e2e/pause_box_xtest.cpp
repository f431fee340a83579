// The pause and options box of a running pattern through the real program:
// the rule listed from the transformation dialog, complemented there and
// listed again, then the run goes on and is left to a clean exit.
#include "e2e/e2e_fixture.h"

#include <regex>
#include <vector>
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

// What a paused run does not draw again: the colour key's box against the
// right edge, above the key panel, and the band where a rule box's two lines
// stand, right of the side plot's frame, left of the key panel, above the
// title strip at the bottom (empty while the pattern runs).
struct undrawn_places {
    ZemraProcess &zemra;
    unsigned long background = zemra.pixel(500, 500);
    int w = zemra.width(), h = zemra.height();

    bool key_shown()
    {
        return zemra.pixel(w - 20, 30) != background || zemra.pixel(w - 60, 30) != background;
    }
    unsigned long long key() { return zemra.region_digest(w - 160, 3, 157, 58); }
    int rule_box_marks()
    {
        int marks = 0;
        for (int y = h - 67; y < h - 26; y++)
            for (int x = 240; x < w - 220; x += 2)
                marks += zemra.pixel(x, y) != background;
        return marks;
    }
};

// A transformation from the pause box draws its prompts over the colour key
// at the top right and the rule box at the bottom, which the paused run
// does not draw again: when the run goes on, the colour key is there as it
// was and nothing of the rule box is left between the side plot and the
// key panel.
TEST_F(PauseBoxRoad, TransformingInThePauseBoxKeepsTheColourKeyAndLeavesNoRuleBox)
{
    launch();
    road_to_forward_pattern();
    undrawn_places places{*zemra};
    ASSERT_TRUE(wait_until([&] { return places.key_shown(); })) << "no colour key";
    // The run clears the set-up's rule box as it starts; under load the
    // first look can come before that.
    ASSERT_TRUE(wait_until([&] { return places.rule_box_marks() == 0; })) << "the run left the rule box";
    unsigned long long key = places.key();
    zemra->type_now("q");            // the running pattern: pause box
    answer({"t\r", "c\r", "\r"});    // transform: complement the rule, out
    answer({"\r"});                  // the run goes on
    EXPECT_TRUE(wait_until([&] { return places.key() == key; }))
        << "the colour key was not put back";
    EXPECT_EQ(places.rule_box_marks(), 0) << "the rule box is left at the bottom";
    zemra->type_now("q");            // pause box
    EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
}

class PauseBoxDialogs : public ZemraWorkTest {
protected:
    PauseBoxDialogs() : ZemraWorkTest("zemra-e2e-pause-box") {}

    // The pause box's dialogs one after the other, each opened from the
    // running pattern and left with the box: every prompt erased over the
    // colour key, the canalyzing prompt of the whole net that was left over
    // it, the network review's rule box at the bottom. When the run goes on
    // after each, the colour key is as it was and no rule box is left.
    // width: the window's on the test's screen.
    void dialogs_keep_the_screen(int width)
    {
        launch();
        ASSERT_EQ(zemra->width(), width) << "not the screen the test is for";
        road_to_forward_pattern();
        undrawn_places places{*zemra};
        ASSERT_TRUE(wait_until([&] { return places.key_shown(); })) << "no colour key";
        // The run clears the set-up's rule box as it starts; under load the
        // first look can come before that.
        ASSERT_TRUE(wait_until([&] { return places.rule_box_marks() == 0; })) << "the run left the rule box";
        unsigned long long key = places.key();
        struct dialog {
            const char *what;
            std::vector<std::string> answers;  // from the box's key to the run going on
        };
        const dialog dialogs[] = {
            {"skip", {"X\r", "2\r", "\r"}},
            {"fixed border", {"B\r", "1\r", "1\r", "\r"}},
            {"canalyzing whole net", {"C\r", "N\r", "2\r", "x\r"}},
            {"network review", {"n\r", "q\r"}},
            {"state saved", {"S\r", "c\r", "\r", "\r", "\r"}},
        };
        for (const dialog &d : dialogs) {
            zemra->type_now("q");    // the running pattern: pause box
            for (const std::string &a : d.answers)
                zemra->type(a);
            ASSERT_TRUE(wait_until([&] { return places.key() == key; }))
                << "the colour key was not put back after the " << d.what << " dialog";
            ASSERT_EQ(places.rule_box_marks(), 0) << "a rule box is left after the " << d.what << " dialog";
        }
        zemra->type_now("q");        // pause box
        EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
    }
};

TEST_F(PauseBoxDialogs, DialogsOfThePauseBoxKeepTheColourKeyAndLeaveNoRuleBox)
{
    dialogs_keep_the_screen(1024);
}

// On a 1024 x 768 screen (a window 925 x 694).
using PauseBoxDialogsSmallScreen = PauseBoxDialogs;

TEST_F(PauseBoxDialogsSmallScreen, SmallScreenDialogsOfThePauseBoxKeepTheColourKey)
{
    dialogs_keep_the_screen(925);
}

} // namespace

namespace {

// A totalistic forward-only run has kcodes, no rule table: the pause box's
// canalyzing key leaves the run as it was (it read a missing table) and the
// run goes on to a clean exit.
TEST_F(PauseBoxRoad, CanalyzingKeyLeavesATotalisticCodeRunAlone)
{
    launch();
    answer({"r\r", "123\r", "t\r"});  // the fixed seed; totalistic forward only
    for (int i = 0; i < 15; i++)
        answer({"\r"});               // every set-up question at its default
    answer({"d\r"});                  // forward-only options: the defaults
    // The 150-cell ring's pattern, a page of rows in the middle of the
    // window: a column of it inked from the top to the page's foot.
    unsigned long background = zemra->pixel(900, 500);
    ASSERT_TRUE(wait_until([&] {
        for (int x = 300; x < 700; x += 2)
            if (zemra->pixel(x, 3) != background && zemra->pixel(x, 350) != background &&
                zemra->pixel(x, 650) != background)
                return true;
        return false;
    })) << "no space-time pattern";
    zemra->type_now("q");             // the running pattern: pause box
    answer({"C\r"});                  // canalyzing: nothing to change, the box closes
    zemra->type_now("q");             // pause box again
    EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
}

} // namespace
