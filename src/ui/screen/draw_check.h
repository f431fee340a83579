// The draw check: with ZEMRA_DRAW_CHECK=1 in the environment the program
// watches its own drawing and writes a line beginning "draw check: " to
// standard error for each fault a user would see:
// - a fill, a clear, a pattern, an image or a saved area put back that
//   covers part of a text's glyphs in height (a line cut through), or
//   hides some of its columns whole while others still show (a text wiped
//   in part, column by column over several clearings too), the tail of a
//   longer text left beside a shorter one written over its start among
//   them;
// - a line, a frame, a circle, an arc, a pie, a polygon's side or a point
//   drawn through a text's glyphs;
// - a text drawn across a frame or a line already on the window;
// - a text drawn over another text that was not cleared first, and lines of
//   text whose ink touches (a glyph of one line sharing a pixel with, or
//   lying on the row above, a glyph of the line below);
// - a text left standing alone where the filled box it was written in was
//   taken down;
// - a frame drawn over in part by a fill, cells or a pattern copy; a line
//   (a shape's side) running from inside a frame to farther than a tick
//   outside it; a frame a clearing took a little of (broken); a box that
//   stands (standing_boxes.h) drawn filled without its frame;
// - a frame or a filled box taken down only in part: a clearing (or a saved
//   area put back) took at least half of it and a piece is left standing;
// - a saved area put back with another size than was saved at that place,
//   or saved before a resize and copied back after it (its pixels are of
//   the old size);
// - a text, fill, clear, frame, line, shape or pattern that runs past the
//   window's edge, or from the drawing area into the bottom strip.
// After a resize the window the record draws again (window_record.h) is
// judged as drawn: its drawings come through the hooks below; the reports
// made on them as they are drawn wait for the next key wait and are
// dropped if what they are about is covered by then.
// All but those made as a drawing is drawn (edges, texts over texts) are
// judged when the program next waits for a key (what the user sees), so a
// text drawn again inside the clearing that cut it, or a box taken down in
// two clearings, is no fault. At the end, "draw check: N drawings checked,
// R reported, U not followed". Off, each hook returns at once.
//
// Tolerated, as no fault a user sees:
// - a text hidden whole, or taken down whole, however many clearings it
//   took;
// - a descender's tail: a glyph's ink is kept within its line's rows (the
//   tail reaches into the next line by the font's design), and the ink of
//   the line above is taken without it when lines are judged for touching;
//   the first rows of a line, which those tails share, taken alone by the
//   clearing of the line above;
// - glyphs of one line that overlap by one column: a bearing the font sets
//   letters side by side with, as a typed answer after its question; the
//   columns of a glyph past where the point went on after its text (its
//   overhang) hidden by the next cell's clearing;
// - a text drawn again at its place, or drawn on from its start;
// - a text drawn in the background's colour: it takes away the same text;
// - a stippled fill: what lies under it shows through;
// - a label written on its own background over a frame (a background no
//   more than two lines high with a text drawn on it after): the label on
//   top; a line reaching no more than three pixels past a frame: a tick on
//   it; a line from inside a frame under 12 pixels both ways, or under 8
//   one way (no line of text fits in it): a link from a node of a
//   network's graph or of a basin's; a line ending no more than four
//   pixels inside a frame: a link drawn to its edge;
// - a line drawn along a side of the polygon drawn just before it (or
//   before the lines that did so): the shape's rim in another colour, as a
//   2d+time or 3d cell's, a side of that shape, which over a frame (the
//   oblique block's front face the cells lie across) is a marker set on it
//   as the shape itself is, not a line run across it;
// - a line of a plane within an oblique block (level, or along the block's
//   run back, both ends inside the block) across the frame that is its
//   front face, the block known by its top face's sides kept from the
//   face's top corners: a 2d+time view's stack is seen through, and the
//   plane a change marks at a later frame crosses the face as that frame's
//   cells do;
// - a shape or line cut at a viewport short of the drawing area on any side:
//   a clip the drawing chose (a plot or a preview kept to its area); a
//   drawing wholly off the window (nothing of it shows); a clearing of the
//   whole window;
// - a drawing the record draws again after a resize wholly outside the
//   viewport it draws it in: nothing of it shows (a text of the old
//   drawing area's foot, below a shorter window's new one, is cut away
//   whole by the drawing area's new bottom, though it reaches past the
//   window's last row);
// - a box whose area was saved and is put back whole (a modal box) while it
//   stands: what it covers comes back with it; but not over part of a box
//   that stands and that drawings keep clear of (box_way::kept,
//   standing_boxes.h), which it leaves standing cut: that box's lines
//   hidden or cut in part are reported while the modal box stands;
// - the blocks of an oblique view drawn from its back row to its front one
//   (the frequency histogram of a rule sample): a block (a fill framed
//   round its own place) drawn over the frame of a block of its width that
//   stands farther (its foot higher, set off sideways) hides it as the
//   view means to, and a line from a block's corner to another's crossing
//   a block of their width is an edge between their tops.
//
// Not judged: anything drawn in a key wait's pause (the blinking block).
// Judged as drawn but not followed after, and counted in the closing line
// as not followed: past 256 frames and filled boxes, or 256 lines, kept, a
// new one (a text across it or a piece of it left standing goes
// unreported); while the window record holds kMostMarkedTexts texts for
// the check alone (window_record.h), a new text it does not draw again
// (what later cuts, crosses or covers it goes unreported). What is not
// followed is never reported: these miss faults, they report none falsely.
//
// The primitives reach the check through the window record's hooks
// (window_record.h), one per primitive; the check asks the record for the
// order of drawings, the regions saved, the pause of a key wait and the
// texts on the window, on each of which it keeps its marks (check_text).
// Its files: draw_check_parts.h says which holds what.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/screen/fill_rects.h"
#include "ui/screen/globals.h"

