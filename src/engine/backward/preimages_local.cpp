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
//
// v = 2 with one rule table and n >= k takes whole runs of cells at a time
// (chunk_sweep): a run table lists, for the k-1 cells above a run and the
// targets of its s cells, every value sequence of the run that gives those
// targets, in ascending order. A depth-first walk over the runs then finds
// the pre-images in the cell-by-cell sweep's order (0 before 1 at each
// cell, the first cell most significant) with one lookup per run instead of
// one choice and look-ahead per cell; dead ends cost one lookup.
//
// Pruning: where the target cannot be reached, the look-aheads alone can
// leave the sweep exponentially many dead ends (a cell 0 that cannot give
// its value, behind cells whose rules ignore their leftmost input: 2^n
// steps to learn that there is no pre-image). The future of the sweep at
// step c depends only on c and the k-1 cells above the new cell (its
// window), so one pass from c = 0 up to L gives, for the target and start
// block, the windows from which the ring can still close (the closure
// table). A sweep that checks its window at each step takes only branches
// that lead to a pre-image: the same pre-images in the same order, a state
// with none known at once, each pre-image a walk of n. The pass reads
// n·v^k rule entries, more than most fans of a field cost, so a start
// block's sweep builds it only after as many steps as the pass costs
// (local_prune_after) and prunes from there on; the branches saved before
// are checked as they are taken up.
#include "engine/backward/preimages_local.h"

#include <cstring>
#include <vector>

#include "engine/backward/acceptance.h"
#include "engine/backward/globals.h"
#include "engine/backward/preimage_method.h"
#include "engine/backward/preimage_prompts.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"

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

// What the arrays were built for: a field builds them once for all its trees.
struct arrays_key {
    int v = 0, k = 0, run_bits = 0;
    uint32_t n = 0;
    uint8_t mix = 0;
};
arrays_key built_for;

// A branch point saved, ticked on the stack bar while the stack is shown.
inline void
save_branch(branch b)
{
    stack.push_back(b);
    if (see_ppstack)
        show_stack_tick(static_cast<uint32_t>(stack.size()), 1);
}

// The run tables of chunk_sweep. Key (W << s) | T: W the k-1 cells above the
// run (bit i = cell c-a+1+i, c the run's first cell), T the run's targets
// (bit j = cell c-s+1+j). Entries first[key] .. first[key+1]-1 of seq are
// the fitting value sequences of cells c-a-s+1 .. c-a (bit j = cell
// c-a-s+1+j), ascending.
// With local_run_key_bits 14 a table has 2^14 keys: 96 KB.
struct run_table {
    int s = 0;
    uint32_t *first = nullptr;
    uint16_t *seq = nullptr;
};

struct run_plan {
    bool on = false;              // v = 2, one rule, n >= k
    run_table full, last;         // runs 0..q-2 have full.s cells, run q-1 last.s
    uint32_t q = 0;               // runs: the n-k+1 free cells b .. L-a
    uint32_t *targets = nullptr;  // per run: its T, once per fan
    uint32_t wrap_targets = 0;    // bit c: the target of cell c, c = 0..k-2
    const uint16_t **cursor = nullptr; // per run: the next sequence to try
    const uint16_t **end = nullptr;
    uint32_t *window = nullptr;   // per run: W above it
};

run_plan plan;

struct ring {
    int n, k, a, b, v;
    uint32_t vk1;             // v^(k-1)
};

// The closure table of the current target and start block. Row c+1 (c = -1
// .. L) has bit w set when the sweep at step c, with window w (digit j =
// cell c-a+1+j), can still set cells c-a .. -a so that cells c .. 0 give
// their targets and cells -a .. -a+k-2 hold the start block; row 0 (c = -1)
// holds the start block's window alone.
struct closure_table {
    uint64_t *bits = nullptr; // n+1 rows of `words` words, allocated when first built
    uint32_t words = 0;
    int64_t pass_steps = 0;   // n·v^(k-1): steps of a sweep that cost about as much as the pass
};

closure_table closing;

// A start block's way to pruning, held by its sweep in registers: the steps
// left before the closure table is built, then whether it is.
struct prune_countdown {
    int64_t steps_left;
    bool on;
};

ring
current_ring()
{
    ring g;
    g.n = lineL;
    g.k = nhood;
    g.a = g.k / 2;
    g.b = g.k - 1 - g.a;
    g.v = value_range;
    g.vk1 = static_cast<uint32_t>(int_power(g.v, g.k > 0 ? g.k - 1 : 0));
    return g;
}

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

