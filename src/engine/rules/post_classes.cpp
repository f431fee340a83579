// The Post class test (see post_classes.h). Reads the k-matrix nm and the
// value range (model/globals.h) and the restriction ptype/pmu
// (rules/globals.h). Start at find_post_classes.
//
// Each neighbourhood i is reduced to one bit mask: the input positions that
// hold its own output value. A set of neighbourhoods with output c shares a
// position holding c exactly when the AND of their masks is not 0. Pairs and
// triples only need the distinct masks, masks with few positions first, where
// failures are most likely; the cubic triple test becomes one table lookup
// per pair (see pair_and_triple_tests).
#include "engine/rules/post_classes.h"

#include <cstdio>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"

namespace {

// The distinct masks of a list, fewest positions first (so that pair and
// triple tests meet their failures early).
std::vector<uint32_t>
distinct_masks(const std::vector<uint32_t> &masks, int k)
{
    std::vector<std::vector<uint32_t>> by_size(static_cast<size_t>(k) + 1);
    std::vector<uint8_t> seen(size_t(1) << k, 0);
    for (uint32_t m : masks)
        if (!seen[m]) {
            seen[m] = 1;
            by_size[static_cast<size_t>(__builtin_popcount(m))].push_back(m);
        }
    std::vector<uint32_t> out;
    for (const auto &group : by_size)
        out.insert(out.end(), group.begin(), group.end());
    return out;
}

// Pairs among the first count masks: true when each pair shares a position.
bool
pairs_meet(const std::vector<uint32_t> &m, size_t count)
{
    for (size_t a = 0; a < count; a++)
        for (size_t b = 0; b <= a; b++)
            if ((m[a] & m[b]) == 0)
                return false;
    return true;
}

// The A^2 and A^3 tests of one value's distinct masks. A pair fails when one
// mask is a subset of the other's complement, a triple when some mask is a
// subset of ~(a & b): has_subset[x], a sum over subsets of the masks
// present, answers that for every x at once, so A^2 costs one lookup per
// mask and A^3 one per pair of minimal masks (a superset of a mask passes
// wherever that mask passes) instead of a loop over the third mask.
void
pair_and_triple_tests(const std::vector<uint32_t> &masks, int k, bool &a2, bool &a3)
{
    uint32_t full = (1u << k) - 1;
    std::vector<uint8_t> has_subset(size_t(1) << k, 0);
    for (uint32_t m : masks)
        has_subset[m] = 1;
    std::vector<uint32_t> minimal;
    for (uint32_t m : masks) {
        bool is_minimal = true;
        for (int j = 0; j < k && is_minimal; j++)
            if ((m >> j & 1) && has_subset[m ^ (1u << j)])
                is_minimal = false;
        if (is_minimal)
            minimal.push_back(m);
    }
    for (int j = 0; j < k; j++)
        for (uint32_t x = 0; x <= full; x++)
            if (x >> j & 1)
                has_subset[x] |= has_subset[x ^ (1u << j)];
    a2 = true;
    for (uint32_t m : minimal)
        if (has_subset[full & ~m]) {
            a2 = false;
            break;
        }
    a3 = a2;
    for (size_t a = 0; a < minimal.size() && a3; a++)
        for (size_t b = 0; b <= a; b++)
            if (has_subset[full & ~(minimal[a] & minimal[b])]) {
                a3 = false;
                break;
            }
}

// The three class flags of every output value. The classes are nested, so
// a value in A^inf needs no pair or triple test, and one outside A^2 is
// outside A^3.
post_flags
class_flags(int k, const uint8_t *rule)
{
    int v = value_range;
    std::vector<std::vector<uint32_t>> masks(static_cast<size_t>(v));
    uint32_t entries = static_cast<uint32_t>(rule_entries(k));
    for (uint32_t i = 0; i < entries; i++) {
        int c = get_value(rule, i);
        uint32_t mask = 0;
        if (v == 2) {
            // For v = 2 the k-matrix digits of i are the bits of i.
            uint32_t positions = k >= 32 ? ~0u : (1u << k) - 1;
            mask = (c ? i : ~i) & positions;
        } else {
            for (int j = 0; j < k; j++)
                if (get_value(nm[j], i) == c)
                    mask |= 1u << j;
        }
        masks[static_cast<size_t>(c)].push_back(mask);
    }
    post_flags f{};
    for (int c = 0; c < v; c++) {
        std::vector<uint32_t> &list = masks[static_cast<size_t>(c)];
        uint32_t all = ~0u;
        for (uint32_t m : list)
            all &= m;
        f.ai[c] = all != 0;
        if (f.ai[c]) {
            f.a3[c] = f.a2[c] = true;
            continue;
        }
        std::vector<uint32_t> sorted = distinct_masks(list, k);
        // Most tables fail on two of their smallest masks: try those first.
        if (!pairs_meet(sorted, sorted.size() < 64 ? sorted.size() : 64))
            continue;
        pair_and_triple_tests(sorted, k, f.a2[c], f.a3[c]);
    }
    return f;
}

bool
any_of(const bool *flag)
{
    for (int c = 0; c < value_range; c++)
        if (flag[c])
            return true;
    return false;
}

} // namespace

int
post_class_answer(const post_flags &f)
{
    const bool *chosen = pmu == post_class_ainf ? f.ai
                         : pmu == post_class_a3 ? f.a3
                         : pmu == post_class_a2 || pmu == post_class_any ? f.a2 : nullptr;
    if (!chosen)
        return 0;
    if (ptype == ptype_any)
        return any_of(chosen);
    return ptype < value_range && chosen[ptype];
}

bool
find_post_classes(int k, const uint8_t *rule, post_flags *flags)
{
    // Without a k-matrix (the forward-only totalistic mode) there are no
    // digits to test for v > 2.
    if (value_range < 2 || value_range > 8 || k < 0 || k > 20 || (value_range > 2 && !nm))
        return false;
    *flags = class_flags(k, rule);
    return true;
}

std::vector<std::string>
post_class_labels(const post_flags &f)
{
    std::vector<std::string> labels;
    char label[16];
    for (int c = value_range - 1; c >= 0; c--)
        if (f.ai[c]) {
            snprintf(label, sizeof label, "A[%d]i ", c);
            labels.push_back(label);
        }
    for (int c = value_range - 1; c >= 0; c--)
        if (f.a3[c] && !f.ai[c]) {
            snprintf(label, sizeof label, "A[%d]3 ", c);
            labels.push_back(label);
        }
    for (int c = value_range - 1; c >= 0; c--)
        if (f.a2[c] && !f.a3[c]) {
            snprintf(label, sizeof label, "A[%d]2 ", c);
            labels.push_back(label);
        }
    return labels;
}
