// The byte layout of graph layout files (*.grh): the positions of a graph's
// nodes 1..n in window pixels, exactly 4 n + 4 bytes. Bytes 0..3 are zero
// (the place of node 0); node m's x is at 4 m and its y at 4 m + 2, each a
// 16-bit two's complement number, low byte first. Node 1 at (300, -2) is
// 2c 01 fe ff after the four zero bytes. The dialog and the file itself are
// ui/graphs/graph_layout_file.cpp.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The file of nodes 1..nodes whose positions are positions[m][0] (x) and
// positions[m][1] (y).
void encode_graph_layout(int16_t *const *positions, uint32_t nodes, std::vector<uint8_t> &out);
// The length of the file of a graph of nodes nodes: 4 nodes + 4.
uint64_t graph_layout_file_length(uint32_t nodes);
// The largest graph: the network graph of the most cells (65535, the
// 16-bit n of a network); a meta-graph has at most kMostLinkedNodes.
constexpr uint32_t kMostGraphNodes = 65535;
// The largest valid layout file, of the largest graph: a longer file is
// refused before it is read, a shorter one of another graph for its length.
uint64_t largest_graph_layout_file();
// When size is exactly the length for nodes, positions[1..nodes] := the
// file's pairs and true (the first 4 bytes are not read); else false with
// positions unchanged.
bool decode_graph_layout(const uint8_t *data, size_t size, int16_t *const *positions, uint32_t nodes);
