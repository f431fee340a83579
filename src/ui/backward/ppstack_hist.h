// The histogram of partial pre-image stack sizes per step of the general
// pre-image method, drawn while see_ppstack is on.
#pragma once
#include <cstdint>

// Lays out and draws the frame for lineL cells when ppL differs from lineL,
// else only clears the bars; the fill colour is green after it.
void setup_ppstack_hist();
// The frame's top row (it spans the window's lower part while shown).
int ppstack_frame_top();
// The frame laid out and drawn again, empty, while the histogram is shown:
// a clearing of the basins' area took part of it.
void redraw_ppstack_frame();
// The averaged histogram of the stack sizes summed in pp_hist_total over
// pp_histcount computations, drawn into the frame with the free cells'
// average stippled red on the last bar; nothing when nothing was summed.
void show_average_pp_hist();
// Fills the whole frame black.
void erase_ppstack_hist();

// The local method's stack bar: a frame at the window's foot, above the rule
// box, which the trees draw when the stack is viewed and in which
// draw_stack_tick marks the stack's size. Whether the trees draw it, its top
// row, and its empty frame.
bool local_stack_bar_shown();
int local_stack_bar_top();
void draw_local_stack_bar();

// The window side of the engines' stack views (preimage_prompts.h),
// registered with the other prompts.
void draw_stack_tick(uint32_t size, int saved);
void show_stack_start_prompt();
void draw_stack_step(uint32_t position, uint32_t size);
void draw_stack_wild(uint32_t added);
