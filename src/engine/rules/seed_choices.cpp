// The seed dialog's arithmetic (seed_choices.h): decimal-form limits, the
// default block side, 1d segments and the fill key. Start at
// segment_cells.
#include "engine/rules/seed_choices.h"

namespace {

// n at which v^n - 1 stops fitting 32 bits, per v = 2..8.
constexpr int kDecimalCells[9] = {0, 0, 32, 20, 16, 13, 12, 11, 0};
constexpr int kBitLineCells[9] = {0, 0, 32, 20, 16, 13, 12, 11, 10};

} // namespace

int
decimal_form_cells(int v)
{
    return v >= 2 && v <= 8 ? kDecimalCells[v] : 0;
}

int
bit_line_cells(int v)
{
    return v >= 2 && v <= 8 ? kBitLineCells[v] : 0;
}

uint64_t
largest_state_number(int n, int v)
{
    uint64_t p = 1;
    for (int c = 0; c < n; c++)
        p *= static_cast<uint64_t>(v);
    return p - 1;
}

int
default_block_side(int dim, int n, int i, int j, int h)
{
    int s = n;
    if (dim == 2)
        s = i < j ? i : j;
    else if (dim == 3)
        s = i < j ? (i < h ? i : h) : (j < h ? j : h);
    int side = dim == 3 ? s / 3 : s / 5;
    if ((side & 1) != (s & 1))
        side++;
    return side;
}

void
segment_cells(int n, int m, long p, int *high, int *low)
{
    int last = n - 1;
    if (m <= 0 || m >= n) {
        *high = last;
        *low = 0;
        return;
    }
    if (p >= 0 && p <= static_cast<long>(last - m))
        *high = last - static_cast<int>(p);
    else
        *high = last / 2 + m / 2;
    *low = *high - (m - 1);
}

int
fill_value_of_key(int key, int v)
{
    if (key < '0' || key > '9')
        return 0;
    int value = key - '0';
    return value <= v - 1 ? value : -1;
}
