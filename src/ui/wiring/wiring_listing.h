// The wiring listing: the wiring table as a paged table in a window on the
// right half of the screen, one row per cell with its out-degree, its inputs
// and, with a rule mix, its own rule; optionally copied to standard error.
#pragma once

// left: the window's left x (0: its own default window, which honours the
// 'l' and 'f' keys); small_font: 1 for the small font; page_only: 1 draws one
// page and returns its last cell; start: the first (highest) cell shown,
// normally n-1; copy: 1 also writes the table to standard error. Returns the
// last cell drawn with page_only, else 0.
int print_wiring_scheme(int left, int small_font, int page_only, int start, int copy);

// The pieces of the listing's layout, shared with the hand wiring matrix,
// for the font in use: the window's top, at vgay(40) or just below a box
// above it whose last row is above_bottom (0: no box); for a window whose
// top is top, its bottom, the top of its first row; the width of an input
// column, and the x of input position p's column.
int listing_top(int above_bottom);
int listing_bottom(int top);
int listing_first_row(int top);
int listing_column_width();
int listing_column_x(int left, int p);
// The frame of input position p's box on the row whose top is y, a little
// left of the column so that the number written from the column's x stays
// inside it: an empty slot's, and the hand wiring matrix's cursor.
struct slot_frame {
    int x0, y0, x1, y1;
};
slot_frame listing_slot_frame(int left, int y, int p);
// Clears and frames the window from left and top and writes the column
// headings. With save_background, what the window covers is kept in image
// slot 6 first, with the lines it reaches into across the window, which are
// hidden whole while it is up; put_back_under_listing shows them again and
// frees the slot.
void draw_listing_frame(int left, int top, bool save_background);
void put_back_under_listing();
void draw_listing_header(int left, int top, bool copy);
// Draws one row of cell c at y, or one input slot of it in colour.
void draw_listing_row(int left, int y, int c, bool copy);
void draw_listing_slot(int left, int y, int c, int p, int colour);
// Draws cells from start downwards until the page is full or cell 0 is
// drawn; returns the last cell drawn.
int draw_listing_page(int left, int top, int start, bool copy);
