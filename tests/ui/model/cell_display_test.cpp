// Cell values on screen without a window: the value colours of every value
// range on both backgrounds, the colour shuffle, and the square sizes of
// seed and rule windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <cstdlib>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/model_test_support.h"
#include "engine/rules/globals.h"
#include "ui/model/cell_display.h"
#include "ui/screen/colors.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

std::vector<int>
colours(int v, char background)
{
    bground = background;
    set_old_colors(background);
    use_value_range(v);
    setup_value_colors(1);
    return std::vector<int>(color_v, color_v + v);
}

// The value colours for v on a background against the named old colours,
// read once that background has set them.
void
expect_colours(int v, char background, std::initializer_list<const uint8_t *> names)
{
    std::vector<int> got = colours(v, background);
    std::vector<int> expected;
    for (const uint8_t *name : names)
        expected.push_back(*name);
    EXPECT_EQ(got, expected) << "v=" << v << " background " << background;
}

class ValueColours : public ::testing::Test {
protected:
    void TearDown() override
    {
        checked_free(color_v);
        color_v = nullptr;
        bground = 'b';
        set_old_colors('b');
        use_value_range(2);
    }
};

TEST_F(ValueColours, TwoToFiveAreTheSameOnBothBackgrounds)
{
    for (char bg : {'b', 'w'}) {
        expect_colours(2, bg, {&black, &yellow});
        expect_colours(3, bg, {&black, &red, &white});
        expect_colours(4, bg, {&black, &blue, &lightred, &white});
        expect_colours(5, bg, {&black, &blue, &lightred, &yellow, &white});
    }
}

TEST_F(ValueColours, SixToEightDependOnTheBackground)
{
    expect_colours(6, 'b', {&black, &blue, &lightred, &lightgreen, &yellow, &white});
    expect_colours(6, 'w', {&black, &blue, &lightgreen, &lightred, &yellow, &white});
    expect_colours(7, 'b', {&black, &magenta, &blue, &lightred, &lightgreen, &yellow, &white});
    expect_colours(7, 'w', {&black, &blue, &lightgreen, &lightred, &magenta, &yellow, &white});
    expect_colours(8, 'b',
                   {&black, &magenta, &blue, &lightred, &lightblue, &lightgreen, &yellow, &white});
    expect_colours(8, 'w',
                   {&black, &blue, &lightgreen, &lightblue, &lightred, &magenta, &yellow, &white});
}

TEST_F(ValueColours, RefillingKeepsTheArrayAndFollowsTheBackground)
{
    colours(4, 'b');
    uint8_t *array = color_v;
    long live = live_allocations;
    bground = 'w';
    set_old_colors('w');
    setup_value_colors(0);
    EXPECT_EQ(color_v, array);
    EXPECT_EQ(live_allocations, live);
    EXPECT_EQ(color_v[0], black);  // the white background's black
    EXPECT_EQ(color_v[3], white);
}

TEST_F(ValueColours, ShufflePermutesColoursAndLeavesTheBorderValue)
{
    std::vector<int> before = colours(8, 'b');
    b_value = 3;
    long live = live_allocations;
    srandom(11);
    rearange_value_colors();
    EXPECT_EQ(live_allocations, live);
    std::vector<int> after(color_v, color_v + 8);
    std::vector<int> a = before, b = after;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
    EXPECT_NE(after, before);
    EXPECT_EQ(b_value, 3);
    b_value = 0;
}

TEST(CellScale, RuleWindowsByInputCount)
{
    Maxx = 1023;
    EXPECT_EQ(set_cellscale(12, 1), 256);
    EXPECT_EQ(cellscale, 2);
    EXPECT_EQ(cellsep, 1);
    EXPECT_EQ(set_cellscale(10, 1), 128);
    EXPECT_EQ(cellscale, 3);
    EXPECT_EQ(cellsep, 1);
    EXPECT_EQ(set_cellscale(5, 1), 64);
    EXPECT_EQ(cellscale, vgax(4));
    EXPECT_EQ(cellsep, vgax(2));
    // Mode 2 keeps the full size whatever n is.
    EXPECT_EQ(set_cellscale(12, 2), 256);
    EXPECT_EQ(cellscale, vgax(4));
    EXPECT_EQ(cellsep, vgax(2));
}

TEST(CellScale, SeedWindowShrinksTheSquaresToFit)
{
    Maxx = 1023;
    Maxy = 742;
    CHeight = 18;
    uint8_t old_oned = oned, old_twod = twod;
    oned = 1;
    twod = 0;
    lineL = 100;  // 64 wide, 2 rows: fits at full size
    EXPECT_EQ(set_cellscale(100, 0), 64);
    EXPECT_EQ(cellscale, vgax(4));
    EXPECT_EQ(height_req_seed_win, 10 * 18 + 2 * vgax(4));

    oned = 0;
    twod = 2;
    i2d = 200;
    j2d = 200;  // 180 + 200 * s must stay within 0.83 * 742 = 615.86: s = 2
    EXPECT_EQ(set_cellscale(40000, 0), 200);
    EXPECT_EQ(cellscale, 2);
    EXPECT_EQ(cellsep, 1);
    EXPECT_EQ(height_req_seed_win, 180 + 400);

    j2d = 1000;  // even 1-pixel squares do not fit
    set_cellscale(200000, 0);
    EXPECT_EQ(cellscale, 1);
    EXPECT_EQ(cellsep, 1);
    EXPECT_EQ(height_req_seed_win, static_cast<int16_t>(0.8 * 742));
    oned = old_oned;
    twod = old_twod;
    i2d = j2d = 0;
    lineL = 0;
}

}  // namespace
