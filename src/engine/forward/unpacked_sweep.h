// The parallel step of a network wired by its wiring table, any v, one rule
// or a rule per cell, with the cells unpacked one byte each: the fast path
// of forward_step (forward_step.h) off the packed ring, which decides when
// it applies (no overrides, no codes, no sequential update).
#pragma once
#include <cstdint>

// What the step reads: the rules (rules[c] with mix, else rules[0]; entries
// of w bits, v = 2 when w is 1), the k of each cell, the wiring table, and
// v^j for the inputs' weights.
struct unpacked_network {
    uint8_t *const *rules;
    bool mix;
    int w;
    const int8_t *k_of;
    uint16_t *const *wires;
    const uint32_t *vpow;
};

// Copies the inputs of the n cells (k_of[c] of row c of wires) into one
// array, which the step then reads instead of the rows while it is given
// the same wires, k_of and n: rows allocated one by one lie apart in
// memory, and a step reads them all. Called by recheck_forward_network, as
// the wiring table and the k-mix may change between runs or, with a
// recheck, between steps. forget_wiring drops the copy.
void follow_wiring(uint16_t *const *wires, const int8_t *k_of, uint32_t n);
void forget_wiring();

// One parallel step of the n cells: f's cells := the rule's entries at the
// cells' neighbourhood indexes in a (input j weighs v^j), and index[c] :=
// that index. The bits of f's last byte past cell n-1
// keep their values. n is at most 65535; every cell's k at most 32.
// It works in file-local buffers: one step at a time, as forward_step.
void step_unpacked(const unpacked_network &net, uint32_t n, const uint8_t *a, uint8_t *f,
                   uint16_t *index);
