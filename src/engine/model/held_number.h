// A number typed at a prompt, held to the range its figure can draw: the
// reading of the answer's text and the holding, with no window, so that a
// prompt's range can be tested as data. The prompts read their answers
// through answer_held (ui/screen/question_table.h), which also echoes what
// was taken.
#pragma once
#include <string>

// The range a typed number is held to, both ends taken.
struct number_bounds {
    double low, high;
};

// value held within bounds: one past a bound is kept at it, one that is
// not a number at the low bound.
double held_within(double value, number_bounds bounds);

// What an answer's text gives.
struct held_answer {
    double value; // the number taken
    bool held;    // it is not the number typed: out of range, cut to a
                  // whole number, or the fallback for text with no number
};
// The number text starts with, as strtod reads it ("1e-9", "inf"), held
// within bounds; whole: cut to a whole number first, as atol reads "2.7".
// Text that starts with no number, or reads "nan", gives fallback, as it is
// (an empty answer keeps the prompt's default; held is then false).
held_answer held_answer_of(const std::string &text, double fallback, number_bounds bounds,
                           bool whole = false);
