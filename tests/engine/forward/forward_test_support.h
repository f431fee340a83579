// Helpers of the forward-engine tests: a network of a given shape with one k
// for every cell, its state lines, a regular ring wiring written from the
// formula, one rule table, and states as vectors of cell values.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/forward/forward_step.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "engine/wiring/globals.h"

// A network in the globals, built by the constructor and released by the
// destructor, which also checks that every block allocated is freed again.
class TestNetwork {
public:
    // A 1d ring of n cells, value range v, every cell k inputs, wired
    // regularly from the formula; one rule table for k.
    TestNetwork(int v, int n, int k) { build(v, n, k, 1, n, 1, 1); }
    // A lattice: dim 2 (w x d) or 3 (w x d x h), not wired (callers wire it
    // or run it forward only).
    TestNetwork(int v, int dim, int w, int d, int h, int k) { build(v, w * d * h, k, dim, w, d, h); }
    ~TestNetwork()
    {
        // The state lines were allocated with tot_only 0: free them the same way.
        tot_only = 0;
        free_mem_wiring();
        free_mem_rule0();
        free_mem_CA_states();
        checked_free(nhoodm);
        nhoodm = nullptr;
        // The next test's network begins where the program starts: a
        // k-matrix made before it is built is made for v = 2.
        restore_model_start_values();
        restore_wiring_start_values();
        restore_forward_start_values();
        EXPECT_EQ(live_allocations, start_allocations_);
    }

    // Rule table row 0 := the entries given as a number (v = 2: bit i is
    // entry i; the classic rule numbers of k = 3).
    static void set_rule_number(uint32_t rule)
    {
        for (uint32_t i = 0; i < 32 && i < rule_entries(nhood); i++)
            set_value(carule[0], i, (rule >> i) & 1);
    }
    // Random rule table row 0.
    static void set_random_rule()
    {
        for (uint64_t i = 0; i < rule_entries(nhood); i++)
            set_value(carule[0], static_cast<uint32_t>(i), static_cast<int>(random() % value_range));
    }

private:
    long start_allocations_ = live_allocations;

    void build(int v, int n, int k, int dim, int w, int d, int h)
    {
        value_range = static_cast<int8_t>(v);
        value_bits = static_cast<int8_t>(check_value_bits(v));
        lineL = static_cast<uint16_t>(n);
        L = static_cast<uint16_t>(n - 1);
        bytesL = static_cast<uint16_t>((n * value_bits + 7) / 8);
        nhood = static_cast<int8_t>(k);
        nhood_lb = nhood_ub = static_cast<uint8_t>(k);
        nhood_mixed = 0;
        oned = dim == 1;
        twod = dim == 2 ? 2 : 0;
        threed = dim == 3 ? 3 : 0;
        i2d = static_cast<int16_t>(w);
        j2d = static_cast<int16_t>(d);
        i3d = static_cast<int16_t>(w);
        j3d = static_cast<int16_t>(d);
        h3d = static_cast<int16_t>(h);
        hex2d = 0;
        nhoodm = static_cast<int8_t *>(checked_calloc(static_cast<size_t>(n), 1, "nhoodm"));
        for (int c = 0; c < n; c++)
            nhoodm[c] = static_cast<int8_t>(k);
        allocate_mem_CA_states();
        allocate_mem_wiring();
        allocate_mem_rule0(k);
        if (dim == 1)
            for (int c = 0; c < n; c++)
                for (int j = 0; j < k; j++)
                    wiring[c][j] = static_cast<uint16_t>(((c - k / 2 + j) % n + n) % n);
    }
};

// The values of A's cells.
inline std::vector<int>
state_values(const uint8_t *line)
{
    std::vector<int> values(lineL);
    for (uint32_t c = 0; c < lineL; c++)
        values[c] = get_value(line, c);
    return values;
}

// A := the cell values given.
inline void
set_state(uint8_t *line, const std::vector<int> &values)
{
    for (uint32_t c = 0; c < values.size(); c++)
        set_value(line, c, values[c]);
}

// A := state number s of a v = 2 network (cell 0 least significant).
inline void
set_state_number(uint32_t s)
{
    memset(A, 0, bytesL);
    for (uint32_t c = 0; c < lineL && c < 32; c++)
        set_value(A, c, (s >> c) & 1);
}

// The state number of A (v = 2, n <= 32), computed bit by bit.
inline uint32_t
state_number()
{
    uint32_t s = 0;
    for (uint32_t c = 0; c < lineL && c < 32; c++)
        s |= static_cast<uint32_t>(get_value(A, c)) << c;
    return s;
}

// A random state of the current value range.
inline void
set_random_state()
{
    for (uint32_t c = 0; c < lineL; c++)
        set_value(A, c, static_cast<int>(random() % value_range));
}

// The reference parallel step written from the formula: input j of cell c is
// wiring[c][j]; index = sum of value(input j) * v^j; the next value is that
// entry of the cell's rule.
inline std::vector<int>
reference_step(const std::vector<int> &now, uint8_t *const *rules)
{
    std::vector<int> next(now.size());
    for (uint32_t c = 0; c < now.size(); c++) {
        uint64_t x = 0, weight = 1;
        for (int j = 0; j < nhoodm[c]; j++) {
            x += static_cast<uint64_t>(now[wiring[c][j]]) * weight;
            weight *= static_cast<uint64_t>(value_range);
        }
        const uint8_t *rule = rulemix ? rules[c] : rules[0];
        next[c] = get_value(rule, static_cast<uint32_t>(x));
    }
    return next;
}

// One step of an attractor-search kind of run (no overrides), with the work
// arrays held for it.
inline void
plain_step(uint8_t **rules, uint8_t seq = 0)
{
    step_mode mode;
    mode.seq_update = seq;
    forward_run_begin(mode);
    forward_step(rules, mode);
    forward_run_end();
}
