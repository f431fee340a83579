// The figures of a rule table (rule_parameters.h): Z with its one-sided parts
// Z-left and Z-right, lambda, the lambda ratio, the canalyzing inputs, and
// the reflection of a rule table. They are recomputed in full after every
// rule change and left in zparam, lambda, lratio, canal and canaltotal
// (model/globals.h), where the rule box and the measures read them.
//
// Z of one side is 1 - (1-R_1)(1-R_2)...(1-R_k), accumulated level by level
// in single precision. Level m cuts the table into aligned blocks of v^m
// entries, each made of v sub-blocks of v^(m-1) entries: a block whose
// sub-blocks are each uniform (one output) and whose sub-block outputs
// include values occurring only once is decided by input position m-1, with
// the positions below it free. Side 1 reads the table as it is (Z-left),
// side 2 its reflection (Z-right). The work arrays of each call are
// allocated through the checked allocator and freed before it returns.
// The figure box that shows them is ui/model/rule_parameters.h.
#include "engine/model/rule_parameters.h"

#include <cstdio>
#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"

namespace {

constexpr uint8_t kNotUniform = 9;   // no cell value is 9

// The per-level weighting of one side: ln[m] holds R_m on entry and becomes
// R_m * notln[m-1], notln[m] = 1 - (ln[1] + ... + ln[m]); returns the sum
// ln[1] + ... + ln[k].
float
weigh_levels(int k, float *ln, float *notln)
{
    float sum = 0.0f;
    notln[0] = 1.0f;
    for (int m = 1; m <= k; m++) {
        ln[m] = ln[m] * notln[m - 1];
        sum += ln[m];
        notln[m] = 1.0f - sum;
    }
    return sum;
}

// Two-valued level ratios: at level m, the blocks of 2^m entries whose lower
// and upper halves are each uniform with different outputs, over the number
// of blocks. counts has k+1 entries.
void
binary_level_ratios(int k, const uint8_t *table, uint32_t *counts, float *ratio)
{
    uint32_t N = uint32_t(1) << k;
    for (int m = 1; m <= k; m++) {
        uint32_t size = uint32_t(1) << m, half = size >> 1;
        counts[m] = 0;
        for (uint32_t start = 0; start < N; start += size) {
            int low = get_bitlong(table, start);
            int high = get_bitlong(table, start + half);
            if (low == high)
                continue;
            bool uniform = true;
            for (uint32_t i = 1; i < half && uniform; i++)
                uniform = get_bitlong(table, start + i) == low &&
                          get_bitlong(table, start + half + i) == high;
            if (uniform)
                counts[m]++;
        }
        ratio[m] = static_cast<float>(counts[m]) / static_cast<float>(N / size);
    }
}

// Level ratios for any v (see the file comment). level_same holds the two
// uniformity arrays of v^(k-1) entries, counts and v_count are scratch.
void
mvalue_level_ratios(int k, const uint8_t *table, uint8_t **level_same, uint32_t *counts,
                    uint16_t *v_count, const uint16_t *v_null, float *ratio)
{
    int v = value_range;
    uint64_t N = int_power(v, k);
    uint64_t S = 1;
    for (int m = 1; m <= k; m++) {
        uint8_t *now = level_same[m % 2];
        const uint8_t *before = level_same[(m + 1) % 2];
        uint64_t size = S * static_cast<uint64_t>(v);
        uint64_t blocks = N / size;
        memset(now, kNotUniform, static_cast<size_t>(blocks));
        counts[m] = 0;
        for (uint64_t b = 0; b < blocks; b++) {
            if (m > 1) {
                bool examined = true;
                for (int t = 0; t < v && examined; t++)
                    examined = before[b * v + t] != kNotUniform;
                if (!examined)
                    continue;
            }
            memcpy(v_count, v_null, (size_t(1) << value_bits) * sizeof(uint16_t));
            uint64_t start = b * size;
            int first = -1;
            for (int t = 0; t < v; t++) {
                int out = get_value(table, static_cast<uint32_t>(start + t * S));
                v_count[out]++;
                if (t == 0)
                    first = out;
            }
            for (int x = 0; x < (1 << value_bits); x++)
                if (v_count[x] == 1)
                    counts[m] += static_cast<uint32_t>(S);
            if (v_count[first] == v)
                now[b] = static_cast<uint8_t>(first);
        }
        ratio[m] = static_cast<float>(counts[m]) / static_cast<float>(N);
        S = size;
    }
}

// Every figure 0: a rule of no inputs has nothing to measure.
void
clear_figures()
{
    zparam[0] = zparam[1] = zparam[2] = 0.0f;
    lambda = 0.0f;
    lratio = 0.0f;
    if (canal)
        canal[0] = canal[1] = 0;
    canaltotal = 0;
}

// Work arrays shared by the two Z functions.
struct level_arrays {
    float *ln, *notln;
    uint32_t *ncount;
    level_arrays(int k)
    {
        size_t n = static_cast<size_t>(k) + 1;
        ln = static_cast<float *>(checked_calloc(n, sizeof(float), "ln"));
        notln = static_cast<float *>(checked_calloc(n + 1, sizeof(float), "notln"));
        ncount = static_cast<uint32_t *>(checked_calloc(n, sizeof(uint32_t), "ncount"));
    }
    ~level_arrays()
    {
        checked_free(ln);
        checked_free(notln);
        checked_free(ncount);
    }
    void clear(int k)
    {
        size_t n = static_cast<size_t>(k) + 1;
        memset(ln, 0, n * sizeof(float));
        memset(notln, 0, (n + 1) * sizeof(float));
        memset(ncount, 0, n * sizeof(uint32_t));
    }
};

} // namespace

