// The model's inner-loop operations: value-line reads and writes for widths
// 1 to 3, state numbers, kcode lookups in the value-count trie and the rule
// figures of the largest tables.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_parameters.h"
#include "engine/model/value_count_trie.h"
#include "engine/model/value_line.h"

namespace {

void
use_value_range(int v)
{
    value_range = static_cast<int8_t>(v);
    value_bits = static_cast<int8_t>(check_value_bits(v));
}

// v = 2, 3, 5 give widths 1, 2, 3.
void
BM_get_value(benchmark::State &state)
{
    use_value_range(static_cast<int>(state.range(0)));
    std::vector<uint8_t> line(4096, 0x5A);
    uint32_t i = 0, sum = 0;
    for (auto _ : state) {
        sum += static_cast<uint32_t>(get_value(line.data(), i));
        i = (i + 7) & 8191;
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_get_value)->Arg(2)->Arg(3)->Arg(5);

void
BM_set_value(benchmark::State &state)
{
    use_value_range(static_cast<int>(state.range(0)));
    std::vector<uint8_t> line(4096, 0);
    uint32_t i = 0;
    for (auto _ : state) {
        set_value(line.data(), i, static_cast<int>(i & 1));
        i = (i + 7) & 8191;
    }
    benchmark::DoNotOptimize(line.data());
}
BENCHMARK(BM_set_value)->Arg(2)->Arg(3)->Arg(5);

// dec_equiv over n cells: v = 2 with n = 31 and 20, v = 3 with n = 20.
void
BM_dec_equiv(benchmark::State &state)
{
    use_value_range(static_cast<int>(state.range(0)));
    int n = static_cast<int>(state.range(1));
    std::vector<uint8_t> line(16, 0);
    for (int i = 0; i < n; i++)
        set_value(line.data(), static_cast<uint32_t>(i), i % value_range);
    for (auto _ : state)
        benchmark::DoNotOptimize(dec_equiv(line.data(), n - 1));
}
BENCHMARK(BM_dec_equiv)->Args({2, 31})->Args({2, 20})->Args({3, 20});

// One kcode lookup per iteration over a cycle of the trie's own tuples.
void
BM_search_tree(benchmark::State &state)
{
    int v = static_cast<int>(state.range(0)), k = static_cast<int>(state.range(1));
    use_value_range(v);
    nhood = static_cast<int8_t>(k);
    set_up_v_code();
    int width = check_value_bits(k + 1);
    std::vector<std::vector<uint8_t>> keys;
    for (int e = 0; e <= v_tablecodemax[k] && e < 4096; e++) {
        std::vector<uint8_t> key(static_cast<size_t>(v));
        for (int j = 0; j < v; j++)
            key[static_cast<size_t>(v - 1 - j)] =
                static_cast<uint8_t>(get_value_flex(v_index[k][e], static_cast<uint32_t>(j), width));
        keys.push_back(key);
    }
    size_t n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(search_tree(keys[n].data(), v, v_tree[k], 0));
        if (++n == keys.size())
            n = 0;
    }
    free_v_code_arrays();
    nhood = 0;
}
BENCHMARK(BM_search_tree)->Args({8, 11})->Args({3, 9})->Args({2, 13});

// The figures of a random table of the largest size for v = 2 and v = 3.
void
BM_rule_figures(benchmark::State &state)
{
    int v = static_cast<int>(state.range(0)), k = static_cast<int>(state.range(1));
    use_value_range(v);
    if (!zparam)
        allocate_mem_Z_parameter();
    allocate_mem_nhood_matrix(k);
    std::vector<uint8_t> rule(rule_bytes(k), 0);
    srandom(1);
    for (uint64_t i = 0; i < rule_entries(k); i++)
        set_value(rule.data(), static_cast<uint32_t>(i), static_cast<int>(random() % v));
    for (auto _ : state) {
        if (v == 2)
            compute_rule_figures_binary(k, rule.data());
        else
            compute_rule_figures_mvalue(k, rule.data());
        benchmark::DoNotOptimize(zparam[0]);
    }
    free_mem_nhood_matrix(k);
}
BENCHMARK(BM_rule_figures)->Args({2, 13})->Args({3, 9})->Unit(benchmark::kMicrosecond);

} // namespace
