// The forward engine: runs the network from the state in A, one time-step at
// a time, draws its space-time pattern, feeds the measures, answers keys,
// and ends by handing an attractor cycle to the basin drawing, after the
// forward steps before a subtree, or at the user's 'q'.
#pragma once
#include <cstdint>

#include "ui/measures/run_records.h"

// The rows a run of the network reads: carule, or in the totalistic
// forward-only mode cacode (tcodes) or v_code (kcodes).
uint8_t **rules_of_network();

// rules: carule, or cacode / v_code in the totalistic forward-only mode.
// The kind of run comes from the globals: direction_forward with limitcheck 0
// a forward-only run; with limitcheck > 0 (or att_hist_types) an attractor
// search; direction_backward the forward steps before a subtree (stepforward of them).
// On return is[0] is 0 after the steps before a subtree, what the basin
// drawing left after a basin (attperiod then 0), or 'q' when the user ended
// the run.
void run_forward(uint8_t **rules);

// Going back j steps (1 <= j < frozen_gens) from the step pause: A := the
// state j steps back (lastA[j]); lastA[i] := lastA[i + j] by content; valid
// (the filled history entries) drops by j; the time-step becomes t - j - 1,
// or 0 below 1, so the next step is numbered t - j.
void step_back_history(run_iteration *it, int j, uint16_t *valid);
