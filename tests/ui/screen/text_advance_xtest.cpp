// The current point after text in the medium and small fonts: text written
// in pieces, and an answer typed after a prompt, land where the same text
// written at once would, so that nothing stands apart from the prompt it
// follows.
#include "support/x_test_fixture.h"

#include <X11/Xlib.h>
#include <string>
#include <vector>

#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/x_state.h"

namespace {

const int kLeft = 100, kTop = 300, kWidth = 500, kHeight = 40;

class TextAdvance : public ScreenTest, public ::testing::WithParamInterface<void (*)()> {
protected:
    // The pixels of the band the texts are written in, once drawn.
    static std::vector<unsigned long> band()
    {
        flush_display();
        XSync(D, False);
        return pixels_seen(kLeft, kTop, kWidth, kHeight);
    }

    // The band with pieces written one after the other from its left.
    static std::vector<unsigned long> written(const std::vector<std::string> &pieces)
    {
        setfillstyle(0, black);
        bar(kLeft, kTop, kLeft + kWidth, kTop + kHeight);
        setcolor(white);
        moveto(kLeft + 2, kTop + 2);
        for (const std::string &piece : pieces)
            outtext(piece.c_str());
        return band();
    }
};

TEST_P(TextAdvance, PiecesLandWhereTheWholeTextDoes)
{
    font_while font(true, GetParam());
    std::vector<unsigned long> whole = written({"revise from start-ret:s"});
    EXPECT_EQ(written({"revise from ", "start-ret:", "s"}), whole);
}

TEST_P(TextAdvance, TypedAnswerFollowsThePrompt)
{
    font_while font(true, GetParam());
    std::vector<unsigned long> whole = written({"revise from start-ret:s"});
    written({"revise from start-ret:"});
    type_keys("s\r");
    input_string(1, text_entry);
    EXPECT_EQ(band(), whole);
}

// A typed character and its erasure move the point by the same width: the
// answer typed again after it stands where it would have stood alone.
TEST_P(TextAdvance, ErasedCharacterLeavesNothing)
{
    font_while font(true, GetParam());
    std::vector<unsigned long> whole = written({"start-ret:Ws"});
    written({"start-ret:"});
    type_keys("Wm");
    type_keys(std::string(1, '\b'));
    type_keys("s\r");
    input_string(3, text_entry);
    EXPECT_EQ(entry_text(), "Ws");
    EXPECT_EQ(band(), whole);
}

std::string
font_name(const ::testing::TestParamInfo<void (*)()> &info)
{
    return info.param == set_medium_font ? "medium" : "small";
}

INSTANTIATE_TEST_SUITE_P(SmallerFonts, TextAdvance, ::testing::Values(set_medium_font, set_small_font),
                         font_name);

} // namespace
