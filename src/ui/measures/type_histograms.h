// The attractor-type and frozen-skeleton histograms of forward runs from
// random seeds: each attractor (or settled skeleton) is counted in its type
// (engine/measures), the type frequencies drawn with the damage histogram's
// frame and bars (damage_plot.h), and, while the run is paused with '=',
// a prompt offers the jump graph over the attractor types, the data table,
// sorting, clearing and the histogram's options.
#pragma once
#include <string>
#include <vector>

#include "ui/measures/run_records.h"
#include "ui/screen/key_table.h"

// What the forward run does after a type histogram's call.
enum class type_histogram_request {
    go_on,     // the run goes on
    pause_box, // the types were cleared: the run's pause box opens
};

// Counts the attractor in att[1..attperiod] (found at step it->time from
// the seed in firstseed, the run standing on A) among the types, draws its
// bar and the readout, and, with the pause field set, asks the attractor
// prompt. The key last read is cleared from is.
type_histogram_request show_att_type_hist(skeleton_record *sk, damage_record *dp,
                                          run_iteration *it, int width);
// One step of skeleton statistics on sk->frozen_buff: once the skeleton
// has stayed the same long enough it is a sample, counted among the
// skeleton types and drawn as for the attractors, and a new random seed
// starts the next one (it->time back to 0). frozen_buff is cleared after
// every call.
type_histogram_request show_frozen_skel_hist(skeleton_record *sk, damage_record *dp,
                                             run_iteration *it, int width);

// The one-key prompts of the type histograms, each a key table.
enum class type_prompt {
    attractor_pause, // "attractors: meta-m data-d ..."
    skeleton_pause,  // "skeletons: data-d sort-s ..."
    attractor_sort,  // "sort by: attperiod-a avtrans-t (def freq):"
    skeleton_sort,   // "sort by: frozen-0-1-b  avtrans-t (def freq):"
    table_page,      // the data table's wait with more types to come
    table_end,       // its wait after the last type
};
// The prompt's pieces as its table lists them, with the keys of each row.
std::vector<key_help_line> type_prompt_menu(type_prompt prompt);
// Whether a row of the prompt's own acts on key now; every other key takes
// the prompt's default (the pause ends, the frequency sort, the next page).
bool type_prompt_acts_on(type_prompt prompt, char key);
