// Fixture for tests that draw through the screen layer inside the test
// process: the product's window is opened once per test program on the
// private virtual display, with the engines' key poll and prompts registered
// as at start-up, and a second connection of the test's own types keys into
// it through the server (XTest), as a user would.
#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ui/screen/globals.h"

// Saves the root window as name.png in the folder ZEMRA_SCREENSHOTS names
// (nothing when it names none), to look at a screen a test drew.
void screenshot(const std::string &name);

// A typing thread of the fixture. join() on the test's own thread tells it
// that the test's dialogs have returned: a key it still waits to type can
// then never be taken, so it fails at once naming that key and the keys
// typed before it, instead of waiting out the patience. It is joined when it goes out of scope
// too, so it never outlives its test.
class paced_thread {
public:
    paced_thread() = default;
    explicit paced_thread(std::function<void()> body);
    paced_thread(paced_thread &&other) noexcept = default;
    paced_thread &operator=(paced_thread &&other) noexcept;
    ~paced_thread() { join(); }
    bool joinable() const { return thread_.joinable(); }
    void join();

private:
    std::shared_ptr<std::atomic<bool>> over_;
    std::thread thread_;
};

class ScreenTest : public ::testing::Test {
protected:
    // Opens the window once; without a display the test fails under CI and
    // is skipped elsewhere.
    static void SetUpTestSuite();
    // Each test begins from the program's start state (restore_start_state),
    // the whole window as the viewport, with no event queued and no wait
    // signalled, and the draw check on; it leaves no event behind either,
    // and fails on the check's reports (end_window_test).
    void SetUp() override;

    // Types the characters of keys into the window ('\r' is Return).
    static void type_keys(const std::string &keys);
    // Types keys from a second thread, each once the test's thread waits for
    // input, while the test runs the dialogs that read them: status boxes
    // drop keys typed ahead, as they would a user's. Join the thread when
    // the dialogs return.
    static paced_thread type_keys_paced(const std::string &keys);
    // As type_keys_paced, calling look(i) on the typing thread before key i
    // is typed, once the window waits for it: look reads what the waiting
    // dialog shows through pixel_seen.
    static paced_thread type_keys_looking(const std::string &keys,
                                         std::function<void(size_t)> look);
    // Runs run (a forward run, whose pattern waits for nothing) while
    // typing types its keys; once it has typed them a 'q' stops the
    // running pattern and the pause box it opens takes the 'q' that ends
    // the run: the box's typist is ready before the 'q' that opens it.
    static void run_ended_at_pause_box(paced_thread &typing, const std::function<void()> &run);
    // Pixel value of the window at (x, y), read through the typing
    // connection (for look; the window's own connection is the test's). On
    // the test's own thread everything it drew is done first.
    static unsigned long pixel_seen(int x, int y);
    // The pixels of the rectangle (x, y, w, h), row by row, read the same
    // way in one image (empty when it could not be read).
    static std::vector<unsigned long> pixels_seen(int x, int y, int w, int h);
    // Every key typed so far taken from the window's queue unread: the
    // typing connection and the window's make a round trip to the server
    // first, so keys still on their way are among them. Returns how many
    // events were taken: 0 when the dialogs read every key typed.
    static int take_typed_keys();
    // Every key typed so far is in the window's queue (as take_typed_keys,
    // without taking them): for a key a run must find waiting at its first
    // poll.
    static void settle_typed_keys();
    // Presses Control-q.
    static void type_control_q();
    // Presses the key of an X keysym (XK_Left ...).
    static void press_keysym(unsigned long keysym);
    // Clicks mouse button b (1 left, 3 right).
    static void click(unsigned int b);
    // Moves the pointer to (x, y) of the window, and presses or releases
    // mouse button b alone: a drag through the server.
    static void move_pointer(int x, int y);
    static void press_button(unsigned int b, bool down);
    // Runs each step on a second thread once the window waits for input,
    // while the test runs the dialogs: a step sends what the wait takes
    // (keys, or a press, the pointer's motions and the release of a drag)
    // and may read what the previous one left. Join the thread when the
    // dialogs return.
    static paced_thread act_paced(std::vector<std::function<void()>> steps);
    // As act_paced, with the steps decided as the dialogs go: step(i) runs
    // at the window's i-th wait until it returns false, after the last
    // input it sent.
    static paced_thread act_paced_while(std::function<bool(size_t)> step);
    // In a step of act_paced: types c, a Shift first taken by a wait of its
    // own as in type_keys_paced.
    static void type_in_step(char c);
    // Pixels other than the background in the strip right of the prompt
    // box's frame, from the top down to the last row of a box of `lines`
    // lines, read as pixels_seen reads: what a line run out of the box left.
    static int inked_right_of_prompt_box(int lines);
    // Pixels other than the background inside the status box's place, read
    // as pixels_seen reads: a status box shown, or left behind.
    static int status_box_marks();
    // Pixel value of the window at (x, y), read after every request is done.
    static unsigned long window_pixel(int x, int y);
    // The window's pixels from row 0 down to row bottom (the whole window
    // by default), row by row, read at one moment after every request is
    // done; the test fails when they cannot be read.
    static std::vector<uint32_t> window_now(int bottom = WinMaxy);
    // The pixel at (x, y) of a picture window_now read.
    static uint32_t pixel_at(const std::vector<uint32_t> &picture, int x, int y);
    // The rule figures a run writes (zparam), as start-up gives them: a
    // scratch of three when there are none.
    static void give_rule_figures();
    // The drawing area above the window's bottom strip cleared, and the
    // viewport the whole window again.
    static void clear_drawing_area();
    // Resizes the window to w x h as a window manager would and waits until
    // the program's poll has taken the new size; false when it did not in
    // the patience.
    static bool resize_to(int w, int h);
    // Whether the server's screen is the default one of 1280x1024 (or
    // larger): only there does the window open at 1024x768 and can a window
    // of the screen's full size be read back whole.
    static bool on_default_screen();
    // The window sizes a prompt line is checked at: 1024x768 and 1280x1024
    // on the default screen, else the window's own size.
    static std::vector<std::pair<int, int>> prompt_window_sizes();
};

// The end of every test of a window test program, whatever its fixture
// (window_test_main.cpp calls it): no event left in the window's queue and
// no wait signalled, and the draw check's reports of the test's drawing in
// this process taken.
std::vector<std::string> end_window_test();

// A window test (cleared afresh, as every ScreenTest starts) with the rule
// figures a run writes given (give_rule_figures).
class ClearedWindowTest : public ScreenTest {
protected:
    void SetUp() override;
};

// Types keys into the window at each of its waits for a key (with at_once,
// once at the start too), from a second thread, until it goes out of scope;
// the keys left over are then taken from the window's queue unread. For runs
// that wait for a key an unknown number of times, or poll for one while they
// draw and may then ask again (a stop prompt).
class keys_at_each_wait {
public:
    explicit keys_at_each_wait(const std::string &keys, bool at_once = false);
    ~keys_at_each_wait();

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};
