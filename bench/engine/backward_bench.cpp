// Pre-image engines over a whole state space: every state of a 20-cell
// network once as a target, the work of a basin field. The local and the
// general method on rings with rules 30, 90 and 110; the general and the
// successor-table method (build, inverse index and every lookup) on random
// wiring. Counters: ns per state and the largest partial pre-image stack
// (0 for the general method here: with the stack view off it walks depth
// first and keeps no stacks).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "engine/backward/globals.h"
#include "engine/backward/preimages_general.h"
#include "engine/backward/preimages_local.h"
#include "engine/backward/successor_table.h"
#include "engine/backward/tree_levels.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"

namespace {

// A 20-cell v = 2 network with k = 3 for every cell: a ring, or random wiring.
void
build_network(uint32_t rule, bool random_wiring)
{
    value_range = 2;
    value_bits = 1;
    lineL = 20;
    L = 19;
    bytesL = 3;
    nhood = 3;
    nhood_lb = nhood_ub = 3;
    nhood_mixed = 0;
    oned = 1;
    nhoodm = static_cast<int8_t *>(checked_calloc(lineL, 1, "nhoodm"));
    for (int c = 0; c < lineL; c++)
        nhoodm[c] = 3;
    allocate_mem_CA_states();
    allocate_mem_wiring();
    allocate_mem_rule0(3);
    srandom(1);
    for (int c = 0; c < lineL; c++)
        for (int j = 0; j < 3; j++)
            wiring[c][j] = random_wiring ? static_cast<uint16_t>(random() % lineL)
                                         : static_cast<uint16_t>((c - 1 + j + lineL) % lineL);
    for (int i = 0; i < 8; i++)
        set_value(carule[0], i, (rule >> i) & 1);
    nonlocal = random_wiring ? 1 : 0;
    dontcompress = 1;
    isrepeat = 1;
    direction = direction_backward;
    pp_hist_max = 0;
}

void
free_network()
{
    free_mem_wiring();
    free_mem_rule0();
    free_mem_CA_states();
    checked_free(nhoodm);
    nhoodm = nullptr;
}

// Every state once as the target of method; returns the pre-images found.
template <typename Method>
uint64_t
all_targets(Method method, uint32_t *largest_stack)
{
    uint64_t found = 0;
    start_level_lists();
    pretog = 0;
    for (uint32_t s = 0; s < (1u << 20); s++) {
        A[0] = static_cast<uint8_t>(s);
        A[1] = static_cast<uint8_t>(s >> 8);
        A[2] = static_cast<uint8_t>(s >> 16);
        nextindex = 0;
        method();
        found += nextindex;
        if (pp_hist_max > *largest_stack)
            *largest_stack = pp_hist_max;
        release_level(1);
    }
    free_level_lists();
    return found;
}

void
report(benchmark::State &state, uint64_t found, uint32_t largest_stack)
{
    state.counters["ns_per_state"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * (1u << 20),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["preimages"] = static_cast<double>(found);
    state.counters["largest_stack"] = largest_stack;
}

// Times method with every state once as its target, per iteration.
template <typename Method>
void
time_all_targets(benchmark::State &state, Method method)
{
    uint64_t found = 0;
    uint32_t largest = 0;
    for (auto _ : state)
        found = all_targets(method, &largest);
    report(state, found, largest);
}

void
BM_LocalMethodRing(benchmark::State &state)
{
    build_network(static_cast<uint32_t>(state.range(0)), false);
    allocate_local_arrays();
    time_all_targets(state, pre_images_local);
    free_local_arrays();
    free_network();
}

void
general_method(benchmark::State &state, bool random_wiring)
{
    build_network(static_cast<uint32_t>(state.range(0)), random_wiring);
    nonlocal = 1;
    prepair_pre_rand();
    time_all_targets(state, pre_images_rand);
    free_pre_rand();
    free_network();
}

void
BM_GeneralMethodRing(benchmark::State &state)
{
    general_method(state, false);
}

void
BM_GeneralMethodRandomWiring(benchmark::State &state)
{
    general_method(state, true);
}

void
BM_TableMethodRandomWiring(benchmark::State &state)
{
    build_network(static_cast<uint32_t>(state.range(0)), true);
    exhaustive_testing = exhaustive_table;
    basinfield = 1; // no tickoff: every pre-image is listed
    uint64_t found = 0;
    uint32_t largest = 0;
    for (auto _ : state) {
        fill_successor_table(-1, 0);
        found = all_targets(pre_exhaustive, &largest);
        free_successor_table();
    }
    exhaustive_testing = exhaustive_off;
    basinfield = 0;
    free_network();
    report(state, found, largest);
}

void
BM_TableBuildOnly(benchmark::State &state)
{
    build_network(static_cast<uint32_t>(state.range(0)), true);
    exhaustive_testing = exhaustive_table;
    basinfield = 1;
    for (auto _ : state) {
        fill_successor_table(-1, 0);
        free_successor_table();
    }
    exhaustive_testing = exhaustive_off;
    basinfield = 0;
    free_network();
}

} // namespace

BENCHMARK(BM_LocalMethodRing)->Arg(30)->Arg(90)->Arg(110)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeneralMethodRing)->Arg(30)->Arg(90)->Arg(110)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeneralMethodRandomWiring)->Arg(30)->Arg(110)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableMethodRandomWiring)->Arg(30)->Arg(110)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableBuildOnly)->Arg(110)->Iterations(1)->Unit(benchmark::kMillisecond);
