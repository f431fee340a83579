// The wiring listing: the wiring table as a paged table in a window on the
// right half of the screen, one row per cell with its out-degree, its inputs
// and, with a rule mix, its own rule; optionally copied to standard error.
#pragma once

// left: the window's left x (0: its own default window, which honours the
// 'l' and 'f' keys); small_font: 1 for the small font; page_only: 1 draws one
// page and returns its last cell; start: the first (highest) cell shown,
// normally n-1; copy: 1 also writes the table to standard error. Returns the
// last cell drawn with page_only, else 0.
int print_wiring_scheme(int left, int small_font, int page_only, int start, int copy);
