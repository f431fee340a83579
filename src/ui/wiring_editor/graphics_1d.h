// The drawings of the 1d wiring graph editor: its six-line key prompt,
// the jump prompt, the ring of cells of the circle layout, and the input
// links of one cell in the circle and the time-step layouts. They draw
// only; the editor (editor_1d.h) owns the layout numbers and passes them.
#pragma once
#include <cstdint>

#include "engine/wiring_editor/editor_1d_layout.h"

// The editor's two layouts.
constexpr int layout_time_step = 1, layout_circle = 2;

// Where the editor draws: the layout in use, the numbers of both layouts,
// and the drawing region (x0, y0)-(x1, y1), its frame included.
struct editor_1d_picture {
    int layout = layout_time_step;
    time_step_layout rows;
    circle_layout ring;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// The key prompt in a six-line prompt box, in white, its lines the help of
// the editor's key table for this state (editor_1d_prompt_lines). The
// drawing colour is put back.
void draw_1d_graphics_prompt(int low, int high, int cursor, int step, bool rules_set, int block);

// "jump index (%d-0):" in a one-line box over the prompt area: a cell
// number 0..n-1 gives that cell; Return, a negative number or one above
// n-1 gives cell n-1. Clears is[0] and puts the prompt area back.
int jump1d();

// The ring: each cell a disc of the node radius (red for the cursor cell,
// light grey for the others, its number in black when the disc is at
// least 0.7 of a text line high), or with ticks_only a short tick; then a
// light red spike outward as long in pixels as the cell's out-degree.
// Leaves colour as the drawing colour.
void draw_ring_of_cells(int cursor, int colour, const circle_layout &ring);

// The input links of cell on the ring in the current colour, through a fan
// point each (a filled disc, blue on a white background, yellow on black)
// or with pseudo straight from cell to source. A frozen cell
// (frozen_cell) draws no link.
void draw_1d_links_c(const circle_layout &ring, int pseudo, bool rules_set, uint16_t cell);

// The input links of cell in the time-step layout in the current colour:
// from the cell in the lower row through its fan point (a 4 x 4 block on
// the fan line) to each source in the upper row, or with pseudo straight.
// A frozen cell draws no link.
void draw_1d_links(const time_step_layout &rows, int pseudo, bool rules_set, uint16_t cell);

// A link of the spread from cell from to cell to: in the time-step layout
// from from's place in the lower row to to's in the upper row, on the ring
// from ring point to ring point; in the current colour.
void draw_1d_link_line(const editor_1d_picture &pic, uint16_t from, uint16_t to);

// Colour of the fan points: blue on a white background, yellow on black.
int fan_colour();
