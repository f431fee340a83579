// The pause and options box of forward runs, where one rule can be printed,
// saved, loaded, revised or transformed.
#pragma once
#include <cstdint>

// top: its top row (callers pass 2); rule: the rule table or code the run
// uses; t: the run's time-step (0 outside a run); state: the state on screen
// (null outside a run); offset: passed on to the rule-sample browser.
// Returns 0 (nothing to redo), 1 (restart the count) or 2 (rule, wiring or
// pause settings changed); the last key is left in is[0].
int interrupt_stp_box(int top, uint8_t *rule, uint32_t t, const uint8_t *state, int offset);

struct entropy_graph;
struct run_iteration;
// Re-lays the run's pattern window after a display change: the pattern
// pixmap at the new size, the frames and base planes drawn again.
void revise_various_stp_settings(entropy_graph *eg, run_iteration *it);
