// State symmetries: shifts, mirrors and turns of 1d, 2d and 3d states,
// repeating segments, diagonal translation symmetry and cycle matching, on
// the small hand-made states whose results are known.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/backward/state_symmetries.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "model_test_support.h"

namespace {

class Symmetries : public ::testing::Test {
protected:
    long live_before = 0;
    void SetUp() override { live_before = live_allocations; }
    // A network of n cells with its state lines (rot among them).
    void network(int v, int n)
    {
        use_value_range(v);
        use_size(n);
        allocate_mem_CA_states();
    }
    void lattice(int v, int w, int h)
    {
        i2d = static_cast<int16_t>(w);
        j2d = static_cast<int16_t>(h);
        twod = 2;
        network(v, w * h);
    }
    void TearDown() override
    {
        free_mem_CA_states();
        twod = threed = 0;
        use_value_range(2);
        EXPECT_EQ(live_allocations, live_before);
    }
    std::vector<uint8_t> state(std::initializer_list<int> values)
    {
        std::vector<uint8_t> line = pack(values);
        line.resize(bytesL + 8);
        return line;
    }
    // A 2d state with a single 1 at (i, j).
    std::vector<uint8_t> dot(int i, int j)
    {
        std::vector<uint8_t> line(bytesL + 8, 0);
        set_value(line.data(), static_cast<uint32_t>(i + j * i2d), 1);
        return line;
    }
    int at(const std::vector<uint8_t> &line, int i, int j)
    {
        return get_value(line.data(), static_cast<uint32_t>(i + j * i2d));
    }
};

TEST_F(Symmetries, OneDimensionalShiftsMoveEveryValueOneIndex)
{
    network(3, 3);
    std::vector<uint8_t> s = state({0, 1, 2});
    rotate_array(0, s.data(), 'l', 0, 1, 0, 0);
    EXPECT_EQ(unpack(s.data(), 3), (std::vector<int>{2, 0, 1}));
    s = state({0, 1, 2});
    rotate_array(0, s.data(), 'r', 0, 1, 0, 0);
    EXPECT_EQ(unpack(s.data(), 3), (std::vector<int>{1, 2, 0}));
    s = state({0, 1, 2});
    rotate_array(0, s.data(), 'l', 0, 0, 0, 0);
    EXPECT_EQ(unpack(s.data(), 3), (std::vector<int>{0, 1, 2}));
}

TEST_F(Symmetries, RotatingARingStateNTimesGivesItBack)
{
    network(4, 11);
    std::vector<uint8_t> s = state({3, 1, 0, 2, 2, 1, 3, 0, 0, 1, 2});
    std::vector<uint8_t> kept = s;
    for (int t = 0; t < 11; t++)
        rotate_array(0, s.data(), 'r', 0, 1, 0, 0);
    EXPECT_EQ(0, memcmp(s.data(), kept.data(), bytesL));
    rotate_array(0, s.data(), 'l', 0, 11, 0, 0);
    EXPECT_EQ(0, memcmp(s.data(), kept.data(), bytesL));
}

TEST_F(Symmetries, ShiftByManyPlacesMovesEntryPToPPlusTimes)
{
    // Lines that fit a word and lines that do not, every value width; the
    // bits after the last entry stay as they were.
    srandom(4);
    for (int v : {2, 3, 5})
        for (int n : {2, 7, 21, 22, 32, 33, 64, 70}) {
            network(v, n);
            for (int times = 1; times <= n + 2; times++)
                for (char dir : {'l', 'r'}) {
                    std::vector<uint8_t> s(bytesL + 1, 0xFF);
                    std::vector<int> before(n);
                    for (int p = 0; p < n; p++) {
                        before[p] = static_cast<int>(random() % v);
                        set_value(s.data(), static_cast<uint32_t>(p), before[p]);
                    }
                    std::vector<uint8_t> tail(s);
                    rotate_array(0, s.data(), dir, 0, times, 0, 0);
                    std::vector<int> want(n);
                    for (int p = 0; p < n; p++)
                        want[(p + (dir == 'l' ? times : n - times % n)) % n] = before[p];
                    EXPECT_EQ(unpack(s.data(), n), want) << "v=" << v << " n=" << n << " " << dir << times;
                    for (int p = n; p < 8 * (bytesL + 1) / value_bits; p++)
                        ASSERT_EQ(get_value(s.data(), static_cast<uint32_t>(p)),
                                  get_value(tail.data(), static_cast<uint32_t>(p)));
                }
            free_mem_CA_states(); // network() allocates them again
        }
}

TEST_F(Symmetries, RuleTableShiftUsesVToTheK)
{
    network(2, 4);
    std::vector<uint8_t> rule = state({1, 0, 0, 0, 0, 0, 0, 0});
    rotate_array(3, rule.data(), 'r', 1, 1, 0, 0);
    EXPECT_EQ(unpack(rule.data(), 8), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 1}));
}