// A start block's sweep starts unpruned, with its budget of steps.
inline prune_countdown
start_pruning()
{
    return {local_prune_after == local_prune_auto ? closing.pass_steps : local_prune_after, false};
}

// Builds the closure table by one pass from c = 0 up to L: window w is
// live at c when some value d of the new cell gives cell c's target
// (entry w·v + d) and leaves a live window at c-1 (the entry's digits 0 ..
// k-2).
void
build_closure()
{
    const ring g = current_ring();
    if (!closing.bits) {
        closing.words = (g.vk1 + 63) / 64;
        closing.bits = static_cast<uint64_t *>(
            checked_calloc(size_t(g.n + 1) * closing.words, sizeof(uint64_t), "run backwards arrays"));
    }
    uint64_t *row = closing.bits;
    memset(row, 0, size_t(g.n + 1) * closing.words * sizeof(uint64_t));
    uint32_t block = 0;
    for (int j = g.k - 2; j >= 0; j--)
        block = block * static_cast<uint32_t>(g.v) + start_block[j];
    row[block >> 6] = uint64_t(1) << (block & 63);
    const uint32_t entries = g.vk1 * static_cast<uint32_t>(g.v);
    for (int c = 0; c < g.n; c++) {
        const uint64_t *below = row;
        row += closing.words;
        const int t = get_value(A, static_cast<uint32_t>(c));
        // Entry e: window w = e / v, window left below it e mod v^(k-1).
        uint32_t w = 0, left = 0;
        int d = 0;
        for (uint32_t e = 0; e < entries; e++) {
            if (out(g, c, e) == t && (below[left >> 6] >> (left & 63) & 1))
                row[w >> 6] |= uint64_t(1) << (w & 63);
            if (++left == g.vk1)
                left = 0;
            if (++d == g.v) {
                d = 0;
                w++;
            }
        }
    }
}

// True once the sweep prunes: `steps` more steps of the start block's sweep
// counted, and the closure table built when the budget is spent.
inline bool
pruning(prune_countdown &p, int64_t steps)
{
    if (!p.on && (p.steps_left -= steps) <= 0) {
        build_closure();
        p.on = true;
    }
    return p.on;
}

// True when the ring can still close from window w at step c.
inline bool
closes_from(int c, uint32_t w)
{
    const uint64_t *row = closing.bits + size_t(c + 1) * closing.words;
    return row[w >> 6] >> (w & 63) & 1;
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
    save_branch({c, 1});
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
            save_branch({c, static_cast<uint8_t>(d)});
    }
    *x = first;
    return first >= 0;
}

template <bool binary>
void
sweep()
{
    const ring g = current_ring();
    int L_ = g.n - 1;
    // The sweep reads only cells it or the start block has set, so the line
    // needs no clearing between start blocks.
    for (int j = 0; j <= g.k - 2; j++)
        cells[L_ - g.a + 1 + j + kPad] = start_block[j];
    stack.clear();
    prune_countdown prune = start_pruning();

    // u: the index of cell c with digit 0 taken as 0. Once x is set, cell
    // c-1's digits j+1 are cell c's digits j, so u rolls on as
    // (u + x) * v mod v^k (see roll).
    int c = L_;
    uint32_t u = index_above(g, c);
    for (;;) {
        bool dead = false;
        while (c >= 0) {
            // u / v is the window of step c.
            if (pruning(prune, 1) && !closes_from(c, u / static_cast<uint32_t>(g.v))) {
                dead = true;
                break;
            }
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
                if (accept_line(found))
                    return;
            }
        }
        if (stack.empty() || fan_search_stopped())
            return;
        if (see_ppstack)
            show_stack_tick(static_cast<uint32_t>(stack.size()), 0);
        branch top = stack.back();
        stack.pop_back();
        cells[top.c - g.a + kPad] = top.d;
        u = roll(g, index_above(g, top.c) + top.d, top.c);
        c = top.c - 1;
    }
}

// Bits pos .. pos+len-1 (len <= 16) of a v = 2 line of bytesL bytes.
uint32_t
bits_at(const uint8_t *line, uint32_t pos, int len)
{
    uint32_t w = 0, byte = pos >> 3;
    for (uint32_t i = 0; i < 3 && byte + i < bytesL; i++)
        w |= static_cast<uint32_t>(line[byte + i]) << (8 * i);
    return (w >> (pos & 7)) & ((1u << len) - 1);
}

