// Pre-image acceptance and rotation compression. Owns the segment list and
// its canonical-form index, and sets the user's stop of the current fan
// (user_stopped, backward globals). Reads the attractor cycle
// (forward/globals.h), the network shape and compression flags (model,
// wiring globals), the level lists (tree_levels.h); shows and asks through
// the registered prompts (preimage_prompts.h) and the key poll
// (model/key_poll.h). Start at accept_line.
//
// Rotation merging: every rotation (ring) or translation (2d lattice) of a
// pre-image of a uniform state is a pre-image too, so a fan keeps one
// representative per class. Classes are found through the canonical form of
// state_rotation.h in a hash map to the kept entry, so a pre-image is not
// compared with every kept entry; the first representative met is kept.
// Shifts and ring segments are the model's (model/state_symmetries.h).
//
// A pre-image comes as a value line (the local method, the general method
// above 32 cells) or as a state number (the table method, the general
// method's word form); each step takes the form it needs, the other made on
// first use (found_state), so a walk by numbers makes no line unless a step
// reads one. Whether a kept pre-image is followed by a key poll, and whether
// ticked-off states are left out of a fan of numbers, is the method's
// (preimage_method.h), taken at begin_fan.
#include "engine/backward/acceptance.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>

#include "engine/backward/globals.h"
#include "engine/backward/preimage_method.h"
#include "engine/backward/preimage_prompts.h"
#include "engine/backward/state_rotation.h"
#include "engine/backward/state_symmetries.h"
#include "engine/backward/tree_levels.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/key_poll.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"

