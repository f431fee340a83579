// Random and block states: the per-cell draw at the seed density, random
// states with an exact number of non-zero cells, the damage form, Hamming
// changes of a share of the cells, central blocks and random block places.
// Reads the network shape and A, all_0s (model) and bias_density (rules
// globals). Start at density_draw.
#include "engine/rules/random_states.h"

#include <cstdlib>
#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"

namespace {

bool
bias_in_range()
{
    return bias_density >= 0.0f && bias_density <= 100.0f;
}

// A non-zero value: 1 for v = 2, else 1 + random() % (v-1).
int
nonzero_value()
{
    return value_range == 2 ? 1 : 1 + static_cast<int>(random() % (value_range - 1));
}

// An unbiased value: for v = 2, 1 when random() % 100 >= 50; else random() % v.
int
unbiased_value()
{
    if (value_range == 2)
        return random() % 100 >= 50 ? 1 : 0;
    return static_cast<int>(random() % value_range);
}

// The share trunc(n * percent / 100) in single precision, kept within 0..n.
uint32_t
share_of_cells(float percent)
{
    float m = static_cast<float>(lineL) * (percent / 100.0f);
    if (!(m > 0.0f))
        return 0;
    return m >= static_cast<float>(lineL) ? lineL : static_cast<uint32_t>(m);
}

// Flips count distinct random cells of line (v = 2). ref holds line as it
// was: a cell whose flip makes it equal to ref again had been flipped
// before, so it is flipped back and not counted.
void
flip_distinct(uint8_t *line, const uint8_t *ref, uint32_t count)
{
    uint32_t n = lineL;
    for (uint32_t flipped = 0; flipped < count;) {
        uint32_t c = static_cast<uint32_t>(random() % n);
        line[c >> 3] ^= static_cast<uint8_t>(1u << (c & 7));
        if (get_bitlong(line, c) == get_bitlong(ref, c))
            line[c >> 3] ^= static_cast<uint8_t>(1u << (c & 7));
        else
            flipped++;
    }
}

// Cell index of block coordinates, or -1 when outside the lattice.
long
block_cell(long i, long j, long h)
{
    if (twod) {
        if (i < 0 || i >= i2d || j < 0 || j >= j2d)
            return -1;
        return i + j * i2d;
    }
    if (threed) {
        if (i < 0 || i >= i3d || j < 0 || j >= j3d || h < 0 || h >= h3d)
            return -1;
        return i + j * i3d + h * static_cast<long>(i3d) * j3d;
    }
    return i < 0 || i >= lineL ? -1 : i;
}

} // namespace

int
density_draw()
{
    if (!bias_in_range())
        return unbiased_value();
    int t = static_cast<int>(20.0f * bias_density);
    int r = static_cast<int>(random() % 1000);
    if (r == 0)
        r = 1;
    return t / r == 1 ? nonzero_value() : 0;
}

void
random_state_at_density()
{
    const uint32_t n = lineL;
    const bool counted = bias_in_range();
    int32_t c = 0;
    for (int64_t i = n - 1; i >= 0; i--) {
        int value = density_draw();
        set_value(A, static_cast<uint32_t>(i), value);
        c += value > 0;
    }
    // Outside 0..100 the target would lie outside 0..n: no correction.
    if (!counted)
        return;
    int32_t d = c - static_cast<int32_t>(share_of_cells(bias_density));
    while (d > 0) {
        uint32_t cell = static_cast<uint32_t>(random() % n);
        if (get_value(A, cell) > 0) {
            set_value(A, cell, 0);
            d--;
        }
    }
    while (d < 0) {
        uint32_t cell = static_cast<uint32_t>(random() % n);
        if (get_value(A, cell) == 0) {
            set_value(A, cell, nonzero_value());
            d++;
        }
    }
}

