// Network files: single rules (*.rul, *.tco, *.vco), wiring (*.w_s), rule
// schemes (*.r_s, *.r_t, *.r_v), wiring with rule schemes (*.wrs, *.wrt,
// *.wrv) and seeds (*.eed), loaded and saved through one routine, and the
// placement of a smaller network's file inside a larger network. Their
// byte layouts, record sizes and file kinds are in
// engine/storage/network_file_codec.h.
#pragma once
#include <cstdint>

#include "engine/storage/network_file_codec.h"

// mode 'l' load or 's' save; buffer: the caller's rule or code (single rule)
// or state line (seed); what: the file kind. Save gives 's'; a load gives
// the file's k (a seed: the byte after its v byte) and no 'q' in is[0]; 0
// with 'q' in is[0] when backed out or the file could not be opened, read
// or written; 255 with 'q' in is[0] when the file was refused (its message
// shown, the network and buffer untouched): a seed of 255 cells gives 255
// too, without the 'q'. A single rule goes to buffer (a mix, or
// outer-totalistic kcodes) only when its k is the network's: one of
// another k that rebuilds the network (during the set-up, no mix) leaves
// buffer, sized for the old k, untouched and gives the new k.
uint8_t load_save_wrs(int mode, uint8_t *buffer, int what);

// The same for a file name already chosen, without the name dialog.
uint8_t save_wrs_file(const char *name, const uint8_t *buffer, int what);
uint8_t load_wrs_file(const char *name, uint8_t *buffer, int what);

// Asks where a smaller block (file n; sides i, j, h) goes in the network of
// dimension 1, 2 or 3: out[0..2] the start column (1d: first cell), row and
// layer; sets the placement globals. Asks only when lineL > n and a window
// is open; otherwise the block is centred.
void locate_small_net(int dimension, uint16_t *out, int n, int i, int j, int h);

// The wire-up of the whole network that a single rule of another k needs
// after the arrays sized by k are rebuilt: wire_up_network(1), which lies
// above the files (it can itself load a wiring file), so the program
// registers it. Unregistered, such a network keeps the regular 1d wiring.
void set_network_rewire(void (*rewire)(int show));
