// The histogram of partial pre-image stack sizes per step of the general
// pre-image method, drawn while see_ppstack is on.
#pragma once

// Lays out and draws the frame for lineL cells when ppL differs from lineL,
// else only clears the bars; the fill colour is green after it.
void setup_ppstack_hist();
// Fills the whole frame black.
void erase_ppstack_hist();
