// The drag editor's link edits (link_edits.h). Reads and writes the link
// table of the open graph (globals.h); start at disconnect_node.
#include "engine/graphs/link_edits.h"

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/model/checked_alloc.h"

namespace {

bool
takes_inputs(char direction)
{
    return direction == 'i' || direction == 'e';
}

bool
takes_outputs(char direction)
{
    return direction == 'o' || direction == 'e';
}

// Sets the link from -> to: 'C' 0, 'A' 1 where it is 0, 'R' the copy's.
void
edit_link(char action, uint32_t *const *copy, uint32_t from, uint32_t to)
{
    uint32_t &w = basinjumps[from][to];
    if (action == 'C')
        w = 0;
    else if (action == 'A' && w == 0)
        w = 1;
    else if (action == 'R' && copy)
        w = copy[from][to];
}

// The links of node in direction: cut (from 0) or restored (from the copy).
void
cut_or_restore(bool restore, uint32_t *const *copy, char direction, uint32_t node)
{
    const char action = restore ? 'R' : 'C';
    for (uint32_t j = 1; j <= node_no; j++) {
        if (takes_inputs(direction))
            edit_link(action, copy, j, node);
        if (takes_outputs(direction))
            edit_link(action, copy, node, j);
    }
}

// Every node with no weight to or none from other nodes loses its links.
void
isolate_dead_ends(uint64_t *outputs, uint64_t *inputs)
{
    for (uint32_t i = 1; i <= node_no; i++) {
        outputs[i] = inputs[i] = 0;
        for (uint32_t j = 1; j <= node_no; j++) {
            if (j == i)
                continue;
            outputs[i] += basinjumps[i][j];
            inputs[i] += basinjumps[j][i];
        }
    }
    for (uint32_t i = 1; i <= node_no; i++)
        if (outputs[i] == 0 || inputs[i] == 0)
            cut_or_restore(false, nullptr, 'e', i);
}

} // namespace

uint32_t **
copy_of_links()
{
    if (!basinjumps)
        return nullptr;
    const size_t entries = static_cast<size_t>(node_no) + 1;
    uint32_t *block = static_cast<uint32_t *>(checked_calloc(entries * entries, sizeof(uint32_t), "b_j[]"));
    uint32_t **copy = static_cast<uint32_t **>(checked_calloc(entries, sizeof(uint32_t *), "b_j*"));
    for (size_t i = 0; i < entries; i++) {
        copy[i] = block + entries * i;
        for (size_t j = 0; j < entries; j++)
            copy[i][j] = basinjumps[i][j];
    }
    return copy;
}

void
free_links_copy(uint32_t **copy)
{
    if (!copy)
        return;
    checked_free(copy[0]);
    checked_free(copy);
}

void
disconnect_node(char action, uint32_t *const *copy, uint64_t *node_outputs, uint64_t *node_inputs,
                char direction, uint32_t node)
{
    if (!basinjumps)
        return;
    if (action == 'n' && copy) {
        for (uint32_t i = 0; i <= node_no; i++)
            for (uint32_t j = 0; j <= node_no; j++)
                basinjumps[i][j] = copy[i][j];
    } else if (action == 'g' && node_outputs && node_inputs) {
        isolate_dead_ends(node_outputs, node_inputs);
    } else if ((action == 'c' || action == 'r') && node >= 1 && node <= node_no) {
        cut_or_restore(action == 'r', copy, direction, node);
    }
    sum_outside_inputs();
}

void
node_pair_link(char action, uint32_t *const *copy, char direction, uint32_t node, uint32_t other)
{
    if (!basinjumps || node < 1 || node > node_no || other < 1 || other > node_no)
        return;
    if (takes_inputs(direction))
        edit_link(action, copy, other, node);
    if (takes_outputs(direction))
        edit_link(action, copy, node, other);
    sum_outside_inputs();
}
