// Settings of the string editors (the cell editor and the bits on a grid)
// that persist between calls and runs. The per-run reset resets none of
// them: they are display choices the user made.
#pragma once
#include <cstdint>

extern uint8_t show_2d_divs; // 1: cells drawn with a gap (borders); toggled by 'i'; 1 at start
extern uint8_t show_dots;    // 1: cells of value 0 get a green dot; toggled by '.'; define_bits sets 1
extern uint8_t hex_cells;    // 1: a 2d state is drawn and flipped as hexagons; define_bits sets it for a
                             // triangular-grid lattice, 'x' toggles it (the lattice's hex2d is not touched)
extern int16_t rot_size;     // cells the editor's shift keys move the string, 1..; define_bits sets 1
extern int8_t fscale;        // pitch of the isometric 3d picture, 1..127; define_bits sets it
extern int16_t start_j2d;    // top row edited of a 2d state, 0..j2d-1; define_bits sets j2d-1
extern int16_t start_h3d;    // layer edited of a 3d state, 0..h3d-1; define_bits sets h3d-1

// Per-run reset, called by the run part at the start of each run; it resets
// nothing: every global here is a display choice of the editors.
void reset_string_editors_run();
// Puts every setting and count of this folder (not its memory) back to the
// value it is defined with: the program's start-up and each window test begin
// there.
void restore_string_editors_start_values();
