// The Post listing: a random sample of rule tables, tcodes or kcodes (by the
// rule kind totalistic), or every one of their space, tested for the Post
// class chosen by ptype/pmu (rules/globals.h), listed a line group each and
// counted. This file makes the candidates, counts and composes the text;
// the dialog that asks for the run and writes the text to standard error
// and the data file is ui/rules/post_listing.h. Start at run_post_listing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/rules/post_classes.h"

// The answers of one run of the listing dialog.
struct post_listing_request {
    int k = 0;                // inputs of the rule tables (nhood)
    int32_t rule_last = 0;    // v^k - 1
    size_t rule_bytes = 0;    // bytes of a rule table
    int32_t code_last = 0;    // last entry of a tcode or kcode (codes only)
    size_t code_bytes = 0;    // bytes of one (codes only)
    bool whole_space = false; // every string of the space, else a random sample
    uint64_t passes = 0;      // the sample size, or v^E for the whole space
    bool post_only = true;    // list only Post functions; else list all
};

// Counts of a run: the strings listed as Post functions and the passes made
// (fewer than asked when 'q' stopped it).
struct post_listing_counts {
    uint64_t count = 0;
    uint64_t passes_made = 0;
};

// The whole space's size is refused above this many strings: pass numbers
// are the strings' numbers, 32-bit as dec_to_value_line takes them.
constexpr uint64_t post_space_limit = 4294967296ull;

// Entries E of the strings the listing runs over: rule_last + 1 for rule
// tables, code_last + 1 for codes.
int post_space_entries(const post_listing_request &r);
// v^E, or post_space_limit + 1 when it is larger than the limit.
uint64_t post_space_size(int entries);
// v^E - 1 as the first prompt shows it, at most 4294967295.
uint32_t post_space_max(int entries);
// "rule-space", "tcode-space" or "kcode-space" by totalistic.
const char *post_space_name();

// One listed string: "\n %lu: " with the pass number, a code's entries from
// the last down (code null for rule tables), " ", the rule table's entries
// from v^k - 1 down, then " " and the class labels when flags is not null,
// then "  C=%d" (canalyzing inputs), for v = 2 " P=%g" ((1 - lambda ratio)
// * 0.5 + 0.5), and " Z=%g". Computes the rule's figures (zparam, canal,
// lratio change).
std::string post_line_group(uint64_t pass, const uint8_t *code, int32_t code_last,
                            const uint8_t *rule, int k, const post_flags *flags);
// The closing line: "\n v%dk%d: Post count=%lu=%.3f%%, " then "sample=%lu"
// or "rule-space=%lu" (tcode-, kcode-) with the size asked for; the
// percentage is taken over that size, also after an early stop.
std::string post_listing_summary(const post_listing_request &r, uint64_t count);

// Runs the passes from passes-1 down to 0. Before each, a 'q' from key_poll
// (model/key_poll.h) ends the run. A sample pass draws entries 0..E-1 with
// random() % v in increasing order; a whole-space pass writes the pass
// number as the string. Codes are expanded into the rule table. Every
// listed string's line group goes to emit.
post_listing_counts run_post_listing(const post_listing_request &r,
                                     const std::function<void(const std::string &)> &emit);
