// The in-process screen fixture (see x_test_fixture.h).
#include "support/x_test_fixture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <cstdlib>
#include <string>

#include "engine/model/globals.h"
#include "support/ready_signal.h"
#include "support/x_keys.h"
#include "ui/driver/startup.h"
#include "ui/model/buffers.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"

namespace {

// The test's own connection: it types into the window and keeps the server
// from resetting between tests.
Display *test_display = nullptr;
bool window_open = false;
// Read end of the key-wait signal of the window's waits, which run on the
// test's thread.
int ready_fd = -1;

// Every key typed so far is in the window's queue: the typing connection's
// round trip has the server take the keys, the window's then reads the
// events the server sent before its reply.
void
settle_keys()
{
    XSync(test_display, False);
    XSync(D, False);
}

void
take_keys_left()
{
    settle_keys();
    while (event_ready()) {
    }
}

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
    // The key waits signal through this pipe as the program's do; the
    // variable is read at the first wait.
    int ready[2];
    if (open_ready_pipe(ready)) {
        ready_fd = ready[0];
        setenv("ZEMRA_READY_FD", std::to_string(ready[1]).c_str(), 1);
    }
    allocate_mem_buffers();
    open_graphics();
    register_window_hooks();
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
    // Waits of earlier dialogs are over: only those from now on count.
    drop_ready_signals(ready_fd);
    return std::thread([keys] {
        // Shift is a key of its own: the dialog takes it in a wait of its own.
        auto wait_ready = [] {
            if (!wait_for_ready_signal(ready_fd, kReadyPatience))
                ADD_FAILURE() << "the window did not wait for a key";
        };
        for (char c : keys) {
            wait_ready();
            xtest_type_char(test_display, c, wait_ready);
        }
    });
}

std::thread
ScreenTest::type_keys_looking(const std::string &keys, std::function<void(size_t)> look)
{
    drop_ready_signals(ready_fd);
    return std::thread([keys, look] {
        auto wait_ready = [] {
            if (!wait_for_ready_signal(ready_fd, kReadyPatience))
                ADD_FAILURE() << "the window did not wait for a key";
        };
        for (size_t i = 0; i < keys.size(); i++) {
            wait_ready();
            look(i);
            xtest_type_char(test_display, keys[i], wait_ready);
        }
    });
}

keys_at_each_wait::keys_at_each_wait(const std::string &keys, bool at_once)
{
    drop_ready_signals(ready_fd);
    thread_ = std::thread([this, keys, at_once] {
        if (at_once)
            xtest_type(test_display, keys);
        // A short wait for each signal, so that done_ is seen soon after it is set.
        while (!done_)
            if (wait_for_ready_signal(ready_fd, 0.05) && !done_)
                xtest_type(test_display, keys);
    });
}

keys_at_each_wait::~keys_at_each_wait()
{
    done_ = true;
    thread_.join();
    take_keys_left();
}

void
ScreenTest::settle_typed_keys()
{
    settle_keys();
}

void
ScreenTest::take_typed_keys()
{
    take_keys_left();
}

unsigned long
ScreenTest::pixel_seen(int x, int y)
{
    XSync(test_display, False);
    XImage *image = XGetImage(test_display, W, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return ~0ul;
    unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return pixel;
}

std::vector<unsigned long>
ScreenTest::pixels_seen(int x, int y, int w, int h)
{
    XSync(test_display, False);
    XImage *image = XGetImage(test_display, W, x, y, static_cast<unsigned>(w),
                              static_cast<unsigned>(h), AllPlanes, ZPixmap);
    if (!image)
        return {};
    std::vector<unsigned long> pixels;
    pixels.reserve(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++)
            pixels.push_back(XGetPixel(image, i, j));
    XDestroyImage(image);
    return pixels;
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

void
ScreenTest::move_pointer(int x, int y)
{
    int root_x = x, root_y = y;
    Window child;
    XTranslateCoordinates(test_display, W, DefaultRootWindow(test_display), x, y, &root_x, &root_y, &child);
    xtest_move_pointer(test_display, root_x, root_y);
}

void
ScreenTest::press_button(unsigned int b, bool down)
{
    xtest_button(test_display, b, down);
}

std::thread
ScreenTest::act_paced(std::vector<std::function<void()>> steps)
{
    drop_ready_signals(ready_fd);
    return std::thread([steps] {
        for (const std::function<void()> &step : steps) {
            if (!wait_for_ready_signal(ready_fd, kReadyPatience))
                ADD_FAILURE() << "the window did not wait for input";
            step();
        }
    });
}

void
ScreenTest::type_in_step(char c)
{
    xtest_type_char(test_display, c, [] {
        if (!wait_for_ready_signal(ready_fd, kReadyPatience))
            ADD_FAILURE() << "the window did not wait for a key";
    });
}

int
ScreenTest::inked_right_of_prompt_box(int lines)
{
    const int right = box_right_edge(Maxx), bottom = prompt_box_bottom(lines);
    int inked = 0;
    for (unsigned long pixel : pixels_seen(right + 1, 0, Maxx - right, bottom + 1))
        inked += pixel != Color_Table[black];
    return inked;
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

void
ScreenTest::give_rule_figures()
{
    static float figures[3];
    if (!zparam)
        zparam = figures;
}

void
ScreenTest::clear_drawing_area()
{
    setviewport(0, 0, Maxx, WinMaxy, 1);
    clearviewport();
    setviewport(0, 0, Maxx, Maxy, 1);
}

void
screenshot(const std::string &name)
{
    const char *dir = getenv("ZEMRA_SCREENSHOTS");
    if (dir == nullptr)
        return;
    std::string command = "xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng > " +
                          std::string(dir) + "/" + name + ".png";
    if (system(command.c_str()) != 0)
        ADD_FAILURE() << command;
}
