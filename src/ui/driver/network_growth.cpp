// Network growth and resizing (see network_growth.h): change_net_size and
// wire_rule_extra_cell. Reads and reallocates the network arrays of the model
// (model/network_arrays.h), wires cells through the wiring folder
// (oneD_local_wire_cell, randomly_wire_cell, cell_out_freq) and clamps the
// random-wiring zone (wiring/globals.h). Start at change_net_size.
#include "ui/driver/network_growth.h"

#include <cstdlib>
#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/network_shape.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/out_degrees.h"
#include "engine/wiring/random_wiring.h"
#include "engine/wiring/wire_up.h"

namespace {

constexpr int kRetries = 10000;

// A random rule entry: for v = 2 a fair bit drawn as random() % 100 < 50.
int
random_rule_entry()
{
    if (value_range == 2)
        return random() % 100 < 50 ? 0 : 1;
    return static_cast<int>(random() % value_range);
}

// Resizes nhoodm to n entries; entries beyond the old size hold -1 (no k).
void
resize_kmix(int old_n, int n)
{
    nhoodm = static_cast<int8_t *>(checked_realloc(nhoodm, static_cast<size_t>(n), "nhoodm"));
    for (int c = old_n; c < n; c++)
        nhoodm[c] = -1;
}

// A k within nhood_lb..nhood drawn as random() % (nhood+1) until it lies
// there (the growth step's draw).
int8_t
draw_mixed_k()
{
    for (int t = 0; t < kRetries; t++) {
        int x = static_cast<int>(random() % (nhood + 1));
        if (x >= nhood_lb && x <= nhood)
            return static_cast<int8_t>(x);
    }
    return nhood;
}

// zonesize may not exceed the network or the lattice sides.
void
clamp_zonesize()
{
    uint16_t most = set_max_zonesize(lineL);
    if (most > lineL)
        most = lineL;
    if (zonesize > most)
        zonesize = most;
    if (zonesize < 1)
        zonesize = 1;
}

// A lattice whose cell count is no longer n cannot serve the random draw of
// inputs, which would name cells of the old lattice: the network is then no
// longer a lattice.
void
drop_lattice_if_resized()
{
    long cells = threed ? long(i3d) * j3d * h3d : twod ? long(i2d) * j2d : lineL;
    if (cells != lineL)
        twod = threed = hex2d = 0;
}

// Cell c's rule and code rows of a rule mix from a random tcode (codes) or
// random entries (rule tables).
void
random_mix_rule(int c)
{
    uint32_t entries = static_cast<uint32_t>(rule_entries(nhood));
    if (totalistic == rule_kind_tables) {
        for (uint32_t i = 0; i < entries; i++)
            set_value(carule[c], i, random_rule_entry());
        return;
    }
    int kc = nhoodm[c];
    for (int e = 0; e <= kc; e++)
        set_value(cacode[c], static_cast<uint32_t>(e), static_cast<int>(random() % 2));
    if (!tot_only)
        binary_tcode_to_rule(carule[c], cacode[c], kc, entries);
}

// Regular 1d rewiring after a one-cell change: only the cells whose
// neighbourhoods wrap round the ends of the ring, unless the ring is small.
void
rewire_ring_ends()
{
    int h = (nhood + 1) / 2;
    if (2 * nhood < lineL) {
        for (int c = 0; c <= h; c++)
            oneD_local_wire_cell(static_cast<uint16_t>(c), L);
        for (int c = L - h; c <= L; c++)
            oneD_local_wire_cell(static_cast<uint16_t>(c), L);
    } else {
        for (int c = 0; c <= L; c++)
            oneD_local_wire_cell(static_cast<uint16_t>(c), L);
    }
}

// The new last cell reads its own inputs and, in place of links of other
// cells, feeds about the network's average k of them.
void
link_new_cell()
{
    randomly_wire_cell(L, L);
    long total = 0;
    bool any_input = false;
    for (int c = 0; c <= L; c++) {
        total += nhoodm[c] > 0 ? nhoodm[c] : 0;
        any_input = any_input || nhoodm[c] > 0;
    }
    if (!any_input)
        return;
    long a = total / lineL;
    if (a < 1)
        a = 1;
    for (long t = 0; t < a; t++) {
        long c = random() % lineL;
        // A cell without inputs has no slot to take: draw another cell.
        for (int retry = 0; nhoodm[c] < 1 && retry < kRetries; retry++)
            c = random() % lineL;
        if (nhoodm[c] < 1)
            continue;
        long j = random() % nhoodm[c];
        wiring[c][j] = L;
    }
}

} // namespace

