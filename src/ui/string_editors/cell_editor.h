// The cell editor: a state, rule table or code drawn as a grid of cells
// (define_bits, bit_grid.h) is changed cell by cell with a cursor, typed
// values and a mouse brush, and as a whole by shifts, turns, flips and the
// complement; the 'F' menu of a state loads or saves it or saves a
// rectangular part as a seed patch (*.eed). Position p of the grid is cell
// high - p (engine/rules/cell_grid.h). The editor's keys are one key table,
// from which the bit editor's key help is drawn (cell_editor_help).
#pragma once
#include <cstdint>
#include <vector>

#include "ui/screen/key_table.h"

enum class cell_edit_outcome {
    accept, // Return: the edit is done (is[0] = 13)
    quit,   // 'q': the user backed out (is[0] = 'q'); edits made stay
    redraw, // the string or its display changed: redraw and call again (is[0] = 'r')
};

// Edits cells high..low of a string of kind 0 (state), 1 (rule table) or
// 2 (code) of k inputs, drawn from the current point with pitch *size and
// gap; typing 1 lets digits set cells. right_x and bottom_y bound the
// drawn grid. A 2d state starts at row start_j2d, a 3d one at layer
// start_h3d (high is then the last cell of that row or layer). *size takes
// the cell size the user chose. The current point is put back.
cell_edit_outcome input_string_cell(int k, int kind, uint8_t *string, int high, int low,
                                    int typing, int *size, int gap, int right_x, int bottom_y);

// What decides which keys the editor takes: the kind of string (0 a
// state, 1 a rule table, 2 a code), the shape of its grid (grid_dimension)
// and whether digits set cells.
struct cell_form {
    int kind;
    int dim;
    bool typing;
};
// The key help of the editor in that form, as pieces of the help lines (a
// piece beginning with a newline starts a line; help_lines puts them
// together), each with the keys of the rows it names. A row with no keys
// names the mouse buttons. Reads value_range and mouse_found.
std::vector<key_help_line> cell_editor_help(const cell_form &form);
// Whether a key acts in that form: exactly the keys its help names.
bool cell_editor_takes(const cell_form &form, int key);
// Lines of the prompt box that holds the editor's key help in that form: a
// first line of its own for the inset box (the cursor's index, the mouse
// button's value), then the help broken to the box's width.
int cell_help_box_lines(const cell_form &form);

// Cells per row of the grid of a string (the editor's and the drawing's),
// leaving cellscale and cellsep as they were.
int grid_row_width(int k, int kind, int high, int low);
// Rows of that grid.
int grid_rows(int kind, int high, int low, int row);
// The 2d or 3d shape the grid of a state takes (twod, threed or a 1d state
// shown as 2d): 2 or 3, else 1.
int grid_dimension(int kind);
// high of a 2d state at row start_j2d or a 3d state at layer start_h3d;
// other strings keep high.
int grid_high(int kind, int high);

// In the inset box: the index of the cell at position p ("rule index=%d",
// "tcode index=%d", "1d index=%d", "2d index ij=%dx%d", "3d index
// ijh=%dx%dx%d") with ", scale=%d rot=%d"; "outside grid" past the grid.
void showbitcount(int kind, int high, int p, int row, int column, int size);
// Sets cell high - p to value and draws it in the rectangle (x0, y0)-(x1,
// y1): a hexagon on a hexagonal lattice, else a square; a dot on a 0 cell
// when divs is 1 and the cell is 4 pixels or more.
void draw_and_set_value_line(uint8_t *string, int value, int high, int p, int size, int divs,
                             int x0, int y0, int x1, int y1);

// Draws cells high - p of the grid from the current point (position 0 at
// the top left), stopping at the bottom of the drawing view while a seed is
// set; filler positions past the string show value 0. right_x and bottom_y
// take the grid's right end and bottom. The current point is put back.
void draw_string_grid(int k, int kind, const uint8_t *string, int high, int low, int size, int gap,
                      int *right_x, int *bottom_y);
