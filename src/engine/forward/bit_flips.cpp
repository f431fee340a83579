// The rule changes of the running-pattern keys (bit_flips.h). Reads and
// writes the rule tables and codes (model globals), the flip record
// (bitflipcount, flippos, flipvalue: forward globals); calls the rule and
// code families (rules/) and the conversions (model/). Start at
// change_rules_by_key; the per-row work is change_row.
#include "engine/forward/bit_flips.h"

#include <cstdlib>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_conversions.h"
#include "engine/model/value_count_trie.h"
#include "engine/model/value_line.h"
#include "engine/rules/code_families.h"
#include "engine/rules/rule_families.h"
#include "engine/rules/symmetric_rules.h"

namespace {

// The k of a row: its own with a mixed k-mix, else nhood.
int
row_k(int row)
{
    return nhood_mixed ? nhoodm[row] : nhood;
}

// Every entry of a string random: v = 2 random() & 1, v > 2 random() % v;
// on a 2d or 3d network the all-0 neighbourhood then maps to 0.
void
fill_random(uint8_t *string, uint32_t entries)
{
    for (uint32_t i = 0; i < entries; i++)
        set_value(string, i, value_range == 2 ? static_cast<int>(random() & 1)
                                              : static_cast<int>(random() % value_range));
    if (twod || threed)
        set_value(string, 0, 0);
}

// The code row a random or family code is drawn in: the network's own row
// under tot_only, or outside it row 0 of cacode / v_code (the readout shows
// it) and a scratch line for the other rows.
uint8_t *
code_row(uint8_t **codes, int row, std::vector<uint8_t> &scratch)
{
    if (tot_only || (row == 0 && codes && codes[0]))
        return codes[row];
    scratch.assign(kcode_bytes(nhood) > tcode_bytes(nhood) ? kcode_bytes(nhood) + 1
                                                           : tcode_bytes(nhood) + 1,
                   0);
    return scratch.data();
}

// A random tcode ('K') or kcode ('k') for a row, expanded into the rule
// table outside tot_only with the rule kind set for the expansion; the rule
// kind is then 0 (a rule table).
void
random_code(char key, int row, int k)
{
    std::vector<uint8_t> scratch;
    bool tcode = key == 'K';
    uint8_t *code = code_row(tcode ? cacode : v_code, row, scratch);
    fill_random(code, tcode ? tcode_entries(k) : v_tablecodemax[k] + 1u);
    if (tot_only)
        return;
    totalistic = tcode ? rule_kind_tcodes : rule_kind_kcodes;
    if (tcode)
        code2rule(carule[row], code, k);
    else
        v_code2rule(carule[row], code, k, 1);
    totalistic = rule_kind_tables;
}

// The kcode entry of the tuple with all k inputs at value u.
uint32_t
uniform_kcode_entry(int k, int u)
{
    uint8_t key[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    key[value_range - 1 - u] = static_cast<uint8_t>(k);
    return search_tree(key, value_range, v_tree[k], 0);
}

// 'B': every uniform neighbourhood keeps its value.
void
keep_uniform(int row, int k)
{
    const int v = value_range;
    if (!tot_only) {
        uint64_t step = (rule_entries(k) - 1) / static_cast<uint64_t>(v - 1);
        for (int u = v - 1; u >= 0; u--)
            set_value(carule[row], static_cast<uint32_t>(u * step), u);
    } else if (totalistic == rule_kind_tcodes) {
        set_value(cacode[row], static_cast<uint32_t>(k * (v - 1)), v - 1);
        set_value(cacode[row], 0, 0);
    } else {
        for (int u = v - 1; u >= 0; u--)
            set_value(v_code[row], uniform_kcode_entry(k, u), u);
    }
}

// One random entry of row 0 changed: v = 2 inverted, v > 2 redrawn until it
// differs. Returns the entry; its old value in *old.
int32_t
flip_one_entry(uint8_t *string, uint32_t entries, int *old)
{
    uint32_t p = static_cast<uint32_t>(random() % entries);
    *old = get_value(string, p);
    if (value_range == 2) {
        set_value(string, p, 1 - *old);
    } else {
        int value;
        do
            value = static_cast<int>(random() % value_range);
        while (value == *old);
        set_value(string, p, value);
    }
    return static_cast<int32_t>(p);
}

void
record_flip(int32_t p, int old)
{
    bitflipcount++;
    flippos = static_cast<uint16_t *>(
        checked_realloc(flippos, (bitflipcount + 1) * sizeof(uint16_t), "flipppos"));
    flippos[bitflipcount] = static_cast<uint16_t>(p);
    if (value_range > 2) {
        flipvalue = static_cast<uint8_t *>(
            checked_realloc(flipvalue, bitflipcount + 1u, "flipvalue"));
        flipvalue[bitflipcount] = static_cast<uint8_t>(old);
    }
}

// The string of row 0 the single flips act on.
uint8_t *
flip_string()
{
    if (!tot_only)
        return carule[0];
    return totalistic == rule_kind_tcodes ? cacode[0] : v_code[0];
}

// The family and random keys on one row.
void
change_row(char key, int row, rule_z_measure measure)
{
    const int k = row_k(row);
    const int32_t last = static_cast<int32_t>(rule_entries(k) - 1);
    switch (key) {
    case 'r':
        fill_random(carule[row], static_cast<uint32_t>(last) + 1);
        break;
    case 'K':
    case 'k':
        random_code(key, row, k);
        break;
    case 'A':
        if (!tot_only)
            altenberg_rule(carule[row], k, last);
        else if (totalistic == rule_kind_kcodes)
            altenberg_kcode(v_code[row], k, v_tablecodemax[k]);
        break;
    case 'M':
        if (!tot_only)
            majority_rule(carule[row], k, last);
        else if (totalistic == rule_kind_tcodes)
            majority_tcode(cacode[row], k, k * (value_range - 1));
        else
            majority_or_fprintf_vcode(1, v_code[row], k);
        break;
    case 'C':
        if (!tot_only)
            chain_rule(carule[row], k, last, row);
        break;
    case 'Z':
    case 'z':
        if (!tot_only && row == 0)
            nudge_rule_z(carule[0], nhood, key, measure);
        break;
    case '[':
    case ']':
        if (!tot_only)
            symmetric_rule(key == '[' ? 's' : 'S', carule[row], k, last);
        break;
    case 'B':
        keep_uniform(row, k);
        break;
    default:
        break;
    }
}

} // namespace

uint32_t
flip_entry_count(char key, int k)
{
    if (key == 'K')
        return tcode_entries(k);
    if (key == 'k')
        return v_tablecodemax[k] + 1u;
    if (tot_only)
        return totalistic == rule_kind_tcodes ? tcode_entries(k) : v_tablecodemax[k] + 1u;
    return static_cast<uint32_t>(rule_entries(k));
}

char
flip_key(char key)
{
    if (tot_only && (key == 'r' || key == 'K' || key == 'k'))
        return totalistic == rule_kind_tcodes ? 'K' : 'k';
    return key;
}

bool
flips_recorded()
{
    return direction == direction_forward && limitcheck == 0 && !rulemix;
}

int32_t
change_rules_by_key(char key, rule_z_measure measure)
{
    const uint8_t rulemix_before = rulemix;
    if (outer_tot)
        rulemix = 1;
    int32_t flipped = -1;
    if (key == '1') {
        if (!nhood_mixed || outer_tot) {
            int old = 0;
            flipped = flip_one_entry(flip_string(), flip_entry_count('1', nhood), &old);
            if (flips_recorded())
                record_flip(flipped, old);
        }
    } else {
        int rows = outer_tot ? value_range : rulemix ? static_cast<int>(lineL) : 1;
        if (key == 'Z' || key == 'z')
            rows = 1;
        for (int row = 0; row < rows; row++)
            change_row(key, row, measure);
    }
    if (outer_tot)
        rulemix = rulemix_before;
    return flipped;
}

int32_t
undo_rule_flip()
{
    if (bitflipcount < 1 || !flips_recorded())
        return -1;
    uint32_t i = bitflipcount;
    uint8_t *string = flip_string();
    uint32_t p = flippos[i];
    if (value_range == 2)
        set_value(string, p, 1 - get_value(string, p));
    else
        set_value(string, p, flipvalue[i]);
    bitflipcount = i - 1;
    if (bitflipcount > 0) {
        flippos = static_cast<uint16_t *>(
            checked_realloc(flippos, (bitflipcount + 1) * sizeof(uint16_t), "flippos"));
        if (value_range > 2)
            flipvalue = static_cast<uint8_t *>(
                checked_realloc(flipvalue, bitflipcount + 1u, "flipvalue"));
    }
    return static_cast<int32_t>(p);
}
