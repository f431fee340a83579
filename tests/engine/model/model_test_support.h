// Helpers shared by the model tests: setting the value range as the
// value-range stage does, and packing a list of values into a value line.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"

// value_range and value_bits as the value-range stage sets them.
inline void
use_value_range(int v)
{
    value_range = static_cast<int8_t>(v);
    value_bits = static_cast<int8_t>(check_value_bits(v));
}

// The network size globals as the size stage sets them.
inline void
use_size(int n)
{
    lineL = static_cast<uint16_t>(n);
    L = static_cast<uint16_t>(n - 1);
    bytesL = static_cast<uint16_t>((n * value_bits + 7) / 8);
}

// A value line of the current width holding values, with room to spare.
inline std::vector<uint8_t>
pack(std::initializer_list<int> values)
{
    std::vector<uint8_t> line(values.size() + 8, 0);
    uint32_t i = 0;
    for (int x : values)
        set_value(line.data(), i++, x);
    return line;
}

// Entries 0..count-1 of a value line of the current width.
inline std::vector<int>
unpack(const uint8_t *line, int count)
{
    std::vector<int> values;
    for (int i = 0; i < count; i++)
        values.push_back(get_value(line, static_cast<uint32_t>(i)));
    return values;
}

// Base-v digit j of i, computed by division (the oracle of the k-matrix).
inline int
digit_of(uint64_t i, int v, int j)
{
    for (int d = 0; d < j; d++)
        i /= static_cast<uint64_t>(v);
    return static_cast<int>(i % static_cast<uint64_t>(v));
}
