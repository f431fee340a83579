// The program's signal that it waits for a key: a pipe whose write end it
// finds through ZEMRA_READY_FD and writes one byte to each time its key wait
// blocks. Tests type each key only after such a byte, as a user would, because
// status boxes drop keys typed ahead of them.
#pragma once

// Opens the pipe: fds[0] the read end, fds[1] the write end for the program
// (both close on exec; the caller hands the program a duplicate). False when
// no pipe could be made.
bool open_ready_pipe(int fds[2]);
// Drops the bytes of waits that began before now: call it just before
// sending input, so the next byte read comes from a later wait.
void drop_ready_signals(int read_fd);
// How long a test waits for the program to reach its next key wait before
// it gives up: far longer than any step takes on a machine whose every core
// is busy, so that a key is typed on the program's signal and never because
// time ran out; the test's own CTest TIMEOUT bounds a program that hangs.
constexpr double kReadyPatience = 120;
// Waits up to seconds for the byte of a key wait, then drops any others; true
// when one came (false on timeout or when the program has closed its end).
bool wait_for_ready_signal(int read_fd, double seconds);