TEST_F(Symmetries, RepeatingSegmentOfRingStates)
{
    network(2, 6);
    std::vector<uint8_t> s = state({0, 1, 0, 1, 0, 1});
    EXPECT_EQ(repeating_seg(s.data()), 2);
    EXPECT_EQ(0, memcmp(rot, s.data(), bytesL));
    s = state({0, 0, 0, 0, 0, 0});
    EXPECT_EQ(repeating_seg(s.data()), 1);
    free_mem_CA_states();
    network(2, 3);
    s = state({0, 0, 1});
    EXPECT_EQ(repeating_seg(s.data()), 3);
    EXPECT_EQ(0, memcmp(rot, s.data(), bytesL));
}

TEST_F(Symmetries, RepeatingSegmentEqualsTheSmallestRotationBack)
{
    // Oracle: rotate the values one cell at a time until they come back.
    srandom(11);
    for (int v : {2, 3, 5}) {
        for (int n : {1, 4, 6, 12, 30}) {
            network(v, n);
            for (int trial = 0; trial < 40; trial++) {
                // Repeat a random block of a length dividing n, sometimes
                // with one cell changed.
                int block = 1 + static_cast<int>(random() % n);
                while (n % block)
                    block--;
                std::vector<int> values(n);
                for (int c = 0; c < block; c++)
                    values[c] = static_cast<int>(random() % v);
                for (int c = block; c < n; c++)
                    values[c] = values[c % block];
                if (trial % 3 == 0)
                    values[random() % n] = static_cast<int>(random() % v);
                std::vector<uint8_t> line(bytesL + 8, 0);
                for (int c = 0; c < n; c++)
                    set_value(line.data(), static_cast<uint32_t>(c), values[c]);
                int expected = n;
                for (int p = 1; p < n && expected == n; p++) {
                    bool back = n % p == 0;
                    for (int c = 0; back && c < n; c++)
                        back = values[c] == values[(c + p) % n];
                    if (back)
                        expected = p;
                }
                EXPECT_EQ(repeating_seg(line.data()), expected) << "v=" << v << " n=" << n;
            }
            free_mem_CA_states();
        }
    }
    network(2, 4);
}

TEST_F(Symmetries, TwoDimensionalShiftsForEveryValueRange)
{
    for (int v : {2, 3, 5, 8}) {
        lattice(v, 4, 4);
        struct {
            char dir;
            int i, j;
        } cases[] = {{'l', 1, 0}, {'u', 0, 1}, {'r', 3, 0}, {'d', 0, 3}};
        for (auto c : cases) {
            std::vector<uint8_t> s = dot(0, 0);
            rotate_array_2d(s.data(), c.dir, 1);
            EXPECT_EQ(at(s, c.i, c.j), 1) << "v=" << v << " dir " << c.dir;
            int ones = 0;
            for (int x = 0; x < 16; x++)
                ones += get_value(s.data(), static_cast<uint32_t>(x));
            EXPECT_EQ(ones, 1);
        }
        free_mem_CA_states();
    }
    lattice(2, 4, 4);
}

TEST_F(Symmetries, QuarterTurnTurnsOnlyTheSquarePart)
{
    lattice(2, 4, 3);
    std::vector<uint8_t> s = dot(0, 0);
    set_value(s.data(), 3 + 1 * 4, 1); // column 3 stays
    v_spin_array_2d(s.data());
    EXPECT_EQ(at(s, 2, 0), 1);
    EXPECT_EQ(at(s, 0, 0), 0);
    EXPECT_EQ(at(s, 3, 1), 1);
    std::vector<uint8_t> t = dot(1, 0);
    for (int turn = 0; turn < 4; turn++)
        v_spin_array_2d(t.data());
    EXPECT_EQ(at(t, 1, 0), 1);
}

