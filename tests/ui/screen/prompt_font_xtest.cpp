// The font scope on the real window's fonts: lines that fit keep the font
// in use; lines too wide take the first smaller font of the chain in which
// they fit, each scaled from the metrics the scope began with, or the last
// when none fits; the prompt font stops at the medium one; and the normal
// font with its metrics comes back when the scope ends.
#include "support/x_test_fixture.h"

#include <string>
#include <vector>

#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/prompt_font.h"

namespace {

class FontScope : public ScreenTest {
protected:
    const std::vector<std::string> lines{"expand/contract nodes: factor (1 to 2, start=1.2), now 1.20:"};
    int16_t width = 0, height = 0;
    int normal = 0, medium = 0, small = 0; // the line's width in each font

    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        restore_def_font();
        width = CWidth;
        height = CHeight;
        normal = text_width_in_use(lines[0].c_str());
        use_font(font_medium);
        medium = text_width_in_use(lines[0].c_str());
        use_font(font_small);
        small = text_width_in_use(lines[0].c_str());
        restore_def_font();
        ASSERT_LT(small, medium);
        ASSERT_LT(medium, normal);
    }

    // The font the scope over lines at room pixels takes, with its
    // metrics; and that the normal font and metrics are back after it.
    font_use
    taken(int room, int16_t *w, int16_t *h)
    {
        font_use f;
        {
            font_while scope(lines, room, {set_medium_font, set_small_font});
            f = font_in_use();
            *w = CWidth;
            *h = CHeight;
        }
        EXPECT_EQ(font_in_use(), font_normal);
        EXPECT_EQ(CWidth, width);
        EXPECT_EQ(CHeight, height);
        return f;
    }
};

TEST_F(FontScope, EachLineWidthTakesTheFirstFontThatFits)
{
    int16_t w = 0, h = 0;
    EXPECT_EQ(taken(normal, &w, &h), font_normal);
    EXPECT_EQ(h, height);
    EXPECT_EQ(taken(normal - 1, &w, &h), font_medium);
    EXPECT_EQ(h, static_cast<int16_t>(height * 0.8));
    EXPECT_EQ(w, static_cast<int16_t>(width * 0.8));
    EXPECT_EQ(taken(medium, &w, &h), font_medium);
    // The small font's metrics scale the normal ones, not the medium's.
    EXPECT_EQ(taken(medium - 1, &w, &h), font_small);
    EXPECT_EQ(h, static_cast<int16_t>(height * 0.6));
    EXPECT_EQ(w, static_cast<int16_t>(width * 0.6));
    EXPECT_EQ(taken(small, &w, &h), font_small);
    EXPECT_EQ(taken(small / 2, &w, &h), font_small) << "none fits: the last";
}

TEST_F(FontScope, ThePromptFontStopsAtTheMediumOne)
{
    std::string wide(400, 'm');
    {
        prompt_font font({wide});
        EXPECT_EQ(font_in_use(), font_medium);
        EXPECT_EQ(CHeight, static_cast<int16_t>(height * 0.8));
    }
    {
        prompt_font font({"ok"});
        EXPECT_EQ(font_in_use(), font_normal);
        EXPECT_EQ(CHeight, height);
    }
    EXPECT_EQ(font_in_use(), font_normal);
    EXPECT_EQ(CHeight, height);
}

} // namespace
