// Modes of the pre-image and basin runs that other folders read.
#pragma once
#include <cstdint>

extern uint8_t neutral_order;      // 1 in neutral-order mode: states are update-order ranks
extern uint8_t exhaustive_testing; // 0 pre-images, 1 exhaustive successor table, 2 random map
extern uint16_t templineL;         // the real n while neutral-order mode borrows lineL; else 0

// Successor table: v^n records of bytesL bytes, record s the state line of
// the successor of state number s (label "exh_pairs"); null when there is
// none. Read by the forward step in the random-map mode.
extern uint8_t *exh_pairs;
