// State of the main driver: the run choices of the first screen and the
// set-up, the start-up limits and the program-lifetime tables.
#pragma once
#include <cstdint>

extern char direction;          // run direction: 'f' basin, 'b' subtree, 0 unset
extern uint8_t basinfield;      // 1 basin field, 0 single basin/subtree/forward only
extern uint8_t layout_notset;   // 1: the basin layout must be computed afresh
extern uint8_t show_maj;        // 0xFF: off
extern uint8_t in_startbasin, in_startfield, setting_seed;
extern uint8_t pre_fansize_freq_hist;
extern uint32_t fieldno;
extern uint8_t secondpart;      // 1 once the network-view stage has passed
extern uint8_t rules_set;       // 0 while the wiring is chosen, 1 from the rules stage on
extern int16_t msize;           // vgax(200)
extern int16_t Leftx;           // 50
extern int16_t tview_x0, tview_y0, tview_x1, tview_y1; // drawing area at the last full redraw
// Glider rule counts: no_glider_rules[v][k] for v = 2..8, k = 0..13; program lifetime.
extern uint16_t **no_glider_rules;
extern uint8_t *glider_buf;     // glider rule list buffer; program lifetime, grown by its loader
extern uint32_t stepforward;    // forward steps before a subtree's root (direction 'b'); 0 none
