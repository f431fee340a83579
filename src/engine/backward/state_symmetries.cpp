// State symmetries on periodic lattices (see state_symmetries.h). Owns the
// shifts, mirrors and turns of packed lines and the segment and cycle tests
// built on them. Reads the network shape (model/globals.h), the attractor
// cycle att/attperiod (forward/globals.h) and writes the cycle match counts
// of the basin drawing (backward/globals.h). Start at rotate_array.
//
// The shifts go entry by entry through get_value/set_value, so they hold for
// every value range; a shift by a whole period is the identity, so n shifts
// are done as n modulo the period.
//
// The 2d shape i2d x j2d may have more places than the state has cells: a
// 1d state of n cells shown as a grid w wide has ceil(n / w) rows, the last
// one short when w does not divide n (n = 14, w = 6: places 14..17 of the
// 6 x 3 grid). The 2d operations act on the picture the editor draws, whose
// places from lineL on hold 0: a place outside the state reads as 0 and is
// never written, so the line is never touched past its cells.
#include "engine/backward/state_symmetries.h"

#include <cstring>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"

namespace {

// Entries of a line for rotate_array's what.
uint32_t
line_entries(int k, int what, int length)
{
    if (what == 0)
        return lineL;
    if (what == 1)
        return static_cast<uint32_t>(rule_entries(k));
    if (totalistic == rule_kind_tcodes)
        return static_cast<uint32_t>(nhood * (value_range - 1) + 1);
    if (totalistic == rule_kind_kcodes)
        return static_cast<uint32_t>(v_tablecodemax[nhood] + 1);
    return length > 0 ? static_cast<uint32_t>(length) : 0;
}

// One 'l' shift of m entries stepping by stride from first: every value
// moves one step up, the last one to the first place.
void
shift_up(uint8_t *line, uint32_t first, uint32_t stride, uint32_t m)
{
    if (m < 2)
        return;
    uint32_t last = first + (m - 1) * stride;
    int kept = get_value(line, last);
    for (uint32_t p = last; p != first; p -= stride)
        set_value(line, p, get_value(line, p - stride));
    set_value(line, first, kept);
}

// One 'r' shift: every value moves one step down, the first one to the end.
void
shift_down(uint8_t *line, uint32_t first, uint32_t stride, uint32_t m)
{
    if (m < 2)
        return;
    uint32_t last = first + (m - 1) * stride;
    int kept = get_value(line, first);
    for (uint32_t p = first; p != last; p += stride)
        set_value(line, p, get_value(line, p + stride));
    set_value(line, last, kept);
}

// Cell c of a state; 0 for a place of the shape outside it.
int
cell_or_zero(const uint8_t *state, uint32_t c)
{
    return c < lineL ? get_value(state, c) : 0;
}

// Writes cell c of a state; a place of the shape outside it is not written.
void
set_cell(uint8_t *state, uint32_t c, int value)
{
    if (c < lineL)
        set_value(state, c, value);
}

bool
same_state(const uint8_t *a, const uint8_t *b)
{
    return memcmp(a, b, bytesL) == 0;
}

uint8_t *
work_line(const char *label)
{
    return static_cast<uint8_t *>(checked_calloc(bytesL, 1, label));
}

// Counts how many of the shifts by 1 .. period-1 give the state back, then
// shifts once more so rot is the state again. count starts at 1 (no shift).
int
matches_along(const uint8_t *state, char dir, int period)
{
    memcpy(rot, state, bytesL);
    int count = 1;
    for (int t = 1; t < period; t++) {
        rotate_array_2d(rot, dir, 1);
        if (same_state(rot, state))
            count++;
    }
    rotate_array_2d(rot, dir, 1);
    return count;
}

// Cycle states att[2..attperiod] that rot, stepped `steps` times by step(),
// meets after one of its first steps-1 steps; rot goes round once per state.
template <typename Step>
int
cycle_matches(const uint8_t *state, int steps, Step step)
{
    memcpy(rot, state, bytesL);
    int count = 1;
    if (attperiod <= 1)
        return count;
    for (uint32_t a = 2; a <= attperiod; a++) {
        for (int t = 1; t <= steps; t++) {
            step();
            if (t < steps && same_state(rot, att[a]))
                count++;
        }
    }
    return count;
}

// A line of m entries that fits one 64-bit word shifted `times` places at
// once: entry p goes to p + times ('l') or p - times ('r'), modulo m, as
// `times` single shifts would move it. The entries form one bit stream, so
// this is a rotation of its first m * value_bits bits; bits after them in
// the last byte are kept.
void
rotate_in_word(uint8_t *line, uint32_t m, char dir, uint32_t times)
{
    uint32_t bits = m * static_cast<uint32_t>(value_bits);
    uint32_t bytes = (bits + 7) / 8;
    uint64_t x = 0;
    for (uint32_t b = bytes; b-- > 0;)
        x = (x << 8) | line[b];
    uint64_t mask = bits == 64 ? ~uint64_t(0) : (uint64_t(1) << bits) - 1;
    uint64_t stream = x & mask;
    uint32_t up = (dir == 'l' ? times : m - times) * static_cast<uint32_t>(value_bits);
    uint64_t turned = ((stream << up) | (stream >> (bits - up))) & mask;
    x = (x & ~mask) | turned;
    for (uint32_t b = 0; b < bytes; b++)
        line[b] = static_cast<uint8_t>(x >> (8 * b));
}

} // namespace

