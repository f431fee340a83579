// Brute force over update orders for the neutral-order tests: every order
// of n cells listed in lexicographic order by std::next_permutation (entry r
// has rank r), the orders one neutral adjacent swap away (the two cells not
// wired to each other either way), and the components those swaps join,
// with their smallest orders and depths.
#pragma once
#include "engine/backward/backward_test_support.h"

#include <algorithm>
#include <numeric>

inline std::vector<std::vector<uint16_t>>
orders_by_rank(int n)
{
    std::vector<uint16_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::vector<std::vector<uint16_t>> all;
    do
        all.push_back(order);
    while (std::next_permutation(order.begin(), order.end()));
    return all;
}

inline bool
wired_either_way(uint16_t x, uint16_t y)
{
    for (int j = 0; j < nhoodm[x]; j++)
        if (wiring[x][j] == y)
            return true;
    for (int j = 0; j < nhoodm[y]; j++)
        if (wiring[y][j] == x)
            return true;
    return false;
}

// Ranks of the orders one neutral swap away from rank t.
inline std::vector<uint32_t>
brute_neutral_neighbours(const std::vector<std::vector<uint16_t>> &all, uint32_t t)
{
    std::vector<uint32_t> out;
    for (size_t i = 1; i < all[t].size(); i++) {
        if (wired_either_way(all[t][i - 1], all[t][i]))
            continue;
        std::vector<uint16_t> swapped = all[t];
        std::swap(swapped[i - 1], swapped[i]);
        auto at = std::lower_bound(all.begin(), all.end(), swapped);
        out.push_back(static_cast<uint32_t>(at - all.begin()));
    }
    return out;
}

// Sizes of the components of the n! orders, ascending.
inline std::vector<uint32_t>
brute_component_sizes(int n)
{
    std::vector<std::vector<uint16_t>> all = orders_by_rank(n);
    std::vector<uint32_t> group(all.size());
    std::iota(group.begin(), group.end(), 0);
    auto root = [&](uint32_t x) {
        while (group[x] != x)
            x = group[x] = group[group[x]];
        return x;
    };
    for (uint32_t t = 0; t < all.size(); t++)
        for (uint32_t s : brute_neutral_neighbours(all, t))
            group[root(s)] = root(t);
    std::map<uint32_t, uint32_t> size_of;
    for (uint32_t t = 0; t < all.size(); t++)
        size_of[root(t)]++;
    std::vector<uint32_t> sizes;
    for (const auto &g : size_of)
        sizes.push_back(g.second);
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

// Each component of the n! orders: its smallest rank and its depth (the
// farthest order's distance in swaps from the smallest), in ascending order
// of smallest rank.
struct brute_component {
    uint32_t root;
    uint32_t depth;
    bool operator==(const brute_component &o) const { return root == o.root && depth == o.depth; }
};

inline std::vector<brute_component>
brute_components(int n)
{
    std::vector<std::vector<uint16_t>> all = orders_by_rank(n);
    std::vector<uint32_t> distance(all.size(), UINT32_MAX);
    std::vector<brute_component> found;
    for (uint32_t root = 0; root < all.size(); root++) {
        if (distance[root] != UINT32_MAX)
            continue;
        distance[root] = 0;
        std::vector<uint32_t> queue{root};
        uint32_t deepest = 0;
        for (size_t i = 0; i < queue.size(); i++)
            for (uint32_t s : brute_neutral_neighbours(all, queue[i]))
                if (distance[s] == UINT32_MAX) {
                    distance[s] = distance[queue[i]] + 1;
                    deepest = std::max(deepest, distance[s]);
                    queue.push_back(s);
                }
        found.push_back({root, deepest});
    }
    return found;
}
