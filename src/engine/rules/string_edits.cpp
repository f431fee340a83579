// Whole-string operations of the string editors (string_edits.h). Reads v
// and the network shape (model globals), bias_density (rules globals) and
// tot_only, totalistic and zparam for the Z nudges. Start at hex_digits;
// the random strings are at random_string_at_density.
#include "engine/rules/string_edits.h"

#include <algorithm>
#include <cstdlib>

#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_conversions.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "engine/rules/random_states.h"

namespace {

constexpr int kZTries = 200;

// A non-zero value: 1 for v = 2, else random() % (v-1) + 1.
int
nonzero_value()
{
    return value_range == 2 ? 1 : static_cast<int>(random() % (value_range - 1)) + 1;
}

// Brings the non-zero count of the string to target: positions drawn by
// draw_position are cleared while above it and set while below it.
// Positions past the string (count entries) are skipped.
template <typename Draw>
uint32_t
correct_count(uint8_t *string, uint32_t entries, uint32_t count, uint32_t target,
              Draw draw_position)
{
    while (count > target) {
        uint32_t p = draw_position();
        if (p < entries && get_value(string, p) != 0) {
            set_value(string, p, 0);
            count--;
        }
    }
    while (count < target) {
        uint32_t p = draw_position();
        if (p < entries && get_value(string, p) == 0) {
            set_value(string, p, nonzero_value());
            count++;
        }
    }
    return count;
}

// The share trunc(cells * bias / 100) in single precision, within 0..cells.
uint32_t
share_at_bias(uint32_t cells)
{
    float m = static_cast<float>(cells) * bias_density / 100.0f;
    if (!(m > 0.0f))
        return 0;
    return m >= static_cast<float>(cells) ? cells : static_cast<uint32_t>(m);
}

// Block cells that lie inside the lattice: the count the correction can reach.
uint32_t
block_cells_inside(int b)
{
    auto side = [b](int s) { return static_cast<uint32_t>(std::min(b, s)); };
    if (twod)
        return side(i2d) * side(j2d);
    if (threed)
        return side(i3d) * side(j3d) * side(h3d);
    return side(lineL);
}

// One random change of entry p: v = 2 inverts it, v > 2 draws random() % v.
void
change_entry(uint8_t *string, uint32_t p)
{
    if (value_range == 2)
        set_value(string, p, !get_value(string, p));
    else
        set_value(string, p, static_cast<int>(random() % value_range));
}

// Whether the Z just measured is kept for the direction, against z0.
bool
z_kept(char dir, float z0)
{
    if (dir == 'Z')
        return zparam[0] >= z0;
    if (dir == 'z')
        return zparam[0] <= z0;
    return true;
}

} // namespace

uint64_t
string_entries(int kind, int k)
{
    switch (kind) {
    case string_state:
        return lineL;
    case string_rule:
        return rule_entries(k);
    case string_tcode:
        return tcode_entries(k);
    default:
        return v_tablecodemax ? static_cast<uint64_t>(v_tablecodemax[k]) + 1 : 0;
    }
}

std::vector<uint8_t>
hex_digits(const uint8_t *string, int high)
{
    std::vector<uint8_t> digits;
    for (int b = high; b >= 0; b--) {
        digits.push_back(static_cast<uint8_t>(string[b] >> 4));
        digits.push_back(static_cast<uint8_t>(string[b] & 15));
    }
    return digits;
}

void
put_hex_digits(uint8_t *string, const std::vector<uint8_t> &digits, int high)
{
    for (int j = 0; j <= high && 2 * j + 1 < static_cast<int>(digits.size()); j++)
        string[high - j] = static_cast<uint8_t>(16 * digits[2 * j] + digits[2 * j + 1]);
}

bool
clamp_entries(uint8_t *string, uint32_t last)
{
    if (value_range == 2)
        return false;
    bool clamped = false;
    for (uint32_t i = 0; i <= last; i++) {
        if (get_value(string, i) > value_range - 1) {
            set_value(string, i, value_range - 1);
            clamped = true;
        }
    }
    return clamped;
}

uint32_t
count_nonzero(const uint8_t *string, uint32_t first, uint32_t count)
{
    uint32_t n = 0;
    for (uint32_t i = first; i < first + count; i++)
        n += get_value(string, i) != 0;
    return n;
}

void
complement_string(uint8_t *string, uint32_t count, bool state)
{
    if (value_range == 2 && state) {
        for (uint32_t b = 0; b < bytesL; b++)
            string[b] = static_cast<uint8_t>(~string[b]);
        for (uint32_t i = lineL; i < 8u * bytesL; i++)
            set_bitlong(string, i, 0);
        return;
    }
    for (uint32_t i = 0; i < count; i++)
        set_value(string, i, value_range - 1 - get_value(string, i));
}

uint32_t
random_string_at_density(uint8_t *string, uint32_t count, float bias)
{
    uint32_t nonzero = 0;
    int t = static_cast<int>((value_range == 2 ? 20.0f : 10.0f) * bias);
    for (uint32_t i = 0; i < count; i++) {
        int r = static_cast<int>(random() % 1000);
        if (r == 0)
            r = 1;
        int value;
        if (value_range == 2)
            value = t / r == 1;
        else
            value = t / r > 0 ? nonzero_value() : 0;
        set_value(string, i, value);
        nonzero += value != 0;
    }
    float wanted = static_cast<float>(count) * bias / 100.0f;
    uint32_t target = wanted > 0.0f ? std::min(count, static_cast<uint32_t>(wanted)) : 0;
    return correct_count(string, count, nonzero, target,
                         [count] { return static_cast<uint32_t>(random() % count); });
}

uint32_t
block_cells(int b)
{
    uint32_t side = static_cast<uint32_t>(b);
    if (twod)
        return side * side;
    if (threed)
        return side * side * side;
    return side;
}

uint32_t
random_block_at_density(uint8_t *state, int b)
{
    uint32_t count = set_central_block(0, state, b);
    uint32_t target = std::min(share_at_bias(block_cells(b)), block_cells_inside(b));
    return correct_count(state, lineL, count, target, [b] { return randpos_block(b / 2, b); });
}

bool
nudge_rule_z(uint8_t *rule, int k, char dir, rule_z_measure measure)
{
    if (tot_only)
        return false;
    uint32_t entries = static_cast<uint32_t>(rule_entries(k));
    float z0 = zparam[0];
    for (int t = 0; t < kZTries; t++) {
        uint32_t p = static_cast<uint32_t>(random() % entries);
        int old = get_value(rule, p);
        change_entry(rule, p);
        measure(k, rule);
        if (z_kept(dir, z0))
            return true;
        set_value(rule, p, old);
    }
    return false;
}

void
expand_code(uint8_t *table, uint8_t *code, int k)
{
    if (totalistic == rule_kind_tcodes)
        code2rule(table, code, k);
    else
        v_code2rule(table, code, k, 1);
}

bool
nudge_code_z(uint8_t *code, int k, char dir, uint8_t *table, rule_z_measure measure)
{
    if (tot_only)
        return false;
    uint32_t entries = static_cast<uint32_t>(
        string_entries(totalistic == rule_kind_tcodes ? string_tcode : string_kcode, k));
    float z0 = zparam[0];
    for (int t = 0; t < kZTries; t++) {
        uint32_t p = static_cast<uint32_t>(random() % entries);
        int old = get_value(code, p);
        change_entry(code, p);
        expand_code(table, code, k);
        measure(k, table);
        if (z_kept(dir, z0))
            return true;
        set_value(code, p, old);
    }
    expand_code(table, code, k);
    return false;
}