uint8_t *
rotate_array(int k, uint8_t *line, char dir, int what, int n, int, int length)
{
    uint32_t m = line_entries(k, what, length);
    if (n < 1 || m < 2)
        return line;
    int times = static_cast<int>(static_cast<uint32_t>(n) % m);
    if (times > 0 && (dir == 'l' || dir == 'r') && value_bits >= 1 &&
        static_cast<uint64_t>(m) * static_cast<uint64_t>(value_bits) <= 64) {
        rotate_in_word(line, m, dir, static_cast<uint32_t>(times));
        return line;
    }
    for (int t = 0; t < times; t++) {
        if (dir == 'l')
            shift_up(line, 0, 1, m);
        else if (dir == 'r')
            shift_down(line, 0, 1, m);
    }
    return line;
}

uint8_t *
rotate_array_2d(uint8_t *state, char dir, int n)
{
    uint32_t w = static_cast<uint32_t>(i2d), h = static_cast<uint32_t>(j2d);
    if (n < 1 || w < 1 || h < 1)
        return state;
    bool along_i = dir == 'l' || dir == 'r';
    if (!along_i && dir != 'u' && dir != 'd')
        return state;
    int times = static_cast<int>(static_cast<uint32_t>(n) % (along_i ? w : h));
    if (times == 0)
        return state;
    // A shape with places outside the state is shifted as its picture: the
    // state's cells laid into a zero-filled line of every place, shifted
    // there and taken back.
    uint32_t places = w * h;
    uint8_t *grid = state;
    if (places > lineL) {
        grid = static_cast<uint8_t *>(
            checked_calloc(value_line_bytes(places, value_bits), 1, "tempS"));
        for (uint32_t c = 0; c < lineL; c++)
            set_value(grid, c, get_value(state, c));
    }
    for (int t = 0; t < times; t++) {
        if (along_i) {
            for (uint32_t j = 0; j < h; j++)
                dir == 'l' ? shift_up(grid, j * w, 1, w) : shift_down(grid, j * w, 1, w);
        } else {
            for (uint32_t i = 0; i < w; i++)
                dir == 'u' ? shift_up(grid, i, w, h) : shift_down(grid, i, w, h);
        }
    }
    if (grid != state) {
        for (uint32_t c = 0; c < lineL; c++)
            set_value(state, c, get_value(grid, c));
        checked_free(grid);
    }
    return state;
}

