// Where the ink of the texts on the window lies, and the rows it leaves
// free: a box or band framed from a free row down (or up to one) cuts no
// line of text, it hides the lines it reaches whole or leaves them whole.
// The window record (window_record.h) feeds the list from the drawing
// primitives' hooks, also where it no longer draws an area again after a
// resize (a pattern, a plot, a basin field), so the question is answered
// from what was drawn, never from the window's pixels.
//
// A text's ink is the rectangle its glyphs reach in its font, from the
// highest above the baseline to the lowest below it (a descender's tail
// included), blanks at either end taking none. Frames, lines and shapes
// take no row, but for the places a picture's labels and node bit patterns
// took (label_places.h), where a box over the picture asks past them too;
// a text drawn in the background's colour takes none (it takes away the same text drawn
// there before). An ink covered whole by a solid fill, a pattern copied
// there or an image put there is hidden, and comes back where a region
// saved before it was hidden is put back; one no saved region can bring
// back is forgotten.
#pragma once
#include <cstddef>
#include <cstdint>

// The most inks kept, shown or hidden: past that a new text's ink is not
// kept (a free row found may then cut it; nothing else goes wrong) until
// clears make room again.
constexpr size_t kMostTextInks = 8192;

// Text s drawn as drawing number seq in the font in use, its line's top-left
// corner at (x, top), in colour: its ink is on the window.
void note_text_ink(uint32_t seq, const char *s, int x, int top, int colour);
// The record drew text number seq again at (x, top) (a resize, a box taken
// down): its ink is on the window again, in place of what was kept for it.
void text_ink_drawn_again(uint32_t seq, const char *s, int x, int top, int colour);
// Drawing number seq covered the rectangle (corners inclusive) with
// something opaque: the inks of texts drawn before it and lying wholly
// inside are hidden.
void cover_text_inks(uint32_t seq, int x0, int y0, int x1, int y1);
// Drawing number seq put back a region saved after drawing saved_seq over
// the rectangle: the texts drawn after the save are hidden there, those that
// stood there when it was saved are shown again.
void put_back_text_inks(uint32_t seq, uint32_t saved_seq, int x0, int y0, int x1, int y1);
// Forgets the hidden inks that no region held now can bring back.
void forget_lost_text_inks();
// Forgets every ink (the window is drawn afresh from the record).
void forget_text_inks();
// How many inks are kept, shown or hidden (tests).
size_t text_inks_kept();

// The first row at or above y (at or below y) that the ink of no text shown
// in the drawing area takes in columns x0..x1, nor, past_label_places
// asked, a place a picture's labels or bit patterns took (a box framed over
// a basin field; such places are kept until the area is cleared, so boxes
// over other boxes do not ask past them). The answer may lie past the
// window's edge (above row 0, below Maxy); a caller that must stay within
// reach of y bounds it itself.
// past_label_places asked, by name.
constexpr bool kPastLabelPlaces = true;
int free_row_above(int y, int x0, int x1, bool past_label_places = false);
int free_row_below(int y, int x0, int x1, bool past_label_places = false);
