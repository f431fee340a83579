// The colouring and display arithmetic of forward runs that needs no window:
// neighbourhood colours within the 16 old colours, frozen-cell colours and
// frequency bins, the return-map coordinate, the 2d and 3d display shapes,
// the half-cell row counter past 16 bits, and going back steps from the step
// pause.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "ui/forward/cell_colouring.h"
#include "ui/model/nhood_colour.h"
#include "ui/forward/run_forward.h"
#include "ui/forward/space_time_display.h"
#include "ui/measures/entropy_plot.h"
#include "ui/measures/run_records.h"
#include "ui/screen/colors.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

// Colour indices as on a black background, and color_v for v.
class Colouring : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_old_colors('b');
        d_mode = display_1d;
        scrolling = 0;
        ncolor = 0;
        att_hist = att_hist_none;
        seed_was_set = 0;
    }
    void TearDown() override
    {
        color_v = nullptr;
        free_freq_colors();
        frozen_gens = 20;
        d_mode = display_unset;
        tot_only = 0;
        totalistic = rule_kind_tables;
    }
    // A table of the test's own, so the networks' allocation counts see
    // nothing of it.
    static void colours_for(int v)
    {
        static uint8_t table[8];
        color_v = table;
        color_v[0] = black;
        for (int i = 1; i < v; i++)
            color_v[i] = i == 1 ? yellow : white;
    }
};

// The entry of oldcolor that a colour is, or -1.
int
old_entry(int colour)
{
    for (int i = 0; i < 16; i++)
        if (oldcolor[i] == colour)
            return i;
    return -1;
}

TEST_F(Colouring, NeighbourhoodColoursOfSmallTablesAreEntryPlusEightAndLastIsWhite)
{
    TestNetwork net(2, 8, 3);  // N = 8
    for (uint32_t x = 0; x < 7; x++)
        EXPECT_EQ(set_nhdcolor(3, x), oldcolor[x + 8]) << x;
    EXPECT_EQ(set_nhdcolor(3, 7), white);
}

TEST_F(Colouring, NeighbourhoodColoursOfLargeTablesStayWithinTheOldColours)
{
    // v = 2, k = 13 (N = 8192: x / 32 reaches 255) and v = 3, k = 5 (N = 243:
    // x / 8 reaches 30) are scaled into the 16 entries, rising with x.
    struct table { int v, k; } tables[] = {{2, 13}, {3, 5}, {2, 6}};
    for (const table &t : tables) {
        value_range = static_cast<int8_t>(t.v);
        uint32_t n = static_cast<uint32_t>(int_power(t.v, t.k));
        int previous = 0;
        for (uint32_t x = 0; x + 1 < n; x++) {
            int entry = old_entry(set_nhdcolor(t.k, x));
            ASSERT_GE(entry, 0) << t.v << " " << t.k << " " << x;
            ASSERT_LE(entry, 15);
            ASSERT_GE(entry, previous) << x;
            previous = entry;
        }
        EXPECT_EQ(set_nhdcolor(t.k, n - 1), white);
    }
    value_range = 2;
    // N = 64 (v = 2, k = 6) keeps x / 8: entries 0..7.
    value_range = 2;
    EXPECT_EQ(set_nhdcolor(6, 63 - 7), oldcolor[7]);
}

TEST_F(Colouring, KcodeColoursOfLargeCodesStayWithinTheOldColours)
{
    uint16_t maxima[14] = {};
    maxima[4] = 2000;
    v_tablecodemax = maxima;
    value_range = 8;
    nhood = 4;
    tot_only = 1;
    totalistic = rule_kind_kcodes;
    for (uint32_t x = 0; x < 2000; x++)
        ASSERT_GE(old_entry(set_nhdcolor(4, x)), 0) << x;
    EXPECT_EQ(set_nhdcolor(4, 2000), white);
    v_tablecodemax = nullptr;
    nhood = 0;
}

TEST_F(Colouring, FrequencyBinsForTwentyGenerations)
{
    frozen_gens = 20;
    setup_freq_colors();
    EXPECT_EQ(num_bin_bound, 9);
    for (int b = 1; b <= 9; b++)
        EXPECT_EQ(bin_bound[b], 2 * b);
    EXPECT_EQ(freq_colors[0], black);
    EXPECT_EQ(freq_colors[9], lightred);
    frozen_gens = 5;  // fewer generations than bins: num_bin_bound = 4, w = 1
    setup_freq_colors();
    EXPECT_EQ(num_bin_bound, 4);
    EXPECT_EQ(bin_bound[4], 4);
}

