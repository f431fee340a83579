// The draw check on the real window: each kind of fault it reports, drawn
// as a developer's slip with the real primitives (an erase short of its box,
// a frame below its box, a saved area put back too small, lines too close, a
// circle through a label, a line past the edge, ...), what it must not
// report (a text hidden whole, a text drawn again inside the clearing that
// cut it, a modal box saved and put back whole, also over a frame with
// points plotted on it, lines at their spacing), a
// modal box over part of a standing box that drawings keep clear of
// (reported while it stands), and coordinates at the ends of the int range.
#include "support/x_test_fixture.h"
#include "support/draw_check_allow.h"

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/draw_check.h"
#include "ui/screen/draw_check_lines.h"
#include "ui/screen/draw_check_parts.h"
#include "ui/screen/fill_rects.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/standing_boxes.h"
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
    // Whether reports were made, each holding what (a box and its frame
    // left standing give one each).
    static ::testing::AssertionResult reported_as(const std::vector<std::string> &found, const std::string &what)
    {
        bool each = !found.empty();
        std::string all;
        for (const std::string &r : found) {
            each = each && r.find(what) != std::string::npos;
            all += "\n  " + r;
        }
        if (each)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << found.size() << " reports, wanted each with \"" << what << "\":" << all;
    }
};

