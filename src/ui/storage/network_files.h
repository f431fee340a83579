// Network files: single rules (*.rul, *.tco, *.vco), wiring (*.w_s), rule
// schemes (*.r_s, *.r_t, *.r_v), wiring with rule schemes (*.wrs, *.wrt,
// *.wrv) and seeds (*.eed), loaded and saved through one routine, and the
// placement of a smaller network's file inside a larger network.
//
// Layouts (integers low byte first, values as value lines byte for byte):
//   single rule  v, k (| 0x80 with a k-mix), R bytes of rule, tcode or kcode
//   net files    v, k (| 0x80), n (2 bytes), i, j; then n cell records:
//                wiring k entries; rule scheme R bytes; both R then k entries
//   seed         v, n (2 bytes), i, j, the state line (bytesL bytes)
// R is the record of one rule for k = nhood (rule_bytes, or tcode_bytes /
// kcode_bytes by totalistic). i, j are the low bytes of the 2d (3d) sides,
// 0 for 1d; a 3d file's height is n div (i*j). A wiring entry is 1 byte
// when n <= 254, else 2; the unused slot Maxu is stored as 0xFF or 0xFFFF.
// Example: v = 2, n = 10, k = 3 regular ring wiring: 02 03 0A 00 00 00
// 09 00 01  00 01 02 ... 08 09 00 (36 bytes).
#pragma once
#include <cstdint>

// File kinds of load_save_wrs's what: 0 single rule, 1 wiring only, 2 rule
// scheme only, 3 wiring and rule scheme, 's' seed.
constexpr int kSeedFile = 's';

// mode 'l' load or 's' save; buffer: the caller's rule or code (single rule)
// or state line (seed); what: the file kind. Save gives 's'; a load gives
// the file's k (a seed: the byte after its v byte); 0 with 'q' in is[0]
// when backed out or the file could not be opened, read or written; 255
// when the file was refused (its message shown, the network untouched).
uint8_t load_save_wrs(int mode, uint8_t *buffer, int what);

// The same for a file name already chosen, without the name dialog.
uint8_t save_wrs_file(const char *name, const uint8_t *buffer, int what);
uint8_t load_wrs_file(const char *name, uint8_t *buffer, int what);

// Asks where a smaller block (file n; sides i, j, h) goes in the network of
// dimension 1, 2 or 3: out[0..2] the start column (1d: first cell), row and
// layer; sets the placement globals. Asks only when lineL > n and a window
// is open; otherwise the block is centred.
void locate_small_net(int dimension, uint16_t *out, int n, int i, int j, int h);

// Bytes of one rule of k inputs in a single-rule file (by totalistic) and
// in a rule-scheme record (rule tables unless tot_only).
uint64_t single_rule_record_bytes(int k);
uint64_t scheme_record_bytes(int k);