// Writes bits pos .. pos+len-1 (len <= 16) of the candidate line, which has
// 3 spare bytes after bytesL.
inline void
put_bits(uint8_t *line, uint32_t pos, int len, uint32_t bits)
{
    uint8_t *p = line + (pos >> 3);
    uint32_t w = p[0] | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16;
    uint32_t mask = ((1u << len) - 1) << (pos & 7);
    w = (w & ~mask) | (bits << (pos & 7));
    p[0] = static_cast<uint8_t>(w);
    p[1] = static_cast<uint8_t>(w >> 8);
    p[2] = static_cast<uint8_t>(w >> 16);
}

void
build_run_table(run_table &t, int s)
{
    const int w_bits = nhood - 1;
    const uint32_t w_mask = (1u << w_bits) - 1, keys = 1u << (w_bits + s);
    t.s = s;
    t.first = static_cast<uint32_t *>(checked_calloc(keys + 1, sizeof(uint32_t), "run backwards arrays"));
    t.seq = static_cast<uint16_t *>(checked_calloc(keys, sizeof(uint16_t), "run backwards arrays"));
    // Each (W, sequence) gives one T, so there are exactly `keys` entries:
    // count them per key, then place them in ascending W and sequence.
    auto key_of = [&](uint32_t W, uint32_t x) {
        uint32_t w = W, T = 0;
        for (int j = s - 1; j >= 0; j--) {
            uint32_t index = (w << 1) | ((x >> j) & 1);
            T |= static_cast<uint32_t>(rule0[index]) << j;
            w = index & w_mask;
        }
        return (W << s) | T;
    };
    for (uint32_t W = 0; W <= w_mask; W++)
        for (uint32_t x = 0; x < (1u << s); x++)
            t.first[key_of(W, x)]++;
    uint32_t sum = 0;
    for (uint32_t key = 0; key < keys; key++) {
        uint32_t count = t.first[key];
        t.first[key] = sum;
        sum += count;
    }
    t.first[keys] = sum;
    // Place with first[key] as a cursor, then shift the starts back.
    for (uint32_t W = 0; W <= w_mask; W++)
        for (uint32_t x = 0; x < (1u << s); x++)
            t.seq[t.first[key_of(W, x)]++] = static_cast<uint16_t>(x);
    for (uint32_t key = keys; key > 0; key--)
        t.first[key] = t.first[key - 1];
    t.first[0] = 0;
}

void
free_run_table(run_table &t)
{
    checked_free(t.first);
    checked_free(t.seq);
    t = run_table();
}

// The runs for the current network: as few as the key size allows, of
// near-equal length, the last one possibly shorter.
void
plan_runs()
{
    plan.on = value_range == 2 && !rulemix && lineL >= static_cast<uint32_t>(nhood) && nhood >= 1;
    if (!plan.on)
        return;
    uint32_t free_cells = lineL - static_cast<uint32_t>(nhood) + 1;
    int bits = local_run_key_bits - (nhood - 1);
    uint32_t longest = static_cast<uint32_t>(bits < 1 ? 1 : bits > 16 ? 16 : bits);
    plan.q = (free_cells + longest - 1) / longest;
    int s = static_cast<int>((free_cells + plan.q - 1) / plan.q);
    int r = static_cast<int>(free_cells - static_cast<uint32_t>(s) * (plan.q - 1));
    build_run_table(plan.full, s);
    if (r != s)
        build_run_table(plan.last, r);
    plan.targets = static_cast<uint32_t *>(checked_calloc(plan.q, sizeof(uint32_t), "run backwards arrays"));
    plan.cursor = static_cast<const uint16_t **>(checked_calloc(plan.q, sizeof(uint16_t *), "run backwards arrays"));
    plan.end = static_cast<const uint16_t **>(checked_calloc(plan.q, sizeof(uint16_t *), "run backwards arrays"));
    plan.window = static_cast<uint32_t *>(checked_calloc(plan.q, sizeof(uint32_t), "run backwards arrays"));
}

void
free_runs()
{
    free_run_table(plan.full);
    free_run_table(plan.last);
    checked_free(plan.targets);
    checked_free(plan.cursor);
    checked_free(plan.end);
    checked_free(plan.window);
    plan = run_plan();
}

inline const run_table &
table_of_run(uint32_t i)
{
    return i + 1 < plan.q || !plan.last.s ? plan.full : plan.last;
}

// The first cell (the sweep's c) of run i.
inline uint32_t
top_of_run(uint32_t i)
{
    return L - i * static_cast<uint32_t>(plan.full.s);
}

