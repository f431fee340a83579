// Hypercube wiring of 2^d cells, thinned by the wire probability hyper_prob.
// The dialog that repeats a pass until one is accepted is
// ui/wiring/hypercube.h.
#pragma once

// d with n = 2^d (the least d with 2^d >= n).
int hypercube_dimension(int n);
// One pass: cell c wired to c XOR 2^p for p = 0..d-1 (and to itself last
// when k = d + 1), every cell rewired from the full k = nhood, one random
// draw per position (cells from n-1 down, positions from 0 up) below 100
// percent; cut wires lower the cell's k and count in wires_cut.
void hypercube_pass();
