// The string editors' engine: hex digits and clamping, exact-density random
// strings and the complement, the Z nudge, seed patch bytes, and the cell
// grid's cursor and brush.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/rules/cell_grid.h"
#include "engine/rules/string_edits.h"
#include "engine/storage/seed_patch.h"

namespace {

class StringEdits : public ::testing::Test {
protected:
    void use(int v)
    {
        value_range = static_cast<int8_t>(v);
        value_bits = static_cast<int8_t>(check_value_bits(v));
    }
    void TearDown() override
    {
        use(2);
        lineL = 0;
        bytesL = 0;
        twod = 0;
        i2d = j2d = 0;
    }
};

TEST_F(StringEdits, HexDigitsRunFromTheHighestByte)
{
    uint8_t s[2] = {0x0a, 0x6e};
    std::vector<uint8_t> d = hex_digits(s, 1);
    EXPECT_EQ(d, (std::vector<uint8_t>{6, 14, 0, 10}));
    d[3] = 15;
    put_hex_digits(s, d, 1);
    EXPECT_EQ(s[0], 0x0f);
    EXPECT_EQ(s[1], 0x6e);
}

TEST_F(StringEdits, HexFfForThreeValuesClampsToFourTwos)
{
    use(3);
    uint8_t s[2] = {0, 0}; // a spare byte: get_value may read one past the entry's byte
    put_hex_digits(s, {15, 15}, 0);
    EXPECT_TRUE(clamp_entries(s, 3));
    for (uint32_t i = 0; i < 4; i++)
        EXPECT_EQ(get_value(s, i), 2);
    EXPECT_FALSE(clamp_entries(s, 3));
    use(2);
    EXPECT_FALSE(clamp_entries(s, 7));
}

TEST_F(StringEdits, RandomRuleTableAtFiftyHasExactlyHalfOnes)
{
    for (int seed = 1; seed <= 20; seed++) {
        srandom(static_cast<unsigned>(seed));
        uint8_t rule[4] = {0};
        EXPECT_EQ(random_string_at_density(rule, 32, 50.0f), 16u);
        EXPECT_EQ(count_nonzero(rule, 0, 32), 16u);
    }
    uint8_t rule[4] = {0};
    EXPECT_EQ(random_string_at_density(rule, 32, 0.0f), 0u);
    EXPECT_EQ(random_string_at_density(rule, 32, 100.0f), 32u);
}

TEST_F(StringEdits, ThreeValuesGetTwoThirdsNonZero)
{
    use(3);
    srandom(5);
    std::vector<uint8_t> rule(8, 0);
    EXPECT_EQ(random_string_at_density(rule.data(), 27, 2.0f / 3 * 100.0f), 18u);
}

TEST_F(StringEdits, ComplementTwiceIsTheIdentity)
{
    lineL = 10;
    bytesL = 2;
    uint8_t s[2] = {0x35, 0x02};
    complement_string(s, 10, true);
    EXPECT_EQ(s[0], 0xca);
    EXPECT_EQ(s[1], 0x01); // the 6 bits past cell 9 stay clear
    complement_string(s, 10, true);
    EXPECT_EQ(s[0], 0x35);
    EXPECT_EQ(s[1], 0x02);
    use(3);
    uint8_t t[2] = {0x24, 0}; // entries 0, 1, 2, 0
    complement_string(t, 4, false);
    EXPECT_EQ(get_value(t, 0), 2);
    EXPECT_EQ(get_value(t, 2), 0);
    complement_string(t, 4, false);
    EXPECT_EQ(t[0], 0x24);
}

float measured_z = 0.0f;
void
fixed_z(int, uint8_t *)
{
    zparam[0] = measured_z;
}

TEST_F(StringEdits, ZNudgeKeepsAnEqualZAndUndoesAWrongWay)
{
    allocate_mem_Z_parameter();
    zparam[0] = 0.5f;
    measured_z = 0.5f;
    uint8_t rule[1] = {0};
    EXPECT_TRUE(nudge_rule_z(rule, 3, 'Z', fixed_z));
    EXPECT_EQ(count_nonzero(rule, 0, 8), 1u);
    zparam[0] = 0.5f;
    measured_z = 0.25f;
    uint8_t before = rule[0];
    EXPECT_FALSE(nudge_rule_z(rule, 3, 'Z', fixed_z));
    EXPECT_EQ(rule[0], before);
    free_mem_Z_parameter();
}

TEST_F(StringEdits, TwoDPatchBytes)
{
    twod = 1;
    i2d = 5;
    j2d = 4;
    lineL = 20;
    bytesL = 3;
    uint8_t state[3] = {0, 0, 0};
    // Cells (1,1), (3,1) and (2,2) set: indices 6, 8, 12.
    for (uint32_t c : {6u, 8u, 12u})
        set_value(state, c, 1);
    patch_bounds b;
    b.dim = 2;
    b.start[0] = 3, b.start[1] = 2, b.end[0] = 1, b.end[1] = 1;
    order_patch_bounds(&b.start[0], &b.end[0], 4);
    order_patch_bounds(&b.start[1], &b.end[1], 3);
    EXPECT_EQ(patch_cells(b), 6u);
    std::vector<uint8_t> bytes = encode_seed_patch(state, b, 5, 4);
    // Part cells (1,1) (2,1) (3,1) (1,2) (2,2) (3,2): 1 0 1 0 1 0.
    EXPECT_EQ(bytes, (std::vector<uint8_t>{2, 6, 0, 3, 2, 0x15}));
    int s = -3, e = 9;
    order_patch_bounds(&s, &e, 4);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, 4);
}

