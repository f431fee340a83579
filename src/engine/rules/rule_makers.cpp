// Rules made by the dialogs themselves (see rule_makers.h). Reads the value
// range and the k-matrix nm (model/globals.h) and the Post restriction
// (rules/globals.h); the families are rule_families.h, symmetric_rules.h
// and post_classes.h. Start at make_mix_rule.
#include "engine/rules/rule_makers.h"

#include <algorithm>
#include <cstdlib>

#include "engine/model/globals.h"
#include "engine/model/key_poll.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/rules/post_classes.h"
#include "engine/rules/rule_families.h"
#include "engine/rules/symmetric_rules.h"

namespace {

// Sum of the k input values of neighbourhood i.
int
input_sum(uint32_t i, int k)
{
    int s = 0;
    for (int j = 0; j < k; j++)
        s += get_value(nm[j], i);
    return s;
}

} // namespace

void
life_rule(uint8_t *rule, int k, int32_t last)
{
    int v = value_range;
    int centre = (k + 1) / 2 - 1;
    int m = (v - 1) * k;
    for (int32_t e = 0; e <= last; e++) {
        uint32_t i = static_cast<uint32_t>(e);
        int x = get_value(nm[centre], i);
        int s = input_sum(i, k);
        int out;
        if (v == 2) {
            out = (x == 0 && s == 3) || (x == 1 && (s == 3 || s == 4));
        } else {
            int others = s - x;
            if (x < v - 1 && others == m / 3)
                out = x + 1;
            else if (x > 0 && (others >= 4.0 * m / 9.0 || others < 2.0 * m / 9.0))
                out = x - 1;
            else
                out = x;
        }
        set_value(rule, i, out);
    }
}

void
mixed_majority_rule(uint8_t *rule, int k, int32_t last, bool flipped)
{
    if (value_range > 2) {
        majority_rule(rule, k, last);
        return;
    }
    for (int32_t e = 0; e <= last; e++) {
        uint32_t i = static_cast<uint32_t>(e);
        int ones = input_sum(i, k);
        int out;
        if (2 * ones > k)
            out = 1;
        else if (2 * ones < k)
            out = 0;
        else
            out = get_value(nm[k / 2 - 1], i);
        set_value(rule, i, out);
    }
    if (flipped) {
        set_value(rule, 0, 1);
        set_value(rule, static_cast<uint32_t>(last), 0);
    }
}

void
self_wiring_rule(uint8_t *rule)
{
    for (int u = 0; u < value_range; u++)
        set_value(rule, static_cast<uint32_t>(u), u);
}

void
random_rule_table(uint8_t *rule, int32_t last, bool force_zero)
{
    int v = value_range;
    for (int32_t i = last; i >= 0; i--) {
        int value = v == 2 ? (random() % 100 < 50 ? 0 : 1) : static_cast<int>(random() % v);
        set_value(rule, static_cast<uint32_t>(i), value);
    }
    if (force_zero)
        set_value(rule, 0, 0);
}

void
random_code(uint8_t *code, int32_t last, bool force_zero)
{
    for (int32_t i = last; i >= 0; i--)
        set_value(code, static_cast<uint32_t>(i), static_cast<int>(random() % value_range));
    if (force_zero)
        set_value(code, 0, 0);
}

bool
draw_post_rule(uint8_t *rule, int k, int32_t last)
{
    for (int draw = 0; draw < kPostDraws; draw++) {
        for (int32_t i = 0; i <= last; i++)
            set_value(rule, static_cast<uint32_t>(i), static_cast<int>(random() % value_range));
        post_flags flags;
        if (find_post_classes(k, rule, &flags) && post_class_answer(flags))
            return true;
        if (search_stopped())
            return false;
    }
    return false;
}

bool
make_mix_rule(char method, uint8_t *rule, int k, bool force_zero, int chain_index)
{
    int32_t last = static_cast<int32_t>(rule_entries(k) - 1);
    switch (method) {
    case 'm':
    case 'f':
        mixed_majority_rule(rule, k, last, method == 'f');
        return true;
    case 'c':
        chain_rule(rule, k, last, chain_index);
        return true;
    case 'A':
        altenberg_rule(rule, k, last);
        return true;
    case 's':
    case 'S':
        symmetric_rule(method, rule, k, last);
        return true;
    case 'P':
        return draw_post_rule(rule, k, last);
    default:
        random_rule_table(rule, last, force_zero);
        return true;
    }
}

std::vector<uint8_t>
similar_kcode(const uint8_t *old, int k, int new_k)
{
    int32_t last = static_cast<int32_t>(kcode_entries(k)) - 1;
    int32_t new_last = static_cast<int32_t>(kcode_entries(new_k)) - 1;
    std::vector<uint8_t> code(kcode_bytes(new_k), 0);
    for (int32_t j = 0; j < new_last; j++)
        set_value(code.data(), static_cast<uint32_t>(j), static_cast<int>(random() % value_range));
    bool larger = new_k > k;
    int32_t h = larger ? last / 2 : (new_last + 1) / 2;
    int32_t b = larger ? last - h : new_last - h;
    for (int32_t j = 0; j <= h; j++)
        set_value(code.data(), static_cast<uint32_t>(new_last - j),
                  get_value(old, static_cast<uint32_t>(last - j)));
    // The bottom copy stops at the old code's last entry (k = 1 has only two).
    int32_t bottom = std::min(b + 1, std::min(last, new_last));
    for (int32_t j = 0; j <= bottom; j++)
        set_value(code.data(), static_cast<uint32_t>(j), get_value(old, static_cast<uint32_t>(j)));
    return code;
}

bool
typed_number_within(const char *text, size_t length, uint64_t limit, uint32_t *number)
{
    uint64_t value = 0;
    size_t digits = 0;
    for (size_t i = 0; i < length && text[i] >= '0' && text[i] <= '9'; i++) {
        uint64_t digit = static_cast<uint64_t>(text[i] - '0');
        if (value > (UINT64_MAX - digit) / 10)
            return false;
        value = value * 10 + digit;
        digits++;
    }
    if (digits == 0 || value > limit || value > UINT32_MAX)
        return false;
    *number = static_cast<uint32_t>(value);
    return true;
}
