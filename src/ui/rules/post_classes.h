// The Post class test with its labels: the answer of the engine's test
// (engine/rules/post_classes.h), and each value's class written on the
// screen, to standard error or to the data file.
#pragma once
#include <cstdint>

// 1 when the rule table of k inputs is in the chosen class, else 0. mode 0
// tests only; mode 2 also writes the label of each value's smallest class
// ("A[%d]i ", "A[%d]3 ", "A[%d]2 "): with flag 1 drawn at the current point,
// with flag 0 after a " " to standard error (output 0), the data file and
// standard error (1) or the data file only (2). ignored is not read.
int post_func(int k, const uint8_t *rule, int mode, int flag, int ignored, int output);
