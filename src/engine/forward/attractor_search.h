// The attractor search of forward runs: every state since the seed is kept
// in a history (up to the limit limitcheck), each new state is compared with
// the kept ones, and the first repetition gives the attractor cycle in
// att[1..attperiod]. The history is indexed by a hash of each state, so a new
// state is compared byte for byte only with kept states of the same hash; the
// first match is the earliest kept state equal to it, as a scan from time 0
// would find.
#pragma once
#include <cstdint>

#include "engine/forward/forward_step.h"

// What attractor_check found after a step.
enum attractor_result {
    att_none = 0,        // no repetition yet
    att_found = 1,       // cycle copied into att[1..attperiod]; history released
    att_past_limit = 2,  // a repetition after more than limitcheck steps:
                         // attperiod is known, att holds no states
};

// Starts a history with entry 0 = a copy of A, sets firstseed = A and makes
// att one pointer (label "att"). Releases an earlier history and att first.
void attractor_search_start();

// The search started over from the state in A, taken as the state of time
// t: a running key or a box changed the network or set the state, so the
// states kept belong to another trajectory. The next check is at t + 1.
void attractor_search_restart(uint32_t t);

// After step t (t >= 1, A the new state). Compares A with the kept states
// 0..min(t-1, limitcheck) (all of them with limitcheck 0, no limit); the
// first equal one, j, gives attperiod = t - j. Within the limit (or with
// limitcheck 0) att is resized (label "att[]") and att[i] = history entry
// j+i-1 for i = 1..attperiod, and the history is released. Without a match
// A is kept as entry t while t <= limitcheck, with limitcheck 0, or with
// att_hist 1.
attractor_result attractor_check(uint32_t t);

// After att_past_limit: the period is known and A lies on the cycle (it
// equals the state first met at time j). Releases the history and rebuilds
// att[1..attperiod] by stepping attperiod times from A (att[1] = A as it
// was); A ends where it began.
void attractor_cycle_from_state(uint8_t **rules, const step_mode &mode);

// The time j of the kept state that the last match found.
uint32_t attractor_first_repeat();

// Releases the history (nothing when none is held).
void attractor_history_free();
// Releases att[1..attperiod] and att; attperiod becomes 0.
void free_att();

// The search as one call: from the state in A, steps (forward_step with
// mode) until attractor_check reports a cycle or max_steps steps are done.
// Returns the time-step t of the repetition, 0 when none was found; the
// result of the last check goes to *result when given. Allocates and
// releases the step's work arrays and the history; att stays for the caller
// (free_att).
uint32_t attractor_search(uint8_t **rules, const step_mode &mode, uint32_t max_steps,
                          attractor_result *result = nullptr);