namespace {

std::unordered_map<std::string, uint32_t> seg_index; // canonical form -> entry
uint32_t seg_capacity = 0;                           // entries 0..seg_capacity-1 allocated
uint8_t *work = nullptr;                             // work copy of a pre-image
uint16_t work_bytes = 0;
// The line of a pre-image handed over as a number. A state number fits 32
// bits, so its line fits 32 cells of at most 3 bits.
uint8_t made[16];
// The current fan's method's terms (begin_fan).
bool fan_polls_keys = false;
bool fan_leaves_out_ticked_off = false;

// A pre-image as its method handed it over, a line or a number; line_of and
// number_of give either form, the other made on first use.
struct found_state {
    const uint8_t *line = nullptr;
    uint32_t number = 0;
    bool has_number = false;
};

uint8_t *
work_line(const uint8_t *P)
{
    if (work_bytes != bytesL) {
        checked_free(work);
        work = static_cast<uint8_t *>(checked_calloc(bytesL ? bytesL : 1, 1, "checking seg etc"));
        work_bytes = bytesL;
    }
    memcpy(work, P, bytesL);
    return work;
}

const uint8_t *
line_of(found_state &f)
{
    if (!f.line) {
        write_state_line(made, f.number);
        f.line = made;
    }
    return f.line;
}

uint32_t
number_of(found_state &f)
{
    if (!f.has_number) {
        f.number = dec_equiv(f.line, L);
        f.has_number = true;
    }
    return f.number;
}

int
same_state(const uint8_t *a, const uint8_t *b)
{
    return memcmp(a, b, bytesL) == 0;
}

uint16_t
clamp16(uint32_t x)
{
    return static_cast<uint16_t>(x > Maxu ? Maxu : x);
}

// Entry segno + 1 of the segment list holding P with its periods.
void
append_segment(const uint8_t *P, uint32_t h, uint32_t w)
{
    uint32_t s = segno + 1;
    if (s >= seg_capacity) {
        uint32_t cap = seg_capacity ? seg_capacity * 2 : 16;
        seg = static_cast<uint16_t *>(checked_realloc(seg, cap * sizeof(uint16_t), "checking seg etc"));
        seg_2d_h = static_cast<uint16_t *>(
            checked_realloc(seg_2d_h, cap * sizeof(uint16_t), "checking seg etc"));
        seg_2d_v = static_cast<uint16_t *>(
            checked_realloc(seg_2d_v, cap * sizeof(uint16_t), "checking seg etc"));
        segseed = static_cast<uint8_t **>(
            checked_realloc(segseed, cap * sizeof(uint8_t *), "checking seg etc"));
        for (uint32_t i = seg_capacity; i < cap; i++) {
            seg[i] = seg_2d_h[i] = seg_2d_v[i] = 0;
            segseed[i] = static_cast<uint8_t *>(checked_calloc(bytesL ? bytesL : 1, 1, "checking seg etc"));
        }
        seg_capacity = cap;
    }
    memcpy(segseed[s], P, bytesL);
    seg[s] = clamp16(regular2d ? 0 : h);
    seg_2d_h[s] = clamp16(regular2d ? h : 0);
    seg_2d_v[s] = clamp16(regular2d ? w : 0);
    segno = s;
}

// The check's rotation merging: 1 when P is a rotation of a kept entry. Leaves the
// ring segment length (or the 2d periods) of P in h, w.
int
merged_by_rotation(const uint8_t *P, uint32_t *h, uint32_t *w)
{
    segfan = 1;
    if (segno == 0)
        seg_index.clear();
    if (regular2d) {
        torus_periods(P, h, w);
    } else {
        *h = static_cast<uint32_t>(repeating_seg(P));
        *w = 1;
    }
    auto found = seg_index.emplace(canonical_state(P), segno + 1);
    if (!found.second && found.first->second <= segno)
        return 1;
    found.first->second = segno + 1;
    append_segment(P, *h, *w);
    return 0;
}

void
mark_state(uint32_t s)
{
    if (tickoff && s <= tickspace)
        set_bitlong(tickoff, s, 1);
}

// The other distinct rotations (ring) or translations (2d lattice) of f,
// whose segment periods are h, w: the states its fan entry stands for.
void
mark_rotations(found_state &f, uint32_t h, uint32_t w)
{
    if (!regular2d) {
        uint8_t *t = work_line(line_of(f));
        for (uint32_t r = 1; r < h; r++) {
            rotate_array(0, t, 'l', 0, 1, 0, 0);
            mark_state(dec_equiv(t, L));
        }
        return;
    }
    // The h x w walk of the check.
    bool itself = true;
    visit_translations_2d(line_of(f), h, w, [&itself](const uint8_t *t) {
        if (!itself)
            mark_state(dec_equiv(t, L));
        itself = false;
    });
}

// 1 when the marking of placed states marks each pre-image itself, not the
// rotations it stands for.
bool
marks_each_state()
{
    return dontcompress || (nonlocal && !regular2d) || exhaustive_testing == exhaustive_random_map;
}

// The marking of placed states: those of an accepted pre-image in table mode.
void
mark_placed(found_state &f, uint32_t h, uint32_t w)
{
    if (marks_each_state()) {
        if (tickoff)
            mark_state(number_of(f));
        return;
    }
    if (allbitssame && !insegloop && !rulemix && tickoff)
        mark_rotations(f, h, w);
}

// The check's early rejections: 1 when f is rejected as the cycle state before
// the root, a subtree root met again, or a rotation of a kept entry of a
// uniform target's fan. Leaves the segment periods of f in h, w.
int
rejected_early(found_state &f, uint32_t *h, uint32_t *w)
{
    // 1. The attractor state before the root belongs to the cycle.
    if (level == 0 && attperiod && !attrepeat) {
        isrepeat = 1;
        const uint8_t *before = att[attindex < 2 ? attperiod : attindex - 1];
        if (same_state(line_of(f), before)) {
            attrepeat = 1;
            return 1;
        }
    }
    // 2. A subtree whose root lies on a cycle.
    if (!isrepeat && attperiod == 0 && !neutral_order &&
        ((this_firstseed && same_state(line_of(f), this_firstseed)) || same_state(line_of(f), firstseed))) {
        isrepeat = 1;
        show_seed_repeat();
        totatt_states = level + 1u;
        return 1;
    }
    // 3. Rotation compression of a uniform target's fan.
    return allbitssame && !insegloop && compression_on() && merged_by_rotation(line_of(f), h, w);
}

// The early rejections apply at the root's fan, in a subtree not yet known to
// repeat, and in a uniform target's fan only.
bool
early_steps_apply()
{
    return level == 0 || !isrepeat || allbitssame;
}

// The count: one more pre-image counted; 0, and the tree abandoned, when the
// next list is full.
int
count_pre_image()
{
    if (nextindex >= Maxlu - 1) {
        abort_subtree = abort_subtree_list_full;
        return 0;
    }
    nextindex++;
    precount++;
    return 1;
}

int
check_found(found_state &f)
{
    uint32_t h = 0, w = 0;
    if (early_steps_apply() && rejected_early(f, &h, &w))
        return 1;
    if (!count_pre_image())
        return 1;
    // The space-time strip.
    if (stp)
        show_pre_image(line_of(f));
    // Placed states marked in table mode.
    if (exhaustive_testing)
        mark_placed(f, h, w);
    return 0;
}

// Appends f at entry nextindex of the list being filled, as a number or a
// line as the list holds them.
void
append_found(found_state &f)
{
    int stored;
    if (level_lists_hold_numbers()) {
        stored = store_next_level_number(nextindex, number_of(f));
    } else {
        uint8_t *line = next_level_entry(nextindex);
        if (line)
            memcpy(line, line_of(f), bytesL);
        stored = line != nullptr;
    }
    if (!stored) {
        nextindex--;
        precount--;
        abort_subtree = abort_subtree_list_full;
    }
}

// f checked and appended; then, when it was kept and the fan's method polls,
// the keys. 1 when the fan must stop.
int
accept_found(found_state &f)
{
    // A pre-image rejected is a unit of the search too: the root's fan of a
    // uniform state can hand over millions of rotations of the pre-images
    // kept (rule 0 on 22 cells), each rejected, for tens of seconds under
    // the sanitizers.
    if (check_found(f)) {
        fan_search_stopped();
        return fan_stopped();
    }
    append_found(f);
    if (abort_subtree)
        return fan_stopped();
    // A method that polls after each pre-image, or a pre-image drawn as it
    // is kept (each a strip on the window, which takes long), polls now;
    // otherwise every kSearchUnitsPerPoll-th does, as a long search does, so
    // that the general method's hand-over of many pre-images still answers
    // 'q' and an end signal.
    if (fan_polls_keys || stp)
        interrupt_pre_fan();
    else
        fan_search_stopped();
    return fan_stopped();
}

int
ticked_off(uint32_t s)
{
    return tickoff && s <= tickspace && get_bitlong(tickoff, s);
}

// 1 when only the count and the mark of the check can apply to the states
// of a fan of count numbers (no cycle, seed or rotation check, no strip, in
// table mode each state marked itself) and the list of numbers being filled
// has room for them all.
int
plain_fan(uint32_t count)
{
    uint64_t last = uint64_t(nextindex) + count;
    return plain_fans_apply() && last < Maxlu - 1 && room_in_next_level_numbers(static_cast<uint32_t>(last));
}

} // namespace

