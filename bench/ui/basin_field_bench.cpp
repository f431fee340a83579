// The whole basin field of 2^20 and 2^22 states through the field driver
// (draw_field): every attractor, period, basin size and garden-of-Eden count.
// Networks, v = 2 and k = 3: random wiring (seed 7) under rule 110 by the
// successor-table method and by the general method, and rings under rules
// 30 and 110 by the local method with rotation compression; and the
// neutral-order field of 9 randomly wired cells (9! update orders). "Computed" runs
// with no window; "Drawn" opens the window on $DISPLAY (run the program
// under tests/with_xvfb.sh) and draws every basin, waiting for the server to
// finish drawing before the clock stops; the basins are laid out by the
// program's default layout. "DrawnOneByOne" draws the same without shape
// batches (every edge and spot its own request), for comparison. Counters:
// basins, and ns per state (drawn: by the clock, the server's drawing
// included; computed: CPU time).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "engine/backward/basin_layout.h"
#include "engine/backward/basin_totals.h"
#include "engine/backward/globals.h"
#include "engine/backward/parallel_table.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "engine/wiring/globals.h"
#include "ui/driver/run_drivers.h"
#include "ui/driver/startup.h"
#include "ui/model/buffers.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/shape_batch.h"
#include "ui/screen/window.h"

