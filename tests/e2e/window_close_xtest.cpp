// The window closed from outside: a window manager's close asks as
// Control-q does (the exit box), a window destroyed at a prompt or under a
// running pattern ends the program as its clean exit does.
#include "e2e/e2e_fixture.h"

#include <X11/Xatom.h>

namespace {

const char kCleanExit[] = "\n Using backing store\n\nZemra clean exit\n";

using WindowClose = ZemraTest;

TEST_F(WindowClose, DestroyedAtAPromptEndsCleanly)
{
    launch();
    XDestroyWindow(zemra->display, zemra->window);  // as xdotool windowclose
    XSync(zemra->display, False);
    EXPECT_EQ(zemra->wait_exit(), 0);
    EXPECT_EQ(stderr_messages(), kCleanExit);
}

TEST_F(WindowClose, DestroyedUnderARunningPatternEndsCleanly)
{
    launch();
    road_to_forward_pattern();
    // The pattern runs down the page from the seed row at the top left.
    auto rows = [&] { return zemra->region_digest(0, 0, 14 * 6, 600); };
    unsigned long long early = rows();
    ASSERT_TRUE(wait_until([&] { return rows() != early; })) << "no running pattern";
    XDestroyWindow(zemra->display, zemra->window);
    XSync(zemra->display, False);
    EXPECT_EQ(zemra->wait_exit(), 0);
    EXPECT_NE(zemra->stderr_text().find("Zemra clean exit"), std::string::npos);
}

TEST_F(WindowClose, CloseRequestOpensTheExitBox)
{
    launch();
    int w = zemra->width(), h = zemra->height();
    auto centre = [&] { return zemra->region_digest(w / 2 - 60, h / 2 - 30, 120, 40); };
    unsigned long long before = centre();
    XEvent close = {};
    close.xclient.type = ClientMessage;
    close.xclient.window = zemra->window;
    close.xclient.message_type = XInternAtom(zemra->display, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(zemra->display, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(zemra->display, zemra->window, False, NoEventMask, &close);
    XFlush(zemra->display);
    ASSERT_TRUE(wait_until([&] { return centre() != before; })) << "no exit box";
    zemra->type("q");
    EXPECT_EQ(zemra->wait_exit(), 0);
    EXPECT_EQ(stderr_messages(), kCleanExit);
}

} // namespace
