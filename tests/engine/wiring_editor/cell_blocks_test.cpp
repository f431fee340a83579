// Blocks of cells: membership against coordinates counted cell by cell in
// the test, and the copy of a rule over a block.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/wiring_editor/cell_blocks.h"
#include "engine/wiring_editor/editor_network_support.h"

namespace {

// Every box of a 5 x 4 lattice whose corners lie on the lattice (corners
// included): the cells are visited row by row, counting i and j.
TEST(Block, TwoDimensionalBoxesAgainstCountedCoordinates)
{
    lattice_guard guard;
    give_2d(5, 4);
    for (int il = 0; il < 5; il++)
        for (int ih = il; ih < 5; ih++)
            for (int jl = 0; jl < 4; jl++)
                for (int jh = jl; jh < 4; jh++) {
                    int cell = 0;
                    for (int j = 0; j < 4; j++)
                        for (int i = 0; i < 5; i++, cell++) {
                            int inside = i >= il && i <= ih && j >= jl && j <= jh;
                            ASSERT_EQ(outside_2d_3d_block(static_cast<uint16_t>(cell),
                                                          static_cast<int16_t>(il),
                                                          static_cast<int16_t>(jl), 0,
                                                          static_cast<int16_t>(ih),
                                                          static_cast<int16_t>(jh), 0),
                                      inside ? 0 : 1)
                                << "cell " << cell << " box " << il << "," << jl << "-" << ih
                                << "," << jh;
                        }
                }
}

TEST(Block, ThreeDimensionalBoxesAgainstCountedCoordinates)
{
    lattice_guard guard;
    give_3d(3, 4, 2);
    const int boxes[][6] = {{0, 0, 0, 2, 3, 1}, {1, 1, 0, 1, 2, 0}, {0, 3, 1, 2, 3, 1},
                            {2, 0, 1, 2, 0, 1}, {0, 0, 0, 0, 0, 0}, {1, 2, 0, 2, 3, 1}};
    for (const auto &b : boxes) {
        int cell = 0;
        for (int h = 0; h < 2; h++)
            for (int j = 0; j < 4; j++)
                for (int i = 0; i < 3; i++, cell++) {
                    int inside = i >= b[0] && i <= b[3] && j >= b[1] && j <= b[4] && h >= b[2] &&
                                 h <= b[5];
                    ASSERT_EQ(outside_2d_3d_block(static_cast<uint16_t>(cell),
                                                  static_cast<int16_t>(b[0]),
                                                  static_cast<int16_t>(b[1]),
                                                  static_cast<int16_t>(b[2]),
                                                  static_cast<int16_t>(b[3]),
                                                  static_cast<int16_t>(b[4]),
                                                  static_cast<int16_t>(b[5])),
                              inside ? 0 : 1)
                        << "cell " << cell;
                }
    }
}

TEST(Block, EveryCellOfA1dNetworkIsInside)
{
    lattice_guard guard;
    oned = 1;
    twod = threed = 0;
    i2d = 3;
    for (uint16_t c = 0; c < 20; c++)
        EXPECT_EQ(outside_2d_3d_block(c, 0, 0, 0, 0, 0, 0), 0);
}

std::vector<uint8_t>
rule_bytes_of(int c)
{
    return std::vector<uint8_t>(carule[c], carule[c] + rule_bytes(nhoodm[c]));
}

TEST(BlockCopy, CellsOfAnotherKAreSkipped)
{
    srandom(1);
    MixNetwork net(2, 10, {3, 3, 2});
    network_copy before = copy_network();
    int written = copy_rule_to_block(editor_1d, 4, 2, 8, block_corners());
    int expected = 0;
    for (int c = 0; c < 10; c++) {
        bool target = c >= 2 && c <= 8 && c != 4 && nhoodm[c] == 3;
        expected += target;
        EXPECT_EQ(copy_network().table[static_cast<size_t>(c)],
                  target ? before.table[4] : before.table[static_cast<size_t>(c)])
            << c;
    }
    EXPECT_EQ(written, expected);
}

TEST(BlockCopy, The2dEditorSkipsCellsOutsideTheCorners)
{
    lattice_guard guard;
    srandom(2);
    MixNetwork net(2, 12, {2});
    give_2d(4, 3);
    block_corners box = box_of(1, 0, 0, 2, 1, 0);
    std::vector<uint8_t> source = rule_bytes_of(0);
    network_copy before = copy_network();
    copy_rule_to_block(editor_2d_3d, 0, 0, 11, box);
    for (int c = 1; c < 12; c++) {
        bool inside = c % 4 >= 1 && c % 4 <= 2 && c / 4 <= 1;
        EXPECT_EQ(copy_network().table[static_cast<size_t>(c)],
                  inside ? before.table[0] : before.table[static_cast<size_t>(c)])
            << c;
    }
}

TEST(BlockCopy, TheForwardOnlyModeCopiesTheCode)
{
    srandom(3);
    MixNetwork net(2, 6, {3});
    for (int c = 0; c < 6; c++)
        cacode[c][0] = static_cast<uint8_t>(c);
    totalistic = rule_kind_tcodes;
    tot_only = 1;
    copy_rule_to_block(editor_1d, 5, 0, 5, block_corners());
    tot_only = 0;
    totalistic = rule_kind_tables;
    for (int c = 0; c < 6; c++)
        EXPECT_EQ(cacode[c][0], 5) << c;
}

} // namespace
