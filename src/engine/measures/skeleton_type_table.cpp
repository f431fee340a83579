// The skeleton types (skeleton_type_table.h): the bit difference and its
// tolerance, the stable stretch of a run, matching a sample against the
// types, a new type, the sort and the clear. Start at record_skeleton_step.
#include "engine/measures/skeleton_type_table.h"

#include <cstring>
#include <vector>

#include "engine/measures/type_arrays.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"

namespace {

uint32_t
new_skeleton_type(skeleton_type_table &t, const uint8_t *skeleton, uint32_t frozen_0s,
                  uint32_t frozen_1s)
{
    uint32_t u = t.types + 1;
    t.att_type_state = grown(t.att_type_state, u + 1, "sk->att_type_state");
    t.att_type_no = grown(t.att_type_no, u + 1, "line 1435 sk->att_type_no");
    t.type_fr0s = grown(t.type_fr0s, u + 1, "sk->type_fr0s");
    t.type_fr1s = grown(t.type_fr1s, u + 1, "sk->type_fr1s");
    t.att_type_avtrans = grown(t.att_type_avtrans, u + 1, "sk->att_type_no");
    t.att_type_state[u] = type_line(skeleton, bytesL, u);
    double n = lineL > 0 ? lineL : 1;
    t.type_fr0s[u] = static_cast<float>(100.0 * frozen_0s / n);
    t.type_fr1s[u] = static_cast<float>(100.0 * frozen_1s / n);
    t.types = u;
    return u;
}

} // namespace

uint32_t
bit_difference(const uint8_t *a, const uint8_t *b, size_t bytes)
{
    uint32_t bits = 0;
    for (size_t i = 0; i < bytes; i++)
        bits += static_cast<uint32_t>(__builtin_popcount(static_cast<unsigned>(a[i] ^ b[i])));
    return bits;
}

uint32_t
tolerance_threshold(float tolerance, uint32_t n)
{
    if (!(tolerance < 100))
        return 0;
    // The product before the division keeps whole tolerances exact: 90% of
    // 20 cells allows 2 bits, not the 1.99... of 0.1 x 20.
    double allowed = (100.0 - tolerance) * n / 100.0;
    return allowed >= UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(allowed);
}

bool
same_skeleton(const uint8_t *a, const uint8_t *b, float tolerance)
{
    if (memcmp(a, b, bytesL) == 0)
        return true;
    return tolerance < 100 && bit_difference(a, b, bytesL) <= tolerance_threshold(tolerance, lineL);
}

uint32_t
matching_skeleton(const skeleton_type_table &t, const uint8_t *skeleton, float tolerance)
{
    for (uint32_t u = 1; u <= t.types; u++)
        if (same_skeleton(t.att_type_state[u], skeleton, tolerance))
            return u;
    return 0;
}

uint32_t
record_skeleton_step(skeleton_type_table &t, const uint8_t *frozen, const uint8_t *ref,
                     uint32_t &stable_run, const skeleton_settings &s, uint32_t time,
                     uint32_t frozen_0s, uint32_t frozen_1s)
{
    if (same_skeleton(frozen, ref, s.step_tolerance))
        count_up(stable_run);
    else
        stable_run = 0;
    if (stable_run <= s.stable_steps)
        return 0;
    double settled = static_cast<double>(time) - stable_run;
    if (t.types > 0 && t.line_bytes != bytesL)
        clear_skeleton_types(t);
    t.line_bytes = bytesL;
    uint32_t u = matching_skeleton(t, frozen, s.type_tolerance);
    if (u == 0)
        u = new_skeleton_type(t, frozen, frozen_0s, frozen_1s);
    count_sample(t.att_type_no[u], t.att_type_avtrans[u], t.samples, settled);
    stable_run = 0;
    return u;
}

void
end_skeleton_step(uint8_t *frozen, uint8_t *ref, uint32_t stable_run)
{
    if (stable_run == 0)
        memcpy(ref, frozen, bytesL);
    memset(frozen, 0, bytesL);
}

std::vector<uint32_t>
sort_skeleton_types(skeleton_type_table &t, skeleton_sort key)
{
    auto by_key = [&](uint32_t u) -> double {
        switch (key) {
        case skeleton_sort::frozen_0s:
            return t.type_fr0s[u];
        case skeleton_sort::frozen_1s:
            return t.type_fr1s[u];
        case skeleton_sort::frozen:
            return static_cast<double>(t.type_fr0s[u]) + t.type_fr1s[u];
        case skeleton_sort::settling:
            return t.att_type_avtrans[u];
        default:
            return t.att_type_no[u];
        }
    };
    return sort_types(t.types, by_key, t.att_type_state, t.att_type_no, t.att_type_avtrans,
                      t.type_fr0s, t.type_fr1s);
}

void
clear_skeleton_types(skeleton_type_table &t)
{
    for (uint32_t u = 1; u <= t.types; u++)
        checked_free(t.att_type_state[u]);
    checked_free(t.att_type_state);
    checked_free(t.att_type_no);
    checked_free(t.att_type_avtrans);
    checked_free(t.type_fr0s);
    checked_free(t.type_fr1s);
    t = skeleton_type_table();
}
