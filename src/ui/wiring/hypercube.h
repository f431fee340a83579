// Hypercube wiring of 2^d cells, thinned by the wire probability hyper_prob.
#pragma once

// Wires cell c to c XOR 2^p for p = 0..d-1 (and to itself last when
// k = d + 1), each wire kept with probability hyper_prob percent; below 100
// percent reports what survived and offers a new pass, a k-mix save or
// acceptance.
void hypercube();
// One pass of it: every cell rewired from the full k = nhood, one random
// draw per position (cells from n-1 down, positions from 0 up) below 100
// percent; cut wires lower the cell's k and count in wires_cut.
void hypercube_pass();
