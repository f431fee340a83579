// The time of one Derrida curve: 20 cells, random wiring of k = 3, a
// random rule table, 20 distances of 10,000 pairs each, one step from t0:
//   bench/derrida_bench
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "engine/measures/derrida.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"

namespace {

struct random_network {
    random_network(int n, int k)
    {
        srandom(1);
        value_range = 2;
        value_bits = 1;
        lineL = static_cast<uint16_t>(n);
        L = static_cast<uint16_t>(n - 1);
        bytesL = static_cast<uint16_t>((n + 7) / 8);
        nhood = static_cast<int8_t>(k);
        nhood_lb = nhood_ub = static_cast<uint8_t>(k);
        oned = 1;
        nonlocal = 1;
        nhoodm = static_cast<int8_t *>(checked_calloc(n, 1, "nhoodm"));
        memset(nhoodm, k, n);
        allocate_mem_CA_states();
        allocate_mem_wiring();
        allocate_mem_rule0(k);
        for (int c = 0; c < n; c++)
            for (int j = 0; j < k; j++)
                wiring[c][j] = static_cast<uint16_t>(random() % n);
        for (uint32_t i = 0; i < (1u << k); i++)
            set_value(carule[0], i, static_cast<int>(random() % 2));
    }
    ~random_network()
    {
        free_mem_wiring();
        free_mem_rule0();
        free_mem_CA_states();
        checked_free(nhoodm);
        nhoodm = nullptr;
    }
};

void
BM_DerridaCurve20Cells(benchmark::State &state)
{
    random_network net(20, 3);
    D_para p;
    p.sample = 10000;
    for (auto _ : state) {
        derrida_work w;
        derrida_sweep_end end = derrida_sweep(p, Dc_sample_default(lineL), w, {});
        benchmark::DoNotOptimize(end.acc);
        benchmark::DoNotOptimize(w.mean[20]);
    }
    state.SetItemsProcessed(state.iterations() * 20 * 10000);
}
BENCHMARK(BM_DerridaCurve20Cells)->Unit(benchmark::kMillisecond);

} // namespace
