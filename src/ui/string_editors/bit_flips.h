// Rule changes while a pattern runs or from the pause box: the key letter
// decides what the rule (or the code under tot_only) becomes, made by the
// engine (engine/forward/bit_flips.h); here the pattern colour swap, the
// status box of a mixed k-mix and the one-line readout of the new rule.
#pragma once

// key: '1' one random flip (recorded), 'r' 'K' 'k' random rule / tcode /
// kcode, 'A' 'M' 'C' Altenberg / majority / chain, 'Z' 'z' Z nudge, '[' ']'
// symmetric / legal, 'B' uniform neighbourhoods keep their value; any other
// key changes nothing and only shows the rule. Returns the colour, swapped
// between white and yellow when cells are coloured by value. The new rule
// is shown in a one-line box beside the colour key.
int bit_flip(char key, int colour);
// The same change, its readout written in the bottom strip as a hint from
// column x on instead, where no running pattern reaches it (the rules of a
// sample, drawn one after another under a wide run): as text, the hex
// bytes those of the rule that fit, a code by its label alone.
int bit_flip_in_strip(char key, int colour, int x);
// Undoes the most recent recorded flip; the colour as bit_flip.
int bit_flipback(int colour);
