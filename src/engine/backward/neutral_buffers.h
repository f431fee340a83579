// Stand-in until the neutral-order mode of the pre-image runs is built:
// entering and leaving the mode in which a state is the bit string of an
// update order's rank. It swaps the network's size and state lines for the
// rank's and back, which is all the all-orders dialog needs of it.
#pragma once

// Enters neutral-order mode: templineL := n, lineL := the bits of n! - 1
// (v taken as 2 and the network as 1d), statespace := n! - 1, fresh state
// lines for that size; the network's own are kept aside. For n <= 12.
void reset_neutral_buffs();
// Leaves neutral-order mode: frees the rank's state lines and puts the
// network's size, shape and state lines back.
void restore_network_buffs();
