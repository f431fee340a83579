// Whole-string operations of the string editors (hex entry, random strings,
// the cell editor): the hex digit form of a packed string, clamping values
// of v or more, complements, random strings with an exact number of
// non-zero entries (with or without a central block), and the Z nudges of a
// rule table or a code. Nothing here draws; the dialogs are
// ui/rules/hex_entry.h, ui/string_editors/random_strings.h and
// cell_editor.h. Start at hex_digits.
#pragma once
#include <cstdint>
#include <vector>

// String kinds of the hex readout and entry: a state, a rule table, a
// tcode, a kcode.
constexpr int string_state = 0, string_rule = 1, string_tcode = 2, string_kcode = 3;

// Entries of a string of the given kind for k inputs (a state: lineL).
uint64_t string_entries(int kind, int k);

// The hex digits of bytes high..0 of a string, one value 0..15 an element:
// element 2j is the high nibble and 2j+1 the low nibble of byte high-j.
// Example: bytes {0x6e, 0x0a} with high 1 give {0, 10, 6, 14}.
std::vector<uint8_t> hex_digits(const uint8_t *string, int high);
// Writes such digits back: byte high-j := 16 * digit 2j + digit 2j+1.
void put_hex_digits(uint8_t *string, const std::vector<uint8_t> &digits, int high);

// v > 2: every entry 0..last holding v or more becomes v-1. Returns true
// when one did (v = 2 never clamps: every bit pattern is a value).
bool clamp_entries(uint8_t *string, uint32_t last);

// Entries of first..first+count-1 above 0.
uint32_t count_nonzero(const uint8_t *string, uint32_t first, uint32_t count);

// Entries 0..count-1 become v-1-e. For a v = 2 state (state true) every
// byte of the line is inverted and the bits past cell n-1 cleared.
void complement_string(uint8_t *string, uint32_t count, bool state);

// A random string of count entries at density bias (percent) with exactly
// trunc(count * bias / 100) non-zero entries: one draw per entry from 0 up
// (r = random() % 1000, 1 for 0; v = 2: set when trunc(20 bias) / r is 1;
// v > 2: random() % (v-1) + 1 when trunc(10 bias) / r > 0), then random
// positions cleared or set until the count is exact. Returns the count.
uint32_t random_string_at_density(uint8_t *string, uint32_t count, float bias);
// The same for a state whose non-zero cells all lie in the central block of
// side b (b, b*b or b*b*b cells by oned, twod, threed): set_central_block
// draws it at bias_density, randpos_block places the corrections. Returns
// the block's non-zero count.
uint32_t random_block_at_density(uint8_t *state, int b);
// Cells of the central block of side b in the network's dimension.
uint32_t block_cells(int b);

// Recomputes the Z figures of a rule table of k inputs into zparam (the
// window's version also shows them).
typedef void (*rule_z_measure)(int k, uint8_t *rule);
// The Z nudge: up to 200 tries of one random entry change (v = 2 inverted,
// v > 2 random() % v), each measured and kept when Z rose or stayed
// (dir 'Z') or fell or stayed ('z'), any other dir keeping the first;
// otherwise undone. Nothing under tot_only. Returns true when kept.
bool nudge_rule_z(uint8_t *rule, int k, char dir, rule_z_measure measure);
// The same for a tcode or kcode (by totalistic): a random code entry
// changes and Z is judged on the rule table expanded into table.
bool nudge_code_z(uint8_t *code, int k, char dir, uint8_t *table, rule_z_measure measure);
// Expands a tcode or kcode (by totalistic) into the rule table.
void expand_code(uint8_t *table, uint8_t *code, int k);
