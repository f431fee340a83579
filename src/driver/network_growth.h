// Changing the number of cells of a built network: a rebuild at a new size,
// or one cell added or removed at the end, keeping the k-mix, the wiring and
// the rule mix consistent with the size.
#pragma once

// Rebuilds the network at n cells: state lines, k-mix, wiring (random unless
// regular 1d) and, with a rule mix, one random rule per cell.
void change_net_size(int n);
// True when one cell can be added (flag 1) or removed (flag -1) now: not for
// a mixed k-mix with codes, and never below 2 cells. Callers check it before
// they change lineL and the state lines.
bool can_resize_by_one(int flag);
// After the caller set lineL, L, bytesL and reallocated the state lines:
// flag 1 wires and rules the new last cell, -1 drops the old last cell, 0
// nothing.
void wire_rule_extra_cell(int flag);
