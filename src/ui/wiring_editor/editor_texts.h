// The texts both wiring editors compose alike: the pieces of the
// information line of the cursor cell, and the prompt pieces that read the
// same in both (the heading, the rewire heading, the change of k). Each
// editor lays them out its own way: the 1d editor wraps the information
// line in its region, the 2d/3d editor clips it to its strip.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/wiring_editor/cells_in_reach.h"

// The network's dimension: 1, 2 or 3.
int network_dimension();

// A cell as the information line writes it on a picture of dimension dim:
// "%d" (1), "%d,%d" (2: i, j on the displayed width i2d) or "%d,%d,%d"
// (3: i, j3, h); an input is followed by " " (1, 2) or "-" (3).
std::string place_text(int cell, bool input, int dim);

// The information line of cell, piece by piece: its cell and k, its
// inputs from position k-1 down, "outwires=%d ", "links:", the network's
// link counts and, for a rule of at most 4 bytes while the rules are set,
// "k%d-rule=(hex)" (rule_in_hex then true: the editor writes the table
// after it, without tot_only). Places are written for dimension dim.
struct information_line {
    std::vector<std::string> pieces;
    bool rule_in_hex = false;
};
information_line information_pieces(int cell, int dim, bool rules_set);
// The rule table the information line writes for cell: its own with a
// rule mix, else table 0.
uint8_t *shown_rule_table(int cell);

// The network's size as an editor names it: "%dx%dx%d" (i3d, j3d, h3d)
// for a 3d lattice, "%dx%d" for a 2d one (the 2d/3d editor adds " hex"
// for a hexagonal one); a 1d network "n=%d" in the 1d editor and its
// displayed rectangle "%dx%d" in the 2d/3d editor. editor: editor_1d or
// editor_2d_3d.
std::string size_text(int editor);
// "\n%dd (%s) wiring/rules: move-arrows" (" wiring only" without rules)
// with the editor's size text.
std::string editor_heading(int editor, bool rules_set);
// "\nrewire %dd block ...:" or "\nrewire %dd cell ...:" for the block or
// the cursor cell, on a picture of dimension dim (the 1d editor's is 1).
std::string rewire_heading_text(int dim, const cells_in_reach &reach);
// "change k=%d(max %d)-k, " for the cursor cell.
std::string change_k_text(int cursor);