uint8_t *
rotate_array_3d(uint8_t *state, char dir, int n)
{
    int w = i3d, d = j3d, h = h3d;
    int di = 0, dj = 0, dh = 0;
    switch (dir) {
    case 'l': di = 1; break;
    case 'r': di = -1; break;
    case 'b': dj = 1; break;
    case 'f': dj = -1; break;
    case 'u': dh = 1; break;
    case 'd': dh = -1; break;
    default: return state;
    }
    if (n < 1 || w < 1 || d < 1 || h < 1)
        return state;
    uint8_t *temp = work_line("tempS");
    for (int t = 0; t < n; t++) {
        memset(temp, 0, bytesL);
        for (int z = 0; z < h; z++)
            for (int y = 0; y < d; y++)
                for (int x = 0; x < w; x++) {
                    int tx = (x + di + w) % w, ty = (y + dj + d) % d, tz = (z + dh + h) % h;
                    set_value(temp, static_cast<uint32_t>(tx + ty * w + tz * w * d),
                              get_value(state, static_cast<uint32_t>(x + y * w + z * w * d)));
                }
        memcpy(state, temp, bytesL);
    }
    checked_free(temp);
    return state;
}

uint8_t *
flip_array_2d(uint8_t *state, int hex, char dir)
{
    if (dir != 'h' && dir != 'V')
        return state;
    int w = i2d, h = j2d;
    uint8_t *temp = work_line("tempS");
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++) {
            int si = i, sj = j;
            bool odd_hex = hex && (j & 1);
            if (dir == 'h') {
                si = odd_hex ? w - 2 - i : w - 1 - i;
                if (si < 0)
                    si = w - 1;
            } else {
                sj = h - 1 - j;
                if (odd_hex)
                    si = i + 1 == w ? 0 : i + 1;
            }
            set_cell(temp, static_cast<uint32_t>(i + j * w),
                     cell_or_zero(state, static_cast<uint32_t>(si + sj * w)));
        }
    memcpy(state, temp, bytesL);
    checked_free(temp);
    return state;
}

uint8_t *
v_spin_array_2d(uint8_t *state)
{
    int w = i2d, s = i2d < j2d ? i2d : j2d;
    uint8_t *temp = work_line("tempS");
    memcpy(temp, state, bytesL);
    for (int j = 0; j < s; j++)
        for (int i = 0; i < s; i++)
            set_cell(temp, static_cast<uint32_t>(i + j * w),
                     cell_or_zero(state, static_cast<uint32_t>(j + (s - 1 - i) * w)));
    memcpy(state, temp, bytesL);
    checked_free(temp);
    return state;
}

uint8_t *
v_spin_array_3d(uint8_t *state)
{
    int w = i3d, d = j3d, s = i3d < j3d ? i3d : j3d;
    uint8_t *temp = work_line("tempS");
    memcpy(temp, state, bytesL);
    for (int z = 0; z < h3d; z++) {
        uint32_t layer = static_cast<uint32_t>(z * w * d);
        for (int j = 0; j < s; j++)
            for (int i = 0; i < s; i++)
                set_value(temp, layer + static_cast<uint32_t>(i + j * w),
                          get_value(state, layer + static_cast<uint32_t>(j + (s - 1 - i) * w)));
    }
    memcpy(state, temp, bytesL);
    checked_free(temp);
    return state;
}

int
repeating_seg(const uint8_t *state)
{
    // The smallest rotation that gives the state back is its shortest period
    // p when p divides n (else n), found in linear time from the prefix
    // function of the cell values: p = n - (longest proper border).
    static std::vector<int> values, border;
    size_t n = lineL;
    values.resize(n);
    border.assign(n, 0);
    for (size_t c = 0; c < n; c++)
        values[c] = get_value(state, static_cast<uint32_t>(c));
    for (size_t c = 1; c < n; c++) {
        int b = border[c - 1];
        while (b > 0 && values[c] != values[static_cast<size_t>(b)])
            b = border[static_cast<size_t>(b) - 1];
        if (values[c] == values[static_cast<size_t>(b)])
            b++;
        border[c] = b;
    }
    memcpy(rot, state, bytesL);
    if (n == 0)
        return 0;
    size_t period = n - static_cast<size_t>(border[n - 1]);
    return static_cast<int>(n % period == 0 ? period : n);
}

