// The hex entry of packed strings (states, rule tables, tcodes, kcodes):
// the "hex-h" method of the seed, rule and code dialogs. The string is shown
// as a block of hex digits, bytes from the highest down to byte 0 (the form
// of the readout, hex_readout.h), which the user overwrites in place.
#pragma once
#include <cstdint>

// Edits bytes high..low (callers pass the last byte index and 0) of a
// string of kind 0 state, 1 rule table, 2 tcode, 3 kcode of k inputs; the
// digit block starts at text column `column` two lines below the current
// point, its rows holding as many bytes as end left of column `right` (16,
// or 32 in the small font, at the most). Returns 1 when an entry was clamped to v-1 after the edit (v > 2),
// else 0; is[0] is 'q' when the user backed out (rotations already made
// stay).
int define_hex(float column, int right, int k, int kind, uint8_t *string, int high, int low);

// The key loop of the digit block drawn at the current point, per_row bytes
// a row; width and height are the normal character size (the count box is
// written in the normal font while the block uses the small one). Leaves
// in is[0] 'q' (backed out, nothing written), 'r' (the string was rotated
// one entry and is to be shown again) or, after Return, the first digit's
// value 0..15 (the digits written back).
void input_hex(int k, int kind, uint8_t *string, int high, int low, int per_row, int width,
               int height);
