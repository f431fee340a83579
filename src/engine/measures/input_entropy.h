// The figures of the input entropy plot, apart from their drawing: the
// count of each value in a state, the input entropy of windowed lookup
// counts, the length of a histogram bar and where each bar of the lookup
// histogram stands, and the entropy record kept over a stretch of a run.
//
// With Q_i the count of lookups of neighbourhood index i over the window of
// G steps and n the cells measured, p_i = Q_i / (n G) and the input entropy
// is sum p_i ln p_i / ln(1/N) over the N indices with p_i > 0: 0 when one
// index takes every lookup, 1 when all N take equal shares.
#pragma once
#include <cstddef>
#include <cstdint>

// Adds to counts[j] the cells of state (n cells) holding value j; with
// cell >= 0 only that cell is counted.
void count_values(const uint8_t *state, uint32_t n, int cell, uint16_t *counts);
// The input entropy of the windowed counts sums[0..entries) over divisor
// (n G, or G for one cell); 0 for fewer than two entries.
double input_entropy(const uint32_t *sums, size_t entries, double divisor);
// The pixels of a bar for a windowed count q: trunc(width q / divisor), at
// least 1 when q > 0, at most longest.
int histogram_bar(uint32_t q, double divisor, float width, int longest);

// The lookup histogram's layout for entries indices: `group` bars a column
// (at most 128), bar_thickness pixels a bar (the height over the bars, at
// most 6), columns `column_step` pixels apart, bars of at most `longest`
// pixels so that columns never overlap.
struct histogram_layout {
    int group = 1;
    float bar_thickness = 1;
    int columns = 1;
    int column_step = 0;
    int longest = 0;
};
histogram_layout lay_out_histogram(size_t entries, float width, int height);
// The column and the row within it of index i: the bars run from the last
// index, at the top of the first column, down to index 0.
void histogram_place(const histogram_layout &layout, size_t entries, size_t i, int *column,
                     int *row);

// The entropy record of steps start..end (positions 1..end-start+1 of
// record). Stores the entropy of step t when it lies in the stretch, clears
// the record at t = 1, and returns true at t = end + 1, when the stretch is
// complete.
bool entropy_record_step(float *record, uint32_t start, uint32_t end, uint32_t t, double entropy);
