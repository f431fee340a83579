// Rule changes while a pattern runs or from the pause box: the key letter
// decides what the rule (or the code under tot_only) becomes, made by the
// engine (engine/forward/bit_flips.h); here the pattern colour swap, the
// status box of a mixed k-mix and the one-line readout of the new rule.
#pragma once

// key: '1' one random flip (recorded), 'r' 'K' 'k' random rule / tcode /
// kcode, 'A' 'M' 'C' Altenberg / majority / chain, 'Z' 'z' Z nudge, '[' ']'
// symmetric / legal, 'B' uniform neighbourhoods keep their value; any other
// key changes nothing and only shows the rule. Returns the colour, swapped
// between white and yellow when cells are coloured by value. With readout
// false the new rule is not shown (a running display would draw over it).
int bit_flip(char key, int colour, bool readout = true);
// Undoes the most recent recorded flip; the colour as bit_flip.
int bit_flipback(int colour);
