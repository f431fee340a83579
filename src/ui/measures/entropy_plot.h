// The input entropy plot beside a forward run's pattern: the value-density
// or input-entropy trace, the dots of each neighbourhood's lookup
// frequency, the lookup-frequency histogram (bars, or traces stacked into a
// slanted surface), the point of each step in the entropy-density plane and
// the entropy record of an entropy sample; the frames of that plane and of
// the return map.
#pragma once

#include "ui/measures/run_records.h"

// One step of measuring and drawing, after the step's state is in A and its
// lookups are counted into the newest row of eg->lookupcount; eg->window
// holds min(gens, t). At the end of an entropy record's stretch it hands
// the record to the statistics (rule_sampling.h) and asks the run to start
// again from step 0 with a new random seed.
void entropy_eeg_plot(entropy_data *ae, entropy_graph *eg, run_iteration *it);
// Clears the plane's area right of the side plot at x0 and, with draw
// set, draws its frame: kind 0 or 1 the entropy-density plane, kind 2 the
// mean entropy against its standard deviation (or min-max entropy) of rule
// samples, whose y label is "mean entropy" (y_label 0), "Z parameter" (1)
// or "lambda ratio" (2).
void draw_entgraph_frame(int draw, int x0, int kind, int y_label);
// The return map's frame in the same place (draw 0 only clears it).
void draw_Hamming_plot(int draw, int x0);

// The left edge of the side plot, where its frame stands: the right edge of
// the pattern and of a 1d damage view beside it (eg->x0 less the margin
// reset_stpwidth adds).
int side_plot_left(const entropy_graph *eg);
// Places the lookup histogram's box a margin right of the side plot, as
// wide as the side plot; a box that moves (the pattern grew or shrank) has
// its old place cleared and its bars start afresh at the new one.
void place_lookup_histogram(entropy_graph *eg);
// Where the side strip and the plane beside a side plot at x0 start: at
// x0, or further left where the widest plane (the rule samples') would pass
// the window's edge. A plane so moved stands over the side plot and the
// pattern; the copies of the pattern's rows leave its area alone (its
// count line above it too) while it is up.
int plane_x0(int x0);
// The corner of the plane beside a side plot at x0: the column of density
// (or standard deviation) 0 and the row of entropy 0. The plane is
// vgax(200) wide (vgax(256) for rule samples, 0.1 of sd per vgax(142)) and
// vgay(200) high, with room for its labels below it.
int plane_left(int x0);
int plane_bottom();
// The row of the count line of automatic sampling, a line above the plane.
int plane_count_row();
// The right edge of what a plane beside a side plot at x0 clears and draws,
// for the widest of them (the rule samples'): a box at the right stays
// clear of the plane when it starts right of this.
int plane_reach(int x0);
// Whether the side plot and the lookup histogram give way: the graph
// layout's box, while it is on, covers their place (as it covers the
// planes and the matrix), and its discs are drawn there at each step. The
// counts go on; nothing of the two is drawn.
bool side_plot_under_layout();
// Clears the lookup histogram, as bars or as the slanted surface it is
// drawn in, and starts its bars afresh: the next step draws them whole.
void erase_lookup_histogram(entropy_graph *eg);
// Clears the lookup histogram's box of bars: down to the area's foot, the
// drawing area's bottom or above a histogram's box kept over the pattern.
void erase_lookup_bars(const entropy_graph *eg);
// Clears the area the lookup histogram's slanted surface may have covered:
// from its home origin down to the area's foot, left of eg->hist_limit; a
// state-space matrix the clear meets is taken away whole.
void erase_lookup_surface(const entropy_graph *eg);
