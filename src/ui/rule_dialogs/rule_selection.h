// The rules stage of the set-up: the rule tables or codes of every cell.
#pragma once
#include <cstdint>

// One rule or code for every cell, or a rule mix (by hand, a family cell by
// cell, a limited set, a rule-scheme file or the complex-rule samples);
// also the Post listing and the K-matrix amendment. Returns the y of the
// text line below what it drew; 'q' in is[0] to step back (the caller frees
// the mixes it left).
int16_t rule_selection();
