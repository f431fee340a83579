// Changing the number of cells of a built network: a rebuild at a new size,
// or one cell added or removed at the end, keeping the k-mix, the wiring and
// the rule mix consistent with the size: lineL = n, L = n-1, every nhoodm
// entry within nhood_lb..nhood, every wiring slot in use naming a cell below
// n, one rule (and code) row per cell with a rule mix, and celloutfreq
// counting the wiring.
#pragma once
#include <cstdint>

// Rebuilds the network at n cells (at least 2): state lines, k-mix, wiring
// (regular 1d stays local, every other kind becomes random) and, with a rule
// mix, one random rule per cell. Replaces every array indexed by cell.
void change_net_size(int n);
// True when one cell can be added (flag 1) or removed (flag -1) now. Not for
// a mixed k-mix with codes, a lattice, a network without a wiring table, a
// network of 2 cells (removing) or of 65535 cells (adding). Callers check it
// before they change lineL and the state lines.
bool can_resize_by_one(int flag);
// After the caller set lineL, L, bytesL and reallocated the state lines:
// flag 1 gives the new last cell its k, inputs, outgoing links and rule; -1
// drops the old last cell and redirects the links that named it; 0 nothing.
// Refused (no change) for a mixed k-mix with codes.
void wire_rule_extra_cell(int flag);
// One cell more for the next size of a range or sweep: fresh zero-filled
// state lines for n + 1 cells, then wire_rule_extra_cell(1). False, with
// nothing changed, where can_resize_by_one(1) refuses.
bool grow_by_one_cell();
// Rule table entries 0..entries-1 := the bit of the binary tcode at the
// number of 1s among the first k inputs of each neighbourhood (read from the
// k-matrix nm); the rule of a two-valued tcode.
void binary_tcode_to_rule(uint8_t *rule, const uint8_t *tcode, int k, uint32_t entries);
