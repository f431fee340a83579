// Wire-up of the whole network for the kinds computed without asking, the
// one definition of the regular 1d neighbourhood, and the change of k of
// cells (wire_up.h). Reads the lattice templates and random wiring of this
// folder. Start at oneD_local_wire_cell.
#include "engine/wiring/wire_up.h"

#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_shape.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/lattice_templates.h"
#include "engine/wiring/random_wiring.h"

namespace {

// Input p of a cell with k inputs on a ring of n cells: the cell itself sits
// at position k/2, position 0 is its leftmost neighbour.
uint16_t
ring_input(long cell, int k, int p, long n)
{
    long input = (cell - k / 2 + p) % n;
    return static_cast<uint16_t>(input < 0 ? input + n : input);
}

// The regular lattice input at position p of cell c for the network's
// dimension (1d ring, 2d or 3d template).
uint16_t
template_input(uint16_t c, int p)
{
    if (threed) {
        pndood_2or3(3, c, p);
        return poss_n;
    }
    if (twod) {
        pndood_2or3(2, c, p);
        return poss_n;
    }
    return ring_input(c, nhoodm[c], p, lineL);
}

} // namespace

void
oneD_local_wire_cell(uint16_t cell, uint16_t last)
{
    int k = nhoodm[cell];
    for (int p = k - 1; p >= 0; p--)
        wiring[cell][p] = ring_input(cell, k, p, static_cast<long>(last) + 1);
}

void
wire_up_regular_1d()
{
    for (uint32_t c = lineL; c-- > 0;)
        oneD_local_wire_cell(static_cast<uint16_t>(c), L);
}

void
wire_up_random()
{
    if (same_wiring)
        randomly_wire_cell(0, L);
    else
        for (uint32_t c = lineL; c-- > 0;)
            randomly_wire_cell(static_cast<uint16_t>(c), L);
}

void
change_cells_k(int trim, long k, int first, int last)
{
    if (k >= 1 && k <= nhood && first <= last) {
        for (int c = first; c <= last; c++) {
            int old = nhoodm[c];
            nhoodm[c] = static_cast<int8_t>(k);
            if (k != old)
                nhood_mixed = 1;
            if (k < old) {
                if (trim) {
                    uint64_t from = int_power(value_range, static_cast<int>(k));
                    uint64_t to = int_power(value_range, old);
                    for (uint64_t i = from; i < to; i++)
                        set_value(carule[c], static_cast<uint32_t>(i), 0);
                }
                for (int p = static_cast<int>(k); p < old; p++)
                    wiring[c][p] = Maxu;
            } else if (k > old) {
                uint16_t *moved = static_cast<uint16_t *>(
                    checked_calloc(old > 0 ? old : 1, sizeof(uint16_t), "tempwiring"));
                memcpy(moved, wiring[c], sizeof(uint16_t) * old);
                for (int p = 0; p < k; p++)
                    wiring[c][p] = template_input(static_cast<uint16_t>(c), p);
                // Where the user had moved an input away from the old
                // template, it keeps its place.
                nhoodm[c] = static_cast<int8_t>(old);
                for (int p = old - 1; p >= 0; p--) {
                    uint16_t regular = template_input(static_cast<uint16_t>(c), p);
                    if (moved[p] != regular)
                        wiring[c][p] = moved[p];
                }
                nhoodm[c] = static_cast<int8_t>(k);
                checked_free(moved);
            }
        }
    }
    nhood_lb_ub();
}
