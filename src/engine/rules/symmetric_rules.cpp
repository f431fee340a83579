// Symmetric and legal rules (see symmetric_rules.h). Reads the network's
// dimension flags and value range (model/globals.h). Start at
// lattice_symmetry_group, which holds the rotation tables, then
// symmetric_rule.
//
// Example, 1d, v = 2, k = 3: the reflection pairs indices 1 (001) and 4
// (100), and 3 (011) and 6 (110); 0, 2, 5 and 7 are their own reflections.
// The draws go from index 7 down, so the pair {1, 4} takes the draw made at
// index 4 and {3, 6} the one made at index 6.
#include "engine/rules/symmetric_rules.h"

#include <cstdlib>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"

namespace {

// One step R of the 2d rotations for k = 4..13: position p of the next image
// takes position R[p] of the previous one. R^4 (R^6 for k = 6, 7, the
// hexagonal templates) is the identity.
const int rotation_2d[10][13] = {
    {2, 0, 3, 1},
    {3, 0, 2, 4, 1},
    {1, 3, 0, 5, 2, 4},
    {1, 4, 0, 3, 6, 2, 5},
    {2, 4, 7, 1, 6, 0, 3, 5},
    {2, 5, 8, 1, 4, 7, 0, 3, 6},
    {9, 3, 5, 8, 2, 7, 1, 4, 6, 0},
    {10, 3, 6, 9, 2, 5, 8, 1, 4, 7, 0},
    {7, 3, 6, 10, 0, 2, 9, 11, 1, 5, 8, 4},
    {8, 3, 7, 11, 0, 2, 6, 10, 12, 1, 5, 9, 4},
};

// The 24 rotations of a cube whose faces are the positions 0..5, p and 5-p
// on opposite faces: position p of the image takes position g[p].
const int rotation_3d[24][6] = {
    {0, 1, 2, 3, 4, 5}, {2, 1, 5, 0, 4, 3}, {5, 1, 3, 2, 4, 0}, {3, 1, 0, 5, 4, 2},
    {0, 2, 4, 1, 3, 5}, {0, 4, 3, 2, 1, 5}, {0, 3, 1, 4, 2, 5}, {4, 0, 2, 3, 5, 1},
    {5, 4, 2, 3, 1, 0}, {1, 5, 2, 3, 0, 4}, {4, 2, 5, 0, 3, 1}, {3, 4, 5, 0, 1, 2},
    {1, 3, 5, 0, 2, 4}, {2, 0, 1, 4, 5, 3}, {2, 4, 0, 5, 1, 3}, {2, 5, 4, 1, 0, 3},
    {5, 2, 1, 4, 3, 0}, {5, 3, 4, 1, 2, 0}, {1, 0, 3, 2, 5, 4}, {4, 5, 3, 2, 0, 1},
    {1, 2, 0, 5, 3, 4}, {4, 3, 0, 5, 2, 1}, {3, 0, 4, 1, 5, 2}, {3, 5, 1, 4, 0, 2},
};

// For k = 7 the cube's six faces are these input positions; 3 is the centre.
const int faces_of_7[6] = {0, 1, 2, 4, 5, 6};

std::vector<int>
identity(int k)
{
    std::vector<int> g(static_cast<size_t>(k));
    for (int p = 0; p < k; p++)
        g[static_cast<size_t>(p)] = p;
    return g;
}

void
add_reflection(symmetry_group &group)
{
    std::vector<int> g(static_cast<size_t>(group.k));
    for (int p = 0; p < group.k; p++)
        g[static_cast<size_t>(p)] = group.k - 1 - p;
    group.members.push_back(g);
}

// R^1 .. R^(count-1), each built from the one before.
void
add_rotations_2d(symmetry_group &group, int count)
{
    const int *R = rotation_2d[group.k - 4];
    for (int m = 1; m < count; m++) {
        const std::vector<int> &before = group.members.back();
        std::vector<int> g(static_cast<size_t>(group.k));
        for (int p = 0; p < group.k; p++)
            g[static_cast<size_t>(p)] = before[static_cast<size_t>(R[p])];
        group.members.push_back(g);
    }
}

void
add_rotations_3d(symmetry_group &group)
{
    for (int m = 1; m < 24; m++) {
        std::vector<int> g = identity(group.k);
        for (int p = 0; p < 6; p++) {
            if (group.k == 6)
                g[static_cast<size_t>(p)] = rotation_3d[m][p];
            else
                g[static_cast<size_t>(faces_of_7[p])] = faces_of_7[rotation_3d[m][p]];
        }
        group.members.push_back(g);
    }
}

} // namespace

symmetry_group
lattice_symmetry_group(int k)
{
    symmetry_group group;
    group.k = k;
    group.members.push_back(identity(k));
    if (k <= 3 || oned)
        add_reflection(group);
    else if (twod && k <= 13)
        add_rotations_2d(group, k == 6 || k == 7 ? 6 : 4);
    else if (threed && (k == 6 || k == 7))
        add_rotations_3d(group);
    else if (!twod && !threed)
        add_reflection(group);
    return group;
}

uint32_t
image_index(uint32_t i, const std::vector<int> &g, int k)
{
    uint32_t v = static_cast<uint32_t>(value_range);
    int digit[32];
    for (int p = 0; p < k; p++, i /= v)
        digit[p] = static_cast<int>(i % v);
    uint32_t index = 0;
    for (int p = k - 1; p >= 0; p--)
        index = index * v + static_cast<uint32_t>(digit[g[static_cast<size_t>(p)]]);
    return index;
}

void
symmetric_rule(char mode, uint8_t *rule, int k, int32_t last)
{
    if (k < 0 || last < 0)
        return;
    symmetry_group group = lattice_symmetry_group(k);
    uint8_t *done = static_cast<uint8_t *>(
        checked_calloc(static_cast<size_t>(last) / 8 + 1, 1, "ref_n"));
    for (int32_t i = last; i >= 0; i--) {
        int r = static_cast<int>(random() % value_range);
        uint32_t u = static_cast<uint32_t>(i);
        if (get_bitlong(done, u))
            continue;
        for (const std::vector<int> &g : group.members) {
            uint32_t image = image_index(u, g, k);
            set_value(rule, image, r);
            set_bitlong(done, image, 1);
        }
    }
    checked_free(done);
    if (mode != 'S')
        return;
    // Legal: the neighbourhood whose inputs all hold c maps to c. Its index
    // is c * (v^k - 1) / (v - 1) (every digit c). For v = 2 entry 0 is set
    // before the last one, so with k = 0 the single entry ends as 1.
    uint32_t v = static_cast<uint32_t>(value_range), top = static_cast<uint32_t>(last);
    if (v == 2) {
        set_value(rule, 0, 0);
        set_value(rule, top, 1);
        return;
    }
    for (int c = value_range - 1; c >= 0; c--)
        set_value(rule, static_cast<uint32_t>(c) * (top / (v - 1)), c);
}
