// Figures of a rule table: Z, Z-left, Z-right, lambda, the lambda ratio and
// the canalyzing inputs, left in globals and optionally shown in a box.
#pragma once
#include <cstdint>

// v = 2 only: writes zparam, lambda, lratio, canal, canaltotal; show draws the box.
void z_parameter_all(int k, int show, uint8_t *rule);
// The same for any value range.
void z_parameter_all_mvalue(int k, int show, uint8_t *rule);
