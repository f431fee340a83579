// Figures derived from the network's shape: the lengths of a state line
// from the number of cells, and the k range of a k-mix.
#pragma once

// Sets L and bytesL from lineL.
void set_line_lengths();
// Sets nhood_lb and nhood_ub from nhoodm.
void nhood_lb_ub();
