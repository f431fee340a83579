// The text lines a tree build writes: the tree line of a basin or segment
// tree (under the field header "   tree. root  no  s  g  gd  ml  mp") and
// the state line of one node. Composed here, written by the tree builder
// and the fan drawing to standard error and the data file.
#pragma once
#include <cstdint>
#include <string>

// The state as hex bytes, last byte first, two digits each.
std::string state_hex(const uint8_t *state);
// Tree line of the tree just built, from the tree totals: a basin tree's
// line, or in a segment tree (insegloop) the segment's line, preceded at the
// first segment by the segment fan's line. max_fan is the tree's mp.
std::string compose_tree_lines(const uint8_t *root, uint32_t max_fan);
// A node's state line for the data file: the cells ('1'/'0' from cell n-1
// down for v = 2; the values "%d" from cell 0 up otherwise), then
// " basintype level fan\n" (the fan one more at level 0).
std::string compose_state_line(const uint8_t *state);
