// Rule-table families: the Altenberg, majority, reaction-diffusion and chain
// rules, each filling one rule table of v^k entries in place. The draw order
// of random() is part of each generator: one seed gives one rule. The
// reaction-diffusion thresholds are asked by ui/rules/rule_families.h.
#pragma once
#include <cstdint>

// Entry i (from last down to 0) copies input position random() % k of
// neighbourhood i.
void altenberg_rule(uint8_t *rule, int k, int32_t last);
// Entry i is the most frequent input value of neighbourhood i; ties drawn
// with one random() among the tied values in descending order.
void majority_rule(uint8_t *rule, int k, int32_t last);
// An excitable medium with the count window lower..upper: a quiescent centre
// (input k/2) becomes 1 when the count of inputs holding 1 lies in the
// window; an excited centre c goes to c+1, or 0 after v-1.
void fill_reaction_diffusion_rule(uint8_t *rule, int k, int32_t last, int lower, int upper);
// Draws the table of one chain rule without testing it: a random bijection
// of input position 0 (or, for an odd first draw, position k-1) for every
// setting of the other inputs.
void draw_chain_table(uint8_t *rule, int k, int32_t last);
// A chain rule for rule index `index` of a mix, redrawn until its Z-left and
// Z-right pass the family's test; leaves them in zparam. The redraws are
// capped at 10,000 and stop when search_stopped (model/key_poll.h) says
// so; returns 1 when the last draw passed, 0 when none did (the last draw
// stays).
int chain_rule(uint8_t *rule, int k, int32_t last, int index);
