// Reading the program's key-wait signal (see ready_signal.h).
#include "support/ready_signal.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

bool
open_ready_pipe(int fds[2])
{
    return pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0;
}

void
drop_ready_signals(int read_fd)
{
    char bytes[64];
    while (read(read_fd, bytes, sizeof bytes) > 0) {
    }
}

bool
wait_for_ready_signal(int read_fd, double seconds)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        char byte;
        ssize_t n = read(read_fd, &byte, 1);
        if (n == 1) {
            drop_ready_signals(read_fd);
            return true;
        }
        if (n == 0 || (errno != EAGAIN && errno != EINTR))
            return false;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd ready = {read_fd, POLLIN, 0};
        poll(&ready, 1, static_cast<int>(left.count()));
    }
}
