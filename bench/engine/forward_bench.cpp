// Benchmarks of the forward step (cell updates per second, reported as
// items_per_second) and of the attractor search. The v = 2 rings are stepped
// 64 cells to a word; the near rings (one wire moved) cell by cell, as every
// ring was before, for a comparison within one run:
//   bench/forward_bench --benchmark_filter=Ring --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true
// BM_RingEightLanes_v2 writes the indexes 8 cells a vector, as on a machine
// without AVX2. Beside them, two plain C loops on the same networks as
// anchors: BM_CPacked steps a v = 2 ring 64 cells to a word (the rule
// bit-sliced, nothing else written), BM_CBytes any wired network one byte
// per cell (state, rule table and wiring in flat arrays, no indexes kept):
//   bench/forward_bench --benchmark_filter='Ring|CPacked|CBytes|RandomWiring|RuleMix'
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/forward/attractor_search.h"
#include "engine/forward/forward_step.h"
#include "engine/forward/globals.h"
#include "engine/forward/packed_ring.h"
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

// The packed ring without the neighbourhood indexes, as the attractor
// search and other callers that read none of them step it.
void
BM_RingNoIndexes_v2(benchmark::State &state)
{
    network net(2, 65025, static_cast<int>(state.range(0)), shape::ring);
    step_mode mode;
    mode.indexes = 0;
    run_steps(state, net, mode);
}
BENCHMARK(BM_RingNoIndexes_v2)->Arg(3)->Arg(5)->Arg(7)->Arg(13);

// The packed ring with its indexes written 8 cells a vector, as on a
// machine without AVX2 (BM_Ring_v2 writes them in the widest vectors the
// machine has).
void
BM_RingEightLanes_v2(benchmark::State &state)
{
    const int widest = packed_ring_lanes(0);
    packed_ring_lanes(8);
    network net(2, 65025, static_cast<int>(state.range(0)), shape::ring);
    run_steps(state, net, step_mode());
    packed_ring_lanes(widest);
}
BENCHMARK(BM_RingEightLanes_v2)->Arg(3)->Arg(5)->Arg(7);

// v, k: random wiring, 65025 cells, indexes kept.
void
BM_RandomWiring(benchmark::State &state)
{
    network net(static_cast<int>(state.range(0)), 65025, static_cast<int>(state.range(1)),
                shape::random_wiring);
    run_steps(state, net, step_mode());
}
BENCHMARK(BM_RandomWiring)->Args({2, 3})->Args({2, 5})->Args({2, 7})->Args({3, 5})->Args({3, 9});

// v, k: a ring with a rule per cell (each a copy of the random rule 0 with
// one entry drawn anew).
void
BM_RuleMix(benchmark::State &state)
{
    const int v = static_cast<int>(state.range(0)), k = static_cast<int>(state.range(1));
    network net(v, 65025, k, shape::ring);
    allocate_mem_rulemix(k);
    rulemix = 1;
    net.rules = carule; // the row array was grown
    for (uint32_t c = 1; c < lineL; c++) {
        memcpy(carule[c], carule[0], (rule_entries(k) * value_bits + 7) / 8);
        set_value(carule[c], static_cast<uint32_t>(random() % rule_entries(k)), static_cast<int>(random() % v));
    }
    run_steps(state, net, step_mode());
    free_mem_rulemix();
    rulemix = 0;
}
BENCHMARK(BM_RuleMix)->Args({2, 3})->Args({2, 5})->Args({3, 3});

// The plain C loop of a v = 2 ring of n cells and K inputs, 64 cells to a
// word: the state words are laid out with K-1 wrapped cells around them,
// then each word's K input words are shifted out of the layout and the rule
// chosen by a tree of multiplexers. 64-bit words, little-endian.
template <int K>
struct c_packed_ring {
    int n, words;
    std::vector<uint64_t> now, next, ext;
    uint64_t entry[1 << K];

    c_packed_ring(int cells, const uint8_t *rule_bits, const uint8_t *start)
        : n(cells), words((cells + 63) / 64), now(words + 1), next(words + 1), ext(words + 3)
    {
        for (int i = 0; i < (1 << K); i++)
            entry[i] = (rule_bits[i / 8] >> (i % 8)) & 1 ? ~0ull : 0;
        memcpy(now.data(), start, (n + 7) / 8);
    }
    int
    cell(int c) const
    {
        c = (c % n + n) % n;
        return static_cast<int>((now[c / 64] >> (c % 64)) & 1);
    }
    // Not inlined, so that callgrind can count a step's instructions.
    __attribute__((noinline)) void
    step()
    {
        const int h = K / 2;
        // ext bit p = cell p - h
        ext.assign(ext.size(), 0);
        for (int w = 0; w < words; w++) {
            ext[w] |= now[w] << h;
            if (h)
                ext[w + 1] |= now[w] >> (64 - h);
        }
        if (n % 64) // the bits past cell n-1 are cleared from the layout
            ext[(n + h) / 64] &= ~(~0ull << ((n + h) % 64));
        for (int p = 0; p < h; p++)
            ext[p / 64] |= static_cast<uint64_t>(cell(p - h)) << (p % 64);
        for (int p = n + h; p < n + K - 1; p++)
            ext[p / 64] |= static_cast<uint64_t>(cell(p - h)) << (p % 64);
        for (int w = 0; w < words; w++) {
            uint64_t t[1 << K];
            for (int i = 0; i < (1 << K); i++)
                t[i] = entry[i];
            for (int j = 0; j < K; j++) {
                const uint64_t x = j ? (ext[w] >> j) | (ext[w + 1] << (64 - j)) : ext[w];
                for (int i = 0; i < (1 << (K - 1 - j)); i++)
                    t[i] = t[2 * i] ^ ((t[2 * i] ^ t[2 * i + 1]) & x);
            }
            next[w] = t[0];
        }
        now.swap(next);
    }
};

