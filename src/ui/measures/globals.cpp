// Definitions of the sweep graph's geometry (see globals.h).
#include "ui/measures/globals.h"

int16_t gox = 0, goy = 0;
double lx = 0, ly = 0;
int16_t graphspot = 1;
