// The basin layout arithmetic without a window: the defaults of each kind
// of run, the smallest radius offered, the spacing that follows the radius,
// the level radii, the pixel spacing that never reaches 0, the numbers held
// within the window's reach, the 1d-as-2d rectangle and which networks may
// show decimal state numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/backward/basin_layout.h"
#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"

namespace {

constexpr int16_t kMaxx = 1023, kMaxy = 900;

class BasinLayout : public ::testing::Test {
protected:
    std::vector<float> radii = std::vector<float>(91, 0.0f);

    void SetUp() override
    {
        rad = radii.data();
        lastlevel = 90;
        basinfield = 0;
        rangeL = 0;
        gd_z_graph = sweep_graph_none;
        mutant_layout = 0;
        screensavedemo = 0;
        stp = 0;
        value_range = 2;
        lineL = 3;
    }
    void TearDown() override
    {
        rad = nullptr;
        lastlevel = 90;
        basinfield = 0;
        value_range = 2;
    }
    void field_of(int n, int v)
    {
        basinfield = 1;
        lineL = static_cast<uint16_t>(n);
        value_range = static_cast<int8_t>(v);
        compute_layout_defaults(kMaxx, kMaxy);
    }
};

TEST_F(BasinLayout, FieldOfSixCellValuesTakesTheLargeRadius)
{
    field_of(3, 2);
    EXPECT_FLOAT_EQ(pstartrad, 12.0f);
    EXPECT_FLOAT_EQ(xpspacing, 60.0f);
    EXPECT_FLOAT_EQ(ypspacing, 60.0f);
    EXPECT_FLOAT_EQ(rightborder, 0.45f);
    EXPECT_EQ(startrad, std::trunc(kMaxx * 0.5f * 12 / 100));
    EXPECT_EQ(xspacing, static_cast<int16_t>(kMaxx * 0.5f * 0.6f));
    EXPECT_EQ(startxspacing, xspacing);
}

TEST_F(BasinLayout, FieldOfTenCellValuesTakesTheSmallRadius)
{
    field_of(5, 2);
    EXPECT_FLOAT_EQ(pstartrad, 6.0f);
    EXPECT_FLOAT_EQ(xpspacing, 30.0f);
    EXPECT_FLOAT_EQ(ypspacing, 30.0f);
    // n x v counts the values: 3 cells of 3 values lie between.
    field_of(3, 3);
    EXPECT_FLOAT_EQ(pstartrad, 9.0f);
}

TEST_F(BasinLayout, SizeRangeAndSweepsOverrideTheFieldRadius)
{
    rangeL = 1;
    field_of(3, 2);
    EXPECT_FLOAT_EQ(pstartrad, 3.0f);
    EXPECT_FLOAT_EQ(xpspacing, 15.0f);
    EXPECT_FLOAT_EQ(xspacefact, 1.10f);
    rangeL = 0;
    gd_z_graph = sweep_graph_z;
    field_of(3, 2);
    EXPECT_FLOAT_EQ(pstartrad, 2.0f);
    EXPECT_FLOAT_EQ(xpspacing, 6.0f);
}

TEST_F(BasinLayout, PlainSingleBasinKeepsItsSpacing)
{
    xpspacing = ypspacing = 41;
    rightborder = 0.7f;
    compute_layout_defaults(kMaxx, kMaxy);
    EXPECT_FLOAT_EQ(pstartrad, 12.0f);
    EXPECT_FLOAT_EQ(xpspacing, 41.0f);
    EXPECT_FLOAT_EQ(rightborder, 0.7f);
    EXPECT_EQ(fox, kMaxx / 2);
    EXPECT_EQ(foy, kMaxy / 2);
}

TEST_F(BasinLayout, FirstPositionFollowsTheOffsets)
{
    field_of(3, 2);  // a small field without a range: (-60, 30)
    EXPECT_EQ(fox, static_cast<int16_t>(kMaxx / 2 * 0.4f));
    EXPECT_EQ(foy, static_cast<int16_t>(kMaxy / 2 * 0.7f));
    EXPECT_EQ(ox, fox);
    EXPECT_EQ(firstoy, foy);
}

TEST_F(BasinLayout, MinimumRadiusOnA1024Window)
{
    char text[16];
    snprintf(text, sizeof text, "%.2f", min_start_radius(kMaxx));
    EXPECT_EQ(std::string(text), "0.22");
    EXPECT_GT(min_start_radius(kMaxx), 0.1f);
}

TEST_F(BasinLayout, SpacingDoublesWithTheRadius)
{
    field_of(5, 2);
    ASSERT_FLOAT_EQ(pstartrad, 6.0f);
    pstartrad = 12;
    scale_spacing_to_radius(6);
    EXPECT_FLOAT_EQ(xpspacing, 60.0f);
    EXPECT_FLOAT_EQ(ypspacing, 60.0f);
    scale_spacing_to_radius(12);   // unchanged radius: nothing moves
    EXPECT_FLOAT_EQ(xpspacing, 60.0f);
}

TEST_F(BasinLayout, LevelRadiiGrowByTheLogRule)
{
    field_of(3, 2);
    EXPECT_FLOAT_EQ(rad[0], startrad);
    EXPECT_NEAR(rad[1], startrad * (1 + 1 / std::log(4.0)), 1e-3);
    EXPECT_NEAR(rad[2], rad[1] + startrad / std::log(9.0), 1e-3);
    for (int i = 1; i < lastlevel; i++)
        ASSERT_GT(rad[i], rad[i - 1]) << "level " << i;
}

TEST_F(BasinLayout, SpacingNeverFallsBelowOnePixel)
{
    xpspacing = ypspacing = 0;
    set_pixel_spacing(kMaxx, kMaxy);
    EXPECT_EQ(xspacing, 1);
    EXPECT_EQ(yspacing, 1);
    EXPECT_EQ(startxspacing, 1);
    pstartrad = 0;
    set_start_radius(kMaxx);
    EXPECT_FLOAT_EQ(startrad, 1.0f);
}

TEST_F(BasinLayout, GrownSpacingStaysWithinOneTo32767Pixels)
{
    xspacing = 100;
    yspacing = 41;
    xpspacefact = 25;
    ypspacefact = 50;
    set_spacing_factors();
    grow_basin_spacing();
    EXPECT_EQ(xspacing, 125);
    EXPECT_EQ(yspacing, 61); // 61.5 truncated
    // A growth of -100% (or more) would give 0, and the cursor would stand.
    xpspacefact = -100;
    ypspacefact = -250;
    set_spacing_factors();
    grow_basin_spacing();
    EXPECT_EQ(xspacing, 1);
    EXPECT_EQ(yspacing, 1);
    // Growth without end stops short of wrapping 16 bits.
    xpspacefact = ypspacefact = 100;
    set_spacing_factors();
    for (int i = 0; i < 20; i++)
        grow_basin_spacing();
    EXPECT_EQ(xspacing, 32767);
    EXPECT_EQ(yspacing, 32767);
    xpspacefact = ypspacefact = 0;
    set_spacing_factors();
}

TEST_F(BasinLayout, DefaultsComputedTwiceAgree)
{
    field_of(7, 2);
    float first[] = {pstartrad, startrad, xpspacing, ypspacing, rightborder, rad[89]};
    int16_t first_px[] = {fox, foy, xspacing, yspacing};
    field_of(7, 2);
    float second[] = {pstartrad, startrad, xpspacing, ypspacing, rightborder, rad[89]};
    int16_t second_px[] = {fox, foy, xspacing, yspacing};
    for (int i = 0; i < 6; i++)
        EXPECT_FLOAT_EQ(first[i], second[i]);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(first_px[i], second_px[i]);
}

TEST_F(BasinLayout, CursorWrapsRowsAndComesBackToTheTopPastTheLastRow)
{
    firstox = ox = 10;
    firstoy = oy = 20;
    xspacing = 100;
    yspacing = 300;
    rightborder = 0.45f;
    // Rows of basins at 10, 110, ... while 45 pixels or more are left.
    int per_row = 0;
    while (oy == 20) {
        advance_basin_cursor(kMaxx, kMaxy);
        per_row++;
    }
    EXPECT_EQ(per_row, 10);  // 1010 leaves 13 < 45: the tenth step wraps
    EXPECT_EQ(ox, 10);
    EXPECT_EQ(oy, 320);
    // Three rows fit above 900; the next wraps to the first row, never past it.
    for (int i = 0; i < 1000; i++) {
        advance_basin_cursor(kMaxx, kMaxy);
        ASSERT_LE(oy, kMaxy);
        ASSERT_GE(oy, 20);
    }
    // A spacing of one pixel still reaches the end of the row.
    xspacing = yspacing = 1;
    ox = firstox;
    oy = firstoy;
    for (int i = 0; i < 2 * kMaxx; i++)
        advance_basin_cursor(kMaxx, kMaxy);
    EXPECT_GT(oy, firstoy);
}

TEST_F(BasinLayout, NumbersPastTheWindowAreHeldAtTheirBounds)
{
    // A radius of 1e9 % of half the width: an attractor as wide as the
    // window, and its deepest level circle still a 16-bit coordinate.
    field_of(5, 2);
    float radius_asked = pstartrad;
    pstartrad = 1e9f;
    set_start_radius(kMaxx);
    fill_level_radii();
    EXPECT_FLOAT_EQ(pstartrad, kLargestStartRadius);
    EXPECT_FLOAT_EQ(startrad, std::trunc(kMaxx * 0.5f));
    EXPECT_LT(kMaxx + rad[lastlevel - 1], 32767.0f);
    // The spacing grown with it, 30 % by 1e9 / 6, stops at a whole window.
    pstartrad = 1e9f;
    scale_spacing_to_radius(radius_asked);
    EXPECT_FLOAT_EQ(xpspacing, kSpacingBounds.high);
    EXPECT_FLOAT_EQ(ypspacing, kSpacingBounds.high);
    // Offsets and spacing percentages set past their bounds, growth too.
    xoffset = -1e30f;
    yoffset = std::nanf("");
    xpspacing = -5;
    xpspacefact = 1e9f;
    ypspacefact = -1e9f;
    set_first_position(kMaxx, kMaxy);
    set_pixel_spacing(kMaxx, kMaxy);
    set_spacing_factors();
    EXPECT_FLOAT_EQ(xoffset, -100.0f);
    EXPECT_FLOAT_EQ(yoffset, -100.0f) << "not a number: the low bound";
    EXPECT_EQ(fox, 0);
    EXPECT_EQ(foy, kMaxy / 2 * 2);
    EXPECT_FLOAT_EQ(xpspacing, 0.0f);
    EXPECT_EQ(xspacing, 1);
    EXPECT_FLOAT_EQ(xspacefact, 2.0f);
    EXPECT_FLOAT_EQ(yspacefact, 0.0f);
    // Within the bounds a value is kept as it is.
    EXPECT_FLOAT_EQ(held_within(-37.5, kOffsetBounds), -37.5f);
    EXPECT_FLOAT_EQ(held_within(1e300, kAngleBounds), 360.0f);
    xpspacefact = ypspacefact = 0;
    set_spacing_factors();
}

// v^n <= 2^32, counted in 128 bits.
bool
fits_by_brute_force(int n, int v)
{
    unsigned __int128 states = 1;
    for (int i = 0; i < n; i++)
        states *= static_cast<unsigned>(v);
    return states <= (static_cast<unsigned __int128>(1) << 32);
}

TEST(DecimalLabels, RefusedBeyond32BitsForEveryValueRange)
{
    EXPECT_TRUE(decimal_labels_fit(32, 2));
    EXPECT_FALSE(decimal_labels_fit(33, 2));
    EXPECT_TRUE(decimal_labels_fit(20, 3));
    EXPECT_FALSE(decimal_labels_fit(21, 3));   // n <= 32 but 3^21 overflows 32 bits
    EXPECT_FALSE(decimal_labels_fit(12, 8));
    for (int v = 2; v <= 8; v++)
        for (int n = 1; n <= 40; n++)
            ASSERT_EQ(decimal_labels_fit(n, v), fits_by_brute_force(n, v)) << n << " cells v" << v;
}

TEST(IAxis, RectangleCoversTheNetworkAndRefusesWidthsOutside)
{
    i2d = 4;
    j2d = 3;
    EXPECT_FALSE(set_i_axis(0, 12));
    EXPECT_FALSE(set_i_axis(13, 12));
    EXPECT_EQ(i2d, 4);
    EXPECT_EQ(j2d, 3);
    for (int n = 1; n <= 40; n++)
        for (int w = 1; w <= n; w++) {
            ASSERT_TRUE(set_i_axis(w, n));
            ASSERT_GE(i2d * j2d, n);
            ASSERT_LT(i2d * (j2d - 1), n) << "a whole spare row for " << w << " of " << n;
        }
}

} // namespace
