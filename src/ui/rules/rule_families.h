// Rule-table families: the Altenberg, majority, reaction-diffusion and chain
// rules, each filling one rule table of v^k entries in place. The draw order
// of random() is part of each generator: one seed gives one rule.
#pragma once
#include <cstdint>

// Entry i (from last down to 0) copies input position random() % k of
// neighbourhood i.
void altenberg_rule(uint8_t *rule, int k, int32_t last);
// Entry i is the most frequent input value of neighbourhood i; ties drawn
// with one random() among the tied values in descending order.
void majority_rule(uint8_t *rule, int k, int32_t last);
// Asks the thresholds ("thresholds: lower ...") in the prompt box, then an
// excitable medium: a quiescent centre becomes 1 when the count of inputs
// holding 1 lies in the window; an excited centre c goes to c+1, or 0 after
// v-1. 'q' at the first prompt leaves the table unchanged and 'q' in is[0].
void set_reaction_diffusion_rule(uint8_t *rule, int k, int32_t last);
// Draws the table of one chain rule without testing it: a random bijection
// of input position 0 (or, for an odd first draw, position k-1) for every
// setting of the other inputs.
void draw_chain_table(uint8_t *rule, int k, int32_t last);
// A chain rule for rule index `index` of a mix, redrawn until its Z-left and
// Z-right pass the family's test; leaves them in zparam. The redraws are
// capped at 10,000 and stop on a pending 'q'; returns 1 when the last draw
// passed, 0 when none did (the last draw stays).
int chain_rule(uint8_t *rule, int k, int32_t last, int index);
// The Z figures of a rule table without showing them: z_parameter_all for
// v = 2, z_parameter_all_mvalue otherwise.
void rule_z_figures(int k, uint8_t *rule);
// True, once every 64 calls while the window is open, when a key or button
// is pending and it is 'q' (the key is left in is[0]); for capped searches.
bool search_stopped();
