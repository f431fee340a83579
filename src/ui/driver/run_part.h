// The run part that follows the set-up: seed, output settings, runs and the
// options after each display.
#pragma once

// Runs the network until the user steps back into the set-up ('q' in is[0]).
void run_part();
