// The cell editor's grid without its drawing: positions, the cursor's moves
// and the cells a brush or a typed value sets. Position p shows cell
// high - p; positions run in rows of `row`, left to right, top to bottom.
// A position is written only when its cell lies in the edited segment
// (low..high) and below the string's entry count: a 1d state shown as a
// near-square grid has filler positions past cell n-1, drawn but never
// written. The editor with its keys is ui/string_editors/cell_editor.h.
#pragma once
#include <cstdint>
#include <vector>

struct cell_grid {
    int32_t high = 0;      // cell shown at position 0
    int32_t low = 0;       // lowest cell edited
    int32_t row = 1;       // positions per row
    int32_t rows = 1;      // rows of the grid
    uint32_t entries = 0;  // entries of the string: no cell at or above is written

    int32_t last_position() const { return high - low; }
};

enum class cursor_move { left, right, up, down };

// The cursor after one arrow key: right wraps past the last position to 0,
// left from 0 to the last; down only while position + row is on the
// string, up while position >= row.
int32_t move_cursor(const cell_grid &g, int32_t p, cursor_move move);

// The cell at (column, r) when it may be written, else -1: inside the grid,
// not past the last position, the cell within low..high and below entries.
int64_t writable_cell(const cell_grid &g, int32_t column, int32_t r);

// The cells a stroke of width w sets around (column, r): offsets 0, +1, -1,
// +2, -2, ... (w of them), times (dc, dr): (1, 1) the mouse brush's
// diagonal, (0, 1) a typed digit's column, (1, 0) 'v''s row. Cells that may
// not be written are skipped.
std::vector<uint32_t> brush_cells(const cell_grid &g, int32_t column, int32_t r, int w, int dc,
                                  int dr);

// The widest brush: the rows, or a quarter of them from 32 rows up.
int brush_width_limit(const cell_grid &g);
