// A line of text in the rectangle it owns (text_line.h): the cut that ends
// in "...", checked against every start of the text measured one by one,
// at pieces and at characters, and the line drawn: its rectangle cleared,
// nothing past its right column, and the lines above and below it left
// whole (the draw check, on in every window test, reports a line cut).
#include "support/x_test_fixture.h"

#include <cstdint>
#include <string>
#include <vector>

#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/text_line.h"

namespace {

const std::string kText = "seq update 0123456789abcdef101112131415161718191a1b1c1d1e1f ";

int
width_of(const std::string &s)
{
    return text_width_in_use(s.c_str());
}

// The longest start ending at one of ends that fits room with "...",
// found by measuring each: the oracle of text_within.
std::string
longest_fitting(const std::string &text, int room, const std::vector<size_t> &ends)
{
    std::string best = "...";
    for (size_t end : ends)
        if (width_of(text.substr(0, end) + "...") <= room)
            best = text.substr(0, end) + "...";
    return best;
}

class TextLine : public ScreenTest {};

TEST_F(TextLine, ATextThatFitsIsKeptWhole)
{
    EXPECT_EQ(text_within(kText, width_of(kText)), kText);
}

TEST_F(TextLine, ALongTextIsCutAtTheLastCharacterThatLeavesRoomForTheDots)
{
    std::vector<size_t> every;
    for (size_t end = 0; end < kText.size(); end++)
        every.push_back(end);
    for (int room = 0; room < width_of(kText); room += 7) {
        std::string cut = text_within(kText, room);
        EXPECT_EQ(cut, longest_fitting(kText, room, every)) << "room " << room;
        EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    }
}

TEST_F(TextLine, ARowOfPiecesIsCutBetweenPieces)
{
    std::vector<size_t> pieces{4, 9, 14, 20, 33};
    for (int room = 0; room < width_of(kText); room += 5)
        EXPECT_EQ(text_within(kText, room, pieces), longest_fitting(kText, room, pieces))
            << "room " << room;
}

// In the normal and medium fonts, whose lines CHeight apart keep apart.
TEST_F(TextLine, ALineClearsItsRectangleAndEndsInsideIt)
{
    void (*const fonts[2])() = {nullptr, set_medium_font};
    for (void (*set_font)() : fonts) {
        font_while font(set_font != nullptr, set_font);
        SCOPED_TRACE("line height " + std::to_string(CHeight));
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
        const int x0 = 100, x1 = 300, top = 200;
        // The lines above and below, and the line's place filled first.
        setcolor(white);
        moveto(x0, top - CHeight);
        outtext("the line above, gjpqy");
        moveto(x0, top + CHeight);
        outtext("The Line Below");
        int first = 0, last = 0;
        line_ink_rows(top, first, last);
        setfillstyle(0, blue);
        bar(x0, first, x1 + 40, last);
        const int end = text_line(x0, x1, top, kText);
        EXPECT_EQ(end, getx);
        EXPECT_LE(end, x1 + 1);
        EXPECT_EQ(gety, top);
        const std::vector<uint32_t> shown = window_now(last);
        int blue_left = 0, ink_past = 0;
        for (int y = first; y <= last; y++) {
            for (int x = x0; x <= x1; x++)
                blue_left += pixel_at(shown, x, y) == Color_Table[blue];
            for (int x = x1 + 1; x <= x1 + 40; x++)
                ink_past += pixel_at(shown, x, y) != Color_Table[blue];
        }
        EXPECT_EQ(blue_left, 0) << "the rectangle was not cleared";
        EXPECT_EQ(ink_past, 0) << "the line runs past its rectangle";
    }
}

} // namespace
