// Post classes of a rule table: for an output value c, class A^inf ('i')
// when one input position holds c in every neighbourhood that maps to c,
// A^3 when any three such neighbourhoods share a position holding c, A^2
// when any two do. The restriction globals ptype and pmu (rules/globals.h)
// choose the class the test answers for. The labels the screens and data
// files show are ui/rules/post_classes.h.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The classes of each output value c (index c < v).
struct post_flags {
    bool ai[8], a3[8], a2[8];
};

// The classes of the rule table of k inputs in *flags; false (flags not
// written) when the table cannot be tested: v outside 2..8, k outside 0..20,
// or v > 2 without the k-matrix nm.
bool find_post_classes(int k, const uint8_t *rule, post_flags *flags);
// 1 when the classes are those the restriction ptype/pmu chooses, else 0.
int post_class_answer(const post_flags &f);
// The label of each value's smallest class, in the order they are shown:
// "A[c]i " for every c in A^inf, then "A[c]3 " for the rest in A^3, then
// "A[c]2 " for the rest in A^2, each group from c = v-1 down to 0.
std::vector<std::string> post_class_labels(const post_flags &f);
