// Mutation between runs: the mutation settings menu with its bit-count and
// wire-count dialogs, the wire mover, the lambda bias of a Z or lambda sweep,
// and mutate_rule, which turns the network just run into the next mutant.
#pragma once
#include <cstdint>

// The mutation menu of a settings pass; leaves its last key in is[0]
// ('q' steps back).
void set_mutation();
// The bit-count dialog ("bits to flip"); 'q' left in is[0] when backed out.
void set_bit_flips();
// Mode 's' (mutation menu) and 'W' (running-pattern keys) ask the number of
// wires to move; mode 'm' moves them. Returns the colour the caller draws
// its next wiring with (unchanged for 's' and 'W').
uint8_t wire_move(char mode, uint8_t color);
// Before each mutant of a Z or lambda sweep: the lambda bias from the sweep's
// progress, and the "total plotted" box.
void biased_new_rule();
// Takes the "total plotted" box away when the sweep's runs end.
void erase_plotted_count();
// Makes the next mutant for neighbourhood size k (every caller passes nhood).
// 1: the network is ready for the next run; 0: a rule-number or code-number
// sweep has no rule left (or a capped search found none).
int mutate_rule(int k);