// A forward-only run's view of one cell: its history set to values.
struct frozen_history {
    std::vector<uint8_t *> lines;
    run_iteration it{};
    skeleton_record sk{};
    colouring_step step;
    explicit frozen_history(int gens)
    {
        frozen_gens = static_cast<uint16_t>(gens);
        for (int i = 0; i < gens; i++)
            lines.push_back(static_cast<uint8_t *>(checked_calloc(bytesL, 1, "test lastA")));
        it.lastA = lines.data();
        step.fwd_only = 1;
        step.frozen_test = 1;
    }
    ~frozen_history()
    {
        for (uint8_t *line : lines)
            checked_free(line);
    }
    void set(int i, uint32_t c, int value) { set_value(lines[i], c, value); }
};

TEST_F(Colouring, FrozenCellsByMode)
{
    TestNetwork net(2, 8, 3);
    colours_for(2);
    frozen_history h(20);
    // Cell 3 at 1 in A and all history: frozen. Cell 4 at 1 now, 0 once.
    set_value(A, 3, 1);
    set_value(A, 4, 1);
    for (int i = 0; i < 20; i++) {
        h.set(i, 3, 1);
        h.set(i, 4, i == 7 ? 0 : 1);
    }
    h.it.frozen_mode = 1;
    EXPECT_EQ(cell_colour(3, 1, &h.it, &h.sk, &h.step), magenta);
    EXPECT_EQ(h.it.cell_frozen, 1);
    EXPECT_EQ(cell_colour(4, 1, &h.it, &h.sk, &h.step), yellow);
    EXPECT_EQ(h.it.cell_frozen, 0);

    h.it.frozen_mode = 2;
    EXPECT_EQ(cell_colour(3, 1, &h.it, &h.sk, &h.step), lightred);
    EXPECT_EQ(cell_colour(4, 1, &h.it, &h.sk, &h.step), color_v[0]);
    EXPECT_EQ(cell_colour(0, 0, &h.it, &h.sk, &h.step), green);  // frozen at 0
    EXPECT_EQ(h.sk.frozen_top, 1u);
    EXPECT_EQ(h.sk.frozen_other, 1u);

    // Mode 3: a cell at v-1 in every counted state (q = 20) is in the last bin.
    h.it.frozen_mode = 3;
    setup_freq_colors();
    EXPECT_EQ(cell_colour(3, 1, &h.it, &h.sk, &h.step), lightred);
    EXPECT_EQ(cell_colour(0, 0, &h.it, &h.sk, &h.step), freq_colors[0]);
    free_freq_colors();

    // In the first frozen_gens steps no cell counts as frozen.
    h.step.frozen_test = 0;
    h.it.frozen_mode = 1;
    EXPECT_EQ(cell_colour(3, 1, &h.it, &h.sk, &h.step), yellow);
    // Outside forward-only runs the value colour alone counts.
    h.step.frozen_test = 1;
    h.step.fwd_only = 0;
    EXPECT_EQ(cell_colour(3, 1, &h.it, &h.sk, &h.step), yellow);
}

TEST_F(Colouring, SkeletonBitsByKind)
{
    TestNetwork net(2, 8, 3);
    colours_for(2);
    frozen_history h(4);
    uint8_t buff[1] = {0};
    h.sk.frozen_buff = buff;
    att_hist = att_hist_skeleton;
    set_value(A, 2, 1);
    for (int i = 0; i < 4; i++)
        h.set(i, 2, 1);
    h.sk.kind = 0;  // "0s only": cell 2 frozen at 1 is left out, cell 5 at 0 kept
    cell_colour(2, 1, &h.it, &h.sk, &h.step);
    cell_colour(5, 0, &h.it, &h.sk, &h.step);
    EXPECT_EQ(buff[0], 1u << 5);
    h.sk.kind = 1;
    cell_colour(2, 1, &h.it, &h.sk, &h.step);
    cell_colour(5, 0, &h.it, &h.sk, &h.step);
    EXPECT_EQ(buff[0], 1u << 2);
    h.sk.kind = 2;
    cell_colour(5, 0, &h.it, &h.sk, &h.step);
    EXPECT_EQ(buff[0], (1u << 2) | (1u << 5));
}

TEST_F(Colouring, FilteredCellsByDisplay)
{
    TestNetwork net(2, 8, 3);
    colours_for(2);
    uint8_t filter[1] = {1u << 5};
    color_filter = filter;
    nhd[1] = 5;
    colouring_step step;
    run_iteration it{};
    skeleton_record sk{};
    EXPECT_EQ(cell_colour(1, 1, &it, &sk, &step), color_v[0]);
    d_mode = display_2d_time;
    EXPECT_EQ(cell_colour(1, 1, &it, &sk, &step), black);
    nhd[1] = 4;
    EXPECT_EQ(cell_colour(1, 1, &it, &sk, &step), yellow);
    color_filter = nullptr;
}

TEST_F(Colouring, ReturnMapCountsOnlyTheTopValue)
{
    TestNetwork net(3, 3, 1);
    // Cells 2, 1, 0 hold 2, 1, 2: positions 0 and 2 count, 1 + 1/4.
    set_state(A, {2, 1, 2});
    EXPECT_DOUBLE_EQ(return_map_coordinate(A), 1.25);
}

