// The arithmetic of the frequency histograms drawn over forward runs (the
// damage histogram, and the attractor-type and frozen-skeleton histograms,
// which count type numbers instead of damages): which column a value falls
// in, the columns beyond the cut-off, the bins of the log-2 view, the bar
// heights on a linear or log-2 y axis, when the y axis must be rescaled, and
// the ticks of the axes. Counts are 32 bits wide; a histogram of c columns
// has the c + 1 counts of columns 0..c, and may be allocated wider (a cut-off
// lowered below the largest keeps the counts above it).
#pragma once
#include <cstdint>
#include <vector>

#include "engine/model/held_number.h"

// ---- counting

// The column of a damage: the damage itself in mode 'n' (sizes), the bin
// trunc(percent / 100 x columns) in mode 'b' (so 100% falls in the last
// bin, column `columns`).
uint32_t damage_column(char mode, uint32_t damage, float percent, uint32_t columns);
// Adds one to counts[column] when column is not above columns; false (and
// nothing counted) for a column beyond the cut-off.
bool count_in_column(uint32_t *counts, uint32_t columns, uint32_t column);
// The sum of counts[columns + 1 .. last], the counts beyond a cut-off of
// `columns` in a histogram allocated up to column `last`; 0 when none.
uint64_t sum_above(const uint32_t *counts, uint32_t columns, uint32_t last);
// The columns shown once `types` types have been met: trunc(1.25 x types)
// when they exceed the columns shown, else columns unchanged.
uint32_t widened_columns(uint32_t types, uint32_t columns);

// ---- the log-2 view of the x axis: bin b sums the columns 2^b - 1 ..
// 2^(b+1) - 2 (bin 0 column 0, bin 1 columns 1-2, bin 2 columns 3-6, ...),
// the last bin ending at `columns`.
uint32_t log2_bin_first(uint32_t b);
std::vector<uint64_t> log2_bins(const uint32_t *counts, uint32_t columns);

// ---- the y axis

struct histogram_y_axis {
    double height;     // plot height in pixels
    double y_scale;    // pixels per count
    uint32_t y_extent; // counts the axis spans: trunc(height / y_scale)
};

// The y axis of a new histogram: y_scale = height / ten_units (vgay(10)).
histogram_y_axis new_y_axis(double height, double ten_units);
// Whether the histogram must be drawn again whole after `count` was reached
// in some column: the column's bar would pass the top, the x axis was
// rescaled, or the caller forces it. A bar past the top with a linear x axis
// (and neither other cause) first shrinks the y scale by 0.75, as often as
// it takes for the bar to fit. On a full redraw y_extent follows the scale.
bool needs_full_redraw(histogram_y_axis &y, uint64_t count, bool x_rescaled, bool forced,
                       bool linear_x);
// Shrinks the y scale by 0.75 until a bar of `largest` fits (a loaded
// histogram), and sets y_extent.
void fit_y_axis(histogram_y_axis &y, uint64_t largest);
// A bar's height in pixels, 0..height: count x y_scale on a linear axis;
// on a log axis height x log(count x height / y_extent) / log(height), with
// no bar for a count of 0 and nothing below 0 or above the top.
double linear_bar_height(const histogram_y_axis &y, uint64_t count);
double log_bar_height(const histogram_y_axis &y, uint64_t count);
// Counts between two ticks of the y axis: trunc(y_extent / 4), at least 1.
uint32_t y_tick_step(uint32_t y_extent);

// ---- the x axis

// Pixels per column: width / (columns + 2).
double x_scale_of(double width, uint32_t columns);
// A bar's width: x_scale - 2, or x_scale - 1 when x_scale is below
// narrow (vgax(4)); never below 0.
double bar_width(double x_scale, double narrow);

enum class x_tick {
    none,     // no tick (more than 201 columns)
    short_tick,
    labelled, // a long tick with the column's number under it
};
// The tick of column i of 0..columns: with more than 10 columns every
// trunc(columns / 10)-th column is labelled and the others get a short tick
// (none when there are more than 201 columns); with 10 or fewer every
// column is labelled.
x_tick x_tick_of(uint32_t i, uint32_t columns);

// ---- the damage histogram's settings for a doubled network of n cells

struct damage_limits {
    uint32_t largest;  // largest cut-off: n div 2
    uint32_t smallest; // fewest bins: 10, or n div 2 when that is 9 or less
};
damage_limits damage_limits_of(uint32_t n);
// The columns first offered: the largest cut-off in mode 'n', at most 100
// bins in mode 'b'.
uint32_t default_columns(char mode, const damage_limits &l);
// The smallest cut-off a user may type: 20, but on a network whose largest
// cut-off is below 20 the fewest bins instead (10, or the largest when that
// is 9 or less), so the range always holds its default and the sizes a
// small network shows.
uint32_t smallest_cut_off(const damage_limits &l);
// The range a typed cut-off (mode 'n', smallest_cut_off..largest) or
// number of bins (mode 'b', smallest..largest) is held to.
number_bounds column_bounds(char mode, const damage_limits &l);
// The range of the steps before damage starts and of the steps of the same
// damage that end a sample: counts below Maxu, which reads as none typed.
constexpr number_bounds kDamageStepBounds = {0, 65534};
// The counts a damage histogram allocates: one past the largest cut-off in
// mode 'n' (the cut-off can be raised to it), one past the bins in mode 'b'.
uint32_t damage_counts_allocated(char mode, const damage_limits &l, uint32_t columns);
