// Entropy statistics of rules and the sampling of many rules: the figures
// of each recorded run averaged over the runs of a rule, shown (test mode)
// or plotted as a point of mean entropy against its standard deviation and
// appended to a *.sta file (automatic mode); the choice of that file; the
// stepping through the glider rule list.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ui/measures/run_records.h"
#include "ui/screen/key_table.h"

// The statistics of a completed entropy record of rule (a value line of
// eg->k inputs). 0: go on in the current mode; 1: automatic sampling starts
// with no file; 2: automatic sampling starts and appends records.
int moment(entropy_data *ae, entropy_graph *eg, run_iteration *it, const uint8_t *rule);
// The file dialog of a statistics file and its question "append data-a,
// new file-def, add + to pause:"; 1 when a file was chosen (its name in
// stat_filename), 0 when the user backed out (nothing created or emptied).
int select_stat_filename(entropy_data *ae);
// Puts the next rule of the glider list into the network (nothing when the
// list read for this v and k holds no record past the first).
void glider_rule(run_iteration *it);

// The rule the network runs as the statistics record it: carule row 0, or
// the tcode or kcode of the forward-only totalistic mode.
uint8_t *sampled_rule();
// "rule count=" and the count, then suffix, on the line above the plane
// beside a side plot at x0, from its left edge. Returns the column after
// the suffix, where a one-key entry has room; the current point stays.
int show_sampled_rule_count(uint32_t count, const char *suffix, int x0);
// The plane of rule samples was erased: its marker went with it, so the
// next rule's point neither puts back the block saved under the marker nor
// leaves a plain point where the marker stood.
void forget_rule_point();

// The keys of test mode's question after each rule, as a key table: the
// prompt is made from the rows' help.
struct test_choice {
    entropy_data *ae;
    entropy_graph *eg;
    run_iteration *it;
};
using test_key = key_row<test_choice, int>;
// The rows in the prompt's order; the last row, with no key of its own,
// takes every other key.
std::vector<key_help_line> test_mode_help();
// The prompt as shown: "automatic-a, next rule: glider-g same-s random-def:".
std::string test_mode_prompt();
// The keys the table acts on (every row's keys).
std::string test_mode_keys();

// The statistics file of the sampling: its own name, apart from the shared
// file name that later dialogs change.
extern char stat_filename[256];
