// The colour key of the frozen modes of a running pattern (key 'h': 1
// frozen cells, 2 frozen cells by value, 3 frequency bins) and the frozen
// counts that mode 2 writes on its last line.
#pragma once

// The key's box against the window's right edge: as high as the value
// colour key's box, so that the key panel below it keeps its place, and as
// wide as the widest line of the three modes, so that the box stays put
// while 'h' steps through them and the next mode's box covers the last.
struct frozen_key_place {
    int left, top, right, bottom; // the frame
    int text_x;                   // where every line starts
    int line_y[3];                // the top of each line
    int widest;                   // pixels of the widest line
};
frozen_key_place frozen_key_layout();

// Draws the key of mode 1, 2 or 3 in its box; the current point and colour
// are kept.
void show_frozen_key(int mode);
// Clears the key's box to the background (the step back to mode 0, or a
// step where the run now reaches its place).
void erase_frozen_key();
// While the key drawn last stands (not erased, the drawing area not
// cleared since): true, with its box's left column and bottom row.
bool frozen_key_box_at_right(int *left, int *bottom);

// Mode 2's counts, percentages of the cells frozen at the top value and at
// the others, written in lightred after "% frozen:" on the key's last line.
void show_frozen_counts(double top, double other);
// Where show_frozen_counts writes: x of its first character, y of its line.
void frozen_counts_point(int *x, int *y);
