// Where the fixed boxes lie in a window of a given size: the prompt box at
// the top right, the memory (status) box at the top middle, and the row a
// box of n lines ends on. boxes.cpp draws its boxes at these places, and the
// resize replay (window_record.cpp) recognises a recorded box by them, at
// the size it was drawn and at the new one: one source, so that a box moved
// in one is moved in both.
#pragma once

#include "ui/screen/window.h"

// Columns, for a window whose last column is maxx.
constexpr int
prompt_box_left(int maxx)
{
    return maxx / 2;
}

// Where a prompt box's text starts.
constexpr int
prompt_box_text(int maxx)
{
    return maxx / 2 + 3;
}

// The right edge of the prompt box, and the furthest a memory box widens.
constexpr int
box_right_edge(int maxx)
{
    return maxx - 2;
}

constexpr int
memory_box_left(int maxx)
{
    return maxx / 3;
}

// Where the memory box's text starts.
constexpr int
memory_box_text(int maxx)
{
    return maxx / 3 + 3;
}

// The memory box's right edge when its text fits its place.
constexpr int
memory_box_place_end(int maxx)
{
    return maxx / 2 - 3;
}

// The last row of a box of `lines` lines at the top of the window, for a
// window whose last row is winmaxy and whose lines are cheight high.
inline int
box_lines_bottom(int lines, int cheight, int winmaxy)
{
    return lines * cheight + 2 + vgay_for(6, winmaxy);
}
