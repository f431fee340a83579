// Shared globals of the basin and tree drawings.
#pragma once
#include <cstdint>

// Corners of the progress bar's frame (pixels); set by progress_bar, read by
// the long computations that fill it with green.
extern int16_t barxl, barxr, baryt, baryb;