// The sweep of one start block over runs of cells. Cells b .. L-a are set
// run by run; cells c-a for c <= k-2 are the start block's own (set with
// it), so only their outputs are checked, and the ring closes by itself.
void
chunk_sweep()
{
    const int k = nhood, a = k / 2;
    const uint32_t w_mask = (1u << (k - 1)) - 1;
    const uint8_t *rule = rule0;
    uint8_t *line = found;
    uint32_t W = 0;
    for (int j = 0; j <= k - 2; j++) {
        W |= static_cast<uint32_t>(start_block[j]) << j;
        put_bits(line, static_cast<uint32_t>((L - a + 1 + j) % lineL), 1, start_block[j]);
    }
    // A run's sequences count as steps when it is opened; pruning, a run
    // from whose cells above the ring cannot close is opened empty.
    prune_countdown prune = start_pruning();
    auto open_run = [&](uint32_t i, uint32_t w) {
        const run_table &t = table_of_run(i);
        uint32_t key = (w << t.s) | plan.targets[i];
        plan.window[i] = w;
        plan.cursor[i] = t.seq + t.first[key];
        plan.end[i] = t.seq + t.first[key + 1];
        if (pruning(prune, plan.end[i] - plan.cursor[i]) && !closes_from(static_cast<int>(top_of_run(i)), w))
            plan.end[i] = plan.cursor[i];
    };
    uint32_t i = 0;
    open_run(0, W);
    for (;;) {
        if (plan.cursor[i] == plan.end[i]) {
            if (i == 0 || fan_search_stopped())
                return;
            i--;
            continue;
        }
        const run_table &t = table_of_run(i);
        uint32_t x = *plan.cursor[i]++;
        put_bits(line, top_of_run(i) - static_cast<uint32_t>(a + t.s - 1), t.s, x);
        uint32_t w = ((plan.window[i] << t.s) | x) & w_mask;
        if (i + 1 < plan.q) {
            open_run(++i, w);
            continue;
        }
        // Cells c = k-2 .. 0: their new cell is start block entry c.
        bool fits = true;
        for (int c = k - 2; c >= 0 && fits; c--) {
            uint32_t index = (w << 1) | start_block[c];
            fits = rule[index] == ((plan.wrap_targets >> c) & 1);
            w = index & w_mask;
        }
        if (fits) {
            if (accept_line(line))
                return;
        }
    }
}

// The target's values, once per fan.
void
read_target()
{
    if (plan.on) {
        for (uint32_t i = 0; i < plan.q; i++) {
            int s = table_of_run(i).s;
            plan.targets[i] = bits_at(A, top_of_run(i) - static_cast<uint32_t>(s - 1), s);
        }
        plan.wrap_targets = bits_at(A, 0, nhood - 1);
        return;
    }
    for (uint32_t c = 0; c < lineL; c++)
        target[c] = static_cast<uint8_t>(get_value(A, c));
}

// One start block through the method that suits the network.
void
sweep_block()
{
    if (plan.on)
        chunk_sweep();
    else if (value_range == 2)
        sweep<true>();
    else
        sweep<false>();
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
    found = static_cast<uint8_t *>(checked_calloc(bytesL + 3u, 1, "run backwards arrays"));
    plan_runs();
    closing.pass_steps = int64_t(lineL) * static_cast<int64_t>(int_power(value_range, nhood - 1));
    built_for = {value_range, nhood, local_run_key_bits, lineL, rulemix};
}

int
local_arrays_current()
{
    const arrays_key &b = built_for;
    if (!rule0 || b.v != value_range || b.k != nhood || b.run_bits != local_run_key_bits ||
        b.n != lineL || b.mix != rulemix)
        return 0;
    if (rulemix)
        return 1; // the rows are read from carule as the sweep goes
    uint64_t R = rule_entries(nhood);
    for (uint64_t i = 0; i < R; i++)
        if (rule0[i] != get_value(carule[0], static_cast<uint32_t>(i)))
            return 0;
    return 1;
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
    checked_free(closing.bits);
    closing = closure_table();
    free_runs();
    built_for = arrays_key();
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
    begin_fan(local_1d_preimages);
    read_target();
    if (plan.on)
        chunk_sweep();
    else
        sweep<true>();
}

void
pre_images_multi_state()
{
    begin_fan(local_1d_preimages);
    read_target();
    sweep<false>();
}

void
pre_images_local()
{
    // The fan begins once, not per start block, so that attrepeat still
    // tells afterwards whether the cycle predecessor came up.
    begin_fan(local_1d_preimages);
    read_target();
    uint64_t blocks = int_power(value_range, nhood > 1 ? nhood - 1 : 0);
    for (uint64_t b = 0; b < blocks; b++) {
        set_start_block(static_cast<uint32_t>(b));
        sweep_block();
        if (fan_stopped())
            return;
    }
}
