// The network listing's text, byte for byte on 3-cell networks: the
// wiring alone, the rules alone and both, with a single k and a mixed k
// ("- " for missing positions); a tcode of v = 3 read through all its
// k(v-1)+1 entries and one too long for 32 bits in hex; equal plain and
// weighted averages where every cell feeds as many cells; the menu's
// choice of kind. The rule figures and Post labels come from their own
// (tested) functions; here their place in each row is checked.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/model/rule_parameters.h"
#include "engine/rules/post_classes.h"
#include "engine/wiring/out_degrees.h"
#include "engine/wiring_editor/editor_network_support.h"
#include "engine/wiring_editor/network_listing.h"

namespace {

using Listing = FiguresTest;

const std::string kDashes(45, '-');

void
wire(int c, std::vector<int> inputs)
{
    for (size_t p = 0; p < inputs.size(); p++)
        wiring[c][p] = static_cast<uint16_t>(inputs[p]);
}

// The whole listing as the window side writes it, rows from n-1 down.
std::string
listing(int kind)
{
    cell_out_freq();
    std::string text = listing_header(kind);
    listing_sums sums = start_listing_sums();
    for (int c = lineL - 1; c >= 0; c--)
        text += listing_row(static_cast<uint16_t>(c), kind, sums);
    return text + listing_averages(kind, sums);
}

// The figures' part of a row: " %.3g %.3g %.3g " as computed for the
// table, then the canalyzing count and mask given, then the Post labels.
std::string
figures(int k, const uint8_t *rule, const std::string &canalyzing)
{
    compute_rule_figures(k, rule);
    char text[64];
    snprintf(text, sizeof text, " %.3g %.3g %.3g ", lambda, lratio, zparam[0]);
    std::string s = std::string(text) + canalyzing;
    post_flags f;
    if (find_post_classes(k, rule, &f)) {
        s += " ";
        for (const std::string &label : post_class_labels(f))
            s += label;
    }
    return s;
}

// Three cells of k = 2: cell 0 xor (table 0110 = 06), cell 1 and (1000 =
// 08), cell 2 the value of its input 0 (1010 = 0a).
void
three_cells()
{
    wire(0, {1, 2});
    wire(1, {2, 0});
    wire(2, {0, 1});
    carule[0][0] = 0x6;
    carule[1][0] = 0x8;
    carule[2][0] = 0xa;
}

TEST_F(Listing, WiringAloneWithASingleK)
{
    MixNetwork net(2, 3, {2});
    three_cells();
    EXPECT_EQ(listing(listing_wiring), "\nv2k2, n=3\ncell. wiring(1-0)\n" + kDashes +
                                           "\n2. 1 0, \n1. 0 2, \n0. 2 1, \n");
}

TEST_F(Listing, RulesAndBothWithASingleK)
{
    MixNetwork net(2, 3, {2});
    k_matrix digits;
    three_cells();
    std::string f0 = figures(2, carule[0], "0/2");
    std::string f1 = figures(2, carule[1], "2/2 10");
    std::string f2 = figures(2, carule[2], "1/2 *0");
    listing_sums sums = start_listing_sums();
    EXPECT_EQ(sums.wires, 6u);
    std::string rules = listing(listing_rules);
    std::string rows = "2. 0a" + f2 + "\n1. 08" + f1 + "\n0. 06" + f0 + "\n";
    EXPECT_EQ(rules.substr(0, rules.find("average:")),
              "\nv2k2, n=3\ncell. rule(hex) ld ld-r z C\n" + kDashes + "\n" + rows);
    std::string both = listing(listing_both);
    rows = "2. 1 0, 0a" + f2 + "\n1. 0 2, 08" + f1 + "\n0. 2 1, 06" + f0 + "\n";
    EXPECT_EQ(both.substr(0, both.find("average:")),
              "\nv2k2, n=3\ncell. wiring(1-0) rule(hex) ld ld-r Z C\n" + kDashes + "\n" + rows);
    // Every cell feeds two cells: the weighted averages are the plain ones.
    char averages[160];
    double lr = 0, z = 0;
    for (int c = 0; c < 3; c++) {
        compute_rule_figures(2, carule[c]);
        lr += lratio;
        z += zparam[0];
    }
    snprintf(averages, sizeof averages, "average:ld-r=%g Z=%g\nweighted average:ld-r=%g Z=%g\n",
             lr / 3, z / 3, lr / 3, z / 3);
    EXPECT_EQ(both.substr(both.find("average:")), averages);
}

// Cells 0 and 2 of k = 1, cell 1 of k = 2: "- " where a cell has no
// input, and each row names its k.
TEST_F(Listing, AMixedKShowsMissingPositions)
{
    MixNetwork net(2, 3, {1, 2});
    k_matrix digits;
    wire(0, {2});
    wire(1, {2, 0});
    wire(2, {1});
    carule[0][0] = 0x2;
    carule[1][0] = 0xe;
    carule[2][0] = 0x1;
    EXPECT_EQ(listing(listing_wiring), "\nv2k=mixed(2-1), n=3\ncell. k, wiring(1-0),\n" + kDashes +
                                           "\n2. 1, - 1, \n1. 2, 0 2, \n0. 1, - 2, \n");
    std::string both = listing(listing_both);
    std::string rows = "2. 1, - 1, 01" + figures(1, carule[2], "1/1") + "\n1. 2, 0 2, 0e" +
                       figures(2, carule[1], "2/2 10") + "\n0. 1, - 2, 02" +
                       figures(1, carule[0], "1/1") + "\n";
    EXPECT_EQ(both.substr(0, both.find("average:")),
              "\nv2k=mixed(2-1), n=3\ncell. k, wiring rule(hex) ld ld-r Z\n" + kDashes + "\n" + rows);
}

// A tcode of v = 3, k = 2 has 5 entries: all of them count, entry 4 too
// (1 + 2*9 + 1*81 = 100). For v = 8, k = 2 its 15 entries pass 32 bits
// and it is shown in hex.
TEST_F(Listing, TcodesReadEveryEntry)
{
    MixNetwork net(3, 3, {2});
    totalistic = rule_kind_tcodes;
    tot_only = 1;
    three_cells();
    for (int c = 0; c < 3; c++)
        for (uint32_t e = 0; e < 5; e++)
            set_value(cacode[c], e, 0);
    set_value(cacode[1], 0, 1);
    set_value(cacode[1], 2, 2);
    set_value(cacode[1], 4, 1);
    listing_sums sums = start_listing_sums();
    EXPECT_EQ(listing_row(1, listing_rules, sums), "1. code=100,\n");
    EXPECT_EQ(listing_averages(listing_rules, sums), "");
    totalistic = rule_kind_tables;
}

TEST_F(Listing, TcodesTooLongForThirtyTwoBitsAreHex)
{
    MixNetwork net(8, 3, {2});
    totalistic = rule_kind_tcodes;
    tot_only = 1;
    three_cells();
    // 15 entries of 3 bits: 6 bytes.
    for (int b = 0; b < 6; b++)
        cacode[2][b] = static_cast<uint8_t>(0x11 * (b + 1));
    listing_sums sums = start_listing_sums();
    EXPECT_EQ(listing_row(2, listing_rules, sums), "2. code=(hex)665544332211,\n");
    totalistic = rule_kind_tables;
}

// The menu's second character: rules alone only with a rule mix and a
// single k, both only with a rule mix; else the wiring.
TEST_F(Listing, TheKindFollowsWhatTheNetworkHas)
{
    MixNetwork net(2, 3, {2});
    EXPECT_EQ(listing_kind(false, 'r'), listing_wiring);
    EXPECT_EQ(listing_kind(false, 'b'), listing_wiring);
    EXPECT_EQ(listing_kind(true, 'r'), listing_rules);
    EXPECT_EQ(listing_kind(true, 'b'), listing_both);
    EXPECT_EQ(listing_kind(true, 'w'), listing_wiring);
    nhood_mixed = 1;
    EXPECT_EQ(listing_kind(true, 'r'), listing_wiring);
    EXPECT_EQ(listing_kind(true, 'b'), listing_both);
    nhood_mixed = 0;
    rulemix = 0;
    EXPECT_EQ(listing_kind(true, 'b'), listing_wiring);
    rulemix = 1;
}

} // namespace
