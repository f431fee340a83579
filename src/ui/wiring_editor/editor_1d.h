// The 1d wiring graph editor: the network as a line of cells, in the
// time-step layout (inputs at t above the cell at t+1) or on a ring, with
// the input links of a cursor cell; one key loop moves the cursor or a
// block and rewires, kills, deletes, untangles, revises and studies the
// cells. Its keys are one table of rows, from which its prompt is drawn,
// so the prompt names exactly the keys that act.
#pragma once
#include <string>
#include <vector>

#include "ui/screen/key_table.h"
#include "ui/wiring_editor/editor_state.h"
#include "ui/wiring_editor/graphics_1d.h"

// Opens the editor in layout 1 (time-step) or 2 (circle), with rules_set
// as the main driver holds it (false while only the wiring exists). Returns
// when a turn ends with 'q' or Return in is[0], with the screen under the
// editor put back and was_changed at 1.
void show_graphic_wiring_1d(int layout, bool rules_set);

// Where the editor opened now in layout (1 or 2) would draw: its layout
// numbers and drawing region for the network and window as they are.
editor_1d_picture editor_1d_layout_now(int layout, bool rules_set);

// What the prompt and the keys in force depend on: the state both
// editors read, and the up/down step.
struct editor_1d_state : editor_state {
    int step = 2;
};

// The six prompt lines for that state.
std::vector<std::string> editor_1d_prompt_lines(int low, int high, int cursor, int step,
                                                bool rules_set, int block);
// The prompt's pieces with the keys of the rows each names, and the keys
// that act now: the same rows, read once for the help and once for the
// dispatch.
std::vector<key_help_line> editor_1d_help(const editor_1d_state &s);
bool editor_1d_takes(const editor_1d_state &s, int key);
// Every key any row of the table acts on.
std::string editor_1d_keys();
