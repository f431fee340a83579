// Helpers of the graph tests: the successor map of a network written from
// the formula (parallel or in a sequential order), its attractors found by
// walking the map, and the basin type table a field would record of them.
#pragma once
#include "engine/backward/backward_test_support.h"

#include <set>
#include <vector>

#include "engine/backward/basin_types.h"

// One attractor of a successor map: its states in the order the map visits
// them from the first, and its basin volume.
struct brute_attractor {
    std::vector<uint32_t> states;
    uint32_t volume = 0;
};

// The state of number s as cell values.
inline std::vector<int>
values_of_number(uint32_t s)
{
    std::vector<int> values(lineL);
    for (uint32_t c = 0; c < lineL; c++) {
        values[c] = static_cast<int>(s % value_range);
        s /= value_range;
    }
    return values;
}

inline uint32_t
number_of_values(const std::vector<int> &values)
{
    uint32_t s = 0;
    for (uint32_t c = lineL; c-- > 0;)
        s = s * value_range + values[c];
    return s;
}

// Each cell in turn takes its rule's entry for the values its inputs have at
// that moment; the order is swept from its last entry to its first, as the
// sequential modes sweep seq_order.
inline std::vector<int>
reference_sequential_step(std::vector<int> now, const std::vector<uint16_t> &order)
{
    for (size_t i = order.size(); i-- > 0;) {
        uint16_t c = order[i];
        uint64_t x = 0, weight = 1;
        for (int j = 0; j < nhoodm[c]; j++) {
            x += static_cast<uint64_t>(now[wiring[c][j]]) * weight;
            weight *= static_cast<uint64_t>(value_range);
        }
        const uint8_t *rule = rulemix ? carule[c] : carule[0];
        now[c] = get_value(rule, static_cast<uint32_t>(x));
    }
    return now;
}

// The successor of every state: the parallel step, or with an order the
// sequential one.
inline std::vector<uint32_t>
reference_map(const std::vector<uint16_t> *order = nullptr)
{
    std::vector<uint32_t> next(states_of_network());
    for (uint32_t s = 0; s < next.size(); s++) {
        std::vector<int> now = values_of_number(s);
        next[s] = number_of_values(order ? reference_sequential_step(now, *order)
                                         : reference_step(now, carule));
    }
    return next;
}

// The attractors of a map, in the order of their basins' least states (the
// order a field scanning ascending state numbers finds them), each cycle
// starting from where the walk from that least state entered it.
inline std::vector<brute_attractor>
attractors_of(const std::vector<uint32_t> &next)
{
    const uint32_t none = UINT32_MAX;
    std::vector<uint32_t> basin(next.size(), none);
    std::vector<brute_attractor> found;
    for (uint32_t s = 0; s < next.size(); s++) {
        if (basin[s] != none)
            continue;
        std::vector<uint32_t> path;
        std::set<uint32_t> on_path;
        uint32_t x = s;
        while (basin[x] == none && !on_path.count(x)) {
            on_path.insert(x);
            path.push_back(x);
            x = next[x];
        }
        uint32_t b;
        if (basin[x] != none) {
            b = basin[x];
        } else {
            b = static_cast<uint32_t>(found.size());
            brute_attractor a;
            uint32_t y = x;
            do {
                a.states.push_back(y);
                y = next[y];
            } while (y != x);
            found.push_back(a);
        }
        for (uint32_t y : path)
            basin[y] = b;
        found[b].volume += static_cast<uint32_t>(path.size());
    }
    return found;
}

// State lines of numbers, and pointers to them from entry 1 on, as the
// attractor tables hold them.
struct state_lines {
    std::vector<std::vector<uint8_t>> lines;
    std::vector<uint8_t *> rows;
    explicit state_lines(const std::vector<uint32_t> &numbers)
        : lines(numbers.size(), std::vector<uint8_t>(bytesL)), rows(numbers.size() + 1, nullptr)
    {
        for (size_t p = 0; p < numbers.size(); p++) {
            dec_to_value_line(lines[p].data(), numbers[p], lineL);
            rows[p + 1] = lines[p].data();
        }
    }
};

// The basin type table a field would record of these attractors.
inline void
record_basin_types(const std::vector<brute_attractor> &attractors)
{
    start_basin_types();
    for (const brute_attractor &a : attractors) {
        state_lines lines(a.states);
        add_basin_type(static_cast<uint32_t>(a.states.size()), a.volume, lines.rows.data());
    }
}
