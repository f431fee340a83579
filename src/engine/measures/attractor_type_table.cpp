// The attractor types (attractor_type_table.h): matching a cycle against
// the representatives, a new type's rows, the density counts, the sort and
// the clear. Start at record_attractor.
#include "engine/measures/attractor_type_table.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/measures/type_arrays.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"

namespace {

// The first type whose representative is a state of the cycle, 0 when none.
uint32_t
matching_type(const attractor_type_table &t, uint8_t *const *cycle, uint32_t period)
{
    for (uint32_t j = 1; j <= period; j++)
        for (uint32_t u = 1; u <= t.types; u++)
            if (memcmp(cycle[j], t.att_type_state[u], bytesL) == 0)
                return u;
    return 0;
}

// The arrays one entry longer for type u = types + 1, its cycle copied.
uint32_t
new_type(attractor_type_table &t, uint8_t *const *cycle, uint32_t period, const uint8_t *state)
{
    uint32_t u = t.types + 1;
    t.m_att = grown(t.m_att, u + 1, "m_att***");
    t.att_type_state = grown(t.att_type_state, u + 1, "sk->att_type_state");
    t.att_type_no = grown(t.att_type_no, u + 1, "sk->att_type_no");
    t.att_type_period = grown(t.att_type_period, u + 1, "sk->att_type_period");
    t.att_type_avtrans = grown(t.att_type_avtrans, u + 1, "sk->att_type_avtrans");

    uint8_t **row = static_cast<uint8_t **>(
        checked_calloc(static_cast<size_t>(period) + 1, sizeof(uint8_t *), "m_att**"));
    if (period > 0) {
        uint8_t *block = static_cast<uint8_t *>(checked_calloc(period, bytesL, "m_att*"));
        for (uint32_t p = 1; p <= period; p++) {
            row[p] = block + static_cast<size_t>(p - 1) * bytesL;
            memcpy(row[p], cycle[p], bytesL);
        }
    }
    t.m_att[u] = row;
    t.att_type_state[u] = type_line(state, bytesL, u);
    t.att_type_period[u] = period;
    t.types = u;
    return u;
}

uint32_t
ones_in(const uint8_t *line)
{
    uint32_t ones = 0;
    for (uint32_t c = 0; c < lineL; c++)
        ones += get_value(line, c) == 1;
    return ones;
}

} // namespace

seed_density_class
density_class_of(uint32_t ones, uint32_t n)
{
    if (n % 2 == 0 && ones == n / 2)
        return dens_half;
    return ones > n / 2 ? dens_more : dens_fewer;
}

int
density_row_of(const attractor_type_table &t, uint32_t u)
{
    if (u < 1 || u > t.types || t.att_type_period[u] != 1)
        return -1;
    if (memcmp(t.att_type_state[u], all_0s, bytesL) == 0)
        return dens_all_0s;
    if (memcmp(t.att_type_state[u], all_1s, bytesL) == 0)
        return dens_all_1s;
    return -1;
}

uint32_t
density_error_percent(const attractor_type_table &t, uint32_t u)
{
    int row = density_row_of(t, u);
    if (row < 0 || t.att_type_no[u] == 0)
        return 0;
    uint32_t other = t.dens_seed[row][row == dens_all_0s ? dens_more : dens_fewer];
    return static_cast<uint32_t>(100ull * other / t.att_type_no[u]);
}

uint32_t
record_attractor(attractor_type_table &t, uint8_t *const *cycle, uint32_t period,
                 const uint8_t *state, const uint8_t *seed, uint32_t transient)
{
    if (t.types > 0 && t.line_bytes != bytesL)
        clear_attractor_types(t);
    t.line_bytes = bytesL;
    uint32_t u = matching_type(t, cycle, period);
    if (u == 0)
        u = new_type(t, cycle, period, state);
    // The mean of the transients of the type's runs, kept as a running mean.
    count_sample(t.att_type_no[u], t.att_type_avtrans[u], t.samples, transient);
    if (t.count_density) {
        int row = density_row_of(t, u);
        if (row >= 0)
            count_up(t.dens_seed[row][density_class_of(ones_in(seed), lineL)]);
    }
    return u;
}

std::vector<uint32_t>
sort_attractor_types(attractor_type_table &t, attractor_sort key)
{
    auto by_key = [&](uint32_t u) -> double {
        switch (key) {
        case attractor_sort::period:
            return t.att_type_period[u];
        case attractor_sort::transient:
            return t.att_type_avtrans[u];
        default:
            return t.att_type_no[u];
        }
    };
    return sort_types(t.types, by_key, t.m_att, t.att_type_state, t.att_type_no,
                      t.att_type_period, t.att_type_avtrans);
}

void
clear_attractor_types(attractor_type_table &t)
{
    for (uint32_t u = 1; u <= t.types; u++) {
        if (t.m_att[u]) {
            if (t.att_type_period[u] > 0)
                checked_free(t.m_att[u][1]);
            checked_free(t.m_att[u]);
        }
        checked_free(t.att_type_state[u]);
    }
    checked_free(t.m_att);
    checked_free(t.att_type_state);
    checked_free(t.att_type_no);
    checked_free(t.att_type_period);
    checked_free(t.att_type_avtrans);
    bool density = t.count_density;
    t = attractor_type_table();
    t.count_density = density;
}
