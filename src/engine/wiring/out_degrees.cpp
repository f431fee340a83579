// Out-degrees of the wiring table (out_degrees.h): celloutfreq and the
// network totals tot_wires, tot_self_links and tot_bi_links.
//
// Reads from model/: wiring, nhoodm, lineL; writes celloutfreq (model/) and
// the totals of wiring/globals.h. Start reading at cell_out_freq, which every
// whole-network wire-up calls last.
//
// Slots that hold no cell (Maxu, or a number of n or more left by a damaged
// table) count as wires of their cell but feed no cell, so they add to no
// out-degree and take part in no two-way link. Counts saturate at 65535
// instead of wrapping.
#include "engine/wiring/out_degrees.h"

#include <cstddef>
#include <cstdint>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/wiring/globals.h"

namespace {

// Above this many cells the two-way links are not counted (n*n bytes).
constexpr int kMaxBiLinkCells = 2500;

inline void
saturating_increment(uint16_t &count)
{
    if (count < Maxu)
        count++;
}

} // namespace

void
cell_out_freq()
{
    int n = lineL;
    tot_self_links = 0;
    tot_wires = 0;
    for (int c = 0; c < n; c++)
        celloutfreq[c] = 0;
    for (int c = n - 1; c >= 0; c--) {
        for (int p = nhoodm[c] - 1; p >= 0; p--) {
            uint16_t t = wiring[c][p];
            tot_wires++;
            if (t == c)
                saturating_increment(tot_self_links);
            if (t < n)
                saturating_increment(celloutfreq[t]);
        }
    }
    if (n <= kMaxBiLinkCells) {
        check_bi_links();
        bi_links_counted = 1;
    } else {
        bi_links_counted = 0;
    }
}

void
check_bi_links()
{
    // One byte per ordered pair (c, t): bit 0 "t is an input of c", bit 1
    // "(c, t) is marked as a two-way link". Each pair wired both ways is
    // marked from both ends, so the marks are twice the pairs.
    constexpr uint8_t kInput = 1, kMarked = 2;
    size_t n = lineL;
    tot_bi_links = 0;
    if (n == 0)
        return;
    uint8_t *table = static_cast<uint8_t *>(checked_calloc(n * n, 1, "bi_link"));
    for (size_t c = 0; c < n; c++)
        for (int p = 0; p < nhoodm[c]; p++) {
            size_t t = wiring[c][p];
            if (t < n)
                table[c * n + t] |= kInput;
        }
    uint32_t marks = 0;
    for (size_t c = 0; c < n; c++)
        for (int p = 0; p < nhoodm[c]; p++) {
            size_t t = wiring[c][p];
            if (t >= n || t == c)
                continue;
            uint8_t &mark = table[c * n + t];
            if ((table[t * n + c] & kInput) && !(mark & kMarked)) {
                mark |= kMarked;
                marks++;
            }
        }
    uint32_t pairs = marks / 2;
    tot_bi_links = static_cast<uint16_t>(pairs < Maxu ? pairs : Maxu);
    checked_free(table);
}
