// Random wiring with zones and biases (random_wiring.h): the draw of one
// cell's inputs and the default zone width.
//
// Reads from model/: nhoodm, nhood, nhood_mixed, the lattice shape
// (oned/twod/threed, i2d, j2d, i3d, j3d, h3d) and lineL; writes the wiring
// rows. The biases are globals of wiring/globals.h. Uses the lattice
// templates for the first draw under ca_bias. Start reading at
// randomly_wire_cell.
//
// The order of the random() calls is part of the design, so that one seed
// gives one wiring: the escape-mark passes first, then the positions from
// k-1 down to 0, each with its offset draws (columns, rows, layers in that
// order) repeated up to 51 times, then any layer redraws.
#include "engine/wiring/random_wiring.h"

#include <cstdlib>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/lattice_templates.h"

namespace {

// Draws per input before the last one stands whatever it is, and layer
// redraws per input.
constexpr int kMaxDraws = 51;
constexpr int kMaxLayerDraws = 50;
// Room for every k an int8_t can hold.
constexpr int kMaxPositions = 128;

// One bit per cell number: the inputs the cell in progress already has,
// for the distinct test. Cleared again after every cell.
uint8_t used_inputs[65536 / 8];

inline bool
is_used(int cell)
{
    return used_inputs[cell >> 3] & (1u << (cell & 7));
}

inline void
set_used(int cell, bool on)
{
    if (on)
        used_inputs[cell >> 3] |= static_cast<uint8_t>(1u << (cell & 7));
    else
        used_inputs[cell >> 3] &= static_cast<uint8_t>(~(1u << (cell & 7)));
}

// x brought into 0..n-1 (n >= 1).
inline int
wrap(int x, int n)
{
    int r = x % n;
    return r < 0 ? r + n : r;
}

// An offset between two coordinates of an axis of length n, reduced into
// (-n/2, n/2], so that applied to any cell it names the same relative place.
inline int16_t
reduced_offset(int to, int from, int n)
{
    int d = wrap(to - from, n);
    return static_cast<int16_t>(d > n / 2 ? d - n : d);
}

// The lattice the draw works on: 1 ring, 2 plane, 3 cube, with its sides.
struct Lattice {
    int dim;
    int ni, nj, nh;

    int cell(int i, int j, int h) const { return (h * nj + j) * ni + i; }
    void split(int c, int &i, int &j, int &h) const
    {
        i = c % ni;
        j = (c / ni) % nj;
        h = c / (ni * nj);
    }
};

Lattice
current_lattice(int n)
{
    if (threed == 3 && i3d >= 1 && j3d >= 1 && h3d >= 1)
        return {3, i3d, j3d, h3d};
    if (twod == 2 && i2d >= 1 && j2d >= 1)
        return {2, i2d, j2d, 1};
    return {1, n, 1, 1};
}

// The quotas apply only while force_layer holds one entry per layer of the
// present lattice, as the quota dialog sized it.
bool
quotas_in_force()
{
    return force_layers_set && force_layer != nullptr && force_layer_entries == h3d;
}

// Positions to mark as escaping the zone, by the escape passes.
void
mark_escapes(int k, uint8_t *escape)
{
    if (escape_wires <= 0 || k <= 0)
        return;
    int e = escape_wires;
    if (nhood_mixed && nhood > 0) {
        e = static_cast<int>(static_cast<float>(k) * static_cast<float>(e) /
                             static_cast<float>(nhood));
        if (e < 1)
            e = 1;
    }
    // More marks than positions would only repeat; a cell with k = 0 has
    // nothing to mark and the passes would never end.
    if (e > k)
        e = k;
    int marks = 0;
    while (marks < e)
        for (int p = k - 1; p >= 0 && marks < e; p--)
            if (random() % 100 >= 50) {
                escape[p]++;
                marks++;
            }
}

// The settings one draw of a cell reads.
struct Draw {
    Lattice lat;
    int c, i, j, h; // the cell and its coordinates
    int k, n, zs, half;
    bool distinct_test;
};

// Draws the input at position p inside the zone, with the self-wiring,
// distinct and boundary tests, up to kMaxDraws times; returns it wrapped.
int
draw_in_zone(const Draw &d, int p)
{
    const Lattice &lat = d.lat;
    int cand = d.c;
    for (int draw = 1;; draw++) {
        bool inside = true; // the boundary tests
        if (draw == 1 && ca_bias) {
            if (lat.dim == 1) {
                int raw = d.c + p - d.k / 2;
                inside = !(ib && (raw < 0 || raw >= d.n));
                cand = wrap(raw, d.n);
            } else {
                pndood_2or3(lat.dim, static_cast<uint16_t>(d.c), p);
                cand = poss_n;
            }
        } else {
            int di = static_cast<int>(random() % d.zs) - d.half;
            int dj = 0, dh = 0;
            if (lat.dim >= 2)
                dj = static_cast<int>(random() % d.zs) - d.half;
            if (lat.dim == 3)
                dh = static_cast<int>(random() % d.zs) - d.half;
            int ri = d.i + di, rj = d.j + dj, rh = d.h + dh;
            inside = !(ib && (ri < 0 || ri >= lat.ni)) && !(jb && (rj < 0 || rj >= lat.nj)) &&
                     !(hb && (rh < 0 || rh >= lat.nh));
            cand = lat.cell(wrap(ri, lat.ni), wrap(rj, lat.nj), wrap(rh, lat.nh));
        }
        zonewiring = cand;
        if (fixmidwire == fixmidwire_centre_self && p == d.k / 2)
            return d.c;
        bool passes = inside && !(fixmidwire == fixmidwire_no_self && cand == d.c) &&
                      !(d.distinct_test && is_used(cand));
        if (passes || draw == kMaxDraws)
            return cand;
    }
}

// The 3d layer rules: suppressed layers, quotas, the direct link of input 0.
int
apply_layer_rules(const Draw &d, int p, int cand, uint16_t *layer_tot)
{
    const Lattice &lat = d.lat;
    int ci, cj, ch;
    lat.split(cand, ci, cj, ch);
    if (sup_3d_layers[0] != -1) {
        auto suppressed = [](int layer) {
            return (layer >= sup_3d_layers[0] && layer <= sup_3d_layers[1]) ||
                   (sup_3d_layers[2] != -1 && layer >= sup_3d_layers[2] &&
                    layer <= sup_3d_layers[3]);
        };
        for (int tries = 0; tries < kMaxLayerDraws && suppressed(ch); tries++)
            ch = static_cast<int>(random() % lat.nh);
    }
    if (layer_tot != nullptr)
        for (int layer = lat.nh - 1; layer >= 0; layer--)
            if (force_layer[layer] > layer_tot[layer]) {
                layer_tot[layer]++;
                ch = layer;
                break;
            }
    if (direct_3d_link_layer >= 0 && direct_3d_link_layer < lat.nh && p == 0) {
        ci = d.i;
        cj = d.j;
        ch = direct_3d_link_layer;
    }
    return lat.cell(ci, cj, ch);
}

// Gives every cell cell 0's pattern: the offsets recorded per position,
// applied to the cell's own coordinates.
void
copy_pattern(const Lattice &lat, int n, const int16_t (*offset)[3])
{
    for (int c = 0; c < n; c++) {
        int i, j, h;
        lat.split(c, i, j, h);
        for (int p = 0; p < nhoodm[c]; p++)
            wiring[c][p] = static_cast<uint16_t>(
                lat.cell(wrap(i + offset[p][0], lat.ni), wrap(j + offset[p][1], lat.nj),
                         wrap(h + offset[p][2], lat.nh)));
    }
}

} // namespace

