// Builds and releases the value-count trie of the kcodes (value_count_trie.h):
// v_tree, v_index and v_tablecodemax for every k up to nhood. The lookup
// search_tree is inline in the header because forward runs of kcode networks
// call it for every cell at every step. Reads value_range and nhood; the
// callers show the wait box while the tries are built.
#include "engine/model/value_count_trie.h"

#include "engine/model/checked_alloc.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"

namespace {


v_tree_node *
new_node(int count, uint16_t leaf, int k, const char *label, const char *children_label,
         const char *index_label)
{
    auto *node = static_cast<v_tree_node *>(checked_calloc(1, sizeof(v_tree_node), label));
    node->count = static_cast<int8_t>(count);
    node->leaf = leaf;
    node->nchildren = 0;
    node->children = static_cast<v_tree_node **>(
        checked_calloc(static_cast<size_t>(k) + 1, sizeof(v_tree_node *), children_label));
    node->childindex = static_cast<uint8_t *>(
        checked_calloc(static_cast<size_t>(k) + 1, 1, index_label));
    return node;
}

} // namespace

v_tree_node *
NN(v_tree_node *parent, int count, uint16_t leaf, int k)
{
    v_tree_node *child =
        new_node(count, leaf, k, "newchild", "new children array", "new children index array");
    parent->childindex[count] = static_cast<uint8_t>(parent->nchildren);
    parent->children[parent->nchildren] = child;
    parent->nchildren++;
    return child;
}

int
add_node(int remainder, int levels, int k, int top, v_tree_node *parent, int next)
{
    uint16_t leaf = static_cast<uint16_t>(next);
    if (remainder == 0) {
        v_tree_node *child = NN(parent, 0, leaf, k);
        if (levels > 1)
            return add_node(0, levels - 1, k, top, child, next);
        return next + 1;
    }
    if (levels == 1) {
        NN(parent, remainder, leaf, k);
        return next + 1;
    }
    if (levels == 2) {
        // The count of value 0 takes all that is left; an end node follows.
        v_tree_node *child = NN(parent, remainder, leaf, k);
        NN(child, k - remainder, leaf, k);
        return next + 1;
    }
    for (int c = 0; c <= remainder; c++) {
        v_tree_node *child = NN(parent, c, static_cast<uint16_t>(next), k);
        next = add_node(remainder - c, levels - 1, k, top, child, next);
    }
    return next;
}

void
print_tree(const v_tree_node *node, int k, int width, int depth, uint8_t *scratch)
{
    int v = value_range;
    if (node->nchildren > 0) {
        scratch[depth + 1] = static_cast<uint8_t>(node->count);
        for (int c = 0; c < node->nchildren; c++)
            print_tree(node->children[c], k, width, depth + 1, scratch);
        return;
    }
    uint8_t *tuple = v_index[k][node->leaf];
    for (int j = 1; j <= v; j++)
        set_value_flex(tuple, static_cast<uint32_t>(v - j), scratch[j], width);
}

void
free_tree(v_tree_node *node, const char *text)
{
    for (int c = 0; c < node->nchildren; c++)
        free_tree(node->children[c], text);
    checked_free(node->children);
    checked_free(node->childindex);
    checked_free(node);
}

void
set_up_v_code()
{
    int v = value_range;
    int K = nhood;
    size_t tops = static_cast<size_t>(K > 0 ? K : 0) + 1;
    v_index = static_cast<uint8_t ***>(checked_calloc(tops, sizeof(uint8_t **), "v_index***"));
    v_tablecodemax =
        static_cast<uint16_t *>(checked_calloc(tops, sizeof(uint16_t), "v_tablecodemax"));
    v_tree = static_cast<v_tree_node **>(checked_calloc(tops, sizeof(v_tree_node *), "v_tree"));
    for (int k = 1; k <= K; k++) {
        v_tree_node *root = new_node(0, 0, k, "root", "root->children", "root->childindex");
        int entries = add_node(k, v + 1, k, v + 1, root, 0);
        v_tablecodemax[k] = static_cast<uint16_t>(entries - 1);
        v_tree[k] = root;

        int width = check_value_bits(k + 1);
        size_t tuple_bytes = value_line_bytes(static_cast<uint64_t>(v), width);
        v_index[k] = static_cast<uint8_t **>(checked_calloc(
            static_cast<size_t>(entries), sizeof(uint8_t *), "v_index[this_nhood]"));
        for (int e = 0; e < entries; e++)
            v_index[k][e] =
                static_cast<uint8_t *>(checked_calloc(tuple_bytes, 1, "v_index[this_nhood]"));
        auto *scratch = static_cast<uint8_t *>(
            checked_calloc(static_cast<size_t>(v) + 1, 1, "temparray"));
        print_tree(root, k, width, -1, scratch);
        checked_free(scratch);
    }
}

void
free_v_code_arrays()
{
    if (!v_tree)
        return;
    for (int k = 1; k <= nhood; k++) {
        if (v_index[k]) {
            for (long e = 0; e <= v_tablecodemax[k]; e++)
                checked_free(v_index[k][e]);
            checked_free(v_index[k]);
        }
    }
    checked_free(v_index);
    checked_free(v_tablecodemax);
    v_index = nullptr;
    v_tablecodemax = nullptr;
    for (int k = 1; k <= nhood; k++)
        if (v_tree[k])
            free_tree(v_tree[k], "v_tree");
    checked_free(v_tree);
    v_tree = nullptr;
}
