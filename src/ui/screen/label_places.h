// The places the labels of a picture take (node numbers of a basin field,
// the shares of a graph's nodes): a label is drawn only where it covers none
// drawn before it, so that where nodes crowd, the labels that fit stay
// readable instead of being written over one another.
#pragma once

// Whether the rectangle (corners inclusive) covers none of the places taken
// since the last forget_label_places or the last clear of the whole drawing
// area; when it covers none, it is taken. The part of it off the window
// counts for nothing.
bool take_label_place(int x0, int y0, int x1, int y1);
// A picture begins: no place is taken.
void forget_label_places();
