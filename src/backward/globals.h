// Results and settings of backward runs (pre-images, trees, basins) that
// other folders read or set.
#pragma once
#include <cstdint>

extern uint16_t lastlevel;      // deepest tree level drawn; 90 from the network-size stage
extern float *rad;              // 91 radii of the basin layout; network-size stage, not with tot_only
extern uint32_t maxinhist;      // largest in-degree counted in pre_fan_freq
extern uint32_t *pre_fan_freq;  // in-degree counts 0..maxinhist; network-size stage, not with tot_only
