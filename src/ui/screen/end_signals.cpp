// SIGTERM and SIGHUP (end_signals.h): a flag for the waits and polls of
// input.cpp, and the temporary file of a save under way for the handler of
// a second signal. The handler calls only async-signal-safe functions
// (unlink, sigaction, raise); the name it may read is complete before it is
// marked as held. Start at catch_end_signals.
#include "ui/screen/end_signals.h"

#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

volatile sig_atomic_t end_signals = 0;   // signals caught so far
volatile sig_atomic_t holding = 0;       // held_name names a temporary file
char held_name[512];

void
on_end_signal(int signal_number)
{
    if (end_signals++ == 0)
        return;
    // The program did not reach a wait since the first signal: end now.
    if (holding)
        unlink(held_name);
    struct sigaction fallback;
    memset(&fallback, 0, sizeof fallback);
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(signal_number, &fallback, nullptr);
    raise(signal_number);
}

} // namespace

void
catch_end_signals()
{
    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_handler = on_end_signal;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGTERM);
    sigaddset(&action.sa_mask, SIGHUP);
    // Reads and writes go on; the key wait's poll() returns early anyway.
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

bool
end_signal_caught()
{
    return end_signals != 0;
}

void
hold_temporary_file(const char *name)
{
    holding = 0;
    size_t length = strnlen(name, sizeof held_name);
    // A cut name could name another file: a longer one is not held.
    if (length == sizeof held_name)
        return;
    memcpy(held_name, name, length + 1);
    holding = 1;
}

void
release_temporary_file()
{
    holding = 0;
}
