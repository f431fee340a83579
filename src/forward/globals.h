// Settings and results of forward runs that other folders read.
#pragma once
#include <cstdint>

extern uint32_t limitcheck;   // forward history limit (10,000 by default; 0: pattern only)
extern uint8_t stp;           // 1 while the space-time pattern is shown
extern uint8_t nowscrolling;  // 1 once the pattern has begun to scroll
