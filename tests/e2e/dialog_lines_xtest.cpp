// Long dialog lines kept inside their boxes through the real program: the
// rule menu in the revise box the pause box's 'v' opens at the bottom right,
// and the keys' line of a random rule there, on both screens, and the basin
// display's highlight question in the prompt box on a 1024 x 768 screen.
// Lines too long for a box take a smaller font.
#include "e2e/e2e_fixture.h"

namespace {

class DialogLines : public ZemraTest {
protected:
    // Pixels other than the background over rows y0..y1 in the two columns
    // inside the frame at the window's right edge (Maxx - 2) and the column
    // right of it: text running past the box crosses them.
    int marked_at_the_right_edge(int y0, int y1)
    {
        int w = zemra->width();
        return zemra->marked_pixels(w - 5, y0, 2, y1 - y0) + zemra->marked_pixels(w - 2, y0, 1, y1 - y0);
    }

    // The running pattern's pause box, then 'v' and the default kind of
    // rule: the rule menu in the revise box at the bottom right, whose top
    // is at 343 of the window's 480 scaled rows. Checks that the menu keeps
    // inside the box, and that its lines are drawn.
    void rule_menu_keeps_inside(int width)
    {
        launch();
        ASSERT_EQ(zemra->width(), width) << "not the screen the test is for";
        road_to_forward_pattern();
        ASSERT_TRUE(wait_for_pattern()) << "no space-time pattern";
        zemra->type_now("q");          // the running pattern: pause box
        answer({"v\r", "\r"});         // change the rule: the rule kind's default
        ASSERT_TRUE(zemra->wait_ready_for_key()) << "no rule menu";
        int h = zemra->height();
        int top = static_cast<int>(343.0f * static_cast<float>(h) / 480.0f);
        int bottom = h - 1 - static_cast<int>(static_cast<float>(h) / 480.0f * 16.0f);
        int rows = top + (bottom - top) / 3;
        EXPECT_GT(zemra->marked_pixels(zemra->width() * 6 / 10, top + 3, zemra->width() / 5, rows - top), 50)
            << "no menu lines in the revise box";
        EXPECT_EQ(marked_at_the_right_edge(top + 3, bottom - 3), 0) << "the rule menu runs past its box";
        answer({"r\r"});              // a random rule: its keys' line below the menu
        ASSERT_TRUE(zemra->wait_ready_for_key()) << "no random rule";
        EXPECT_EQ(marked_at_the_right_edge(top + 3, bottom - 3), 0) << "the random rule's keys run past the box";
        EXPECT_EQ(zemra->quit_by_steps(), 0);
    }
};

TEST_F(DialogLines, PauseBoxRuleMenuKeepsInsideItsBox)
{
    rule_menu_keeps_inside(1024);
}

TEST_F(DialogLines, SmallScreenPauseBoxRuleMenuKeepsInsideItsBox)
{
    rule_menu_keeps_inside(925);
}

// Output settings, revise from the display settings: past compression,
// copies of trees and node display to the highlight question.
TEST_F(DialogLines, SmallScreenHighlightQuestionKeepsInsideThePromptBox)
{
    launch();
    ASSERT_EQ(zemra->width(), 925) << "not the screen the test is for";
    answer({"r\r", "123\r", "s\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r",
            "\r", "\r", "\r", "\r", "\r", "\r"});
    answer({"p\r", "\r", "\r", "\r"});
    ASSERT_TRUE(zemra->wait_ready_for_key()) << "no highlight question";
    int bottom = zemra->prompt_box_bottom();
    ASSERT_GT(bottom, 10) << "no prompt box";
    EXPECT_GT(zemra->marked_pixels(zemra->width() / 2 + 4, 4, zemra->width() / 4, bottom - 6), 50)
        << "no question in the prompt box";
    EXPECT_EQ(marked_at_the_right_edge(3, bottom - 1), 0) << "the highlight question runs past its box";
    EXPECT_EQ(zemra->quit_by_steps(), 0);
}

} // namespace