void
binary_tcode_to_rule(uint8_t *rule, const uint8_t *tcode, int k, uint32_t entries)
{
    for (uint32_t i = 0; i < entries; i++) {
        int ones = 0;
        for (int j = 0; j < k; j++)
            ones += get_value(nm[j], static_cast<uint32_t>(i)) == 1;
        set_value(rule, i, get_value(tcode, static_cast<uint32_t>(ones)));
    }
}

void
change_net_size(int n)
{
    if (n < 2 || n > Maxu)
        return;
    int old_n = lineL;
    free_mem_CA_states();
    free_mem_wiring();
    if (rulemix) {
        if (!tot_only)
            free_mem_rulemix();
        free_mem_tcodemix();
    }

    L = static_cast<uint16_t>(n - 1);
    lineL = static_cast<uint16_t>(n);
    bytesL = static_cast<uint16_t>(value_line_bytes(static_cast<uint64_t>(n), value_bits));
    allocate_mem_CA_states();

    resize_kmix(old_n, n);
    for (int c = L; c >= 0; c--) {
        if (!nhood_mixed) {
            if (c >= old_n)
                nhoodm[c] = nhood;
        } else if (nhoodm[c] < nhood_lb || nhoodm[c] > nhood) {
            nhoodm[c] = static_cast<int8_t>(nhood_lb + random() % (nhood - nhood_lb + 1));
        }
    }

    allocate_mem_wiring();
    if (whatwire == whatwire_1d) {
        for (int c = L; c >= 0; c--)
            oneD_local_wire_cell(static_cast<uint16_t>(c), L);
    } else {
        drop_lattice_if_resized();
        zonesize = static_cast<uint16_t>(n);
        clamp_zonesize();
        for (int c = L; c >= 0; c--)
            randomly_wire_cell(static_cast<uint16_t>(c), L);
    }
    cell_out_freq();

    if (rulemix) {
        if (!tot_only)
            allocate_mem_rulemix(nhood);
        allocate_mem_tcodemix(nhood);
        for (int c = L; c >= 0; c--)
            random_mix_rule(c);
    }
}

bool
can_resize_by_one(int flag)
{
    if (flag == 0)
        return true;
    if (nhood_mixed && totalistic > rule_kind_tables)
        return false;
    if (twod || threed || loc_twod_fonly || !wiring)
        return false;
    if (flag < 0)
        return lineL > 2;
    return lineL < Maxu;
}

bool
grow_by_one_cell()
{
    if (!can_resize_by_one(1))
        return false;
    free_mem_CA_states();
    lineL++;
    set_line_lengths();
    allocate_mem_CA_states();
    wire_rule_extra_cell(1);
    return true;
}

void
wire_rule_extra_cell(int flag)
{
    if (flag == 0 || (nhood_mixed && totalistic > rule_kind_tables))
        return;
    int change = flag > 0 ? 1 : -1;
    int old_n = lineL - change;

    if (change > 0) {
        reallocate_mem_wiring(1);
        for (int p = 0; p < nhood; p++)
            wiring[L][p] = Maxu;
        resize_kmix(old_n, lineL);
        nhoodm[L] = nhood_mixed ? draw_mixed_k() : nhood;
    }

    if (nonlocal == 0 || whatwire == whatwire_1d) {
        rewire_ring_ends();
    } else if (change > 0) {
        clamp_zonesize();
        link_new_cell();
    } else {
        for (int c = 0; c <= L + 1; c++)
            for (int p = 0; p < nhoodm[c]; p++)
                if (wiring[c][p] > L && wiring[c][p] != Maxu)
                    wiring[c][p] = static_cast<uint16_t>(random() % lineL);
    }

    if (change < 0) {
        reallocate_mem_wiring(-1);
        resize_kmix(lineL, lineL);
    }
    clamp_zonesize();
    cell_out_freq();

    if (!rulemix)
        return;
    if (!tot_only)
        reallocate_mem_rulemix(nhood, change);
    reallocate_mem_tcodemix(nhood, change);
    if (change < 0)
        return;
    if (nhood_mixed) {
        random_mix_rule(L);
        return;
    }
    long r = random() % L;
    if (totalistic == rule_kind_tables) {
        memcpy(carule[L], carule[r], rule_bytes(nhood));
        return;
    }
    memcpy(cacode[L], cacode[r], tcode_bytes(nhood));
    if (!tot_only)
        binary_tcode_to_rule(carule[L], cacode[L], nhoodm[L],
                             static_cast<uint32_t>(rule_entries(nhood)));
}
