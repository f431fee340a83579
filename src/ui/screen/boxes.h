// The fixed places of dialogue: prompt box (top right), memory box (top
// middle), inset box, hint box and title strip (bottom), general boxes that
// save what they cover, and the text column on the left.
#pragma once
#include <cstdint>
#include <vector>

#include "ui/screen/globals.h"
// The texts written in prompt boxes and the status (memory) box, declared
// beside the boxes they belong to.
#include "ui/screen/memory_box.h"
#include "ui/screen/prompt_text.h"

// The viewport kept across a drawing that may widen it to the drawing area:
// a box of its own (a dialog, the state-space matrix) is not cut by a clip
// a caller set for its picture (the basins' area). A viewport that takes
// in the bottom strip is left as it is. restore() sets the kept viewport
// again after widen_to_drawing_area widened it; put_back() sets it again
// whatever changed it since (a drawing that sets a viewport of its own).
struct saved_viewport {
    int16_t x0 = view_x0, y0 = view_y0, x1 = view_x1, y1 = view_y1;
    bool widened = false;
    void widen_to_drawing_area();
    void restore() const;
    void put_back() const;
};

// The pixels between a box's frame and its text, across and down: vgax(3),
// and never fewer than 3 (a prompt box's), so that in a small window, where
// vgax(3) is a pixel or none, a glyph that reaches left of where it is
// written, or a line's first row, still stands clear of the frame.
int box_text_inset();
// A box framed (frame 1) and filled in colour (none when negative), what
// it covers saved in boximage[slot] (0..29; none otherwise); the point and
// the result at its text margin (box_text_inset from its left frame).
int16_t draw_box(int slot, int x0, int y0, int x1, int y1, int frame, int colour);
// The prompt box of n lines, its foot moved below a line of text it would
// cut (prompt_box_bottom_past_ink), which it then hides the end of whole;
// its erase, its save (get_prompt_box, save_under_prompt_box) and a
// replace_prompt_box take the same foot. Returns the text margin.
int16_t draw_prompt_box(int n);
int16_t draw_prompt_box_to(int bottom); // the prompt box down to row bottom
// A box as the prompt box of n lines, with its top left corner at (left,
// top) instead (below or beside a box of the caller's); returns its text
// margin.
int16_t draw_prompt_box_at(int left, int top, int n);
int prompt_box_bottom(int n);        // last row of the prompt box of n lines
// Clears the prompt box of n lines, or the taller one replace_prompt_box
// drew last, whole, and draws again the ends of the text column's lines it
// hid: a dialog that ends on a taller box than its first
// leaves no lower part of it behind.
void erase_prompt_box(int n);
// Clears the prompt box's place down to row bottom: a box drawn by
// draw_prompt_box_to.
void erase_prompt_box_to(int bottom);
// A prompt box of n lines in place of the last one a settings dialog drew:
// the rows a taller one (in lines, or in the font it was drawn in) left
// below it are cleared too (until an erase, or a clear of the drawing area).
int16_t replace_prompt_box(int n);
// The box replace_prompt_box drew last, where it stood when
// drawing_area_clears() was clears_before, counts as standing still after
// a clear of the whole drawing area since: a dialog whose entry went on
// over a picture drawn there meanwhile (a screen image loaded by hot key)
// echoes its answer into that box's rows, which the next box clears.
void prompt_box_outlives_clear(uint32_t clears_before);
// The last row of the box replace_prompt_box left standing (0: none).
int replaced_prompt_box_bottom();
void get_prompt_box(int slot, int n); // saves the prompt box in boximage_prompt
// A one-line framed box at the prompt box's top right corner with text in
// it, or left of a box standing there (top_right_box_standing): c characters
// wide, wider where the text needs it.
void inset_prompt_box(int c, const char *text);
// Whether a key box stands at the top right, from the window's top as the
// prompt box (the value key's, the frozen key's: standing_boxes.h), with
// the left column and bottom row of those standing, as one.
bool top_right_box_standing(int *left, int *bottom);
// The lines a prompt box of n lines takes so that it covers the box
// standing at the top right (top_right_box_standing, or a settings prompt
// left standing) whole: n, or
// as many more as reach below that box's last row where n lines would end
// across its lines.
int prompt_lines_covering_top_right_box(int n);
// The last row of the prompt box of n lines, moved down to the first row
// inside its columns that no text's ink takes (text_inks.h), within two
// lines' height (its own where none is): a box framed down to it hides
// whole the lines of text its foot would otherwise cut.
int prompt_box_bottom_past_ink(int n);
// The same for a box from column left to right whose last row would be
// bottom.
int box_bottom_past_ink(int bottom, int left, int right);
// A one-line box at the top right for a line of `width` pixels (an entry
// and its cursor included): the prompt box of one line where no box stands
// at the top right; else ending two columns left of that box, widened to
// the left as the line needs, or, where the window has no room for that,
// in the prompt box's columns below it. A one-line prompt or readout in it
// leaves the box at the top right whole.
struct line_box {
    int left, top, right, bottom;
};
line_box line_box_beside_key(int width);
// The prompt box's first line cleared, left of a box standing at the top
// right (top_right_box_standing) where one stands: a clear of the whole line
// would cut that box's lines. Nothing is cleared where the line has no
// room beside it (its place is that box's).
void erase_prompt_line_beside_key();
// The box framed and cleared (nothing saved), after the one-line boxes at
// the top right that it meets in part are taken away whole, and kept as
// one of them; the current point at its text margin, the colour white.
void draw_line_box(const line_box &b);
// Erases b where it is a one-line box drawn at the top right that still
// stands there (no box took it, no clear of the drawing area since).
void erase_top_line_box(const line_box &b);
// What the window shows from x = left to the boxes' right edge, y = 2 to
// bottom, kept in image: boxes standing there that the place meets in part
// go whole first (standing_boxes.h), so that the put back shows no piece
// of one; those it covers whole stand again when it is put back.
void save_under_top_right(int left, int bottom, image_slot *image);
// What save_under_top_right kept shown again and image freed.
void put_back_under_top_right(int left, image_slot *image);
// The same for the place of the prompt box of n lines, kept in
// boximage_prompt[slot], for a box over a display that puts it back when
// it closes.
void save_under_prompt_box(int slot, int n);
void put_back_under_prompt_box(int slot);
int draw_hint_box(int wait, int frame, const char *text, int x);
void erase_free_hint_box(int x);
void erase_box(int x0, int y0, int x1, int y1);
// The exit question ("Exit Zemra-q, Restart-ret:") in the middle of the
// drawing area: a blue box round a black one whose frame holds the text's
// line whole, at any window size. slot: the boximage slot that keeps what
// the blue box covers (-1: none). Returns the blue box's corners, for its
// erase or put back.
struct box_corners {
    int x0, y0, x1, y1;
};
box_corners draw_exit_question(int slot, const char *text);
// Viewport := the drawing area, cleared to the background.
void clear_drawing_area();
void draw_bottom_title(int mode);
// The current point at column x of a line of text whose top is top, raised
// where the glyphs of text in the font in use would ink below row last (the
// row above a strip's frame).
void move_to_strip_line(const char *text, int x, int top, int last);
// The top row of the set-up's text column, where its first line stands:
// vgay(50), or below a prompt box of three lines where that reaches it.
int text_column_top();
// The top edge of the tallest rule box at the window's foot, of three lines
// (codes, or a larger k): text drawn before the box that must not run under
// it ends above it.
int tallest_rule_box_top();
// The top edge of the rule box of two lines (a rule table of small k), the
// usual one.
int two_line_rule_box_top();
// The first row at or below y that the ink of the text column's lines
// leaves free: a box framed from there down covers whole lines only, and
// the line it reaches stays whole above it.
int text_column_clear_row(int y);
// A box or region that reaches into the text column's lines hides them whole
// instead of showing them cut at its edges: rows top..bottom across the
// window's width are kept in *under first, then those from hide_from down
// cleared (rows above hide_from that it keeps are hidden by other means, or
// belong to no line).
void save_hiding_lines_in_band(int top, int hide_from, int bottom, image_slot *under);
// Rows y0..y1 from column x0 to x1 cleared (a graph's place on the
// window's right part, kept after) where the lines of text its left edge
// would cut are hidden whole instead: the band of rows they take, from a
// free row above them to one below, is cleared across the window first.
void clear_hiding_lines_cut(int x0, int y0, int x1, int y1);
// What *under kept shown again at row top; put_back_ frees it.
void show_under_band(int top, image_slot *under);
void put_back_under_band(int top, image_slot *under);
// A tall prompt box reaches down over the right ends of the text column's
// first lines. Those lines are hidden whole while it is up instead of
// showing cut at its left edge: the band they take is cleared across the
// window's width (an erase of the box, which draws again the column's texts
// it did not cover, leaves them hidden), and what the box of n lines and
// the band cover is kept in boximage_prompt[slot] first.
// prompt_band_bottom: the last row the box and that band take.
int prompt_band_bottom(int n);
void save_hiding_lines_under_prompt(int slot, int n);
// A prompt box of n lines that may reach the set-up's text column: the
// lines it reaches into are hidden whole while it is up (what the box and
// the band cover kept in boximage_prompt[slot]), and come back with what
// lay under the box when erase_tall_prompt_box takes it down.
int16_t draw_tall_prompt_box(int slot, int n);
void erase_tall_prompt_box(int slot, int n);
// The band cleared again, after what lay under it was shown for a while.
void hide_lines_under_prompt(int n);
// What the box and its band covered shown again; put_back_ frees the slot.
void show_under_prompt_band(int slot);
void put_back_under_prompt_band(int slot);
void next_line(float col, float lines);
void setpback_x_lines(int n);
