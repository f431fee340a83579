// Rotation of ring state numbers against the rotation of the states
// themselves: for every state of small rings and random states of larger
// ones, each turn gives the number of the state rotate_array turns.
#include "backward_test_support.h"

#include <cstdlib>

#include "engine/backward/number_rotation.h"

namespace {

// rotated_number against rotate_array and dec_equiv for the state of
// number x and every turn k.
void
expect_turns_agree(const number_rotation &r, uint32_t x)
{
    std::vector<uint8_t> state(bytesL, 0);
    dec_to_value_line(state.data(), x, lineL);
    ASSERT_EQ(dec_equiv(state.data(), L), x);
    for (uint32_t k = 0; k < lineL; k++) {
        std::vector<uint8_t> turned = state;
        rotate_array(0, turned.data(), 'l', 0, static_cast<int>(k), 0, 0);
        EXPECT_EQ(rotated_number(r, x, k), dec_equiv(turned.data(), L))
            << "v=" << int(value_range) << " n=" << lineL << " x=" << x << " k=" << k;
    }
}

TEST(NumberRotation, EveryStateOfSmallRingsTurnsAsItsCells)
{
    const int sizes[][2] = {{2, 1}, {2, 5}, {2, 9}, {3, 4}, {3, 6}, {5, 4}, {8, 3}};
    for (const auto &size : sizes) {
        TestNetwork net(size[0], size[1], 3);
        number_rotation r;
        ASSERT_TRUE(start_number_rotation(r));
        uint32_t states = static_cast<uint32_t>(r.powers[lineL]);
        for (uint32_t x = 0; x < states; x++)
            expect_turns_agree(r, x);
    }
}

TEST(NumberRotation, RandomStatesOfLargeRingsTurnAsTheirCells)
{
    const int sizes[][2] = {{2, 26}, {2, 31}, {2, 32}, {3, 20}, {4, 16}, {7, 11}};
    srandom(11);
    for (const auto &size : sizes) {
        TestNetwork net(size[0], size[1], 3);
        number_rotation r;
        ASSERT_TRUE(start_number_rotation(r));
        uint64_t states = r.powers[lineL];
        for (int i = 0; i < 200; i++) {
            uint64_t x = (uint64_t(random()) << 31 | uint64_t(random())) % states;
            expect_turns_agree(r, static_cast<uint32_t>(x));
        }
        expect_turns_agree(r, static_cast<uint32_t>(states - 1));
    }
}

TEST(NumberRotation, RefusedWhereStateNumbersPass32Bits)
{
    number_rotation r;
    {
        TestNetwork big(2, 33, 3);
        EXPECT_FALSE(start_number_rotation(r));
    }
    {
        TestNetwork wide(3, 21, 3); // 3^21 > 2^32
        EXPECT_FALSE(start_number_rotation(r));
    }
    EXPECT_EQ(r.cells, 0u);
}

} // namespace
