// The successor table and the table pre-image methods. Reads the network
// model, runs the parallel step of every state at once (parallel_table.h)
// or the forward step of forward/forward_step.h for every state, reads update orders (forward/update_order.h) in neutral-order mode, and
// hands pre-images to acceptance.h. Polls the keys (model/key_poll.h) and
// asks through the registered prompts (preimage_prompts.h). Start at
// fill_successor_table.
//
// Inverse index: the states sorted by successor number (a counting sort,
// parallel_table.h), so the pre-images of state t are
// index_list[index_first[t] .. index_first[t+1]), in ascending order. Built
// once per table in O(v^n); each target then costs its own fan only.
#include "engine/backward/successor_table.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/backward/acceptance.h"
#include "engine/backward/globals.h"
#include "engine/backward/neutral_buffers.h"
#include "engine/backward/parallel_table.h"
#include "engine/backward/preimage_method.h"
#include "engine/backward/preimage_prompts.h"
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

uint32_t *index_first = nullptr; // v^n + 1 entries
uint32_t *index_list = nullptr;  // v^n entries
bool owns_tickoff = false;

constexpr uint32_t kPollEvery = 4096;

// Asks for large pages under the whole 2 MB stretches of a fresh block: the
// tree walk reads the index at random, and with small pages nearly every
// read would miss the address cache too. Only a hint; nothing changes if
// the system gives none.
void
advise_large_pages(void *block, size_t bytes)
{
    constexpr uintptr_t kLarge = uintptr_t(1) << 21;
    uintptr_t from = (reinterpret_cast<uintptr_t>(block) + kLarge - 1) & ~(kLarge - 1);
    uintptr_t to = (reinterpret_cast<uintptr_t>(block) + bytes) & ~(kLarge - 1);
    if (to > from)
        madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);
}

// Index from the successor numbers succ[0 .. states-1] (each < states).
void
index_from(const uint32_t *succ, uint64_t states)
{
    checked_free(index_first);
    checked_free(index_list);
    index_first = static_cast<uint32_t *>(checked_calloc(states + 1, sizeof(uint32_t), "exh_pairs index"));
    index_list = static_cast<uint32_t *>(checked_calloc(states, sizeof(uint32_t), "exh_pairs index"));
    advise_large_pages(index_first, (states + 1) * sizeof(uint32_t));
    advise_large_pages(index_list, states * sizeof(uint32_t));
    sort_by_successor(succ, states, index_first, index_list);
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
    // The table, the index (first and list) and the work array of the sort.
    return states * bytesL + (states + 1) * 4 + states * 8 + states / 8 + 1;
}

int
fill_successor_table(int hamming, int print_pairs)
{
    uint64_t states = state_count();
    uint64_t need = successor_table_bytes();
    uint64_t memory = static_cast<uint64_t>(sysconf(_SC_PHYS_PAGES)) * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    if (!states || need > memory / 2) {
        show_table_refusal("successor table too large for memory, cont-ret:");
        return 0;
    }
    free_successor_table();
    statespace = static_cast<uint32_t>(states - 1);
    exh_pairs = static_cast<uint8_t *>(checked_calloc(states, bytesL, "exh_pairs"));
    take_tickoff_for_single_runs(states);
    uint32_t *succ = static_cast<uint32_t *>(checked_calloc(states, sizeof(uint32_t), "exh_pairs index"));
    uint8_t *counter = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "exh_pairs"));
    uint8_t *picked = static_cast<uint8_t *>(checked_calloc(lineL / 8 + 1, 1, "exh_pairs"));
    memset(A, 0, bytesL);
    memset(F, 0, bytesL);
    int done = 1;
    int fast = 0;
    if (exhaustive_testing == exhaustive_table && seq_update == update_parallel && !tot_only &&
        !wiring_madelocal && !print_pairs)
        fast = parallel_table(states, succ, stopped_at);
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
        succ[s] = dec_equiv(record, L);
        if (print_pairs)
            fprintf(stderr, "\n %lu %lu", static_cast<unsigned long>(s), static_cast<unsigned long>(succ[s]));
        count_up(counter);
        if ((s + 1) % kPollEvery == 0 && stopped_at(s, states)) {
            done = 0;
            break;
        }
    }
    if (exhaustive_testing == exhaustive_table && !fast)
        forward_run_end();
    if (done)
        index_from(succ, states);
    checked_free(succ);
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
    uint32_t *succ = static_cast<uint32_t *>(checked_calloc(states, sizeof(uint32_t), "exh_pairs index"));
    int ok = 1;
    for (uint64_t s = 0; s < states && ok; s++) {
        const uint8_t *record = exh_pairs + s * bytesL;
        for (uint32_t c = 0; c < lineL && ok; c++)
            ok = get_value(record, c) < value_range;
        succ[s] = dec_equiv(record, L);
    }
    if (ok)
        index_from(succ, states);
    checked_free(succ);
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
free_successor_table()
{
    checked_free(exh_pairs);
    checked_free(index_first);
    checked_free(index_list);
    exh_pairs = nullptr;
    index_first = index_list = nullptr;
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
    if (!index_first && !build_successor_index())
        return;
    if (t > statespace)
        return;
    const uint32_t *fan = index_list + index_first[t];
    uint32_t count = index_first[t + 1] - index_first[t];
    // The tree builder expands these states later on: their index entries
    // are fetched now, so that expansion need not wait on memory.
    for (uint32_t i = 0; i < count; i++)
        __builtin_prefetch(index_first + fan[i]);
    accept_numbers(fan, count);
}

const uint32_t *
table_pre_images(uint32_t t, uint32_t *count)
{
    if (!index_first || t > statespace) {
        *count = 0;
        return nullptr;
    }
    *count = index_first[t + 1] - index_first[t];
    return index_list + index_first[t];
}

void
warm_pre_images(uint32_t near, uint32_t far)
{
    if (!index_first)
        return;
    if (far <= statespace)
        __builtin_prefetch(index_first + far);
    if (near <= statespace)
        __builtin_prefetch(index_list + index_first[near]);
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
    for (int i = 1; i < n; i++) {
        uint16_t y = order[i - 1], x = order[i];
        bool linked = false;
        for (int j = 0; j < nhoodm[x] && !linked; j++)
            linked = wiring[x][j] == y;
        for (int j = 0; j < nhoodm[y] && !linked; j++)
            linked = wiring[y][j] == x;
        if (linked)
            continue;
        order[i - 1] = x;
        order[i] = y;
        uint32_t s = order_to_index(order, n);
        order[i - 1] = y;
        order[i] = x;
        if (tickoff && s <= tickspace) {
            if (get_bitlong(tickoff, s))
                continue;
            set_bitlong(tickoff, s, 1);
        }
        memset(F, 0, bytesL);
        dec_to_value_line(F, s, lineL);
        if (accept_line(F))
            break;
    }
}
