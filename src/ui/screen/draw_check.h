// The draw check: with ZEMRA_DRAW_CHECK=1 in the environment the program
// watches its own drawing and writes a line beginning "draw check: " to
// standard error for each of
// - a fill, a clear or a saved area put back that covers part of a text's
//   glyphs in height (a line cut through, not hidden whole),
// - a line or a box's frame drawn through a text's glyphs,
// - a text, a frame or a line that runs past the window's edge, or from the
//   drawing area into the bottom strip,
// - a text drawn over another text that was not cleared first.
// Cuts and lines through text are judged when the program next waits for a
// key (what the user sees), so a text drawn again inside the clearing that
// cut it is no fault. At the end, "draw check: N drawings checked, R
// reported". Off, each hook returns at once.
//
// The primitives of this folder call the hooks after they drew on the
// window; the check keeps its own list of the texts on the window, with
// their glyphs' extent and what hid or cut them since.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ui/screen/globals.h"

// Reads ZEMRA_DRAW_CHECK (on when it is "1").
void start_draw_check_from_environment();
// Turns the check on or off, forgetting what it saw (a test's fixture).
void set_draw_check(bool on);
bool draw_check_on();

// After outtext drew s at (x, y) (top of its line) in colour.
void check_text(const char *s, int x, int y, int colour);
// After a rectangle fill (corners inclusive, as asked, before the viewport
// clips it). how names the drawing function.
void check_fill(int x0, int y0, int x1, int y1, int colour, int style, const char *how);
// After a line, and after a rectangle's frame.
void check_line(int x0, int y0, int x1, int y1, const char *how);
void check_outline(int x0, int y0, int x1, int y1, int colour, const char *how);
// A window region saved into pixmap, the pixmap freed, and the pixmap put
// on the window at (x, y) with size w x h: a region saved at that place
// brings back what lay there; any other image covers what it lands on.
void check_capture(image_slot pixmap, int x0, int y0, int x1, int y1);
void check_capture_freed(image_slot pixmap);
void check_put_image(image_slot pixmap, int x, int y, int w, int h);
// The window record drew text s (drawn at (x, y)) again inside the
// rectangle: what cut or hid it there is gone.
void check_text_redrawn(const std::string &s, int x, int y, int x0, int y0, int x1, int y1);
// The window was drawn afresh at a new size: what the check knew of it is
// gone.
void check_window_redrawn();
// While paused (the blinking block of a key wait) nothing is checked.
void pause_draw_check(bool paused);

// At a key wait: reports the cuts and lines through text still on screen.
void draw_check_at_wait();
// Every report made since the check was turned on or the reports last
// taken, pending ones judged first; taking them empties the list.
std::vector<std::string> take_draw_check_reports();
// Writes the end line "draw check: N drawings checked, R reported".
void draw_check_summary();
