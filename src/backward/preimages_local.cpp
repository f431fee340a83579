// The local 1d pre-image sweep. Reads the target A, the rule tables carule
// (row 0, or one row per cell with rulemix), nhood, value_range and lineL;
// hands pre-images to the acceptance step (acceptance.h). Start at sweep().
//
// Ring geometry: cell c reads cells c-a .. c+b, a = k/2, b = k-1-a, input
// position j being cell c-a+j (position 0 the least significant digit). The
// sweep sets cell x = c-a, the leftmost input of c, for c = L down to 0; all
// of c's other inputs are already set. Cells are held one per byte, cell x
// at index x + kPad, so cells -a .. -1 and L+1 .. L+b (the seam seen from
// both ends) have room. A branch point needs only (c, value): going deeper
// writes cells left of x only, so the cells a branch depends on are intact
// when it is taken up again and no copy of the line is saved.
//
// Start block p: entry j is cell L-a+1+j, which is cell j-a modulo n. So
// when c <= k-2 the new cell x = c-a is the wrapped image of entry c and
// must equal it; branches that disagree are cut at once (the ring-closure
// test would drop them later; results and their order are the same).
#include "backward/preimages_local.h"

#include <cstring>
#include <vector>

#include "backward/acceptance.h"
#include "backward/globals.h"
#include "model/checked_alloc.h"
#include "model/globals.h"
#include "model/network_arithmetic.h"
#include "model/network_arrays.h"
#include "model/value_line.h"

namespace {

constexpr int kPad = 32;

struct branch {
    int32_t c;
    uint8_t d;
};

uint8_t *rule0 = nullptr;     // row 0 of carule, one byte per entry (no rule mix)
uint8_t *start_block = nullptr; // p: k-1 entries (at least 1 byte)
uint8_t *cells = nullptr;     // the candidate line, cell x at cells[x + kPad]
uint8_t *target = nullptr;    // values of A, one byte per cell
uint8_t *found = nullptr;     // a complete pre-image as a state line
std::vector<branch> stack;    // branch points; kept across calls

struct ring {
    int n, k, a, b, v;
    uint32_t vk1;             // v^(k-1)
};

inline int
out(const ring &g, int cell, uint32_t index)
{
    if (!rulemix)
        return rule0[index];
    int c = ((cell % g.n) + g.n) % g.n;
    return get_value(carule[c], index);
}

inline int
at(int x)
{
    return cells[x + kPad];
}

// Index of cell c with its digit 0 taken as 0: cells c-a+1 .. c+b as digits
// 1 .. k-1.
inline uint32_t
index_above(const ring &g, int c)
{
    uint32_t u = 0;
    for (int j = g.k - 1; j >= 1; j--)
        u = u * static_cast<uint32_t>(g.v) + at(c - g.a + j);
    return u * static_cast<uint32_t>(g.v);
}

// Index of cell c-1 with digit 0 taken as 0, from U, the full index of
// cell c: its digits shifted up by one, the top digit (cell c+b) dropped.
inline uint32_t
roll(const ring &g, uint32_t U, int c)
{
    return (U - static_cast<uint32_t>(at(c + g.b)) * g.vk1) * static_cast<uint32_t>(g.v);
}

// Chooses cell c-a for v = 2: the forced value, or 0 with 1 saved as a
// branch. 0 at a dead end.
inline int
choose_binary(const ring &g, int c, uint32_t u, int *x)
{
    int t = target[c];
    int o0 = out(g, c, u), o1 = out(g, c, u + 1);
    if (o0 == o1 && o0 != t)
        return 0;
    // Right look-ahead: cell c+1 with its rightmost input as 0 and as 1.
    // Only at c = L is that input unknown (cell b, beyond the start block);
    // further left cell c+1 is complete and its output already checked.
    if (c == g.n - 1) {
        uint32_t u2 = u >> 1;
        int e0 = out(g, c + 1, u2), e1 = out(g, c + 1, u2 + g.vk1);
        if (e0 == e1 && e0 != target[(c + 1) % g.n])
            return 0;
    }
    int wrap = c <= g.k - 2;
    if (o0 != o1) {
        *x = o0 == t ? 0 : 1;
        return !wrap || start_block[c] == *x;
    }
    if (g.k >= 2) {
        // Left look-ahead: cell c-1 with x as digit 1 and its own leftmost
        // input (digit 0) as 0 and 1.
        uint32_t u3 = (u << 1) & ((g.vk1 << 1) - 1);
        int tt = target[c > 0 ? c - 1 : g.n - 1];
        int q0 = out(g, c - 1, u3), q1 = out(g, c - 1, u3 + 1);
        int q2 = out(g, c - 1, u3 + 2), q3 = out(g, c - 1, u3 + 3);
        if (q0 == q1 && q2 == q3 && q2 != q0) {
            *x = q0 == tt ? 0 : 1;
            return !wrap || start_block[c] == *x;
        }
        if (q0 == q1 && q0 != tt) {
            *x = 1;
            return !wrap || start_block[c] == 1;
        }
    }
    if (wrap) {
        *x = start_block[c];
        return 1;
    }
    stack.push_back({c, 1});
    *x = 0;
    return 1;
}

// Chooses cell c-a for v > 2: the smallest value whose entry gives the
// target, the others saved in increasing order (largest on top).
inline int
choose_multi(const ring &g, int c, uint32_t u, int *x)
{
    int t = target[c];
    if (c <= g.k - 2) {
        *x = start_block[c];
        return out(g, c, u + static_cast<uint32_t>(*x)) == t;
    }
    int first = -1;
    for (int d = 0; d < g.v; d++) {
        if (out(g, c, u + static_cast<uint32_t>(d)) != t)
            continue;
        if (first < 0)
            first = d;
        else
            stack.push_back({c, static_cast<uint8_t>(d)});
    }
    *x = first;
    return first >= 0;
}

template <bool binary>
void
sweep()
{
    ring g;
    g.n = lineL;
    g.k = nhood;
    g.a = g.k / 2;
    g.b = g.k - 1 - g.a;
    g.v = value_range;
    g.vk1 = static_cast<uint32_t>(int_power(g.v, g.k > 0 ? g.k - 1 : 0));
    int L_ = g.n - 1;
    // The sweep reads only cells it or the start block has set, so the line
    // needs no clearing between start blocks.
    for (int j = 0; j <= g.k - 2; j++)
        cells[L_ - g.a + 1 + j + kPad] = start_block[j];
    stack.clear();

    // u: the index of cell c with digit 0 taken as 0. Once x is set, cell
    // c-1's digits j+1 are cell c's digits j, so u rolls on as
    // (u + x) * v mod v^k (see roll).
    int c = L_;
    uint32_t u = index_above(g, c);
    for (;;) {
        bool dead = false;
        while (c >= 0) {
            int x;
            if (!(binary ? choose_binary(g, c, u, &x) : choose_multi(g, c, u, &x))) {
                dead = true;
                break;
            }
            cells[c - g.a + kPad] = static_cast<uint8_t>(x);
            u = roll(g, u + static_cast<uint32_t>(x), c);
            c--;
        }
        if (!dead) {
            // Ring closure: cells -a .. -a+k-2 must be the start block.
            bool closes = true;
            for (int j = g.k - 2; j >= 0 && closes; j--)
                closes = at(j - g.a) == start_block[j];
            if (closes) {
                memset(found, 0, bytesL);
                if (g.v == 2)
                    for (int i = 0; i < g.n; i++)
                        found[i >> 3] = static_cast<uint8_t>(found[i >> 3] | (at(i) << (i & 7)));
                else
                    for (int i = 0; i < g.n; i++)
                        set_value(found, static_cast<uint32_t>(i), at(i));
                if (hand_over_pre_image(found))
                    interrupt_pre_fan();
                if (fan_stopped())
                    return;
            }
        }
        if (stack.empty())
            return;
        branch top = stack.back();
        stack.pop_back();
        cells[top.c - g.a + kPad] = top.d;
        u = roll(g, index_above(g, top.c) + top.d, top.c);
        c = top.c - 1;
    }
}

// The target's values, once per fan.
void
read_target()
{
    for (uint32_t c = 0; c < lineL; c++)
        target[c] = static_cast<uint8_t>(get_value(A, c));
}

} // namespace

