// The screen of the forward-only questions, after the settings menus were
// accepted with 'd': the LAYOUT questions' prompt box is gone from the top
// right, where nothing is asked while the questions go down the text column.
#include "e2e/e2e_fixture.h"

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

} // namespace
