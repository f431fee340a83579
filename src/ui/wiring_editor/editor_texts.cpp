// The texts both wiring editors compose alike (editor_texts.h): the
// information line's pieces and the shared prompt pieces.
//
// Reads the network shape, the wiring table, nhoodm and the rule kind
// (model/), the link counts of cell_out_freq (wiring/) and the lattice
// shape of engine/wiring_editor/lattice_editor.h. Start at
// information_pieces.
#include "ui/wiring_editor/editor_texts.h"

#include <algorithm>
#include <cstdio>

#include "engine/model/globals.h"
#include "engine/wiring/globals.h"
#include "engine/wiring_editor/lattice_editor.h"
#include "ui/rules/hex_readout.h"

int
network_dimension()
{
    return threed ? 3 : twod ? 2 : 1;
}

std::string
place_text(int cell, bool input, int dim)
{
    char text[40];
    lattice_shape sh = lattice_shape_now();
    if (dim == 2) {
        snprintf(text, sizeof text, input ? "%d,%d " : "%d,%d", cell % sh.width, cell / sh.width);
    } else if (dim == 3) {
        int layer = sh.i3d * sh.j3d, h = cell / layer;
        snprintf(text, sizeof text, input ? "%d,%d,%d-" : "%d,%d,%d", cell % sh.i3d,
                 (cell - h * layer) / sh.i3d, h);
    } else {
        snprintf(text, sizeof text, input ? "%d " : "%d", cell);
    }
    return text;
}

information_line
information_pieces(int cell, int dim, bool rules_set)
{
    information_line line;
    int k = nhoodm[cell];
    char text[96];
    std::string place = place_text(cell, false, dim);
    if (nhood_mixed)
        snprintf(text, sizeof text, " maxk=%d cell=%s k=%d wiring=", nhood, place.c_str(), k);
    else
        snprintf(text, sizeof text, " cell=%s wiring=", place.c_str());
    line.pieces.push_back(text);
    for (int p = k - 1; p >= 0; p--)
        line.pieces.push_back(place_text(wiring[cell][p], true, dim));
    snprintf(text, sizeof text, "outwires=%d ", celloutfreq ? celloutfreq[cell] : 0);
    line.pieces.push_back(text);
    line.pieces.push_back("links:");
    if (nhood_mixed) {
        snprintf(text, sizeof text, "total=%lu av-k=%.2f ", static_cast<unsigned long>(tot_wires),
                 static_cast<double>(tot_wires) / std::max<int>(1, lineL));
        line.pieces.push_back(text);
    }
    if (lineL <= 2500) {
        snprintf(text, sizeof text, "bi=%d ", tot_bi_links);
        line.pieces.push_back(text);
    }
    snprintf(text, sizeof text, "self=%d=%.1f%% ", tot_self_links,
             tot_wires ? 100.0 * tot_self_links / tot_wires : 0.0);
    line.pieces.push_back(text);
    if (rules_set && hex_string_bytes(1, k) <= 4) {
        snprintf(text, sizeof text, "k%d-rule=(hex)", k);
        line.pieces.push_back(text);
        line.rule_in_hex = true;
    }
    return line;
}

uint8_t *
shown_rule_table(int cell)
{
    return rulemix ? carule[cell] : carule[0];
}

std::string
size_text(int editor)
{
    char text[40];
    bool lattice_editor = editor == editor_2d_3d;
    if (threed)
        snprintf(text, sizeof text, "%dx%dx%d", i3d, j3d, h3d);
    else if (twod)
        snprintf(text, sizeof text, lattice_editor && hex2d ? "%dx%d hex" : "%dx%d", i2d, j2d);
    else if (lattice_editor)
        snprintf(text, sizeof text, "%dx%d", i2d, j2d);
    else
        snprintf(text, sizeof text, "n=%d", lineL);
    return text;
}

std::string
editor_heading(int editor, bool rules_set)
{
    char text[96];
    snprintf(text, sizeof text, "\n%dd (%s) wiring%s: move-arrows", network_dimension(),
             size_text(editor).c_str(), rules_set ? "/rules" : " only");
    return text;
}

std::string
rewire_heading_text(int dim, const cells_in_reach &reach)
{
    char text[80];
    if (reach.block) {
        const block_corners &b = reach.box;
        if (dim == 3)
            snprintf(text, sizeof text, "\nrewire 3d block %d,%d,%d-%d,%d,%d:", b.i_low, b.j_low,
                     b.h_low, b.i_high, b.j_high, b.h_high);
        else if (dim == 2)
            snprintf(text, sizeof text, "\nrewire 2d block %d,%d-%d,%d:", b.i_low, b.j_low,
                     b.i_high, b.j_high);
        else
            snprintf(text, sizeof text, "\nrewire 1d block %d-%d:", reach.low, reach.high);
        return text;
    }
    if (dim == 1)
        snprintf(text, sizeof text, "\nrewire 1d cell %d: ", reach.cursor);
    else
        snprintf(text, sizeof text, "\nrewire %dd cell %s:", dim,
                 place_text(reach.cursor, false, dim).c_str());
    return text;
}

std::string
change_k_text(int cursor)
{
    char text[48];
    snprintf(text, sizeof text, "change k=%d(max %d)-k, ", nhoodm[cursor], nhood);
    return text;
}
