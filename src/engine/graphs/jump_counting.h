// The link weights of the attractor jump graph: from every attractor state
// of every node, every one-cell perturbation is run forward until it meets
// the first attractor state of some node, and the link from the node it
// left to the node it met gains 1. The field's graph counts its basin types
// (the table of engine/backward/basin_types.h), the attractor histogram's
// graph the attractor types its forward runs met.
#pragma once
#include <cstdint>

#include "engine/forward/forward_step.h"

// Shown between perturbations: the share of them done, in percent, each
// time it reaches the next whole percent (only when there are more than 100).
typedef void (*graph_progress)(unsigned percent);

// The attractor types of the attractor histogram, as its graph takes them.
// Arrays run 1..count (entry 0 unused).
struct attractor_types {
    uint32_t count = 0;                   // the types: the graph's nodes
    const uint32_t *runs = nullptr;       // forward runs that ended in each type
    const uint32_t *period = nullptr;     // attractor period of each type
    const float *mean_transient = nullptr; // mean transient of each type, in steps
    uint32_t sampled = 0;                 // forward runs sampled so far
    uint8_t *const *const *states = nullptr; // each type's attractor states 1..period
    uint8_t **rules = nullptr;            // the runs' rules: carule, or the codes with tot_only
    step_mode mode;                       // the runs' update mode (no forward-only overrides)
};

// The field's graph: node i = basin type i of the table, its weights,
// periods (node_period), m_space = v^n and m_size = n (v-1). A step is a
// look-up in the successor table while exhaustive_testing is on (the map
// the field was drawn with, random map and update order included), else a
// forward_step under the field's rules and update mode. A run stopped after
// v^n steps (a field left incomplete) counts in column 0. Polls the key
// between steps; returns false on 'q' with nothing held, else true with the
// graph data open (open_graph_data, mode graph_field, with links). A, F and
// the caller's step arrays are as they were.
bool count_field_jumps(graph_progress progress);
// The attractor histogram's graph: node i = type i, histnodesize and
// node_period copied, m_space = the runs sampled, m_size = n (v-1). Each
// run steps with forward_step on types.rules and types.mode (never through a
// random map) and may make 3 x (largest period + largest mean transient,
// truncated) + 1 steps; a run that met no type by then counts in column 0.
// Returns as count_field_jumps.
bool count_attractor_jumps(const attractor_types &types, graph_progress progress);
