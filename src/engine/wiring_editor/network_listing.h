// The network listing as text: a header naming v, k and n, a column header
// over 45 dashes, one row per cell (its k, its wiring, its rule or code in
// hex, lambda, lambda ratio and Z, its canalyzing inputs and Post
// classes) and the plain and out-degree-weighted averages of lambda ratio
// and Z. The window side (ui/wiring_editor/network_data.h) writes the
// pieces to standard error and the data file; nothing here writes.
#pragma once
#include <cstdint>
#include <string>

// What the listing shows, and the file kind of a load or save: the wiring,
// the rule scheme, or both.
constexpr int listing_wiring = 1, listing_rules = 2, listing_both = 3;

// The kind the menu's two characters choose: the wiring unless a rule mix
// exists; with a rule mix 'r' the rules (single k only) and 'b' both.
int listing_kind(bool rules_set, char second);

// The running sums of the rule rows, and W, the number of wires that
// weighs each cell's out-degree: n * nhood with a single k, else the sum
// of every cell's k.
struct listing_sums {
    double lratio = 0, z = 0;
    double weighted_lratio = 0, weighted_z = 0;
    uint32_t wires = 1;
};
listing_sums start_listing_sums();

// "\nv%dk%d, n=%d\n" (or k=mixed(nhood-nhood_lb)), the column header of
// the kind, "\n", 45 dashes and "\n".
std::string listing_header(int kind);

// Cell c's row, ending in "\n": "%d. " (with mixed k "%d. %d, "), the
// wiring from position nhood-1 down ("- " where the cell has no such
// input, "%d, " at position 0, "%d " else) for kinds 1 and 3; for kinds 2
// and 3 the rule: a tcode as "code=%u," (in hex "code=(hex)..," when its
// v^(k(v-1)+1) values pass 32 bits) or a kcode in hex, then unless
// tot_only the table in hex, " %.3g %.3g %.3g " (lambda, lambda ratio,
// Z), the canalyzing count "%d/%d" with its mask and the Post labels.
// Adds the cell's lambda ratio and Z to the sums. Needs celloutfreq
// counted.
std::string listing_row(uint16_t c, int kind, listing_sums &sums);

// "average:ld-r=%g Z=%g\n" and "weighted average:ld-r=%g Z=%g\n", the
// plain sums divided by n; empty for kind 1 or with tot_only.
std::string listing_averages(int kind, const listing_sums &sums);

// The hex text of a packed string of bytes bytes, from its last byte down,
// two lower-case digits each, as the hex readout writes it.
std::string hex_text(const uint8_t *string, int bytes);
