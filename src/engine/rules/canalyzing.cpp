// Canalyzing inputs (see canalyzing.h). Start at force_canalyzing and the
// two one-table runs; the network runs below walk the cells from a random
// start in a random direction. Reads the model globals (carule, nhoodm,
// nm, value_range) and writes canal, canaltotal, iscanal and cinputfreq.
//
// Example, v = 2, k = 2: forcing (1, 0, 0) on the table 0b1110 (OR) gives
// entries 0 and 1 (digit 1 is 0) the output 0: 0b1100, input 1 alone.
#include "engine/rules/canalyzing.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_parameters.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"

namespace {

constexpr int kTries = 101, kFixedTries = 20;
// Draws of a table with no canalyzing input before its cell is passed over.
constexpr int kRedraws = 1000;

uint32_t
entries_of(int k)
{
    return static_cast<uint32_t>(int_power(value_range, k));
}

uint8_t *
table_of(uint32_t c)
{
    return rulemix ? carule[c] : carule[0];
}

void
randomise_table(int k, uint8_t *table)
{
    int v = value_range;
    for (uint32_t i = entries_of(k); i-- > 0;)
        set_value(table, i, static_cast<int>(random() % v));
}

// Redraws a table until no input canalyzes, at most kRedraws times (keep0 1
// keeps entry 0 at 0); true when one was found, else the table is put back
// as it was. For k of 2 or more a draw fails at worst 7 times in 8 (v 2, k 2,
// entry 0 kept), so a table that is never found cannot be reached at all.
bool
draw_non_canalyzing(int k, uint8_t *table, int keep0)
{
    std::vector<uint8_t> before(table, table + rule_bytes(k));
    for (int draw = 0; draw < kRedraws; draw++) {
        randomise_table(k, table);
        if (keep0)
            set_value(table, 0, 0);
        if (count_canalyzing(k, table) == 0)
            return true;
    }
    std::copy(before.begin(), before.end(), table);
    count_canalyzing(k, table);
    return false;
}

// The input positions of a table whose canal bit is set (on) or clear.
std::vector<int>
positions(int k, bool on)
{
    std::vector<int> list;
    for (int j = 0; j < k; j++)
        if ((j < 16 && get_bitlong(canal, static_cast<uint32_t>(j))) == on)
            list.push_back(j);
    return list;
}

// One increase try on a table, as the 'n' run of the canalyzing change
// makes it.
int
increase_try(int k, uint8_t *table, const std::vector<int> &list, int w0, int attempt)
{
    int v = value_range;
    int j = list[static_cast<size_t>(random() % static_cast<long>(list.size()))];
    int u = static_cast<int>(random() % v);
    int w = canaltotal == 0 ? static_cast<int>(random() % v) : w0;
    if (attempt > kFixedTries)
        randomise_table(k, table);
    force_canalyzing(k, table, j, u, w);
    return canalyzing_w0(k, table);
}

// The cell order of a network run: from start down to 0 then up from
// start+1 (direction 0), or up to n-1 then down from start-1 (1).
template <typename F>
int
first_cell(int start, int direction, F fits)
{
    int n = lineL;
    if (direction == 0) {
        for (int c = start; c >= 0; c--)
            if (fits(c))
                return c;
        for (int c = start + 1; c < n; c++)
            if (fits(c))
                return c;
    } else {
        for (int c = start; c < n; c++)
            if (fits(c))
                return c;
        for (int c = start - 1; c >= 0; c--)
            if (fits(c))
                return c;
    }
    return -1;
}

int
draw_start(const canal_census &census)
{
    if (census.chosen_k)
        return census.cells[static_cast<size_t>(random() % static_cast<long>(census.cells.size()))];
    return static_cast<int>(random() % lineL);
}

bool
considered(const canal_census &census, int c)
{
    return census.chosen_k == 0 || nhoodm[c] == census.chosen_k;
}

void
recompute_freq(const canal_census &census)
{
    cinputfreq = census.inputs ? static_cast<float>(census.canal_inputs) / static_cast<float>(census.inputs)
                               : 0.0f;
}

} // namespace

