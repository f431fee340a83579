// The single-rule dialog: the menu of every way of making a rule table, for
// one rule or walked over a list of rows (the cells of a rule mix, the
// members of a limited set), and the method prompt of a walk.
#pragma once
#include <cstdint>

// mode 0 set-up (text column), 1 revise (the revise box the caller drew);
// single 1 one rule, 0 a list of count rows of rules; cell the cell whose
// rule is edited, or Maxu (row i is cell i's; a single rule is row 0 with
// nhood). Returns the current text row; is[0] = 'q' when the user backed
// out of the menu. A single rule loaded with another k during the set-up
// rebuilds the network for that k: the dialog then takes its rows from
// carule again.
int16_t select_rule(int mode, int single, uint8_t **rules, int count, int cell);

// Asks for a new method at index of a walk (rule tables, or codes when
// totalistic is set); returns its key, the method unchanged, or 'q'.
char reselect_rule_prompts(int index, char method);
// Asks "this index=%d, enter new index 0-%d:"; returns the typed index when
// it lies in 0..count-1, else index.
int reselect_rule_index(int index, int count);
