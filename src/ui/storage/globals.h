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

// Stage of the set-up, read by the network loaders and the wiring tools.
extern uint8_t rules_set;     // 0 while the wiring is chosen, 1 from the rules stage on
