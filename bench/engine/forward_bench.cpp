// Benchmarks of the forward step (cell updates per second, reported as
// items_per_second) and of the attractor search. The v = 2 rings are stepped
// 64 cells to a word; the near rings (one wire moved) cell by cell, as every
// ring was before, for a comparison within one run:
//   bench/forward_bench --benchmark_filter=Ring --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "engine/backward/globals.h"
#include "engine/forward/attractor_search.h"
#include "engine/forward/forward_step.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_count_trie.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"

namespace {

// A network of n cells with one k, a random rule table (or kcode) and a
// random state; ring wiring, random wiring, or a forward-only 2d lattice.
enum class shape { ring, random_wiring, lattice };

class network {
public:
    network(int v, int n, int k, shape s, int code = 0)
    {
        srandom(1);
        value_range = static_cast<int8_t>(v);
        value_bits = static_cast<int8_t>(check_value_bits(v));
        lineL = static_cast<uint16_t>(n);
        L = static_cast<uint16_t>(n - 1);
        bytesL = static_cast<uint16_t>((n * value_bits + 7) / 8);
        nhood = static_cast<int8_t>(k);
        nhood_lb = nhood_ub = static_cast<uint8_t>(k);
        oned = s != shape::lattice;
        twod = s == shape::lattice ? 2 : 0;
        threed = 0;
        if (s == shape::lattice) {
            i2d = j2d = 255;
            loc_twod_fonly = 1;
        }
        nhoodm = static_cast<int8_t *>(checked_calloc(n, 1, "nhoodm"));
        memset(nhoodm, k, n);
        allocate_mem_CA_states();
        allocate_mem_wiring();
        for (int c = 0; c < n; c++)
            for (int j = 0; j < k; j++)
                wiring[c][j] = static_cast<uint16_t>(
                    s == shape::random_wiring ? random() % n : ((c - k / 2 + j) % n + n) % n);
        if (code) {
            set_up_v_code();
            allocate_mem_tcode0(k);
            totalistic = rule_kind_kcodes;
            tot_only = 1;
            for (uint32_t e = 0; e < kcode_entries(k); e++)
                set_value(v_code[0], e, static_cast<int>(random() % v));
            rules = v_code;
        } else {
            allocate_mem_rule0(k);
            for (uint64_t i = 0; i < rule_entries(k); i++)
                set_value(carule[0], static_cast<uint32_t>(i), static_cast<int>(random() % v));
            rules = carule;
        }
        for (int c = 0; c < n; c++)
            set_value(A, c, static_cast<int>(random() % v));
    }
    ~network()
    {
        if (tot_only) {
            free_mem_tcode0();
            free_v_code_arrays();
        } else {
            free_mem_rule0();
        }
        tot_only = 0;
        totalistic = rule_kind_tables;
        free_mem_wiring();
        free_mem_CA_states();
        checked_free(nhoodm);
        nhoodm = nullptr;
        loc_twod_fonly = 0;
        update_prob = 100.0f;
    }
    uint8_t **rules;
};

void
run_steps(benchmark::State &state, network &net, step_mode mode)
{
    forward_run_begin(mode);
    for (auto _ : state)
        forward_step(net.rules, mode);
    forward_run_end();
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * lineL);
}

void
BM_Ring_v2_k3(benchmark::State &state)
{
    network net(2, 65025, 3, shape::ring);
    run_steps(state, net, step_mode());
}
BENCHMARK(BM_Ring_v2_k3);

void
BM_Ring_v2_k13(benchmark::State &state)
{
    network net(2, 65025, 13, shape::ring);
    run_steps(state, net, step_mode());
}
BENCHMARK(BM_Ring_v2_k13);

// The ring at every k of a 1d network: the packed step.
void
BM_Ring_v2(benchmark::State &state)
{
    network net(2, 65025, static_cast<int>(state.range(0)), shape::ring);
    run_steps(state, net, step_mode());
}
BENCHMARK(BM_Ring_v2)->DenseRange(1, 13, 1);

// The same ring with one wire of the last cell moved: no longer a ring, so
// stepped cell by cell by the sweep, as every ring was before the packed
// step; the figure to compare with BM_Ring_v2 in the same run.
void
BM_NearRing_v2(benchmark::State &state)
{
    const int k = static_cast<int>(state.range(0));
    network net(2, 65025, k, shape::ring);
    wiring[lineL - 1][0] = 0;
    run_steps(state, net, step_mode());
}
BENCHMARK(BM_NearRing_v2)->Arg(3)->Arg(5)->Arg(7)->Arg(13);

// A ring of 20 cells, as the successor table and the attractor search step
// it one state at a time; beside it the same ring with one wire moved.
void
BM_Ring20_v2_k3(benchmark::State &state)
{
    network net(2, 20, 3, shape::ring);
    if (state.range(0))
        wiring[lineL - 1][0] = 0;
    run_steps(state, net, step_mode());
}
BENCHMARK(BM_Ring20_v2_k3)->ArgName("near")->Arg(0)->Arg(1);

void
BM_RandomWiring_v3_k9(benchmark::State &state)
{
    network net(3, 65025, 9, shape::random_wiring);
    run_steps(state, net, step_mode());
}
BENCHMARK(BM_RandomWiring_v3_k9);

void
BM_Lattice255_v2_k9_ForwardOnly(benchmark::State &state)
{
    network net(2, 255 * 255, 9, shape::lattice);
    step_mode mode;
    mode.fwd_only = 1;
    run_steps(state, net, mode);
}
BENCHMARK(BM_Lattice255_v2_k9_ForwardOnly);

void
BM_Kcode_v8_k11(benchmark::State &state)
{
    network net(8, 65025, 11, shape::ring, 1);
    run_steps(state, net, step_mode());
}
BENCHMARK(BM_Kcode_v8_k11);

void
BM_Sequential_Mode1(benchmark::State &state)
{
    network net(2, 65025, 3, shape::ring);
    for (int i = 0; i < lineL; i++)
        seq_order[i] = static_cast<uint16_t>(i);
    step_mode mode;
    mode.seq_update = update_cell_order;
    run_steps(state, net, mode);
}
BENCHMARK(BM_Sequential_Mode1);

void
BM_Sequential_Mode4_ForwardOnly(benchmark::State &state)
{
    network net(2, 65025, 3, shape::ring);
    step_mode mode;
    mode.seq_update = update_random_order;
    mode.fwd_only = 1;
    run_steps(state, net, mode);
}
BENCHMARK(BM_Sequential_Mode4_ForwardOnly);

void
BM_UpdateProbabilityHalf(benchmark::State &state)
{
    network net(2, 65025, 3, shape::ring);
    update_prob = 0.5f;
    step_mode mode;
    mode.fwd_only = 1;
    run_steps(state, net, mode);
}
BENCHMARK(BM_UpdateProbabilityHalf);

void
BM_AttractorRule30_16Cells(benchmark::State &state)
{
    network net(2, 16, 3, shape::ring);
    for (uint32_t i = 0; i < 8; i++)
        set_value(carule[0], i, (30 >> i) & 1);
    limitcheck = 10000;
    for (auto _ : state) {
        memset(A, 0, bytesL);
        set_value(A, 8, 1);
        uint32_t t = attractor_search(carule, step_mode(), 10000);
        benchmark::DoNotOptimize(t);
        free_att();
    }
    limitcheck = 0;
}
BENCHMARK(BM_AttractorRule30_16Cells)->Unit(benchmark::kMillisecond);

} // namespace