// The corners of the map's range fall inside its frame (as the frame is
// drawn: the plane's left and bottom, vgax(200) by vgay(200)), beside a
// narrow pattern and beside one so wide the frame moves over it, on the
// window sizes of both screens.
TEST(ReturnMap, PointsStayInsideTheFrame)
{
    const int16_t maxx = Maxx, maxy = Maxy, winmaxy = WinMaxy;
    for (int size : {0, 1}) {
        Maxx = size ? 1023 : 927;
        WinMaxy = size ? 767 : 690;
        Maxy = static_cast<int16_t>(WinMaxy - 22);
        for (int width : {40, static_cast<int>(Maxx)}) {
            const int left = plane_left(width), bottom = plane_bottom();
            for (double value : {0.0, 1.0, 1.9999}) {
                const map_point p = return_map_place(value, value, width);
                EXPECT_GE(p.x, left) << width << " " << value;
                EXPECT_LE(p.x, left + vgax(200)) << width << " " << value;
                EXPECT_LE(p.y, bottom) << width << " " << value;
                EXPECT_GE(p.y, bottom - vgay(200)) << width << " " << value;
            }
        }
    }
    Maxx = maxx;
    Maxy = maxy;
    WinMaxy = winmaxy;
}

TEST(DisplayShapes, TwelveCellsAndAPrime)
{
    TestNetwork net(2, 12, 3);
    run_iteration it{};
    set_2d_3d_coords(&it);
    EXPECT_EQ(i3d, 3);
    EXPECT_EQ(j3d, 2);
    EXPECT_EQ(h3d, 2);
    EXPECT_EQ(i2d * j2d, 12);  // 1d: a 2d shape as well
    EXPECT_EQ(it.save_i3d, 3);
    EXPECT_EQ(it.save_h3d, 2);
}

TEST(DisplayShapes, PrimeSizeIsOneLongRow)
{
    TestNetwork net(2, 13, 3);
    run_iteration it{};
    set_2d_3d_coords(&it);
    EXPECT_EQ(i3d, 13);
    EXPECT_EQ(j3d, 1);
    EXPECT_EQ(h3d, 1);
    EXPECT_EQ(i2d, 13);
    EXPECT_EQ(j2d, 1);
}

TEST(DisplayShapes, ThreeDimensionalNetworkShowsItsLayersInTwoD)
{
    TestNetwork net(2, 3, 4, 3, 2, 0);
    run_iteration it{};
    set_2d_3d_coords(&it);
    EXPECT_EQ(i2d, 4);
    EXPECT_EQ(j2d, 6);
    EXPECT_EQ(i3d, 4);  // its own shape is kept
}

TEST(HalfCellRows, RowCounterRunsPastSixteenBits)
{
    TestNetwork net(2, 20000, 2);
    run_iteration it{};
    it.half_shift = 1;
    it.cell_size = 1;
    d_mode = display_1d;
    stp = 0;
    slant = 32767;
    display_before_sweep(&it);
    EXPECT_EQ(slant, 32768);
    slant = 2 * 20000 - 1;
    display_before_sweep(&it);
    EXPECT_EQ(slant, 0);  // back to 0 at 2n
    d_mode = display_unset;
    slant = -1;
}

TEST(StepPause, GoingBackCopiesTheHistoryInOrder)
{
    TestNetwork net(2, 8, 3);
    frozen_gens = 5;
    std::vector<uint8_t *> lines;
    for (int i = 0; i < 5; i++) {
        lines.push_back(static_cast<uint8_t *>(checked_calloc(bytesL, 1, "test lastA")));
        lines[i][0] = static_cast<uint8_t>(10 + i);  // state i+1 steps back
    }
    std::vector<uint8_t *> rows = lines;
    run_iteration it{};
    it.lastA = rows.data();
    it.time = 9;
    uint16_t valid = 5;
    step_back_history(&it, 2, &valid);
    EXPECT_EQ(A[0], 12);          // the state two steps back
    EXPECT_EQ(it.lastA[0][0], 12);
    EXPECT_EQ(it.lastA[1][0], 13);
    EXPECT_EQ(it.lastA[2][0], 14);
    EXPECT_EQ(valid, 3);          // the last two entries count as empty
    EXPECT_EQ(it.time, 6u);       // the next step is numbered 7 = 9 - 2
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(rows[i], lines[i]);  // no row aliases another
    // Going back as far as the time-step itself gives 0, not a wrap.
    it.time = 3;
    step_back_history(&it, 3, &valid);
    EXPECT_EQ(it.time, 0u);
    EXPECT_EQ(valid, 0);
    for (uint8_t *line : lines)
        checked_free(line);
    frozen_gens = 20;
}

} // namespace
