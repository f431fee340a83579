// The cells a wiring editor's operation reaches and the rewires over them
// (cells_in_reach.h).
//
// Reads lineL, nhoodm and the lattice shape (model/); writes wiring rows
// and, for a change of k, nhoodm and the cells' rule rows, through the
// wiring services of engine/wiring/ and the k-weighted draw beside this
// file. Start at cells_reached.
#include "engine/wiring_editor/cells_in_reach.h"

#include "engine/model/globals.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/lattice_templates.h"
#include "engine/wiring/random_wiring.h"
#include "engine/wiring/wire_up.h"
#include "engine/wiring_editor/k_weighted_wiring.h"

namespace {

bool
inside_box(uint16_t cell, const block_corners &b)
{
    return !outside_2d_3d_block(cell, b.i_low, b.j_low, b.h_low, b.i_high, b.j_high, b.h_high);
}

// The block's cells low..high below lineL, those outside the box left out
// for the 2d/3d editor.
std::vector<uint16_t>
block_cells(const cells_in_reach &reach)
{
    std::vector<uint16_t> cells;
    for (long c = reach.low < 0 ? 0 : reach.low; c <= reach.high && c < lineL; c++)
        if (reach.editor != editor_2d_3d || inside_box(static_cast<uint16_t>(c), reach.box))
            cells.push_back(static_cast<uint16_t>(c));
    return cells;
}

} // namespace

std::vector<uint16_t>
cells_reached(const cells_in_reach &reach)
{
    if (reach.block_mode())
        return block_cells(reach);
    if (reach.cursor < 0 || reach.cursor >= lineL)
        return {};
    return {static_cast<uint16_t>(reach.cursor)};
}

std::vector<uint16_t>
block_cells_inside(const cells_in_reach &reach)
{
    if (!reach.block_mode())
        return {};
    cells_in_reach boxed = reach;
    boxed.editor = editor_2d_3d;
    return block_cells(boxed);
}

void
random_rewire_cells(const cells_in_reach &reach)
{
    uint16_t last = static_cast<uint16_t>(lineL - 1);
    for (uint16_t c : cells_reached(reach)) {
        bool pattern_for_all = same_wiring != 0;
        randomly_wire_cell(c, last);
        if (pattern_for_all)
            return;
    }
}

void
k_weighted_rewire_cells(const cells_in_reach &reach)
{
    k_weighted_source source = open_k_weighted_source();
    for (uint16_t c : cells_reached(reach))
        k_weighted_rewire_cell(source, c);
    close_k_weighted_source(source);
}

void
local_1d_rewire_cells(const cells_in_reach &reach)
{
    uint16_t last = static_cast<uint16_t>(lineL - 1);
    for (uint16_t c : cells_reached(reach))
        oneD_local_wire_cell(c, last);
}

void
wire_cell_by_template(int dim, uint16_t cell)
{
    for (int p = 0; p < nhoodm[cell]; p++) {
        pndood_2or3(dim, cell, p);
        wiring[cell][p] = poss_n;
    }
}

void
local_lattice_rewire_cells(const cells_in_reach &reach, int dim)
{
    for (uint16_t c : cells_reached(reach))
        wire_cell_by_template(dim, c);
}

void
change_k_of_cells(const cells_in_reach &reach, int trim, long k)
{
    if (k < 1 || k > nhood)
        return;
    std::vector<uint16_t> cells = cells_reached(reach);
    size_t run = 0;
    for (size_t at = 1; at <= cells.size(); at++) {
        if (at < cells.size() && cells[at] == cells[at - 1] + 1)
            continue;
        change_cells_k(trim, k, cells[run], cells[at - 1]);
        run = at;
    }
}