// Reads ZEMRA_DRAW_CHECK (on when it is "1").
void start_draw_check_from_environment();
// Turns the check on or off, forgetting what it saw (a test's fixture).
void set_draw_check(bool on);
bool draw_check_on();

// After outtext drew s at (x, y) (top of its line) in colour: the marks the
// check keeps on it, which the window record holds with the text (null when
// the check does not follow it: off, blank, or drawn in the background's
// colour).
struct text_marks;
std::shared_ptr<text_marks> check_text(const char *s, int x, int y, int colour);
// After a rectangle fill (corners inclusive, as asked, before the viewport
// clips it). how names the drawing function.
void check_fill(int x0, int y0, int x1, int y1, int colour, int style, const char *how);
// After count cells of a pattern were filled in colour.
void check_cells(int colour, const cell_rect *rects, int count);
// After a line, and after a rectangle's frame.
void check_line(int x0, int y0, int x1, int y1, int colour, const char *how);
void check_outline(int x0, int y0, int x1, int y1, int colour, const char *how);
// After a point, a circle (top-left corner and diameter), a pie (centre
// and radius: its whole circle is drawn round it), a polygon of n corners
// (x, y pairs), and a pattern copied to the window.
void check_point(int x, int y);
void check_circle(int x, int y, int diameter);
void check_pie(int x, int y, int r);
void check_polygon(int n, const int *points);
void check_pattern_copy(int x, int y, int w, int h);
// Before pixmap, w x h, is put on the window at (x, y): a region saved at
// that place brings back what lay there; any other image covers what it
// lands on, and so does a region saved before a resize (a fault: its
// pixels are of the old size).
void check_put_image(image_slot pixmap, int x, int y, int w, int h, bool saved_before_resize = false);
// The window record drew text s (drawn at (x, y)) again inside the
// rectangle: what cut or hid it there is gone.
void check_text_redrawn(const std::string &s, int x, int y, int x0, int y0, int x1, int y1);
// The window is drawn afresh at a new size: what the check knew of it is
// gone (the record's redraw comes next, through the hooks above).
void check_window_redrawn();
// While the window record draws itself again (on_now): the reports on
// what it draws are held till the next key wait, and dropped if what they
// are about is covered by then (put right after the redraw).
void check_redrawing(bool on_now);
// A drawing the window record keeps no marks of for the check (past its
// cap on texts): counted as not followed.
void check_not_followed();

// At a key wait: reports the cuts and lines through text still on screen.
void draw_check_at_wait();
// Every report made since the check was turned on or the reports last
// taken, pending ones judged first; taking them empties the list.
std::vector<std::string> take_draw_check_reports();
// Writes the end line "draw check: N drawings checked, R reported, U not
// followed".
void draw_check_summary();
