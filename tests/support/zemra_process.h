// The real zemra program under test: started on the test's virtual display
// with the draw check on (ZEMRA_DRAW_CHECK=1) and its standard error
// collected, driven by keys typed through the server into its window once
// it signals that it waits for one, watched through its window's pixels,
// and waited for. As it goes it hands the draw check's reports over to the
// harness, which fails the test on them (draw_check_allow.h).
#pragma once
#include <X11/Xlib.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/ready_signal.h"

class ZemraProcess {
public:
    // args: the program's arguments; display: DISPLAY for the program (empty
    // keeps the test's own).
    explicit ZemraProcess(std::vector<std::string> args = {}, std::string display = "");
    ~ZemraProcess();

    // Starts the program (program, or ZEMRA_BINARY when that is empty);
    // false when it cannot run.
    bool start();
    // Waits until the window is mapped and its first screen drawn (the
    // prompt box frame shows), then moves the pointer into it; false at
    // once when the program ended before (its status is exit_status()).
    bool wait_for_first_screen(double seconds = kReadyPatience);
    // Types characters ('\r' for Return) through the server, each once the
    // program signals that it waits for a key (ready_signal.h); type_now
    // sends them at once (for keys that interrupt a running pattern or
    // animation).
    void type(const std::string &keys);
    void type_now(const std::string &keys);
    // Waits until the program's next key wait begins (everything drawn
    // before it is on the screen then); false when it did not come within
    // seconds. The next key type sends goes into that wait.
    bool wait_ready_for_key(double seconds = kReadyPatience);
    // Whether the program has begun a key wait since the last key typed,
    // without blocking; the next key type sends goes into that wait.
    bool waits_for_key_now();
    void control_q();
    // Waits for the program to end: its exit status, or -1 when it had to
    // be killed after the timeout.
    int wait_exit(double seconds = kReadyPatience);
    // Types 'q' at each of the program's waits, stepping back through every
    // stage to the exit box and out, until it ends (at most `most` keys);
    // then its exit status as wait_exit gives it.
    int quit_by_steps(int most = 60);
    // Everything the program wrote to standard output, and to standard
    // error, so far.
    std::string stdout_text() const;
    std::string stderr_text() const;
    // The window's pixel at (x, y) and its size.
    unsigned long pixel(int x, int y);
    // A digest of the pixels of the rectangle (x, y, w, h), for comparing
    // what the window shows at two moments.
    unsigned long long region_digest(int x, int y, int w, int h);
    // The window's background: its pixel 30 left of the right edge, halfway
    // down, where no box or pattern reaches.
    unsigned long background();
    // Pixels of the rectangle (x, y, w, h) other than the background, read
    // in one image and counted apart left and right of column x + split;
    // false when the window could not be read.
    bool marked_pixels_split(int x, int y, int w, int h, int split, int &left, int &right);
    // Pixels of (x, y, w, h) other than the background; -1 when the window
    // could not be read.
    int marked_pixels(int x, int y, int w, int h);
    // Pixels other than the background at every other row and column of
    // (x, y, w, h), read one by one: a quick count over large rectangles.
    int sparse_marked_pixels(int x, int y, int w, int h);
    // The last row of the prompt box at the top right: the first row below
    // its top one drawn across in the frame's colour; -1 when none is.
    int prompt_box_bottom();
    int width();
    int height();
    // Writes a PNG of the whole screen to path (xwd | xwdtopnm | pnmtopng).
    void screenshot(const std::string &path) const;

    int pid() const { return pid_; }
    // The program's exit status once it was seen to end; -1 before.
    int exit_status() const { return exit_status_; }

    std::string program;         // a command that execs zemra, such as run.sh
    // Set before start: the program starts with DISPLAY unset, and the test
    // opens no connection of its own.
    bool without_display = false;
    Display *display = nullptr;  // the test's own connection
    Window window = 0;

private:
    std::vector<std::string> args_;
    std::string display_name_;
    std::string stdout_path_, stderr_path_;
    int pid_ = -1;
    int ready_fd_ = -1;  // read end of the program's key-wait signal
    bool wait_seen_ = false; // a wait signalled and read, no key typed into it yet
    int exit_status_ = -1; // the status once the program was reaped

    // Whether the program has ended, reaping it and keeping its status
    // when it ended just now; does not block.
    bool ended_now();
};

// Polls until done() holds or seconds pass; true when it held. A test waits
// on a result with the key waits' patience, far longer than the result takes
// on a machine whose every core is busy: the condition ends the wait, not the
// clock.
template <typename Condition>
bool
wait_until(Condition done, double seconds = kReadyPatience)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}
