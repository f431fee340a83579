// Idle detection from /proc (see process_idle.h).
#include "support/process_idle.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

// The scheduling state letter and the processor ticks of a thread; false
// when it cannot be read (the thread has ended).
bool
thread_state(pid_t pid, pid_t tid, char *state, long *ticks)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/task/" + std::to_string(tid) +
                       "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    size_t close = text.rfind(')');
    if (close == std::string::npos)
        return false;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; i++) {
        if (i == 3)
            *state = field[0];
        if (i == 14)
            utime = std::stol(field);
        if (i == 15)
            stime = std::stol(field);
    }
    *ticks = utime + stime;
    return true;
}

} // namespace

bool
wait_until_idle(pid_t pid, pid_t tid, double seconds)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long last_ticks = -1;
    int quiet = 0;
    while (std::chrono::steady_clock::now() < end) {
        char state = 0;
        long ticks = 0;
        if (!thread_state(pid, tid, &state, &ticks))
            return false;
        quiet = state == 'S' && ticks == last_ticks ? quiet + 1 : 0;
        if (quiet >= 2)
            return true;
        last_ticks = ticks;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}
