// The successor table and the table pre-image methods. Reads the network
// model, runs the parallel step of every state at once (parallel_table.h)
// or the forward step of forward/forward_step.h for every state, reads update orders (forward/update_order.h) in neutral-order mode, and
// hands pre-images to acceptance.h. Polls the keys (model/key_poll.h) and
// asks through the registered prompts (preimage_prompts.h). Start at
// fill_successor_table.
//
// Inverse index: the states sorted by successor number (a counting sort,
// parallel_table.h) with where each successor's group starts
// (successor_index.h), so the pre-images of state t are one stretch of the
// list, in ascending order. Built once per table in O(v^n), from the
// records themselves where v = 2 (no array of successor numbers beside
// them), so that from 2^24 states on the table and its index take about
// bytesL + 4.6 bytes a state; each target then costs its own fan only.
#include "engine/backward/successor_table.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/backward/acceptance.h"
#include "engine/backward/globals.h"
#include "engine/backward/neutral_buffers.h"
#include "engine/backward/parallel_table.h"
#include "engine/backward/preimage_method.h"
#include "engine/backward/preimage_prompts.h"
#include "engine/backward/successor_index.h"
#include "engine/forward/forward_step.h"
#include "engine/forward/globals.h"
#include "engine/forward/update_order.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/key_poll.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"
#include "engine/rules/random_states.h"

namespace {

successor_index table_index;
index_form table_index_form = index_form::automatic;
bool owns_tickoff = false;
// The groups warm_pre_images looked up in an index of blocks for the nodes
// expanded soon, in the place warmed_place gives their target number, with
// their target number + 1 (0: none); forgotten whenever the index is made
// or freed.
constexpr uint32_t kWarmed = 256;
pre_image_span warmed[kWarmed];
uint32_t warmed_target_plus_1[kWarmed] = {};

// The place of target t: its number's bits mixed, since the nodes of a
// level often differ in their high cells only (a fan's pre-images share
// their low bits), and their low bits alone would put them in one place.
inline uint32_t
warmed_place(uint32_t t)
{
    return (t * 0x9E3779B1u) >> 24;
}

void
forget_warmed_groups()
{
    memset(warmed_target_plus_1, 0, sizeof warmed_target_plus_1);
}

constexpr uint32_t kPollEvery = 4096;

// The index of the records of exh_pairs (each a state of the network): read
// as numbers where v = 2, else through an array of their numbers made for
// the sort. counted: the records' bucket counts as the fill made them, or
// null. stopped: the fill's stop, asked as the sort goes on, or null; false
// when it stopped the sort (the index freed).
bool
index_records(uint64_t states, bucket_counts *counted = nullptr,
              int (*stopped)(uint64_t done, uint64_t states) = nullptr)
{
    forget_warmed_groups();
    int sorted = value_range == 2 ? sort_records_by_successor(exh_pairs, bytesL, lineL, states, table_index,
                                                              table_index_form, counted, stopped)
                                  : 0;
    if (sorted == 0) {
        uint32_t *succ = static_cast<uint32_t *>(checked_calloc(states, sizeof(uint32_t), "exh_pairs index"));
        for (uint64_t s = 0; s < states; s++)
            succ[s] = dec_equiv(exh_pairs + s * bytesL, L);
        sorted = sort_by_successor(succ, states, table_index, table_index_form, stopped) ? 1 : -1;
        checked_free(succ);
    }
    if (sorted > 0)
        return true;
    free_successor_index(table_index);
    return false;
}

// The next state of the counter line (base v, cell 0 least significant).
void
count_up(uint8_t *line)
{
    for (uint32_t c = 0; c < lineL; c++) {
        int x = get_value(line, c) + 1;
        if (x < value_range) {
            set_value(line, c, x);
            return;
        }
        set_value(line, c, 0);
    }
}

// A random successor of the state in A into F.
void
random_successor(int hamming, uint8_t *picked)
{
    int n = lineL, v = value_range;
    if (hamming < 0 || hamming > n) {
        for (int c = 0; c < n; c++)
            set_value(F, static_cast<uint32_t>(c),
                      v == 2 ? (random() % 100 >= 50 ? 1 : 0) : static_cast<int>(random() % v));
        return;
    }
    state_at_distance(A, F, hamming, picked);
}

// 1 when the user stops the computation at s of states: 'q' and then the
// progress prompt's 'q'.
int
stopped_at(uint64_t s, uint64_t states)
{
    show_table_progress(s + 1, states);
    if (key_poll() != 'q')
        return 0;
    // 64-bit arithmetic: 100 * s overflows 32 bits past 42,949,672 states.
    unsigned percent = static_cast<unsigned>(states > 1 ? 100 * s / (states - 1) : 100);
    return ask_table_stop(percent);
}

// A single basin or subtree run (not a field, and not a forward-only run
// without a history check) gets its placed-state bits from the table, which
// frees them with itself.
void
take_tickoff_for_single_runs(uint64_t states)
{
    if (basinfield || (direction == direction_forward && limitcheck == 0))
        return;
    checked_free(tickoff);
    tickspace = statespace;
    tickoff = static_cast<uint8_t *>(checked_calloc(states / 8 + 1, 1, "tickoff"));
    owns_tickoff = true;
}

} // namespace

