// Transformations of rule tables that keep or change k: solid, invert,
// complement, negation, reflection, the raise of k to an equivalent rule,
// the drop of the inputs a rule ignores (effective k), the exhaustive map
// and the kcode remap after a raise. The dialog that offers them is
// ui/rule_dialogs/rule_transform.h. A table of k inputs has v^k entries;
// input position j of an index is its base-v digit j (the k-matrix nm).
#pragma once
#include <cstdint>

// The five fixed transformations of a table of k inputs, in place, over its
// own v^k entries (the tail of a longer row is left alone).
void solid_rule(int k, uint8_t *table);      // T[i] := v-1 where digit k/2 of i is v-1
void invert_rule(int k, uint8_t *table);     // T'[i] = T[R-i]
void complement_rule(int k, uint8_t *table); // T'[i] = v-1-T[i]
void negate_rule(int k, uint8_t *table);     // T'[i] = v-1-T[R-i]
void reflect_rule(int k, uint8_t *table);    // T'[i] = T[i with its k digits reversed]

// The same on a tcode of k inputs (entries 0..k(v-1)), so the rule stays
// totalistic: complement T'[s] = v-1-T[s], invert T'[s] = T[k(v-1)-s],
// negation both.
void complement_tcode(int k, uint8_t *tcode);
void invert_tcode(int k, uint8_t *tcode);

// dst (v^(k+1) entries) := the table src of k inputs repeated over one new,
// ignored input: the top digit k when k+1 is odd, digit 0 (the old digits
// moving up) when k+1 is even.
void widen_rule_table(int k, const uint8_t *src, uint8_t *dst);

// The largest k a raise may give a cell: nhood in a k-mix, whose rule
// rows, wiring rows and rule-table side arrays (hist_order, color_filter)
// are all sized for nhood, else Maxnhood.
int raise_ceiling();

// Raises cell's k to k_new one input at a time, the wiring following the
// rule, so that the network's behaviour is unchanged. With a k-mix only
// the cell changes, inside the rows sized for nhood; with one rule the
// whole network changes k and its rule table, wiring, tcode and kcode
// arrays and trie are made again for k_new (the tcode and kcode are left
// empty for the caller's code conversion). A k_new not above the cell's k
// or above raise_ceiling(), or a rule mix without a k-mix, changes nothing
// and returns false.
bool raise_rule_k(int cell, int k_new);

// Bit j of the result set when the table of k inputs depends on input j.
uint32_t active_inputs(int k, const uint8_t *table);

// Drops the inputs cell's table ignores (never the last one), highest
// first, with their wiring slots (the vacated slots read Maxu). With one
// rule (cell 0, no rulemix) every cell loses the same inputs and the
// network's arrays follow the new k. Standard error gets
// "\nci=%d, inactive wires=" and "%d," per ignored input, then a newline,
// when the cell has one. Returns the cell's new k.
int reduce_to_effective_k(int cell);

// The exhaustive map: every cell reads all n cells (k = nhood = n, wiring
// 0..n-1) and cell c's table entry s is the value of cell c in record s of
// table (v^n records of bytesL bytes, the successor of state number s).
// Needs a k-mix of nhood = n.
void apply_exhaustive_map(const uint8_t *table);

// The kcode after a raise of k, from the one before: its top E/2 entries
// are the saved top E/2 and entries 0..E-E/2 are the saved ones, where E is
// the saved entry count; the entries between keep their values. last is
// the new kcode's last index.
void remap_kcode_after_raise(const uint8_t *saved, int saved_entries, uint8_t *kcode, int last);
