// The neighbourhood-size stage: one k for every cell, or a k-mix.
#pragma once

// inbox 0 writes the prompt in the text column, 1 in a one-line prompt box.
// Allocates nhoodm; leaves the ending key in is[0] ('q': step back).
void select_nhood_size(int inbox);
