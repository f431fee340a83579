// The Post dialogs: the restriction of the Post test to one output value
// and class, and the Post listing over a sample or a whole space of rule
// tables, tcodes or kcodes, written to standard error and/or a "*.dat" data
// file. The listing itself is engine/rules/post_listing.h.
#pragma once
#include <cstddef>
#include <cstdint>

// Asks "restrict Post: type(0-%d, def any):" and " mu(i,3,2):" in the
// prompt box and sets ptype and pmu (rules/globals.h): Return means any
// type, a type out of range is refused and asked again; a mu answer out of
// range means any. is[0] is put back as it was.
void restrict_post();
// The Post listing dialog for the current k (nhood) and rule kind, given the
// last entry index and byte length of a rule table, a tcode and a kcode.
// Lists and summarises one run per answer; returns on 'q' at its first
// prompt.
void post_samples(int32_t rule_last, size_t rule_bytes, int32_t tcode_last, size_t tcode_bytes,
                  int32_t kcode_last, size_t kcode_bytes);
