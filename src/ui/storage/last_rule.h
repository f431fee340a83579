// The last rule of each (v, k, rule kind), kept between runs in the working
// directory without a dialog: "l_v%dk%d" with ".rul" (rule table), ".tco"
// (tcode) or ".vco" (kcode). The layout (v, k, then the rule's bytes) is in
// engine/storage/side_file_codecs.h.
#pragma once
#include <cstdint>

// Writes the file for k and the current v and rule kind. A failure (a
// read-only directory) is reported once, not on every rule change, and
// leaves is[0] alone.
void save_last_rule(const uint8_t *rule, int k);
// The network's one rule (no rule mix) as the last-rule files of k, by the
// rule kind it is now: its rule table unless tot_only, then its tcode or
// kcode when it is one. A transformation may have turned a code into a rule
// table, or changed k: the rows are read as what they now are.
void save_single_rule(int k);
// Reads the file of this v, k and rule kind into rule; unless tot_only, a
// code is also turned into carule[0]. Returns k, or 0 with 'q' in is[0]
// when there is no such file or it was refused (another v or k, short, a
// value of v or more), rule unchanged.
int load_last_rule(uint8_t *rule, int k);
