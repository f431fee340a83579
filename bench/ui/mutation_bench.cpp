// Mutation and the Post class test: one new random rule with a high-Z target
// (the refills and the hill climb of a Z sweep), and post_func on random and
// majority tables for v = 2, k = 5..13.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/rules/rule_families.h"
#include "ui/driver/globals.h"
#include "ui/driver/mutation.h"
#include "ui/measures/globals.h"
#include "ui/model/buffers.h"
#include "ui/rules/post_classes.h"

namespace {

// v = 2 with its k-matrix and Z record, and a single rule table for k.
struct binary_rules {
    explicit binary_rules(int k)
    {
        value_range = 2;
        value_bits = 1;
        allocate_mem_nhood_matrix(13);
        allocate_mem_Z_parameter();
        nhood = static_cast<int8_t>(k);
        allocate_mem_rule0(k);
    }
    ~binary_rules()
    {
        free_mem_rule0();
        free_mem_Z_parameter();
        free_mem_nhood_matrix(13);
    }
};

void
BM_mutate_rule_high_z(benchmark::State &state)
{
    int k = static_cast<int>(state.range(0));
    binary_rules net(k);
    lineL = 16;
    L = 15;
    mutate = mutation_random_rule;
    lambda_bias = 50;
    srandom(1);
    for (auto _ : state) {
        set_z_high = 1;
        benchmark::DoNotOptimize(mutate_rule(k));
    }
    set_z_high = 0;
    mutate = mutation_bits;
}
BENCHMARK(BM_mutate_rule_high_z)->Arg(5)->Arg(7)->Arg(9);

void
BM_post_func_random(benchmark::State &state)
{
    int k = static_cast<int>(state.range(0));
    binary_rules net(k);
    size_t bytes = rule_bytes(k);
    std::vector<std::vector<uint8_t>> tables(64, std::vector<uint8_t>(bytes));
    srandom(2);
    for (auto &t : tables)
        for (auto &b : t)
            b = static_cast<uint8_t>(random());
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(post_func(k, tables[i].data(), 0, 0, 0, 0));
        i = (i + 1) & 63;
    }
}
BENCHMARK(BM_post_func_random)->DenseRange(5, 13);

// Majority tables are in A^2 but not A^3 for k >= 3: the triple test runs
// until it meets a failing triple.
void
BM_post_func_majority(benchmark::State &state)
{
    int k = static_cast<int>(state.range(0));
    binary_rules net(k);
    majority_rule(carule[0], k, static_cast<int32_t>(rule_entries(k)) - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(post_func(k, carule[0], 0, 0, 0, 0));
}
BENCHMARK(BM_post_func_majority)->DenseRange(5, 13);

} // namespace
