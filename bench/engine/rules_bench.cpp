// The Post listing over a sample of 1,000 random rule tables of k = 7
// inputs (v = 2), listing only Post functions and listing all (which also
// composes every line group and its figures); rules per second in
// items_per_second. Also one symmetric rule of a 2d lattice with k = 9.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/rules/post_listing.h"
#include "engine/rules/symmetric_rules.h"

namespace {

constexpr int kMaxK = 13;

void
set_up_binary()
{
    value_range = 2;
    value_bits = 1;
    if (!nm)
        allocate_mem_nhood_matrix(kMaxK);
    if (!zparam)
        allocate_mem_Z_parameter();
}

void
BM_post_samples(benchmark::State &state)
{
    set_up_binary();
    totalistic = rule_kind_tables;
    post_listing_request r;
    r.k = 7;
    r.rule_last = 127;
    r.rule_bytes = rule_bytes(7);
    r.passes = 1000;
    r.post_only = state.range(0) == 0;
    size_t listed = 0;
    srandom(1);
    for (auto _ : state) {
        post_listing_counts counts =
            run_post_listing(r, [&listed](const std::string &group) { listed += group.size(); });
        benchmark::DoNotOptimize(counts.count);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
    state.SetLabel(r.post_only ? "Post only" : "all listed");
}
BENCHMARK(BM_post_samples)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void
BM_symmetric_rule_2d(benchmark::State &state)
{
    set_up_binary();
    oned = 0;
    twod = 2;
    std::string table(rule_bytes(9), '\0');
    for (auto _ : state) {
        symmetric_rule('s', reinterpret_cast<uint8_t *>(&table[0]), 9, 511);
        benchmark::DoNotOptimize(table.data());
    }
}
BENCHMARK(BM_symmetric_rule_2d);

} // namespace
