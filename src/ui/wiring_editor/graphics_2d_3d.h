// The drawings of the 2d and 3d wiring graph editor: its six-line key
// prompt, the jump dialog, one hexagonal cell, and a cell with its input
// links in the lattice picture and in the oblique 3d frame. They draw
// only; the editor (editor_2d_3d.h) owns the picture's numbers
// (engine/wiring_editor/lattice_editor.h) and passes them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/wiring_editor/lattice_editor.h"

// The key prompt in a six-line prompt box, in white; its lines are the
// help of the editor's key table for this state. The colour is kept.
void draw_2d_3d_graphics_prompt(const std::vector<std::string> &lines);

// "jump to index ij" (or "ijh") and "enter i (%d-0):", " enter j (%d-0):"
// (and " enter h (%d-0):") in a three-line box: each entry within its
// range is taken, Return reads 0, an entry above the range its maximum.
// Writes the picture coordinates into ij; clears is[0] and puts the
// prompt area back.
void jump2d_3d(int16_t ij[2]);

// One hexagonal cell of width w and side a with its top left at (x, y),
// filled and outlined; a single point in point_colour when w <= 1.
void draw_hexagonal_2d_cell_wiring(int w, float a, int point_colour, int fill_colour,
                                   int outline_colour, int x, int y);

// How the links are shown.
struct link_display {
    int mode = 0;      // 0 template marks, lines, green real inputs; 1 marks
                       // and lines; 2 marks and green inputs; 3 marks only;
                       // 4 lines only
    int pseudo = 0;    // links straight from the cell to each real input
    int index = 0;     // the position numbers inside the template marks
    int cursor = 0;    // the cursor colour: outlines of the marks
};
constexpr int kLinkModes = 5;

// Cell and its input links in the picture, and on a 3d lattice in the
// frame too: the cell (with pseudo), a template mark per input position
// (red at the centre), a white line from the template mark (or the cell)
// to the real input where it departs from the template, and a green mark
// on the real input, as the mode says.
void draw_2d_3d_links(uint16_t cell, const lattice_picture &pic, const link_display &links);
