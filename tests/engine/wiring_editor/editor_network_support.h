// Helpers of the wiring editor tests: a 1d network with a rule table (and a
// tcode and kcode) per cell, random wiring and random rules, its state
// lines; the lattice shape laid over it; a copy of its wiring and rules
// taken out of the globals; and the successor of a state computed from
// such a copy by the definition.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"
#include "engine/wiring_editor/cell_blocks.h"
#include "engine/wiring_editor/lattice_editor.h"

// A network in the globals, built by the constructor and released by the
// destructor, which checks that every block allocated is freed again.
class MixNetwork {
public:
    // n cells of value range v; cell c gets k = ks[c % ks.size()] inputs
    // drawn at random from all cells, and a random rule table. nhood is the
    // largest k; with several k the network is marked mixed.
    MixNetwork(int v, int n, std::vector<int> ks, bool mix = true)
    {
        value_range = static_cast<int8_t>(v);
        value_bits = static_cast<int8_t>(check_value_bits(v));
        lineL = static_cast<uint16_t>(n);
        L = static_cast<uint16_t>(n - 1);
        bytesL = static_cast<uint16_t>((n * value_bits + 7) / 8);
        oned = 1;
        twod = threed = 0;
        tot_only = 0;
        totalistic = rule_kind_tables;
        int top = 0;
        for (int k : ks)
            top = k > top ? k : top;
        nhood = static_cast<int8_t>(top);
        nhoodm = static_cast<int8_t *>(checked_calloc(static_cast<size_t>(n), 1, "nhoodm"));
        for (int c = 0; c < n; c++)
            nhoodm[c] = static_cast<int8_t>(ks[static_cast<size_t>(c) % ks.size()]);
        nhood_lb_ub_here();
        nhood_mixed = nhood_lb != nhood_ub;
        allocate_mem_CA_states();
        allocate_mem_wiring();
        allocate_mem_rule0(nhood);
        allocate_mem_tcode0(nhood);
        rulemix = mix;
        if (mix) {
            allocate_mem_rulemix(nhood);
            allocate_mem_tcodemix(nhood);
        }
        for (int c = 0; c < n; c++)
            for (int p = 0; p < nhoodm[c]; p++)
                wiring[c][p] = static_cast<uint16_t>(random() % n);
        for (int c = 0; c < (mix ? n : 1); c++)
            for (uint64_t x = 0; x < rule_entries(mix ? nhoodm[c] : nhood); x++)
                set_value(carule[c], static_cast<uint32_t>(x), static_cast<int>(random() % v));
    }
    ~MixNetwork()
    {
        tot_only = 0;
        if (rulemix) {
            free_mem_tcodemix();
            free_mem_rulemix();
        }
        free_mem_tcode0();
        free_mem_rule0();
        free_mem_wiring();
        free_mem_CA_states();
        checked_free(nhoodm);
        nhoodm = nullptr;
        rulemix = 0;
        nhood_mixed = 0;
        oned = 0;
        EXPECT_EQ(live_allocations, start_allocations_);
    }

private:
    long start_allocations_ = live_allocations;

    static void nhood_lb_ub_here()
    {
        nhood_lb = 255;
        nhood_ub = 0;
        for (uint32_t c = 0; c < lineL; c++) {
            nhood_lb = static_cast<uint8_t>(nhoodm[c] < nhood_lb ? nhoodm[c] : nhood_lb);
            nhood_ub = static_cast<uint8_t>(nhoodm[c] > nhood_ub ? nhoodm[c] : nhood_ub);
        }
    }
};

// Puts the lattice shape a test gave back to a 1d network when the test
// ends.
struct lattice_guard {
    ~lattice_guard()
    {
        twod = threed = 0;
        oned = 1;
        hex2d = 0;
        i2d = j2d = i3d = j3d = h3d = 0;
    }
};

// A 2d lattice of w x h cells.
inline void
give_2d(int w, int h)
{
    oned = 0;
    twod = 2;
    threed = 0;
    i2d = static_cast<int16_t>(w);
    j2d = static_cast<int16_t>(h);
}

