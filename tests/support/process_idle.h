// Waiting until a program (or one of its threads) waits for input: asleep,
// with its processor time standing still. Tests type each key only then,
// as a user would, because status boxes drop keys typed ahead of them.
#pragma once
#include <sys/types.h>

// Thread tid of process pid (tid == pid for the main thread); true when it
// was idle within seconds.
bool wait_until_idle(pid_t pid, pid_t tid, double seconds);