void
canalyzing_text(char *text, int size, int k)
{
    int len = snprintf(text, static_cast<size_t>(size), "C=%d/%d", canaltotal, k);
    if (canaltotal == 0 || k <= 1)
        return;
    len += snprintf(text + len, static_cast<size_t>(size - len), "=");
    for (int p = k - 1; p >= 0 && len < size - 1; p--) {
        bool on = p < 16 && get_bitlong(canal, static_cast<uint32_t>(p));
        if (on)
            len += snprintf(text + len, static_cast<size_t>(size - len), "%d", p);
        else
            len += snprintf(text + len, static_cast<size_t>(size - len), "*");
    }
}

int
count_canalyzing(int k, const uint8_t *rule)
{
    int v = value_range;
    canaltotal = 0;
    if (!canal || !nm)
        return 0;   // no k-matrix: the forward-only mode has no rule tables
    canal[0] = canal[1] = 0;
    uint64_t N = k > 0 ? int_power(v, k) : 0;
    for (int p = 0; p < k; p++) {
        for (int x = 0; x < v; x++) {
            int reference = -1;
            bool canalyzes = true;
            for (uint64_t n = 0; n < N && canalyzes; n++) {
                uint32_t i = static_cast<uint32_t>(n);
                if (get_value(nm[p], i) != x)
                    continue;
                int out = get_value(rule, i);
                if (reference < 0)
                    reference = out;
                else if (out != reference)
                    canalyzes = false;
            }
            if (canalyzes) {
                // canal holds positions 0..15, every k a rule table can have.
                if (p < 16)
                    set_bitlong(canal, static_cast<uint32_t>(p), 1);
                canaltotal++;
                break;
            }
        }
    }
    return canaltotal;
}

void
reflect_m_ruletable(int k, const uint8_t *src, uint8_t *dst)
{
    int v = value_range;
    uint64_t N = int_power(v, k);
    auto *digits = static_cast<uint8_t *>(
        checked_calloc(static_cast<size_t>(k > 0 ? k : 1), 1, "ref_nhood"));
    for (uint64_t n = N; n-- > 0;) {
        uint32_t i = static_cast<uint32_t>(n);
        for (int p = 0; p < k; p++)
            digits[k - 1 - p] = static_cast<uint8_t>(get_value(nm[p], i));
        // Slot q holds the digit that becomes digit q of the reflected index.
        uint32_t r = 0;
        for (int q = k - 1; q >= 0; q--)
            r = r * static_cast<uint32_t>(v) + digits[q];
        set_value(dst, i, get_value(src, r));
    }
    checked_free(digits);
}

