// The shape of the neutral-order field read from the wiring, without a walk
// of the n! orders. Two orders are joined by a neutral swap when they
// differ by two neighbouring cells not wired to each other, so an order's
// component is every order that puts each wired pair of cells the same way
// round, and the distance between two of its orders is the number of
// unwired pairs they put the other way round (an order other than the
// target always has two neighbouring cells the target puts the other way
// round, and swapping them takes one such pair off). The field roots each
// component at its smallest order and builds it level by level, so the
// component's depth is the most pairs any of its orders turns round from
// that smallest one. Used by the fitted field (field_fit.h); start at
// for_each_neutral_root.
#pragma once
#include <cstdint>
#include <functional>

#include "engine/backward/neutral_buffers.h"

// The cells wired to each cell either way, as bit masks (bit y of linked[x]
// set when x and y are wired to each other); n cells, 1..kMaxNeutralCells.
struct neutral_links {
    int n = 0;
    uint16_t linked[kMaxNeutralCells] = {};
};

// The links of the first n cells of the network (wiring and nhoodm, inputs
// from beyond the n cells ignored). False when n is out of range or there
// is no wiring.
bool neutral_links_of_network(int n, neutral_links *links);

// The depth of the component whose smallest order is root (n cells): the
// most wired-apart pairs... the most unwired pairs any order of the
// component puts the other way round from root.
uint32_t neutral_component_depth(const neutral_links &links, const uint16_t *root);

// Calls visit with the smallest order of each component, in ascending
// order (the order the field meets them), until visit returns false.
void for_each_neutral_root(const neutral_links &links,
                           const std::function<bool(const uint16_t *root)> &visit);
