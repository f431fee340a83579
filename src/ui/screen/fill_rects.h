// Many filled rectangles of one colour in one request, for drawings made of
// many small cells (a space-time row is a few such requests, one per colour).
#pragma once
#include <cstdint>

// One rectangle: its top-left corner and its size in pixels.
struct cell_rect {
    int16_t x, y;
    uint16_t w, h;
};

// Fills the count rectangles in colour index c on current_draw, clipped by
// the viewport; the current colour and fill colour are left as they were.
void fill_rects(int c, const cell_rect *rects, int count);
