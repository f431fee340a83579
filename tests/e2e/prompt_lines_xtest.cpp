// Prompts in the prompt box at the top right keep every line inside the
// window on a 1024 x 768 screen (a window 925 pixels wide, whose prompt box
// is some 450 pixels wide): the step pause's two lines, the Post listing's
// prompt and the file dialog's title are broken at blanks onto more lines of
// the box instead of running past its frame and the window's edge.
#include "e2e/e2e_fixture.h"

namespace {

class PromptLines : public ZemraTest {
protected:
    // Pixels other than the background in the window's last two columns,
    // right of the prompt box's frame, over the rows a prompt box takes.
    int marked_past_the_frame() { return zemra->marked_pixels(zemra->width() - 2, 0, 2, 120); }
    // From the first screen (a fixed random seed) to the RULES prompt of the
    // default 14-cell ring.
    void road_to_rules_prompt()
    {
        launch();
        answer({"r\r", "123\r", "s\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r"});
    }
};

TEST_F(PromptLines, SmallScreenStepPauseKeepsItsLinesInsideTheWindow)
{
    launch();
    answer({"r\r", "123\r", "s\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r",
            "\r", "\r", "\r", "\r", "\r", "\r", "s\r", "d\r"});
    // Forward-only options: all of them, parallel, by value, then the step
    // pause, and the defaults of the rest; the pattern, on a cleared window,
    // pauses after its first step.
    answer({"\r", "\r", "\r", "s\r", "d\r"});
    ASSERT_TRUE(zemra->wait_ready_for_key()) << "no step pause";
    EXPECT_EQ(marked_past_the_frame(), 0) << "the step pause runs past the prompt box";
}

TEST_F(PromptLines, SmallScreenPostPromptKeepsItsLinesInsideTheWindow)
{
    road_to_rules_prompt();
    int before = marked_past_the_frame();
    answer({"P\r"});
    ASSERT_TRUE(zemra->wait_ready_for_key());
    EXPECT_EQ(marked_past_the_frame(), before) << "the Post prompt runs past the prompt box";
}

TEST_F(PromptLines, SmallScreenFileDialogTitleKeepsItsLinesInsideTheWindow)
{
    road_to_rules_prompt();
    int before = marked_past_the_frame();
    answer({"l\r"});  // load a rule scheme: the file dialog
    ASSERT_TRUE(zemra->wait_ready_for_key());
    EXPECT_EQ(marked_past_the_frame(), before) << "LOAD RULE SCHEME runs past the prompt box";
    // A box of three lines whose second line, empty when the title fits,
    // holds the title's end.
    int bottom = zemra->prompt_box_bottom();
    ASSERT_GT(bottom, 30);
    int line = (bottom - 2) / 3;
    EXPECT_GT(zemra->marked_pixels(zemra->width() / 2 + 4, 2 + line + line / 4, zemra->width() / 4, line / 2), 20)
        << "the title's end is not on the second line";
    answer({"\r"});   // the default name: its confirmation
    ASSERT_TRUE(zemra->wait_ready_for_key());
    EXPECT_EQ(marked_past_the_frame(), before) << "the confirmation runs past the prompt box";
}

} // namespace