void
allocate_local_arrays()
{
    free_local_arrays();
    uint64_t R = rule_entries(nhood);
    rule0 = static_cast<uint8_t *>(checked_calloc(R, 1, "run backwards arrays"));
    if (!rulemix)
        for (uint64_t i = 0; i < R; i++)
            rule0[i] = static_cast<uint8_t>(get_value(carule[0], static_cast<uint32_t>(i)));
    start_block = static_cast<uint8_t *>(checked_calloc(nhood > 1 ? nhood - 1 : 1, 1, "run backwards arrays"));
    cells = static_cast<uint8_t *>(checked_calloc(lineL + 2 * kPad, 1, "run backwards arrays"));
    target = static_cast<uint8_t *>(checked_calloc(lineL ? lineL : 1, 1, "run backwards arrays"));
    found = static_cast<uint8_t *>(checked_calloc(bytesL ? bytesL : 1, 1, "run backwards arrays"));
}

void
free_local_arrays()
{
    checked_free(rule0);
    checked_free(start_block);
    checked_free(cells);
    checked_free(target);
    checked_free(found);
    rule0 = start_block = cells = target = found = nullptr;
    std::vector<branch>().swap(stack);
}

void
set_start_block(uint32_t b)
{
    for (int j = 0; j <= nhood - 2; j++) {
        start_block[j] = static_cast<uint8_t>(b % static_cast<uint32_t>(value_range));
        b /= static_cast<uint32_t>(value_range);
    }
}

void
pre_images_binary()
{
    attrepeat = 0;
    read_target();
    sweep<true>();
}

void
pre_images_multi_state()
{
    attrepeat = 0;
    read_target();
    sweep<false>();
}

void
pre_images_local()
{
    // attrepeat is cleared once for the fan, not per start block, so that it
    // still tells afterwards whether the cycle predecessor came up.
    attrepeat = 0;
    read_target();
    uint64_t blocks = int_power(value_range, nhood > 1 ? nhood - 1 : 0);
    for (uint64_t b = 0; b < blocks; b++) {
        set_start_block(static_cast<uint32_t>(b));
        if (value_range == 2)
            sweep<true>();
        else
            sweep<false>();
        if (fan_stopped())
            return;
    }
}
