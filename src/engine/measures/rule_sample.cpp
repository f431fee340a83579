// The rule sample's computations for the browser (rule_sample.h): no X, no
// files. Reads the rule figures of engine/model for the Z and lambda bytes
// and puts them back. Start at sort_stat_sample.
#include "engine/measures/rule_sample.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numeric>

#include "engine/model/globals.h"
#include "engine/model/rule_parameters.h"

namespace {

// The records' order as numbers 0..count-1 put back into the buffer.
void
apply_order(uint8_t *records, size_t record, const std::vector<uint32_t> &order)
{
    std::vector<uint8_t> sorted(order.size() * record);
    for (size_t i = 0; i < order.size(); i++)
        memcpy(sorted.data() + i * record, records + size_t(order[i]) * record, record);
    memcpy(records, sorted.data(), sorted.size());
}

// The figures the network shows, kept while the sample's rules are
// measured and put back after.
struct figures_kept {
    float z[3] = {0, 0, 0};
    float lambda_kept = 0, lratio_kept = 0;
    uint8_t canal_kept[2] = {0, 0};
    uint16_t canaltotal_kept = 0;

    figures_kept()
    {
        if (zparam)
            memcpy(z, zparam, sizeof z);
        lambda_kept = lambda;
        lratio_kept = lratio;
        if (canal)
            memcpy(canal_kept, canal, sizeof canal_kept);
        canaltotal_kept = canaltotal;
    }
    ~figures_kept()
    {
        if (zparam)
            memcpy(zparam, z, sizeof z);
        lambda = lambda_kept;
        lratio = lratio_kept;
        if (canal)
            memcpy(canal, canal_kept, sizeof canal_kept);
        canaltotal = canaltotal_kept;
    }
};

uint8_t
fraction_byte(float f)
{
    if (!(f > 0))
        return 0;
    return static_cast<uint8_t>(std::min(255.0f, std::trunc(std::min(f, 1.0f) * 255)));
}

} // namespace

const uint8_t *
sample_record(const stat_sample &s, uint32_t index)
{
    return s.records + size_t(index - 1) * s.record;
}

uint8_t
sample_mean_byte(const stat_sample &s, uint32_t index)
{
    return sample_record(s, index)[s.record - 2];
}

uint8_t
sample_sd_byte(const stat_sample &s, uint32_t index)
{
    return sample_record(s, index)[s.record - 1];
}

uint32_t
sample_index_or_first(long long index, uint32_t total)
{
    if (index < 1 || index > static_cast<long long>(total))
        return 1;
    return static_cast<uint32_t>(index);
}

void
sort_stat_sample(uint8_t *records, size_t record, uint32_t count)
{
    if (count < 2)
        return;
    auto sd = [&](uint32_t r) { return records[size_t(r) * record + record - 1]; };
    auto mean = [&](uint32_t r) { return records[size_t(r) * record + record - 2]; };
    // First pass: exchanges of adjacent records while the first has the
    // smaller sd byte, which is a stable sort, highest sd first.
    std::vector<uint32_t> order(count);
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return sd(a) > sd(b); });
    apply_order(records, record, order);
    // Second pass: the pairs the threshold sweep compares. They depend on
    // the sd bytes alone, which this pass never reorders (a pair is only
    // compared when both its sd bytes equal the threshold), so every sweep
    // compares the same pairs; a chain of them ends sorted, highest mean
    // first, equal means in their order.
    int threshold = 255;
    uint32_t chain_start = 0;
    std::iota(order.begin(), order.end(), 0u);
    auto sort_chain = [&](uint32_t first, uint32_t last) {
        std::stable_sort(order.begin() + first, order.begin() + last + 1,
                         [&](uint32_t a, uint32_t b) { return mean(a) > mean(b); });
    };
    for (uint32_t i = 0; i + 1 < count; i++) {
        if (sd(i + 1) < threshold) {
            threshold--;
            sort_chain(chain_start, i);
            chain_start = i + 1;
        }
    }
    sort_chain(chain_start, count - 1);
    apply_order(records, record, order);
}

