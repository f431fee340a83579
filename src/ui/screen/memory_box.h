// The memory box at the top middle of the window: a status line (the
// status box's title, the wait notice of a long set-up) drawn as wide as
// its text needs, its erase taking the whole text away, over a saved copy
// of what it covers where a dialog stands over a drawing.
#pragma once
#include <cstdint>

int16_t memory_box(int mode, const char *text); // returns its left edge
void erase_memory_box();
struct window_frame;
// After a resize that left the drawing where it stood (the window's record
// could not draw it again): the memory box drawn at the old size is taken
// down there, as its erase at the new size would miss it and the boxes
// placed by the new size would cut it.
void take_down_memory_box_left_behind(const window_frame &before);
// The memory box (the status box) cleared and framed with its title text
// written in colour at its text margin; as wide as the text needs. The
// current point and colour are kept.
void status_box_title(const char *text, int colour);
// status_box_title over a saved copy of what the box covers (boximage slot
// 0-29), for a dialog over a drawing; put_back_under_status_box puts the copy
// back and frees it.
void status_box_title_over(int slot, const char *text, int colour);
void put_back_under_status_box(int slot);
// "setting things up, wait..." in the status box, over a saved copy of what
// it covers (all that its erase clears of a wider status box already
// there), while a long set-up runs (nothing without a window); the end puts
// the copy back.
void begin_wait_notice();
void end_wait_notice();
