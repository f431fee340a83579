// The 2d and 3d editor's numbers: block corners to cells and back against
// a scan of every cell, placed loads as blocks, the cursor's wraps, the
// picture's base line, the jump's conversion, and the re-wire of the
// whole lattice by its template in either layout.
#include <gtest/gtest.h>

#include <vector>

#include "engine/wiring/globals.h"
#include "engine/wiring/lattice_templates.h"
#include "engine/wiring_editor/cell_blocks.h"
#include "engine/wiring_editor/editor_network_support.h"
#include "engine/wiring_editor/lattice_editor.h"

namespace {

// The cells inside the corners, found by the block test of each cell.
std::vector<int>
scan(const block_corners &b, int n)
{
    std::vector<int> inside;
    for (int c = 0; c < n; c++)
        if (!outside_2d_3d_block(static_cast<uint16_t>(c), b.i_low, b.j_low, b.h_low, b.i_high,
                                 b.j_high, b.h_high))
            inside.push_back(c);
    return inside;
}

// Random boxes: the low and high cells are the first and last cell the
// scan finds inside, and those cells' places are the corners again.
TEST(LatticeBlock, CornersGiveTheFirstAndLastCellsInsideAndBack)
{
    lattice_guard guard;
    srandom(1);
    for (int dim : {2, 3}) {
        if (dim == 2)
            give_2d(7, 5);
        else
            give_3d(4, 3, 5);
        lattice_shape shape = lattice_shape_now();
        int n = dim == 2 ? 35 : 60;
        int sides[3] = {dim == 2 ? 7 : 4, dim == 2 ? 5 : 3, dim == 2 ? 1 : 5};
        for (int round = 0; round < 200; round++) {
            int lo[3], hi[3];
            for (int a = 0; a < 3; a++) {
                int x = static_cast<int>(random() % sides[a]), y = static_cast<int>(random() % sides[a]);
                lo[a] = std::min(x, y);
                hi[a] = std::max(x, y);
            }
            block_corners b = box_of(lo[0], lo[1], lo[2], hi[0], hi[1], hi[2]);
            int low = -1, high = -1;
            cells_of_corners(b, shape, &low, &high);
            std::vector<int> inside = scan(b, n);
            ASSERT_FALSE(inside.empty());
            EXPECT_EQ(low, inside.front());
            EXPECT_EQ(high, inside.back());
            lattice_place pl, ph;
            ASSERT_TRUE(cell_lattice_place(static_cast<uint32_t>(low), pl));
            ASSERT_TRUE(cell_lattice_place(static_cast<uint32_t>(high), ph));
            EXPECT_EQ((std::vector<int>{pl.i, pl.j, pl.h}), (std::vector<int>{lo[0], lo[1], lo[2]}));
            EXPECT_EQ((std::vector<int>{ph.i, ph.j, ph.h}), (std::vector<int>{hi[0], hi[1], hi[2]}));
        }
    }
}

// The whole-network block holds every cell; a 1d block's corners are its
// cells' places on the displayed rectangle.
TEST(LatticeBlock, WholeNetworkAndOneDimensionalCorners)
{
    lattice_guard guard;
    give_3d(3, 4, 2);
    lattice_shape cube = lattice_shape_now();
    block_corners all = whole_lattice_corners(24, cube);
    EXPECT_EQ(scan(all, 24).size(), 24u);
    int low = -1, high = -1;
    cells_of_corners(all, cube, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 23);

    lattice_shape line;
    line.dim = 1;
    line.width = 6;
    line.height = 4;
    block_corners b = corners_of_cells(7, 20, line);
    EXPECT_EQ((std::vector<int>{b.i_low, b.j_low, b.i_high, b.j_high}), (std::vector<int>{1, 1, 2, 3}));
    cells_of_corners(b, line, &low, &high);
    EXPECT_EQ(low, 7);
    EXPECT_EQ(high, 20);
}

// A placed 2d part (3 x 2 from (4, 1)) and 3d part (2 x 2 x 2 from
// (1, 0, 1)) as blocks: the cells inside are exactly the placed cells.
TEST(LatticeBlock, APlacedPartBecomesTheBlock)
{
    lattice_guard guard;
    give_2d(8, 6);
    placed_part flat;
    flat.dim = 2;
    flat.i = 3;
    flat.j = 2;
    flat.start_i = 4;
    flat.start_j = 1;
    block_corners b;
    int low = -1, high = -1;
    ASSERT_TRUE(placed_block(flat, lattice_shape_now(), &b, &low, &high));
    std::vector<int> expected;
    for (int j = 1; j <= 2; j++)
        for (int i = 4; i <= 6; i++)
            expected.push_back(i + j * 8);
    EXPECT_EQ(scan(b, 48), expected);
    EXPECT_EQ(low, expected.front());
    EXPECT_EQ(high, expected.back());

    give_3d(4, 3, 3);
    placed_part solid;
    solid.dim = 3;
    solid.i = solid.j = solid.h = 2;
    solid.start_i = 1;
    solid.start_h = 1;
    ASSERT_TRUE(placed_block(solid, lattice_shape_now(), &b, &low, &high));
    expected.clear();
    for (int h = 1; h <= 2; h++)
        for (int j = 0; j <= 1; j++)
            for (int i = 1; i <= 2; i++)
                expected.push_back(i + j * 4 + h * 12);
    EXPECT_EQ(scan(b, 36), expected);

    placed_part none;
    EXPECT_FALSE(placed_block(none, lattice_shape_now(), &b, &low, &high));
}

TEST(LatticeCursor, MovesWrapAtEveryEdge)
{
    lattice_guard guard;
    give_3d(4, 3, 5);
    lattice_shape s = lattice_shape_now();
    ASSERT_EQ(s.width, 4);
    ASSERT_EQ(s.height, 15);
    lattice_cursor c;
    c.i = 3;
    c.j = 2; // top row of layer 0
    lattice_cursor left = move_lattice_cursor(c, lattice_move::left, s);
    EXPECT_EQ(left.i, 0);
    EXPECT_EQ(move_lattice_cursor(left, lattice_move::right, s).i, 3);
    // Up from a layer's top row: the bottom row of the layer above, the
    // same cell index as j3 = 0, h = 1.
    lattice_cursor up = move_lattice_cursor(c, lattice_move::up, s);
    EXPECT_EQ(cell_of_cursor(up, s), 3 + 0 * 4 + 1 * 12);
    // '[' keeps i and j3; from the top layer it wraps to layer 0.
    c.j = 1 + 4 * 3;
    lattice_cursor layer = move_lattice_cursor(c, lattice_move::layer_up, s);
    EXPECT_EQ(layer.j, 1);
    EXPECT_EQ(layer.i, 3);
    EXPECT_EQ(move_lattice_cursor(layer, lattice_move::layer_down, s).j, 13);
    // Down from row 0 to the top row.
    c.j = 0;
    EXPECT_EQ(move_lattice_cursor(c, lattice_move::down, s).j, 14);
}

TEST(LatticeCursor, JumpsTakeThe3dCellsPlace)
{
    lattice_guard guard;
    give_3d(4, 3, 5);
    lattice_cursor c = jump_target(2, 1, 3, lattice_shape_now());
    EXPECT_EQ(c.i, 2);
    EXPECT_EQ(c.j, 1 + 3 * 3);
}

// 'u' climbs by a fifth of the height but never above the start; 'd' is
// offered only while the picture's top lies above the limit.
TEST(LatticePicture, TheBaseLineNeverPassesTheStart)
{
    EXPECT_EQ(base_after_up(500, 400, 500), 400);
    EXPECT_EQ(base_after_up(700, 400, 500), 600);
    lattice_picture p;
    p.shape.width = p.shape.height = 10;
    p.pitch = 7;
    p.base = 400;
    EXPECT_TRUE(picture_can_go_down(p, 400 - 76));
    EXPECT_FALSE(picture_can_go_down(p, 400 - 77));
}

TEST(LatticePicture, CellSizeShrinksBeyondThirtyCells)
{
    lattice_shape s;
    s.width = s.height = 30;
    EXPECT_EQ(lattice_cell_size(s, 768, 11), 11);
    s.width = 100;
    EXPECT_EQ(lattice_cell_size(s, 768, 11), 3);
    s.dim = 3;
    EXPECT_EQ(lattice_cell_size(s, 768, 11), 6);
    s.width = 2000;
    EXPECT_EQ(lattice_cell_size(s, 768, 11), 1);
}

// 'x': every cell holds its template inputs in the new layout, and twice
// gives the square lattice's wiring back.
TEST(LatticeRewire, TheTemplateInEitherLayout)
{
    lattice_guard guard;
    srandom(4);
    // k = 10, whose hexagonal template differs from the square one.
    MixNetwork net(2, 48, {10});
    give_2d(8, 6);
    hex2d = 0;
    wire_lattice_by_template();
    network_copy square = copy_network();
    for (int c = 0; c < 48; c++)
        for (int p = 0; p < 10; p++)
            wiring[c][p] = static_cast<uint16_t>(random() % 48);
    hex2d = 1;
    wire_lattice_by_template();
    for (int c = 0; c < 48; c++)
        for (int p = 0; p < 10; p++) {
            pndood_2or3(2, static_cast<uint16_t>(c), p);
            EXPECT_EQ(wiring[c][p], poss_n) << c << " " << p;
        }
    EXPECT_NE(copy_network().inputs, square.inputs);
    hex2d = 0;
    wire_lattice_by_template();
    EXPECT_EQ(copy_network().inputs, square.inputs);
}

} // namespace
