// Random wiring with a fixed seed: the draw order against an independent
// replay of the random numbers, zone bounds, the boundary, self-wiring and
// distinct rules, escape wires, one pattern for all, the 3d layer rules and
// the same wiring from the same seed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "engine/wiring/random_wiring.h"
#include "engine/wiring/wiring_test_support.h"

namespace {

class RandomWiring : public ::testing::Test {
protected:
    long live_before = 0;
    void SetUp() override
    {
        live_before = live_allocations;
        reset_wiring_biases();
    }
    void TearDown() override
    {
        free_network();
        reset_wiring_biases();
        EXPECT_EQ(live_allocations, live_before);
    }
    static void wire_all()
    {
        for (int c = lineL - 1; c >= 0; c--)
            randomly_wire_cell(static_cast<uint16_t>(c), L);
    }
};

int
wrapped(int x, int n)
{
    return ((x % n) + n) % n;
}

TEST_F(RandomWiring, RingDrawOrderReplaysFromTheSeed)
{
    make_ring(20, 3);
    zonesize = 5;
    srandom(1234);
    wire_all();
    // Replay: cells from 19 down, positions from 2 down, one draw each.
    srandom(1234);
    for (int c = 19; c >= 0; c--)
        for (int p = 2; p >= 0; p--) {
            int expected = wrapped(c + static_cast<int>(random() % 5) - 2, 20);
            EXPECT_EQ(wiring[c][p], expected) << c << " " << p;
        }
}

TEST_F(RandomWiring, PlaneDrawsColumnThenRow)
{
    make_2d(6, 5, 2);
    zonesize = 3;
    srandom(99);
    randomly_wire_cell(0, L);
    srandom(99);
    for (int p = 1; p >= 0; p--) {
        int di = static_cast<int>(random() % 3) - 1;
        int dj = static_cast<int>(random() % 3) - 1;
        EXPECT_EQ(wiring[0][p], wrapped(dj, 5) * 6 + wrapped(di, 6));
    }
}

TEST_F(RandomWiring, ZoneOfFiveAroundCellsTenAndZero)
{
    make_ring(20, 5);
    zonesize = 5;
    for (unsigned seed = 1; seed <= 50; seed++) {
        srandom(seed);
        randomly_wire_cell(10, L);
        randomly_wire_cell(0, L);
        for (int v : row(10)) {
            EXPECT_GE(v, 8);
            EXPECT_LE(v, 12);
        }
        for (int v : row(0))
            EXPECT_TRUE(v >= 18 || v <= 2) << v;
    }
}

TEST_F(RandomWiring, EvenZoneReachesOneFurtherLeft)
{
    make_ring(20, 8);
    zonesize = 4;
    std::set<int> offsets;
    for (unsigned seed = 1; seed <= 40; seed++) {
        srandom(seed);
        randomly_wire_cell(10, L);
        for (int v : row(10))
            offsets.insert(v - 10);
    }
    EXPECT_EQ(offsets, (std::set<int>{-2, -1, 0, 1}));
}

TEST_F(RandomWiring, SuppressedBoundaryKeepsTheRingEdge)
{
    make_ring(20, 5);
    zonesize = 5;
    ib = 1;
    for (unsigned seed = 1; seed <= 30; seed++) {
        srandom(seed);
        randomly_wire_cell(0, L);
        for (int v : row(0))
            EXPECT_LE(v, 2);
    }
}

TEST_F(RandomWiring, CentreSelfWireAndNoSelfWiring)
{
    make_ring(20, 5);
    zonesize = 5;
    fixmidwire = fixmidwire_centre_self;
    for (unsigned seed = 1; seed <= 20; seed++) {
        srandom(seed);
        randomly_wire_cell(7, L);
        EXPECT_EQ(wiring[7][2], 7);
    }
    fixmidwire = fixmidwire_no_self;
    for (unsigned seed = 1; seed <= 20; seed++) {
        srandom(seed);
        randomly_wire_cell(7, L);
        for (int v : row(7))
            EXPECT_NE(v, 7);
    }
}

TEST_F(RandomWiring, DistinctInputsOnRingAndPlane)
{
    make_ring(30, 7);
    zonesize = 9;
    distinct = 1;
    srandom(5);
    wire_all();
    for (int c = 0; c < 30; c++) {
        auto r = row(c);
        EXPECT_EQ(std::set<int>(r.begin(), r.end()).size(), 7u) << c;
    }
    free_network();
    make_2d(10, 10, 9);
    zonesize = 3; // exactly nine cells in the zone: all of them
    distinct = 1;
    srandom(6);
    wire_all();
    for (int c = 0; c < 100; c++) {
        auto r = row(c);
        EXPECT_EQ(std::set<int>(r.begin(), r.end()).size(), 9u) << c;
    }
}

TEST_F(RandomWiring, TemplateFirstDrawWithCaBias)
{
    make_ring(12, 3);
    zonesize = 12;
    ca_bias = 1;
    srandom(3);
    wire_all();
    for (int c = 0; c < 12; c++)
        EXPECT_EQ(row(c), (std::vector<int>{wrapped(c - 1, 12), c, wrapped(c + 1, 12)}));
    free_network();
    make_2d(5, 4, 5);
    zonesize = 4;
    ca_bias = 1;
    wire_all();
    EXPECT_EQ(row(0), (std::vector<int>{15, 4, 0, 1, 5}));
}

TEST_F(RandomWiring, EscapeWiresAtMostTheirCount)
{
    make_ring(40, 3);
    zonesize = 1; // every input not escaping is the cell itself
    escape_wires = 2;
    int most = 0;
    for (unsigned seed = 1; seed <= 200; seed++) {
        srandom(seed);
        randomly_wire_cell(20, L);
        int away = 0;
        for (int v : row(20))
            away += v != 20;
        EXPECT_LE(away, 2);
        most = std::max(most, away);
    }
    EXPECT_EQ(most, 2);
}

TEST_F(RandomWiring, CellWithKZeroAmongMixedKEnds)
{
    make_ring(6, 3);
    nhood_mixed = 1;
    nhoodm[2] = 0;
    escape_wires = 3;
    zonesize = 6;
    srandom(8);
    wire_all();
    EXPECT_EQ(wiring[2][0], Maxu);
}

TEST_F(RandomWiring, SameWiringGivesEveryCellOnePattern)
{
    make_ring(15, 4);
    zonesize = 7;
    same_wiring = 1;
    srandom(11);
    randomly_wire_cell(0, L);
    EXPECT_EQ(same_wiring, 0);
    for (int c = 0; c < 15; c++)
        for (int p = 0; p < 4; p++)
            EXPECT_EQ(wiring[c][p], wrapped(c + wrapped(wiring[0][p], 15), 15)) << c;
    free_network();
    // On a plane the pattern shifts along both axes, escapes included.
    make_2d(7, 6, 3);
    zonesize = 3;
    escape_wires = 1;
    same_wiring = 1;
    srandom(12);
    randomly_wire_cell(0, L);
    for (int c = 0; c < 42; c++)
        for (int p = 0; p < 3; p++) {
            int i0 = wiring[0][p] % 7, j0 = wiring[0][p] / 7;
            int expected = wrapped(c / 7 + j0, 6) * 7 + wrapped(c % 7 + i0, 7);
            EXPECT_EQ(wiring[c][p], expected);
        }
}

TEST_F(RandomWiring, SameSeedSameWiring)
{
    make_3d(5, 5, 5, 7);
    zonesize = 3;
    distinct = 1;
    escape_wires = 1;
    srandom(77);
    wire_all();
    std::vector<std::vector<int>> first;
    for (int c = 0; c < 125; c++)
        first.push_back(row(c));
    srandom(77);
    wire_all();
    for (int c = 0; c < 125; c++)
        EXPECT_EQ(row(c), first[c]);
}

TEST_F(RandomWiring, LayerQuotasTakeTheTopLayersFirst)
{
    make_3d(4, 4, 5, 5);
    zonesize = 3;
    checked_free(force_layer);
    force_layer = static_cast<int16_t *>(checked_calloc(5, sizeof(int16_t), "force_layer"));
    force_layer_entries = 5;
    force_layer[4] = 2;
    force_layer[3] = 1;
    force_layers_set = 1;
    int c = 2 + 4 * 1 + 16 * 2; // (2, 1, 2)
    srandom(4);
    randomly_wire_cell(static_cast<uint16_t>(c), L);
    EXPECT_EQ(wiring[c][4] / 16, 4);
    EXPECT_EQ(wiring[c][3] / 16, 4);
    EXPECT_EQ(wiring[c][2] / 16, 3);
    for (int p = 0; p < 2; p++) {
        int layer = wiring[c][p] / 16;
        EXPECT_TRUE(layer >= 1 && layer <= 3) << layer; // zone 3 around layer 2
    }
}

TEST_F(RandomWiring, SuppressedLayersAndDirectLink)
{
    make_3d(4, 4, 6, 4);
    zonesize = 4;
    sup_3d_layers[0] = 0;
    sup_3d_layers[1] = 2;
    sup_3d_layers[2] = 5;
    sup_3d_layers[3] = 5;
    direct_3d_link_layer = 1;
    srandom(21);
    wire_all();
    for (int c = 0; c < 96; c++) {
        EXPECT_EQ(wiring[c][0], c % 16 + 16) << c;
        for (int p = 1; p < 4; p++) {
            int layer = wiring[c][p] / 16;
            EXPECT_TRUE(layer == 3 || layer == 4) << c << " " << layer;
        }
    }
}

TEST_F(RandomWiring, DefaultZoneBySideOfTheLattice)
{
    make_3d(4, 6, 3, 1);
    EXPECT_EQ(set_max_zonesize(9), 3);
    free_network();
    make_2d(8, 5, 1);
    EXPECT_EQ(set_max_zonesize(9), 5);
    free_network();
    make_ring(12, 1);
    EXPECT_EQ(set_max_zonesize(9), 12);
    oned = 0;
    EXPECT_EQ(set_max_zonesize(9), 9);
}

} // namespace
