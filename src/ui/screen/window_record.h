// What the window shows, kept as the list of texts and shapes drawn on it
// since the drawing area was last cleared, so that a resize from outside can
// draw the current stage again at the new size (its prompts, boxes, text
// column and bottom strip). The drawing primitives of this folder feed it.
// It is also the one list of texts on the window the draw check judges
// (draw_check.h): a text it can no longer draw again stays while the check
// holds marks on it. Each drawing it records is told to the layer of labels
// it keeps on top (label_layer.h), and its hooks keep the inks of the texts
// on the window (text_inks.h), which answer where a row free of text lies.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/screen/fill_rects.h"
#include "ui/screen/globals.h"

// The sizes a recorded drawing was laid out for.
struct window_frame {
    int16_t maxx, winmaxy, maxy, cheight, cwidth;
};
// Maxx, WinMaxy, Maxy, CHeight and CWidth as they are now.
window_frame current_window_frame();

// The primitives' one hook each, called after they drew on the window: the
// drawing is recorded, and judged by the draw check (draw_check.h), which
// names it by `how` in its reports (text: its top-left corner and the point
// after it; shapes: their corners, inclusive).
void record_text(const char *s, int x, int y, int end_x);
void record_fill(int x0, int y0, int x1, int y1, int colour, int style, const char *how);
void record_outline(int x0, int y0, int x1, int y1, int colour, const char *how);
void record_line(int x0, int y0, int x1, int y1, int colour, const char *how);
void record_pixel(int x, int y, int colour);
void record_circle(int x, int y, int diameter, int colour);
// Drawings the record cannot hold (the drawing area is not drawn again
// until it is cleared), judged by the check all the same: a polygon of n
// corners (x, y pairs), a pie of radius r about (x, y) (with its circle),
// n segments (x0, y0, x1, y1 each), grouped cell fills, and a pattern
// copied to the window at (x, y) with size w x h.
void record_polygon(int n, const int *points);
void record_pie(int x, int y, int r);
void record_segments(const int16_t *xy, int n);
void record_cells(int colour, const cell_rect *rects, int count);
void record_pattern_copy(int x, int y, int w, int h);
// Whether a shape whose top row is top would be recorded now: a field
// draws a shape a node, mostly after the record gave up.
bool records_shapes_from(int top);
// How many times the whole drawing area was cleared since the start: a
// picture remembered by its place is gone from the window once it changes.
uint32_t drawing_area_clears();
// While paused nothing is recorded nor checked (the blinking block of a
// key wait).
void pause_window_record(bool paused);
bool window_record_paused();
// Drawings made on the window since the start, counted by the hooks above:
// the order of what was drawn, for the draw check as for the record.
uint32_t window_drawings();

// The draw check's marks on a text it follows (draw_check.cpp): its ink and
// what hid or cut it since. record_text keeps the marks check_text gives
// with the text, also where the drawing area is no longer drawn again; but
// a new text the redraw does not hold is kept for the check only while
// fewer than kMostMarkedTexts such texts are: past that the check judges
// it as drawn but follows it no further (what later cuts, crosses or
// covers it goes unreported; nothing is reported of it falsely). With the
// texts the redraw holds (within its cap on operations) the list stays
// bounded.
struct text_marks;
constexpr size_t kMostMarkedTexts = 4096;
// A text the record holds with the check's marks: its drawing's number, its
// string, the marks.
struct marked_text {
    uint32_t seq;
    const std::string &s;
    text_marks &marks;
};
// Calls visit for each marked text, oldest first.
void visit_marked_texts(const std::function<void(const marked_text &)> &visit);
// Takes the marks off the texts for which unmark is true; a text the redraw
// does not hold either is forgotten.
void unmark_texts(const std::function<bool(const marked_text &)> &unmark);

// A window region saved into pixmap (getimage), and forgotten (freeimage).
void note_window_capture(image_slot pixmap, int x0, int y0, int x1, int y1);
void forget_window_capture(image_slot pixmap);
// Before pixmap, of size w x h, is copied to the window at (x, y): a region
// saved at the same place puts back what lay there, so what was drawn over
// it since leaves the record. True when the region was saved before a
// resize: it was drawn again from the record at the new size instead, and
// the copy must not be made.
bool restore_window_area(image_slot pixmap, int x, int y, int w, int h);
// A region saved from the window into a pixmap and held: its corners
// (inclusive) and the drawings made before it was saved.
struct saved_window_area {
    int x0, y0, x1, y1;
    uint32_t drawn_before;
};
// The region held in pixmap; false when it holds none.
bool saved_area_of(image_slot pixmap, saved_window_area &area);
// Whether a region held now was saved after the drawing numbered seq (and
// before the one numbered before) and meets the rectangle: putting it back
// could bring that drawing back (as it was before that one).
bool saved_after(uint32_t seq, int x0, int y0, int x1, int y1, uint32_t before = UINT32_MAX);
// Whether a region held now, saved after the drawing numbered drawn and
// before the one numbered over, holds the rectangle: what over covered of
// that drawing there comes back when the region is put back.
bool saved_between(uint32_t drawn, uint32_t over, int x0, int y0, int x1, int y1);

// After a rectangle at the top of the window was cleared to the background
// (a prompt box taken down): the texts it cut, the lines of the text column
// below the box, drawn again within it as the record holds them. A text
// that something other than a text or such a clearing was drawn over since
// stays as it is; nothing is drawn while the record is incomplete.
void redraw_texts_within(int x0, int y0, int x1, int y1);

// The current point kept while a dialog draws elsewhere, and put back where
// it is then: moved with the drawing if the window was resized meanwhile.
// Keeps nest; each is ended by one put_back_point.
void keep_point();
void put_back_point();
// The text column's margin (xtext) kept while a dialog sets its own, and
// put back when it ends: moved as the column's lines were if the window
// was resized meanwhile. Keeps nest; each is ended by one
// put_back_text_margin.
void keep_text_margin();
void put_back_text_margin();

// A row of the window remembered across resizes (the line of the text
// column a stage began on): where it is now, after the redraws since.
struct window_row {
    int16_t y;
    uint32_t redraws; // redraws before it was remembered
};
window_row remember_row(int y);
int16_t row_now(const window_row &row);

// After a resize from the frame `before`: clears the window and draws the
// record again, scaled to the new size (text at the new fonts, each text
// that ran on from another kept running on from it; the bottom strip at the
// new bottom), and moves the current point and the text column's margin
// with it. False, and nothing drawn, when the record cannot be replayed.
bool redraw_window_record(const window_frame &before);
