// Fingerprints of what a forward run steps: the network as the forward step
// reads it (rules, k of each cell, wiring, update mode and the forward-only
// overrides) and the state line it stands on. A run takes them before and
// after a running key or a box that may have changed either, and the
// measures that keep a history of past states (the attractor search, the
// frozen skeletons) start over when they differ: states of two networks,
// or a trajectory broken by a state set by hand, cannot be compared.
#pragma once
#include <cstddef>
#include <cstdint>

#include "engine/forward/forward_step.h"

// A 64-bit hash of a state line of bytes bytes.
uint64_t line_hash(const uint8_t *line, size_t bytes);

// A hash of everything forward_step reads besides the state A: the value
// range and size, each cell's k, the wiring table, the rule tables or codes
// of rules (the rows the step takes), the update order, the step mode's
// update switches and the forward-only overrides. Two networks that step
// alike may differ; two that differ in any of these differ but for a
// collision of the hash.
uint64_t network_fingerprint(uint8_t **rules, const step_mode &mode);

// What the run stands on at its time-step t: the network, the state A and t.
struct run_fingerprint {
    uint64_t network = 0;
    uint64_t state = 0;
    uint32_t time = 0;
    uint16_t bytes = 0;
    bool operator==(const run_fingerprint &o) const
    {
        return network == o.network && state == o.state && time == o.time && bytes == o.bytes;
    }
    bool operator!=(const run_fingerprint &o) const { return !(*this == o); }
};
run_fingerprint fingerprint_run(uint8_t **rules, const step_mode &mode, uint32_t t);
