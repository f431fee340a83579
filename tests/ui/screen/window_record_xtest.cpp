// The window drawn again after a resize from outside: what was erased stays
// erased, a box put back over what it covered stays away, and the answer to
// a prompt goes on right after the prompt drawn again, also when a dialog
// kept the point meanwhile. The texts the record holds for the draw check
// alone: one cleared under a saved region is judged again when the region
// is put back, yet never drawn again; past the cap a new text goes unjudged.
// A dialog's kept text margin moves with the column's lines, and the bottom
// strip's title stays inside its frame in a lower strip; a text the window
// lost at a shorter size comes back at its own row.
// The boxes standing follow the redraw: a taller settings box drawn again
// goes whole under the next one, and a region saved before a resize puts
// back no pixels of the old size over a window drawn afresh since.
#include "support/x_test_fixture.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/draw_check.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/text_inks.h"
#include "ui/screen/window.h"
#include "ui/screen/window_record.h"
#include "ui/screen/x_state.h"

namespace {

class WindowRecord : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        width = Maxx + 1;
        height = WinMaxy + 1;
        setviewport(0, 0, Maxx, WinMaxy, 1);
        setfillstyle(0, black);
        bar(0, 0, Maxx, WinMaxy);
        draw_bottom_title(0);
        setcolor(white);
    }
    void TearDown() override
    {
        resize_to(width, height);
    }

    // Whether the rectangle shows anything but the background.
    static bool shows_something(const std::vector<uint32_t> &pixels, int x0, int y0, int x1, int y1)
    {
        for (int y = std::max(y0, 0); y <= std::min<int>(y1, WinMaxy); y++)
            for (int x = std::max(x0, 0); x <= std::min<int>(x1, Maxx); x++)
                if (pixel_at(pixels, x, y) != Color_Table[black])
                    return true;
        return false;
    }

    // Lines of text in the columns x0..x1 between rows y0 and y1: runs of
    // rows with something drawn, apart from one another.
    static int lines_between(int x0, int x1, int y0, int y1)
    {
        std::vector<uint32_t> pixels = window_now();
        int lines = 0;
        bool in_line = false;
        for (int y = y0; y <= y1; y++) {
            bool ink = shows_something(pixels, x0, y, x1, y);
            if (ink && !in_line)
                lines++;
            in_line = ink;
        }
        return lines;
    }

    // Whether a text's last pixels lie just left of the current point and
    // none right of it.
    static bool text_ends_at_point()
    {
        std::vector<uint32_t> pixels = window_now();
        return shows_something(pixels, getx - 8, gety, getx - 1, gety + CHeight) &&
               !shows_something(pixels, getx + 1, gety, getx + 40, gety + CHeight);
    }

    // Whether any pixel of the rectangle has the colour c.
    static bool shows_colour(int x0, int y0, int x1, int y1, int c)
    {
        std::vector<uint32_t> pixels = window_now();
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++)
                if (pixel_at(pixels, x, y) == Color_Table[c])
                    return true;
        return false;
    }

    // Whether exactly one report was made since the last call, holding what.
    static bool one_report(const char *what)
    {
        std::vector<std::string> found = take_draw_check_reports();
        return found.size() == 1 && found[0].find(what) != std::string::npos;
    }

    int width = 0, height = 0;
};

// The ink of the character c on a line whose top-left corner is (x, y):
// its columns and rows.
void
ink_of(char c, int x, int y, int &x0, int &y0, int &x1, int &y1)
{
    int direction, ascent, descent;
    XCharStruct m;
    XTextExtents(loaded_font(font_in_use()), &c, 1, &direction, &ascent, &descent, &m);
    x0 = x + m.lbearing;
    x1 = x + m.rbearing - 1;
    y0 = line_baseline(y) - m.ascent;
    y1 = line_baseline(y) + m.descent - 1;
}

// "SAVED" drawn at (100, 200), a region over the text
// saved into under and the text's line cleared whole while the region is
// held: the redraw gives the text up, the check follows it. The region's
// right and bottom edges.
void
clear_text_under_saved_region(image_slot &under, int &x1, int &y1)
{
    moveto(100, 200);
    outtext("SAVED");
    x1 = getx + 10;
    y1 = 200 + 2 * CHeight;
    // Saved straight after the text, with nothing drawn between.
    getimage(90, 190, x1, y1, &under);
    erase_box(90, 190, x1, y1);
}

