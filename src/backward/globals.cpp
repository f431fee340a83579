// Definitions of the backward-run globals (see globals.h).
#include "backward/globals.h"

uint16_t lastlevel = 0;
float *rad = nullptr;
uint32_t maxinhist = 0;
uint32_t *pre_fan_freq = nullptr;
