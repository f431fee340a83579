// The prompts of backward runs in the window, and the key poll and prompts
// the engines call through their hooks. Reads the run kind (backward,
// forward globals) for the stop prompt's keys, draws through the screen
// layer and the state rows of model/cell_display.h. Start at
// register_engine_prompts.
#include "ui/backward/stop_prompts.h"

#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "engine/backward/globals.h"
#include "engine/backward/preimage_prompts.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/key_poll.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/wire_up.h"
#include "ui/backward/cell_order_box.h"
#include "ui/backward/in_degree_hist.h"
#include "ui/backward/ppstack_hist.h"
#include "ui/backward/successor_pairs.h"
#include "ui/model/cell_display.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"

namespace {

tree_prompt_hooks driver_hooks = {nullptr};

// The coarse clock: read in a few nanoseconds where the fine one costs tens,
// at a resolution of the kernel's tick, which is fine for a key.
int64_t
coarse_microseconds()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

int64_t last_poll = 0;
bool poll_now = true;

// Calls let through without reading the clock: an eighth of the calls
// between the last two polls (a tree asks once a node and once a
// pre-image), so at a steady rate the clock is read about eight times
// between polls, and at every call where calls are rarer than that. At
// most 16, so that calls grown slow after fast ones (a node taking long)
// delay a poll by 16 of them at worst.
constexpr uint32_t kClockReadsPerPoll = 8;
constexpr uint32_t kMostCallsUnread = 16;
uint32_t calls_since_poll = 0;
uint32_t calls_between_polls = 0;
uint32_t calls_before_clock = 0;

} // namespace

bool
window_poll_due()
{
    calls_since_poll++;
    if (!poll_now && calls_before_clock > 0) {
        calls_before_clock--;
        return false;
    }
    int64_t now = coarse_microseconds();
    if (!poll_now && now - last_poll < 1000) {
        calls_before_clock = std::min(calls_between_polls / kClockReadsPerPoll, kMostCallsUnread);
        return false;
    }
    calls_between_polls = calls_since_poll;
    calls_since_poll = 0;
    calls_before_clock = 0;
    poll_now = false;
    last_poll = now;
    return true;
}

void
restart_window_poll()
{
    poll_now = true;
}

void
open_options_box()
{
    uint8_t was_nonlocal = nonlocal;
    if (driver_hooks.open_options)
        driver_hooks.open_options(1);
    if (!was_nonlocal) {
        nonlocal = 0;
        for (int c = L; c >= 0; c--)
            oneD_local_wire_cell(static_cast<uint16_t>(c), L);
    }
}

namespace {

// The key of a waiting key or button press (left in is[0] too); 0 when none
// is waiting or no window is open.
int
poll_window_key()
{
    return mouse_found && window_poll_due() && event_ready() ? is[0] : 0;
}

void
show_seed_repeat_line()
{
    if (!mouse_found)
        return;
    int16_t x = getx, y = gety;
    draw_prompt_box(1);
    outtext("repeat of seed");
    moveto(x, y);
}

void
show_pre_image_row(const uint8_t *P)
{
    if (!mouse_found)
        return;
    // The row goes to the space-time pattern's columns at the window's
    // left, which a field's basins keep clear of: their clip is widened to
    // the window's edge while it is drawn.
    saved_viewport view;
    setviewport(0, view.y0, view.x1, view.y1, 1);
    print_current_state(P, lightred);
    end_page(scale);
    view.put_back();
}

int
ask_fan_stop_key()
{
    return ask_stop_key(2);
}

// The partial pre-image error, waiting for a key; on standard error
// without a window.
void
show_wild_cell_error_box(int value, int flag)
{
    char text[80];
    snprintf(text, sizeof text, "ERROR - PSbit=%d so existbit should=1 (=%d)", value, flag);
    if (mouse_found)
        ask_one_key(text);
    else
        fprintf(stderr, "\n%s\n", text);
}

int
show_table_refusal_box(const char *text)
{
    int shown = 0;
    if (mouse_found) {
        ask_one_key(text);
        shown = 1;
    }
    if (is)
        is[0] = 'q';
    return shown;
}

} // namespace

int
ask_one_key(const char *text)
{
    int16_t x = getx, y = gety;
    draw_prompt_box(1);
    outtext(text);
    input_string(1, text_entry);
    erase_prompt_box(1);
    moveto(x, y);
    return is[0];
}

int
ask_stop_key(int lines)
{
    char mode_line[150];
    const char *hist = pre_fansize_freq_hist ? "inhist-h, " : "";
    const char *keys = basinfield ? "next tree/basin-n, options-o, stop field-q, cont-ret:"
                       : direction != direction_backward
                           ? "next tree-n, options-o, stop basin-q, cont-ret:"
                           : "options-o, stop subtree-q, cont-ret:";
    snprintf(mode_line, sizeof mode_line, "%s%s", hist, keys);
    int16_t x = getx, y = gety;
    // The prompt comes over whatever the prompt box's place shows, often the
    // two-line report of the last tree or component: that place is kept and
    // cleared whole while the prompt asks, the rows of it below a one-line
    // prompt too (a line cut by its frame would read as garbage), and all of
    // it comes back after the answer.
    const int covered_bottom = prompt_box_bottom(std::max(lines, 2));
    for (;;) {
        image_slot under = 0;
        getimage(prompt_box_left(Maxx), 2, box_right_edge(Maxx), covered_bottom, &under);
        if (covered_bottom > prompt_box_bottom(lines)) {
            uint8_t fill = fillcolor;
            setfillstyle(0, black);
            bar(prompt_box_left(Maxx), 2, box_right_edge(Maxx), covered_bottom);
            fillcolor = fill;
        }
        int16_t margin = draw_prompt_box(lines);
        if (lines == 2) {
            outtext("early exit - in pre-image fan");
            moveto(margin, gety + CHeight);
        }
        outtext(mode_line);
        input_string(1, text_entry);
        if (under) {
            putimage(prompt_box_left(Maxx), 2, &under, 0);
            freeimage(&under);
        } else {
            erase_prompt_box(lines);
        }
        moveto(x, y);
        if (is[0] == 'o') {
            open_options_box();
            continue;
        }
        if (is[0] == 'h' && pre_fansize_freq_hist) {
            show_pre_fansize_freq_hist();
            continue;
        }
        return is[0];
    }
}

void
set_tree_prompt_hooks(const tree_prompt_hooks &hooks)
{
    driver_hooks = hooks;
}

void
register_engine_prompts()
{
    set_key_poll(poll_window_key);
    preimage_prompts prompts = {};
    prompts.show_seed_repeat = show_seed_repeat_line;
    prompts.show_pre_image = show_pre_image_row;
    prompts.ask_fan_stop = ask_fan_stop_key;
    prompts.ask_table_stop = ask_table_stop_key;
    prompts.show_table_progress = draw_table_progress;
    prompts.show_table_refusal = show_table_refusal_box;
    prompts.show_stack_tick = draw_stack_tick;
    prompts.show_stack_start = show_stack_start_prompt;
    prompts.show_stack_frame = setup_ppstack_hist;
    prompts.show_stack_step = draw_stack_step;
    prompts.show_stack_wild = draw_stack_wild;
    prompts.show_cell_order = draw_cell_order_box;
    prompts.show_wild_cell_error = show_wild_cell_error_box;
    set_preimage_prompts(prompts);
}
