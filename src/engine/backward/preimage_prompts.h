// What the pre-image engines show and ask through the window: the seed
// repeat notice and the accepted pre-images of a fan on the space-time
// strip, the stop prompts of a fan and of the successor table, and the
// refusal of a table too large. The interface registers them at start-up
// (ui/backward/stop_prompts.h). Without them, as with no window, nothing is
// drawn or asked and the refusal goes to standard error. The keys that lead
// to the stop prompts come through the key poll (model/key_poll.h).
#pragma once
#include <cstdint>

struct preimage_prompts {
    // "repeat of seed" in a one-line box, when a subtree closes on its seed.
    void (*show_seed_repeat)();
    // An accepted pre-image P as the next row of the space-time strip
    // (called only while stp is set).
    void (*show_pre_image)(const uint8_t *P);
    // The stop prompt of a fan after 'q': returns the key, 'q' or 'n'
    // meaning stop.
    int (*ask_fan_stop)();
    // The progress prompt of the successor table after 'q', at percent
    // complete: 1 to stop.
    int (*ask_table_stop)(unsigned percent);
    // The progress of the successor table: done of states records filled
    // (called between blocks of states, before the key poll).
    void (*show_table_progress)(uint64_t done, uint64_t states);
    // The refusal text of a successor table; leaves 'q' as the answer and
    // returns 0 when no window was open to show it in.
    int (*show_table_refusal)(const char *text);
    // Stack views, called only while see_ppstack is set. The local method's
    // stack bar: a tick for a stack of size entries, saved 1 (after a save)
    // or 0 (the size before a restore).
    void (*show_stack_tick)(uint32_t size, int saved);
    // The general method's histogram: the start prompt once its tables are
    // built, the frame at the start of a target, the bar of the stack left
    // after the step at position, and the entries wild expansion added.
    void (*show_stack_start)();
    void (*show_stack_frame)();
    void (*show_stack_step)(uint32_t position, uint32_t size);
    void (*show_stack_wild)(uint32_t added);
    // The general method's cell order (cell_order, positions L down to 0),
    // once it is made.
    void (*show_cell_order)();
    // A partial pre-image's unassigned cell found holding value (flag, its
    // assigned flag, 0): shown as an error, waiting for a key.
    void (*show_wild_cell_error)(int value, int flag);
};

// Registers the prompts (members may be null).
void set_preimage_prompts(const preimage_prompts &prompts);

// The registered prompts, each doing nothing (0 for the keys) when absent.
void show_seed_repeat();
void show_pre_image(const uint8_t *P);
int ask_fan_stop();
int ask_table_stop(unsigned percent);
void show_table_progress(uint64_t done, uint64_t states);
// The refusal text in the window, or "\n<text>\n" on standard error.
void show_table_refusal(const char *text);
void show_stack_tick(uint32_t size, int saved);
void show_stack_start();
void show_stack_frame();
void show_stack_step(uint32_t position, uint32_t size);
void show_stack_wild(uint32_t added);
void show_cell_order();
// The error in the window, or its text on standard error.
void show_wild_cell_error(int value, int flag);
