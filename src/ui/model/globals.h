// State of the model's screens that other folders set: whether a seed is
// being set, and the drawing area of the last full redraw (start-up).
#pragma once
#include <cstdint>

extern uint8_t setting_seed;    // 1 while a seed is set: a state drawing stops below the drawing area; 0
extern int16_t tview_x0, tview_y0, tview_x1, tview_y1; // drawing area at the last full redraw
// Puts every setting and count of this folder (not its memory) back to the
// value it is defined with: the program's start-up and each window test begin
// there.
void restore_model_ui_start_values();
