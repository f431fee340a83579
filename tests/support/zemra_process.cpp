// Running the real program for end-to-end tests (see zemra_process.h).
// GoogleTest comes before the header's Xlib, whose macros would break it.
#include <gtest/gtest.h>

#include "support/zemra_process.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "support/draw_check_allow.h"
#include "support/ready_signal.h"
#include "support/x_keys.h"

namespace {

void
pause_briefly()
{
    usleep(20000);
}

// The top-level window named "Zemra", or 0.
Window
find_zemra_window(Display *display)
{
    Window root = DefaultRootWindow(display), parent, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; i++) {
        char *name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            if (std::string(name) == "Zemra")
                found = children[i];
            XFree(name);
        }
    }
    if (children)
        XFree(children);
    return found;
}

int
ignore_x_errors(Display *, XErrorEvent *)
{
    return 0;
}

// A new empty file for one of the program's outputs (what: "stdout" or
// "stderr"); its path.
std::string
output_file(const char *what)
{
    std::string path = std::string("/tmp/zemra-") + what + "-XXXXXX";
    int fd = mkstemp(&path[0]);
    if (fd >= 0)
        close(fd);
    return path;
}

std::string
file_text(const std::string &path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

ZemraProcess::ZemraProcess(std::vector<std::string> args, std::string display)
    : args_(std::move(args)), display_name_(std::move(display)),
      stdout_path_(output_file("stdout")), stderr_path_(output_file("stderr"))
{
}

ZemraProcess::~ZemraProcess()
{
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    // Its standard error is whole now: the draw check's reports in it are
    // the harness's to judge at the end of the test.
    hand_over_program_reports(stderr_text());
    if (ready_fd_ >= 0)
        close(ready_fd_);
    if (display)
        XCloseDisplay(display);
    unlink(stdout_path_.c_str());
    unlink(stderr_path_.c_str());
}

bool
ZemraProcess::start()
{
    const char *binary = program.empty() ? getenv("ZEMRA_BINARY") : program.c_str();
    if (!binary)
        return false;
    if (display_name_.empty() && !without_display) {
        XSetErrorHandler(ignore_x_errors);
        // One connection stays open for the whole test program: the virtual
        // server resets whenever its last client leaves, and a connection
        // asked for during a reset is refused.
        static Display *keep_alive = nullptr;
        for (int tries = 0; tries < 100 && !keep_alive; tries++) {
            keep_alive = XOpenDisplay(nullptr);
            if (!keep_alive)
                pause_briefly();
        }
        display = XOpenDisplay(nullptr);
        if (!display)
            return false;
    }
    int ready[2];
    if (!open_ready_pipe(ready))
        return false;
    pid_ = fork();
    if (pid_ < 0) {
        close(ready[0]);
        close(ready[1]);
        return false;
    }
    if (pid_ == 0) {
        int out = open(stdout_path_.c_str(), O_WRONLY | O_TRUNC);
        dup2(out, STDOUT_FILENO);
        int err = open(stderr_path_.c_str(), O_WRONLY | O_TRUNC);
        dup2(err, STDERR_FILENO);
        int null = open("/dev/null", O_RDONLY);
        dup2(null, STDIN_FILENO);
        // The duplicate of the write end stays open across exec.
        setenv("ZEMRA_READY_FD", std::to_string(dup(ready[1])).c_str(), 1);
        setenv("ZEMRA_DRAW_CHECK", "1", 1);
        if (without_display)
            unsetenv("DISPLAY");
        else if (!display_name_.empty())
            setenv("DISPLAY", display_name_.c_str(), 1);
        std::vector<char *> argv;
        argv.push_back(const_cast<char *>(binary));
        for (auto &a : args_)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        execv(binary, argv.data());
        _exit(127);
    }
    close(ready[1]);
    ready_fd_ = ready[0];
    return true;
}

bool
ZemraProcess::wait_for_first_screen(double seconds)
{
    bool ready = wait_until(
        [&] {
            if (ended_now())
                return true;
            if (!window)
                window = find_zemra_window(display);
            if (!window)
                return false;
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(display, window, &attributes) ||
                attributes.map_state != IsViewable)
                return false;
            // The prompt box frame is drawn once the first exposure came.
            int maxx = attributes.width - 1;
            return pixel(maxx / 2, 2) != pixel(maxx / 2, 200);
        },
        seconds);
    if (pid_ <= 0)
        return false;
    if (ready)
        xtest_move_pointer(display, width() / 2, height() / 2);
    return ready;
}

