// Helpers of the pre-image tests: networks of any wiring, k-mix and rule
// mix on top of the forward tests' TestNetwork, the brute-force inversion of
// the forward step, and the pre-image sets each method hands to the next
// level list.
#pragma once
#include "engine/forward/forward_test_support.h"

#include <algorithm>
#include <map>
#include <vector>

#include "engine/backward/acceptance.h"
#include "engine/backward/globals.h"
#include "engine/backward/preimages_general.h"
#include "engine/backward/preimages_local.h"
#include "engine/backward/state_rotation.h"
#include "engine/backward/state_symmetries.h"
#include "engine/backward/successor_table.h"
#include "engine/backward/tree_levels.h"
#include "engine/forward/update_order.h"

// The backward settings every test starts from: no attractor, no
// compression flags, nothing placed.
inline void
reset_backward_settings()
{
    attperiod = 0;
    attindex = 0;
    level = 0;
    isrepeat = 1; // no seed-repeat test unless a test asks for it
    attrepeat = 0;
    allbitssame = 0;
    insegloop = startsegfan = justonepreimage = justonepreimage_found = 0;
    dontcompress = 0;
    compress_1d_local = 0;
    regular2d = 0;
    nonlocal = 0;
    exhaustive_testing = exhaustive_off;
    neutral_order = 0;
    reorderRBN = 0;
    basinfield = 0;
    show_ss_matrix = 0;
    pre_fansize_freq_hist = 0;
    show_maj = show_maj_off;
    stp = 0;
    level_limit = 0;
    abort_subtree = abort_subtree_none;
    earlyexit = 0;
    direction = direction_backward;
    tickoff = nullptr;
    tickspace = 0;
    maxtreefan = 0;
    maxtreelevel = 0;
}

// Random wiring (inputs may repeat), a k for each cell in 1..kmax when
// mixed, and a random rule for row 0 or for every cell.
struct random_network {
    bool mixed = false;
    bool mix_rules = false;
};

inline void
wire_at_random(bool mixed_k)
{
    nonlocal = 1;
    if (mixed_k) {
        nhood_mixed = 1;
        for (uint32_t c = 0; c < lineL; c++)
            nhoodm[c] = static_cast<int8_t>(1 + random() % nhood);
    }
    for (uint32_t c = 0; c < lineL; c++)
        for (int j = 0; j < nhood; j++)
            wiring[c][j] = j < nhoodm[c] ? static_cast<uint16_t>(random() % lineL) : Maxu;
}

inline void
random_rules(bool mix)
{
    if (mix) {
        allocate_mem_rulemix(nhood);
        rulemix = 1;
    }
    uint32_t rows = mix ? lineL : 1;
    for (uint32_t r = 0; r < rows; r++)
        for (uint64_t i = 0; i < rule_entries(nhood); i++)
            set_value(carule[r], static_cast<uint32_t>(i), static_cast<int>(random() % value_range));
}

inline void
undo_rule_mix()
{
    if (rulemix) {
        free_mem_rulemix();
        rulemix = 0;
    }
    nhood_mixed = 0;
    nonlocal = 0;
}

// A random network on the TestNetwork made, with the general method's
// tables: random wiring and rules; variant bit 0: mixed k; bit 1: a rule
// per cell; variant 3 also the rearranged cell order. With k = 3 every cell
// then has at most eight tries a value, so a field's walk serves it.
inline void
build_field_network(int variant)
{
    wire_at_random(variant & 1);
    random_rules(variant & 2);
    reorderRBN = variant == 3;
    prepair_pre_rand();
}

// A ring on the TestNetwork made (k = 3), wired as any wiring is, under an
// elementary rule (a random one for rule < 0), with the general method's
// tables.
inline void
build_ring_field_network(int rule)
{
    nonlocal = 1;
    for (uint32_t c = 0; c < lineL; c++)
        for (int j = 0; j < 3; j++)
            wiring[c][j] = static_cast<uint16_t>((c + lineL - 1 + j) % lineL);
    for (uint32_t i = 0; i < 8; i++)
        set_value(carule[0], i, rule < 0 ? static_cast<int>(random() % 2) : (rule >> i) & 1);
    prepair_pre_rand();
}

// Frees what build_field_network or build_ring_field_network made and
// leaves the field.
inline void
end_field_network()
{
    free_pre_rand();
    undo_rule_mix();
    reorderRBN = 0;
    basinfield = 0;
}

inline uint64_t
states_of_network()
{
    return int_power(value_range, lineL);
}

inline void
set_number(uint8_t *line, uint32_t s)
{
    memset(line, 0, bytesL);
    dec_to_value_line(line, s, lineL);
}

// Successor number of every state by the engine's own step.
inline std::vector<uint32_t>
successors(uint8_t seq = 0)
{
    std::vector<uint32_t> next(states_of_network());
    for (uint32_t s = 0; s < next.size(); s++) {
        set_number(A, s);
        plain_step(carule, seq);
        next[s] = dec_equiv(A, L);
    }
    return next;
}

inline std::vector<uint32_t>
brute_pre_images(const std::vector<uint32_t> &next, uint32_t t)
{
    std::vector<uint32_t> pre;
    for (uint32_t s = 0; s < next.size(); s++)
        if (next[s] == t)
            pre.push_back(s);
    return pre;
}

// The method's pre-images of state number t, in the order handed over.
template <typename Method>
std::vector<uint32_t>
method_pre_images(uint32_t t, Method method)
{
    start_level_lists();
    pretog = 0;
    nextindex = 0;
    precount = 0;
    set_number(A, t);
    method();
    std::vector<uint32_t> got;
    for (uint32_t i = 1; i <= nextindex; i++)
        got.push_back(next_level_number(i));
    free_level_lists();
    return got;
}

// The three methods as method_pre_images runs them: general, table, local.
inline void
general_method()
{
    pre_images_rand();
}

// The table method with nothing placed yet (the acceptance step marks the
// pre-images it counts in table mode, whichever method found them).
inline void
table_method()
{
    if (tickoff)
        memset(tickoff, 0, tickspace / 8 + 1);
    pre_exhaustive();
}

inline void
local_method()
{
    pre_images_local();
}

inline std::vector<uint32_t>
sorted(std::vector<uint32_t> x)
{
    std::sort(x.begin(), x.end());
    return x;
}
