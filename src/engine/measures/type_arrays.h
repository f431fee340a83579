// The per-type arrays both type histograms keep (entries 1..types, entry 0
// holding nothing): their growth by one entry as a type is made, a type's
// representative line, a sample counted in its type, and the sort they
// share, types put in descending order of a key with types of
// equal keys keeping their order (a stable sort, as repeated passes of
// adjacent exchanges give), each array put in that order so that every type
// keeps its own entries.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
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

// The count one higher, saturating at the largest 32-bit count.
inline void
count_up(uint32_t &count)
{
    if (count < UINT32_MAX)
        count++;
}

// A copy of `line` (bytes long) as the representative of type u, its block
// labelled with the type.
inline uint8_t *
type_line(const uint8_t *line, size_t bytes, uint32_t u)
{
    char label[40];
    snprintf(label, sizeof label, "sk->att_type_state[%lu]", static_cast<unsigned long>(u));
    uint8_t *copy = static_cast<uint8_t *>(checked_calloc(bytes, 1, label));
    memcpy(copy, line, bytes);
    return copy;
}

// A sample counted in its type (`type_count`) and in the table's
// `samples`, its `value` folded into the type's running mean.
inline void
count_sample(uint32_t &type_count, float &type_mean, uint32_t &samples, double value)
{
    count_up(type_count);
    double count = type_count;
    type_mean = static_cast<float>((static_cast<double>(type_mean) * (count - 1) + value) / count);
    count_up(samples);
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

// The types put in descending order of key(u), every one of the arrays in
// that order with them. Returns the order.
template <class Key, class... Arrays>
std::vector<uint32_t>
sort_types(uint32_t types, Key key, Arrays *...arrays)
{
    std::vector<uint32_t> order = descending_order(types, key);
    (reorder(arrays, order), ...);
    return order;
}
