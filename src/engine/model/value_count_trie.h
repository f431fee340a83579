// The value-count trie of the kcodes. A kcode has one entry per value-count
// tuple (how many of a cell's k inputs hold each value). For every k from 1
// to nhood the trie v_tree[k] numbers those tuples, and v_index[k][e] gives
// back the tuple of entry e, as a value line of v counts of width
// check_value_bits(k+1) (entry j = number of inputs holding value j).
//
// Kcode order: the count of value v-1 varies slowest, then v-2, ..., the
// count of value 1 fastest, each ascending from 0; the count of value 0 is
// the rest. For v = 3, k = 2 the entries are, as (count of 0, 1, 2):
// (2,0,0) (1,1,0) (0,2,0) (1,0,1) (0,1,1) (0,0,2).
//
// Search key: the tuple reversed, key[d] = count of value v-1-d, one byte per
// count; callers count key[v-1-value]++ over the inputs and look the entry up
// with search_tree(key, v, v_tree[k], 0).
#pragma once
#include <cstdint>

#include "engine/model/globals.h"

// A node of the trie: the count on the edge into it, the number of the first
// kcode entry beneath it (a tuple's own entry for the nodes ending a tuple),
// and its children, childindex[c] being the position of the child of count c.
struct v_tree_node {
    int8_t count;
    uint16_t leaf;
    int8_t nchildren;
    v_tree_node **children;   // k+1 slots, filled in creation order
    uint8_t *childindex;      // k+1 bytes
};

// Builds v_tree, v_index and v_tablecodemax for k = 1..nhood with the current
// v, telling the user to wait when the window is open.
void set_up_v_code();
// Releases all of it; nhood must still be the value it had at the build.
// Nothing happens when nothing was built.
void free_v_code_arrays();

// From node at depth, follows key[depth] .. key[length-2] and returns the
// leaf number of the node reached (node's own leaf when depth is length-1).
// A count that does not occur at some depth follows the first child.
inline uint16_t
search_tree(const uint8_t *key, int length, const v_tree_node *node, int depth)
{
    for (int d = depth; d < length - 1; d++)
        node = node->children[node->childindex[key[d]]];
    return node->leaf;
}

// Creates a child of parent carrying count and leaf, with room for k+1
// children, appends it to parent's children and records it in childindex.
v_tree_node *NN(v_tree_node *parent, int count, uint16_t leaf, int k);
// Builds the subtree under parent for remainder inputs left and levels
// levels still to create; returns the next free entry number.
int add_node(int remainder, int levels, int k, int top, v_tree_node *parent, int next);
// Writes the tuple of every entry beneath node into v_index[k] (lines of
// width w); scratch (v+1 bytes) collects the counts along the path.
void print_tree(const v_tree_node *node, int k, int width, int depth, uint8_t *scratch);
// Releases node and every node below it with their arrays, children first.
void free_tree(v_tree_node *node, const char *text);
