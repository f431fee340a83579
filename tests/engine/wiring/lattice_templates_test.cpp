// Lattice templates: the worked cells of each family, the order and centre
// of every template, the hexagonal parity lists describing one shape, the
// wrap of short sides and the one-cell wirers of forward-only lattices.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "engine/wiring/lattice_templates.h"
#include "wiring_test_support.h"

namespace {

class LatticeTemplates : public ::testing::Test {
protected:
    void TearDown() override
    {
        checked_free(nhoodm);
        nhoodm = nullptr;
        hex2d = 0;
    }
    // A w x h 2d lattice (no wiring table), every cell k.
    void lattice_2d(int w, int h, int k, int hex)
    {
        i2d = static_cast<int16_t>(w);
        j2d = static_cast<int16_t>(h);
        hex2d = static_cast<uint8_t>(hex);
        checked_free(nhoodm);
        make_kmix(w * h, k);
    }
    void lattice_3d(int w, int d, int h, int k)
    {
        i3d = static_cast<int16_t>(w);
        j3d = static_cast<int16_t>(d);
        h3d = static_cast<int16_t>(h);
        checked_free(nhoodm);
        make_kmix(w * d * h, k);
    }
    static std::vector<int> inputs(int dim, int cell)
    {
        std::vector<int> r;
        for (int p = 0; p < nhoodm[cell]; p++) {
            pndood_2or3(dim, static_cast<uint16_t>(cell), p);
            r.push_back(poss_n);
        }
        return r;
    }
};

int
cell2d(int i, int j)
{
    return i + j * i2d;
}

TEST_F(LatticeTemplates, NineCellBlockOfA40By40Square)
{
    lattice_2d(40, 40, 9, 0);
    EXPECT_EQ(inputs(2, 820),
              (std::vector<int>{779, 780, 781, 819, 820, 821, 859, 860, 861}));
    for (int p = 0; p < 9; p++)
        EXPECT_EQ(pndood_2or3(2, 820, p), p == 4 ? 1 : 0) << p;
}

TEST_F(LatticeTemplates, SixHexagonalNeighboursByRowParityInBothFamilies)
{
    for (int hex = 0; hex < 2; hex++) {
        lattice_2d(40, 40, 6, hex);
        EXPECT_EQ(inputs(2, cell2d(20, 20)),
                  (std::vector<int>{cell2d(19, 19), cell2d(20, 19), cell2d(19, 20),
                                    cell2d(21, 20), cell2d(19, 21), cell2d(20, 21)}));
        EXPECT_EQ(inputs(2, cell2d(20, 21)),
                  (std::vector<int>{cell2d(20, 20), cell2d(21, 20), cell2d(19, 21),
                                    cell2d(21, 21), cell2d(20, 22), cell2d(21, 22)}));
    }
}

TEST_F(LatticeTemplates, CornerCellWrapsOnBothAxes)
{
    lattice_2d(40, 40, 4, 0);
    EXPECT_EQ(inputs(2, 0), (std::vector<int>{1560, 39, 1, 40}));
    pndood_2or3(2, 0, 0);
    EXPECT_EQ(i_n, 0);
    EXPECT_EQ(j_n, 39);
    EXPECT_EQ(h_n, 0);
}

TEST_F(LatticeTemplates, LastRowOfAnOddHeightHexLatticeUsesTheEvenList)
{
    lattice_2d(40, 5, 6, 1);
    // Row 4 is even: its lower neighbours wrap to row 0 at columns 9 and 10.
    EXPECT_EQ(inputs(2, cell2d(10, 4)),
              (std::vector<int>{cell2d(9, 3), cell2d(10, 3), cell2d(9, 4), cell2d(11, 4),
                                cell2d(9, 0), cell2d(10, 0)}));
}

TEST_F(LatticeTemplates, SixFaceNeighboursOf3dCornerAndJ2dUntouched)
{
    i2d = 10;
    j2d = 77;
    lattice_3d(10, 12, 14, 6);
    auto c3 = [](int i, int j, int h) { return i + j * 10 + h * 120; };
    EXPECT_EQ(inputs(3, 0), (std::vector<int>{c3(0, 0, 13), c3(0, 11, 0), c3(9, 0, 0),
                                              c3(1, 0, 0), c3(0, 1, 0), c3(0, 0, 1)}));
    pndood_2or3(3, 0, 0);
    EXPECT_EQ(h_n, 13);
    EXPECT_EQ(j2d, 77);
}

TEST_F(LatticeTemplates, ThreeDColumnsWrapAtTheirOwnWidth)
{
    // i2d deliberately differs from i3d: the columns still wrap at i3d.
    i2d = 3;
    lattice_3d(5, 4, 4, 2);
    EXPECT_EQ(inputs(3, 0), (std::vector<int>{4, 1}));
}

TEST_F(LatticeTemplates, CentresOffTheMiddle)
{
    struct Case {
        int hex, k, centre;
    } cases[] = {{0, 22, 10}, {1, 16, 7}, {1, 25, 13}, {0, 21, 10}, {1, 10, 5}};
    for (const Case &c : cases) {
        lattice_2d(40, 40, c.k, c.hex);
        for (int p = 0; p < c.k; p++)
            EXPECT_EQ(pndood_2or3(2, static_cast<uint16_t>(cell2d(20, 20)), p), p == c.centre)
                << "hex " << c.hex << " k " << c.k << " p " << p;
    }
}

// Offset of the input at position p from cell (20, j0) of a 40 x 40 lattice.
std::pair<int, int>
offset_2d(int j0, int p)
{
    pndood_2or3(2, static_cast<uint16_t>(cell2d(20, j0)), p);
    return {i_n - 20, j_n - j0};
}

TEST_F(LatticeTemplates, EveryPlanarTemplateIsOrderedWithItsCentreWhereItBelongs)
{
    const std::set<int> square_with_cell = {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 22, 23, 25};
    const std::set<int> hex_with_cell = {1, 3, 5, 7, 10, 11, 13, 16, 17, 19, 22, 23, 25};
    for (int hex = 0; hex < 2; hex++)
        for (int k = 1; k <= 25; k++)
            for (int j0 = 20; j0 <= 21; j0++) {
                lattice_2d(40, 40, k, hex);
                std::set<std::pair<int, int>> seen;
                int self = 0;
                std::pair<int, int> before{-99, -99};
                for (int p = 0; p < k; p++) {
                    self += pndood_2or3(2, static_cast<uint16_t>(cell2d(20, j0)), p);
                    auto d = offset_2d(j0, p);
                    EXPECT_LE(std::abs(d.first), 3);
                    EXPECT_LE(std::abs(d.second), 3);
                    // Ascending by row, then column.
                    EXPECT_TRUE(std::make_pair(d.second, d.first) >
                                std::make_pair(before.second, before.first))
                        << "hex " << hex << " k " << k << " p " << p;
                    before = d;
                    seen.insert(d);
                }
                EXPECT_EQ(static_cast<int>(seen.size()), k);
                const auto &with = hex ? hex_with_cell : square_with_cell;
                EXPECT_EQ(self, with.count(k) ? 1 : 0) << "hex " << hex << " k " << k;
            }
}

// Axial coordinates of a cell in the hexagonal geometry where odd rows stand
// half a cell to the right: q = i - (j - (j & 1)) / 2, r = j.
std::pair<int, int>
axial(int i, int j)
{
    return {i - (j - (j & 1)) / 2, j};
}

TEST_F(LatticeTemplates, ParityListsDescribeOneHexagonalShape)
{
    const std::set<int> square_parity = {6, 7, 18, 19, 22};
    const std::set<int> hex_parity = {6, 7, 9, 10, 12, 13, 15, 16, 18, 19, 21, 22, 24, 25};
    for (int hex = 0; hex < 2; hex++)
        for (int k = 1; k <= 25; k++) {
            lattice_2d(40, 40, k, hex);
            std::set<std::pair<int, int>> shape[2], plain[2];
            for (int parity = 0; parity < 2; parity++) {
                int j0 = 20 + parity;
                auto a0 = axial(20, j0);
                for (int p = 0; p < k; p++) {
                    auto d = offset_2d(j0, p);
                    auto a = axial(20 + d.first, j0 + d.second);
                    shape[parity].insert({a.first - a0.first, a.second - a0.second});
                    plain[parity].insert(d);
                }
            }
            bool depends = hex ? hex_parity.count(k) > 0 : square_parity.count(k) > 0;
            if (depends)
                EXPECT_EQ(shape[0], shape[1]) << "hex " << hex << " k " << k;
            else
                EXPECT_EQ(plain[0], plain[1]) << "hex " << hex << " k " << k;
        }
}

TEST_F(LatticeTemplates, EveryCubicTemplateIsOrderedAndCentred)
{
    for (int k = 1; k <= 13; k++) {
        lattice_3d(9, 9, 9, k);
        int centre = 4 + 4 * 9 + 4 * 81;
        std::vector<int> d_before = {-99, -99, -99};
        int self_at = -1;
        for (int p = 0; p < k; p++) {
            if (pndood_2or3(3, static_cast<uint16_t>(centre), p))
                self_at = p;
            std::vector<int> d = {h_n - 4, j_n - 4, i_n - 4};
            EXPECT_GT(d, d_before) << "k " << k << " p " << p;
            for (int x : d)
                EXPECT_LE(std::abs(x), 2);
            d_before = d;
        }
        EXPECT_EQ(self_at, k % 2 == 1 ? k / 2 : -1) << "k " << k;
    }
}

TEST_F(LatticeTemplates, ShortSidesWrapByTrueModulus)
{
    lattice_2d(2, 2, 25, 0);
    for (int c = 0; c < 4; c++)
        for (int v : inputs(2, c))
            EXPECT_LT(v, 4);
    // One column only: every input lies in the column.
    lattice_2d(1, 7, 17, 1);
    for (int v : inputs(2, 3))
        EXPECT_LT(v, 7);
    lattice_3d(1, 1, 1, 13);
    for (int v : inputs(3, 0))
        EXPECT_EQ(v, 0);
}

TEST_F(LatticeTemplates, OutOfRangePositionKeepsCoordinates)
{
    lattice_2d(40, 40, 4, 0);
    pndood_2or3(2, 0, 3); // (0, 1) -> cell 40
    int16_t i = i_n, j = j_n;
    EXPECT_EQ(pndood_2or3(2, 0, 4), 0);
    EXPECT_EQ(i_n, i);
    EXPECT_EQ(j_n, j);
    EXPECT_EQ(poss_n, 40);
    // k above the templates: no template, no change.
    nhoodm[5] = 26;
    EXPECT_EQ(pndood_2or3(2, 5, 0), 0);
    EXPECT_EQ(i_n, i);
    EXPECT_EQ(poss_n, 40);
}

TEST_F(LatticeTemplates, LocalWirersMatchTheLookupAndSkipKZero)
{
    lattice_2d(30, 20, 7, 1);
    std::vector<uint16_t> out(8, 999);
    for (int c : {0, 31, 599}) {
        wire_2d_local(static_cast<uint16_t>(c), out.data());
        std::vector<int> got(out.begin(), out.begin() + 7);
        EXPECT_EQ(got, inputs(2, c));
    }
    nhoodm[3] = 0;
    std::fill(out.begin(), out.end(), 999);
    wire_2d_local(3, out.data());
    EXPECT_EQ(out[0], 999);

    lattice_3d(4, 5, 6, 13);
    std::vector<uint16_t> out3(13);
    wire_3d_local(77, out3.data());
    EXPECT_EQ(std::vector<int>(out3.begin(), out3.end()), inputs(3, 77));
}

} // namespace
