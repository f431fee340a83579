// How window pixels become the colour indices a *.nat screen image stores.
#include <gtest/gtest.h>

#include <cstdint>

#include "ui/screen/colors.h"
#include "ui/screen/globals.h"
#include "ui/storage/screen_image_file.h"

namespace {

TEST(PixelColourIndex, OldColoursByPixelValueElseLowByte)
{
    set_old_colors('b');
    for (int i = 0; i < kNamedColors; i++)
        Color_Table[i] = 0x100000u + static_cast<uint32_t>(i) * 0x010101u;
    EXPECT_EQ(pixel_colour_index(Color_Table[yellow]), yellow);
    EXPECT_EQ(pixel_colour_index(Color_Table[black]), black);
    EXPECT_EQ(pixel_colour_index(Color_Table[lightred]), lightred);
    // Navy is no old colour: its pixel's low byte is stored.
    EXPECT_EQ(pixel_colour_index(Color_Table[Navy]),
              static_cast<uint8_t>(Color_Table[Navy] & 0xFF));
    EXPECT_EQ(pixel_colour_index(0x000080u), 0x80);
}

}  // namespace