TEST_F(DrawCheck, WhatTheUserCannotSeeCutIsNotReported)
{
    const int x = 40, y = 100, w = 40 * CWidth;
    setcolor(white);
    // Hidden whole: a clearing over the whole height of the line, in two
    // parts.
    text_at(x, y, "hidden whole");
    clear(x + 3 * CWidth, y - 2, x + w, y + CHeight + 2);
    clear(x - 2, y - 2, x + 3 * CWidth, y + CHeight + 2);
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
    // A line cut at a box's right frame by the viewport: nothing of it is
    // drawn on or past the frame.
    rectangle(x - 5, y + 12 * CHeight - 3, x + 5 * CWidth, y + 13 * CHeight + 3);
    setviewport(0, 0, x + 5 * CWidth - 2, Maxy, 1);
    text_at(x, y + 12 * CHeight, "cut at the frame");
    setviewport(0, 0, Maxx, Maxy, 1);
    EXPECT_TRUE(reports().empty());

    // A frame cleared whole while a copy of its place saved after it was
    // held: once that copy is freed unput, with only a copy saved after the
    // clear held, the frame is gone and a fill over a part of its place is
    // no fault.
    const int fy = y + 15 * CHeight;
    setcolor(white);
    rectangle(x, fy, x + w, fy + CHeight);
    image_slot before_clear = 0, after_clear = 0;
    getimage(x - 10, fy - 10, x + w + 10, fy + CHeight + 10, &before_clear);
    clear(x, fy, x + w, fy + CHeight);
    freeimage(&before_clear);
    getimage(x - 10, fy - 10, x + w + 10, fy + CHeight + 10, &after_clear);
    setfillstyle(0, red);
    bar(x + w / 2, fy - 5, x + w + 5, fy + CHeight + 5);
    EXPECT_TRUE(reports().empty());
    freeimage(&after_clear);
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
    // middle row crosses it and runs past the window's edge; the diagonal
    // runs past the edge; those wholly off the window meet nothing.
    int middle = y + CHeight / 2;
    check_line(INT_MIN, middle, INT_MAX, middle, white, "lineto");
    std::vector<std::string> found = reports();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_TRUE(one_report({found[0]}, "runs past the window's edge"));
    EXPECT_TRUE(one_report({found[1]}, "crosses \"crossed\""));
    check_line(INT_MAX, INT_MIN, INT_MIN, INT_MAX, white, "lineto");
    EXPECT_TRUE(one_report(reports(), "runs past the window's edge"));
    check_line(INT_MIN, INT_MIN, INT_MAX, INT_MIN, white, "lineto");
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

// A deliberate fault drawn with the real primitives, and the words of the
// one report it must give.
struct drawn_fault {
    const char *name;
    void (*draw)();
    const char *report;
};

constexpr int kLeft = 40, kTop = 120;

void
text_line(int x, int y, const char *s)
{
    setcolor(white);
    moveto(x, y);
    outtext(s);
}

void
clear_box(int x0, int y0, int x1, int y1)
{
    setfillstyle(0, black);
    bar(x0, y0, x1, y1);
}

// A box as the dialogs draw one: cleared, filled, then framed.
void
framed_box(int x0, int y0, int x1, int y1, int frame_drop = 0)
{
    setfillstyle(0, blue);
    bar(x0, y0, x1, y1);
    setcolor(white);
    rectangle(x0, y0 + frame_drop, x1, y1 + frame_drop);
}

// A box over a line of text whose area was saved with `narrower` columns
// and `shorter` rows less than the box takes, then put back.
void
box_put_back_short_of_it(int narrower, int shorter)
{
    const int x1 = kLeft + 30 * CWidth, y1 = kTop + 3 * CHeight;
    text_line(kLeft + 10, kTop + CHeight, "a line under the exit box");
    image_slot under = 0;
    getimage(kLeft, kTop, x1 - narrower, y1 - shorter, &under);
    framed_box(kLeft, kTop, x1, y1);
    putimage(kLeft, kTop, &under, 0);
    freeimage(&under);
}

const drawn_fault kFaults[] = {
    {"a clearing across the upper half of a line",
     [] {
         text_line(kLeft, kTop, "Harvest the glyphs");
         clear_box(kLeft, kTop, kLeft + 40 * CWidth, kTop + CHeight / 2);
     },
     "cuts \"Harvest the glyphs\""},
    {"a frame whose top runs through a word",
     [] {
         text_line(kLeft, kTop, "framed");
         rectangle(kLeft - 5, kTop + CHeight / 2, kLeft + 40 * CWidth, kTop + 3 * CHeight);
     },
     "rectangle frame"},
    // outtext cuts a text at the boxes' right frame where "..." fits
    // before it; one begun past that frame is written as it is.
    {"a text past the window's right edge",
     [] { text_line(Maxx - 1, kTop, "past the edge"); },
     "runs past the window's edge"},
    {"a text over another not cleared first",
     [] {
         text_line(kLeft, kTop, "first");
         text_line(kLeft + CWidth / 2, kTop + 2, "second");
     },
     "drawn over \"first\""},
    {"an erase 4 px short of its box",
     [] {
         framed_box(kLeft, kTop, kLeft + 200, kTop + 2 * CHeight);
         clear_box(kLeft, kTop, kLeft + 200, kTop + 2 * CHeight - 4);
     },
     "left standing"},
    {"a frame half a line below its box",
     [] {
         framed_box(kLeft, kTop, kLeft + 200, kTop + 2 * CHeight, CHeight / 2);
         clear_box(kLeft, kTop, kLeft + 200, kTop + 2 * CHeight);
     },
     "left standing"},
    {"a saved area put back 5 px too narrow", [] { box_put_back_short_of_it(5, 0); }, "left standing"},
    {"a saved area put back 5 px too short", [] { box_put_back_short_of_it(0, 5); }, "left standing"},
    {"prompt lines 5 px too close",
     [] {
         text_line(kLeft, kTop, "Type the rule, quit-q:");
         text_line(kLeft, kTop + CHeight - 5, "Enter the Kind of rule:");
     },
     "touches the ink"},
    {"a circle through a label",
     [] {
         text_line(kLeft, kTop, "x=+100");
         setcolor(lightred);
         draw_circle(kLeft - 20, kTop - 10, CHeight + 20);
     },
     "circle"},
    {"a line past the window's edge",
     [] {
         setcolor(white);
         moveto(Maxx - 20, kTop);
         lineto(Maxx + 40, kTop + 10);
     },
     "past the window's edge"},
    {"a text across a frame",
     [] {
         setcolor(white);
         rectangle(kLeft + 3 * CWidth, kTop - 10, kLeft + 200, kTop + 3 * CHeight);
         text_line(kLeft, kTop, "Written across");
     },
     "drawn across"},
    {"a text across a line",
     [] {
         setcolor(white);
         moveto(kLeft, kTop + CHeight / 2);
         lineto(kLeft + 200, kTop + CHeight / 2);
         text_line(kLeft, kTop, "Struck through");
     },
     "drawn across"},
    {"a clear that runs into the bottom strip",
     [] {
         setviewport(0, 0, Maxx, WinMaxy, 1);
         clear_box(kLeft, Maxy - 10, kLeft + 100, Maxy + 5);
         setviewport(0, 0, Maxx, Maxy, 1);
     },
     "into the bottom strip"},
    {"a cut of the glyphs' top two rows",
     [] {
         int above, below;
         text_ink_in_use("THE TOP", above, below);
         text_line(kLeft, kTop, "THE TOP");
         clear_box(kLeft, kTop - 10, kLeft + 200, line_baseline(kTop) - above + 1);
     },
     "cuts \"THE TOP\""},
    {"a BackSpace that leaves its character",
     [] {
         text_line(kLeft, kTop, "ab");
         text_line(kLeft + text_pixel_width("a", 1), kTop, "c");
     },
     "drawn over \"ab\""},
    {"a polygon through a label",
     [] {
         text_line(kLeft, kTop, "basin layout preview");
         setfillstyle(0, green);
         const int corners[] = {kLeft + 20, kTop - 20, kLeft + 60, kTop + CHeight / 2, kLeft + 20, kTop + 40};
         fillpoly(3, corners);
     },
     "polygon"},
    {"a point on a glyph",
     [] {
         int above, below;
         text_ink_in_use("I", above, below);
         text_line(kLeft, kTop, "I");
         int left, right;
         text_ink_columns_in_use("I", left, right);
         putpixel(kLeft + (left + right - 1) / 2, line_baseline(kTop) - above / 2, yellow);
     },
     "lies on"},
    {"a square drawn over a key's frame",
     [] {
         framed_box(kLeft, kTop, kLeft + 200, kTop + 2 * CHeight);
         setfillstyle(0, yellow);
         bar(kLeft + 190, kTop + 10, kLeft + 210, kTop + 20);
     },
     "drawn over rectangle frame"},
    {"cells drawn over a frame",
     [] {
         framed_box(kLeft, kTop, kLeft + 200, kTop + 2 * CHeight);
         const cell_rect cells[] = {{static_cast<int16_t>(kLeft - 3), static_cast<int16_t>(kTop + 5), 6, 6}};
         fill_rects(green, cells, 1);
     },
     "drawn over rectangle frame"},
    {"a pattern copied over a frame",
     [] {
         framed_box(kLeft, kTop, kLeft + 200, kTop + 2 * CHeight);
         record_pattern_copy(kLeft + 100, kTop + 10, 200, 8);
     },
     "pattern copy"},
    {"a line from inside a frame to outside it",
     [] {
         framed_box(kLeft, kTop, kLeft + 200, kTop + 2 * CHeight);
         moveto(kLeft + 100, kTop + 10);
         lineto(kLeft + 260, kTop + 10);
     },
     "runs across rectangle frame"},
    {"a frame broken by a clearing",
     [] {
         setcolor(white);
         rectangle(kLeft, kTop, kLeft + 200, kTop + 2 * CHeight);
         clear_box(kLeft + 50, kTop - 2, kLeft + 80, kTop + 2);
     },
     "broken"},
    {"a standing box left open",
     [] {
         raise_box(box_owner::plotted_count, {kLeft, kTop, kLeft + 200, kTop + 2 * CHeight}, box_way::kept);
         setfillstyle(0, blue);
         bar(kLeft, kTop, kLeft + 200, kTop + 2 * CHeight);
     },
     "without its frame"},
    {"a clear that wipes a label column by column",
     [] {
         text_line(kLeft, kTop, "axis label");
         for (int x = kLeft + 3 * CWidth; x < kLeft + 10 * CWidth; x += 3)
             clear_box(x, kTop - 2, x + 1, kTop + CHeight + 2);
     },
     "hidden in part by bar clear"},
    {"a shorter text written over a longer one",
     [] {
         text_line(kLeft, kTop, "time 100");
         text_line(kLeft, kTop, "time 10");
     },
     "written over it from its start"},
    {"a text left where its box was cleared",
     [] {
         framed_box(kLeft, kTop, kLeft + 300, kTop + 3 * CHeight);
         text_line(kLeft + 10, kTop + CHeight, "inside");
         const int right = kLeft + 10 + text_pixel_width("inside", 6) + 2;
         clear_box(kLeft, kTop, kLeft + 300, kTop + CHeight - 1);
         clear_box(kLeft, kTop + 2 * CHeight, kLeft + 300, kTop + 3 * CHeight);
         clear_box(kLeft, kTop + CHeight, kLeft + 8, kTop + 2 * CHeight - 1);
         clear_box(right, kTop + CHeight, kLeft + 300, kTop + 2 * CHeight - 1);
     },
     "alone where the box"},
};

TEST_F(DrawCheck, EachDeliberateFaultIsReported)
{
    for (const drawn_fault &f : kFaults) {
        SCOPED_TRACE(f.name);
        f.draw();
        std::vector<std::string> found = reports();
        EXPECT_TRUE(std::any_of(found.begin(), found.end(),
                                [&](const std::string &r) { return r.find(f.report) != std::string::npos; }))
            << report_lines(found);
        clear_drawing_area();
        reports();
    }
}

// A 2d+time cell lying across the oblique block's front face: a polygon,
// then its rim drawn along two of its sides as lines, is a shape set on the
// frame; the same line with another drawing between, or a line off the
// polygon's sides, runs across the frame.
TEST_F(DrawCheck, APolygonsRimDrawnAsLinesIsNoLineAcrossAFrame)
{
    setcolor(white);
    rectangle(kLeft, kTop, kLeft + 200, kTop + 300);
    // Deeper inside the frame than a link's end, out past a tick.
    const int x = kLeft + 190, y = kTop + 20, slant = 3, s = 15;
    int corners[8] = {x, y, x + slant, y - slant, x + slant + s, y - slant, x + s, y};
    setfillstyle(0, yellow);
    fillpoly(4, corners);
    setcolor(yellow);
    moveto(corners[0], corners[1]);
    lineto(corners[2], corners[3]);
    lineto(corners[4], corners[5]);
    EXPECT_TRUE(reports().empty());

    clear_box(kLeft + 300, kTop, kLeft + 310, kTop + 10);
    moveto(corners[2], corners[3]);
    lineto(corners[4], corners[5]);
    EXPECT_TRUE(one_report(reports(), "runs across rectangle frame"));

    fillpoly(4, corners);
    moveto(kLeft + 190, kTop + 40);
    lineto(kLeft + 210, kTop + 40);
    EXPECT_TRUE(one_report(reports(), "runs across rectangle frame"));
    clear_drawing_area();
    reports();
}

// A 2d+time view's stack of frames is an oblique block: its front face a
// frame, its top face the first frame's plane. A plane drawn inside it (a
// change's mark at a later frame), level or along the block's run, crosses
// the face's top and right sides as a plane within the block does. A line
// of that run reaching past the block, a line inside it that is no
// plane's (upright), and the plane's line across a frame that is no
// block's face run across the frame.
TEST_F(DrawCheck, APlaneWithinAnObliqueBlockIsNoLineAcrossItsFace)
{
    const int top = kTop + 40, bottom = top + 300, width = 200, run = 100, s = 5;
    setcolor(white);
    moveto(kLeft, top);
    lineto(kLeft + width, top);
    lineto(kLeft + width + run, top - run);
    lineto(kLeft + run, top - run);
    lineto(kLeft, top);
    rectangle(kLeft, top, kLeft + width, bottom);
    EXPECT_TRUE(reports().empty());

    const int y = top + 60;
    for (int i = 1; i < width / s; i++) {
        moveto(kLeft + i * s, y);
        lineto(kLeft + i * s + run, y - run);
    }
    for (int g = s; g < run; g += s) {
        moveto(kLeft + g, y - g);
        lineto(kLeft + width + g, y - g);
    }
    moveto(kLeft, y);
    lineto(kLeft + width, y);
    lineto(kLeft + width + run, y - run);
    lineto(kLeft + run, y - run);
    lineto(kLeft, y);
    EXPECT_TRUE(reports().empty());

    moveto(kLeft + 50, y);
    lineto(kLeft + 50 + 2 * run, y - 2 * run);
    EXPECT_TRUE(one_report(reports(), "runs across rectangle frame"));
    moveto(kLeft + run / 2, top - run / 2);
    lineto(kLeft + run / 2, top + 40);
    EXPECT_TRUE(one_report(reports(), "runs across rectangle frame"));

    const int x = kLeft + width + run + 40;
    rectangle(x, top, x + width, bottom);
    moveto(x + s, y);
    lineto(x + s + run, y - run);
    EXPECT_TRUE(one_report(reports(), "runs across rectangle frame"));
    clear_drawing_area();
    reports();
}

// After a resize the window drawn again is followed: a text the record
// drew again is cut as any other; a region saved before the resize and
// copied back after it (the record could not draw it again) is a fault.
// Past the caps, the drawings not followed are counted in the closing line.
TEST_F(DrawCheck, TheWindowAfterAResizeAndWhatGoesUnfollowedAreReported)
{
    const int width = Maxx + 1, height = WinMaxy + 1;
    text_line(kLeft, kTop, "drawn again");
    image_slot under = 0;
    getimage(kLeft, kTop + 4 * CHeight, kLeft + 100, kTop + 6 * CHeight, &under);
    ASSERT_TRUE(resize_to(width * 3 / 4, height * 3 / 4));
    EXPECT_TRUE(reports().empty());
    int above, below;
    text_ink_in_use("drawn again", above, below);
    int y = -1;
    visit_marked_texts([&](const marked_text &m) { y = m.s == "drawn again" ? m.marks.y : y; });
    ASSERT_GE(y, 0) << "the text drawn again is not followed";
    clear_box(0, y - 20, 300, line_baseline(y) - above + 1);
    EXPECT_TRUE(reported_as(reports(), "cuts \"drawn again\""));
    // Something the record cannot draw again: the region is copied.
    record_pattern_copy(Maxx - 20, Maxy - 20, 4, 4);
    putimage(kLeft, kTop + 4 * CHeight, &under, 0);
    freeimage(&under);
    EXPECT_TRUE(reported_as(reports(), "saved before the window was resized"));
    ASSERT_TRUE(resize_to(width, height));
    clear_drawing_area();
    reports();

    for (int i = 0; i < 300; i++) {
        setcolor(white);
        rectangle(kLeft + i, kTop, kLeft + i + 10, kTop + 10);
    }
    testing::internal::CaptureStderr();
    draw_check_summary();
    const std::string line = testing::internal::GetCapturedStderr();
    EXPECT_NE(line.find(kDrawCheckCountMark), std::string::npos) << line;
    EXPECT_EQ(line.find(", 0 not followed"), std::string::npos) << line;
    EXPECT_NE(line.find(" not followed"), std::string::npos) << line;
    clear_drawing_area();
    reports();
}

// A shorter window: a line of the old drawing area's foot is drawn again
// at its line's place, below the new drawing area's bottom, which cuts it
// away whole though it reaches past the window's last row; nothing of it
// shows, nothing is reported. One the new bottom cuts in part is.
TEST_F(DrawCheck, ALineTheRedrawCutsAwayWholeIsNotReported)
{
    const int width = Maxx + 1, height = WinMaxy + 1, cheight = CHeight;
    // The frame of the shorter window, learnt by going there and back.
    ASSERT_TRUE(resize_to(width, height * 3 / 4));
    const int maxy = Maxy, winmaxy = WinMaxy, small_cheight = CHeight;
    ASSERT_TRUE(resize_to(width, height));
    clear_drawing_area();
    reports();
    // Rows scale with the line height: these come to the rows wanted there.
    auto drawn_at = [&](int row) { return row * cheight / small_cheight; };
    text_line(kLeft, drawn_at(winmaxy - small_cheight / 2), "cut away whole");
    text_line(kLeft + 200, drawn_at(maxy - small_cheight / 2), "cut in part");
    ASSERT_TRUE(resize_to(width, height * 3 / 4));
    EXPECT_TRUE(one_report(reports(), "text \"cut in part\""));
    ASSERT_TRUE(resize_to(width, height));
    clear_drawing_area();
    reports();
}

TEST_F(DrawCheck, AModalBoxSavedAndPutBackWholeIsNotReported)
{
    const int x1 = kLeft + 30 * CWidth, y1 = kTop + 3 * CHeight;
    text_line(kLeft + 10, kTop + CHeight, "a line under the exit box");
    setcolor(white);
    rectangle(kLeft + 5, kTop + 5, x1 - 5, y1 + 10);
    image_slot under = 0;
    getimage(kLeft, kTop, x1, y1, &under);
    clear_box(kLeft, kTop, x1, y1);
    framed_box(kLeft, kTop, x1, y1);
    text_line(kLeft + 5, kTop + 5, "Really quit? y/n");
    // While the box stands (a key wait) nothing is reported.
    EXPECT_TRUE(reports().empty());
    putimage(kLeft, kTop, &under, 0);
    freeimage(&under);
    EXPECT_TRUE(reports().empty());

    // A plot's frame with points on its axis, a modal box over its corner:
    // put back, the frame stands as it did, points and all.
    clear_drawing_area();
    const int fx0 = kLeft, fy0 = kTop + 6 * CHeight, fx1 = fx0 + 300, fy1 = fy0 + 200;
    setcolor(lightred);
    rectangle(fx0, fy0, fx1, fy1);
    setfillstyle(1, yellow);
    for (int y = fy0 + 4; y < fy1; y += 6)
        bar(fx0, y - 1, fx0 + 1, y);
    reports();
    getimage(fx1 - 100, fy0 - 20, fx1 + 50, fy0 + 60, &under);
    clear_box(fx1 - 100, fy0 - 20, fx1 + 50, fy0 + 60);
    putimage(fx1 - 100, fy0 - 20, &under, 0);
    freeimage(&under);
    EXPECT_TRUE(reports().empty());
}

// A key box that drawings keep clear of (box_way::kept), framed, with two
// lines in it, as the frozen key stands at the top right.
box_place
kept_key(int x0, int y0)
{
    const box_place key = {x0, y0, x0 + 24 * CWidth, y0 + 3 * CHeight};
    raise_box(box_owner::frozen_key, key, box_way::kept);
    framed_box(key.x0, key.y0, key.x1, key.y1);
    text_line(key.x0 + 5, key.y0 + 5, "frozen for 20 steps");
    text_line(key.x0 + 5, key.y0 + 5 + CHeight, "cells by value");
    return key;
}

// A modal box over part of a kept box cuts the box's lines for as long as
// it stands, though its put back shows them whole: reported while it
// stands. One that covers the kept box whole, one put back before the
// next key wait, and one over part of a box that gives way (a top line,
// shown whole again at the put back) are not.
TEST_F(DrawCheck, AModalBoxOverPartOfAKeptBoxIsReported)
{
    const int slot = 20;
    box_place key = kept_key(kLeft + 300, kTop);
    draw_box(slot, kLeft, kTop - 4, key.x0 + 6 * CWidth, kTop + 5 * CHeight, 1, 0);
    EXPECT_TRUE(reported_as(reports(), "hidden in part by bar clear"));
    putimage(kLeft, kTop - 4, &boximage[slot], 3);
    freeimage(&boximage[slot]);
    EXPECT_TRUE(reports().empty());

    // Over part of it, put back before the key wait.
    draw_box(slot, kLeft, kTop - 4, key.x0 + 6 * CWidth, kTop + 5 * CHeight, 1, 0);
    putimage(kLeft, kTop - 4, &boximage[slot], 3);
    freeimage(&boximage[slot]);
    // Over the whole of it.
    draw_box(slot, kLeft, kTop - 4, key.x1 + 4, kTop + 5 * CHeight, 1, 0);
    EXPECT_TRUE(reports().empty());
    putimage(kLeft, kTop - 4, &boximage[slot], 3);
    freeimage(&boximage[slot]);
    EXPECT_TRUE(reports().empty());
    EXPECT_TRUE(box_stands(box_owner::frozen_key));

    // Over part of a top line, which gives way but for a box over a copy
    // of its place.
    take_box(box_owner::frozen_key);
    const box_place line = {key.x0, key.y0, key.x1, key.y0 + CHeight + 8};
    raise_box(box_owner::top_line, line, box_way::taken);
    framed_box(line.x0, line.y0, line.x1, line.y1);
    text_line(line.x0 + 5, line.y0 + 4, "a one-line readout");
    draw_box(slot, kLeft, kTop - 4, key.x0 + 6 * CWidth, kTop + 5 * CHeight, 1, 0);
    EXPECT_TRUE(reports().empty());
    putimage(kLeft, kTop - 4, &boximage[slot], 3);
    freeimage(&boximage[slot]);
    EXPECT_TRUE(reports().empty());
    clear_drawing_area();
    reports();
}

// A block of an oblique view as the frequency histogram draws one: filled,
// then framed round the same place.
void
block(int x0, int y0, int x1, int y1)
{
    setfillstyle(0, darkgray);
    bar(x0, y0, x1, y1);
    setcolor(white);
    rectangle(x0, y0, x1, y1);
}

void
joining_line(int x0, int y0, int x1, int y1)
{
    setcolor(darkgray);
    moveto(x0, y0);
    lineto(x1, y1);
}

// An oblique view drawn from its back row to its front one: the nearer
// blocks, of one width, a step left and down, hide parts of those behind,
// and lines join the tops of neighbours; none of it is a fault. Boxes that
// are no such view are still reported over a frame.
TEST_F(DrawCheck, BlocksOfAnObliqueViewHideThoseBehindThem)
{
    const int w = 50, step_x = 25, step_y = 30, base = kTop + 300;
    const int back_h[] = {60, 100, 40}, front_h[] = {80, 20, 120};
    for (int c = 0; c < 3; c++) {
        const int x = kLeft + step_x + c * (w + 1);
        block(x, base - step_y - back_h[c], x + w, base - step_y);
    }
    for (int c = 0; c < 3; c++) {
        const int x = kLeft + c * (w + 1);
        block(x, base - front_h[c], x + w, base);
        if (c > 0)
            joining_line(x - 1, base - front_h[c - 1], x, base - front_h[c]);
        joining_line(x, base - front_h[c], x + step_x, base - step_y - back_h[c]);
    }
    EXPECT_TRUE(reports().empty());
    clear_drawing_area();
    reports();

    // A box of another width over a block, and a box of the same width
    // stacked lower in the same columns.
    block(kLeft, kTop, kLeft + w, kTop + 60);
    block(kLeft + 20, kTop + 40, kLeft + 20 + 2 * w, kTop + 80);
    EXPECT_TRUE(reported_as(reports(), "drawn over"));
    clear_drawing_area();
    reports();
    block(kLeft, kTop, kLeft + w, kTop + 60);
    block(kLeft, kTop + 40, kLeft + w, kTop + 100);
    EXPECT_TRUE(reported_as(reports(), "drawn over"));
    clear_drawing_area();
    reports();
    // A line across a block from a block's corner to no corner.
    block(kLeft + step_x, kTop, kLeft + step_x + w, kTop + 60);
    block(kLeft, kTop + 50, kLeft + w, kTop + 100);
    joining_line(kLeft, kTop + 50, kLeft + step_x + 10, kTop + 20);
    EXPECT_TRUE(reported_as(reports(), "runs across"));
    clear_drawing_area();
    reports();
}

TEST_F(DrawCheck, WhatStandsWholeOrGoesWholeIsNotReported)
{
    // Lines of text at their spacing, with capitals under descenders.
    text_line(kLeft, kTop, "gypsy jumping quay");
    text_line(kLeft, kTop + CHeight, "TOP HAT (Bf) [Kj]");
    // A text hidden whole by a clearing of its line.
    text_line(kLeft, kTop + 4 * CHeight, "hidden whole");
    clear_box(kLeft - 2, kTop + 4 * CHeight - 1, kLeft + 300, kTop + 5 * CHeight);
    // A box taken down in two clearings, and a frame taken down by a frame
    // in the background's colour.
    framed_box(kLeft, kTop + 7 * CHeight, kLeft + 200, kTop + 9 * CHeight);
    clear_box(kLeft, kTop + 7 * CHeight, kLeft + 200, kTop + 8 * CHeight);
    clear_box(kLeft, kTop + 8 * CHeight, kLeft + 200, kTop + 9 * CHeight);
    setcolor(white);
    rectangle(kLeft, kTop + 11 * CHeight, kLeft + 200, kTop + 12 * CHeight);
    setcolor(black);
    rectangle(kLeft, kTop + 11 * CHeight, kLeft + 200, kTop + 12 * CHeight);
    // A frame drawn again after a clearing took most of it.
    setcolor(white);
    rectangle(kLeft, kTop + 19 * CHeight, kLeft + 200, kTop + 20 * CHeight);
    clear_box(kLeft, kTop + 19 * CHeight, kLeft + 190, kTop + 20 * CHeight);
    rectangle(kLeft, kTop + 19 * CHeight, kLeft + 200, kTop + 20 * CHeight);
    // A frame whose right part a panel's clearing took, drawn again clipped
    // at the panel: its lines end there.
    rectangle(kLeft + 250, kTop + 19 * CHeight, kLeft + 450, kTop + 20 * CHeight);
    clear_box(kLeft + 300, kTop + 19 * CHeight, kLeft + 450, kTop + 20 * CHeight);
    const int16_t vx0 = view_x0, vy0 = view_y0, vx1 = view_x1, vy1 = view_y1;
    setviewport(0, 0, kLeft + 299, Maxy, 1);
    rectangle(kLeft + 250, kTop + 19 * CHeight, kLeft + 450, kTop + 20 * CHeight);
    setviewport(vx0, vy0, vx1, vy1, 1);
    // Ticks drawn out from a frame and in from it; a label written on its
    // background over a frame; a box with its text taken down whole.
    rectangle(kLeft + 500, kTop, kLeft + 700, kTop + 5 * CHeight);
    moveto(kLeft + 550, kTop + 5 * CHeight);
    lineto(kLeft + 550, kTop + 5 * CHeight + 6);
    moveto(kLeft + 500, kTop + 30);
    lineto(kLeft + 506, kTop + 30);
    // A node of a network's graph with a link drawn from its centre out,
    // and a state of a basin drawn as a row of cells, a link through it.
    rectangle(kLeft + 720, kTop, kLeft + 726, kTop + 6);
    moveto(kLeft + 723, kTop + 3);
    lineto(kLeft + 790, kTop + 3);
    rectangle(kLeft + 720, kTop + 20, kLeft + 740, kTop + 26);
    moveto(kLeft + 700, kTop + 10);
    lineto(kLeft + 760, kTop + 40);
    // A state drawn as a square of cells, a link ending inside its corner.
    rectangle(kLeft + 720, kTop + 50, kLeft + 752, kTop + 82);
    moveto(kLeft + 750, kTop + 80);
    lineto(kLeft + 760, kTop + 95);
    setfillstyle(0, black);
    bar(kLeft + 560, kTop - CHeight / 2, kLeft + 560 + 5 * CWidth, kTop + CHeight / 2);
    text_line(kLeft + 562, kTop - CHeight / 2, "label");
    framed_box(kLeft + 500, kTop + 8 * CHeight, kLeft + 700, kTop + 10 * CHeight);
    text_line(kLeft + 505, kTop + 8 * CHeight + 2, "in the box");
    erase_box(kLeft + 500, kTop + 8 * CHeight, kLeft + 700, kTop + 10 * CHeight);
    // An answer typed on after its question.
    text_line(kLeft, kTop + 14 * CHeight, "rule number:");
    outtext("110");
    // A line written close under the right half of a line, that half
    // hidden by a modal box's clearing first, in the box (both go when
    // the box's area is put back).
    const int half = kLeft + 12 * CWidth;
    const char *upper = "rule v2k3 ld=0.75 ld-r=0.5 zl=0.5";
    int above, below;
    text_ink_in_use(upper, above, below);
    text_line(kLeft, kTop + 17 * CHeight, upper);
    image_slot under = 0;
    const int box_bottom = kTop + 19 * CHeight;
    getimage(half, kTop + 16 * CHeight, kLeft + 400, box_bottom, &under);
    clear_box(half, kTop + 16 * CHeight, kLeft + 400, box_bottom);
    text_line(half, kTop + 18 * CHeight - 5, "cells not frozen shown by value");
    EXPECT_TRUE(reports().empty());
    putimage(half, kTop + 16 * CHeight, &under, 0);
    freeimage(&under);
    EXPECT_TRUE(reports().empty());
}

} // namespace
