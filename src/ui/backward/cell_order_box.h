// The box that shows the general pre-image method's cell order once it is
// made: "reorder=" and the cells in processing order, on one line in a box
// in the prompt box's place at the top right.
#pragma once
#include <string>

// The box's line, for a line that starts at margin and must end before
// right: "reorder=" and each cell of cell_order from position L down to 0
// as "%d ", as many as fit; where not all fit, the line ends in "...".
std::string cell_order_line(int margin, int right);
// Draws the box (nothing without a window, with mutants laid out on one
// screen, or without a cell order); the current point and colour are put
// back. No background is saved: the next box drawn at the top right (a
// prompt box of any height, or the field's summary) takes it away whole,
// and the progress bar stands below it.
void draw_cell_order_box();
