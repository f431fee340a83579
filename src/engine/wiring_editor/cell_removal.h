// Taking a cell out of a network under review: killing it (the cell keeps
// only a link to itself with the identity rule, and no other cell reads it)
// and deleting it from a 1d network (the cells above it move down one
// place). Both work on the shared network model: the wiring table, nhoodm,
// the per-cell rule tables and codes of a rule mix, and the network size.
#pragma once
#include <cstdint>

// Kills cell c: k := 1, input 0 := c itself, rule := identity. Every other
// cell that reads c loses each such input (the inputs above it move down):
// a reader left with no input becomes self-wired with the identity rule,
// any other gets k - 1 and a fresh random rule table for its new k. Rule
// tables change only with a rule mix (each cell its own table); with a
// shared rule only the wiring and k change. Allocates a row scratch
// ("tempwiring") for the time of the call; recounts nhood_lb, nhood_ub.
// Nothing with tot_only.
void cut_in_out_links(uint16_t c);

// Deletes cell c of a 1d network of at least two cells: kills it, moves
// cells c+1..n-1 (inputs, k, rule table and codes) down one place,
// renumbers every input above c, and shrinks every array sized by n (the
// wiring rows, nhoodm, celloutfreq, the rule and code mixes, the state
// lines). n, L and bytesL become the new size; the out-degrees are
// recounted. Nothing with tot_only.
void delete_cell(uint16_t c);

// 1 when cell c is frozen: the rules are set (rules_set, not tot_only),
// c has k = 1, reads only itself, and its rule table (its own with a rule
// mix, else table 0) is the identity (entry i is i for every value i): the
// cell keeps its value for ever, and the editors draw no self-link for it.
int frozen_cell(uint16_t c, bool rules_set);
