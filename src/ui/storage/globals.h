// File names shared by every file dialog and data-line writer.
#pragma once

constexpr int kFileNameSize = 256;
extern char *filename;       // the chosen file name with its extension
extern char *filename_data;  // the data file lines are appended to
extern char *old_dir;        // directory name buffer
extern char *path;           // path buffer

// Placement of the last smaller network file loaded into a larger network
// (locate_small_net); cleared by every load_save_wrs call. The wiring
// editors read them to mark the loaded block.
#include <cstdint>
extern uint8_t file_dim;      // 1, 2 or 3: dimension of the last placement; 0 none
extern int16_t file_i, file_j, file_h; // sides of the placed block (1d: file_i = n)
extern uint16_t file_starti, file_startj, file_starth; // its start (1d: first cell)

// Glider rule lists (glider_list.h): allocated and freed by the start-up,
// the counts preset by the set-up stages and set by load_glider_buf.
// no_glider_rules[v][k], v = 2..8, k = 0..13: the last rule index of each
// list; program lifetime.
extern uint16_t **no_glider_rules;
extern uint8_t *glider_buf;     // glider rule list buffer; program lifetime, grown by its loader
// The list load_glider_buf last read into glider_buf: its v, k and kind,
// and the index of its last whole record, 0 when it read none (a missing
// or damaged file, or no count to read), whatever count was preset.
struct glider_list_read {
    int v = 0, k = 0;
    bool kcodes = false;
    uint16_t last = 0;
};
extern glider_list_read glider_read;

// Per-run reset, called by the run part at the start of each run; it resets
// nothing: every global here is a file name, the placement of the last loaded
// file or a program-lifetime list.
void reset_storage_ui_run();
// Puts every setting and count of this folder (not its memory) back to the
// value it is defined with: the program's start-up and each window test begin
// there.
void restore_storage_ui_start_values();
