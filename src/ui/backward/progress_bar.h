// The progress bar of long computations: a framed box in the band below the
// status box, from the middle of the window to its right edge.
#pragma once

// Draws the empty bar over its background and sets barxl, barxr, baryt,
// baryb, its inner rectangle.
void progress_bar();
