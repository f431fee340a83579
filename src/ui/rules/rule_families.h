// The rule and code families as the dialogs use them: the reaction-diffusion
// thresholds asked in the prompt box. The families themselves are
// engine/rules/rule_families.h and engine/rules/code_families.h.
#pragma once
#include <cstdint>

// Asks the thresholds ("thresholds: lower ...") in the prompt box, then
// fills the excitable medium (fill_reaction_diffusion_rule). 'q' at the
// first prompt leaves the table unchanged and 'q' in is[0].
void set_reaction_diffusion_rule(uint8_t *rule, int k, int32_t last);
// The same dialog, then row c of an outer-totalistic kcode of k inputs
// (fill_reaction_diffusion_outer, engine/rules/code_families.h); 'q' at the
// first prompt leaves the row unchanged and 'q' in is[0].
void set_reaction_diffusion_outer(int c, uint8_t *kcode, int k, int32_t last);
