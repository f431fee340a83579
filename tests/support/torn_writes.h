// The write-call hook of the append tests: a disk that fills in the middle
// of an append. After `whole` write calls that go through, one call writes
// only `torn` bytes of what it is given and the call after it fails with
// ENOSPC (the retry of the rest); then the pattern starts again. With whole
// 0 every append fails, torn in its middle. stop() puts write(2) back.
#pragma once
#include <cerrno>
#include <cstddef>
#include <unistd.h>

#include "ui/storage/file_dialog.h"

namespace torn_writes {

inline size_t torn = 0;   // bytes the torn call writes
inline int whole = 0;     // calls that go through before a torn one
inline int step = 0;      // place in the pattern: 0..whole-1 through,
                          // whole torn, whole + 1 failed
inline int failures = 0;  // calls failed since start

inline ssize_t
write_call(int fd, const void *data, size_t size)
{
    int at = step;
    step = step == whole + 1 ? 0 : step + 1;
    if (at == whole + 1) {
        failures++;
        errno = ENOSPC;
        return -1;
    }
    return write(fd, data, at == whole && size > torn ? torn : size);
}

inline void
start(size_t torn_bytes, int whole_between = 0)
{
    torn = torn_bytes;
    whole = whole_between;
    step = 0;
    failures = 0;
    set_write_call(write_call);
}

inline void
stop()
{
    set_write_call(nullptr);
}

} // namespace torn_writes
