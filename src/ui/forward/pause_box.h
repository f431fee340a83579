// The pause and options box of forward runs: the rule with its figures and
// a menu of one-key options to print, save, load, revise, randomise or
// transform the rule, change the seed or current state, and set borders,
// pauses, skips and filters. Also the re-lay of the pattern window after a
// display change.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ui/screen/key_table.h"

// top: its top row (callers pass 2); rule: the rule table or code the run
// uses; t: the run's time-step (0 outside a run); state: the state on screen
// (null outside a run: the 'c' choices then use A); offset: passed on to the
// rule-sample browser. Returns what the run must redo, one of the values
// below; the last key is left in is[0].
int interrupt_stp_box(int top, uint8_t *rule, uint32_t t, const uint8_t *state, int offset);
// Nothing to redo; restart the count; rule, wiring or pause settings changed.
constexpr int stp_box_nothing = 0, stp_box_restart = 1, stp_box_changed = 2;
// The box's menu as its key table lists it for a full box (a forward-only
// run) or a short one, of a single run or a field: the pieces of its lines
// (a piece beginning with a newline starts a line), each with the keys of
// the rows it names. The rule, wiring and code globals are read as they are.
std::vector<key_help_line> pause_box_menu(bool full, bool single);
// Every key the box's table has a row for.
std::string pause_box_keys();


struct entropy_graph;
struct run_iteration;
// Re-lays the run's pattern window after a display change: the pattern
// pixmap at the new size, the frames and base planes drawn again, the
// lookup histogram's bars cleared.
void revise_various_stp_settings(entropy_graph *eg, run_iteration *it);
