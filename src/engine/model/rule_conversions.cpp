// Rule-kind conversions (rule_conversions.h). Outside the forward-only mode
// the rule table is the working form of every rule: after each change of a
// tcode or kcode its caller expands it here, then recomputes the rule
// figures and redraws the rule box. Input values are read from the k-matrix
// nm rather than divided out of each index; kcode entries are found through
// the value-count trie. Start at code2rule.
#include "engine/model/rule_conversions.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_count_trie.h"
#include "engine/model/value_line.h"

namespace {

// The largest last index whose numbers fit 32 bits, for v = 2..7.
constexpr int kMaxDecLast[] = {31, 19, 15, 12, 11, 10};

// Kcode entry of neighbourhood index i: the value counts of its k inputs,
// read from the k-matrix, looked up in the trie for k. key has v bytes.
uint16_t
entry_of_index(uint8_t *key, const uint8_t *zero_key, uint32_t i, int k)
{
    int v = value_range;
    memcpy(key, zero_key, static_cast<size_t>(v));
    for (int j = k - 1; j >= 0; j--)
        key[v - 1 - get_value(nm[j], i)]++;
    return search_tree(key, v, v_tree[k], 0);
}

} // namespace

void
code2rule(uint8_t *rule, const uint8_t *tcode, int k)
{
    if (totalistic != rule_kind_tcodes)
        return;
    uint64_t N = int_power(value_range, k);
    for (uint64_t n = N; n-- > 0;) {
        uint32_t i = static_cast<uint32_t>(n);
        uint32_t sum = 0;
        for (int j = k - 1; j >= 0; j--)
            sum += static_cast<uint32_t>(get_value(nm[j], i));
        set_value(rule, i, get_value(tcode, sum));
    }
}

void
v_code2rule(uint8_t *rule, uint8_t *kcode, int k, int direction)
{
    if (direction != 0 && direction != 1)
        return;
    int v = value_range;
    uint64_t N = int_power(v, k);
    auto *key = static_cast<uint8_t *>(checked_calloc(static_cast<size_t>(v), 1, "v_freq"));
    auto *zero_key =
        static_cast<uint8_t *>(checked_calloc(static_cast<size_t>(v), 1, "v_freq_null"));
    if (direction == 1) {
        for (uint64_t n = N; n-- > 0;) {
            uint32_t i = static_cast<uint32_t>(n);
            set_value(rule, i, get_value(kcode, entry_of_index(key, zero_key, i, k)));
        }
    } else {
        // Two passes with a fresh tick set each: the upper half from the top
        // down, then the lower half from the bottom up, whose first writes
        // replace those of the upper half. Classes with no index in the lower
        // half keep the output of their largest index.
        uint64_t last = N - 1, half = N / 2;
        size_t tick_bytes = (static_cast<size_t>(v_tablecodemax[k]) + 1 + 7) / 8;
        auto *ticks = static_cast<uint8_t *>(checked_calloc(tick_bytes, 1, "u_tickoff"));
        for (uint64_t n = last + 1; n-- > half;) {
            uint32_t i = static_cast<uint32_t>(n);
            uint16_t e = entry_of_index(key, zero_key, i, k);
            if (!get_bitlong(ticks, e))
                set_value(kcode, e, get_value(rule, i));
            set_bitlong(ticks, e, 1);
        }
        memset(ticks, 0, tick_bytes);
        for (uint64_t n = 0; n <= last - half; n++) {
            uint32_t i = static_cast<uint32_t>(n);
            uint16_t e = entry_of_index(key, zero_key, i, k);
            if (!get_bitlong(ticks, e))
                set_value(kcode, e, get_value(rule, i));
            set_bitlong(ticks, e, 1);
        }
        checked_free(ticks);
    }
    checked_free(key);
    checked_free(zero_key);
}

bool
kcode_holds_rule(const uint8_t *kcode, const uint8_t *rule, int k)
{
    std::vector<uint8_t> key(static_cast<size_t>(value_range)), zero_key(key.size());
    uint64_t N = int_power(value_range, k);
    for (uint64_t n = 0; n < N; n++) {
        uint32_t i = static_cast<uint32_t>(n);
        if (get_value(rule, i) != get_value(kcode, entry_of_index(key.data(), zero_key.data(), i, k)))
            return false;
    }
    return true;
}

