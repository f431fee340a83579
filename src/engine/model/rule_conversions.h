// Conversions between the rule kinds: tcode and kcode to rule table, rule
// table back to kcode, the listing of a kcode, the exchange of two values in
// a kcode, and the largest decimal number of a rule or state. The prompt of
// the exchange is ui/model/rule_conversions.h.
#pragma once
#include <cstdint>

// With rule_kind_tcodes: rule entry i := tcode entry (sum of the k input values
// of neighbourhood i), for every i < v^k. Otherwise nothing. Needs nm.
void code2rule(uint8_t *rule, const uint8_t *tcode, int k);
// direction 1: rule entry i := kcode entry (value-count tuple of i).
// direction 0: derives the kcode from the rule; each kcode entry takes the
// output of the smallest index of its class among 0..v^k-1-half, else of the
// largest index of the class above. Other directions do nothing. Needs nm
// and the value-count trie for k.
void v_code2rule(uint8_t *rule, uint8_t *kcode, int k, int direction);
// True when direction 1 of v_code2rule would give exactly this rule table
// of k inputs from the kcode: the table's outputs depend on the value counts
// of its inputs alone, and the kcode holds them. A widened rule (an input
// ignored) or a solid one (the centre input decides) is not held by any
// kcode unless it is constant. Needs nm and the value-count trie for k.
bool kcode_holds_rule(const uint8_t *kcode, const uint8_t *rule, int k);
// Lists a kcode with its tuples on standard error: mode 0 vertical,
// 1 horizontal, 2 a triangle matrix (v = 3 only; nothing for other v).
void fprintf_vcode(int mode, const uint8_t *kcode, int k);
// Rewrites the kcode as if values a and b (both below v) were exchanged in
// every input and every output.
void exchange_values_vcode(uint8_t *kcode, int k, int a, int b);
// The largest number of last+1 base-v digits when it fits 32 bits (last up
// to 31, 19, 15, 12, 11, 10 for v = 2..7), else 0; v = 8 always gives 0.
uint32_t max_dec_rule(int last, int v);
