// Neighbourhood index colours (nhood_colour.h). Reads v, nhood, the rule
// kind and v_tablecodemax (engine/model) and the old colours of the screen
// layer.
#include "ui/model/nhood_colour.h"

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "ui/screen/globals.h"

uint8_t
set_nhdcolor(int k, uint32_t x)
{
    const int v = value_range;
    uint64_t n, last;
    bool kcodes = tot_only && totalistic == rule_kind_kcodes;
    if (!tot_only) {
        n = int_power(v, k);
        last = n - 1;
    } else if (totalistic == rule_kind_tcodes) {
        last = static_cast<uint64_t>(k) * (v - 1);
        n = static_cast<uint64_t>(v - 1) * nhood + 1;
    } else {
        n = last = v_tablecodemax ? v_tablecodemax[nhood] : 0;
    }
    if (x == last)
        return oldcolor[white & 15];
    if (n == 0)
        return oldcolor[0];
    // The divisor of each table size; a table whose entries would pass the
    // 16 old colours is scaled into them instead (entry x * 16 / N).
    uint64_t divisor = n > 255 ? 32 : n > 63 ? 8 : n >= 16 ? 2 : 1;
    uint64_t offset = n <= 8 ? 8 : 0;
    bool scaled = (kcodes && n >= 1024) || (n - 1) / divisor + offset > 15;
    uint64_t entry = scaled ? x * 16 / n : x / divisor + offset;
    return oldcolor[entry > 15 ? 15 : entry];
}
