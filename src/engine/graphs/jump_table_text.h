// The jump table of the open graph as text, as it goes to standard error
// after the counting: per node its link weights to every node, as numbers
// or as fractions of the node's jumps (its perturbation runs, or its wires
// in the network graph), then its period, its jumps and its size.
#pragma once
#include <cstdint>
#include <string>

// The tables meta_graph asks for: meta_graph_numbers the numbers,
// meta_graph_fractions the fractions, meta_graph_both the numbers, a
// newline and the fractions; empty for the other values or without links.
std::string jump_table_text(uint8_t form);
// One cell of a table of fractions: `zero` for a weight of 0, "    1" for
// a weight that is all of the jumps, else the share weight / jumps with
// three decimals and no leading zero (" .250"); a share just short of 1,
// which rounds to 1.000, shows as " .999".
std::string jump_fraction_cell(uint32_t weight, uint64_t jumps, const char *zero);
// The width of a column of the open graph's table, the same for every
// column so that the columns stand one under the other: four characters
// for numbers, five for fractions, or one more than the digits of the
// largest figure a column holds (weight or node number) when that is
// wider, so that a blank always parts two figures.
int jump_column_width(bool fractions);
// The line that closes the listing when the graph closes; empty unless
// form lists a table.
std::string jump_table_closing(uint8_t form);
