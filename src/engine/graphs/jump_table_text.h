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
// The line that closes the listing when the graph closes; empty unless
// form lists a table.
std::string jump_table_closing(uint8_t form);
