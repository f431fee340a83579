// Definitions of the globals of ui/backward (see globals.h).
#include "ui/backward/globals.h"

int16_t barxl = 0, barxr = 0, baryt = 0, baryb = 0;
