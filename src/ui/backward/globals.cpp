// Definitions of the globals of ui/backward (see globals.h).
#include "ui/backward/globals.h"

int16_t barxl = 0, barxr = 0, baryt = 0, baryb = 0;
uint8_t linec = 0, spotc = 0, start_edge_color = 0;
uint8_t matrixcolor = 10;
uint32_t matrixx = 0, matrixy = 0;
