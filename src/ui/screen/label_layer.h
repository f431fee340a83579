// Labels that must stay readable over the picture they name (the node
// numbers of a subtree or a basin field), kept by the window record as a
// layer on top of what it draws. Each is written on a background of its own
// that covers its ink. A stroke drawn later across that background (a
// line, a frame, a circle, a point, segments) has the label written again
// over it at once. A drawing that fills an area over it (a fill, a text,
// pattern cells, a polygon, a pie, an image) stands over it instead: the
// label is left under it, and comes back into the layer only when a saved
// area put back brings back the pixels it had before. A clear that covers
// it whole, or of the whole drawing area, forgets it. A small pattern (a
// basin's state drawn as framed cells) is kept on top the same way, drawn
// again by its owner's function.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

// The rectangle (inclusive) a label written at (x, y), the top of its line,
// in the font in use takes with its background: the columns of its advance
// and of its glyphs' ink, which in a large font runs past the advance (the
// tail of an 'f'), and every row the font inks, so that nothing drawn
// before shows through a glyph's top, tail or side.
struct label_rect {
    int x0, y0, x1, y1;
};
label_rect top_label_rect(int x, int y, const char *text);

// Writes text at (x, y) in the font and line metrics in use, in colour on
// a background of back that fills top_label_rect, within the viewport in
// use, and keeps it on top. The labels it covers are under it from now on.
// The current point, the colours, the fill and the font are kept.
void write_top_label(int x, int y, const char *text, int colour, int back);

// Draws the pattern of bytes at (x, y) in colour, how saying the rest of
// its look (its owner's): what a pattern kept on top is drawn again with.
using top_pattern_drawer = void (*)(int x, int y, const uint8_t *bytes, int colour, int how);

// Draws the pattern by draw, within the viewport in use, and keeps it on top
// as a label over box, the rectangle (inclusive) it clears and draws on;
// the bytes are copied. The labels it covers are under it from now on. The
// current point, the colours, the fill and the font are kept.
void write_top_pattern(int x, int y, const label_rect &box, const uint8_t *bytes, size_t n, int colour, int how,
                       top_pattern_drawer draw);

// How many labels the layer keeps on top (covered ones included).
size_t top_labels_kept();

// The window record's calls (window_record.cpp), each after the drawing it
// names was recorded; coordinates are corners, inclusive. Strokes: a label
// whose background they cross is written again over them.
void labels_crossed_by_line(int x0, int y0, int x1, int y1);
void labels_crossed_by_segments(const int16_t *xy, int n);
void labels_crossed_by_frame(int x0, int y0, int x1, int y1);
// A circle or a point: the labels meeting its box.
void labels_crossed_within(int x0, int y0, int x1, int y1);
// A drawing that fills the rectangle: the labels it meets are under it,
// and forgotten where it is a clear (clears) that covers them whole.
void labels_covered_by(int x0, int y0, int x1, int y1, bool clears);
// A text s drawn at (x, y) in the font in use: the labels its ink meets are
// under it.
void labels_covered_by_text(const char *s, int x, int y);
// The whole drawing area cleared: every label is forgotten.
void forget_top_labels();
// A region saved after drawing number saved_after was put back: a label
// written since inside it is gone (or cut, where it reaches out of it), and
// one covered since that lies inside it whole shows again.
void labels_put_back(int x0, int y0, int x1, int y1, uint32_t saved_after);
// The window drawn again at a new size from the record: each label's place,
// line metrics and clip taken to the new size by to_new_frame, as the
// record moved its drawings, and the labels not covered written again there
// on top (the record's scaled copies of their backgrounds and texts, each
// rounded its own way, need not cover one another to the pixel). Patterns
// are forgotten, left as the record draws their copies: their cells keep
// their size, and drawn again they would not match those copies.
void redraw_top_labels(const std::function<void(float &x, float &y)> &to_new_frame);
