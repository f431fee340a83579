// The general method's try lists (see general_tries.h): read from the rule
// tables (row 0, or row c with rulemix), the k-mix, value_range and the
// wiring. Start at build_general_tries.
#include "engine/backward/general_tries.h"

#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"

general_tries tries_of_cells;

namespace {

// Appends the entry lists of one rule table for k inputs.
void
build_list(const uint8_t *rule, int k)
{
    general_tries &g = tries_of_cells;
    int v = value_range;
    uint64_t R = int_power(v, k);
    general_table<uint8_t> level(R, 0), skip(R, 0);
    if (v == 2) {
        for (uint64_t e1 = R; e1-- > 0;) {
            if (skip[e1] || !(e1 & 1))
                continue;
            int b = get_value(rule, static_cast<uint32_t>(e1));
            int m = 0;
            for (int t = 1; t <= 8 && (uint64_t(1) << t) <= R; t++) {
                uint64_t size = uint64_t(1) << t;
                if ((e1 + 1) % size)
                    break;
                bool same = true;
                for (uint64_t x = e1 + 1 - size; x < e1 + 1 - size / 2 && same; x++)
                    same = get_value(rule, static_cast<uint32_t>(x)) == b;
                if (!same)
                    break;
                m = t;
            }
            level[e1] = static_cast<uint8_t>(m);
            for (uint64_t x = e1 + 1 - (uint64_t(1) << m); x < e1; x++)
                skip[x] = 1;
        }
    }
    for (int t = 0; t < v; t++) {
        g.first.push_back(static_cast<uint32_t>(g.entries.size()));
        for (uint64_t e = R; e-- > 0;)
            if (!skip[e] && get_value(rule, static_cast<uint32_t>(e)) == t)
                g.entries.push_back({static_cast<uint32_t>(e), level[e]});
    }
}

// The tries of every cell as words, from the entry lists.
void
build_word_tries()
{
    general_tries &g = tries_of_cells;
    for (uint32_t c = 0; c < lineL; c++) {
        const uint16_t *wires = wiring[c];
        for (int t = 0; t < 2; t++) {
            g.word_first.push_back(static_cast<uint32_t>(g.words.size()));
            uint32_t l = g.list_of_cell[c];
            bool ends_unfit = false;
            for (uint32_t i = g.first[l * 2 + t]; i < g.first[l * 2 + t + 1]; i++) {
                const entry_try &tr = g.entries[i];
                word_try w{0, 0};
                bool fits = true;
                for (int j = cell_k(c) - 1; j >= tr.m && fits; j--) {
                    uint32_t bit = uint32_t(1) << wires[j];
                    uint32_t d = (tr.e >> j) & 1 ? bit : 0;
                    fits = !(w.mask & bit) || (w.value & bit) == d;
                    w.mask |= bit;
                    w.value |= d;
                }
                if (fits)
                    g.words.push_back(w);
                ends_unfit = !fits;
            }
            g.ends_unfit.push_back(ends_unfit ? 1 : 0);
        }
    }
    g.word_first.push_back(static_cast<uint32_t>(g.words.size()));
}

} // namespace

void
build_general_tries()
{
    release_general_tries();
    general_tries &g = tries_of_cells;
    g.list_of_cell.assign(lineL, 0);
    if (rulemix) {
        for (uint32_t c = 0; c < lineL; c++) {
            g.list_of_cell[c] = c;
            build_list(carule[c], cell_k(c));
        }
    } else {
        // One list per k in use, from row 0.
        general_table<int32_t> list_of_k(nhood + 1, -1);
        uint32_t lists = 0;
        for (uint32_t c = 0; c < lineL; c++) {
            int k = cell_k(c);
            if (list_of_k[k] < 0) {
                list_of_k[k] = static_cast<int32_t>(lists++);
                build_list(carule[0], k);
            }
            g.list_of_cell[c] = static_cast<uint32_t>(list_of_k[k]);
        }
    }
    g.first.push_back(static_cast<uint32_t>(g.entries.size()));
    g.word_form = value_range == 2 && lineL <= 32;
    if (g.word_form)
        build_word_tries();
}

void
release_general_tries()
{
    // Moved from a fresh set, every vector gives its memory back.
    tries_of_cells = general_tries();
}
