// Code families: the majority tcode, the majority kcode with its random
// tie-break, the reaction-diffusion row of an outer-totalistic kcode, the
// Altenberg kcode and the "lucky" reshaping of a kcode, each filling one
// code in place. Kcode entry i stands for the value-count tuple
// v_index[k][i] of the value-count trie (model/value_count_trie.h), which
// must be built for k. The draw order of random() is part of each
// generator. The reaction-diffusion thresholds are asked by
// ui/rules/rule_families.h. Start at majority_tcode.
#pragma once
#include <cstdint>

// The tcode of k inputs (entries 0..last, last = k(v-1)) whose sum range is
// cut into v nearly equal intervals, output t for the t-th from the bottom.
// For v = 2 entry s is 1 above k/2 ones and 0 below; with even k the entry
// of exactly k/2 ones is bit ceil(k/2)-1 of the number k/2 (1 for k = 2 and
// 4, 0 from k = 6 on). No random draws.
void majority_tcode(uint8_t *tcode, int k, int32_t last);
// mode 1: every kcode entry is its most frequent input value; a tie draws
// one random() among the tied values listed from the highest down. Other
// modes do nothing.
void majority_or_fprintf_vcode(int mode, uint8_t *kcode, int k);
// Row c of an outer-totalistic kcode for the count window lower..upper:
// entry i is c when the count of value c in tuple i lies in the window,
// else 0.
void fill_reaction_diffusion_outer(int c, uint8_t *kcode, int k, int32_t last, int lower,
                                   int upper);
// Entry i (from 0 up) draws x = random() % 1000 and takes the first value j
// whose per-mille share (count of j * 1000 / k, each truncated) covers x;
// an x above the truncated total leaves the entry as it was.
void altenberg_kcode(uint8_t *kcode, int k, int32_t last);
// Reshapes a kcode: uniform entries (all inputs one value) become 0; then
// entries without the value v-1 become 0, and those with one v-1 and no v-2
// become v-1. The rest keep their values.
void lucky_vcode(uint8_t *kcode, int k);