// The whole 6 x 3 grid of a 14-cell ring shown as 2d: the places past
// cell 13 read as 0, and the state line, exactly bytesL long, is not read
// past its end.
TEST_F(StringEdits, PatchOfARingShownAsAGridReadsOnlyItsCells)
{
    use(2);
    lineL = 14;
    bytesL = 2;
    // Cells 0..13; bits 14 and 15 are set here though they are no cells.
    std::vector<uint8_t> state = {0xB5, 0xFA};
    patch_bounds b;
    b.dim = 2;
    b.end[0] = 5, b.end[1] = 2;
    std::vector<uint8_t> part = copy_state_part(state.data(), b, 6, 3);
    ASSERT_EQ(part.size(), 3u);
    for (uint32_t c = 0; c < 18; c++)
        EXPECT_EQ(get_value(part.data(), c), c < 14 ? get_value(state.data(), c) : 0) << c;
}

TEST_F(StringEdits, CursorWrapsBothWays)
{
    cell_grid g;
    g.high = 9, g.low = 0, g.row = 4, g.rows = 3, g.entries = 10;
    EXPECT_EQ(move_cursor(g, 9, cursor_move::right), 0);
    EXPECT_EQ(move_cursor(g, 0, cursor_move::left), 9);
    EXPECT_EQ(move_cursor(g, 3, cursor_move::right), 4);
    EXPECT_EQ(move_cursor(g, 5, cursor_move::down), 9);
    EXPECT_EQ(move_cursor(g, 6, cursor_move::down), 6);
    EXPECT_EQ(move_cursor(g, 2, cursor_move::up), 2);
    EXPECT_EQ(move_cursor(g, 6, cursor_move::up), 2);
}

TEST_F(StringEdits, BrushStaysInsideTheSegment)
{
    // The segment 12..5 of a 1d state, one row of 8 positions.
    cell_grid g;
    g.high = 12, g.low = 5, g.row = 8, g.rows = 1, g.entries = 20;
    for (int column = 0; column < 8; column++)
        for (uint32_t cell : brush_cells(g, column, 0, 7, 1, 0)) {
            EXPECT_GE(cell, 5u);
            EXPECT_LE(cell, 12u);
        }
    EXPECT_EQ(brush_cells(g, 7, 0, 3, 1, 0), (std::vector<uint32_t>{5, 6}));
}

TEST_F(StringEdits, FillerPositionsAreNeverWritten)
{
    // n = 8 shown as 3 x 3: position 0 would be cell 8, past the state.
    cell_grid g;
    g.high = 8, g.low = 0, g.row = 3, g.rows = 3, g.entries = 8;
    EXPECT_EQ(writable_cell(g, 0, 0), -1);
    EXPECT_EQ(writable_cell(g, 1, 0), 7);
    EXPECT_EQ(brush_cells(g, 0, 1, 3, 0, 1), (std::vector<uint32_t>{5, 2}));
}

} // namespace
