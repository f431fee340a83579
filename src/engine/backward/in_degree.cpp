// The in-degree counts and the arithmetic of their histogram (in_degree.h):
// counting a node, the totals and the gate of the plot, its columns and the
// ticks of its axes. Reads and writes pre_fan_freq, maxinhist and
// pre_fan_edges (backward/globals.h). Start at count_in_degree.
#include "engine/backward/in_degree.h"

#include <algorithm>

#include "engine/backward/globals.h"
#include "engine/model/checked_alloc.h"

void
reset_in_degree_counts(uint32_t entries)
{
    checked_free(pre_fan_freq);
    pre_fan_freq =
        static_cast<uint32_t *>(checked_calloc(entries, sizeof(uint32_t), "pre_fan_freq"));
    pre_fan_edges = 0;
}

void
count_in_degree(uint64_t in_degree, uint32_t weight)
{
    pre_fan_freq[in_degree > maxinhist ? maxinhist : in_degree] += weight;
    pre_fan_edges += in_degree * weight;
}

in_degree_totals
sum_in_degree_counts(const uint32_t *counts, uint32_t last, bool exact_edges)
{
    in_degree_totals t;
    for (uint32_t i = 0; i <= last; i++) {
        t.nodes += counts[i];
        t.edges += static_cast<uint64_t>(i) * counts[i];
        if (counts[i]) {
            t.highest = i;
            t.largest = std::max(t.largest, counts[i]);
        }
    }
    if (exact_edges)
        t.edges = pre_fan_edges;
    return t;
}

bool
in_degree_plot_drawable(const in_degree_totals &t, const in_degree_run &run, bool loaded)
{
    if (t.nodes == 0 || t.edges == 0)
        return false;
    if (loaded)
        return true;
    if (run.forward && run.att_states == 0)
        return false;
    return !(t.edges < t.nodes && run.has_run_size && run.run_size == 0);
}

uint32_t
in_degree_log_column(uint64_t d)
{
    uint32_t column = 0;
    for (; d; d >>= 1)
        column++;
    return column;
}

uint32_t
in_degree_plot_columns(uint32_t xmax)
{
    return std::max(xmax, 30u) + 1;
}

std::vector<uint64_t>
in_degree_columns(const uint32_t *counts, uint32_t last, uint32_t xmax, bool log_x)
{
    xmax = std::min(xmax, last);
    uint32_t columns = log_x ? in_degree_log_column(xmax) + 1 : xmax + 1;
    std::vector<uint64_t> out(columns, 0);
    for (uint32_t i = 0; i <= last; i++) {
        uint32_t d = std::min(i, xmax);
        out[log_x ? in_degree_log_column(d) : d] += counts[i];
    }
    return out;
}

std::vector<axis_tick>
linear_y_ticks(uint64_t ymax)
{
    std::vector<axis_tick> ticks;
    uint64_t step = ymax < 17 ? 1 : ymax / 16;
    uint64_t n = 0;
    for (uint64_t y = 0; y <= ymax; y += step, n++) {
        bool big = ymax <= 7 || n % 4 == 0;
        ticks.push_back({y, y, big, big, false});
    }
    if (ymax > 7 && ymax % (4 * step) != 0)
        ticks.push_back({ymax, ymax, true, true, false});
    return ticks;
}

uint64_t
log_y_top(uint64_t ymax)
{
    return std::max<uint64_t>(ymax, 10);
}

std::vector<axis_tick>
log_y_ticks(uint64_t ymax)
{
    std::vector<axis_tick> ticks;
    uint64_t top = log_y_top(ymax);
    for (uint64_t p = 1; p <= top; p *= 10) {
        ticks.push_back({p, p, true, true, false});
        if (p > UINT64_MAX / 10)
            break;
    }
    return ticks;
}

std::vector<axis_tick>
linear_x_ticks(uint32_t xmax, uint32_t last, bool tail)
{
    std::vector<axis_tick> ticks;
    uint32_t d = xmax == 0 ? 1 : (xmax + 99) / 100;
    uint32_t columns = in_degree_plot_columns(xmax);
    for (uint32_t c = 0; c < columns; c++) {
        bool labelled = c % (10 * d) == 0 || (tail && c == xmax);
        if (labelled) {
            ticks.push_back({c, c, true, true, c == last || (tail && c == xmax)});
        } else if (xmax <= 200 || c % (5 * d) == 0) {
            ticks.push_back({c, c, false, false, false});
        }
    }
    return ticks;
}

std::vector<axis_tick>
log_x_ticks(uint32_t columns)
{
    std::vector<axis_tick> ticks;
    for (uint32_t j = 0; j < columns && j < 64; j++)
        ticks.push_back({j, j == 0 ? 0 : uint64_t(1) << (j - 1), true, true, false});
    return ticks;
}
