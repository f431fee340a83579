// The old colours by background and the palette names.
#include <gtest/gtest.h>

#include "ui/screen/colors.h"
#include "ui/screen/globals.h"

namespace {

TEST(OldColors, BlackBackground)
{
    set_old_colors('b');
    EXPECT_EQ(black, Black);
    EXPECT_EQ(white, White);
    EXPECT_EQ(blue, Blue);
    EXPECT_EQ(lightred, Orange_Red);
    EXPECT_EQ(red, Salmon);
    EXPECT_EQ(lightgray, Light_Steel_Blue);
    const uint8_t expected[16] = {0, 2, 24, 39, 12, 19, 16, 46, 33, 43, 21, 36, 10, 20, 40, 1};
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(oldcolor[i], expected[i]) << "colour number " << i;
}

TEST(OldColors, WhiteBackgroundSwapsForegroundAndBackground)
{
    set_old_colors('w');
    EXPECT_EQ(black, 0);  // White: the background
    EXPECT_EQ(white, 1);  // Black: the foreground
    EXPECT_EQ(yellow, Blue);
    EXPECT_EQ(lightcyan, Brown);
    EXPECT_EQ(lightmagenta, Violet_Red);
    const uint8_t expected[16] = {0, 3, 28, 15, 11, 19, 33, 36, 25, 43, 27, 31, 13, 19, 40, 1};
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(oldcolor[i], expected[i]) << "colour number " << i;
}

TEST(OldColors, OtherLettersLeaveThemAlone)
{
    set_old_colors('b');
    set_old_colors('x');
    EXPECT_EQ(black, Black);
}

TEST(Palette, NamesInOrder)
{
    EXPECT_STREQ(named_color_name(White), "White");
    EXPECT_STREQ(named_color_name(Goldenred), "Goldenrod");
    EXPECT_STREQ(named_color_name(Dark_Slate_Blue), "Dark Slate Blue");
    EXPECT_STREQ(named_color_name(Ghost_White), "GhostWhite");
    EXPECT_EQ(Ghost_White, kNamedColors - 1);
    EXPECT_STREQ(named_color_name(kNamedColors), "");
}

} // namespace