TEST_F(WindowRecord, TextClearedUnderASavedRegionIsNotDrawnAgain)
{
    image_slot under = 0;
    int x1, y1;
    clear_text_under_saved_region(under, x1, y1);
    // The lines of the text column that a box taken down cut are drawn
    // again: not this one.
    redraw_texts_within(120, 190, x1, y1);
    EXPECT_FALSE(shows_something(window_now(), 90, 190, x1, y1)) << "the cleared text came back";
    freeimage(&under);
    EXPECT_TRUE(take_draw_check_reports().empty());
}

TEST_F(WindowRecord, TextClearedUnderASavedRegionIsJudgedWhenItComesBack)
{
    image_slot under = 0;
    int x1, y1;
    clear_text_under_saved_region(under, x1, y1);
    putimage(90, 190, &under, 0);
    freeimage(&under);
    EXPECT_TRUE(take_draw_check_reports().empty());
    // Back on the window, the text is cut through its middle rows.
    setfillstyle(0, black);
    bar(90, 200 + CHeight / 2, x1, 200 + CHeight / 2 + 1);
    EXPECT_TRUE(one_report("cuts \"SAVED\""));
}

// Once the record gave up drawing the area again (a polygon), its texts are
// held for the check alone, up to kMostMarkedTexts: the first is judged, the
// one past the cap is not, and nothing is reported of it.
TEST_F(WindowRecord, PastTheCapANewTextGoesUnjudged)
{
    const int corner[6] = {Maxx - 40, Maxy - 40, Maxx - 10, Maxy - 40, Maxx - 25, Maxy - 10};
    fillpoly(3, corner);
    int a0, b0, a1, b1;
    ink_of('.', 0, 0, a0, b0, a1, b1);
    // Dots apart by two columns and two rows of their ink: none touches
    // another.
    const int step_x = a1 - a0 + 3, step_y = b1 - b0 + 3, per_row = (Maxx - 20) / step_x;
    auto place = [&](size_t i, int &x, int &y) {
        x = 10 + static_cast<int>(i % per_row) * step_x;
        y = 10 + static_cast<int>(i / per_row) * step_y;
    };
    int x = 0, y = 0;
    for (size_t i = 0; i <= kMostMarkedTexts; i++) {
        place(i, x, y);
        moveto(x, y);
        outtext(".");
    }
    EXPECT_TRUE(take_draw_check_reports().empty());
    // Each dot cut through its top row: the last goes unjudged.
    setcolor(white);
    setfillstyle(0, white);
    ink_of('.', x, y, a0, b0, a1, b1);
    bar(a0, b0, a1, b0);
    EXPECT_TRUE(take_draw_check_reports().empty());
    place(0, x, y);
    ink_of('.', x, y, a0, b0, a1, b1);
    bar(a0, b0, a1, b0);
    EXPECT_TRUE(one_report("cuts \".\""));
}

// A band framed from a row inside a text written off the text column's
// pitch is moved clear of its ink, down or up: nothing of it is cut.
TEST_F(WindowRecord, RowsClearOfARecordedTextLeaveItsInkWhole)
{
    const int top = 301, mid = top + CHeight / 2;
    moveto(100, top);
    outtext("(dec)116 (hex)74");
    const int below = free_row_below(mid, 0, Maxx), above = free_row_above(mid, 0, Maxx);
    std::vector<uint32_t> pixels = window_now();
    EXPECT_TRUE(shows_something(pixels, 90, above + 1, getx, below - 1));
    EXPECT_FALSE(shows_something(pixels, 90, below, getx, below + 2 * CHeight)) << "row " << below;
    EXPECT_FALSE(shows_something(pixels, 90, above - 2 * CHeight, getx, above)) << "row " << above;
    EXPECT_EQ(free_row_below(below, 0, Maxx), below);
}

TEST_F(WindowRecord, ErasedTextStaysErased)
{
    moveto(100, 200);
    outtext("GONE GONE");
    erase_box(98, 200, getx + 2, 200 + CHeight);
    moveto(100, 300);
    outtext("KEPT KEPT");
    EXPECT_EQ(lines_between(100, 200, 150, Maxy - 1), 1);
    ASSERT_TRUE(resize_to(width * 3 / 4, height * 3 / 4));
    float sx = static_cast<float>(Maxx + 1) / static_cast<float>(width);
    int x0 = static_cast<int>(100 * sx), x1 = static_cast<int>(200 * sx);
    EXPECT_EQ(lines_between(x0, x1, 100, Maxy - 1), 1)
        << "the erased line came back, or the kept one was lost";
    ASSERT_TRUE(resize_to(width, height));
    EXPECT_EQ(lines_between(100, 200, 150, Maxy - 1), 1)
        << "the erased line came back, or the kept one was lost";
}

