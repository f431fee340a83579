// The cells an editor's operation reaches, against coordinates counted
// cell by cell in the test, and the rewires over them: only the cells
// reached change, a change of k on a box leaves the cells between its rows
// alone, "same wiring everywhere" survives a block rewire, and both
// editors reach the same cells of a 1d network and rewire them alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/wiring/globals.h"
#include "engine/wiring/lattice_templates.h"
#include "engine/wiring_editor/cells_in_reach.h"
#include "engine/wiring_editor/editor_network_support.h"

namespace {

// The cells of 0..n-1 inside box, their places counted row by row (and
// layer by layer on a 3d lattice of w x d).
std::vector<uint16_t>
counted_inside(const block_corners &b, int n, int w, int d)
{
    std::vector<uint16_t> inside;
    for (int c = 0; c < n; c++) {
        int i = c % w, j = c / w % d, h = c / (w * d);
        if (i >= b.i_low && i <= b.i_high && j >= b.j_low && j <= b.j_high && h >= b.h_low &&
            h <= b.h_high)
            inside.push_back(static_cast<uint16_t>(c));
    }
    return inside;
}

block_corners
random_box(int w, int d, int layers)
{
    auto ends = [](int size, int16_t &low, int16_t &high) {
        int a = static_cast<int>(random() % size), b = static_cast<int>(random() % size);
        low = static_cast<int16_t>(std::min(a, b));
        high = static_cast<int16_t>(std::max(a, b));
    };
    block_corners b;
    ends(w, b.i_low, b.i_high);
    ends(d, b.j_low, b.j_high);
    ends(layers, b.h_low, b.h_high);
    return b;
}

// The 1d editor's reach in block mode: cells low..high.
cells_in_reach
line_block(int low, int high)
{
    cells_in_reach reach;
    reach.block = reach.all_links = 1;
    reach.low = low;
    reach.high = high;
    return reach;
}

// The 2d/3d editor's reach in block mode for box: its corners' cells as
// the block dialog gives them.
cells_in_reach
lattice_block(const block_corners &box)
{
    cells_in_reach reach;
    reach.editor = editor_2d_3d;
    reach.block = reach.all_links = 1;
    reach.box = box;
    cells_of_corners(box, lattice_shape_now(), &reach.low, &reach.high);
    return reach;
}

TEST(CellsInReach, BoxesOfLatticesAgainstCountedPlaces)
{
    lattice_guard guard;
    srandom(1);
    MixNetwork net(2, 60, {3});
    for (int dim : {2, 3}) {
        int w = dim == 2 ? 10 : 5, d = dim == 2 ? 6 : 4, layers = dim == 2 ? 1 : 3;
        if (dim == 2)
            give_2d(w, d);
        else
            give_3d(w, d, layers);
        for (int trial = 0; trial < 200; trial++) {
            block_corners box = random_box(w, d, layers);
            std::vector<uint16_t> inside = counted_inside(box, 60, w, d);
            EXPECT_EQ(cells_reached(lattice_block(box)), inside) << dim << " " << trial;
            EXPECT_EQ(block_cells_inside(lattice_block(box)), inside);
        }
    }
}

// Without both block flags the cursor cell alone is reached; the 1d
// editor's block is its whole index range, cut at the network's end.
TEST(CellsInReach, TheCursorAloneOrTheWholeRange)
{
    lattice_guard guard;
    srandom(2);
    MixNetwork net(2, 30, {3});
    give_2d(6, 5);
    cells_in_reach reach = lattice_block(random_box(6, 5, 1));
    reach.cursor = 17;
    for (int flags = 0; flags < 3; flags++) {
        reach.block = flags & 1;
        reach.all_links = flags >> 1;
        EXPECT_EQ(cells_reached(reach), std::vector<uint16_t>{17}) << flags;
        EXPECT_TRUE(block_cells_inside(reach).empty());
    }
    reach.block = reach.all_links = 1;
    reach.editor = editor_1d;
    reach.low = 25;
    reach.high = 40;
    EXPECT_EQ(cells_reached(reach), (std::vector<uint16_t>{25, 26, 27, 28, 29}));
    reach.block = 0;
    reach.cursor = 30;
    EXPECT_TRUE(cells_reached(reach).empty());
}

// Each rewire changes the cells inside the box and no other; run again
// from the same seed it gives the same wiring.
TEST(CellsInReach, RewiresChangeOnlyTheCellsReached)
{
    lattice_guard guard;
    srandom(3);
    MixNetwork net(2, 60, {5});
    give_3d(5, 4, 3);
    zonesize = 3;
    block_corners box = box_of(1, 0, 1, 3, 2, 1);
    std::vector<uint16_t> inside = counted_inside(box, 60, 5, 4);
    cells_in_reach reach = lattice_block(box);
    using rewire = void (*)(const cells_in_reach &);
    const rewire rewires[] = {random_rewire_cells, k_weighted_rewire_cells, local_1d_rewire_cells,
                              [](const cells_in_reach &r) { local_lattice_rewire_cells(r, 3); }};
    for (rewire run : rewires) {
        // None of the rewires keeps all five inputs of a cell on itself.
        wire_each_cell_to_itself();
        network_copy before = copy_network();
        srandom(7);
        run(reach);
        network_copy once = copy_network();
        std::vector<int> changed = changed_cells(before, once);
        EXPECT_EQ(changed, std::vector<int>(inside.begin(), inside.end()));
        srandom(7);
        run(reach);
        EXPECT_EQ(copy_network().inputs, once.inputs);
    }
    // The template rewire gives each cell its 3d template inputs.
    for (uint16_t c : inside) {
        uint16_t expected[5];
        wire_3d_local(c, expected);
        for (int p = 0; p < 5; p++)
            EXPECT_EQ(wiring[c][p], expected[p]) << c << " " << p;
    }
}

// A box of rows 1..3, columns 1..2 of a 6 x 5 lattice spans cells 7..20;
// the cells between its rows (9..12, 15..18) keep their k.
TEST(CellsInReach, AChangeOfKOnABoxLeavesTheCellsBetweenItsRows)
{
    lattice_guard guard;
    srandom(4);
    MixNetwork net(2, 30, {5});
    give_2d(6, 5);
    block_corners box = box_of(1, 1, 0, 2, 3, 0);
    cells_in_reach reach = lattice_block(box);
    ASSERT_EQ(reach.low, 7);
    ASSERT_EQ(reach.high, 20);
    std::vector<uint16_t> inside = counted_inside(box, 30, 6, 5);
    change_k_of_cells(reach, 0, 3);
    for (int c = 0; c < 30; c++) {
        bool in = std::find(inside.begin(), inside.end(), c) != inside.end();
        EXPECT_EQ(nhoodm[c], in ? 3 : 5) << c;
        if (in) {
            EXPECT_EQ(wiring[c][3], Maxu) << c;
        }
    }
    EXPECT_EQ(nhood_mixed, 1);
    EXPECT_EQ(nhood_lb, 3);
    // A k outside 1..nhood changes nothing.
    network_copy before = copy_network();
    change_k_of_cells(reach, 0, 6);
    change_k_of_cells(reach, 0, 0);
    EXPECT_EQ(copy_network().inputs, before.inputs);
}

// "Same wiring everywhere" then a random rewire of a block: one draw,
// whose relative pattern every cell of the ring takes, block cells too.
TEST(CellsInReach, SameWiringEverywhereSurvivesABlockRewire)
{
    srandom(5);
    const int n = 20;
    MixNetwork net(2, n, {3});
    zonesize = 5;
    same_wiring = 1;
    random_rewire_cells(line_block(4, 9));
    EXPECT_EQ(same_wiring, 0);
    for (int c = 0; c < n; c++)
        for (int p = 0; p < 3; p++)
            EXPECT_EQ((wiring[c][p] - c + n) % n, (wiring[0][p] + n) % n) << c << " " << p;
    zonesize = 1;
}

// On a 1d network both editors reach the same block: the 2d/3d editor
// asks its cells and takes the corners of its displayed rectangle. The
// same rewire from the same seed gives the same wiring.
TEST(CellsInReach, BothEditorsReachAndRewireTheSameCellsOfA1dNetwork)
{
    lattice_guard guard;
    srandom(6);
    MixNetwork net(2, 40, {3});
    zonesize = 40;
    i2d = 8;
    j2d = 5;
    cells_in_reach line = line_block(13, 27);
    cells_in_reach lattice = line;
    lattice.editor = editor_2d_3d;
    lattice.box = corners_of_cells(line.low, line.high, lattice_shape_now());
    ASSERT_EQ(cells_reached(line), cells_reached(lattice));
    network_copy start = copy_network();
    srandom(8);
    random_rewire_cells(line);
    network_copy by_line = copy_network();
    for (int c = 0; c < 40; c++)
        for (int p = 0; p < 3; p++)
            wiring[c][p] = static_cast<uint16_t>(start.inputs[static_cast<size_t>(c)][static_cast<size_t>(p)]);
    srandom(8);
    random_rewire_cells(lattice);
    EXPECT_EQ(copy_network().inputs, by_line.inputs);
    EXPECT_EQ(changed_cells(start, by_line).size(), 15u);
    zonesize = 1;
}

} // namespace