int
plain_fans_apply()
{
    return !early_steps_apply() && !stp && (!exhaustive_testing || marks_each_state()) &&
           level_lists_hold_numbers();
}

plain_terms
plain_acceptance_terms()
{
    return plain_terms{tickoff, tickspace, fan_leaves_out_ticked_off, exhaustive_testing != 0};
}

// The phases of check_found that apply to a plain fan, for all its states
// at once: the count (which cannot fill the list) and, in table mode, the
// mark of placed states; with the ticked-off test of a fan of numbers in the
// same read of the tickoff byte.
uint32_t
accept_plain_numbers(const uint32_t *fan, uint32_t count)
{
    uint32_t kept = accept_plain_into(plain_acceptance_terms(), fan, count,
                                      preim_numbers[pretog ? 0 : 1], nextindex);
    precount += kept;
    return kept;
}

int
compression_on()
{
    // An order rank's bits have no rotation symmetry: the neutral-order mode
    // never compresses.
    return (nonlocal == 0 || compress_1d_local == 1 || regular2d) && !dontcompress && !rulemix &&
           !neutral_order && exhaustive_testing != exhaustive_random_map;
}

int
accept_line(const uint8_t *P)
{
    found_state f;
    f.line = P;
    return accept_found(f);
}

// Where plain_fan holds, the check of each state is reduced to the phases
// that apply (the count, which cannot fill the list, and in table mode the
// mark of placed states), the list's room is taken beforehand, and the keys
// are polled once after the fan.
void
accept_numbers(const uint32_t *fan, uint32_t count)
{
    if (count == 0)
        return;
    const bool leave_out = fan_leaves_out_ticked_off;
    if (!plain_fan(count)) {
        for (uint32_t i = 0; i < count; i++) {
            if (leave_out && ticked_off(fan[i]))
                continue;
            found_state f;
            f.number = fan[i];
            f.has_number = true;
            if (accept_found(f))
                return;
        }
        return;
    }
    if (accept_plain_numbers(fan, count) && fan_polls_keys)
        interrupt_pre_fan();
}

void
begin_fan(const preimage_method &method)
{
    attrepeat = 0;
    user_stopped = false;
    fan_polls_keys = method.polls_keys;
    fan_leaves_out_ticked_off = method.leaves_out_ticked_off;
    search_units_to_poll = kSearchUnitsPerPoll;
}

void
interrupt_pre_fan()
{
    int key = key_poll();
    if (key == 'q') {
        earlyexit = 1;
        key = ask_fan_stop();
        if (key != 'q' && key != 'n')
            earlyexit = 0;
    }
    if (key == 'q' || key == 'n')
        user_stopped = true;
}

int
fan_stopped()
{
    return abort_subtree || user_stopped;
}

uint32_t search_units_to_poll = kSearchUnitsPerPoll;

int
poll_fan_search()
{
    search_units_to_poll = kSearchUnitsPerPoll;
    interrupt_pre_fan();
    return fan_stopped();
}

int16_t
rot_cycle_equiv(const uint8_t *S)
{
    cyclematch = 1;
    if (attperiod >= 2) {
        int r = repeating_seg(S);
        uint8_t *t = work_line(S);
        for (uint32_t j = 2; j <= attperiod; j++) {
            memcpy(t, S, bytesL);
            for (int k = 1; k < r; k++) {
                rotate_array(0, t, 'l', 0, 1, 0, 0);
                if (same_state(t, att[j]))
                    cyclematch++;
            }
        }
    }
    return cyclematch;
}

void
clear_segment_list()
{
    segno = 0;
    // Cleared only when used: clearing sweeps every bucket, and most fans
    // of a field never fill it.
    if (!seg_index.empty())
        seg_index.clear();
}

void
free_segment_list()
{
    for (uint32_t i = 0; i < seg_capacity; i++)
        checked_free(segseed[i]);
    checked_free(seg);
    checked_free(seg_2d_h);
    checked_free(seg_2d_v);
    checked_free(segseed);
    seg = seg_2d_h = seg_2d_v = nullptr;
    segseed = nullptr;
    seg_capacity = 0;
    segno = 0;
    seg_index.clear();
    checked_free(work);
    work = nullptr;
    work_bytes = 0;
}
