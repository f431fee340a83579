// Whole-window pixel access for the folders that may not include Xlib:
// reading the window's pixels for screen image files, and copying an
// off-screen drawable onto the window for scrolling patterns.
#pragma once
#include <cstdint>
#include <vector>

#include "ui/screen/globals.h"

// The pixel values of the window's w x h pixels from (0, 0), row by row,
// read through a server-side copy so what is read is one moment of the
// window. False when the copy could not be made (nothing in pixels then).
bool read_window_pixels(int w, int h, std::vector<uint32_t> &pixels);
// Copies (x, y, w, h) of the drawable in slot to the same place on the
// window; w or h below 1 take the drawable's whole size from (0, 0).
// The window's rectangle kept by keep_from_copies is left as it is.
void copy_drawable_to_window(image_slot *slot, int x, int y, int w, int h);
// A rectangle of the window (corners included) that copies of a drawable
// leave as it is, until release_kept_area: a plot drawn over a pattern keeps
// its pixels while the pattern's rows are copied and scrolled beneath it,
// rather than being covered and drawn again after. One at a time.
void keep_from_copies(int x0, int y0, int x1, int y1);
void release_kept_area();
// The kept rectangle's corners (included); false when none is kept.
bool kept_area(int *x0, int *y0, int *x1, int *y1);
// Clears the window's rectangle (corners included) to the background, the
// kept rectangle left as it is: a new page of the pattern beneath a plot.
void clear_around_kept(int x0, int y0, int x1, int y1);
