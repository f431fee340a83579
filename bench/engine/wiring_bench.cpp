// The wiring's costly paths: one lattice template lookup per family, a
// whole random wire-up of the largest lattice with distinct inputs, and the
// out-degree count with its two-way links at the largest size that counts
// them.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/lattice_templates.h"
#include "engine/wiring/out_degrees.h"
#include "engine/wiring/random_wiring.h"

namespace {

void
make_network(int n, int k)
{
    lineL = static_cast<uint16_t>(n);
    L = static_cast<uint16_t>(n - 1);
    nhood = static_cast<int8_t>(k);
    nhoodm = static_cast<int8_t *>(checked_calloc(static_cast<size_t>(n), 1, "nhoodm"));
    for (int c = 0; c < n; c++)
        nhoodm[c] = static_cast<int8_t>(k);
    allocate_mem_wiring();
}

void
free_network()
{
    free_mem_wiring();
    checked_free(nhoodm);
    nhoodm = nullptr;
}

// Family 0 square (k = 25), 1 hexagonal (k = 25), 2 cubic (k = 13).
void
BM_pndood_2or3(benchmark::State &state)
{
    int family = static_cast<int>(state.range(0));
    int dim = family == 2 ? 3 : 2;
    int k = family == 2 ? 13 : 25;
    i2d = j2d = 255;
    i3d = j3d = h3d = 40;
    hex2d = family == 1;
    int n = dim == 3 ? 64000 : 65025;
    lineL = static_cast<uint16_t>(n);
    nhoodm = static_cast<int8_t *>(checked_calloc(static_cast<size_t>(n), 1, "nhoodm"));
    for (int c = 0; c < n; c++)
        nhoodm[c] = static_cast<int8_t>(k);
    uint32_t cell = 0, pos = 0, sum = 0;
    for (auto _ : state) {
        sum += static_cast<uint32_t>(pndood_2or3(dim, static_cast<uint16_t>(cell), static_cast<int>(pos)));
        sum += poss_n;
        if (++pos == static_cast<uint32_t>(k)) {
            pos = 0;
            cell = (cell + 7919) % static_cast<uint32_t>(n);
        }
    }
    benchmark::DoNotOptimize(sum);
    checked_free(nhoodm);
    nhoodm = nullptr;
    hex2d = 0;
}
BENCHMARK(BM_pndood_2or3)->Arg(0)->Arg(1)->Arg(2);

void
BM_random_wireup_distinct(benchmark::State &state)
{
    oned = 0;
    twod = 2;
    threed = 0;
    i2d = j2d = 255;
    make_network(65025, 13);
    zonesize = 5;
    distinct = 1;
    srandom(1);
    for (auto _ : state)
        for (int c = L; c >= 0; c--)
            randomly_wire_cell(static_cast<uint16_t>(c), L);
    distinct = 0;
    twod = 0;
    free_network();
}
BENCHMARK(BM_random_wireup_distinct)->Unit(benchmark::kMillisecond);

void
BM_out_degrees_with_bi_links(benchmark::State &state)
{
    oned = 1;
    twod = threed = 0;
    make_network(2500, 13);
    zonesize = 2500;
    srandom(2);
    for (int c = L; c >= 0; c--)
        randomly_wire_cell(static_cast<uint16_t>(c), L);
    for (auto _ : state)
        cell_out_freq();
    benchmark::DoNotOptimize(tot_bi_links);
    free_network();
}
BENCHMARK(BM_out_degrees_with_bi_links)->Unit(benchmark::kMillisecond);

} // namespace
