// The general pre-image method: its tables built and freed as one, its two
// forms started and their final partials handed to the acceptance step
// (acceptance.h), as state numbers where the level lists hold numbers
// (tree_levels.h). Reads the target A and the wiring; writes the pp_
// figures of a fan. The forms are in general_stacks.cpp (breadth first),
// general_walk.cpp, general_midpoints.cpp and general_field_points.cpp (the
// walk), the try lists in general_tries.cpp. Start at pre_images_rand.
#include "engine/backward/preimages_general.h"

#include "engine/backward/acceptance.h"
#include "engine/backward/general_field_fans.h"
#include "engine/backward/general_field_points.h"
#include "engine/backward/general_midpoints.h"
#include "engine/backward/general_stacks.h"
#include "engine/backward/general_tries.h"
#include "engine/backward/general_walk.h"
#include "engine/backward/globals.h"
#include "engine/backward/preimage_method.h"
#include "engine/backward/preimage_prompts.h"
#include "engine/backward/tree_levels.h"
#include "engine/backward/tree_memory.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"

namespace {

bool prepared = false;
// The word form's pre-images of one target as state numbers, in stack order,
// room for fan_numbers_room. They grow inside a tree, through the checked
// allocator's try_ variant: memory running out for them abandons the tree
// with the failure noted, as for the stacks.
uint32_t *fan_numbers = nullptr;
size_t fan_numbers_room = 0;

// Room for count fan numbers; false, the failure noted, when there is no
// memory for them.
bool
reserve_fan_numbers(uint32_t count)
{
    if (count <= fan_numbers_room)
        return true;
    void *grown = try_checked_realloc(fan_numbers, count * sizeof(uint32_t));
    if (!grown) {
        note_tree_memory_failure("fan numbers", count * sizeof(uint32_t));
        return false;
    }
    fan_numbers = static_cast<uint32_t *>(grown);
    fan_numbers_room = count;
    return true;
}

// The start of a fan of either form: the tables, the fan, the stack figures
// and stack 0's first entry. False, with the target abandoned, when there is
// no memory for that entry.
bool
start_general_fan(const preimage_method &form)
{
    if (!prepared)
        prepair_pre_rand();
    begin_fan(form);
    pp_wild = 0;
    if (see_ppstack) {
        pp_histcount++;
        shrink_stack_scale();
        show_stack_frame();
    }
    pp_hist_max = 0;
    if (!reserve_partial(0, 0)) {
        abort_subtree = abort_subtree_too_many_partial;
        return false;
    }
    return true;
}

// The walk's final partials in stack 0, from the empty partial.
partials_end
walk_partials()
{
    uint32_t target = 0;
    for (uint32_t b = 0; b < bytesL; b++)
        target |= static_cast<uint32_t>(A[b]) << (8 * b);
    word_walk w;
    bool done;
    if (basinfield && make_field_points()) {
        w.target = target; // a field asks for every state's pre-images
        w.count = 0;
        done = walk_from_field_points(w);
    } else {
        w = start_walk(target, lineL == 32 ? ~uint32_t(0) : (uint32_t(1) << lineL) - 1);
        done = kept_midpoints.split == no_stop
                   ? walk_from_top(w)
                   : by_lane_count([&](auto lanes) { return walk_from_midpoints<decltype(lanes)::value>(w); });
    }
    stacks_of_partials.count[0] = w.count;
    if (!done)
        return fan_stopped() ? partials_end::stopped : partials_end::too_many;
    return w.count ? partials_end::found : partials_end::none;
}

// The final partials of stack last expanded and handed over: as one fan of
// numbers where the level lists hold numbers, else each as a line.
void
hand_over_partials(partials_end end, int last)
{
    if (end == partials_end::none || end == partials_end::stopped)
        return; // a garden-of-Eden target, or the user's stop
    const bool words = tries_of_cells.word_form;
    if (end == partials_end::too_many || !(words ? expand_wild_words(last) : expand_wild_lines(last))) {
        abort_subtree = abort_subtree_too_many_partial;
        return;
    }
    if (see_ppstack && pp_wild > 0)
        show_stack_wild(pp_wild);
    const uint32_t count = stacks_of_partials.count[last];
    if (!words) {
        const size_t entry = 2 * static_cast<size_t>(bytesL); // the value line, then the flags
        for (uint32_t i = 0; i < count; i++)
            if (accept_line(stacks_of_partials.mem[last] + i * entry))
                return;
        return;
    }
    if (level_lists_hold_numbers()) {
        if (!reserve_fan_numbers(count)) {
            abort_subtree = abort_subtree_too_many_partial;
            return;
        }
        for (uint32_t i = 0; i < count; i++)
            fan_numbers[i] = static_cast<uint32_t>(stack_words(last)[i]);
        accept_numbers(fan_numbers, count);
        return;
    }
    uint8_t line[4];
    for (uint32_t i = 0; i < count; i++) {
        write_state_line(line, static_cast<uint32_t>(stack_words(last)[i]));
        if (accept_line(line))
            return;
    }
}

} // namespace

