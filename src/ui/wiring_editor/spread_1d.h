// The spread of a cell's inputs or outputs over the 1d editor's picture:
// step by step the cells one more link away, each step's links in the
// next colour, a small 2d map of every cell reached so far and a caption
// that counts them.
#pragma once
#include <cstdint>

#include "ui/wiring_editor/graphics_1d.h"

// kind 1 inputs, 2 outputs, from cell, drawn over the editor's picture
// (its layout and drawing region) with the editor's pseudo setting.
// Asks after step 1 whether to stop after every step ('s') or run to the
// end; 'q' at any caption ends it. The caption and the map are cleared
// when it ends. The current point, the drawing colour
// (white afterwards), scale, sep, i2d and j2d are put back; is[0] holds
// the last key.
void show_all_in_out_1d(int kind, const editor_1d_picture &pic, int pseudo, bool rules_set,
                        uint16_t cell);

// The caption's text after a step: "step %d, %s=%d/%d=%.1f%%", the kind's
// word, the count and n, and the percentage of n.
void spread_caption(char *text, int size, int step, int kind, int count, int n);
