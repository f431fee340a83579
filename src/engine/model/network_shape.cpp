// Figures derived from the network's shape (see network_shape.h): recomputed
// by the set-up stages after the size or the k of any cell changed.
#include "engine/model/network_shape.h"

#include <cstdint>

#include "engine/model/globals.h"

namespace {

// Limits fixed by the value range v (index v).
struct value_range_limits {
    int8_t value_bits;
    int16_t maxL_lu;
    int8_t maxnhood;
    int8_t maxnhood_totalistic_only;
};
constexpr value_range_limits kLimits[9] = {
    {0, 0, 0, 0},    {0, 0, 0, 0},    {1, 31, 13, 25}, {2, 20, 9, 25}, {2, 15, 7, 25},
    {3, 13, 6, 25},  {3, 12, 5, 17},  {3, 11, 5, 13},  {3, 10, 4, 11}};

} // namespace

void
set_value_range_limits(int v, bool totalistic_only)
{
    const value_range_limits &limits = kLimits[v];
    value_bits = limits.value_bits;
    maxL_lu = limits.maxL_lu;
    Maxnhood = largest_k(v, totalistic_only);
}

int
largest_k(int v, bool totalistic_only)
{
    const value_range_limits &limits = kLimits[v];
    return totalistic_only ? limits.maxnhood_totalistic_only : limits.maxnhood;
}

void
set_line_lengths()
{
    L = static_cast<uint16_t>(lineL - 1);
    bytesL = static_cast<uint16_t>((static_cast<uint32_t>(lineL) * value_bits + 7) / 8);
}

void
nhood_lb_ub()
{
    nhood_ub = 1;
    nhood_lb = static_cast<uint8_t>(Maxnhood);
    for (uint32_t c = 0; c < lineL; c++) {
        if (nhoodm[c] < static_cast<int8_t>(nhood_lb))
            nhood_lb = static_cast<uint8_t>(nhoodm[c]);
        if (nhoodm[c] > static_cast<int8_t>(nhood_ub))
            nhood_ub = static_cast<uint8_t>(nhoodm[c]);
    }
}
