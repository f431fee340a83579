// The rows free of text against the window's own pixels, with the real
// fonts: the rows the record answers as free show none of a text's ink,
// and the first of them lies right past it, in every font texts are drawn
// in.
#include "support/x_test_fixture.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/text_inks.h"
#include "ui/screen/x_state.h"

namespace {

class TextInksOnWindow : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        setcolor(white);
    }
    void TearDown() override
    {
        back_to_normal_font();
        ScreenTest::TearDown();
    }

    // The normal font and its metrics, which the medium and small fonts
    // scale.
    void back_to_normal_font() const
    {
        restore_def_font();
        CHeight = height;
        CWidth = width;
    }

    // The first and last rows the window shows anything in columns x0..x1
    // between rows y0 and y1; false where it shows nothing.
    static bool inked_rows(int x0, int x1, int y0, int y1, int &first, int &last)
    {
        std::vector<uint32_t> pixels = window_now();
        first = last = -1;
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++)
                if (pixel_at(pixels, x, y) != Color_Table[black]) {
                    first = first < 0 ? y : first;
                    last = y;
                    break;
                }
        return first >= 0;
    }

    const int16_t height = CHeight, width = CWidth;
};

struct font_case {
    const char *name;
    void (*set)();
};

const font_case kFonts[] = {{"normal", restore_def_font},        {"medium", set_medium_font},
                            {"small", set_small_font}, {"italic", set_italic_font},
                            {"label", set_temp_font}};

// Texts with and without ascenders and descenders, blanks at the ends, a
// '$' (the tallest glyph of the normal font) and '_' (below the baseline).
const char *const kTexts[] = {"rule 110", "EXIT-q, graphics setup-g, (def-field):", "  acemnorsuvwxz  ",
                              "$12", "a_b", "-"};

TEST_F(TextInksOnWindow, FreeRowsLieRightPastTheInkTheWindowShows)
{
    const int top = 300;
    for (const font_case &f : kFonts) {
        for (const char *s : kTexts) {
            clearviewport();
            f.set();
            moveto(100, top);
            outtext(s);
            const int end = getx;
            flush_display();
            int first = 0, last = 0;
            ASSERT_TRUE(inked_rows(0, Maxx, top - CHeight, top + 2 * CHeight, first, last))
                << f.name << " \"" << s << "\" left no ink";
            for (int y = first; y <= last; y++) {
                EXPECT_EQ(free_row_below(y, 0, Maxx), last + 1) << f.name << " \"" << s << "\" row " << y;
                EXPECT_EQ(free_row_above(y, 0, Maxx), first - 1) << f.name << " \"" << s << "\" row " << y;
            }
            // The columns of its ink, and none beside them.
            int a = 0, b = 0;
            EXPECT_FALSE(inked_rows(0, 99 - CWidth, top - CHeight, top + 2 * CHeight, a, b));
            EXPECT_EQ(free_row_below(first, 0, 99 - CWidth), first) << f.name << " \"" << s << "\"";
            EXPECT_EQ(free_row_below(first, end + CWidth, Maxx), first) << f.name << " \"" << s << "\"";
            back_to_normal_font();
        }
    }
}

} // namespace
