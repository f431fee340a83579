// The box that shows the general pre-image method's cell order once it is
// made: "reorder=" and the cells in processing order, in a box from half the
// window's width to its right edge below the prompt line.
#pragma once
#include <string>
#include <vector>

// The lines of the box's text for a box whose text starts at margin and
// must end before right: "reorder=" and each cell of cell_order from
// position L down to 0 as "%d ", a line broken before a cell that would
// pass right. Where more than most lines would be needed the last ends
// in "...".
std::vector<std::string> cell_order_lines(int margin, int right, size_t most);
// Draws the box (nothing without a window, with mutants laid out on one
// screen, or without a cell order); the current point and colour are put
// back. No background is saved: the next prompt draws over it.
void draw_cell_order_box();
