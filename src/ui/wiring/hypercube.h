// The hypercube wiring dialog: passes of engine/wiring/hypercube.h until one
// is accepted.
#pragma once

// Wires cell c to c XOR 2^p for p = 0..d-1 (and to itself last when
// k = d + 1), each wire kept with probability hyper_prob percent; below 100
// percent reports what survived and offers a new pass, a k-mix save or
// acceptance.
void hypercube();
