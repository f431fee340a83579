// Window size, design coordinates and the automatic point size.
#include <gtest/gtest.h>

#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

TEST(WindowSize, LargeDisplayGivesTheDefaultWindow)
{
    int16_t maxx, winmaxy;
    window_size_for_display(1280, &maxx, &winmaxy);
    EXPECT_EQ(maxx, 1023);
    EXPECT_EQ(winmaxy, 767);
    EXPECT_EQ(drawing_area_bottom(winmaxy), 742);
    window_size_for_display(1123, &maxx, &winmaxy);
    EXPECT_EQ(maxx, 1023);
}

TEST(WindowSize, NarrowDisplayGivesAWindow99PixelsNarrower)
{
    int16_t maxx, winmaxy;
    window_size_for_display(1024, &maxx, &winmaxy);
    EXPECT_EQ(maxx, 924);
    EXPECT_EQ(winmaxy, 693);
    EXPECT_EQ(drawing_area_bottom(winmaxy), 670);
    window_size_for_display(1122, &maxx, &winmaxy);
    EXPECT_EQ(maxx, 1022);
}

TEST(WindowSize, TinyDisplayKeepsTheLeastWindow)
{
    int16_t maxx, winmaxy;
    window_size_for_display(90, &maxx, &winmaxy);
    EXPECT_EQ(maxx, kMinMaxx);
    EXPECT_EQ(winmaxy, kMinWinMaxy);
    EXPECT_GT(drawing_area_bottom(winmaxy), 0);
}

TEST(DesignCoordinates, ScaleToTheDefaultWindowAndTruncateTowardZero)
{
    Maxx = 1023;
    WinMaxy = 767;
    EXPECT_EQ(vgax(640), 1024);
    EXPECT_EQ(vgay(480), 768);
    EXPECT_EQ(vgay(-30), -48);
    EXPECT_EQ(vgax(50), 80);
    EXPECT_EQ(vgax(3), 4);  // 4.8 truncated
    EXPECT_EQ(getmaxy(), 767);
    EXPECT_EQ(getmaxx(), 1023);
}

TEST(DesignCoordinates, ScaleToANarrowWindow)
{
    Maxx = 924;
    WinMaxy = 693;
    EXPECT_EQ(vgax(640), 925);
    EXPECT_EQ(vgay(480), 694);
    Maxx = 1023;
    WinMaxy = 767;
}

TEST(PointSize, FollowsTheWindowWidth)
{
    EXPECT_EQ(automatic_point_size(1023), 14);
    EXPECT_EQ(automatic_point_size(925), 13);  // 926 wide: odd, kept
    EXPECT_EQ(automatic_point_size(924), 14);  // 925 wide: 13 made even
    EXPECT_EQ(automatic_point_size(799), 12);
    EXPECT_EQ(automatic_point_size(600), 10);
    EXPECT_EQ(automatic_point_size(499), 8);
    EXPECT_EQ(automatic_point_size(299), 8);
}

} // namespace
