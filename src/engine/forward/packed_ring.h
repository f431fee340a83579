// The parallel step of a v = 2 ring under one rule, 64 cells to a word: the
// fast path of forward_step (forward_step.h), which decides when it applies.
// A v = 2 state line is already packed (cell c is bit c % 8 of byte c / 8,
// so bit c % 64 of word c / 64 on a little-endian machine): the step reads A
// and writes F as they are, with no conversion.
#pragma once
#include <cstdint>

// The largest k the packed step holds: an index of k bits must fit nhd's
// 16 bits.
constexpr int packed_ring_max_k = 16;

// k when every cell has k = nhoodm[c] inputs, 0 <= k <= packed_ring_max_k;
// -1 when the cells differ or k is larger. Reads nhoodm (n entries).
int uniform_inputs(uint32_t n);

// 1 when row c of the wiring table holds the ring inputs (c - k/2 + j) mod n
// for j = 0..k-1, for every cell c: the table of a regular 1d network. Reads
// wiring (n rows of k entries).
int wired_as_ring(uint32_t n, int k);

// One parallel step of the ring of n cells with k inputs each (input j of
// cell c is cell (c - k/2 + j) mod n) under the v = 2 rule table `rule`
// (2^k entries, one bit each): f's cells := the rule's entries at the
// cells' neighbourhood indexes in a, index[c] := that index (unless index
// is null: see write_ring_indexes). The bits of f's
// last byte past cell n-1 keep their values. 0 <= k <= packed_ring_max_k.
// It works in file-local buffers: one step at a time, as forward_step.
void step_packed_ring(const uint8_t *rule, int k, uint32_t n, const uint8_t *a, uint8_t *f,
                      uint16_t *index);

// index[c] := the neighbourhood index of cell c in the state the last
// step_packed_ring stepped, of n cells and k inputs as then (the step keeps
// that state laid out until its next call).
void write_ring_indexes(uint32_t n, int k, uint16_t *index);

// The indexes are written 8 cells to a vector, or 16 on a machine with
// AVX2 (x86-64), the widest there is unless asked otherwise: lanes 8 or 16
// asks for that width (16 only where the machine has it), any other value
// asks nothing; returns the width then in use. Both widths give the same
// results: the tests step with each.
int packed_ring_lanes(int lanes);
