// The input entropy figures (input_entropy.h). Reads value lines through
// get_value (engine/model).
#include "engine/measures/input_entropy.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/model/value_line.h"

void
count_values(const uint8_t *state, uint32_t n, int cell, uint16_t *counts)
{
    if (cell >= 0) {
        counts[get_value(state, static_cast<uint32_t>(cell))]++;
        return;
    }
    for (uint32_t c = 0; c < n; c++)
        counts[get_value(state, c)]++;
}

double
input_entropy(const uint32_t *sums, size_t entries, double divisor)
{
    if (entries < 2 || divisor <= 0)
        return 0;
    double s = 0;
    for (size_t i = entries; i-- > 0;) {
        double p = sums[i] / divisor;
        if (p > 0)
            s += p * std::log(p);
    }
    return s / std::log(1.0 / static_cast<double>(entries));
}

int
histogram_bar(uint32_t q, double divisor, float width, int longest)
{
    if (q == 0 || divisor <= 0)
        return 0;
    double length = std::trunc(width * (q / divisor));
    return static_cast<int>(std::clamp(length, 1.0, static_cast<double>(std::max(longest, 1))));
}

histogram_layout
lay_out_histogram(size_t entries, float width, int height)
{
    histogram_layout l;
    l.group = static_cast<int>(std::clamp<size_t>(entries, 1, 128));
    l.bar_thickness = std::min(6.0f, static_cast<float>(std::max(height, 1)) / l.group);
    l.columns = static_cast<int>((std::max<size_t>(entries, 1) + l.group - 1) / l.group);
    l.column_step = static_cast<int>(std::trunc(width)) / l.columns;
    l.longest = l.column_step;
    return l;
}

void
histogram_place(const histogram_layout &layout, size_t entries, size_t i, int *column, int *row)
{
    size_t order = entries - 1 - i;
    *column = static_cast<int>(order / layout.group);
    *row = static_cast<int>(order % layout.group);
}

bool
entropy_record_step(float *record, uint32_t start, uint32_t end, uint32_t t, double entropy)
{
    if (t == 1 && end >= start)
        std::memset(record, 0, (static_cast<size_t>(end - start) + 2) * sizeof(float));
    if (t >= start && t <= end)
        record[t - start + 1] = static_cast<float>(entropy);
    return t == end + 1;
}
