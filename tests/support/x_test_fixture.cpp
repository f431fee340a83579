// The in-process screen fixture (see x_test_fixture.h).
#include "support/x_test_fixture.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <chrono>
#include <cstdlib>
#include <sys/syscall.h>
#include <unistd.h>

#include "ui/backward/stop_prompts.h"
#include "ui/model/buffers.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"
#include "support/process_idle.h"
#include "support/x_keys.h"

namespace {

// The test's own connection: it types into the window and keeps the server
// from resetting between tests.
Display *test_display = nullptr;
bool window_open = false;

} // namespace

void
ScreenTest::SetUpTestSuite()
{
    if (window_open)
        return;
    // The paced typing thread uses its own connection next to the window's.
    XInitThreads();
    // Opened first and kept: a probe connection closed again would let the
    // server reset while the window's connection opens.
    test_display = XOpenDisplay(nullptr);
    if (!test_display)
        return;
    allocate_mem_buffers();
    open_graphics();
    // The engines poll keys and ask through the window as in the program.
    register_engine_prompts();
    window_open = true;
    // Keys go to the window under the pointer when no window manager runs;
    // the focus keeps them there when a test makes the window smaller.
    xtest_move_pointer(test_display, Maxx / 2, Maxy / 2);
    XSetInputFocus(test_display, W, RevertToParent, CurrentTime);
    XSync(test_display, False);
}

void
ScreenTest::SetUp()
{
    if (!window_open) {
        if (getenv("CI"))
            FAIL() << "no X display could be opened";
        GTEST_SKIP() << "no X display";
    }
}

void
ScreenTest::type_keys(const std::string &keys)
{
    xtest_type(test_display, keys);
}

std::thread
ScreenTest::type_keys_paced(const std::string &keys)
{
    pid_t pid = getpid(), tid = static_cast<pid_t>(syscall(SYS_gettid));
    return std::thread([keys, pid, tid] {
        for (char c : keys) {
            wait_until_idle(pid, tid, 5);
            xtest_type(test_display, std::string(1, c));
        }
    });
}

void
ScreenTest::type_control_q()
{
    xtest_control_key(test_display, XK_q);
}

void
ScreenTest::press_keysym(unsigned long keysym)
{
    xtest_press_keysym(test_display, keysym);
}

void
ScreenTest::click(unsigned int b)
{
    xtest_click(test_display, b);
}

unsigned long
ScreenTest::window_pixel(int x, int y)
{
    XSync(D, False);
    XImage *image = XGetImage(D, W, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return ~0ul;
    unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return pixel;
}
