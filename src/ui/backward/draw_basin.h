// The basin of attraction of the cycle a forward run found.
#pragma once
#include <cstdint>
#include <vector>

// Draws the basin of the attractor cycle att[1..attperiod], releases att and
// leaves its last key in is[0].
void draw_basin();

// What the stand-in draw_basin was handed, for the tests of the forward run.
struct basin_handover {
    uint32_t calls = 0;                      // draw_basin calls so far
    uint32_t period = 0;                     // attperiod at the last call
    std::vector<std::vector<uint8_t>> cycle; // att[1..attperiod] at the last call
};
extern basin_handover basin_handed_over;
