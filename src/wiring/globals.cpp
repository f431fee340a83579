// Definitions of the wiring settings (see globals.h).
#include "wiring/globals.h"

uint8_t loc_twod_fonly = 0;
