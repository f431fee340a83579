// Shared globals of the basin and tree drawings.
#pragma once
#include <cstdint>

// Corners of the progress bar's inner rectangle (pixels); set by
// progress_bar, read by the long computations that fill it with green.
extern int16_t barxl, barxr, baryt, baryb;

// Colours of the fan being drawn (colour indices), cycled per fan by draw_fan.
extern uint8_t linec;              // colour of the fan's edges; black before the first tree
extern uint8_t spotc;              // colour of the node spot

// State-space matrix (statespace_matrix.h); its first colour is matrixcolor
// of the output settings.
extern uint32_t matrixx, matrixy;  // largest column and row numbers; set by the frame call

// Frame of the partial pre-image stack histogram (ppstack_hist.h), pixels;
// laid out by setup_ppstack_hist for ppL cells.
extern int16_t pp_startx0, pp_starty0; // frame's left edge and bottom
extern int16_t pp_widthx, pp_depthy;   // frame's width and height
extern int16_t pp_bartotw, pp_barwidth; // bar pitch and bar width
extern int16_t pp_startx, pp_starty;   // x of the next bar, the bars' base line
extern int16_t pp_divy;                // tick spacing in stack entries
extern int16_t pp_heighty;             // height of the last bar drawn
// Puts every setting and count of this folder (not its memory) back to the
// value it is defined with: the program's start-up and each window test begin
// there.
void restore_backward_ui_start_values();
