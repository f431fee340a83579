// The rules and codes the rule dialogs and the rules stage make by
// themselves, cell by cell: the life rule, the majority of a mixed-k
// network, the self-wiring rule, random tables and codes, Post-restricted
// draws, the similar kcode of another k, and the check of typed rule
// numbers. The families they call are
// rule_families.h, symmetric_rules.h and code_families.h. Every generator
// keeps its draw order: one seed gives one rule. Start at make_mix_rule.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Draws a Post-restricted rule at most this many times before giving up.
constexpr int kPostDraws = 10000;

// The life rule of k inputs (entries 0..last), centre input position
// ceil(k/2)-1. v = 2: 1 for a 0 centre with 3 inputs at 1, or a 1 centre
// with 3 or 4 (the centre counted); else 0. v > 2 with m = (v-1)k and s
// the sum less the centre x: x+1 when x < v-1 and s = m/3 (integer);
// otherwise x-1 when x > 0 and s >= 4m/9 or s < 2m/9; otherwise x.
// Needs nm; any k from 1 (k = 1: centre position 0).
void life_rule(uint8_t *rule, int k, int32_t last);

// The majority of a mixed-k network. v = 2: 1 when more than half of the k
// inputs are 1, 0 when fewer; a tie (even k) takes input position k/2-1.
// flipped: entry 0 becomes 1 and the last entry 0. v > 2: majority_rule
// (flipped is ignored). Needs nm.
void mixed_majority_rule(uint8_t *rule, int k, int32_t last, bool flipped);

// The rule of a k = 1 cell wired to itself: entry u = u, so the cell keeps
// its value as a cell with no inputs would. Any v.
void self_wiring_rule(uint8_t *rule);

// A random rule table, entries last down to 0: v = 2 a draw random() % 100
// below 50 gives 0, else 1; v > 2 random() % v. force_zero then sets entry
// 0 to 0.
void random_rule_table(uint8_t *rule, int32_t last, bool force_zero);
// A random tcode or kcode: entries last down to 0 random() % v; force_zero
// then sets entry 0 to 0.
void random_code(uint8_t *code, int32_t last, bool force_zero);

// A rule table drawn entry by entry, 0 upward, random() % v, redrawn until
// the Post restriction (ptype, pmu) accepts it: true. After kPostDraws
// draws, or when search_stopped says so, false (the last draw stays).
bool draw_post_rule(uint8_t *rule, int k, int32_t last);

// One rule table of a mix for the method key: 'm' or 'f' the mixed-k
// majority; 'c' chain_rule (chain_index the rule index it is given); 'A'
// altenberg_rule; 's', 'S' symmetric_rule; 'P' draw_post_rule; anything
// else random_rule_table. False only when a Post draw gave up.
bool make_mix_rule(char method, uint8_t *rule, int k, bool force_zero, int chain_index);

// The kcode of new_k inputs like the current kcode of k inputs (old, last
// index old_last): entries 0..L'-1 drawn random() % v (L' the new last
// index), then the old top entries copied to the new top and the old
// bottom entries to the new bottom, the bottom copy ending at the old last
// entry. Needs nothing but the value range.
std::vector<uint8_t> similar_kcode(const uint8_t *old, int k, int new_k);

// The number typed at a decimal rule, code or seed prompt: true with it in
// *number when the text starts with a decimal number not above limit. A
// number of more digits than 64 bits hold, an empty entry or one that is
// no number gives false. Reading stops at a NUL or the Return code 13.
bool typed_number_within(const char *text, size_t length, uint64_t limit, uint32_t *number);
