// The 2d and 3d wiring graph editor: the network as a lattice picture (a
// 2d square or hexagonal lattice, a 3d lattice as its layers stacked with
// an oblique frame beside it, or a 1d network laid out as a rectangle)
// with the input links of a cursor cell and of a block; one key loop moves
// the cursor, defines the block, scales and moves the picture and applies
// every wiring and rule operation. Its keys are one table of rows, from
// which its prompt is drawn, so the prompt names exactly the keys that act.
#pragma once
#include <string>
#include <vector>

#include "engine/wiring_editor/lattice_editor.h"
#include "ui/screen/key_table.h"
#include "ui/wiring_editor/editor_state.h"

// Opens the editor with rules_set as the main driver holds it (false while
// only the wiring exists). Returns when a turn ends with 'q' or Return in
// is[0], with the screen under the editor put back, i2d and j2d as they
// were, and was_changed at 1.
void show_graphic_wiring_2d_3d(bool rules_set);

// The picture the editor opened now would draw: its shape, cell size,
// edges, base lines and 3d frame, for the network and window as they are.
lattice_picture editor_2d_3d_picture_now(bool rules_set);

// What the prompt and the keys in force depend on: the state both
// editors read.
struct editor_2d_3d_state : editor_state {};

// The six prompt lines for that state (the displayed shape in i2d, j2d).
std::vector<std::string> editor_2d_3d_prompt_lines(const editor_2d_3d_state &s);
// The prompt's pieces with the keys of the rows each names, and whether a
// key acts now: the same rows, read once for the help and once for the
// dispatch.
std::vector<key_help_line> editor_2d_3d_help(const editor_2d_3d_state &s);
bool editor_2d_3d_takes(const editor_2d_3d_state &s, int key);
// Every key any row of the table acts on.
std::string editor_2d_3d_keys();