// A 3d lattice of w x d x h cells, displayed as the 2d/3d editor shows it.
inline void
give_3d(int w, int d, int h)
{
    oned = 0;
    twod = 0;
    threed = 3;
    i3d = static_cast<int16_t>(w);
    j3d = static_cast<int16_t>(d);
    h3d = static_cast<int16_t>(h);
    set_displayed_shape();
}

// The rule figures need the Z record, allocated for each test of such a
// fixture, and the k-matrix of the value range (of the network built last,
// up to k = 3) while a k_matrix lives.
class FiguresTest : public ::testing::Test {
protected:
    void SetUp() override { allocate_mem_Z_parameter(); }
    void TearDown() override { free_mem_Z_parameter(); }
};

struct k_matrix {
    k_matrix() { allocate_mem_nhood_matrix(3); }
    ~k_matrix() { free_mem_nhood_matrix(3); }
};

// The box from corner (i, j, h) to corner (i2, j2, h2), both included.
inline block_corners
box_of(int i, int j, int h, int i2, int j2, int h2)
{
    block_corners b;
    b.i_low = static_cast<int16_t>(i);
    b.j_low = static_cast<int16_t>(j);
    b.h_low = static_cast<int16_t>(h);
    b.i_high = static_cast<int16_t>(i2);
    b.j_high = static_cast<int16_t>(j2);
    b.h_high = static_cast<int16_t>(h2);
    return b;
}

// A network's wiring and rules as plain lists: inputs[c] the k inputs of
// cell c, table[c] its v^k rule entries.
struct network_copy {
    int v = 2;
    std::vector<std::vector<int>> inputs;
    std::vector<std::vector<int>> table;
};

inline network_copy
copy_network()
{
    network_copy net;
    net.v = value_range;
    for (uint32_t c = 0; c < lineL; c++) {
        std::vector<int> in, t;
        for (int p = 0; p < nhoodm[c]; p++)
            in.push_back(wiring[c][p]);
        const uint8_t *rule = rulemix ? carule[c] : carule[0];
        for (uint64_t x = 0; x < rule_entries(nhoodm[c]); x++)
            t.push_back(get_value(rule, static_cast<uint32_t>(x)));
        net.inputs.push_back(in);
        net.table.push_back(t);
    }
    return net;
}

// The cells whose inputs differ between two copies, in ascending order.
inline std::vector<int>
changed_cells(const network_copy &a, const network_copy &b)
{
    std::vector<int> changed;
    for (size_t c = 0; c < a.inputs.size(); c++)
        if (a.inputs[c] != b.inputs[c])
            changed.push_back(static_cast<int>(c));
    return changed;
}

// Every input of every cell the cell itself: a wiring that each rewire
// changes wherever it reaches.
inline void
wire_each_cell_to_itself()
{
    for (uint32_t c = 0; c < lineL; c++)
        for (int p = 0; p < nhoodm[c]; p++)
            wiring[c][p] = static_cast<uint16_t>(c);
}

// The next state: cell c takes entry x of its table, x the number whose
// base-v digit j is the value of its input j.
inline std::vector<int>
successor(const network_copy &net, const std::vector<int> &state)
{
    std::vector<int> next(state.size());
    for (size_t c = 0; c < state.size(); c++) {
        size_t x = 0, weight = 1;
        for (int input : net.inputs[c]) {
            x += static_cast<size_t>(state[static_cast<size_t>(input)]) * weight;
            weight *= static_cast<size_t>(net.v);
        }
        next[c] = net.table[c][x];
    }
    return next;
}

// State number s of n cells in base v, cell 0 the lowest digit.
inline std::vector<int>
state_of_number(uint64_t s, int n, int v)
{
    std::vector<int> state(static_cast<size_t>(n));
    for (int c = 0; c < n; c++) {
        state[static_cast<size_t>(c)] = static_cast<int>(s % static_cast<uint64_t>(v));
        s /= static_cast<uint64_t>(v);
    }
    return state;
}
