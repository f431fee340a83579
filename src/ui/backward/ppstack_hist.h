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

// The window side of the engines' stack views (preimage_prompts.h),
// registered with the other prompts.
void draw_stack_tick(uint32_t size, int saved);
void show_stack_start_prompt();
void draw_stack_step(uint32_t position, uint32_t size);
void draw_stack_wild(uint32_t added);
