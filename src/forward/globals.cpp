// Definitions of the forward-run settings (see globals.h).
#include "forward/globals.h"

uint32_t limitcheck = 0;
uint8_t stp = 0;
uint8_t nowscrolling = 0;