TEST_F(WindowRecord, BoxPutBackAfterAResizeLeavesWhatItCovered)
{
    moveto(200, 200);
    outtext("UNDER");
    draw_box(3, 150, 150, 400, 300, 1, blue);
    ASSERT_TRUE(resize_to(width * 3 / 4, height * 3 / 4));
    float sx = static_cast<float>(Maxx + 1) / static_cast<float>(width);
    ASSERT_TRUE(shows_colour(static_cast<int>(160 * sx), 150, static_cast<int>(390 * sx), 200,
                             blue))
        << "the box was not drawn again";
    // Put back where the box was saved, as the box's owner does.
    putimage(150, 150, &boximage[3], 0);
    freeimage(&boximage[3]);
    EXPECT_FALSE(shows_colour(0, 0, Maxx, Maxy, blue)) << "the box stayed";
    EXPECT_TRUE(shows_something(window_now(), static_cast<int>(195 * sx), 100,
                                static_cast<int>(300 * sx), 250))
        << "what the box covered was lost";
}

TEST_F(WindowRecord, AnswerGoesOnAfterThePromptDrawnAgain)
{
    moveto(50, 100);
    outtext("Value range (def 2, max 8):");
    ASSERT_TRUE(resize_to(width * 2 / 3, height * 2 / 3));
    EXPECT_TRUE(text_ends_at_point());
    int x = getx, y = gety;
    ASSERT_TRUE(resize_to(width, height));
    EXPECT_GT(getx, x);
    EXPECT_GT(gety, y);
    EXPECT_TRUE(text_ends_at_point());
}

// A dialog that drew elsewhere while the window was resized puts the point
// back at the end of the prompt it interrupted.
TEST_F(WindowRecord, KeptPointMovesWithItsPrompt)
{
    moveto(50, 100);
    outtext("Value range (def 2, max 8):");
    keep_point();
    moveto(300, 400);
    ASSERT_TRUE(resize_to(width * 2 / 3, height * 2 / 3));
    put_back_point();
    EXPECT_TRUE(text_ends_at_point());
}

// A dialog that set the text column's margin for its own lines while the
// window was resized puts back the column's margin where its lines now
// begin, not where they began at the old size.
TEST_F(WindowRecord, KeptTextMarginMovesWithTheColumn)
{
    xtext = 60.0f / static_cast<float>(CWidth);
    moveto(60, 100);
    outtext("Value range (def 2, max 8):");
    keep_text_margin();
    xtext = 300.0f / static_cast<float>(CWidth);
    ASSERT_TRUE(resize_to(width * 2 / 3, height * 2 / 3));
    put_back_text_margin();
    // The line is all the drawing area shows.
    const int left = static_cast<int>(xtext * CWidth);
    std::vector<uint32_t> pixels = window_now();
    EXPECT_FALSE(shows_something(pixels, 0, 0, left - 3, Maxy))
        << "the line begins left of the margin put back";
    EXPECT_TRUE(shows_something(pixels, left, 0, left + CWidth, Maxy))
        << "the line does not begin at the margin put back";
}

// The bottom strip's title drawn again in a lower strip keeps its glyphs
// inside the strip's frame: no text across the frame or past the window.
TEST_F(WindowRecord, BottomTitleStaysInsideItsStripAfterAResize)
{
    take_draw_check_reports();
    ASSERT_TRUE(resize_to(700, 500));
    draw_check_at_wait();
    std::vector<std::string> found = take_draw_check_reports();
    EXPECT_TRUE(found.empty()) << found.front();
}

// A text near the drawing area's foot falls past the window's bottom when
// the window is made shorter; made tall again, the window shows it at its
// own row, not in the bottom strip across the strip's frame.
TEST_F(WindowRecord, ATextPastAShorterWindowComesBackAtItsRow)
{
    const int row = Maxy - 2 * CHeight;
    moveto(200, row);
    outtext("1d size=56");
    ASSERT_TRUE(resize_to(width, height * 3 / 4));
    ASSERT_LT(WinMaxy, row);
    ASSERT_TRUE(resize_to(width, height));
    draw_check_at_wait();
    std::vector<std::string> found = take_draw_check_reports();
    EXPECT_TRUE(found.empty()) << found.front();
    EXPECT_TRUE(shows_colour(200, row, 200 + 4 * CWidth, row + CHeight - 1, white))
        << "the text is not back at its row";
}

