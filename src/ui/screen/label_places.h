// The places the labels of a picture take (node numbers of a basin field,
// the shares of a graph's nodes): a label is drawn only where it covers none
// drawn before it, so that where nodes crowd, the labels that fit stay
// readable instead of being written over one another. A node's bit pattern
// takes its place the same way, and the rows the places take are rows a box
// framed over the picture must not cut (text_inks.h asks them).
#pragma once
#include <utility>
#include <vector>

// Whether the rectangle (corners inclusive) covers none of the places taken
// since the last forget_label_places or the last clear of the whole drawing
// area; when it covers none, it is taken. The part of it off the window
// counts for nothing.
bool take_label_place(int x0, int y0, int x1, int y1);
// A picture begins: no place is taken.
void forget_label_places();
// The first and last rows of each place taken in the drawing area that
// meets columns x0..x1, added to rows.
void label_place_rows(int x0, int x1, std::vector<std::pair<int, int>> &rows);
