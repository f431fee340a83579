// The rule families as the dialogs use them: the reaction-diffusion
// thresholds asked in the prompt box. The families themselves are
// engine/rules/rule_families.h.
#pragma once
#include <cstdint>

// Asks the thresholds ("thresholds: lower ...") in the prompt box, then
// fills the excitable medium (fill_reaction_diffusion_rule). 'q' at the
// first prompt leaves the table unchanged and 'q' in is[0].
void set_reaction_diffusion_rule(uint8_t *rule, int k, int32_t last);
