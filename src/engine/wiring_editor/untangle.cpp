// Untangling a cell's wiring (untangle.h).
//
// Reads and writes wiring and, with a rule mix, carule[c] (model/). Start
// at untangle_wiring.
//
// Why the rule follows the swap: the neighbourhood index of a cell is
// x = sum of value(input j) * v^j, so base-v digit j of x is the value of
// input j. Swapping inputs p and p+1 swaps digits p and p+1 of every index;
// the entry the new wiring reads at x is the one the old wiring read at y,
// x with those two digits swapped. Example, v = 2, k = 2, inputs (5, 2):
// after the swap input 0 is cell 2 and input 1 cell 5, so the new entries
// 1 and 2 are the old entries 2 and 1; entries 0 and 3 stay.
#include "engine/wiring_editor/untangle.h"

#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"

namespace {

// Applies the swap of inputs p and p+1 to the rule of cell c, k inputs,
// through the rule copy (which holds the cell's table on entry).
void
permute_rule_for_swap(uint16_t c, int k, int p, untangle_buffers &work)
{
    uint32_t entries = static_cast<uint32_t>(rule_entries(k));
    memset(work.ca_tickoff, 0, value_line_bytes(entries, 1));
    for (uint32_t x = 0; x < entries; x++) {
        if (get_bitlong(work.ca_tickoff, x))
            continue;
        set_bitlong(work.ca_tickoff, x, 1);
        dec_to_value_line(work.nhoodbits, x, k);
        int low = get_value(work.nhoodbits, static_cast<uint32_t>(p));
        int high = get_value(work.nhoodbits, static_cast<uint32_t>(p + 1));
        if (low == high)
            continue;
        memcpy(work.swap_nhoodbits, work.nhoodbits, value_line_bytes(static_cast<uint64_t>(k), value_bits));
        set_value(work.swap_nhoodbits, static_cast<uint32_t>(p), high);
        set_value(work.swap_nhoodbits, static_cast<uint32_t>(p + 1), low);
        uint32_t y = dec_equiv(work.swap_nhoodbits, k - 1);
        set_value(work.catemp, x, get_value(carule[c], y));
        set_value(work.catemp, y, get_value(carule[c], x));
        set_bitlong(work.ca_tickoff, y, 1);
    }
    memcpy(carule[c], work.catemp, rule_bytes(k));
}

} // namespace

untangle_buffers
allocate_untangle_buffers()
{
    size_t table = rule_bytes(nhood);
    size_t digits = value_line_bytes(static_cast<uint64_t>(nhood), value_bits);
    untangle_buffers work;
    work.catemp = static_cast<uint8_t *>(checked_calloc(table, 1, "catemp"));
    work.ca_tickoff = static_cast<uint8_t *>(checked_calloc(table, 1, "ca_tickoff"));
    work.nhoodbits = static_cast<uint8_t *>(checked_calloc(digits, 1, "nhoodbits"));
    work.swap_nhoodbits = static_cast<uint8_t *>(checked_calloc(digits, 1, "swap_nhoodbits"));
    return work;
}

void
free_untangle_buffers(untangle_buffers &work)
{
    checked_free(work.catemp);
    checked_free(work.ca_tickoff);
    checked_free(work.nhoodbits);
    checked_free(work.swap_nhoodbits);
    work = untangle_buffers();
}

void
untangle_wiring(uint16_t c, bool rules_set, untangle_buffers &work)
{
    if (tot_only || c >= lineL)
        return;
    int k = nhoodm[c];
    bool with_rule = rulemix && rules_set && carule;
    if (with_rule)
        memcpy(work.catemp, carule[c], rule_bytes(k));
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (int p = k - 2; p >= 0; p--) {
            if (wiring[c][p + 1] >= wiring[c][p])
                continue;
            uint16_t keep = wiring[c][p];
            wiring[c][p] = wiring[c][p + 1];
            wiring[c][p + 1] = keep;
            swapped = true;
            if (with_rule)
                permute_rule_for_swap(c, k, p, work);
        }
    }
}
