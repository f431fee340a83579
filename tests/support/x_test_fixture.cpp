// The in-process screen fixture (see x_test_fixture.h).
#include "support/x_test_fixture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <chrono>
#include <cstdlib>
#include <string>

#include "engine/model/globals.h"
#include "support/ready_signal.h"
#include "support/x_keys.h"
#include "ui/driver/start_state.h"
#include "ui/driver/startup.h"
#include "ui/model/buffers.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/draw_check.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"
#include "ui/screen/window_pixels.h"

namespace {

// The test's own connection: it types into the window and keeps the server
// from resetting between tests.
Display *test_display = nullptr;
bool window_open = false;
// Read end of the key-wait signal of the window's waits, which run on the
// test's thread.
int ready_fd = -1;
// The drawing colour and font the window opened with: each test draws in
// them, whatever the test before it left on the graphics context.
int start_colour = 0;
font_use start_font = font_normal;

// Every key typed so far is in the window's queue: the typing connection's
// round trip has the server take the keys, the window's then reads the
// events the server sent before its reply.
void
settle_keys()
{
    XSync(test_display, False);
    XSync(D, False);
}

int
take_keys_left()
{
    settle_keys();
    int taken = 0;
    while (event_ready())
        taken++;
    return taken;
}

// Nothing queued for the next dialog: no event in the window's queue (keys
// on their way included) and no wait signalled.
void
drain_input()
{
    take_keys_left();
    drop_ready_signals(ready_fd);
}

// The test's own thread, which runs the dialogs the paced threads type into.
std::thread::id dialogs_thread;
// Set on a paced thread while it runs: the dialogs' thread has joined it.
thread_local const std::atomic<bool> *paced_over = nullptr;

// Waits for the window's next key wait on a paced thread, in short slices so
// that the thread's join is seen soon; true when the wait came. On a join
// the wait can never come; on the patience running out it did not in time.
// Either way the failure names the input waited for (what).
bool
wait_ready_paced(const std::string &what)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(kReadyPatience);
    for (;;) {
        if (wait_for_ready_signal(ready_fd, 0.05))
            return true;
        bool over = paced_over && *paced_over;
        if (over || std::chrono::steady_clock::now() >= end) {
            ADD_FAILURE() << (over ? "the dialogs returned" : "the window did not wait")
                          << " before " << what;
            return false;
        }
    }
}

// On the test's own thread, everything drawn so far is done (a round trip
// of the window's connection), so that what a read through the typing
// connection sees is the test's drawing, not the picture before it: the
// requests of the two connections reach the server in no fixed order. A
// typing thread reads what a wait shows, and the wait made that round trip.
void
settle_own_drawing()
{
    if (std::this_thread::get_id() == dialogs_thread)
        XSync(D, False);
}

// Types keys at the window's waits, each once it waits; stops at the first
// wait that does not come, naming the key and those typed before it.
void
type_at_waits(const std::string &keys, const std::function<void(size_t)> &look)
{
    for (size_t i = 0; i < keys.size(); i++) {
        std::string what = "key " + std::to_string(i) + " of \"" + keys + "\" (after \"" +
                           keys.substr(0, i) + "\")";
        if (!wait_ready_paced(what))
            return;
        if (look)
            look(i);
        bool shift_taken = true;
        xtest_type_char(test_display, keys[i], [&] { shift_taken = wait_ready_paced(what); });
        if (!shift_taken)
            return;
    }
}

} // namespace

paced_thread::paced_thread(std::function<void()> body)
    : over_(std::make_shared<std::atomic<bool>>(false))
{
    // Waits of earlier dialogs are over: only those from now on count.
    drop_ready_signals(ready_fd);
    std::shared_ptr<std::atomic<bool>> over = over_;
    thread_ = std::thread([over, body] {
        paced_over = over.get();
        body();
    });
}

paced_thread &
paced_thread::operator=(paced_thread &&other) noexcept
{
    join();
    over_ = std::move(other.over_);
    thread_ = std::move(other.thread_);
    return *this;
}