void
compute_rule_figures_binary(int k, const uint8_t *rule)
{
    if (value_range > 2)
        return;
    if (k < 1) {
        clear_figures();
    } else {
        uint32_t N = uint32_t(1) << k;
        size_t bytes = value_line_bytes(N, 1);
        level_arrays levels(k);
        auto *temprule = static_cast<uint8_t *>(checked_calloc(bytes, 1, "temprule"));
        auto *revrule = static_cast<uint8_t *>(checked_calloc(bytes, 1, "revrule"));
        memcpy(temprule, rule, bytes);
        for (uint32_t i = 0; i < N; i++) {
            uint32_t r = 0;
            for (int p = 0; p < k; p++)
                r |= ((i >> p) & 1u) << (k - 1 - p);
            set_bitlong(revrule, i, get_bitlong(rule, r));
        }

        binary_level_ratios(k, temprule, levels.ncount, levels.ln);
        zparam[1] = weigh_levels(k, levels.ln, levels.notln);
        levels.clear(k);
        binary_level_ratios(k, revrule, levels.ncount, levels.ln);
        zparam[2] = weigh_levels(k, levels.ln, levels.notln);
        zparam[0] = zparam[1] > zparam[2] ? zparam[1] : zparam[2];

        uint32_t ones = 0;
        for (uint32_t i = 0; i < N; i++)
            ones += static_cast<uint32_t>(get_bitlong(rule, i));
        lambda = static_cast<float>(ones) / static_cast<float>(N);
        uint32_t half = N / 2;
        if (ones <= half)
            lratio = static_cast<float>(ones) / static_cast<float>(half);
        else
            lratio = static_cast<float>(N - ones) / static_cast<float>(half);
        checked_free(temprule);
        checked_free(revrule);
        count_canalyzing(k, rule);
    }
}

void
compute_rule_figures_mvalue(int k, const uint8_t *rule)
{
    int v = value_range;
    if (k < 1) {
        clear_figures();
    } else {
        uint64_t N = int_power(v, k);
        size_t bytes = value_line_bytes(N, value_bits);
        level_arrays levels(k);
        // One counter per value a value_bits-wide entry can hold, so that a
        // table with spare values (an all-ones table for v = 3) stays in range.
        size_t counters = size_t(1) << value_bits;
        auto *v_count =
            static_cast<uint16_t *>(checked_calloc(counters, sizeof(uint16_t), "v_count"));
        auto *kv_string =
            static_cast<uint16_t *>(checked_calloc(counters, sizeof(uint16_t), "(kv_string"));
        auto *kv_null =
            static_cast<uint16_t *>(checked_calloc(counters, sizeof(uint16_t), "(kv_null"));
        auto **level_same =
            static_cast<uint8_t **>(checked_calloc(2, sizeof(uint8_t *), "level_same"));
        size_t blocks = static_cast<size_t>(N / static_cast<uint64_t>(v));
        level_same[0] = static_cast<uint8_t *>(checked_calloc(blocks, 1, "level_same"));
        level_same[1] = static_cast<uint8_t *>(checked_calloc(blocks, 1, "level_same"));
        auto *temprule = static_cast<uint8_t *>(checked_calloc(bytes, 1, "temprule"));
        auto *revrule = static_cast<uint8_t *>(checked_calloc(bytes, 1, "revrule"));
        memcpy(temprule, rule, bytes);
        reflect_m_ruletable(k, rule, revrule);

        mvalue_level_ratios(k, temprule, level_same, levels.ncount, kv_string, kv_null,
                            levels.ln);
        zparam[1] = weigh_levels(k, levels.ln, levels.notln);
        levels.clear(k);
        mvalue_level_ratios(k, revrule, level_same, levels.ncount, kv_string, kv_null,
                            levels.ln);
        zparam[2] = weigh_levels(k, levels.ln, levels.notln);
        zparam[0] = zparam[1] > zparam[2] ? zparam[1] : zparam[2];

        // v_count counts up to v^k (32767 for the tables the program admits);
        // the tallies here are kept in 32 bits regardless.
        uint32_t tally[8] = {0};
        for (uint64_t n = 0; n < N; n++)
            tally[get_value(rule, static_cast<uint32_t>(n))]++;
        for (int x = 0; x < v; x++)
            v_count[x] = static_cast<uint16_t>(tally[x]);
        float total = static_cast<float>(N);
        lambda = static_cast<float>(N - tally[0]) / total;
        int most = 0;
        for (int x = 1; x < v; x++)
            if (tally[x] > tally[most])
                most = x;
        float spread = static_cast<float>(N * static_cast<uint64_t>(v - 1)) / static_cast<float>(v);
        lratio = static_cast<float>(N - tally[most]) / spread;

        checked_free(temprule);
        checked_free(revrule);
        checked_free(level_same[0]);
        checked_free(level_same[1]);
        checked_free(level_same);
        checked_free(v_count);
        checked_free(kv_string);
        checked_free(kv_null);
        count_canalyzing(k, rule);
    }
}

void
compute_rule_figures(int k, const uint8_t *rule)
{
    if (value_range == 2)
        compute_rule_figures_binary(k, rule);
    else
        compute_rule_figures_mvalue(k, rule);
}
