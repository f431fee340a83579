// The draw check on the real window: each kind of fault it reports, and
// what it must not report (a text hidden whole, a text drawn again inside
// the clearing that cut it, a saved area put back over a cut, the same text
// drawn again at its place), and coordinates at the ends of the int range.
#include "support/x_test_fixture.h"

#include <climits>
#include <string>
#include <vector>

#include "ui/screen/draw.h"
#include "ui/screen/draw_check.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/window_record.h"

namespace {

class DrawCheck : public ClearedWindowTest {
protected:
    // The reports since the last call, judged as at a key wait.
    static std::vector<std::string> reports() { return take_draw_check_reports(); }
    static void text_at(int x, int y, const char *s)
    {
        moveto(x, y);
        outtext(s);
    }
    static void clear(int x0, int y0, int x1, int y1)
    {
        setfillstyle(0, black);
        bar(x0, y0, x1, y1);
    }
    // Whether exactly one report was made, holding what.
    static ::testing::AssertionResult one_report(const std::vector<std::string> &found, const std::string &what)
    {
        if (found.size() == 1 && found[0].find(what) != std::string::npos)
            return ::testing::AssertionSuccess();
        std::string all;
        for (const std::string &r : found)
            all += "\n  " + r;
        return ::testing::AssertionFailure() << found.size() << " reports, wanted one with \"" << what << "\":" << all;
    }
};

TEST_F(DrawCheck, EachKindOfFaultIsReported)
{
    const int x = 40, y = 100, w = 40 * CWidth;
    setcolor(white);
    // A clearing across the upper half of a line.
    text_at(x, y, "Harvest the glyphs");
    clear(x, y, x + w, y + CHeight / 2);
    EXPECT_TRUE(one_report(reports(), "cuts \"Harvest the glyphs\""));
    clear_drawing_area();

    // A frame whose top runs through a word.
    text_at(x, y, "framed");
    setcolor(white);
    rectangle(x - 5, y + CHeight / 2, x + w, y + 3 * CHeight);
    EXPECT_TRUE(one_report(reports(), "rectangle frame"));
    clear_drawing_area();

    // A text that runs past the window's right edge, reported as drawn.
    text_at(Maxx - 3 * CWidth, y, "past the edge");
    EXPECT_TRUE(one_report(reports(), "runs past the window's edge"));
    clear_drawing_area();

    // A text over another that was not cleared first.
    text_at(x, y, "first");
    text_at(x + CWidth / 2, y + 2, "second");
    EXPECT_TRUE(one_report(reports(), "drawn over \"first\""));
    clear_drawing_area();
}

TEST_F(DrawCheck, WhatTheUserCannotSeeCutIsNotReported)
{
    const int x = 40, y = 100, w = 40 * CWidth;
    setcolor(white);
    // Hidden whole: a clearing over the whole height of the line, over
    // half its width.
    text_at(x, y, "half hidden");
    clear(x + 3 * CWidth, y - 2, x + w, y + CHeight + 2);
    // The same text drawn again where it was, and drawn on from its start.
    text_at(x, y + 3 * CHeight, "again");
    text_at(x, y + 3 * CHeight, "again and on");
    EXPECT_TRUE(reports().empty());

    // A box's clearing that cuts a line, taken down with the line drawn
    // again inside it, as the prompt boxes' erase does.
    text_at(x, y + 6 * CHeight, "the text column");
    clear(x + 2 * CWidth, y + 6 * CHeight - 4, x + w, y + 6 * CHeight + CHeight / 2);
    redraw_texts_within(x + 2 * CWidth, y + 6 * CHeight - 4, x + w, y + 6 * CHeight + CHeight / 2);
    // A saved area put back over a frame drawn through a line.
    text_at(x, y + 9 * CHeight, "under a box");
    image_slot under = 0;
    getimage(x - 10, y + 8 * CHeight, x + w, y + 11 * CHeight, &under);
    setcolor(white);
    rectangle(x - 5, y + 9 * CHeight + CHeight / 2, x + w, y + 10 * CHeight);
    putimage(x - 10, y + 8 * CHeight, &under, 0);
    freeimage(&under);
    EXPECT_TRUE(reports().empty());
}

// A point computed far off the window may reach the check as INT_MIN or
// INT_MAX: the check follows such shapes without overflowing its own
// arithmetic (the sanitizer build stops at once where it does), and still
// finds what they do on the window.
TEST_F(DrawCheck, ShapesReachingTheEndsOfTheIntRangeAreFollowed)
{
    const int x = 40, y = 100;
    setcolor(white);
    text_at(x, y, "crossed");
    // Lines between the ends of the range: the one through the word's
    // middle row crosses it, those far off the window meet nothing.
    int middle = y + CHeight / 2;
    check_line(INT_MIN, middle, INT_MAX, middle, "lineto");
    EXPECT_TRUE(one_report(reports(), "crosses \"crossed\""));
    check_line(INT_MIN, INT_MIN, INT_MAX, INT_MIN, "lineto");
    check_line(INT_MAX, INT_MIN, INT_MIN, INT_MAX, "lineto");
    check_outline(INT_MIN, INT_MIN, INT_MIN + 1, INT_MAX, black, "rectangle");
    EXPECT_TRUE(reports().empty());
    // Texts at the corners of the range run past the window's edge.
    check_text("far", INT_MAX, INT_MAX, white);
    EXPECT_TRUE(one_report(reports(), "runs past the window's edge"));
    check_text("far", INT_MIN, INT_MIN, white);
    EXPECT_TRUE(one_report(reports(), "runs past the window's edge"));
    // An image put at the far corner covers nothing on the window; a
    // clearing over the whole range takes every text away.
    check_put_image(0, INT_MAX, INT_MAX, 100, 100);
    check_fill(INT_MIN, INT_MIN, INT_MAX, INT_MAX, black, 0, "bar");
    EXPECT_TRUE(reports().empty());
    clear_drawing_area();
}

} // namespace