uint64_t
state_count()
{
    // State numbers and the index's offsets must fit 32 bits.
    if (lineL == 0 || lineL > 32)
        return 0;
    uint64_t states = int_power(value_range, lineL);
    return states >= (uint64_t(1) << 32) ? 0 : states;
}

uint64_t
successor_table_bytes()
{
    uint64_t states = state_count();
    if (!states)
        return 0;
    // The table, the index (list, runs, block starts), the tick-off bits,
    // and where v > 2 the successor numbers the sort reads.
    return states * bytesL + states * 4 + states / 4 + states / 8 + states / 8 + 32 +
           (value_range == 2 ? 0 : states * 4);
}

int
fill_successor_table(int hamming, int print_pairs)
{
    uint64_t states = state_count();
    uint64_t need = successor_table_bytes();
    if (!states || need > physical_memory_bytes() / 2) {
        show_table_refusal("successor table too large for memory, cont-ret:");
        return 0;
    }
    free_successor_table();
    statespace = static_cast<uint32_t>(states - 1);
    exh_pairs = static_cast<uint8_t *>(checked_calloc(states, bytesL, "exh_pairs"));
    advise_large_pages(exh_pairs, states * bytesL);
    take_tickoff_for_single_runs(states);
    uint8_t *counter = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "exh_pairs"));
    uint8_t *picked = static_cast<uint8_t *>(checked_calloc(lineL / 8 + 1, 1, "exh_pairs"));
    memset(A, 0, bytesL);
    memset(F, 0, bytesL);
    int done = 1;
    int fast = 0;
    bucket_counts counted;
    if (exhaustive_testing == exhaustive_table && seq_update == update_parallel && !tot_only &&
        !wiring_madelocal && !print_pairs)
        fast = parallel_table(states, nullptr, stopped_at, &counted);
    if (fast < 0)
        done = 0;
    step_mode mode = forward_run_mode(0);
    if (exhaustive_testing == exhaustive_table && !fast)
        forward_run_begin(mode);
    for (uint64_t s = 0; s < states && !fast; s++) {
        memcpy(A, counter, bytesL);
        const uint8_t *next;
        if (exhaustive_testing == exhaustive_table) {
            // In parallel mode the step exchanges A and F; in the sequential
            // modes it updates A in place: the successor is in A either way.
            forward_step(carule, mode);
            next = A;
        } else {
            random_successor(hamming, picked);
            next = F;
        }
        uint8_t *record = exh_pairs + s * bytesL;
        memcpy(record, next, bytesL);
        if (print_pairs)
            fprintf(stderr, " %lu %lu\n", static_cast<unsigned long>(s),
                    static_cast<unsigned long>(dec_equiv(record, L)));
        count_up(counter);
        if ((s + 1) % kPollEvery == 0 && stopped_at(s, states)) {
            done = 0;
            break;
        }
    }
    if (exhaustive_testing == exhaustive_table && !fast)
        forward_run_end();
    // The sort of 2^22 states takes seconds under the sanitizers: the
    // fill's stop is asked through it too.
    if (done && !index_records(states, fast ? &counted : nullptr, stopped_at))
        done = 0;
    checked_free(counter);
    checked_free(picked);
    if (!done)
        free_successor_table();
    return done;
}

int
build_successor_index()
{
    uint64_t states = state_count();
    if (!states || !exh_pairs)
        return 0;
    statespace = static_cast<uint32_t>(states - 1);
    int ok = 1;
    for (uint64_t s = 0; s < states && ok; s++) {
        const uint8_t *record = exh_pairs + s * bytesL;
        for (uint32_t c = 0; c < lineL && ok; c++)
            ok = get_value(record, c) < value_range;
    }
    if (ok)
        index_records(states);
    return ok;
}

