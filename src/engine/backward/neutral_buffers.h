// The switch between the network and the space of its update orders, in
// which a state is the lexicographic rank of an order of the n cells
// (forward/update_order.h), held as a binary line of b cells, b the fewest
// bits that hold n! - 1. The neutral-order runs, and the order dialog that
// reads an order rank as a state, work between reset_neutral_buffs and
// restore_network_buffs.
#pragma once
#include <cstdint>

// Orders are ranked in 32 bits (fact): the mode takes networks of 1 to
// this many cells.
constexpr int kMaxNeutralCells = 12;

// The bits of a rank line for n cells: the smallest b (1..32) with
// n! - 1 < 2^b; n = 4 gives 5, n = 12 gives 29.
int order_rank_bits(int n);
// Enters the order space: templineL := n, statespace := n! - 1, lineL := b
// (v = 2, 1d, nonlocal 1, 2d sides of b cells), fresh zero-filled state
// lines; the network's size, shape and state lines are kept aside, so the
// seed survives. neutral_order := 1. Refused (false, nothing changed) when
// n is 0 or above kMaxNeutralCells, or the order space is already on.
bool reset_neutral_buffs();
// Back to the network: frees the rank's state lines and puts the network's
// size, shape and state lines back; neutral_order := 0. statespace stays
// n! - 1 for the summary of a neutral field. Nothing when the mode is off.
void restore_network_buffs();
