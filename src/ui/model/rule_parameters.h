// Figures of a rule table: Z, Z-left, Z-right, lambda, the lambda ratio and
// the canalyzing inputs, left in globals and optionally shown in a box.
#pragma once
#include <cstdint>

// v = 2 only: writes zparam, lambda, lratio, canal, canaltotal; show draws the box.
// With v > 2 it returns at once and changes nothing.
void z_parameter_all(int k, int show, uint8_t *rule);
// The same for any value range.
void z_parameter_all_mvalue(int k, int show, uint8_t *rule);
// Writes canal and canaltotal: input position p canalyzes when some value of
// it fixes the output whatever the other inputs hold. show writes the
// canalyzing line in the prompt box. Needs nm. Returns canaltotal.
int canalyzing(int k, int show, uint8_t *rule);
// dst := the reflection of src (a rule table of v^k entries): dst[i] =
// src[i with its k base-v digits in reverse order]. Needs nm.
void reflect_m_ruletable(int k, const uint8_t *src, uint8_t *dst);
// The canalyzing text: "C=%d/%d", then "=" and the positions from k-1 down to
// 0 (a position's number or "*") when canaltotal > 0 and k > 1.
void canalyzing_text(char *text, int size, int k);
