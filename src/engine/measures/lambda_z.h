// The counts of a lambda-Z-canalyzing sweep over two-valued rule tables of
// k inputs (E = 2^k entries, H = E / 2): how many rules have c = 0..k
// canalyzing inputs, how many fall in each lambda-ratio class b = 0..H, and
// the two together; the lambda bias that steers a random sweep as it
// progresses; and the texts of the summary table, for standard error and as
// the cells the window shows. The sweep itself, which draws, is
// ui/measures/lambda_z_plot.h.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The three count tables of one sweep, allocated through the checked
// allocator by allocate_lambda_z_counts and released by
// free_lambda_z_counts.
struct lambda_z_counts {
    int k = 0;                            // inputs of the rules counted
    uint32_t half = 0;                    // H: the last lambda-ratio class
    uint32_t rules = 0;                   // rules added
    uint32_t *canal_freq = nullptr;       // [c], c = 0..k
    uint32_t *lr_freq = nullptr;          // [b], b = 0..H
    uint32_t **canal_lr_freq = nullptr;   // [c][b]
};

// Zeroed tables for rules of k inputs (1..13).
void allocate_lambda_z_counts(lambda_z_counts &t, int k);
void free_lambda_z_counts(lambda_z_counts &t);

// The class of a lambda ratio: trunc(lratio x E x 0.5), kept within 0..H.
// For v = 2 the ratio is (number of minority outputs) / H, so the class is
// that number exactly.
uint32_t lambda_ratio_class(float lratio, int k);

// Counts one rule with `canalyzing` canalyzing inputs (0..k) and lambda
// ratio lratio.
void add_lambda_z_rule(lambda_z_counts &t, int canalyzing, float lratio);

// The lambda bias of the next random rule at progress c / total: 5, 10, ...
// 25 below 0.09, 0.18, ... 0.45 with z_high left as it is; 30, 35, ... 50
// below 0.54, 0.63, ... 0.9 with z_high 0; then 50 with z_high 1.
void lambda_bias_schedule(double progress, int16_t &bias, uint8_t &z_high);

// ---- texts

// "Canalyzing-lambda ratio and P frequency count, total rules=%lu".
std::string lambda_z_heading(const lambda_z_counts &t);
// "Canalyzing freq: C0=..=..% ... total: Crules=..=..%, Cinputs=..=..%".
std::string canalyzing_freq_line(const lambda_z_counts &t);
// The summary box's first line: "tot plotted=%lu", followed by
// ", equivs=%d" (codes: 'e') or ", clusters=%d" (codes: 'c') when
// code_classes is one of those, else nothing more.
std::string lambda_z_plotted_text(uint32_t plotted, char code_classes, int classes_counted);
// The progress line of an exhaustive sweep: "c-frequency:" then "%lu " per
// canalyzing count, then " total rules=%lu last=%lu".
std::string canalyzing_progress_text(const lambda_z_counts &t, uint32_t total_rules,
                                     uint32_t last);

// One row of the class table: its label and a cell per class b = 0..H.
struct lambda_z_row {
    std::string label;
    std::vector<std::string> cells;
};
// The rows "ldr  " (b/H as a fraction, then as a number), "P    ",
// "freq " and "C=%d " for c = 0..k. A count's cell is "%lu=%.3f%%" (its
// share of all rules) up to 999, "%.3f%%" above, empty for 0.
std::vector<lambda_z_row> lambda_z_class_rows(const lambda_z_counts &t);
// Everything for standard error: "\n<heading>\n", the canalyzing line, and
// each row with its cells in "%11s" columns, one line each.
std::string lambda_z_table_text(const lambda_z_counts &t);
