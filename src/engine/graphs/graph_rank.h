// The rank layout of the graph window: the nodes sorted by their weight
// (the basin volume, the runs that ended in the attractor type, or a
// cell's out-degree plus its k) take the places the nodes 1, 2, ... had,
// so that a circle runs from the smallest node to the largest.
#pragma once
#include <cstdint>

// Sorts order[1..count] into ascending weight[order[p]] by the bubble sort
// over positions 2..count: neighbours swap while the later one weighs
// less, passes repeat until one swaps nothing. Equal weights keep their
// order; fewer than 2 entries are left alone.
void reorder_rank(uint32_t *order, const double *weight, uint32_t count);
// The weight node i is ranked by in the open graph's mode: the basin
// volume (field), the runs that ended in the type (attractors), the cell's
// out-degree plus its k (network).
double rank_weight(uint32_t i);
// The node at rank r takes the position node r had before.
void place_by_rank();
