// The keys of a running space-time pattern as one table in groups: each
// group has the heading the key panel writes over it and its rows, a key
// with its panel line and its function. The key switch (running_keys.h)
// and the key panel (key_panel.h) walk the same groups, in the panel's
// order: a key acts by the first row of it that takes it, and the panel
// lists the rows' lines. The groups are defined beside their functions:
// running_keys.cpp (updating, rules, samples, wiring, seed and size,
// miscellaneous) and display_keys.cpp (presentation, 1d 2d 3d, frozen and
// filter, analysis).
#pragma once
#include <cstddef>

#include "ui/measures/run_records.h"
#include "ui/screen/key_table.h"

// The run records a key works on.
struct running_pattern {
    damage_record *dp;
    entropy_data *ae;
    entropy_graph *eg;
    run_iteration *it;
};

// A row's function returns whether it took the key; a key not taken goes on
// to the next row that names it.
using running_key = key_row<running_pattern, bool>;

struct running_key_group {
    const char *heading;                          // as the panel writes it
    bool (*listed)(const running_pattern &);      // whether the panel shows the
                                                  // group now; nullptr: always
    const running_key *rows;
    size_t count;
};

// The groups in the panel's order.
struct running_key_groups {
    const running_key_group *groups;
    size_t count;
};
running_key_groups running_pattern_key_groups();
