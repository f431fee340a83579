// The on-the-fly key index: a panel at the bottom right listing the keys of
// a running pattern, drawn from the help of their key table.
#pragma once
#include "ui/measures/run_records.h"

// How far right the run draws: its pattern, the plane beside the side plot
// while one is shown (none on a scrolling 2d display), and the lookup
// histogram's bars, whose full length shows a frequency. A box at the right
// from there on is never drawn over.
int run_reach(const entropy_graph *eg, const run_iteration *it);
// Whether the run leaves the panel its place: run_reach stays left of it.
bool key_panel_has_room(const entropy_graph *eg, const run_iteration *it);
// Draws the panel as it->key_panel asks: beside the run, or left out where
// the run reaches its place (as the colour key is); over the run, where
// the run is drawn left of it from then on, or left out where the return
// map or the entropy-density plane stands (it then stays beside). The
// current point is kept.
void interrupt_key_index(entropy_graph *eg, run_iteration *it);
// The left edge of the panel's frame while the panel is on the window, else
// Maxx + 1: what is drawn beside it stays left of it.
int key_panel_left();
// Sets eg->hist_limit left of the panel while it is on the window, else at
// Maxx - 1: at each step, and wherever the panel is drawn or left out,
// since a key may then move or clear the lookup histogram before the next
// step.
void limit_lookup_histogram_to_key_panel(entropy_graph *eg);
// The top row of the panel's frame while the panel is on the window, else
// Maxy + 1: a box at the top right that ends above it leaves it whole.
int key_panel_top();
// The last column of the run's drawings: Maxx, or left of the panel while
// it stands over the run (its rows, plots and clears stop there).
int run_right_edge();
// The viewport of the run's drawings: the drawing area to run_right_edge.
void set_run_viewport();
// set_run_viewport while the panel stands over the run, else nothing: the
// run sets it again where a dialog or box may have set another viewport
// (each step, after a key).
void keep_run_left_of_key_panel();
// Erases the panel where it was last drawn (nothing when none is drawn or
// it was left out); one that stood over the run gives the run the whole
// drawing area back.
void erase_key_panel();
// The window was drawn afresh: no panel of an earlier run is on it. (A panel
// drawn again at other edges after a resize takes the old one away first.)
void forget_key_panel();
