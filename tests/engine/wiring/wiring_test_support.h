// Helpers of the wiring tests: a network of a given shape with one k for
// every cell, its wiring table, and the rows read back.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/wiring/globals.h"

// nhoodm for n cells, every cell k (or cells' own k afterwards); freed by
// free_network.
inline void
make_kmix(int n, int k)
{
    lineL = static_cast<uint16_t>(n);
    L = static_cast<uint16_t>(n - 1);
    nhood = static_cast<int8_t>(k);
    nhood_lb = nhood_ub = static_cast<uint8_t>(k);
    nhood_mixed = 0;
    nhoodm = static_cast<int8_t *>(checked_calloc(static_cast<size_t>(n), 1, "nhoodm"));
    for (int c = 0; c < n; c++)
        nhoodm[c] = static_cast<int8_t>(k);
}

// A 1d ring of n cells with k inputs each and a fresh wiring table.
inline void
make_ring(int n, int k)
{
    oned = 1;
    twod = threed = 0;
    make_kmix(n, k);
    allocate_mem_wiring();
}

// A 2d lattice of w x h cells.
inline void
make_2d(int w, int h, int k, int hex = 0)
{
    oned = 0;
    twod = 2;
    threed = 0;
    i2d = static_cast<int16_t>(w);
    j2d = static_cast<int16_t>(h);
    hex2d = static_cast<uint8_t>(hex);
    make_kmix(w * h, k);
    allocate_mem_wiring();
}

// A 3d lattice of w x d x h cells (i2d, j2d are set as the 3d set-up does).
inline void
make_3d(int w, int d, int h, int k)
{
    oned = 0;
    twod = 0;
    threed = 3;
    i3d = i2d = static_cast<int16_t>(w);
    j3d = j2d = static_cast<int16_t>(d);
    h3d = static_cast<int16_t>(h);
    make_kmix(w * d * h, k);
    allocate_mem_wiring();
}

inline void
free_network()
{
    free_mem_wiring();
    checked_free(nhoodm);
    nhoodm = nullptr;
    oned = twod = threed = 0;
    hex2d = 0;
    lineL = L = 0;
    nhood = 0;
}

// The random wiring's biases, zone and layer choices as at start-up: no
// bias, a zone of 1, no layer forced.
inline void
reset_wiring_biases()
{
    ca_bias = ib = jb = hb = fixmidwire = distinct = same_wiring = 0;
    escape_wires = 0;
    force_layers_set = 0;
    force_layer_entries = 0;
    for (auto &s : sup_3d_layers)
        s = -1;
    direct_3d_link_layer = -1;
    zonesize = 1;
}

// Inputs 0..k-1 of cell c.
inline std::vector<int>
row(int c)
{
    std::vector<int> r;
    for (int p = 0; p < nhoodm[c]; p++)
        r.push_back(wiring[c][p]);
    return r;
}
