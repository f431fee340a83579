// Definitions of the forward-run settings (see globals.h).
#include "forward/globals.h"

uint32_t limitcheck = 0;
uint8_t stp = 0;
uint8_t nowscrolling = 0;

uint8_t scrolling = 0;
uint8_t d_mode = 0;
int16_t scrolly = 0;
int16_t pixmap_width = 0;
uint8_t onthefly_box_erased = 0;

uint8_t b_value = 0;
uint8_t seq_update = 0;

uint8_t pdata = 0;
uint8_t filedata = 0;

// --- Forward engine (forward_step, attractor_search).
uint8_t p_order = 0;
uint16_t porder_min = 1;
uint16_t porder_max = 1;
float update_prob = 100.0f;
float out_prob = 100.0f;
int8_t border = 0;
uint8_t wiring_madelocal = 0;
uint8_t reverse_value_order = 0;
uint16_t frozen_gens = 20;
uint8_t att_hist = 0;
uint8_t diff_plot = 0;
uint8_t ncolor = 0;
uint16_t *pnhood = nullptr;
uint8_t *porder_cells = nullptr;
uint8_t **att = nullptr;
uint32_t attperiod = 0;