void
fprintf_vcode(int mode, const uint8_t *kcode, int k)
{
    int v = value_range;
    int width = check_value_bits(k + 1);
    int last = v_tablecodemax[k];
    if (mode == 0) {
        for (int e = 0; e <= last; e++) {
            fprintf(stderr, "\n %d: ", e);
            for (int j = v - 1; j >= 0; j--)
                fprintf(stderr, "%d ", get_value_flex(v_index[k][e], static_cast<uint32_t>(j), width));
            fprintf(stderr, " -> %d", get_value(kcode, static_cast<uint32_t>(e)));
        }
        fputc('\n', stderr);
    } else if (mode == 1) {
        for (int j = v - 1; j >= 0; j--) {
            fprintf(stderr, "\n%d:", j);
            for (int e = last; e >= 0; e--)
                fprintf(stderr, "%d", get_value_flex(v_index[k][e], static_cast<uint32_t>(j), width));
        }
        fprintf(stderr, "\n  ");
        for (int e = last; e >= 0; e--)
            fprintf(stderr, "|");
        fprintf(stderr, "\n  ");
        for (int e = last; e >= 0; e--)
            fprintf(stderr, "%d", get_value(kcode, static_cast<uint32_t>(e)));
        fputc('\n', stderr);
    } else if (mode == 2 && v == 3) {
        // Rows of k+1, k, ..., 1 outputs, each row a fixed count of value 2.
        fprintf(stderr, "\n");
        int row = k + 1, in_row = 0;
        for (int e = 0; e <= last; e++) {
            fprintf(stderr, "%d ", get_value(kcode, static_cast<uint32_t>(e)));
            if (++in_row == row) {
                fprintf(stderr, "\n");
                row--;
                in_row = 0;
            }
        }
    }
}

void
exchange_values_vcode(uint8_t *kcode, int k, int a, int b)
{
    int v = value_range;
    int width = check_value_bits(k + 1);
    int last = v_tablecodemax[k];
    // One byte per entry, used as one bit per entry.
    auto *ticks =
        static_cast<uint8_t *>(checked_calloc(static_cast<size_t>(last) + 1, 1, "tickoff"));
    auto *tuple = static_cast<uint8_t *>(checked_calloc(
        value_line_bytes(static_cast<uint64_t>(v), width), 1, "swap_v_index"));
    uint8_t key[8];
    for (int e = 0; e <= last; e++) {
        if (get_bitlong(ticks, static_cast<uint32_t>(e)))
            continue;
        for (int j = 0; j < v; j++) {
            int count = get_value_flex(v_index[k][e], static_cast<uint32_t>(j), width);
            set_value_flex(tuple, static_cast<uint32_t>(j), count, width);
        }
        int count_a = get_value_flex(tuple, static_cast<uint32_t>(a), width);
        int count_b = get_value_flex(tuple, static_cast<uint32_t>(b), width);
        set_value_flex(tuple, static_cast<uint32_t>(a), count_b, width);
        set_value_flex(tuple, static_cast<uint32_t>(b), count_a, width);
        for (int j = 0; j < v; j++)
            key[v - 1 - j] = static_cast<uint8_t>(get_value_flex(tuple, static_cast<uint32_t>(j), width));
        uint16_t e2 = search_tree(key, v, v_tree[k], 0);
        int out = get_value(kcode, static_cast<uint32_t>(e));
        set_value(kcode, static_cast<uint32_t>(e), get_value(kcode, e2));
        set_value(kcode, e2, out);
        set_bitlong(ticks, e2, 1);
    }
    for (int e = 0; e <= last; e++) {
        int out = get_value(kcode, static_cast<uint32_t>(e));
        if (out == a)
            set_value(kcode, static_cast<uint32_t>(e), b);
        else if (out == b)
            set_value(kcode, static_cast<uint32_t>(e), a);
    }
    checked_free(ticks);
    checked_free(tuple);
}

uint32_t
max_dec_rule(int last, int v)
{
    if (v < 2 || v > 7 || last > kMaxDecLast[v - 2])
        return 0;
    // Exact: v^(last+1) - 1 is at most 2^32 - 1 within these limits.
    return static_cast<uint32_t>(int_power(v, last + 1) - 1);
}