void
paced_thread::join()
{
    if (!thread_.joinable())
        return;
    // Joined by another typing thread, the dialogs may still be running.
    if (std::this_thread::get_id() == dialogs_thread)
        *over_ = true;
    thread_.join();
}

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
    start_colour = getcolor();
    start_font = font_in_use();
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
    dialogs_thread = std::this_thread::get_id();
    set_draw_check(true);
    restore_start_state();
    // A window cleared afresh: no box, text or label an earlier test drew
    // stands in the record or the list of standing boxes.
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    setcolor(start_colour);
    use_font(start_font);
    drain_input();
}

void
ClearedWindowTest::SetUp()
{
    ScreenTest::SetUp();
    give_rule_figures();
}

std::vector<std::string>
end_window_test()
{
    if (window_open)
        drain_input();
    return take_draw_check_reports();
}

void
ScreenTest::type_keys(const std::string &keys)
{
    xtest_type(test_display, keys);
}

paced_thread
ScreenTest::type_keys_paced(const std::string &keys)
{
    return paced_thread([keys] { type_at_waits(keys, nullptr); });
}

paced_thread
ScreenTest::type_keys_looking(const std::string &keys, std::function<void(size_t)> look)
{
    return paced_thread([keys, look] { type_at_waits(keys, look); });
}

void
ScreenTest::run_ended_at_pause_box(paced_thread &typing, const std::function<void()> &run)
{
    std::thread stop([&] {
        typing.join();
        paced_thread pause_box = type_keys_paced("q");
        type_keys("q");
        pause_box.join();
    });
    run();
    stop.join();
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

int
ScreenTest::take_typed_keys()
{
    return take_keys_left();
}

unsigned long
ScreenTest::pixel_seen(int x, int y)
{
    settle_own_drawing();
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
    settle_own_drawing();
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

paced_thread
ScreenTest::act_paced(std::vector<std::function<void()>> steps)
{
    return paced_thread([steps] {
        for (size_t i = 0; i < steps.size(); i++) {
            if (!wait_ready_paced("step " + std::to_string(i) + " of " + std::to_string(steps.size())))
                return;
            steps[i]();
        }
    });
}

paced_thread
ScreenTest::act_paced_while(std::function<bool(size_t)> step)
{
    return paced_thread([step] {
        for (size_t i = 0; wait_ready_paced("step " + std::to_string(i)); i++)
            if (!step(i))
                return;
    });
}

void
ScreenTest::type_in_step(char c)
{
    xtest_type_char(test_display, c, [c] { wait_ready_paced(std::string("the key after Shift for '") + c + "'"); });
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

int
ScreenTest::status_box_marks()
{
    int x0 = memory_box_left(Maxx) + 2, x1 = memory_box_place_end(Maxx) - 2;
    int y0 = 4, y1 = prompt_box_bottom(1) - 2;
    int marks = 0;
    for (unsigned long p : pixels_seen(x0, y0, x1 - x0 + 1, y1 - y0 + 1))
        marks += p != Color_Table[black];
    return marks;
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

bool
ScreenTest::resize_to(int w, int h)
{
    XResizeWindow(D, W, static_cast<unsigned>(w), static_cast<unsigned>(h));
    XSync(D, False);
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(kReadyPatience);
    while (Maxx != w - 1 || WinMaxy != h - 1) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        event_ready();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    XSync(D, False);
    return true;
}

bool
ScreenTest::on_default_screen()
{
    return DisplayWidth(D, S) >= 1280 && DisplayHeight(D, S) >= 1024;
}

std::vector<std::pair<int, int>>
ScreenTest::prompt_window_sizes()
{
    if (!on_default_screen())
        return {{Maxx + 1, WinMaxy + 1}};
    return {{1024, 768}, {1280, 1024}};
}

std::vector<uint32_t>
ScreenTest::window_now(int bottom)
{
    std::vector<uint32_t> pixels;
    EXPECT_TRUE(read_window_pixels(Maxx + 1, bottom + 1, pixels));
    return pixels;
}

uint32_t
ScreenTest::pixel_at(const std::vector<uint32_t> &picture, int x, int y)
{
    return picture[static_cast<size_t>(y) * (Maxx + 1) + x];
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