int
canalyzing_w0(int k, const uint8_t *table)
{
    count_canalyzing(k, table);
    if (k < 1)
        return 0;
    int v = value_range, last = v - 1;
    if (k - 1 < 16 && get_bitlong(canal, static_cast<uint32_t>(k - 1))) {
        // The first value of input k-1 that fixes the output was the last tested.
        uint32_t step = entries_of(k - 1);
        for (int u = 0; u < v; u++) {
            int ref = get_value(table, static_cast<uint32_t>(u) * step);
            bool fixes = true;
            for (uint32_t i = 0; i < step && fixes; i++)
                fixes = get_value(table, static_cast<uint32_t>(u) * step + i) == ref;
            if (fixes) {
                last = u;
                break;
            }
        }
    }
    return get_value(table, static_cast<uint32_t>(last) * entries_of(k - 1));
}

void
force_canalyzing(int k, uint8_t *table, int j, int u, int w)
{
    uint32_t N = entries_of(k);
    for (uint32_t i = 0; i < N; i++)
        if (get_value(nm[j], i) == u)
            set_value(table, i, w);
}

void
raise_canalyzing_inputs(int k, uint8_t *table, int t)
{
    int w0 = canalyzing_w0(k, table);
    std::vector<int> list = positions(k, false);
    if (list.empty())
        return;
    for (int attempt = 1; attempt <= kTries && canaltotal != t; attempt++)
        w0 = increase_try(k, table, list, w0, attempt);
}

void
lower_canalyzing_inputs(int k, uint8_t *table, int t)
{
    int v = value_range;
    canalyzing_w0(k, table);
    std::vector<int> list = positions(k, true);
    if (list.empty())
        return;
    uint32_t R = entries_of(k) - 1;
    for (int attempt = 1; attempt <= kTries && canaltotal != t; attempt++) {
        int u = static_cast<int>(random() % v);
        int w = static_cast<int>(random() % v);
        int j = list[static_cast<size_t>(random() % static_cast<long>(list.size()))];
        if (attempt <= kFixedTries) {
            uint32_t e = static_cast<uint32_t>(random() % R) + 1;
            if (get_value(nm[j], e) == u)
                set_value(table, e, v == 2 ? 1 - w : static_cast<int>(random() % v));
        } else {
            randomise_table(k, table);
        }
        canalyzing_w0(k, table);
    }
}

void
raise_canalyzing_whole_net(int t)
{
    uint32_t cells = rulemix ? lineL : 1;
    for (uint32_t c = 0; c < cells; c++) {
        int k = nhoodm[c];
        uint8_t *table = table_of(c);
        int w0 = canalyzing_w0(k, table);
        std::vector<int> list = positions(k, false);
        if (list.empty())
            continue; // every input already canalyzes
        for (int attempt = 1; attempt <= kTries && canaltotal != t; attempt++)
            w0 = increase_try(k, table, list, w0, attempt);
    }
}

bool
canal_count_scheme(int chosen_k)
{
    if (chosen_k > 9)
        return false;
    return nhood_mixed ? chosen_k > 0 : nhood <= 9;
}

int
set_canal_color(int chosen_k, int c, int k)
{
    if (!canal_count_scheme(chosen_k)) {
        if (c == k)
            return 5;
        float f = static_cast<float>(c) / static_cast<float>(k);
        return f >= 0.75f ? 4 : f >= 0.5f ? 3 : f >= 0.25f ? 2 : f > 0 ? 1 : 0;
    }
    int m = k - c;
    if (m == 0)
        return 9;
    if (m == 1 && k > 3)
        return 8;
    if (m == 2 && k > 6)
        return 7;
    if ((m == 3 && k > 6) || (m == 2 && k == 6))
        return 6;
    if (m == 4 && k > 7)
        return 5;
    if ((m == 5 && k > 7) || (m == 4 && k == 7) || (m == 3 && k == 6) || (m == 2 && (k == 4 || k == 5)) ||
        (m == 1 && (k == 2 || k == 3)))
        return 4;
    if ((m == 6 && k > 7) || (m == 5 && k == 7) || (m == 4 && k == 6) || (m == 3 && (k == 4 || k == 5)) ||
        (m == 2 && k == 3))
        return 3;
    if (m == 7 && k > 8)
        return 2;
    if (c == 1 && k > 4)
        return 1;
    return 0;
}

void
take_canal_census(canal_census &census)
{
    census.cells.clear();
    census.inputs = census.canal_inputs = 0;
    census.genes = 0;
    for (int &n : census.classes)
        n = 0;
    for (uint32_t c = 0; c < bytesL; c++)
        iscanal[c] = 0;
    for (uint32_t c = lineL; c-- > 0;) {
        if (!considered(census, static_cast<int>(c)))
            continue;
        int k = nhoodm[c];
        count_canalyzing(k, table_of(c));
        census.classes[set_canal_color(census.chosen_k, canaltotal, k)]++;
        census.inputs += static_cast<uint64_t>(k);
        if (canaltotal > 0) {
            set_bitlong(iscanal, c, 1);
            census.canal_inputs += canaltotal;
            census.genes++;
        }
    }
    for (uint32_t c = 0; c < lineL; c++)
        if (considered(census, static_cast<int>(c)))
            census.cells.push_back(static_cast<uint16_t>(c));
    recompute_freq(census);
}