// The C loop and the step agree on one step from the same state: the
// anchor computes what the step does.
template <typename Loop>
bool
same_step(benchmark::State &state, Loop &loop, uint8_t **rules)
{
    loop.step();
    forward_run_begin(step_mode());
    forward_step(rules, step_mode());
    forward_run_end();
    for (uint32_t c = 0; c < lineL; c++)
        if (loop.cell(static_cast<int>(c)) != get_value(A, c)) {
            state.SkipWithError("the C loop and the step differ");
            return false;
        }
    return true;
}

template <int K>
void
BM_CPacked(benchmark::State &state)
{
    network net(2, 65025, K, shape::ring);
    c_packed_ring<K> ring(lineL, carule[0], A);
    if (!same_step(state, ring, net.rules))
        return;
    for (auto _ : state) {
        ring.step();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * lineL);
}
BENCHMARK_TEMPLATE(BM_CPacked, 3);
BENCHMARK_TEMPLATE(BM_CPacked, 5);
BENCHMARK_TEMPLATE(BM_CPacked, 7);

// The plain C loop of any wired network one byte per cell: state bytes, the
// wiring as n rows of k inputs in one array, the rule one byte per entry
// (one table, or one per cell for a mix); x = sum of input j times v^j.
struct c_byte_network {
    int n, k, v;
    bool mix;
    uint32_t entries;
    std::vector<uint8_t> now, next, rule;
    std::vector<uint16_t> wires;
    std::vector<uint32_t> weight;

    c_byte_network(bool per_cell)
        : n(lineL), k(nhood), v(value_range), mix(per_cell), entries(static_cast<uint32_t>(rule_entries(nhood))),
          now(n), next(n), rule(static_cast<size_t>(per_cell ? n : 1) * entries), wires(static_cast<size_t>(n) * k),
          weight(k)
    {
        for (int c = 0; c < n; c++) {
            now[c] = static_cast<uint8_t>(get_value(A, c));
            for (int j = 0; j < k; j++)
                wires[static_cast<size_t>(c) * k + j] = wiring[c][j];
        }
        for (int r = 0; r < (mix ? n : 1); r++)
            for (uint32_t x = 0; x < entries; x++)
                rule[static_cast<size_t>(r) * entries + x] = static_cast<uint8_t>(get_value(carule[r], x));
        for (int j = 0; j < k; j++)
            weight[j] = j ? weight[j - 1] * static_cast<uint32_t>(v) : 1;
    }
    int
    cell(int c) const
    {
        return now[c];
    }
    __attribute__((noinline)) void
    step()
    {
        const uint8_t *s = now.data(), *r = rule.data();
        const uint16_t *in = wires.data();
        const uint32_t *wt = weight.data();
        uint8_t *out = next.data();
        for (int c = 0; c < n; c++, in += k) {
            uint32_t x = 0;
            for (int j = 0; j < k; j++)
                x += s[in[j]] * wt[j];
            out[c] = mix ? r[static_cast<size_t>(c) * entries + x] : r[x];
        }
        now.swap(next);
    }
};

// kind (0 random wiring, 1 the near ring of BM_NearRing_v2, 2 the rule mix
// of BM_RuleMix), v, k.
void
BM_CBytes(benchmark::State &state)
{
    const int kind = static_cast<int>(state.range(0)), v = static_cast<int>(state.range(1)),
              k = static_cast<int>(state.range(2));
    network net(v, 65025, k, kind ? shape::ring : shape::random_wiring);
    if (kind == 1)
        wiring[lineL - 1][0] = 0;
    if (kind == 2) {
        allocate_mem_rulemix(k);
        rulemix = 1;
        net.rules = carule; // the row array was grown
        for (uint32_t c = 1; c < lineL; c++) {
            memcpy(carule[c], carule[0], (rule_entries(k) * value_bits + 7) / 8);
            set_value(carule[c], static_cast<uint32_t>(random() % rule_entries(k)), static_cast<int>(random() % v));
        }
    }
    {
        c_byte_network loop(kind == 2);
        if (same_step(state, loop, net.rules))
            for (auto _ : state) {
                loop.step();
                benchmark::ClobberMemory();
            }
    }
    if (kind == 2) {
        free_mem_rulemix();
        rulemix = 0;
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * lineL);
}
BENCHMARK(BM_CBytes)
    ->ArgNames({"kind", "v", "k"})
    ->Args({0, 2, 3})->Args({0, 2, 5})->Args({0, 2, 7})->Args({0, 3, 5})->Args({0, 3, 9})
    ->Args({1, 2, 3})->Args({1, 2, 5})->Args({1, 2, 7})->Args({1, 2, 13})
    ->Args({2, 2, 3})->Args({2, 2, 5})->Args({2, 3, 3});

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
