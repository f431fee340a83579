// The Post class test (see post_classes.h). Reads the k-matrix nm and the
// value range (model/globals.h) and the restriction ptype/pmu
// (rules/globals.h); writes its labels through the screen layer or to
// standard error and the data file (storage/data_lines.h). Start at
// post_func.
//
// Each neighbourhood i is reduced to one bit mask: the input positions that
// hold its own output value. A set of neighbourhoods with output c shares a
// position holding c exactly when the AND of their masks is not 0. Triples
// and pairs only need the distinct masks, and among those only the minimal
// ones (a superset of a mask passes wherever that mask passes), so the cubic
// A^3 test runs over a short list and stops at the first failing triple.
#include "rules/post_classes.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "model/globals.h"
#include "model/network_arrays.h"
#include "model/value_line.h"
#include "rules/globals.h"
#include "screen/draw.h"
#include "screen/globals.h"
#include "storage/data_lines.h"

namespace {

struct post_flags {
    bool ai[8], a3[8], a2[8];
};

// The minimal distinct masks of the neighbourhoods in `masks`, each mask a
// set of input positions.
std::vector<uint32_t>
minimal_masks(std::vector<uint32_t> &masks)
{
    std::sort(masks.begin(), masks.end(), [](uint32_t a, uint32_t b) {
        int pa = __builtin_popcount(a), pb = __builtin_popcount(b);
        return pa != pb ? pa < pb : a < b;
    });
    masks.erase(std::unique(masks.begin(), masks.end()), masks.end());
    std::vector<uint32_t> kept;
    for (uint32_t m : masks) {
        bool covered = false;
        for (uint32_t s : kept)
            if ((s & m) == s) {
                covered = true;
                break;
            }
        if (!covered)
            kept.push_back(m);
    }
    return kept;
}

bool
pairs_meet(const std::vector<uint32_t> &m)
{
    for (size_t a = 0; a < m.size(); a++)
        for (size_t b = 0; b <= a; b++)
            if ((m[a] & m[b]) == 0)
                return false;
    return true;
}

bool
triples_meet(const std::vector<uint32_t> &m)
{
    for (size_t a = 0; a < m.size(); a++)
        for (size_t b = 0; b <= a; b++) {
            uint32_t ab = m[a] & m[b];
            for (size_t c = 0; c <= b; c++)
                if ((ab & m[c]) == 0)
                    return false;
        }
    return true;
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
        std::vector<uint32_t> minimal = minimal_masks(list);
        f.a2[c] = pairs_meet(minimal);
        f.a3[c] = f.a2[c] && triples_meet(minimal);
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

int
answer(const post_flags &f)
{
    const bool *chosen = pmu == 'i' ? f.ai : pmu == 3 ? f.a3 : pmu == 2 || pmu == 255 ? f.a2 : nullptr;
    if (!chosen)
        return 0;
    if (ptype == 255)
        return any_of(chosen);
    return ptype < value_range && chosen[ptype];
}

void
write_label(const char *text, int flag, int output)
{
    if (flag == 1) {
        outtext(text);
        return;
    }
    if (output == 1 || output == 2)
        save_data(text);
    if (output == 0 || output == 1)
        fputs(text, stderr);
}

} // namespace

int
post_func(int k, const uint8_t *rule, int mode, int flag, int, int output)
{
    if (value_range < 2 || value_range > 8 || k < 0 || k > 31)
        return 0;
    post_flags f = class_flags(k, rule);
    int result = answer(f);
    if (mode != 2)
        return result;
    if (flag == 0)
        write_label(" ", flag, output);
    char label[16];
    for (int c = value_range - 1; c >= 0; c--)
        if (f.ai[c]) {
            snprintf(label, sizeof label, "A[%d]i ", c);
            write_label(label, flag, output);
        }
    for (int c = value_range - 1; c >= 0; c--)
        if (f.a3[c] && !f.ai[c]) {
            snprintf(label, sizeof label, "A[%d]3 ", c);
            write_label(label, flag, output);
        }
    for (int c = value_range - 1; c >= 0; c--)
        if (f.a2[c] && !f.a3[c]) {
            snprintf(label, sizeof label, "A[%d]2 ", c);
            write_label(label, flag, output);
        }
    return result;
}
