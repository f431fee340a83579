// The random wiring dialogs: the bias dialog and the per-layer quota dialog
// of 3d lattices. The biases are globals of wiring/globals.h; the draw that
// reads them is engine/wiring/random_wiring.h.
#pragma once

// The bias dialog. is[0] afterwards: 'q' when stepped back out of its first
// question, 0 after 'd', else the last key typed.
void bias_random_wiring();
// The quota dialog of a 3d lattice: how many of a cell's inputs go to each
// layer (force_layer, one entry per layer).
void force_rand_links_layer();