void
repeating_seg_2d(const uint8_t *state)
{
    repseg_2d[0] = static_cast<uint16_t>(i2d / matches_along(state, 'l', i2d));
    repseg_2d[1] = static_cast<uint16_t>(j2d / matches_along(state, 'u', j2d));
}

int
trans_sym_2d(const uint8_t *state)
{
    uint8_t *q = work_line("rot1,2");
    uint8_t *r = work_line("rot1,2");
    memcpy(rot, state, bytesL);
    memcpy(q, state, bytesL);
    memcpy(r, state, bytesL);
    rotate_array_2d(rot, 'u', 1);
    rotate_array_2d(q, 'l', 1);
    rotate_array_2d(r, 'r', 1);
    int found = 0;
    if (same_state(rot, q) || same_state(rot, r)) {
        repseg_2d[0] = 1;
        found = 1;
    }
    if (!found && i2d % 2 == 0 && i2d > 3) {
        rotate_array_2d(rot, 'u', 1);
        rotate_array_2d(q, 'l', 1);
        rotate_array_2d(r, 'r', 1);
        if (same_state(rot, q) || same_state(rot, r)) {
            repseg_2d[0] = 2;
            found = 1;
        }
    }
    if (!found && i2d % 2 == 0) {
        if (j2d > 3 && repseg_2d[1] == j2d) {
            memcpy(q, state, bytesL);
            memcpy(r, state, bytesL);
            rotate_array_2d(q, 'r', 1);
            rotate_array_2d(r, 'u', 2);
            if (same_state(q, r)) {
                repseg_2d[0] = 1;
                found = 1;
            }
        }
        if (!found && i2d >= 4 && repseg_2d[0] == i2d) {
            memcpy(q, state, bytesL);
            memcpy(r, state, bytesL);
            rotate_array_2d(q, 'l', 2);
            rotate_array_2d(r, 'u', 1);
            if (same_state(q, r)) {
                repseg_2d[1] = 1;
                found = 1;
            }
        }
    }
    checked_free(q);
    checked_free(r);
    return found;
}

int
rot_cycle_equiv_2d(const uint8_t *state)
{
    repeating_seg_2d(state);
    int d = repseg_2d[0] > 1 && repseg_2d[1] > 1 ? trans_sym_2d(state) : 0;
    int seg_i = repseg_2d[0], seg_j = repseg_2d[1];
    cyclematch_2d[0] = static_cast<int16_t>(
        cycle_matches(state, seg_i, [] { rotate_array_2d(rot, 'l', 1); }));
    cyclematch_2d[1] = static_cast<int16_t>(
        cycle_matches(state, seg_j, [] { rotate_array_2d(rot, 'u', 1); }));
    cyclematch_2d_diag[0] = cyclematch_2d_diag[1] = 0;
    if (d == 1)
        return d;
    if (i2d != j2d || seg_i < 2 || seg_j != seg_i || cyclematch_2d[0] == seg_j ||
        cyclematch_2d[1] == seg_j)
        return 0;
    cyclematch_2d_diag[0] = static_cast<int16_t>(cycle_matches(state, seg_i, [] {
        rotate_array_2d(rot, 'r', 1);
        rotate_array_2d(rot, 'u', 1);
    }));
    cyclematch_2d_diag[1] = static_cast<int16_t>(cycle_matches(state, seg_i, [] {
        rotate_array_2d(rot, 'l', 1);
        rotate_array_2d(rot, 'u', 1);
    }));
    for (int16_t &count : cyclematch_2d_diag)
        if (count != seg_i)
            count = 0;
    return 0;
}
