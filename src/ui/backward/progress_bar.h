// The progress bar of long computations: an empty frame whose corners the
// caller fills with green as it goes (its corners: ui/backward/globals.h).
#pragma once

// Draws the empty frame at the top right and sets its corners.
void progress_bar();
