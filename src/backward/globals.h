// Modes and results of the pre-image and basin runs that other folders read.
#pragma once
#include <cstdint>

extern uint8_t neutral_order;      // 1 in neutral-order mode: states are update-order ranks
extern uint8_t exhaustive_testing; // 0 pre-images, 1 exhaustive successor table, 2 random map
extern uint16_t templineL;         // the real n while neutral-order mode borrows lineL; else 0

// Tree layout and in-degree counts, allocated by the network-size stage
// (not with tot_only) and freed when stepping back past it.
extern uint16_t lastlevel;      // deepest tree level drawn; 90 from the network-size stage
extern float *rad;              // 91 radii of the basin layout
extern uint32_t maxinhist;      // largest in-degree counted in pre_fan_freq
extern uint32_t *pre_fan_freq;  // in-degree counts 0..maxinhist

// Successor table: v^n records of bytesL bytes, record s the state line of
// the successor of state number s (label "exh_pairs"); null when there is
// none. Read by the forward step in the random-map mode.
extern uint8_t *exh_pairs;

// Basin types of a field: the attractor jump graph counts them.
extern uint16_t basintypeno;    // basin types recorded so far in the current field
extern uint8_t meta_graph;      // 1: the field records its basin types for the jump graph
