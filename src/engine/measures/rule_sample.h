// A loaded rule sample (the records of a *.sta file, stat_record_codec.h)
// as the browser works on it, with no drawing: a record by its number
// (records are numbered from 1), the two-pass sort, the probe's position
// filter, the density grid of the scatter and its colour classes, the y
// bytes of each record (mean entropy, or the Z and lambda ratio of its
// rule), the frequency grid of the block histogram with its text form, and
// the plot coordinates in the mean-entropy plane.
//
// A record of R + 2 bytes: the rule, its mean byte, its sd byte. The sd
// byte b stands for sd = b x 0.18 / 255, the mean byte m for m / 255.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The records of a sample: count records of `record` bytes each.
struct stat_sample {
    const uint8_t *records;
    size_t record;
    uint32_t count;
};

// The record numbered index (1..count).
const uint8_t *sample_record(const stat_sample &s, uint32_t index);
uint8_t sample_mean_byte(const stat_sample &s, uint32_t index);
uint8_t sample_sd_byte(const stat_sample &s, uint32_t index);
// The index asked for when it names a record (1..total), else record 1:
// an answer of 0, one past the total, or none at all takes the first.
uint32_t sample_index_or_first(long long index, uint32_t total);

// Sorts the records in place: highest sd byte first, and then, within the
// runs of records the threshold sweep compares, highest mean byte first.
// The result is that of exchanging adjacent records sweep after sweep
// until a sweep exchanges nothing, first by sd and then by mean under a
// threshold that starts at 255 each sweep and drops by one at every pair
// whose second sd byte is below it (such a pair is left alone). The sd
// order never changes in the second pass, so neither do the pairs it
// compares; the sweeps reach a stable sort of each chain of compared pairs,
// which is what is done here, in n log n.
void sort_stat_sample(uint8_t *records, size_t record, uint32_t count);

// The y kinds of the scatter.
enum sample_y_kind : int { sample_y_mean = 0, sample_y_z = 1, sample_y_lambda = 2 };

// trunc(Z x 255) and trunc(lambda ratio x 255) of each record's rule (a
// rule table of k inputs), in record order from record 1 at [0]. The rule
// figures the network shows (zparam, lambda, lratio, canal, canaltotal)
// are put back as they were.
void sample_rule_figure_bytes(const stat_sample &s, int k, std::vector<uint8_t> &z_bytes,
                              std::vector<uint8_t> &lambda_bytes);
// The y byte of every record for a y kind: its mean byte, or its Z or
// lambda byte from the vectors above.
std::vector<uint8_t> sample_y_bytes(const stat_sample &s, int y_kind,
                                    const std::vector<uint8_t> &z_bytes,
                                    const std::vector<uint8_t> &lambda_bytes);
// The sd byte of every record.
std::vector<uint8_t> sample_sd_bytes(const stat_sample &s);

// Whether a record at (y, sd) lies within radius of the probed (y_pos,
// sd_pos) on both bytes.
bool within_probe(int y, int sd, int y_pos, int sd_pos, int radius);

// The scatter's density grid: 256 x 256 counts, [y byte * 256 + sd byte].
std::vector<uint32_t> density_grid(const std::vector<uint8_t> &y_bytes,
                                   const std::vector<uint8_t> &sd_bytes);
// The colour class of a cell holding count records (count >= 1): 0 for 1,
// 1 for 2, 2 for 3-4, 3 for 5-8, ... 7 for 65-128, 8 for more.
int density_class(uint32_t count);

// The frequency grid of the block histogram: subdiv x subdiv counts, row a
// y cell, column an sd cell; a record adds 1 at (y div (256/subdiv), sd div
// (256/subdiv)).
struct frequency_grid {
    int subdiv = 0;
    std::vector<uint32_t> counts; // [row * subdiv + column]
    uint32_t largest = 0;
};
frequency_grid build_frequency_grid(const std::vector<uint8_t> &y_bytes,
                                    const std::vector<uint8_t> &sd_bytes, int subdiv);
// The subdivisions taken: 1, 2, 4, ..., 256; anything else gives fallback.
int accepted_subdivision(long answer, int fallback);
// The grid as the data file holds it: one line a row from the highest y
// row down to row 0, each count "%d " and the line ended by a newline.
std::string frequency_grid_text(const frequency_grid &g);
// The height of a block of count records in a histogram whose tallest
// block is full pixels high: count / largest of it, or with log_heights
// ln(count) / ln(largest). A largest count of at most 1 gives linear
// heights, as ln 1 is 0.
int block_height(uint32_t count, uint32_t largest, int full, bool log_heights);

// The plot coordinates of a record in the mean-entropy plane whose corner
// (sd 0, y 0) is at (left, bottom), with tenth pixels for 0.1 of sd and
// unit pixels for y 1.
int sample_plot_column(uint8_t sd_byte, int left, int tenth);
int sample_plot_row(uint8_t y_byte, int bottom, int unit);
// The bytes a plot position stands for, inside a plot rectangle width x
// height whose top left is (0, 0): the sd byte trunc(x x 255 / width) and
// the y byte 255 - trunc(y x 255 / height).
int probe_sd_byte(int x, int width);
int probe_y_byte(int y, int height);
