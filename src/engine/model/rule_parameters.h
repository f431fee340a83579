// Figures of a rule table: Z, Z-left, Z-right, lambda, the lambda ratio and
// the canalyzing inputs, left in zparam, lambda, lratio, canal and
// canaltotal (model/globals.h). The box that shows them is
// ui/model/rule_parameters.h.
#pragma once
#include <cstdint>

// v = 2 only: writes zparam, lambda, lratio, canal, canaltotal (all 0 for
// k < 1). With v > 2 it returns at once and changes nothing.
void compute_rule_figures_binary(int k, const uint8_t *rule);
// The same for any value range.
void compute_rule_figures_mvalue(int k, const uint8_t *rule);
// compute_rule_figures_binary for v = 2, compute_rule_figures_mvalue otherwise.
void compute_rule_figures(int k, const uint8_t *rule);
// Writes canal and canaltotal: input position p canalyzes when some value of
// it fixes the output whatever the other inputs hold. Needs nm. Returns
// canaltotal.
int count_canalyzing(int k, const uint8_t *rule);
// dst := the reflection of src (a rule table of v^k entries): dst[i] =
// src[i with its k base-v digits in reverse order]. Needs nm.
void reflect_m_ruletable(int k, const uint8_t *src, uint8_t *dst);
// The canalyzing text: "C=%d/%d", then "=" and the positions from k-1 down to
// 0 (a position's number or "*") when canaltotal > 0 and k > 1.
void canalyzing_text(char *text, int size, int k);
