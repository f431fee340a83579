// The per-type arrays both type histograms keep (entries 1..types, entry 0
// holding nothing): their growth by one entry as a type is made, and the
// sort they share, types put in descending order of a key with types of
// equal keys keeping their order (a stable sort, as repeated passes of
// adjacent exchanges give), each array put in that order so that every type
// keeps its own entries.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/model/checked_alloc.h"

// The array resized to `entries` entries (label on failure), the new last
// entry cleared, and entry 0 too when the array is new.
template <class T>
T *
grown(T *block, uint32_t entries, const char *label)
{
    T *b = static_cast<T *>(checked_realloc(block, static_cast<size_t>(entries) * sizeof(T), label));
    b[entries - 1] = T();
    if (!block)
        b[0] = T();
    return b;
}

// order[i] (i = 1..types) is the type that goes to place i; order[0] = 0.
template <class Key>
std::vector<uint32_t>
descending_order(uint32_t types, Key key)
{
    std::vector<uint32_t> order(static_cast<size_t>(types) + 1);
    for (uint32_t u = 0; u <= types; u++)
        order[u] = u;
    std::stable_sort(order.begin() + 1, order.end(),
                     [&](uint32_t a, uint32_t b) { return key(a) > key(b); });
    return order;
}

// entries[1..] put in the order; nothing for an empty table.
template <class T>
void
reorder(T *entries, const std::vector<uint32_t> &order)
{
    if (!entries || order.size() < 2)
        return;
    std::vector<T> moved(order.size());
    for (size_t i = 1; i < order.size(); i++)
        moved[i] = entries[order[i]];
    for (size_t i = 1; i < order.size(); i++)
        entries[i] = moved[i];
}
