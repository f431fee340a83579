// The run part that follows the set-up: seed, output settings, runs and the
// options after each display.
#pragma once

// Runs the network until the user steps back into the set-up ('q' in is[0]).
void run_part();
// The left edge of the frame a sweep's runs draw in: right of the
// space-time pattern when one is shown.
int run_frame_left();