void
random_damage_halves()
{
    if (twod || threed) {
        // A 3d lattice is laid out as i3d columns by j3d * h3d rows here.
        long width = twod ? i2d : i3d;
        long rows = twod ? j2d : static_cast<long>(j3d) * h3d;
        for (long j = rows - 1; j >= 0; j--)
            for (long i = width / 2 - 1; i >= 0; i--) {
                int value = unbiased_value();
                set_value(A, static_cast<uint32_t>(j * width + i), value);
                set_value(A, static_cast<uint32_t>(j * width + width / 2 + i), value);
            }
        return;
    }
    uint32_t half = lineL / 2;
    for (int64_t i = static_cast<int64_t>(half) - 1; i >= 0; i--) {
        int value = unbiased_value();
        set_value(A, static_cast<uint32_t>(i), value);
        set_value(A, static_cast<uint32_t>(i + half), value);
    }
}

void
hamming_change(int percent)
{
    if (value_range != 2)
        return;
    uint32_t n = lineL;
    uint32_t m = share_of_cells(static_cast<float>(percent));
    uint8_t *ref = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "hamming lines"));
    if (m <= n / 2) {
        memcpy(ref, A, bytesL);
        flip_distinct(A, ref, m);
    } else {
        // Flip the complement back in n - m cells: it then differs from A in m.
        for (uint32_t c = 0; c < n; c++)
            A[c >> 3] ^= static_cast<uint8_t>(1u << (c & 7));
        memcpy(ref, A, bytesL);
        flip_distinct(A, ref, n - m);
    }
    checked_free(ref);
}

void
state_at_distance(const uint8_t *from, uint8_t *to, int h, uint8_t *picked)
{
    int n = lineL, v = value_range;
    memcpy(to, from, bytesL);
    memset(picked, 0, static_cast<size_t>(n) / 8 + 1);
    int picks = h;
    if (v == 2 && h > n / 2) {
        for (int c = 0; c < n; c++)
            set_value(to, static_cast<uint32_t>(c), 1 - get_value(from, static_cast<uint32_t>(c)));
        picks = n - h;
    }
    for (int done = 0; done < picks;) {
        uint32_t c = static_cast<uint32_t>(random() % n);
        if (get_bitlong(picked, c))
            continue; // a pick that would undo an earlier one is not counted
        set_bitlong(picked, c, 1);
        done++;
        int x = get_value(to, c);
        if (v == 2)
            set_value(to, c, 1 - x);
        else
            set_value(to, c, static_cast<int>((x + 1 + random() % (v - 1)) % v));
    }
}

uint16_t
set_central_block(int keep, uint8_t *state, int size)
{
    if (keep == 0)
        memcpy(state, all_0s, bytesL);
    long a = size / 2, b = size % 2 ? size / 2 : size / 2 - 1;
    uint16_t count = 0;
    auto fill = [&](long cell) {
        if (cell < 0)
            return;
        int value = density_draw();
        set_value(state, static_cast<uint32_t>(cell), value);
        count += value > 0;
    };
    if (twod) {
        for (long j = j2d / 2 + b; j >= j2d / 2 - a; j--)
            for (long i = i2d / 2 + b; i >= i2d / 2 - a; i--)
                fill(block_cell(i, j, 0));
    } else if (threed) {
        for (long h = h3d / 2 + b; h >= h3d / 2 - a; h--)
            for (long j = j3d / 2 + b; j >= j3d / 2 - a; j--)
                for (long i = i3d / 2 + b; i >= i3d / 2 - a; i--)
                    fill(block_cell(i, j, h));
    } else {
        long c = lineL / 2;
        for (long i = c + b; i >= c - a; i--)
            fill(block_cell(i, 0, 0));
    }
    return count;
}

uint16_t
randpos_block(int half, int range)
{
    auto offset = [range]() -> long {
        long r = random();
        return range > 0 ? r % range : 0;
    };
    long index;
    if (twod) {
        long x = i2d / 2 - half + offset();
        long y = j2d / 2 - half + offset();
        index = y * i2d + x;
    } else if (threed) {
        long x = i3d / 2 - half + offset();
        long y = j3d / 2 - half + offset();
        long z = h3d / 2 - half + offset();
        index = z * static_cast<long>(i3d) * j3d + y * i3d + x;
    } else {
        index = lineL / 2 - half + offset();
    }
    return static_cast<uint16_t>(index & 0xFFFF);
}
