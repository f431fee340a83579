// The network listing's text (network_listing.h). Reads the network model
// (model/: wiring, nhoodm, the rule tables and codes, celloutfreq) and
// computes each rule's figures with model/rule_parameters.h, which leaves
// lambda, lratio, zparam, canal and canaltotal; the Post labels come from
// rules/post_classes.h. Start at listing_row.
#include "engine/wiring_editor/network_listing.h"

#include <cstdio>

#include "engine/model/formatted_text.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_parameters.h"
#include "engine/model/value_line.h"
#include "engine/rules/post_classes.h"
#include "engine/rules/string_edits.h"

namespace {

// The cell's inputs in nhood fields: "- " for each position the cell
// does not have, so every row has as many fields.
std::string
wiring_fields(uint16_t c)
{
    std::string text;
    for (int p = nhood - 1; p >= 0; p--) {
        if (p >= nhoodm[c])
            text += "- ";
        else
            text += formatted(p == 0 ? "%d, " : "%d ", wiring[c][p]);
    }
    return text;
}

// A tcode as a number: entries 0..k(v-1), entry 0 least significant. In
// decimal while every tcode of that length fits 32 bits, else in hex.
std::string
tcode_text(const uint8_t *code, int k)
{
    uint32_t entries = tcode_entries(k);
    uint64_t values = 1;
    bool fits = true;
    for (uint32_t e = 0; e < entries && fits; e++) {
        values *= static_cast<uint64_t>(value_range);
        fits = values <= (uint64_t(1) << 32);
    }
    if (!fits) {
        int bytes = static_cast<int>(value_line_bytes(entries, value_bits));
        return "code=(hex)" + hex_text(code, bytes) + ",";
    }
    uint64_t sum = 0, place = 1;
    for (uint32_t e = 0; e < entries; e++) {
        sum += static_cast<uint64_t>(get_value(code, e)) * place;
        place *= static_cast<uint64_t>(value_range);
    }
    char text[40];
    snprintf(text, sizeof text, "code=%lu,", static_cast<unsigned long>(sum));
    return text;
}

// "%d/%d" canalyzing inputs of k, then a blank and one character per
// position k-1..0: its number's first digit when it canalyzes, else '*'.
std::string
canalyzing_mask(int k)
{
    std::string text = formatted("%d/%d", canaltotal, k);
    if (canaltotal == 0 || k <= 1)
        return text;
    text += ' ';
    for (int p = k - 1; p >= 0; p--) {
        bool on = p < 16 && get_bitlong(canal, static_cast<uint32_t>(p));
        text += on ? std::to_string(p)[0] : '*';
    }
    return text;
}

// The rule of cell c: code, table, figures, canalyzing and Post classes.
std::string
rule_fields(uint16_t c, listing_sums &sums)
{
    int k = nhoodm[c];
    std::string text;
    if (totalistic == rule_kind_tcodes && cacode)
        text += tcode_text(cacode[c], k);
    else if (totalistic == rule_kind_kcodes && v_code)
        text += hex_text(v_code[c],
                         static_cast<int>(value_line_bytes(string_entries(string_kcode, k), value_bits)));
    if (tot_only)
        return text;
    const uint8_t *rule = carule[c];
    text += hex_text(rule, static_cast<int>(value_line_bytes(rule_entries(k), value_bits)));
    compute_rule_figures(k, rule);
    text += formatted(" %.3g %.3g %.3g ", lambda, lratio, zparam[0]);
    double weight = celloutfreq ? static_cast<double>(celloutfreq[c]) / sums.wires : 0.0;
    sums.lratio += lratio;
    sums.z += zparam[0];
    sums.weighted_lratio += lratio * weight;
    sums.weighted_z += zparam[0] * weight;
    count_canalyzing(k, rule);
    text += canalyzing_mask(k);
    post_flags flags;
    if (find_post_classes(k, rule, &flags)) {
        text += ' ';
        for (const std::string &label : post_class_labels(flags))
            text += label;
    }
    return text;
}

} // namespace

int
listing_kind(bool rules, char second)
{
    if (!rules || !rulemix)
        return listing_wiring;
    if (second == 'b')
        return listing_both;
    if (second == 'r' && !nhood_mixed)
        return listing_rules;
    return listing_wiring;
}

listing_sums
start_listing_sums()
{
    listing_sums sums;
    uint64_t wires = 0;
    if (nhood_mixed) {
        for (uint32_t c = 0; c < lineL; c++)
            wires += static_cast<uint64_t>(nhoodm[c]);
    } else {
        wires = static_cast<uint64_t>(lineL) * static_cast<uint64_t>(nhood);
    }
    sums.wires = wires > 0 ? static_cast<uint32_t>(wires) : 1;
    return sums;
}

std::string
listing_header(int kind)
{
    char text[160];
    if (nhood_mixed)
        snprintf(text, sizeof text, "\nv%dk=mixed(%d-%d), n=%d\n", value_range, nhood, nhood_lb,
                 lineL);
    else
        snprintf(text, sizeof text, "\nv%dk%d, n=%d\n", value_range, nhood, lineL);
    std::string header = text;
    const int top = nhood - 1;
    if (kind == listing_rules)
        header += nhood_mixed ? "cell. k, rule(hex) ld ld-r Z" : "cell. rule(hex) ld ld-r z C";
    else if (kind == listing_both)
        header += nhood_mixed ? "cell. k, wiring rule(hex) ld ld-r Z"
                              : formatted("cell. wiring(%d-0) rule(hex) ld ld-r Z C", top);
    else
        header += formatted(nhood_mixed ? "cell. k, wiring(%d-0)," : "cell. wiring(%d-0)", top);
    header += "\n" + std::string(45, '-') + "\n";
    return header;
}

std::string
listing_row(uint16_t c, int kind, listing_sums &sums)
{
    std::string row = formatted("%d. ", c);
    if (nhood_mixed)
        row += formatted("%d, ", nhoodm[c]);
    if (kind == listing_wiring || kind == listing_both)
        row += wiring_fields(c);
    if (kind == listing_rules || kind == listing_both)
        row += rule_fields(c, sums);
    return row + "\n";
}

std::string
listing_averages(int kind, const listing_sums &sums)
{
    if (kind == listing_wiring || tot_only)
        return "";
    double n = lineL > 0 ? lineL : 1;
    char text[160];
    snprintf(text, sizeof text, "average:ld-r=%g Z=%g\nweighted average:ld-r=%g Z=%g\n",
             sums.lratio / n, sums.z / n, sums.weighted_lratio, sums.weighted_z);
    return text;
}

std::string
hex_text(const uint8_t *string, int bytes)
{
    std::string text;
    char pair[4];
    for (int b = bytes - 1; b >= 0; b--) {
        snprintf(pair, sizeof pair, "%02x", string[b]);
        text += pair;
    }
    return text;
}
