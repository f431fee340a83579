// Packed strings (states, rule tables, tcodes, kcodes) shown as hex bytes.
#pragma once
#include <cstdint>
#include <string>

// Writes the string as two lower-case hex digits per byte, from its last byte
// down to byte 0, at the current point in colour, wrapping before xlimit.
// kind: 0 a state of lineL cells, 1 a rule table of v^k entries, 2 a tcode,
// 3 a kcode of k inputs. mode: 0 (and 5) draw only; 1 draw, and copy to
// standard error when pdata is set; 2 draw and leave the current point
// after the last byte; 3 copy only, as 1, drawing nothing; 4 draw with 16
// bytes a line; 6 draw the first line and write every byte to standard
// error. Returns the line breaks made less one. A copy to the data file is
// the caller's, composed whole with hex_readout_text. last_baseline above 0
// keeps every line drawn whole above the next text: the lines whose baseline
// would pass it are left out (still copied), the last byte shown replaced by
// "..." (a box that holds only so many lines).
int16_t print_current_bitstring_hexbytes(int kind, const uint8_t *string, int k, int xlimit,
                                         int colour, int mode, int last_baseline = 0);
// Bytes of a string of the given kind: ceil(entries * value_bits / 8).
int hex_string_bytes(int kind, int k);
// The string's bytes as hex, from its last byte down to byte 0, a space
// after each, as many as fit in room pixels of the font in use; when not all
// fit, the first that leave room for "..." and then "...". For a readout on
// one line of a box, where a wrapped one would run over the lines below.
std::string hex_bytes_within(const uint8_t *string, int bytes, int room);
// The text the readout writes for the string, without its line breaks: the
// hex bytes a caller puts in a data line it composes whole.
std::string hex_readout_text(int kind, const uint8_t *string, int k);
