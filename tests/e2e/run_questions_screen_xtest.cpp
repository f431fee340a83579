// The screen of the run questions: the output settings' four-line prompt
// box stands above the text column's first line, which runs on under the
// box, on either screen, and leaves nothing below the box that follows it;
// and after the settings menus were accepted with 'd' the LAYOUT questions'
// prompt box is gone from the top right, where nothing is asked while the
// forward-only questions go down the text column.
#include "e2e/e2e_fixture.h"

#include <algorithm>

namespace {

using RunQuestionsScreen = ZemraTest;

TEST_F(RunQuestionsScreen, NoLayoutPromptBesideTheForwardOnlyQuestions)
{
    launch();
    answer({"r\r", "123\r", "s\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r",
            "\r", "\r", "\r", "\r", "\r", "\r",
            "s\r",   // output settings: space-time pattern only
            "d\r"}); // layout: the defaults of every settings menu
    ASSERT_TRUE(zemra->wait_ready_for_key()) << "no forward-only question";
    // The prompt box's place: from the middle to the right edge, over the
    // rows of a box of three lines.
    int w = zemra->width();
    int marked = zemra->marked_pixels(w / 2, 0, w / 2, 60);
    ASSERT_GE(marked, 0) << "the window could not be read";
    EXPECT_EQ(marked, 0) << "a prompt box left at the top right";
}

// From the first screen to the output settings' first question, a box of
// four lines, with the set-up's lines in the text column below it. The
// column's first line begins left of the status box in the middle and runs
// on under the prompt box: its glyphs' first row, seen left of the status
// box, is below the box's last row. After Return the box of the next
// question, two lines, takes its place, and nothing is left between that
// box and the column.
class OutputSettingsBox : public ZemraTest {
protected:
    void stands_above_the_column(int width)
    {
        launch();
        ASSERT_EQ(zemra->width(), width) << "not the screen the test is for";
        answer({"r\r", "123\r", "s\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r",
                "\r", "\r", "\r", "\r", "\r", "\r"});
        ASSERT_TRUE(zemra->wait_ready_for_key()) << "no output settings";
        int line_top = -1;
        for (int y = 3; y < 200 && line_top < 0; y++)
            if (zemra->marked_pixels(10, y, width / 3 - 14, 1) > 0)
                line_top = y;
        ASSERT_GT(line_top, 0) << "no text column";
        int box_bottom = zemra->prompt_box_bottom();
        ASSERT_GT(box_bottom, 0) << "no prompt box";
        EXPECT_LT(box_bottom, line_top) << "the box reaches over the column's first line";
        zemra->type("\r");           // revise from the start: the next question
        ASSERT_TRUE(zemra->wait_ready_for_key()) << "no second question";
        int next_bottom = zemra->prompt_box_bottom();
        ASSERT_GT(next_bottom, 0) << "no prompt box";
        ASSERT_LT(next_bottom, box_bottom) << "not a shorter box";
        EXPECT_EQ(zemra->marked_pixels(width / 2, next_bottom + 1, width / 2 - 2,
                                       std::min(line_top, box_bottom + 1) - next_bottom - 1),
                  0)
            << "the taller box left rows below the next one";
        EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
    }
};

TEST_F(OutputSettingsBox, OutputSettingsBoxStandsAboveTheTextColumn)
{
    stands_above_the_column(1024);
}

// On a 1024 x 768 screen (a window 925 x 694), where the column's first
// line stands higher.
using OutputSettingsBoxSmallScreen = OutputSettingsBox;

TEST_F(OutputSettingsBoxSmallScreen, SmallScreenOutputSettingsBoxStandsAboveTheTextColumn)
{
    stands_above_the_column(925);
}

} // namespace
