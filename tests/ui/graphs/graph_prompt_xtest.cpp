// The graph window's dialog rows on the real window's fonts: rows in the
// normal font follow one another a line apart; rows that took a smaller
// font are spread over the room the normal font's rows would have, each
// inside the prompt box; and the rows of the dialog that lives now are the
// ones dialog_row places.
#include "support/x_test_fixture.h"

#include <string>
#include <vector>

#include "ui/graphs/graph_prompt.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"

namespace {

using GraphPrompt = ScreenTest;

TEST_F(GraphPrompt, SmallerRowsSpreadOverTheNormalRowsRoom)
{
    restore_def_font();
    const int16_t height = CHeight;
    const int rows = 4;
    const int bottom = prompt_box_bottom(rows);
    {
        fitting_font font(std::vector<std::string>(rows, "short"), rows);
        EXPECT_EQ(font_in_use(), font_normal);
        EXPECT_EQ(font.row_top(1) - font.row_top(0), height);
    }
    // Each line as wide as the prompt box's room in the normal font and
    // more: a smaller font.
    std::string wide = "x";
    while (text_width_in_use(wide.c_str()) <= prompt_box_text_room())
        wide += 'x';
    fitting_font font(std::vector<std::string>(rows, wide), rows);
    ASSERT_NE(font_in_use(), font_normal);
    const int pitch = font.row_top(1) - font.row_top(0);
    EXPECT_GT(pitch, CHeight) << "the smaller rows are not spread out";
    EXPECT_LE(font.row_top(rows - 1) + CHeight, bottom) << "the last row runs out of the box";
    EXPECT_GT(font.row_top(rows - 1) + CHeight + pitch, bottom) << "room of the box left unused";
    dialog_row(2);
    EXPECT_EQ(gety, font.row_top(2));
}

} // namespace
