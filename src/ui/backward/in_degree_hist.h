// The in-degree histogram of the counts the tree builder gathers in
// pre_fan_freq (engine/backward/in_degree.h).
#pragma once

// Draws the histogram of pre_fan_freq over a saved region and runs its
// keys: log axes ('x', 'y', 'b'), save and load of *.prh files ('s', 'l'),
// the rescale dialog (Return) and 'q'; returns with the region put back
// and the last key in is[0]. Nothing is drawn for an empty histogram or
// without a window.
void show_pre_fansize_freq_hist();
// After a run whose in-degrees are counted (pre_fansize_freq_hist): the
// histogram of that run, then its counts start afresh, so that each run's
// histogram counts that run alone (a size range or a series of mutants
// shows one after every run). The histogram's last key stays in is[0].
void show_run_in_degree_histogram();
