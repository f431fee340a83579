// Blocks of cells in the wiring editors (cell_blocks.h).
//
// Reads the lattice shape (i2d, i3d, j3d, twod, threed), nhoodm, the rule
// kind; writes carule, cacode or v_code rows (model/). Start at
// copy_rule_to_block.
#include "engine/wiring_editor/cell_blocks.h"

#include <cstring>

#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"

namespace {

bool
within(int x, int low, int high)
{
    return x >= low && x <= high;
}

// The row one cell's rule or code lives in, and its size for k inputs.
uint8_t *
rule_row(uint16_t cell)
{
    if (!tot_only)
        return carule[cell];
    return totalistic == rule_kind_tcodes ? cacode[cell] : v_code[cell];
}

size_t
rule_row_bytes(int k)
{
    if (!tot_only)
        return rule_bytes(k);
    return totalistic == rule_kind_tcodes ? tcode_bytes(nhood) : kcode_bytes(nhood);
}

} // namespace

bool
cell_lattice_place(uint32_t cell, lattice_place &place)
{
    if (threed && i3d > 0 && j3d > 0) {
        int layer = i3d * j3d;
        place.h = static_cast<int>(cell / layer);
        place.j = static_cast<int>((cell - place.h * layer) / i3d);
        place.i = static_cast<int>(cell % i3d);
        return true;
    }
    if (twod && i2d > 0) {
        place.i = static_cast<int>(cell % i2d);
        place.j = static_cast<int>(cell / i2d);
        place.h = 0;
        return true;
    }
    return false;
}

int
outside_2d_3d_block(uint16_t cell, int16_t i_low, int16_t j_low, int16_t h_low,
                    int16_t i_high, int16_t j_high, int16_t h_high)
{
    lattice_place p;
    if (!cell_lattice_place(cell, p))
        return 0;
    bool inside = within(p.i, i_low, i_high) && within(p.j, j_low, j_high) &&
                  (!threed || within(p.h, h_low, h_high));
    return inside ? 0 : 1;
}

int
copy_rule_to_block(int editor, uint16_t cell, uint16_t low, uint16_t high,
                   const block_corners &box)
{
    if (!rulemix || cell >= lineL)
        return 0;
    int k = nhoodm[cell];
    size_t bytes = rule_row_bytes(k);
    const uint8_t *source = rule_row(cell);
    int written = 0;
    for (uint32_t c = low; c <= high && c < lineL; c++) {
        if (c == cell || nhoodm[c] != k)
            continue;
        if (editor == editor_2d_3d &&
            outside_2d_3d_block(static_cast<uint16_t>(c), box.i_low, box.j_low, box.h_low,
                                box.i_high, box.j_high, box.h_high))
            continue;
        memcpy(rule_row(static_cast<uint16_t>(c)), source, bytes);
        written++;
    }
    return written;
}
