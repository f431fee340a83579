// The lambda-Z-canalyzing plot: a sweep over many rule tables, without
// running the network, plotting each rule as a point of Z against its lambda
// ratio (or of Z-left against Z-right) on the frame of gofE_z_graph, while
// counting its canalyzing inputs and lambda-ratio class
// (engine/measures/lambda_z.h); at the end the count table on request, on
// the window and on standard error.
#pragma once
#include <string>
#include <vector>

#include "ui/screen/key_table.h"

// What the sweep takes from the driver, which registers it at start-up: the
// mutation step that makes the next rule (mutate_rule; 0 when a sweep of
// rule or code numbers is used up) and the options box (finish_options).
// Without the first the sweep ends after its first rule; without the second
// no options box is shown.
struct lambda_z_hooks {
    int (*next_rule)(int k);
    void (*open_options)(int flag);
};
void set_lambda_z_hooks(const lambda_z_hooks &hooks);

// Runs the sweep and its summary by the settings the "output parameters"
// menu left: lambda_z_graph, mutate (mutation_rule_number: every rule table
// down from the current one; mutation_code_number: every tcode down from the
// current one; else totalgraphrules random rules), codetypeonly,
// pause_show_code, set_z_high. no_bias 1: the random rules are drawn
// unbiased; 0: the lambda bias follows the sweep's progress. The network's
// rule (and tcode), the lambda bias and the Z-high setting are as before
// when it returns, and the screen it covered with boxes and the table is put
// back.
void draw_lambda_z_graph(int no_bias);

// The summary question's keys ("C-P data-d, +print-p:"): each key of the
// typed answer picks its row.
struct table_request {
    bool show = false;   // the table on the window
    bool print = false;  // and on standard error
};
using summary_key = key_row<table_request, int>;
const std::vector<summary_key> &lambda_z_summary_keys();
// The question as its rows' help makes it.
std::string lambda_z_summary_prompt();
// The request made by the answer's keys (up to the Return code 13).
table_request lambda_z_table_request(const char *answer, int length);