// A settings dialog's three-line box, the window resized, then the next
// question's one-line box in its place: the taller box goes whole.
TEST_F(WindowRecord, ATallerPromptBoxGoesWholeUnderTheNextAfterAResize)
{
    int margin = replace_prompt_box(3);
    outtext("basin spacing, % of 1/2 screen");
    moveto(margin, gety + CHeight);
    outtext("x spacing (def 30):");
    ASSERT_TRUE(resize_to(width * 3 / 4, height * 3 / 4));
    replace_prompt_box(1);
    outtext("select right border as % of x spacing (def 5.0):");
    EXPECT_FALSE(shows_something(window_now(), prompt_box_left(Maxx), prompt_box_bottom(1) + 1, Maxx,
                                 prompt_box_bottom(3) + 4))
        << "the foot of the taller box stands under the one-line box";
}

// A prompt box's line as wide as the box's room, the window made narrower
// than its font: the line drawn again is cut after a word to end inside the
// box's frame, "..." showing the cut; back at the old size it is whole.
TEST_F(WindowRecord, ALineThatNoLongerFitsItsBoxIsCutInsideItsFrame)
{
    replace_prompt_box(1);
    std::string line = "root(hex)=";
    auto width_of = [](const std::string &s) { return text_pixel_width(s.c_str(), static_cast<int>(s.size())); };
    while (width_of(line + " 00") <= prompt_box_text_room())
        line += " 00";
    outtext(line.c_str());
    ASSERT_TRUE(resize_to(width * 2 / 3, height));
    ASSERT_GT(width_of(line), prompt_box_text_room()) << "the font narrowed with the window";
    const std::vector<uint32_t> pixels = window_now();
    const int right = box_right_edge(Maxx), bottom = prompt_box_bottom(1) - 1;
    EXPECT_FALSE(shows_something(pixels, right - 2, 3, right - 1, bottom)) << "the line reaches the frame";
    EXPECT_FALSE(shows_something(pixels, right + 1, 3, Maxx, bottom)) << "the line runs past the frame";
    int cut = 0;
    visit_marked_texts([&](const marked_text &m) {
        cut += m.s.size() > 3 && m.s.compare(m.s.size() - 3, 3, "...") == 0 && m.s.rfind("root(hex)= 00", 0) == 0;
    });
    EXPECT_EQ(cut, 1) << "no line cut after a byte with \"...\"";
    ASSERT_TRUE(resize_to(width, height));
    int whole = 0;
    visit_marked_texts([&](const marked_text &m) { whole += m.s == line; });
    EXPECT_EQ(whole, 1) << "the line is not whole again at the old size";
}

// A box over a picture the record cannot draw again (a polygon): the
// resize leaves the drawing where it was, and the box's region saved before
// it comes back in place; but once the window was cleared since (a stage
// drawn afresh at the new size), the region's old pixels are not put back
// over it.
TEST_F(WindowRecord, ARegionSavedBeforeAResizeComesBackOnlyOverTheDrawingItWasSavedFrom)
{
    const int triangle[] = {20, 400, 60, 400, 40, 440};
    fillpoly(3, triangle);
    moveto(200, 200);
    outtext("UNDER");
    draw_box(3, 150, 150, 400, 300, 1, blue);
    ASSERT_TRUE(resize_to(width * 3 / 4, height * 3 / 4));
    ASSERT_TRUE(shows_colour(160, 160, 390, 290, blue)) << "the drawing did not stay where it was";
    putimage(150, 150, &boximage[3], 0);
    freeimage(&boximage[3]);
    EXPECT_TRUE(shows_something(window_now(), 195, 195, 300, 225)) << "what the box covered did not come back";
    EXPECT_FALSE(shows_colour(150, 150, 400, 300, blue)) << "the box stayed";

    fillpoly(3, triangle);
    draw_box(3, 150, 150, 400, 300, 1, blue);
    ASSERT_TRUE(resize_to(width, height));
    clear_drawing_area();
    putimage(150, 150, &boximage[3], 0);
    freeimage(&boximage[3]);
    EXPECT_FALSE(shows_something(window_now(), 0, 0, Maxx, Maxy)) << "the region saved before the resize was put back";
}

} // namespace
