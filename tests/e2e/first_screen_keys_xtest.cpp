// The first screen's other keys through the real program: the ants
// demonstration and the graphics settings menu, each returning to the first
// screen.
#include "e2e/e2e_fixture.h"

#include <string>

namespace {

const char kCleanExit[] = "\n Using backing store\n\nZemra clean exit\n";

TEST_F(ZemraTest, AntsRunAndQuitBackToTheFirstScreen)
{
    launch();
    int w = zemra->width(), h = zemra->height();
    auto strip = [&] { return zemra->region_digest(2, h - 20, w / 4, 16); };
    unsigned long long first_screen_strip = strip();
    auto drawing = [&] { return zemra->region_digest(0, 0, w, h - 30); };
    zemra->type("a\r");
    ASSERT_TRUE(wait_until([&] { return strip() != first_screen_strip; }))
        << "the ants' title strip did not appear";
    unsigned long long early = drawing();
    EXPECT_TRUE(wait_until([&] { return drawing() != early; })) << "the ant does not move";
    zemra->type_now("q");  // the ants' prompt (the ant keeps running)
    zemra->type("q");   // leave the demonstration
    EXPECT_TRUE(wait_until([&] { return strip() == first_screen_strip; }))
        << "the first screen's title strip did not come back";
    zemra->type("qq");
    EXPECT_EQ(zemra->wait_exit(), 0);
    EXPECT_EQ(stderr_messages(), kCleanExit);
}

TEST_F(ZemraTest, GraphicsMenuOpensAndLeaves)
{
    launch();
    int w = zemra->width();
    auto prompt = [&] { return zemra->region_digest(w / 2, 2, w / 2 - 2, 80); };
    unsigned long long first_prompt = prompt();
    zemra->type("g\r");
    ASSERT_TRUE(wait_until([&] { return prompt() != first_prompt; }))
        << "the graphics menu did not appear";
    zemra->type("q");
    EXPECT_TRUE(wait_until([&] { return prompt() == first_prompt; }))
        << "the first prompt did not come back";
    zemra->type("qq");
    EXPECT_EQ(zemra->wait_exit(), 0);
    EXPECT_EQ(stderr_messages(), kCleanExit);
}

} // namespace
