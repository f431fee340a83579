// Random states as the seed dialog and the run set them: a new random
// current state or a Hamming change (engine/rules/random_states.h) with the
// drawing colour and the density line, and the pattern colour swap.
#pragma once

// The pattern colour swap: with cells coloured by value (ncolor 0) white
// becomes yellow and yellow white; any other colour, or ncolor 1, passes.
int swap_pattern_colour(int colour);

// mode 0: nothing, returns ncolor. mode 100: a new random A (the damage form
// when diff_plot is set, else random_state_at_density). Another mode p:
// hamming_change(p). For any mode but 0 the drawing colour becomes white and
// the swapped colour is returned; show 1 writes the density line. Needs the
// window.
int random_seed(int colour, int mode, int show);
