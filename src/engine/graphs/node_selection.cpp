// The drag editor's selection (node_selection.h): linknet's life, the
// component of a node by levels, and the blocks of nodes. Reads the link
// table and node_no (globals.h) and, for lattice blocks, the lattice's
// shape through engine/wiring_editor/cell_blocks.h. Start at
// graph_in_out_components.
#include "engine/graphs/node_selection.h"

#include <algorithm>

#include "engine/graphs/globals.h"
#include "engine/model/checked_alloc.h"

namespace {

// A bit set over the nodes 0..node_no, from the checked allocator.
class node_bits {
public:
    explicit node_bits(const char *label) : bits_(allocate(label)) {}
    ~node_bits() { checked_free(bits_); }
    node_bits(const node_bits &) = delete;
    node_bits &operator=(const node_bits &) = delete;

    static uint8_t *
    allocate(const char *label)
    {
        return static_cast<uint8_t *>(checked_calloc(bytes(), 1, label));
    }
    static size_t bytes() { return static_cast<size_t>(node_no) / 8 + 1; }
    static bool has(const uint8_t *bits, uint32_t m) { return (bits[m >> 3] >> (m & 7)) & 1; }
    static void set(uint8_t *bits, uint32_t m) { bits[m >> 3] |= static_cast<uint8_t>(1u << (m & 7)); }

    bool has(uint32_t m) const { return has(bits_, m); }
    void set(uint32_t m) { set(bits_, m); }
    void clear() { std::fill(bits_, bits_ + bytes(), 0); }

private:
    uint8_t *bits_;
};

bool
linked(uint32_t from, uint32_t to)
{
    return basinjumps[from][to] > 0;
}

// Marks in `into` the neighbours of node m in direction dir: the nodes
// with a link into m ('i', 'e') and those m links to ('o', 'e').
template <class Mark>
void
neighbours(char dir, uint32_t m, Mark into)
{
    for (uint32_t j = 1; j <= node_no; j++)
        if (((dir == component_inputs || dir == component_either) && linked(j, m)) ||
            ((dir == component_outputs || dir == component_either) && linked(m, j)))
            into(j);
}

} // namespace

void
new_linknet()
{
    free_linknet();
    linknet = node_bits::allocate("linknet");
}

void
free_linknet()
{
    checked_free(linknet);
    linknet = nullptr;
}

bool
in_linknet(uint32_t node)
{
    return linknet && node <= node_no && node_bits::has(linknet, node);
}

void
mark_in_linknet(uint32_t node)
{
    if (linknet && node <= node_no)
        node_bits::set(linknet, node);
}

uint32_t
linknet_count()
{
    uint32_t count = 0;
    for (uint32_t m = 1; m <= node_no; m++)
        count += in_linknet(m) ? 1 : 0;
    return count;
}

void
graph_in_out_components(char dir, int steps, uint32_t node)
{
    if (!basinjumps || !linknet || node < 1 || node > node_no)
        return;
    // The first level: the node's own inputs or outputs.
    neighbours(dir, node, [](uint32_t j) { mark_in_linknet(j); });
    node_bits done("genedone"), this_sweep("this_sweep");
    for (int level = 2; steps == 0 || level <= steps; level++) {
        this_sweep.clear();
        for (uint32_t m = 1; m <= node_no; m++) {
            if (!in_linknet(m) || done.has(m))
                continue;
            done.set(m);
            neighbours(dir, m, [&this_sweep](uint32_t j) { this_sweep.set(j); });
        }
        bool added = false;
        for (uint32_t m = 1; m <= node_no; m++) {
            if (this_sweep.has(m) && !in_linknet(m)) {
                mark_in_linknet(m);
                added = true;
            }
        }
        if (!added)
            break;
    }
}

void
mark_node_range(uint32_t low, uint32_t high)
{
    if (low > high)
        std::swap(low, high);
    for (uint32_t m = std::max<uint32_t>(low, 1); m <= std::min(high, node_no); m++)
        mark_in_linknet(m);
}

void
mark_lattice_block(const block_corners &c)
{
    for (uint32_t m = 1; m <= node_no; m++)
        if (!outside_2d_3d_block(static_cast<uint16_t>(m - 1), c.i_low, c.j_low, c.h_low, c.i_high, c.j_high,
                                 c.h_high))
            mark_in_linknet(m);
}
