// The basin of attraction of the cycle a forward run found.
#pragma once

// Draws the basin of the attractor cycle att[1..attperiod]: the cycle, the
// tree of each attractor state that is not a rotation of one already done,
// the basin totals, summary and data line; releases att and leaves its last
// key in is[0] ('q' when the user stopped the basin or field).
void draw_basin();
// Whether a basin or subtree draws the rule box as it starts, where the box
// stands (rule_box_stands): it runs alone (a field or a size range draws
// the box for its runs), or on the screen a field clears for each of its
// basins (successive basins).
bool run_draws_rule_box();
// Releases what one basin used: the successor table or the general
// pre-image method's tables (outside a field), the segment list, the
// attractor states and their positions.
void free_basin_memory();
// Draws attractor states as cell patterns in yellow at their cycle
// positions, from attperiod down to: attperiod (mode 1), the last state with
// a tree (mode 2), or the position given. Only the states whose places the
// basin took as it began are drawn: a state whose pattern would run past
// the drawing area, or cover a pattern or label placed before it, is left
// out. They stay on top of the edges drawn after them (label_layer.h).
void draw_att_state(int mode);
