// The measures a forward run feeds: the density and entropy plots and the
// frame of the return map. The damage spread is damage_plot.h, the
// attractor-type and frozen-skeleton histograms type_histograms.h.
#pragma once
#include <cstdint>

#include "ui/measures/run_records.h"

// One step of measuring and drawing the density/entropy and lookup plots.
void entropy_eeg_plot(entropy_data *ae, entropy_graph *eg, run_iteration *it, int colour);
// Clears the return-map area right of x and, with on 1, draws its frame.
void draw_Hamming_plot(int on, int x);
// Draws (on 1) or removes (on 0) the frame of the entropy-density plot right
// of x.
void draw_entgraph_frame(int on, int x, int mode, int flag);
// Puts the next glider rule of the loaded glider list into the network.
void glider_rule(run_iteration *it);
// mode 0 asks for a rule-sample action and returns the chosen index; mode 1
// takes the rule at index from the loaded sample. Returns the index.
uint32_t stat_rule(int mode, uint32_t index, run_iteration *it, int x);
// Chooses the "*.sta" file of an entropy sample; 0 when the user backed out.
int select_stat_filename(entropy_data *ae);