int
adopt_successor_table(const uint8_t *records)
{
    uint64_t states = state_count();
    if (!states)
        return 0;
    free_successor_table();
    exh_pairs = static_cast<uint8_t *>(checked_calloc(states, bytesL, "exh_pairs"));
    memcpy(exh_pairs, records, states * bytesL);
    if (!build_successor_index()) {
        free_successor_table();
        return 0;
    }
    // A loaded table serves a single basin or subtree as a computed one does.
    take_tickoff_for_single_runs(states);
    return 1;
}

void
set_table_index_form(index_form form)
{
    table_index_form = form;
}

void
free_successor_table()
{
    checked_free(exh_pairs);
    exh_pairs = nullptr;
    free_successor_index(table_index);
    forget_warmed_groups();
    if (owns_tickoff) {
        checked_free(tickoff);
        tickoff = nullptr;
        tickspace = 0;
        owns_tickoff = false;
    }
}

void
pre_exhaustive()
{
    pre_exhaustive_of(dec_equiv(A, L));
}

void
pre_exhaustive_of(uint32_t t)
{
    begin_fan(table_preimages);
    uint32_t count;
    const uint32_t *fan = table_pre_images(t, &count);
    if (!fan)
        return;
    // The tree builder expands these states later on: where their groups
    // start is fetched now, so that expansion need not wait on memory.
    if (table_index.first)
        for (uint32_t i = 0; i < count; i++)
            __builtin_prefetch(table_index.first + fan[i]);
    else
        for (uint32_t i = 0; i < count; i++)
            __builtin_prefetch(table_index.blocks + (fan[i] >> 6));
    accept_numbers(fan, count);
}

const uint32_t *
table_pre_images(uint32_t t, uint32_t *count)
{
    *count = 0;
    if ((!table_index.list && !build_successor_index()) || t > statespace)
        return nullptr;
    // Offsets are two reads in lines asked for already; a block's group
    // takes longer to find than to keep.
    pre_image_span group;
    if (table_index.first) {
        group = {table_index.first[t], table_index.first[t + 1] - table_index.first[t]};
    } else {
        uint32_t place = warmed_place(t);
        group = warmed_target_plus_1[place] == t + 1 ? warmed[place] : successor_group(table_index, t);
    }
    *count = group.count;
    return table_index.list + group.first;
}

const successor_index *
table_fan_index()
{
    return table_index.list ? &table_index : nullptr;
}

void
warm_pre_images(uint32_t near, uint32_t middle, uint32_t far)
{
    if (!table_index.list)
        return;
    if (far <= statespace && table_index.first)
        __builtin_prefetch(table_index.first + far);
    else if (far <= statespace)
        __builtin_prefetch(table_index.blocks + (far >> 6));
    if (middle <= statespace && !table_index.first) {
        uint64_t spill = block_spill(table_index.blocks[middle >> 6]);
        uint64_t at = spill ? 65 * ((spill - 1) >> 1) + (middle & 63) : 0;
        if (spill)
            __builtin_prefetch(spill & 1 ? static_cast<const void *>(table_index.narrow + at)
                                         : static_cast<const void *>(table_index.wide + at));
    }
    if (near <= statespace && table_index.first) {
        __builtin_prefetch(table_index.list + table_index.first[near]);
    } else if (near <= statespace) {
        uint32_t place = warmed_place(near);
        pre_image_span &group = warmed[place];
        group = successor_group(table_index, near);
        warmed_target_plus_1[place] = near + 1;
        __builtin_prefetch(table_index.list + group.first);
    }
}

void
pre_neutral()
{
    begin_fan(neutral_order_preimages);
    int n = templineL;
    if (n < 2 || n > kMaxNeutralCells)
        return;
    // The target order is built once; each neutral swap is made, ranked and
    // undone in place, so no order is allocated per state.
    uint16_t order[kMaxNeutralCells];
    index_to_order(dec_equiv(A, L), order, n);
    auto unwired = [](uint16_t x, uint16_t y) {
        for (int j = 0; j < nhoodm[x]; j++)
            if (wiring[x][j] == y)
                return false;
        for (int j = 0; j < nhoodm[y]; j++)
            if (wiring[y][j] == x)
                return false;
        return true;
    };
    for_each_neutral_swap(order, n, unwired, [](uint32_t s) {
        if (tickoff && s <= tickspace) {
            if (get_bitlong(tickoff, s))
                return false;
            set_bitlong(tickoff, s, 1);
        }
        memset(F, 0, bytesL);
        dec_to_value_line(F, s, lineL);
        return accept_line(F) != 0;
    });
}
