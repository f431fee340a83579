// The graphics settings menu: font size, window size, background, blink.
#pragma once

void revise_graphics();