TEST_F(Symmetries, MirrorsTwiceRestoreTheState)
{
    lattice(3, 4, 4);
    std::vector<uint8_t> s(bytesL + 8, 0);
    for (int x = 0; x < 16; x++)
        set_value(s.data(), static_cast<uint32_t>(x), (x * 7 + 1) % 3);
    std::vector<uint8_t> kept = s;
    flip_array_2d(s.data(), 0, 'V');
    for (int j = 0; j < 4; j++)
        for (int i = 0; i < 4; i++)
            EXPECT_EQ(at(s, i, j), at(kept, i, 3 - j));
    flip_array_2d(s.data(), 0, 'V');
    EXPECT_EQ(0, memcmp(s.data(), kept.data(), bytesL));
    flip_array_2d(s.data(), 0, 'h');
    EXPECT_EQ(at(s, 0, 2), at(kept, 3, 2));
    flip_array_2d(s.data(), 0, 'h');
    EXPECT_EQ(0, memcmp(s.data(), kept.data(), bytesL));
}

// The 2d operations by their definitions on a picture of w x h places,
// `times` times: the picture's values moved place by place.
std::vector<int>
moved_picture(std::vector<int> pic, int w, int h, char op, int times, int hex)
{
    for (int t = 0; t < times; t++) {
        std::vector<int> next(pic.size());
        for (int j = 0; j < h; j++)
            for (int i = 0; i < w; i++) {
                int si = i, sj = j, s = std::min(w, h);
                bool odd = hex && j % 2;
                if (op == 'l')
                    si = (i + w - 1) % w;
                else if (op == 'r')
                    si = (i + 1) % w;
                else if (op == 'u')
                    sj = (j + h - 1) % h;
                else if (op == 'd')
                    sj = (j + 1) % h;
                else if (op == 'h')
                    si = !odd ? w - 1 - i : i == w - 1 ? w - 1 : w - 2 - i;
                else if (op == 'V')
                    sj = h - 1 - j, si = odd ? (i + 1) % w : i;
                else if (op == 's' && i < s && j < s)
                    si = j, sj = s - 1 - i;
                next[i + j * w] = pic[si + sj * w];
            }
        pic = next;
    }
    return pic;
}

// A ring of 14 cells shown as a grid w wide (the seed dialog's 2d view)
// has ceil(14 / w) rows, the last one short unless w divides 14. Every 2d
// operation acts on the picture whose places past cell 13 hold 0, and
// writes nothing past the state's cells: the line is exactly bytesL long,
// so a step past it is a heap overflow under the sanitizers.
TEST_F(Symmetries, TwoDOperationsOnARingShownAsAGridStayInsideTheState)
{
    srandom(14);
    const int n = 14;
    for (int v : {2, 3, 5})
        for (int w : {4, 5, 6, 7, 13, 14}) {
            network(v, n);
            int h = (n + w - 1) / w;
            i2d = static_cast<int16_t>(w);
            j2d = static_cast<int16_t>(h);
            struct step {
                char op;
                int times, hex;
            };
            std::vector<step> steps = {{'h', 1, 0}, {'V', 1, 0}, {'h', 1, 1}, {'V', 1, 1},
                                       {'s', 1, 0}};
            for (char op : {'l', 'r'})
                for (int times = 1; times <= w + 1; times++)
                    steps.push_back({op, times, 0});
            for (char op : {'u', 'd'})
                for (int times = 1; times <= h + 1; times++)
                    steps.push_back({op, times, 0});
            for (const step &st : steps) {
                std::vector<int> picture(static_cast<size_t>(w * h), 0);
                std::vector<uint8_t> line(bytesL, 0);
                for (int c = 0; c < n; c++) {
                    picture[c] = static_cast<int>(random() % v);
                    set_value(line.data(), static_cast<uint32_t>(c), picture[c]);
                }
                if (st.op == 'h' || st.op == 'V')
                    flip_array_2d(line.data(), st.hex, st.op);
                else if (st.op == 's')
                    v_spin_array_2d(line.data());
                else
                    rotate_array_2d(line.data(), st.op, st.times);
                std::vector<int> moved = moved_picture(picture, w, h, st.op, st.times, st.hex);
                std::vector<uint8_t> want(bytesL, 0);
                for (int c = 0; c < n; c++)
                    set_value(want.data(), static_cast<uint32_t>(c), moved[c]);
                EXPECT_EQ(line, want) << "v=" << v << " " << w << "x" << h << " " << st.op
                                      << st.times << " hex " << st.hex;
            }
            free_mem_CA_states();
        }
    network(2, 4);
}

