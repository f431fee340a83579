// Whole-network wire-up by wiring kind (hypercube, file, random, hand matrix,
// regular 1d, 2d and 3d lattices), the one definition of the regular 1d
// neighbourhood, and the change of k of cells from the wiring editors. Reads
// the lattice templates, random wiring, hypercube and hand matrix of this
// folder, wiring files (storage/) and the network view (wiring_editor/).
#include "ui/wiring/wire_up.h"

#include <cstdio>
#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "ui/model/network_size.h"
#include "engine/model/value_line.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/storage/network_files.h"
#include "engine/wiring/globals.h"
#include "ui/wiring/hand_matrix.h"
#include "ui/wiring/hypercube.h"
#include "engine/wiring/lattice_templates.h"
#include "engine/wiring/out_degrees.h"
#include "ui/wiring/random_wiring.h"
#include "ui/wiring_editor/network_view.h"

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

// Every cell of a 2d or 3d lattice from its template.
void
wire_lattice(int dimension)
{
    for (uint32_t c = lineL; c-- > 0;)
        for (int p = 0; p < nhoodm[c]; p++) {
            pndood_2or3(dimension, static_cast<uint16_t>(c), p);
            wiring[c][p] = poss_n;
        }
}

// The question of a regular 1d network picked from the special menu: false
// when it was backed out.
bool
ask_regular_1d_treatment()
{
    draw_prompt_box(1);
    outtext("treat regular 1d as random wiring-1, and compress-2:");
    input_string(1, 0);
    erase_prompt_box(1);
    if (is[0] == 'q')
        return false;
    if (is[0] == '1' || is[0] == '2')
        nonlocal = 1;
    if (is[0] == '2')
        compress_1d_local = 1;
    return true;
}

void
wire_regular_1d()
{
    for (uint32_t c = lineL; c-- > 0;)
        oneD_local_wire_cell(static_cast<uint16_t>(c), L);
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
wire_up_network(int show)
{
    memset(celloutfreq, 0, sizeof(uint16_t) * lineL);
    switch (whatwire) {
    case 5:
        hypercube();
        break;
    case 4:
        wire_regular_1d();
        if (static_cast<int8_t>(load_save_wrs('l', nullptr, 1)) <= 0) {
            is[0] = 'q';
            return;
        }
        nhood_lb_ub();
        nhood_mixed = nhood_lb != nhood_ub;
        break;
    case 0:
        if (same_wiring)
            randomly_wire_cell(0, L);
        else
            for (uint32_t c = lineL; c-- > 0;)
                randomly_wire_cell(static_cast<uint16_t>(c), L);
        break;
    case 3:
        wiring_matrix();
        break;
    case 1:
        compress_1d_local = 0;
        if (nhood_mixed)
            nonlocal = 1;
        else if (defaultwiring == 0 && !ask_regular_1d_treatment()) {
            is[0] = 'q';
            return;
        }
        wire_regular_1d();
        break;
    case 2:
        wire_lattice(2);
        break;
    case 6:
        wire_lattice(3);
        break;
    default:
        break;
    }
    cell_out_freq();
    bool plain_lattice = (defaultwiring == 1 || defaultwiring == 2) && !nhood_mixed;
    if (show == 1 && !plain_lattice)
        show_w_r_scheme();
}

void
reset_k(int trim, int block_a, int block_b, int cell, int first, int last)
{
    if (tot_only)
        return;
    erase_prompt_box(6);
    draw_prompt_box(1);
    snprintf(textb[0], 150, "reset nhood size k (1-%d):", nhood);
    outtext(textb[0]);
    input_string(2, 0);
    long k = entry_number();
    if (!(block_a && block_b))
        first = last = cell;
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
