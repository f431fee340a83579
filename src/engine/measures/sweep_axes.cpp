// Ticks of the sweep graphs' axes and the places of their points
// (sweep_axes.h). Plain arithmetic on what it is given.
#include "engine/measures/sweep_axes.h"

#include <cstdio>

int
sweep_x_intervals(bool size_axis, uint32_t sizes)
{
    if (!size_axis)
        return 10;
    return sizes > 2 ? static_cast<int>(sizes - 1) : 1;
}

std::vector<sweep_x_tick>
sweep_x_ticks(bool size_axis, double lx, uint32_t sizes, int first_size)
{
    int n = sweep_x_intervals(size_axis, sizes);
    std::vector<sweep_x_tick> ticks;
    for (int i = 0; i <= n; i++) {
        sweep_x_tick t;
        t.offset = i * lx / n;
        bool fifth = i % 5 == 0;
        t.rise = i == n ? 0 : fifth ? 2 : 1;
        char text[16] = "";
        if (size_axis && (fifth || i == n))
            snprintf(text, sizeof text, "%d", first_size + i);
        else if (!size_axis && fifth && i < n)
            snprintf(text, sizeof text, "%.1f", i / 10.0);
        t.label = text;
        ticks.push_back(t);
    }
    return ticks;
}

double
sweep_x_label_offset(bool size_axis, double lx, uint32_t sizes)
{
    double at = (size_axis ? 1.5 : 2.0) * lx / sweep_x_intervals(size_axis, sizes);
    return at < 0.3 * lx ? at : 0.3 * lx;
}

std::vector<sweep_y_tick>
sweep_y_ticks(double ly)
{
    std::vector<sweep_y_tick> ticks;
    for (int i = 0; i <= 10; i++) {
        sweep_y_tick t;
        t.offset = i * ly / 10;
        bool marked = i % 5 == 0;
        t.length = marked ? 2 : 1;
        if (marked) {
            char text[8];
            snprintf(text, sizeof text, "%.1f", i / 10.0);
            t.label = text;
        }
        ticks.push_back(t);
    }
    return ticks;
}

int
sweep_point_row(int origin_y, double ly, float value)
{
    return origin_y - static_cast<int>(value * ly);
}

int
sweep_point_column(int origin_x, double lx, float value)
{
    return origin_x + static_cast<int>(value * lx);
}

int
size_point_column(int origin_x, double lx, int n, int first_size, uint32_t sizes)
{
    if (sizes <= 1)
        return origin_x;
    return origin_x + static_cast<int>((n - first_size) * lx / (sizes - 1));
}

bool
size_on_axis(int n, int first_size, uint32_t sizes)
{
    return n >= first_size && static_cast<int64_t>(n) - first_size < static_cast<int64_t>(sizes);
}

bool
sweep_last_point(uint32_t endcount, uint32_t points)
{
    return points > 0 && endcount == points - 1;
}
