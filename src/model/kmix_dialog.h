// The k-mix dialog: a k for each cell, by hand, from a file, around an
// average, by a power law or percentages, or at random between bounds.
#pragma once

// Sets nhoodm per cell and nhood_mixed; 'q' in is[0] when left with 'q'.
void set_dif_nhoods();
