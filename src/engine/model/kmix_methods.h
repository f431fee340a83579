// The ways a k-mix is made, apart from their dialog so that they can be
// checked without a window: counts per k from percentages or a power law,
// the mix filled from counts (in order or shuffled), a mix around an
// average and one drawn at random between bounds. All write nhoodm for
// the lineL cells; counts[k] is the number of cells to get k (index 0
// unused), arrays of Maxnhood + 1 entries.
#pragma once
#include <cstdint>

// Cells per k from the percentage of each k (shares[1..Maxnhood]):
// trunc(lineL * share / 100). Returns their total.
uint32_t kmix_counts_from_shares(const float *shares, uint16_t *counts);

// Cells per k = 1..K for a power law of exponent g: the share of k is
// proportional to k^-g, rescaled to total lineL. K = 1, g = 1 or a law
// that rounds to nothing give every cell k = 1. Returns the total (lineL).
uint32_t kmix_power_law_counts(int K, float g, uint16_t *counts);

// Gives cells the counts leave out to the largest k (at most upper) that
// has a count; nothing when every count is 0.
void kmix_complete_counts(uint16_t *counts, int upper, uint32_t total);

// Fills nhoodm from the counts: the first counts[1] cells k = 1, the next
// counts[2] k = 2 ...; with shuffle, cell c then takes the k at a position
// shuffled in 40 passes (each swapping position i with random() % lineL for
// every i). Sets nhood_lb and nhood_ub to the smallest and largest k with a
// count. Returns -1, or the first position past the last cell should the
// counts exceed lineL (nothing is written there).
long kmix_fill_from_counts(const uint16_t *counts, bool shuffle);

// T = trunc(average * lineL) + 1 increments of one each to cells drawn with
// random() % lineL, an increment that would pass upper taken back; cells
// still at 0 then get k = 1.
void kmix_around_average(float average, int upper);

// Every cell k in lower..upper: all the same when the bounds are equal,
// else each drawn as random() % (Maxnhood + 1) until it lies within them.
void kmix_random_between(int lower, int upper);

// The default upper bound of the random method: for v = 2, 9 when lower is
// at most 9, else lower; for v > 2, Maxnhood.
int kmix_default_upper(int lower);
