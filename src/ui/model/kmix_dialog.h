// The k-mix dialog: a k for each cell, from a file, by hand, around an
// average, by a power law or percentages, or at random between bounds;
// then a summary with the histogram and saving. Also the histogram of k,
// out-degree or in-plus-out degree that the wiring editors show.
#pragma once

// Sets nhoodm per cell, nhood_lb, nhood_ub, nhood (at least the largest k)
// and nhood_mixed (1 from the moment it opens). Returns with 'q' in is[0]
// when left from its menu with 'q' (nhoodm then all 0), else with Return.
// Restores the current point.
void set_dif_nhoods();

// Loads a k-mix file ('l' in is[0]; 'L' reads only its length); a file
// shorter than the network is padded with a background k the user picks.
// 'q' in is[0] when it was backed out or refused.
void load_nhoodmix();

// Histogram box: mode 1 k frequencies (nhoodm), 2 out-degrees (recounted),
// 3 in-degree plus out-degree; its save/load keys pass the counts to
// hist_save_load. Leaves is[0] = 0.
void draw_k_hist(int mode);
