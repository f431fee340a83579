// Figures derived from the network's shape (see network_shape.h): recomputed
// by the set-up stages after the size or the k of any cell changed.
#include "engine/model/network_shape.h"

#include <cstdint>

#include "engine/model/globals.h"

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
