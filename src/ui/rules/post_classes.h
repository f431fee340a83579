// Post classes of a rule table: for an output value c, class A^inf ('i')
// when one input position holds c in every neighbourhood that maps to c,
// A^3 when any three such neighbourhoods share a position holding c, A^2
// when any two do. The restriction globals ptype and pmu (rules/globals.h)
// choose the class the test answers for.
#pragma once
#include <cstdint>

// 1 when the rule table of k inputs is in the chosen class, else 0. mode 0
// tests only; mode 2 also writes the label of each value's smallest class
// ("A[%d]i ", "A[%d]3 ", "A[%d]2 "): with flag 1 drawn at the current point,
// with flag 0 after a " " to standard error (output 0), the data file and
// standard error (1) or the data file only (2). ignored is not read.
int post_func(int k, const uint8_t *rule, int mode, int flag, int ignored, int output);
