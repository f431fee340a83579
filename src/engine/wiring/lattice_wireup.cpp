// Whole-lattice wire-up (lattice_wireup.h): fills the wiring table of a box
// of a 2d or 3d lattice from the templates, then recounts the out-degrees.
//
// Reads from model/: lineL, i2d, i3d, j3d, nhoodm; writes wiring rows (positions
// below each cell's k only; the empty slots keep Maxu). Uses the templates
// of lattice_templates.h and cell_out_freq of out_degrees.h.
#include "engine/wiring/lattice_wireup.h"

#include "engine/model/globals.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/lattice_templates.h"
#include "engine/wiring/out_degrees.h"

namespace {

// Positions 0..k-1 of cell c from the template of dimension dim.
void
wire_cell_from_template(int dim, uint16_t c)
{
    for (int p = 0; p < nhoodm[c]; p++) {
        pndood_2or3(dim, c, p);
        wiring[c][p] = poss_n;
    }
}

} // namespace

void
wire_up_lattice(int dimension)
{
    for (uint32_t c = lineL; c-- > 0;)
        wire_cell_from_template(dimension, static_cast<uint16_t>(c));
}

void
wireup_2d_nhood(int16_t i_hi, int16_t j_hi, int16_t i_lo, int16_t j_lo)
{
    for (int j = j_hi; j >= j_lo; j--)
        for (int i = i_hi; i >= i_lo; i--)
            wire_cell_from_template(2, static_cast<uint16_t>(j * i2d + i));
    cell_out_freq();
}

void
wireup_3d_nhood(int16_t i_hi, int16_t j_hi, int16_t h_hi, int16_t i_lo, int16_t j_lo,
                int16_t h_lo)
{
    for (int h = h_hi; h >= h_lo; h--)
        for (int j = j_hi; j >= j_lo; j--)
            for (int i = i_hi; i >= i_lo; i--)
                wire_cell_from_template(3, static_cast<uint16_t>(h * i3d * j3d + j * i3d + i));
    cell_out_freq();
}
