// The rule changes behind the running-pattern keys and the pause box: one
// random entry flipped (recorded, so it can be undone), a random rule, tcode
// or kcode, a rule of one of the families, a Z nudge, and uniform
// neighbourhoods made to keep their value. The readout and the pattern
// colour swap are ui/string_editors/bit_flips.h.
#pragma once
#include <cstdint>

#include "engine/rules/string_edits.h"

// The entry count N of the string a key acts on: v^k for rule tables;
// under tot_only the code's count, k(v-1)+1 for tcodes, v_tablecodemax[k]+1
// for kcodes; 'K' k(v-1)+1 and 'k' v_tablecodemax[k]+1 whatever the kind.
uint32_t flip_entry_count(char key, int k);

// The key the change acts by: under tot_only 'r', 'K' and 'k' all become the
// random code of the network's kind ('K' tcodes, 'k' kcodes).
char flip_key(char key);

// Whether a flip is recorded and shown: a forward run without attractor
// history (direction 'f', limitcheck 0) with a single rule (rulemix clear).
bool flips_recorded();

// Changes the rules by key (after flip_key): the rows acted on are every
// cell's with rulemix, the v outer rows with outer_tot (rulemix is set for
// the call), else row 0. measure recomputes Z for the Z nudge. Returns the
// entry flipped by '1' (recorded when flips_recorded), else -1.
int32_t change_rules_by_key(char key, rule_z_measure measure);

// Undoes the most recent recorded flip of carule[0] (or cacode[0], v_code[0]
// under tot_only). Returns the entry put back, or -1 when nothing was done
// (no record, not a forward-only run, or a rule mix).
int32_t undo_rule_flip();
