// Figures derived from the network's shape: the limits fixed by the value
// range, the lengths of a state line from the number of cells, and the k
// range of a k-mix.
#pragma once

// Sets value_bits, maxL_lu (the largest n whose states are numbered in 32
// bits) and Maxnhood for the value range v, 2..8; with totalistic_only the
// larger Maxnhood of the forward-only totalistic mode.
void set_value_range_limits(int v, bool totalistic_only);
// The Maxnhood of value range v (2..8), with or without totalistic_only.
int largest_k(int v, bool totalistic_only);
// Sets L and bytesL from lineL.
void set_line_lengths();
// Sets nhood_lb and nhood_ub from nhoodm.
void nhood_lb_ub();
