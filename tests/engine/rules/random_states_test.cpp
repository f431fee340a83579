// Random and block states: exact densities, the damage form, Hamming
// changes, central blocks and random block places.
#include "engine/forward/forward_test_support.h"

#include "engine/rules/random_states.h"

namespace {

int
nonzero(const std::vector<int> &values)
{
    int count = 0;
    for (int x : values)
        count += x > 0;
    return count;
}

TEST(RandomState, ExactDensity)
{
    srandom(1);
    TestNetwork net(2, 100, 3);
    diff_plot = diff_plot_off;
    for (float bias : {50.0f, 0.0f, 100.0f, 12.5f, 87.0f}) {
        bias_density = bias;
        random_state_at_density();
        EXPECT_EQ(nonzero(state_values(A)), static_cast<int>(bias)) << "bias " << bias;
    }
    bias_density = 50.0f;
}

TEST(RandomState, ExactDensityOfThreeValues)
{
    srandom(2);
    TestNetwork net(3, 30, 3);
    bias_density = 66.667f;
    for (int round = 0; round < 5; round++) {
        random_state_at_density();
        std::vector<int> values = state_values(A);
        EXPECT_EQ(nonzero(values), 20);
        for (int x : values)
            EXPECT_LE(x, 2);
    }
    bias_density = 50.0f;
}

TEST(RandomState, BiasOutsideTheRangeDrawsUnbiased)
{
    srandom(3);
    TestNetwork net(2, 1000, 3);
    for (float bias : {150.0f, -5.0f}) {
        bias_density = bias;
        random_state_at_density();
        int count = nonzero(state_values(A));
        EXPECT_GT(count, 400) << "bias " << bias;
        EXPECT_LT(count, 600) << "bias " << bias;
    }
    bias_density = 50.0f;
}

TEST(RandomState, SameSeedSameState)
{
    TestNetwork net(4, 64, 3);
    bias_density = 40.0f;
    srandom(77);
    random_state_at_density();
    std::vector<int> first = state_values(A);
    srandom(77);
    random_state_at_density();
    EXPECT_EQ(state_values(A), first);
    bias_density = 50.0f;
}

TEST(DamageHalves, OddRingKeepsItsLastCell)
{
    srandom(4);
    TestNetwork net(2, 21, 3);
    set_value(A, 20, 1);
    random_damage_halves();
    std::vector<int> values = state_values(A);
    for (int i = 0; i < 10; i++)
        EXPECT_EQ(values[i], values[i + 10]) << i;
    EXPECT_EQ(values[20], 1);
}

TEST(DamageHalves, TwoDimensionalRows)
{
    srandom(5);
    TestNetwork net(3, 2, 6, 3, 1, 5);
    random_damage_halves();
    std::vector<int> values = state_values(A);
    for (int j = 0; j < 3; j++)
        for (int i = 0; i < 3; i++)
            EXPECT_EQ(values[j * 6 + i], values[j * 6 + 3 + i]);
}

TEST(HammingChange, ExactShareOfCells)
{
    srandom(6);
    TestNetwork net(2, 150, 3);
    set_random_state();
    std::vector<int> before = state_values(A);
    for (int percent : {10, 49, 50, 51, 90}) {
        before = state_values(A);
        hamming_change(percent);
        std::vector<int> after = state_values(A);
        int changed = 0;
        for (uint32_t c = 0; c < lineL; c++)
            changed += after[c] != before[c];
        EXPECT_EQ(changed, 150 * percent / 100) << percent << "%";
    }
    before = state_values(A);
    hamming_change(100);
    std::vector<int> after = state_values(A);
    for (uint32_t c = 0; c < lineL; c++)
        EXPECT_NE(after[c], before[c]);
    // The spare bits past the last cell stay clear.
    EXPECT_EQ(A[bytesL - 1] & 0xC0, 0);
}

TEST(HammingChange, LeavesManyValuedStatesAlone)
{
    srandom(7);
    TestNetwork net(3, 40, 3);
    set_random_state();
    std::vector<int> before = state_values(A);
    hamming_change(30);
    EXPECT_EQ(state_values(A), before);
}

TEST(CentralBlock, OneDimensionalSegment)
{
    srandom(8);
    TestNetwork net(2, 20, 3);
    bias_density = 50.0f;
    for (int size : {5, 4}) {
        memset(A, 0xFF, bytesL);
        uint16_t count = set_central_block(0, A, size);
        std::vector<int> values = state_values(A);
        int last = size == 5 ? 12 : 11;
        for (int c = 0; c < 20; c++) {
            if (c < 8 || c > last) {
                EXPECT_EQ(values[c], 0) << "size " << size << " cell " << c;
            }
        }
        EXPECT_EQ(count, nonzero(values));
    }
    // keep 1 leaves the cells outside the block as they were.
    memset(A, 0xFF, bytesL);
    set_central_block(1, A, 4);
    std::vector<int> values = state_values(A);
    EXPECT_EQ(values[0], 1);
    EXPECT_EQ(values[19], 1);
    EXPECT_EQ(values[7], 1);
    EXPECT_EQ(values[12], 1);
}

TEST(CentralBlock, BlocksStayInsideTheLattice)
{
    srandom(9);
    TestNetwork net(2, 2, 4, 4, 1, 5);
    bias_density = 50.0f;
    // A block wider than the lattice fills only lattice cells.
    uint16_t count = set_central_block(0, A, 9);
    EXPECT_EQ(count, nonzero(state_values(A)));
}

TEST(CentralBlock, SegmentWiderThanTheRing)
{
    srandom(12);
    TestNetwork net(2, 6, 3);
    bias_density = 50.0f;
    uint16_t count = set_central_block(0, A, 15);
    EXPECT_EQ(count, nonzero(state_values(A)));
    EXPECT_EQ(A[bytesL - 1] & 0xC0, 0);
}

TEST(CentralBlock, ThreeDimensionalCube)
{
    srandom(10);
    TestNetwork net(2, 3, 6, 6, 6, 7);
    set_central_block(0, A, 2);
    std::vector<int> values = state_values(A);
    for (int h = 0; h < 6; h++)
        for (int j = 0; j < 6; j++)
            for (int i = 0; i < 6; i++) {
                bool inside = i >= 2 && i <= 3 && j >= 2 && j <= 3 && h >= 2 && h <= 3;
                if (!inside) {
                    EXPECT_EQ(values[i + 6 * j + 36 * h], 0);
                }
            }
}

TEST(RandomBlockPlace, NoRangeGivesTheCentreLessHalf)
{
    {
        TestNetwork net(2, 20, 3);
        EXPECT_EQ(randpos_block(3, -1), 7);
        EXPECT_EQ(randpos_block(3, 0), 7);
        srandom(11);
        for (int round = 0; round < 50; round++) {
            uint16_t place = randpos_block(3, 4);
            EXPECT_GE(place, 7);
            EXPECT_LE(place, 10);
        }
    }
    {
        TestNetwork net(2, 2, 10, 8, 1, 5);
        EXPECT_EQ(randpos_block(2, -1), (4 - 2) * 10 + (5 - 2));
    }
    {
        TestNetwork net(2, 3, 6, 4, 8, 7);
        EXPECT_EQ(randpos_block(1, -1), (4 - 1) * 24 + (2 - 1) * 6 + (3 - 1));
    }
}

} // namespace