void
ZemraProcess::type(const std::string &keys)
{
    // Shift is a key of its own: the program takes it in a wait of its own.
    // A wait already seen by wait_ready_for_key takes the first key. A wait
    // that does not come (the program ended, or was busy past the patience)
    // fails the test there, naming the key, and the rest is not typed.
    bool waited = true;
    for (size_t i = 0; i < keys.size() && waited; i++) {
        auto wait_ready = [&] {
            if (!waited)
                return;
            waited = wait_seen_ || wait_ready_for_key();
            wait_seen_ = false;
            if (!waited)
                ADD_FAILURE() << "the program did not wait for key " << i << " of \"" << keys
                              << "\" (after \"" << keys.substr(0, i) << "\")";
        };
        wait_ready();
        if (waited)
            xtest_type_char(display, keys[i], wait_ready);
    }
    pause_briefly();
}

bool
ZemraProcess::wait_ready_for_key(double seconds)
{
    wait_seen_ = wait_for_ready_signal(ready_fd_, seconds);
    return wait_seen_;
}

bool
ZemraProcess::waits_for_key_now()
{
    if (!wait_seen_)
        wait_seen_ = wait_for_ready_signal(ready_fd_, 0);
    return wait_seen_;
}

void
ZemraProcess::type_now(const std::string &keys)
{
    wait_seen_ = false;
    drop_ready_signals(ready_fd_);
    xtest_type(display, keys);
    pause_briefly();
}

void
ZemraProcess::control_q()
{
    wait_seen_ = false;
    drop_ready_signals(ready_fd_);
    xtest_control_key(display, XK_q);
    pause_briefly();
}

int
ZemraProcess::quit_by_steps(int most)
{
    for (int i = 0; i < most && pid_ > 0; i++) {
        // After a 'q' the program either waits for the next key or is
        // ending; its exit can take a while (the sanitizers' leak check), so
        // both are waited for before another 'q' is typed.
        bool ended = false;
        wait_until([&] {
            ended = ended_now();
            return ended || waits_for_key_now();
        });
        if (ended)
            return exit_status_;
        type("q");
    }
    return wait_exit();
}

int
ZemraProcess::wait_exit(double seconds)
{
    if (!wait_until([&] { return ended_now(); }, seconds)) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
        return -1;
    }
    return exit_status_;
}

bool
ZemraProcess::ended_now()
{
    if (pid_ <= 0)
        return true;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_)
        return false;
    pid_ = -1;
    exit_status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

std::string
ZemraProcess::stdout_text() const
{
    return file_text(stdout_path_);
}

std::string
ZemraProcess::stderr_text() const
{
    return file_text(stderr_path_);
}

unsigned long
ZemraProcess::pixel(int x, int y)
{
    XImage *image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return ~0ul;
    unsigned long value = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return value;
}

unsigned long long
ZemraProcess::region_digest(int x, int y, int w, int h)
{
    XImage *image = XGetImage(display, window, x, y, w, h, AllPlanes, ZPixmap);
    if (!image)
        return 0;
    unsigned long long digest = 1469598103934665603ull;
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++)
            digest = (digest ^ XGetPixel(image, i, j)) * 1099511628211ull;
    XDestroyImage(image);
    return digest;
}

unsigned long
ZemraProcess::background()
{
    return pixel(width() - 30, height() / 2);
}

bool
ZemraProcess::marked_pixels_split(int x, int y, int w, int h, int split, int &left, int &right)
{
    unsigned long ground = background();
    XImage *image = XGetImage(display, window, x, y, static_cast<unsigned>(w),
                              static_cast<unsigned>(h), AllPlanes, ZPixmap);
    if (!image)
        return false;
    left = right = 0;
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++)
            if (XGetPixel(image, i, j) != ground)
                (i < split ? left : right)++;
    XDestroyImage(image);
    return true;
}

int
ZemraProcess::marked_pixels(int x, int y, int w, int h)
{
    int left = 0, right = 0;
    return marked_pixels_split(x, y, w, h, w, left, right) ? left : -1;
}

int
ZemraProcess::sparse_marked_pixels(int x, int y, int w, int h)
{
    unsigned long ground = background();
    int count = 0;
    for (int j = y; j < y + h; j += 2)
        for (int i = x; i < x + w; i += 2)
            count += pixel(i, j) != ground ? 1 : 0;
    return count;
}

int
ZemraProcess::prompt_box_bottom()
{
    int left = (width() - 1) / 2, right = width() - 3;
    unsigned long frame = pixel(left, 2);
    for (int y = 3; y < 300; y++) {
        bool across = true;
        for (int x = left; x <= right && across; x += 16)
            across = pixel(x, y) == frame;
        if (across)
            return y;
    }
    return -1;
}

int
ZemraProcess::width()
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) ? attributes.width : 0;
}

int
ZemraProcess::height()
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) ? attributes.height : 0;
}

void
ZemraProcess::screenshot(const std::string &path) const
{
    std::string command =
        "xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng > '" + path + "' 2>/dev/null";
    if (system(command.c_str()) != 0)
        fprintf(stderr, "screenshot to %s failed\n", path.c_str());
}
