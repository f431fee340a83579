// The wiring stage's dialog: the wiring kind and the lattice of the network.
#pragma once

// Sets whatwire, the dimension flags, the lattice sizes (reallocating the
// size-dependent arrays and asking k again) and the run flags; 'q' in is[0]
// when the user steps back out of the stage.
void select_wiring_options();
// Whether k is a neighbourhood size of the hexagonal lattice.
bool hexagonal_k(int k);
// Whether the hypercube wiring is offered: one k for all cells, n a power
// of two 2^d and k = d or d + 1.
bool hypercube_offered();