TEST_F(Symmetries, ThreeDimensionalShiftWraps)
{
    use_value_range(2);
    i3d = 2;
    j3d = 3;
    h3d = 2;
    threed = 3;
    network(2, 12);
    std::vector<uint8_t> s(bytesL + 8, 0);
    set_value(s.data(), 1 + 2 * 2 + 1 * 6, 1); // (1, 2, 1)
    rotate_array_3d(s.data(), 'l', 1);          // i wraps to 0
    EXPECT_EQ(get_value(s.data(), 0 + 2 * 2 + 1 * 6), 1);
    rotate_array_3d(s.data(), 'b', 1);          // j wraps to 0
    EXPECT_EQ(get_value(s.data(), 0 + 0 + 1 * 6), 1);
    rotate_array_3d(s.data(), 'd', 1);          // h to 0
    EXPECT_EQ(get_value(s.data(), 0), 1);
}

TEST_F(Symmetries, CheckerboardIsItsOwnDiagonalShift)
{
    lattice(2, 4, 4);
    std::vector<uint8_t> s(bytesL + 8, 0);
    for (int j = 0; j < 4; j++)
        for (int i = 0; i < 4; i++)
            set_value(s.data(), static_cast<uint32_t>(i + 4 * j), (i + j) & 1);
    repeating_seg_2d(s.data());
    EXPECT_EQ(repseg_2d[0], 2);
    EXPECT_EQ(repseg_2d[1], 2);
    EXPECT_EQ(0, memcmp(rot, s.data(), bytesL));
    EXPECT_EQ(trans_sym_2d(s.data()), 1);
    EXPECT_EQ(repseg_2d[0], 1);
}

TEST_F(Symmetries, StripesHaveNoDiagonalSymmetry)
{
    lattice(2, 4, 4);
    std::vector<uint8_t> s(bytesL + 8, 0);
    for (int i = 0; i < 4; i++)
        set_value(s.data(), static_cast<uint32_t>(i), 1); // row 0 full
    repeating_seg_2d(s.data());
    EXPECT_EQ(repseg_2d[0], 1);
    EXPECT_EQ(repseg_2d[1], 4);
    EXPECT_EQ(trans_sym_2d(s.data()), 0);
}

TEST_F(Symmetries, CycleOfShiftedGlidersMatchesAlongI)
{
    lattice(2, 4, 4);
    // A cycle of four states, each the dot moved one column on.
    std::vector<std::vector<uint8_t>> states;
    for (int t = 0; t < 4; t++)
        states.push_back(dot(t, 0));
    std::vector<uint8_t *> rows(5, nullptr);
    for (int t = 0; t < 4; t++)
        rows[t + 1] = states[t].data();
    att = rows.data();
    attperiod = 4;
    EXPECT_EQ(rot_cycle_equiv_2d(states[0].data()), 0);
    EXPECT_EQ(repseg_2d[0], 4);
    EXPECT_EQ(repseg_2d[1], 4);
    // Shifts 1, 2, 3 along i meet states 2, 3, 4 once each.
    EXPECT_EQ(cyclematch_2d[0], 4);
    EXPECT_EQ(cyclematch_2d[1], 1);
    EXPECT_EQ(cyclematch_2d_diag[0], 0);
    EXPECT_EQ(cyclematch_2d_diag[1], 0);
    EXPECT_EQ(0, memcmp(rot, states[0].data(), bytesL));
    att = nullptr;
    attperiod = 0;
}

} // namespace
