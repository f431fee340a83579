// What tests of the backward drivers check them against: the successor of
// every state of an elementary-rule ring written from the rule's
// definition, the walk of a successor map to its cycles, and the numbers a
// printed summary gives after a label.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <regex>
#include <string>
#include <vector>

// The successor of every state of an n-ring of k = 3 under an elementary
// rule: cell c takes entry l + 2c + 4r of the rule.
inline std::vector<uint32_t>
ring_successors(int n, uint32_t rule)
{
    std::vector<uint32_t> next(size_t(1) << n);
    for (uint32_t s = 0; s < next.size(); s++) {
        uint32_t t = 0;
        for (int c = 0; c < n; c++) {
            int l = (s >> ((c + n - 1) % n)) & 1, m = (s >> c) & 1, r = (s >> ((c + 1) % n)) & 1;
            t |= ((rule >> (l + 2 * m + 4 * r)) & 1u) << c;
        }
        next[s] = t;
    }
    return next;
}

// Depth (steps to the cycle) of every state, and each state's cycle as its
// smallest state, by walking the successor map.
inline void
walk_map(const std::vector<uint32_t> &next, std::vector<uint32_t> &depth,
         std::vector<uint32_t> &cycle_of)
{
    size_t states = next.size();
    std::vector<bool> on_cycle(states, false);
    for (uint32_t s = 0; s < states; s++) {
        uint32_t x = s;
        for (size_t i = 0; i < states; i++)
            x = next[x];
        on_cycle[x] = true;
    }
    depth.assign(states, 0);
    cycle_of.assign(states, 0);
    for (uint32_t s = 0; s < states; s++) {
        uint32_t x = s, d = 0;
        for (; !on_cycle[x]; x = next[x])
            d++;
        uint32_t low = x;
        for (uint32_t y = next[x]; y != x; y = next[y])
            low = std::min(low, y);
        depth[s] = d;
        cycle_of[s] = low;
    }
}

// The first group of every match of pattern in out, as numbers.
inline std::vector<uint32_t>
numbers_after(const std::string &out, const char *pattern)
{
    std::vector<uint32_t> found;
    std::regex re(pattern);
    for (auto it = std::sregex_iterator(out.begin(), out.end(), re); it != std::sregex_iterator();
         ++it)
        found.push_back(static_cast<uint32_t>(std::stoul((*it)[1])));
    return found;
}
