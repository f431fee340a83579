// The colour of a neighbourhood index (a rule-table, tcode or kcode
// entry), shared by the cells coloured by the entry they looked up and the
// lookup histogram of the input entropy plot.
#pragma once
#include <cstdint>

// The colour of neighbourhood index x of a cell with k inputs: one of the 16
// old colours, the last index white.
uint8_t set_nhdcolor(int k, uint32_t x);