void
prepair_pre_rand()
{
    free_pre_rand();
    build_general_tries();
    if (see_ppstack == see_ppstack_on)
        show_stack_start();
    if (reorderRBN)
        rearrange_cell_order();
    if (tries_of_cells.word_form) {
        build_walk_tables(); // in the order just made
        start_midpoints();
    }
    prepared = true;
}

void
free_pre_rand()
{
    release_general_tries();
    release_walk_tables();
    release_midpoints();
    release_general_field_fans();
    release_field_points();
    release_partial_stacks();
    checked_free(fan_numbers);
    fan_numbers = nullptr;
    fan_numbers_room = 0;
    checked_free(cell_order);
    cell_order = nullptr;
    prepared = false;
}

int
general_tables_built()
{
    return prepared;
}

void
rearrange_cell_order()
{
    checked_free(cell_order);
    cell_order = static_cast<uint16_t *>(checked_calloc(lineL ? lineL : 1, sizeof(uint16_t), "cell_order"));
    uint8_t *placed = static_cast<uint8_t *>(checked_calloc(lineL / 8 + 1, 1, "cell_filled"));
    uint32_t current = L;
    cell_order[L] = static_cast<uint16_t>(L);
    set_bitlong(placed, L, 1);
    for (uint32_t p = L; p-- > 0;) {
        int32_t chosen = -1;
        int kc = cell_k(current);
        for (uint32_t c = L + 1; c-- > 0 && chosen < 0;) {
            if (get_bitlong(placed, c) || c == current || c > p)
                continue;
            for (int a = 0; a < kc && chosen < 0; a++)
                for (int b = cell_k(c) - 1; b >= 0; b--)
                    if (wiring[current][a] == wiring[c][b]) {
                        chosen = static_cast<int32_t>(c);
                        break;
                    }
        }
        if (chosen < 0)
            for (uint32_t c = L + 1; c-- > 0;)
                if (!get_bitlong(placed, c)) {
                    chosen = static_cast<int32_t>(c);
                    break;
                }
        cell_order[p] = static_cast<uint16_t>(chosen);
        set_bitlong(placed, static_cast<uint32_t>(chosen), 1);
        current = static_cast<uint32_t>(chosen);
    }
    checked_free(placed);
    show_cell_order();
}

void
shrink_stack_scale()
{
    if (ppL == lineL && pp_hist_max < pp_ymax / 6) {
        pp_ymax = static_cast<uint32_t>(0.75 * pp_ymax);
        if (pp_ymax < 10)
            pp_ymax = 10;
        ppL = 0;
    }
    pp_hist_max = 0;
}

void
pre_images_breadth_first()
{
    if (!start_general_fan(general_breadth_first_preimages))
        return;
    int last = 0;
    partials_end end = tries_of_cells.word_form ? extend_words(&last) : extend_lines(&last);
    hand_over_partials(end, last);
}

void
pre_images_rand()
{
    if (!prepared)
        prepair_pre_rand();
    if (!walk_allowed()) {
        pre_images_breadth_first();
        return;
    }
    if (!start_general_fan(general_walk_preimages))
        return;
    hand_over_partials(walk_partials(), 0);
}

void
warm_walk(uint32_t, uint32_t middle, uint32_t far)
{
    if (basinfield && field_points_ready())
        warm_field_points(middle, far);
}

int
general_walk_serves()
{
    return walk_allowed();
}
