// The damage of one step against a brute force over random doubled states:
// 1d rings and 2d lattices, v = 2 and 3, the marks not kept (a cell counts
// while it differs) and kept (a cell that once differed stays counted).
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "engine/measures/damage_count.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"

namespace {

struct value_range_kept {
    int8_t v = value_range, bits = value_bits;
    ~value_range_kept()
    {
        value_range = v;
        value_bits = bits;
    }
};

void
set_v(int v)
{
    value_range = static_cast<int8_t>(v);
    value_bits = static_cast<int8_t>(v == 2 ? 1 : v <= 4 ? 2 : 3);
}

std::vector<uint8_t>
packed(const std::vector<int> &values)
{
    std::vector<uint8_t> line(value_line_bytes(values.size(), value_bits) + 1, 0);
    for (size_t c = 0; c < values.size(); c++)
        set_value(line.data(), static_cast<uint32_t>(c), values[c]);
    return line;
}

// A random state of rows x width cells whose two halves differ in about
// one cell of `one_in`.
std::vector<int>
doubled_state(uint32_t width, uint32_t rows, int v, int one_in)
{
    std::vector<int> s(static_cast<size_t>(width) * rows);
    for (uint32_t r = 0; r < rows; r++)
        for (uint32_t c = 0; c < width / 2; c++) {
            int left = rand() % v;
            s[r * width + c] = left;
            s[r * width + width / 2 + c] = rand() % one_in == 0 ? (left + 1 + rand() % (v - 1)) % v : left;
        }
    return s;
}

// Steps of random states through count_damage, against marks kept by hand:
// a right-half cell (row r, column c >= width/2) is damaged when it differs
// from the cell width/2 to its left, or, with keep, when it did before.
void
check_steps(uint32_t width, uint32_t rows, int v, bool keep)
{
    set_v(v);
    const uint32_t n = width * rows;
    std::vector<int> left_marks(n); // the marks found: kept in the left half
    for (uint32_t c = 0; c < n; c++)
        left_marks[c] = rand() % 2;
    std::vector<uint8_t> marks = packed(left_marks);
    // Marks set before: kept, they count; not kept, they are overwritten.
    std::vector<bool> was(n, false);
    for (uint32_t c = 0; c < n; c++)
        was[c] = left_marks[c] != 0;
    for (int step = 0; step < 12; step++) {
        std::vector<int> state = doubled_state(width, rows, v, 4);
        uint32_t expected = 0;
        for (uint32_t r = 0; r < rows; r++)
            for (uint32_t c = width / 2; c < width; c++) {
                uint32_t cell = r * width + c;
                bool now = state[cell] != state[cell - width / 2];
                was[cell] = now || (keep && was[cell]);
                expected += was[cell] ? 1 : 0;
            }
        std::vector<uint8_t> line = packed(state);
        uint32_t damage = count_damage({width, rows}, line.data(), marks.data(), keep);
        ASSERT_EQ(damage, expected) << "step " << step;
        for (uint32_t r = 0; r < rows; r++)
            for (uint32_t c = 0; c < width; c++) {
                uint32_t cell = r * width + c;
                int want = c < width / 2 ? left_marks[cell] : was[cell] ? 1 : 0;
                ASSERT_EQ(get_value(marks.data(), cell) != 0, want != 0)
                    << "step " << step << " row " << r << " column " << c;
            }
    }
}

TEST(DamageCount, OneDRingAgainstBruteForce)
{
    value_range_kept kept;
    srand(41);
    for (int v : {2, 3})
        for (bool keep : {false, true}) {
            SCOPED_TRACE(testing::Message() << "v " << v << " keep " << keep);
            check_steps(80, 1, v, keep);
            check_steps(30, 1, v, keep);
        }
}

TEST(DamageCount, TwoDLatticeAgainstBruteForce)
{
    value_range_kept kept;
    srand(42);
    for (int v : {2, 3})
        for (bool keep : {false, true}) {
            SCOPED_TRACE(testing::Message() << "v " << v << " keep " << keep);
            check_steps(12, 7, v, keep);
            check_steps(6, 10, v, keep);
        }
}

TEST(DamageCount, NotKeptCountsOnlyWhatDiffersNowKeptCountsUntilCleared)
{
    value_range_kept kept;
    set_v(2);
    // 8 cells: cell 5 differs from cell 1, then the halves agree again.
    std::vector<uint8_t> differs = packed({0, 0, 0, 0, 0, 1, 0, 0});
    std::vector<uint8_t> same = packed({0, 0, 0, 0, 0, 0, 0, 0});
    std::vector<uint8_t> marks(2, 0);
    EXPECT_EQ(count_damage({8, 1}, differs.data(), marks.data(), false), 1u);
    EXPECT_EQ(count_damage({8, 1}, same.data(), marks.data(), false), 0u);
    EXPECT_EQ(count_damage({8, 1}, differs.data(), marks.data(), true), 1u);
    EXPECT_EQ(count_damage({8, 1}, same.data(), marks.data(), true), 1u);
    marks.assign(2, 0); // a new sample, or '='
    EXPECT_EQ(count_damage({8, 1}, same.data(), marks.data(), true), 0u);
}

TEST(DamageCount, PercentOfOneHalf)
{
    EXPECT_FLOAT_EQ(damage_percent(40, 40), 100.0f);
    EXPECT_FLOAT_EQ(damage_percent(1, 40), 2.5f);
    EXPECT_FLOAT_EQ(damage_percent(0, 0), 0.0f);
}

} // namespace
