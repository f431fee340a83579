// Damage spread: the damage view beside the pattern of a doubled network,
// its count, and the frequency histogram of damage statistics with its
// frame, options prompt and *.his file. The histogram's frame, bars and
// options also serve the attractor-type and frozen-skeleton histograms,
// which put a type number in dp->damage and count it themselves.
#pragma once
#include <string>
#include <vector>

#include "ui/measures/run_records.h"
#include "ui/screen/key_table.h"

// Before a damage-statistics run, or a type histogram's (with dp preset):
// the four damage questions (not for the type histograms), the histogram's
// counts ("dp->damage_buf"), its frame and axis ticks. 'q' in is[0] when
// the user backed out of the first question: the run does not start.
void setup_diff_plot(damage_record *dp);
// After every step of a damage run: the damage of the right half against
// the left, its view beside the pattern and its box; with statistics, the
// end of a sample (the histogram fed, a new random seed, t back to 0).
void plot_diff_pattern(damage_record *dp, entropy_graph *eg, run_iteration *it);
// The start of a sample of a damage-statistics run, the first as every
// later one: a new random seed with its two halves equal (the seed the run
// was given may have them apart, which the first sample would otherwise
// measure as damage) and the marks cleared. The damage is set at the
// delay, by the run.
void start_damage_sample(run_iteration *it);
// Adds the current value to the histogram (the damage; the type
// histograms count their own) and draws it; redraw draws it whole. With
// the pause field set, the options prompt follows.
void show_diff_plot(bool redraw, damage_record *dp);
// Whether the run keeps a histogram (damage statistics, attractor types or
// frozen skeletons) at the bottom of the window, where the side plots'
// planes would stand too.
bool run_histogram_shown();
// After the pattern's page was cleared (its new page begun): the
// histogram of a damage-statistics run or a type histogram drawn again,
// whole, as the clear took it with the page.
void redraw_histogram_after_page(damage_record *dp);
// The corners of the damage count's box beside the pattern: at the top
// right, or left of the colour key's box when the key is up there.
void damage_box_corners(int *x0, int *y0, int *x1, int *y1);
// The histogram's frame: box, title, captions and axis labels; new_scale
// also sets the first y scale. logx, logy: the log-2 views in force.
void draw_diff_graphframe(damage_record *dp, bool new_scale, bool logx, bool logy);

// The options prompt's key table as it lists now: its pieces (a piece
// beginning with a newline starts the second line) with the keys of each,
// for mode 'n' or 'b', of the damage histogram or a type histogram.
std::vector<key_help_line> histogram_options_menu(char mode, bool damage);
// Every key the options prompt's table has a row for.
std::string histogram_options_keys();
// Whether key acts at the options prompt as histogram_options_menu lists it.
bool histogram_option_acts(char mode, bool damage, char key);
