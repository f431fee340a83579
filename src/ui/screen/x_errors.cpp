// X error handlers. Xlib's default handlers end the program on any protocol
// error (a pixel read outside the window, a pixmap the server cannot make);
// here such errors are counted so the caller can report them, and only a lost
// connection is fatal. An error about the window itself means it was
// destroyed from outside: noted once, for the next wait to end the program.
#include "ui/screen/x_errors.h"

#include <cstdio>
#include <cstdlib>

#include "ui/screen/x_state.h"

unsigned long x_error_count = 0;

namespace {

// The serials of the latest errors, for x_request_failed.
constexpr int kKeptSerials = 32;
unsigned long error_serials[kKeptSerials];

int
record_x_error(Display *display, XErrorEvent *error)
{
    bool about_window = W && error->resourceid == W &&
                        (error->error_code == BadWindow || error->error_code == BadDrawable);
    if (about_window && window_destroyed)
        return 0;
    if (about_window)
        window_destroyed = true;
    char text[128];
    XGetErrorText(display, error->error_code, text, sizeof text);
    fprintf(stderr, "\nX error: %s (request %d)\n", text, error->request_code);
    error_serials[x_error_count % kKeptSerials] = error->serial;
    x_error_count++;
    return 0;
}

int
lost_connection(Display *)
{
    fprintf(stderr, "Zemra: lost connection to X server\n");
    exit(255);
}

} // namespace

void
install_x_error_handlers()
{
    XSetErrorHandler(record_x_error);
    XSetIOErrorHandler(lost_connection);
}

unsigned long
x_sync_errors()
{
    XSync(D, False);
    return x_error_count;
}

bool
x_request_failed(unsigned long serial)
{
    unsigned long before = x_error_count;
    XSync(D, False);
    unsigned long after = x_error_count;
    unsigned long first = after - before > kKeptSerials ? after - kKeptSerials : before;
    for (unsigned long i = first; i < after; i++)
        if (error_serials[i % kKeptSerials] == serial)
            return true;
    return false;
}
