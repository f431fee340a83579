// Wiring settings that other folders read.
#pragma once
#include <cstdint>

extern uint8_t loc_twod_fonly; // 1: a local 2d/3d lattice run forward only, no wiring table