void
sample_rule_figure_bytes(const stat_sample &s, int k, std::vector<uint8_t> &z_bytes,
                         std::vector<uint8_t> &lambda_bytes)
{
    figures_kept kept;
    z_bytes.assign(s.count, 0);
    lambda_bytes.assign(s.count, 0);
    if (!zparam)
        return;
    for (uint32_t i = 1; i <= s.count; i++) {
        compute_rule_figures(k, sample_record(s, i));
        z_bytes[i - 1] = fraction_byte(zparam[0]);
        lambda_bytes[i - 1] = fraction_byte(lratio);
    }
}

std::vector<uint8_t>
sample_y_bytes(const stat_sample &s, int y_kind, const std::vector<uint8_t> &z_bytes,
               const std::vector<uint8_t> &lambda_bytes)
{
    if (y_kind == sample_y_z && z_bytes.size() == s.count)
        return z_bytes;
    if (y_kind == sample_y_lambda && lambda_bytes.size() == s.count)
        return lambda_bytes;
    std::vector<uint8_t> y(s.count);
    for (uint32_t i = 1; i <= s.count; i++)
        y[i - 1] = sample_mean_byte(s, i);
    return y;
}

std::vector<uint8_t>
sample_sd_bytes(const stat_sample &s)
{
    std::vector<uint8_t> sd(s.count);
    for (uint32_t i = 1; i <= s.count; i++)
        sd[i - 1] = sample_sd_byte(s, i);
    return sd;
}

bool
within_probe(int y, int sd, int y_pos, int sd_pos, int radius)
{
    return std::abs(sd - sd_pos) <= radius && std::abs(y - y_pos) <= radius;
}

std::vector<uint32_t>
density_grid(const std::vector<uint8_t> &y_bytes, const std::vector<uint8_t> &sd_bytes)
{
    std::vector<uint32_t> grid(256 * 256, 0);
    for (size_t i = 0; i < y_bytes.size() && i < sd_bytes.size(); i++)
        grid[size_t(y_bytes[i]) * 256 + sd_bytes[i]]++;
    return grid;
}

int
density_class(uint32_t count)
{
    int c = 0;
    for (uint32_t top = 1; c < 8 && count > top; top *= 2)
        c++;
    return c;
}

frequency_grid
build_frequency_grid(const std::vector<uint8_t> &y_bytes, const std::vector<uint8_t> &sd_bytes,
                     int subdiv)
{
    frequency_grid g;
    g.subdiv = accepted_subdivision(subdiv, 1);
    g.counts.assign(size_t(g.subdiv) * g.subdiv, 0);
    const int width = 256 / g.subdiv;
    for (size_t i = 0; i < y_bytes.size() && i < sd_bytes.size(); i++) {
        uint32_t &cell = g.counts[size_t(y_bytes[i] / width) * g.subdiv + sd_bytes[i] / width];
        cell++;
        g.largest = std::max(g.largest, cell);
    }
    return g;
}

int
accepted_subdivision(long answer, int fallback)
{
    for (long s = 1; s <= 256; s *= 2)
        if (answer == s)
            return static_cast<int>(s);
    return fallback;
}

std::string
frequency_grid_text(const frequency_grid &g)
{
    std::string text;
    char number[16];
    for (int row = g.subdiv - 1; row >= 0; row--) {
        for (int column = 0; column < g.subdiv; column++) {
            snprintf(number, sizeof number, "%d ",
                     static_cast<int>(g.counts[size_t(row) * g.subdiv + column]));
            text += number;
        }
        text += '\n';
    }
    return text;
}

int
block_height(uint32_t count, uint32_t largest, int full, bool log_heights)
{
    if (count == 0 || largest == 0)
        return 0;
    double share;
    if (log_heights && largest > 1)
        share = std::log(double(count)) / std::log(double(largest));
    else
        share = double(count) / double(largest);
    return static_cast<int>(share * full);
}

int
sample_plot_column(uint8_t sd_byte, int left, int tenth)
{
    float sd = sd_byte * 0.18f / 255;
    return static_cast<int>(std::trunc(sd * 10 * tenth + left));
}

int
sample_plot_row(uint8_t y_byte, int bottom, int unit)
{
    float y = y_byte / 255.0f;
    return static_cast<int>(std::trunc(bottom - y * unit));
}

int
probe_sd_byte(int x, int width)
{
    return width > 0 ? std::clamp(x * 255 / width, 0, 255) : 0;
}

int
probe_y_byte(int y, int height)
{
    return height > 0 ? std::clamp(255 - y * 255 / height, 0, 255) : 0;
}
