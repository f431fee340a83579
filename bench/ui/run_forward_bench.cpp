// Benchmarks of drawn forward runs, run by hand under a display (for
// example tests/with_xvfb.sh build/bench/run_forward_bench): rows per second
// of a 1d pattern of 1,000 cells at cell sizes 1 and 4, frames per second of
// a 100 x 100 2d pattern at cell size 4, and the cost of one key poll beside
// one undrawn step of the 1,000-cell ring, and undrawn runs of that ring
// through run_forward with its per-step key poll, and of a 65,025-cell ring
// (items_per_second counts rows, frames, polls, steps or cell updates).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "engine/forward/forward_step.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "ui/driver/globals.h"
#include "ui/forward/run_forward.h"
#include "ui/model/buffers.h"
#include "ui/model/cell_display.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"

namespace {

// Opens the window on $DISPLAY the first time; without a display the
// benchmark is skipped with the command that gives it one, rather than the
// program ending when the connection fails.
bool
open_window_once(benchmark::State &state)
{
    static bool open = false;
    if (open)
        return true;
    if (!getenv("DISPLAY")) {
        state.SkipWithError("no DISPLAY: run under tests/with_xvfb.sh (bench/field_figures.sh does)");
        return false;
    }
    allocate_mem_buffers();
    open_graphics();
    open = true;
    return true;
}

// A v = 2 network of n cells wired as a ring of k inputs, with a random rule
// and state; shown as a side x side lattice when side is given.
class network {
public:
    network(int n, int k, int side)
    {
        srandom(1);
        value_range = 2;
        value_bits = 1;
        lineL = static_cast<uint16_t>(n);
        L = static_cast<uint16_t>(n - 1);
        bytesL = static_cast<uint16_t>((n + 7) / 8);
        nhood = static_cast<int8_t>(k);
        nhood_lb = nhood_ub = static_cast<uint8_t>(k);
        oned = side == 0;
        twod = side ? 2 : 0;
        i2d = j2d = static_cast<int16_t>(side);
        nhoodm = static_cast<int8_t *>(checked_calloc(n, 1, "nhoodm"));
        memset(nhoodm, k, n);
        allocate_mem_CA_states();
        allocate_mem_wiring();
        for (int c = 0; c < n; c++)
            for (int j = 0; j < k; j++)
                wiring[c][j] = static_cast<uint16_t>(((c - k / 2 + j) % n + n) % n);
        allocate_mem_rule0(k);
        for (uint64_t i = 0; i < rule_entries(k); i++)
            set_value(carule[0], static_cast<uint32_t>(i), static_cast<int>(random() % 2));
        for (int c = 0; c < n; c++)
            set_value(A, c, static_cast<int>(random() % 2));
        setup_value_colors(1);
    }
    ~network()
    {
        checked_free(color_v);
        color_v = nullptr;
        free_mem_wiring();
        free_mem_rule0();
        free_mem_CA_states();
        checked_free(nhoodm);
        nhoodm = nullptr;
        oned = twod = 0;
    }
};

// Drawn runs of `steps` steps each (the forward steps before a subtree, so
// the run ends by itself), the page ending or scrolling as it goes.
void
drawn_runs(benchmark::State &state, int mode, int cell, uint32_t steps)
{
    for (auto _ : state) {
        direction = direction_backward;
        stepforward = steps;
        stp = 1;
        scale = static_cast<uint8_t>(cell);
        d_mode = static_cast<uint8_t>(mode);
        scrolling = 0;
        moveto(0, 0);
        run_forward(carule);
        flush_display();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * steps);
}

void
BM_Rows1d_n1000_scale1(benchmark::State &state)
{
    if (!open_window_once(state))
        return;
    network net(1000, 3, 0);
    drawn_runs(state, display_1d, 1, 2000);
}
BENCHMARK(BM_Rows1d_n1000_scale1)->Unit(benchmark::kMillisecond);

void
BM_Rows1d_n1000_scale4(benchmark::State &state)
{
    if (!open_window_once(state))
        return;
    // 1,000 cells of 4 pixels pass a 1,280-pixel window: the pixmap is
    // clamped to the window and the rest of each row clipped.
    network net(1000, 3, 0);
    drawn_runs(state, display_1d, 4, 2000);
}
BENCHMARK(BM_Rows1d_n1000_scale4)->Unit(benchmark::kMillisecond);

void
BM_Frames2d_100x100_scale4(benchmark::State &state)
{
    if (!open_window_once(state))
        return;
    network net(10000, 5, 100);
    drawn_runs(state, display_2d, 4, 200);
}
BENCHMARK(BM_Frames2d_100x100_scale4)->Unit(benchmark::kMillisecond);

void
BM_KeyPoll(benchmark::State &state)
{
    if (!open_window_once(state))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(event_ready());
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_KeyPoll);

// The same steps through run_forward, undrawn, with its key poll each step:
// compared with BM_UndrawnStep_n1000 this is what the polls cost.
void
BM_UndrawnRun_n1000(benchmark::State &state)
{
    if (!open_window_once(state))
        return;
    network net(1000, 3, 0);
    const uint32_t steps = 20000;
    for (auto _ : state) {
        direction = direction_backward;
        stepforward = steps;
        stp = 0;
        scale = 1;
        d_mode = display_1d;
        run_forward(carule);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * steps);
}
BENCHMARK(BM_UndrawnRun_n1000)->Unit(benchmark::kMillisecond);

// Undrawn runs of a 65,025-cell ring through run_forward (items_per_second
// counts cell updates): the packed step as the run takes it; and with one
// wire of the last cell moved, the cell-by-cell sweep, for comparison in the
// same run.
void
undrawn_large_run(benchmark::State &state, bool near_ring)
{
    if (!open_window_once(state))
        return;
    network net(65025, 3, 0);
    if (near_ring)
        wiring[lineL - 1][0] = 0;
    const uint32_t steps = 2000;
    for (auto _ : state) {
        direction = direction_backward;
        stepforward = steps;
        stp = 0;
        scale = 1;
        d_mode = display_1d;
        run_forward(carule);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * steps * lineL);
}

void
BM_UndrawnRun_Ring65025(benchmark::State &state)
{
    undrawn_large_run(state, false);
}
BENCHMARK(BM_UndrawnRun_Ring65025)->Unit(benchmark::kMillisecond);

void
BM_UndrawnRun_NearRing65025(benchmark::State &state)
{
    undrawn_large_run(state, true);
}
BENCHMARK(BM_UndrawnRun_NearRing65025)->Unit(benchmark::kMillisecond);

void
BM_UndrawnStep_n1000(benchmark::State &state)
{
    network net(1000, 3, 0);
    step_mode mode;
    forward_run_begin(mode);
    for (auto _ : state)
        forward_step(carule, mode);
    forward_run_end();
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_UndrawnStep_n1000);

} // namespace
