// Rule-table families (see rule_families.h): Altenberg, majority,
// reaction-diffusion and chain rules. Reads the k-matrix nm and the value
// range (model/globals.h) and computes Z through model/rule_parameters.h.
// Start at altenberg_rule.
#include "engine/rules/rule_families.h"

#include <cstdlib>
#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/key_poll.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_parameters.h"
#include "engine/model/value_line.h"

namespace {

constexpr int kChainDraws = 10000;

// v > 2: every block of v consecutive entries (they differ only in input
// position 0) gets a permutation of 0..v-1, drawn value by value with
// rejection of values already used in the block.
void
permutation_blocks(uint8_t *table, int32_t last)
{
    int v = value_range;
    for (int32_t base = 0; base + v - 1 <= last; base += v) {
        unsigned used = 0;
        for (int t = 0; t < v; t++) {
            int value;
            do
                value = static_cast<int>(random() % v);
            while (used & (1u << value));
            used |= 1u << value;
            set_value(table, static_cast<uint32_t>(base + t), value);
        }
    }
}

} // namespace

void
altenberg_rule(uint8_t *rule, int k, int32_t last)
{
    if (k < 1)
        return;
    for (int32_t i = last; i >= 0; i--) {
        int p = static_cast<int>(random() % k);
        set_value(rule, static_cast<uint32_t>(i), get_value(nm[p], static_cast<uint32_t>(i)));
    }
}

void
majority_rule(uint8_t *rule, int k, int32_t last)
{
    int v = value_range;
    for (int32_t i = 0; i <= last; i++) {
        int count[8] = {};
        for (int j = 0; j < k; j++)
            count[get_value(nm[j], static_cast<uint32_t>(i))]++;
        int kept = v - 1;
        for (int c = v - 1; c >= 0; c--)
            if (count[c] >= count[kept])
                kept = c;
        set_value(rule, static_cast<uint32_t>(i), kept);
        int tied[8], ties = 0;
        for (int c = v - 1; c >= 0; c--)
            if (count[c] == count[kept])
                tied[ties++] = c;
        if (ties > 1)
            set_value(rule, static_cast<uint32_t>(i), tied[random() % ties]);
    }
}

void
fill_reaction_diffusion_rule(uint8_t *rule, int k, int32_t last, int lower, int upper)
{
    int v = value_range, centre = k / 2;
    for (int32_t i = 0; i <= last; i++) {
        int c = get_value(nm[centre], static_cast<uint32_t>(i));
        int out;
        if (c == 0) {
            int ones = 0;
            for (int j = 0; j < k; j++)
                ones += get_value(nm[j], static_cast<uint32_t>(i)) == 1;
            out = ones >= lower && ones <= upper;
        } else {
            out = c + 1 > v - 1 ? 0 : c + 1;
        }
        set_value(rule, static_cast<uint32_t>(i), out);
    }
}

void
draw_chain_table(uint8_t *rule, int k, int32_t last)
{
    bool reflected = random() & 1;
    if (value_range == 2) {
        uint32_t half = k >= 1 ? 1u << (k - 1) : 0;
        uint32_t pairs = static_cast<uint32_t>(last + 1) / 2;
        for (uint32_t m = 0; m < pairs; m++) {
            int b = static_cast<int>(random() % 2);
            uint32_t first = reflected ? m : 2 * m, second = reflected ? m + half : 2 * m + 1;
            set_value(rule, first, b);
            set_value(rule, second, 1 - b);
        }
        return;
    }
    size_t bytes = rule_bytes(k);
    uint8_t *copy = static_cast<uint8_t *>(checked_calloc(bytes, 1, "revrule"));
    permutation_blocks(copy, last);
    if (reflected)
        reflect_m_ruletable(k, copy, rule);
    else
        memcpy(rule, copy, bytes);
    checked_free(copy);
}

int
chain_rule(uint8_t *rule, int k, int32_t last, int index)
{
    int v = value_range;
    for (int draw = 0; draw < kChainDraws; draw++) {
        draw_chain_table(rule, k, last);
        compute_rule_figures(k, rule);
        float zl = zparam[1], zr = zparam[2];
        bool pass = true;
        if (v == 2 && index == 0 && !(zl >= 0.5f && zr >= 0.5f))
            pass = false;
        if (pass && ((v == 2 && k >= 3) || (v > 2 && k >= 2)) && zl == 1.0f && zr == 1.0f)
            pass = false;
        if (pass)
            return 1;
        if (search_stopped())
            return 0;
    }
    return 0;
}