long
change_canalyzing_genes(canal_census &census, bool increase, long changes, int keep0)
{
    int v = value_range;
    long changed = 0;
    size_t tries = census.cells.size();
    for (size_t attempt = 0; attempt < tries && changes > 0; attempt++) {
        int start = draw_start(census);
        int direction = static_cast<int>(random() % 2);
        int c = first_cell(start, direction, [&](int x) {
            return considered(census, x) && (get_bitlong(iscanal, static_cast<uint32_t>(x)) != 0) != increase;
        });
        if (c < 0)
            break;
        int k = nhoodm[c];
        uint8_t *table = table_of(static_cast<uint32_t>(c));
        if (increase) {
            int w0 = canalyzing_w0(k, table);
            int none = canaltotal == 0;
            int j = static_cast<int>(random() % k);
            int u = static_cast<int>(random() % 2);
            int w = none ? static_cast<int>(random() % v) : w0;
            force_canalyzing(k, table, j, u, w);
            set_bitlong(iscanal, static_cast<uint32_t>(c), 1);
        } else {
            if (k == 1)
                continue; // a single input always canalyzes
            if (!draw_non_canalyzing(k, table, keep0))
                continue; // passed over, its table as it was
            set_bitlong(iscanal, static_cast<uint32_t>(c), 0);
        }
        changes--;
        changed++;
    }
    return changed;
}

void
change_canalyzing_inputs(canal_census &census, bool increase, double target, long changes,
                         void (*progress)())
{
    int v = value_range;
    long every = lineL / 300 + 25;
    long limit = static_cast<long>(lineL) * (nhood > 0 ? nhood : 1);
    std::vector<uint16_t> order(static_cast<size_t>(Maxnhood > 0 ? Maxnhood : 1));
    for (long iteration = 0; changes > 0 && iteration < limit; iteration++) {
        if (progress && iteration % every == 0)
            progress();
        if (increase ? cinputfreq >= target : cinputfreq <= target)
            break;
        int start = draw_start(census);
        int direction = static_cast<int>(random() % 2);
        int chosen_j = -1, w0 = 0;
        int c = first_cell(start, direction, [&](int x) {
            int k = nhoodm[x];
            if (!considered(census, x) || (!increase && k == 1))
                return false;
            w0 = canalyzing_w0(k, table_of(static_cast<uint32_t>(x)));
            shuffle_order(order.data(), k);
            for (int p = 0; p < k; p++) {
                int j = order[static_cast<size_t>(p)];
                if ((j < 16 && get_bitlong(canal, static_cast<uint32_t>(j))) != increase) {
                    chosen_j = j;
                    return true;
                }
            }
            return false;
        });
        if (c < 0)
            break;
        int k = nhoodm[c];
        uint8_t *table = table_of(static_cast<uint32_t>(c));
        int before = canaltotal;
        if (increase) {
            int u = static_cast<int>(random() % v);
            int w = before == 0 ? static_cast<int>(random() % v) : w0;
            force_canalyzing(k, table, chosen_j, u, w);
            if (count_canalyzing(k, table) > before)
                set_bitlong(iscanal, static_cast<uint32_t>(c), 1);
        } else {
            uint32_t R = entries_of(k) - 1;
            for (int change = 0; change < 2; change++) {
                uint32_t e = static_cast<uint32_t>(random() % R) + 1;
                if (v == 2) {
                    uint32_t byte = static_cast<uint32_t>(random() % e) / 8;
                    uint32_t bit = static_cast<uint32_t>(random() % e) % 8;
                    set_value(table, e, 1 - ((table[byte] >> bit) & 1));
                } else {
                    set_value(table, e, static_cast<int>(random() % v));
                }
                if (change == 0 && random() % 2 == 0)
                    break;
            }
            if (count_canalyzing(k, table) == 0)
                set_bitlong(iscanal, static_cast<uint32_t>(c), 0);
        }
        census.canal_inputs = census.canal_inputs + canaltotal - static_cast<uint64_t>(before);
        recompute_freq(census);
        changes--;
    }
}
