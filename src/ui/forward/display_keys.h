// The presentation keys (drawing, colours, scale, scrolling, display form)
// and the frozen-cell, filter and analysis keys of a running pattern: groups
// of its key table (running_pattern_keys.h), which the key switch
// interrupt_stp (running_keys.h) and the key panel walk.
#pragma once

#include "ui/forward/running_pattern_keys.h"
#include "ui/measures/run_records.h"

// The groups "  presentation", "  1d 2d 3d", "  frozen/filter" and
// "  analysis".
running_key_group presentation_keys();
running_key_group dimension_keys();
running_key_group frozen_keys();
running_key_group analysis_keys();
// 'E' of the rule-sample group: an entropy sample of rules, with the
// entropy-density plot on.
bool entropy_sample_key(running_pattern &p, char key);
// '#' of the miscellaneous group: scrolling on or off.
bool scrolling_key(running_pattern &p, char key);
// Whether 'i' toggles the division lines (2d, 2d+time or 3d cells wider than
// 3 pixels); elsewhere it adds a cell.
bool divs_key_applies(const run_iteration *it);
// The entropy-density plane, the return map and the state-space matrix
// hidden, those of them shown, before another of them or the graph layout
// takes their place.
void make_room_at_bottom_right(running_pattern &p);
// The return map and the entropy-density plane hidden, those shown.
void hide_side_planes(running_pattern &p);
// Whether the graph layout leaves the side plot, the planes beside it and
// the matrix their places: on, its box reaches over them, under its discs,
// and their keys ('s', 'u', 'E', 'D', 'y') are neither offered nor act.
bool outside_graph_layout(const running_pattern &p);
// The common re-lay of the pattern area after its size or form changed:
// the planes beside the side plot (the entropy-density plane, the return
// map) are drawn again at the place the new width gives, as the clear of
// the area took them.
void relay_pattern_area(const running_pattern &p);
// The planes beside the pattern ('u' with its samples, the return map)
// erased (draw 0) or drawn afresh at the place the pattern's width gives.
void draw_side_planes(const running_pattern &p, int draw);
