// The graph window's dialog rows on the real window's fonts: rows in the
// normal font follow one another a line apart; rows that took a smaller
// font are spread over the prompt box, which stays above the text column's
// first line, each row's ink inside the box and a blank row apart from the
// next; and the rows of the dialog that lives now are the ones dialog_row
// places. On both screens (the suite runs on a 1024x768 one too).
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

TEST_F(GraphPrompt, SmallerRowsSpreadOverTheBoxApart)
{
    restore_def_font();
    const int16_t height = CHeight;
    {
        fitting_font font(std::vector<std::string>(2, "short"), 2);
        EXPECT_EQ(font_in_use(), font_normal);
        EXPECT_EQ(font.row_top(1) - font.row_top(0), height);
    }
    const int rows = 4;
    const int bottom = graph_prompt_bottom(rows);
    EXPECT_LT(bottom, text_column_top()) << "the box reaches the text column";
    // Each line as wide as the prompt box's room in the normal font and
    // more, with a descender and the tallest glyphs: a smaller font.
    std::string wide = "(gy)";
    while (text_width_in_use(wide.c_str()) <= prompt_box_text_room())
        wide += 'x';
    fitting_font font(std::vector<std::string>(rows, wide), rows);
    ASSERT_NE(font_in_use(), font_normal);
    int above = 0, below = 0;
    text_ink_in_use(wide.c_str(), above, below);
    const int pitch = font.row_top(1) - font.row_top(0);
    EXPECT_GT(pitch, above + below) << "the rows' ink touches";
    // outtext's baseline is CHeight - 2 below a row's top.
    EXPECT_GT(font.row_top(0) + CHeight - 2 - above, 3) << "the first row touches the top frame";
    EXPECT_LT(font.row_top(rows - 1) + CHeight - 2 + below - 1, bottom - 1)
        << "the last row runs out of the box";
    EXPECT_GT(font.row_top(rows - 1) + CHeight + pitch, bottom) << "room of the box left unused";
    dialog_row(2);
    EXPECT_EQ(gety, font.row_top(2));
}

} // namespace