void
randomly_wire_cell(uint16_t cell, uint16_t last)
{
    Draw d{};
    d.n = last + 1;
    d.lat = current_lattice(d.n);
    d.c = cell;
    d.lat.split(cell, d.i, d.j, d.h);
    d.k = nhoodm[cell];
    if (d.k > kMaxPositions)
        d.k = kMaxPositions;
    // The zone is at least one cell wide and no wider than the lattice.
    d.zs = zonesize < 1 ? 1 : zonesize;
    d.half = d.zs / 2;
    d.distinct_test = distinct && (fixmidwire != fixmidwire_no_self || d.zs - 1 >= nhood);

    uint8_t escape[kMaxPositions] = {};
    int16_t offset[kMaxPositions][3] = {};
    mark_escapes(d.k, escape);

    uint16_t *layer_tot = nullptr;
    if (d.lat.dim == 3 && quotas_in_force())
        layer_tot = static_cast<uint16_t *>(
            checked_calloc(static_cast<size_t>(d.lat.nh), sizeof(uint16_t), "layer_tot"));

    // Inputs already in the row beyond k count for the distinct test too.
    int row_slots = nhood > d.k ? nhood : d.k;
    if (d.distinct_test)
        for (int p = d.k; p < row_slots; p++)
            if (wiring[cell][p] < d.n)
                set_used(wiring[cell][p], true);

    for (int p = d.k - 1; p >= 0; p--) {
        int cand = escape[p] ? static_cast<int>(random() % d.n) : draw_in_zone(d, p);
        if (d.lat.dim == 3)
            cand = apply_layer_rules(d, p, cand, layer_tot);
        wiring[cell][p] = static_cast<uint16_t>(cand);
        if (d.distinct_test)
            set_used(cand, true);
        if (same_wiring) {
            int ci, cj, ch;
            d.lat.split(cand, ci, cj, ch);
            offset[p][0] = reduced_offset(ci, d.i, d.lat.ni);
            offset[p][1] = reduced_offset(cj, d.j, d.lat.nj);
            offset[p][2] = reduced_offset(ch, d.h, d.lat.nh);
        }
    }

    if (d.distinct_test)
        for (int p = 0; p < row_slots; p++)
            if (wiring[cell][p] < d.n)
                set_used(wiring[cell][p], false);
    checked_free(layer_tot);

    if (same_wiring) {
        copy_pattern(d.lat, d.n, offset);
        same_wiring = 0;
    }
}

uint16_t
set_max_zonesize(uint16_t x)
{
    if (threed) {
        int m = i3d < j3d ? i3d : j3d;
        return static_cast<uint16_t>(m < h3d ? m : h3d);
    }
    if (twod)
        return static_cast<uint16_t>(i2d < j2d ? i2d : j2d);
    if (oned)
        return lineL;
    return x;
}

bool
regular_wiring()
{
    return nonlocal == 0 || regular2d || regular3d;
}

zone_caption
caption_of_zone()
{
    if (regular_wiring())
        return zone_caption::none;
    return zonesize >= set_max_zonesize(lineL) ? zone_caption::no_limit : zone_caption::width;
}
