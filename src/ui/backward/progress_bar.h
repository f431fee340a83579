// The progress bar of long computations: a framed box in the band below the
// status box, from the middle of the window to its right edge.
#pragma once

// Draws the empty bar over its background and sets barxl, barxr, baryt,
// baryb, its inner rectangle.
void progress_bar();
// Fills the inner rectangle in green from its left up to column right, at
// most to its last column inside the frame, unless that fill is already
// there; leaves the fill colour green.
void fill_progress_bar_to(int right);
// Something was drawn over the bar: the next fill is drawn whatever it is.
void note_progress_bar_drawn_over();
// Clears the bar's box to the background.
void erase_progress_bar();
// After a clearing of x0..x1, y0..y1 (corners inclusive) while the bar
// stands: where it met the bar, the bar is drawn again empty, whole (the
// computation's next fill fills it again); a clearing beside it leaves it.
void redraw_progress_bar_met_by(int x0, int y0, int x1, int y1);
// The first and last rows of the bar's framed box, which spans the window's
// right half: what is drawn below the bar starts lower.
int progress_bar_top();
int progress_bar_bottom();
