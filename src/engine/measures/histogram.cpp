// Histogram arithmetic (histogram.h): counting, the log-2 bins, the y axis
// and its rescaling, the ticks, and the damage histogram's settings. Plain
// arithmetic on what it is given; no globals.
#include "engine/measures/histogram.h"

#include <algorithm>
#include <cmath>

uint32_t
damage_column(char mode, uint32_t damage, float percent, uint32_t columns)
{
    if (mode != 'b')
        return damage;
    double bin = static_cast<double>(percent) / 100.0 * columns;
    return bin <= 0 ? 0 : static_cast<uint32_t>(bin);
}

bool
count_in_column(uint32_t *counts, uint32_t columns, uint32_t column)
{
    if (column > columns)
        return false;
    if (counts[column] < UINT32_MAX)
        counts[column]++;
    return true;
}

uint64_t
sum_above(const uint32_t *counts, uint32_t columns, uint32_t last)
{
    uint64_t sum = 0;
    for (uint64_t c = static_cast<uint64_t>(columns) + 1; c <= last; c++)
        sum += counts[c];
    return sum;
}

uint32_t
widened_columns(uint32_t types, uint32_t columns)
{
    if (types <= columns)
        return columns;
    return static_cast<uint32_t>(1.25 * types);
}

uint32_t
log2_bin_first(uint32_t b)
{
    return b >= 32 ? UINT32_MAX : static_cast<uint32_t>((uint64_t(1) << b) - 1);
}

std::vector<uint64_t>
log2_bins(const uint32_t *counts, uint32_t columns)
{
    std::vector<uint64_t> bins;
    for (uint32_t b = 0; log2_bin_first(b) <= columns && b < 32; b++) {
        uint64_t last = std::min<uint64_t>(2 * (uint64_t(1) << b) - 2, columns);
        uint64_t sum = 0;
        for (uint64_t c = log2_bin_first(b); c <= last; c++)
            sum += counts[c];
        bins.push_back(sum);
    }
    return bins;
}

histogram_y_axis
new_y_axis(double height, double ten_units)
{
    histogram_y_axis y{height, ten_units > 0 ? height / ten_units : 1.0, 0};
    y.y_extent = static_cast<uint32_t>(height / y.y_scale);
    return y;
}

bool
needs_full_redraw(histogram_y_axis &y, uint64_t count, bool x_rescaled, bool forced,
                  bool linear_x)
{
    bool too_tall = static_cast<double>(count) * y.y_scale > y.height;
    if (!too_tall && !x_rescaled && !forced)
        return false;
    if (too_tall && linear_x && !x_rescaled && !forced)
        fit_y_axis(y, count);
    y.y_extent = static_cast<uint32_t>(std::min(y.height / y.y_scale, 4294967295.0));
    return true;
}

void
fit_y_axis(histogram_y_axis &y, uint64_t largest)
{
    // The scale stays above zero for any 64-bit count: 0.75^200 x height
    // per count is far below one pixel for 2^64 counts.
    for (int i = 0; i < 200 && static_cast<double>(largest) * y.y_scale > y.height; i++)
        y.y_scale *= 0.75;
    y.y_extent = static_cast<uint32_t>(std::min(y.height / y.y_scale, 4294967295.0));
}

double
linear_bar_height(const histogram_y_axis &y, uint64_t count)
{
    return std::min(static_cast<double>(count) * y.y_scale, y.height);
}

double
log_bar_height(const histogram_y_axis &y, uint64_t count)
{
    if (count == 0 || y.y_extent == 0 || y.height <= 1)
        return 0;
    double h = y.height * std::log(static_cast<double>(count) * y.height / y.y_extent) /
               std::log(y.height);
    if (!(h > 0))
        return 0;
    return std::min(h, y.height);
}

uint32_t
y_tick_step(uint32_t y_extent)
{
    return std::max<uint32_t>(y_extent / 4, 1);
}

double
x_scale_of(double width, uint32_t columns)
{
    return width / (static_cast<double>(columns) + 2);
}

double
bar_width(double x_scale, double narrow)
{
    return std::max(x_scale < narrow ? x_scale - 1 : x_scale - 2, 0.0);
}

x_tick
x_tick_of(uint32_t i, uint32_t columns)
{
    if (columns <= 10)
        return x_tick::labelled;
    if (i % (columns / 10) == 0)
        return x_tick::labelled;
    return columns > 201 ? x_tick::none : x_tick::short_tick;
}

damage_limits
damage_limits_of(uint32_t n)
{
    uint32_t half = n / 2;
    return {half, half <= 9 ? half : 10};
}

uint32_t
default_columns(char mode, const damage_limits &l)
{
    return mode == 'b' ? std::min<uint32_t>(l.largest, 100) : l.largest;
}

uint32_t
smallest_cut_off(const damage_limits &l)
{
    return l.largest >= 20 ? 20 : std::min(l.smallest, l.largest);
}

number_bounds
column_bounds(char mode, const damage_limits &l)
{
    return {static_cast<double>(mode == 'b' ? l.smallest : smallest_cut_off(l)),
            static_cast<double>(l.largest)};
}

uint32_t
damage_counts_allocated(char mode, const damage_limits &l, uint32_t columns)
{
    return (mode == 'b' ? columns : std::max(l.largest, columns)) + 1;
}