namespace {

enum network_kind { ring_local = 0, random_table = 1, random_general = 2, random_orders = 3, ring_general = 4, ring_table = 5 };

float field_figures[3];
float level_radii[91];

// A ring or a randomly wired network of n cells, v = 2, k = 3, one rule.
void
build_network(network_kind kind, int n, uint32_t rule)
{
    value_range = 2;
    value_bits = 1;
    lineL = static_cast<uint16_t>(n);
    L = static_cast<uint16_t>(n - 1);
    bytesL = static_cast<uint16_t>((n + 7) / 8);
    nhood = 3;
    nhood_lb = nhood_ub = 3;
    nhood_mixed = 0;
    oned = 1;
    twod = threed = 0;
    nhoodm = static_cast<int8_t *>(checked_calloc(lineL, 1, "nhoodm"));
    for (int c = 0; c < n; c++)
        nhoodm[c] = 3;
    allocate_mem_CA_states();
    allocate_mem_wiring();
    allocate_mem_rule0(3);
    srandom(7);
    for (int c = 0; c < n; c++)
        for (int j = 0; j < 3; j++)
            wiring[c][j] = kind == ring_local ? static_cast<uint16_t>((c - 1 + j + n) % n)
                                              : static_cast<uint16_t>(random() % n);
    if (kind == ring_general || kind == ring_table) // the ring's wiring, taken by a method for any wiring
        for (int c = 0; c < n; c++)
            for (int j = 0; j < 3; j++)
                wiring[c][j] = static_cast<uint16_t>((c - 1 + j + n) % n);
    for (uint32_t i = 0; i < 8; i++)
        set_value(carule[0], i, static_cast<int>((rule >> i) & 1));
    nonlocal = kind == ring_local ? 0 : 1;
    exhaustive_testing = kind == random_table || kind == ring_table ? exhaustive_table : exhaustive_off;
    if (!zparam)
        zparam = field_figures;
    shownumbers = shownumbers_spot;
    rad = level_radii;
    lastlevel = 90;
    basinfield = 1;
    compute_layout_defaults(Maxx, Maxy);
    dontcompress = 0;
    stp = 0;
    pdata = filedata = 0;
    isrepeat = 1;
}

void
free_network()
{
    exhaustive_testing = exhaustive_off;
    free_mem_wiring();
    free_mem_rule0();
    free_mem_CA_states();
    checked_free(nhoodm);
    nhoodm = nullptr;
    rad = nullptr;
    lastlevel = 0;
}

// One field per iteration; drawn when the window is open.
void
time_field(benchmark::State &state)
{
    auto kind = static_cast<network_kind>(state.range(0));
    int n = static_cast<int>(state.range(1));
    build_network(kind, n, static_cast<uint32_t>(state.range(2)));
    uint64_t states = uint64_t(1) << n;
    if (kind == random_orders) { // n! update orders
        states = 1;
        for (int c = 2; c <= n; c++)
            states *= static_cast<uint64_t>(c);
    }
    for (auto _ : state) {
        neutral_order = kind == random_orders; // each field ends the mode
        mutantdontpause = 1; // the successor table is made without its dialog
        basinfield = 1;
        direction = direction_forward;
        draw_field();
        if (mouse_found) {
            getpixel(0, 0); // a round trip: the server has drawn everything
            state.PauseTiming();
            clearviewport();
            state.ResumeTiming();
        }
    }
    if (fieldsize != states || earlyexitfield)
        state.SkipWithError("the field did not place every state");
    state.counters["basins"] = totbasinsinfield;
    state.counters["ns_per_state"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(states),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    basinfield = 0;
    free_network();
}

void
BM_FieldComputed(benchmark::State &state)
{
    if (!is)
        allocate_mem_buffers();
    time_field(state);
}

// The general method against the table method on one thread, size by size:
// CPU time of the same field computed by each.
void
BM_FieldBySize(benchmark::State &state)
{
    if (!is)
        allocate_mem_buffers();
    set_table_threads(1);
    time_field(state);
    set_table_threads(0);
}

// False (and the benchmark skipped) when no window can be opened.
bool
open_window(benchmark::State &state)
{
    if (!is)
        allocate_mem_buffers();
    if (mouse_found)
        return true;
    if (!getenv("DISPLAY")) {
        state.SkipWithError("no DISPLAY: run under tests/with_xvfb.sh");
        return false;
    }
    open_graphics();
    register_window_hooks(); // the key polls of the engines, as the program has them
    return true;
}

void
BM_FieldDrawn(benchmark::State &state)
{
    if (open_window(state))
        time_field(state);
}

void
BM_FieldDrawnOneByOne(benchmark::State &state)
{
    if (!open_window(state))
        return;
    enable_shape_batches(false);
    time_field(state);
    enable_shape_batches(true);
}

// kind, cells, rule: the four networks of the comparison, then the other
// two rings and the general method on random wiring.
void
field_networks(benchmark::internal::Benchmark *b)
{
    b->Args({random_table, 20, 110});
    b->Args({random_table, 22, 110});
    b->Args({ring_local, 20, 110});
    b->Args({ring_local, 22, 30});
    b->Args({ring_local, 20, 30});
    b->Args({ring_local, 22, 110});
    b->Args({random_general, 20, 110});
    b->ArgNames({"kind", "n", "rule"});
    b->Unit(benchmark::kMillisecond);
    b->MinTime(0.5);
}

// The larger drawn fields: 2^24 states of the random wiring, the table
// method, and the rings of rule 30 of 2^24 and 2^26 states (its long edges
// reach far past the window).
void
drawn_networks(benchmark::internal::Benchmark *b)
{
    b->Args({random_table, 24, 110});
    b->Args({ring_local, 24, 30});
    b->Args({ring_local, 26, 30});
}

// The same, and the neutral-order field, whose component table waits for a
// key when a window is open: computed only.
void
computed_networks(benchmark::internal::Benchmark *b)
{
    field_networks(b);
    b->Args({random_orders, 9, 110});
}

// Random wiring (rule 110) and the rings of rules 30 and 110, each by the
// table and by the general method, at 16 to 24 cells.
void
size_networks(benchmark::internal::Benchmark *b)
{
    for (int n = 16; n <= 24; n += 2) {
        b->Args({random_table, n, 110});
        b->Args({random_general, n, 110});
        b->Args({ring_table, n, 30});
        b->Args({ring_general, n, 30});
        b->Args({ring_table, n, 110});
        b->Args({ring_general, n, 110});
    }
    b->ArgNames({"kind", "n", "rule"});
    b->Unit(benchmark::kMillisecond);
    b->MinTime(0.5);
}

} // namespace

BENCHMARK(BM_FieldBySize)->Apply(size_networks);
BENCHMARK(BM_FieldComputed)->Apply(computed_networks);
// Drawn fields are timed by the clock (UseRealTime): the wait for the
// server to draw belongs to them.
BENCHMARK(BM_FieldDrawn)->Apply(field_networks)->Apply(drawn_networks)->UseRealTime();
BENCHMARK(BM_FieldDrawnOneByOne)->Apply(field_networks)->UseRealTime();
