// What the window shows, kept as the list of texts and shapes drawn on it
// since the drawing area was last cleared, so that a resize from outside can
// draw the current stage again at the new size (its prompts, boxes, text
// column and bottom strip). The drawing primitives of this folder feed it.
#pragma once
#include <cstdint>

#include "ui/screen/globals.h"

// The sizes a recorded drawing was laid out for.
struct window_frame {
    int16_t maxx, winmaxy, maxy, cheight, cwidth;
};
// Maxx, WinMaxy, Maxy, CHeight and CWidth as they are now.
window_frame current_window_frame();

// Called by the primitives after they drew on the window (text: its top-left
// corner and the point after it; shapes: their corners, inclusive).
void record_text(const char *s, int x, int y, int end_x);
void record_fill(int x0, int y0, int x1, int y1, int colour, int style);
void record_outline(int x0, int y0, int x1, int y1, int colour);
void record_line(int x0, int y0, int x1, int y1, int colour);
void record_pixel(int x, int y, int colour);
void record_circle(int x, int y, int diameter, int colour);
// Whether a shape whose top row is top would be recorded now: a field
// draws a shape a node, mostly after the record gave up.
bool records_shapes_from(int top);
// Something was drawn on the window that the record cannot hold (a pattern,
// a polygon, an image from elsewhere): no redraw until the drawing area is
// cleared again.
void record_unreplayable();
// How many times the whole drawing area was cleared since the start: a
// picture remembered by its place is gone from the window once it changes.
uint32_t drawing_area_clears();
// While paused nothing is recorded (the blinking block of a key wait).
void pause_window_record(bool paused);

// A window region saved into pixmap (getimage), and forgotten (freeimage).
void note_window_capture(image_slot pixmap, int x0, int y0, int x1, int y1);
void forget_window_capture(image_slot pixmap);
// Before pixmap is copied to the window at (x, y): a region saved at the same
// place puts back what lay there, so what was drawn over it since leaves the
// record. True when the region was saved before a resize: it was drawn again
// from the record at the new size instead, and the copy must not be made.
bool restore_window_area(image_slot pixmap, int x, int y);

// After a rectangle at the top of the window was cleared to the background
// (a prompt box taken down): the texts it cut, the lines of the text column
// below the box, drawn again within it as the record holds them. A text
// that something other than a text or such a clearing was drawn over since
// stays as it is; nothing is drawn while the record is incomplete.
void redraw_texts_within(int x0, int y0, int x1, int y1);

// The first row at or above y that the ink of no text on the window
// reaching columns x0..x1 takes, each text's ink taken as the rows first to
// past - 1 below its line's top (texts drawn in the background's colour
// take none); y itself while the record is incomplete.
int row_above_recorded_texts(int y, int x0, int x1, int first, int past);

// The current point kept while a dialog draws elsewhere, and put back where
// it is then: moved with the drawing if the window was resized meanwhile.
// Keeps nest; each is ended by one put_back_point.
void keep_point();
void put_back_point();

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
