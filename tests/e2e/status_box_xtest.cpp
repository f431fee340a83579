// The status box at the top middle through the real program: after a
// forward-only run ended through the pause box and the options box, the
// forward-only options ask again with their title in the box, and the text
// column's question is written below the box, not across it.
#include "e2e/e2e_fixture.h"

namespace {

using StatusBox = ZemraTest;

TEST_F(StatusBox, QuestionsAfterARunStartBelowTheTitledBox)
{
    launch();
    road_to_forward_pattern();
    zemra->type_now("q"); // the running pattern: pause box
    answer({"q"});        // end the run: options box
    answer({"q"});        // back: the forward-only options again
    ASSERT_TRUE(zemra->wait_ready_for_key()) << "no forward-only options";
    // The box's left edge at a third of the window, found on its frame.
    int maxx = zemra->width() - 1;
    unsigned long background = zemra->pixel(maxx - 5, 300);
    int left = -1;
    for (int x = maxx / 3 - 3; x <= maxx / 3 + 3 && left < 0; x++)
        if (zemra->pixel(x, 10) != background)
            left = x;
    ASSERT_GE(left, 0) << "no status box";
    unsigned long frame = zemra->pixel(left, 10);
    int bottom = 10;
    while (zemra->pixel(left, bottom + 1) == frame)
        bottom++;
    // Inside the frame only its title, in the frame's colour.
    int title = 0, other = 0;
    for (int y = 4; y < bottom - 1; y++)
        for (int x = left + 2; x < maxx / 2 - 6; x++) {
            unsigned long p = zemra->pixel(x, y);
            title += p == frame;
            other += p != frame && p != background;
        }
    EXPECT_GT(title, 0) << "the box has no title";
    EXPECT_EQ(other, 0) << "the question is written across the box";
    EXPECT_EQ(zemra->quit_by_steps(), 0);
}

} // namespace
