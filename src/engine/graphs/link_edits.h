// The drag editor's edits of the links of the open graph: cut or restore a
// node's inputs or outputs, cut, add or restore the link between two
// nodes, isolate the nodes that have no inputs or no outputs from other
// nodes, and restore the whole table, from a copy of the table taken as the
// editor opens. Every later measure of the open graph (components, paths)
// reads the edited table; each edit sums outside_inputs again so that the
// unreachable nodes follow the links as they now are.
#pragma once
#include <cstdint>

// A copy of basinjumps, every entry of rows and columns 0..node_no, in the
// shape of the table ("b_j*", "b_j[]"); null without links. Free with
// free_links_copy.
uint32_t **copy_of_links();
void free_links_copy(uint32_t **copy);

// The node edits, by action:
//   'n' every weight of the table put back from the copy;
//   'g' every node with no weight to other nodes, or none from them, loses
//       all its links (its row and column), the sums of every node taken
//       before any is cut: node_outputs[i] and node_inputs[i] (node_no+1
//       entries) receive them;
//   'c' cut / 'r' restore from the copy the links of node in direction:
//       'i' its inputs (its column), 'o' its outputs (its row), 'e' both;
//       another direction changes nothing.
// Column 0 of the attractors' graph (runs that met no known type) is no
// link and stays as it is, except under 'n'. Nothing without links.
void disconnect_node(char action, uint32_t *const *copy, uint64_t *node_outputs, uint64_t *node_inputs,
                     char direction, uint32_t node);
// The link edits between two nodes, by action: 'C' cut, 'A' add (weight 1
// where there is none; a weighted link stays as it is), 'R' restore from
// the copy; the link other to node for direction 'i' or 'e', and node to
// other for 'o' or 'e'. Nothing without links or for another direction.
void node_pair_link(char action, uint32_t *const *copy, char direction, uint32_t node, uint32_t other);
