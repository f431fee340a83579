// Seed patches: the part of a state and its file bytes (seed_patch.h).
// Reads v, value_bits and lineL (model globals).
#include "engine/storage/seed_patch.h"

#include <algorithm>

#include "engine/model/globals.h"
#include "engine/model/value_line.h"

void
order_patch_bounds(int *start, int *end, int max)
{
    if (*start < 0 || *start > max)
        *start = 0;
    if (*end < 0 || *end > max)
        *end = max;
    if (*start > *end)
        std::swap(*start, *end);
}

int
patch_extent(const patch_bounds &b, int a)
{
    return a < b.dim ? b.end[a] - b.start[a] + 1 : 1;
}

uint32_t
patch_cells(const patch_bounds &b)
{
    return static_cast<uint32_t>(patch_extent(b, 0)) * static_cast<uint32_t>(patch_extent(b, 1)) *
           static_cast<uint32_t>(patch_extent(b, 2));
}

std::vector<uint8_t>
copy_state_part(const uint8_t *state, const patch_bounds &b, int width, int depth)
{
    uint32_t cells = patch_cells(b);
    // One byte of slack: an entry of 3 bits may be written across a byte end.
    std::vector<uint8_t> part(value_line_bytes(cells, value_bits) + 1, 0);
    uint32_t p = 0;
    int h0 = b.dim > 2 ? b.start[2] : 0, h1 = b.dim > 2 ? b.end[2] : 0;
    int j0 = b.dim > 1 ? b.start[1] : 0, j1 = b.dim > 1 ? b.end[1] : 0;
    for (int h = h0; h <= h1; h++)
        for (int j = j0; j <= j1; j++)
            for (int i = b.start[0]; i <= b.end[0]; i++) {
                uint32_t cell = static_cast<uint32_t>(i + j * width + h * width * depth);
                set_value(part.data(), p++, cell < lineL ? get_value(state, cell) : 0);
            }
    part.resize(value_line_bytes(cells, value_bits));
    return part;
}

std::vector<uint8_t>
encode_seed_patch(const uint8_t *state, const patch_bounds &b, int width, int depth)
{
    uint32_t cells = std::min<uint32_t>(patch_cells(b), 0xFFFF);
    std::vector<uint8_t> out;
    out.push_back(static_cast<uint8_t>(value_range));
    out.push_back(static_cast<uint8_t>(cells & 0xFF));
    out.push_back(static_cast<uint8_t>(cells >> 8));
    out.push_back(static_cast<uint8_t>(b.dim > 1 ? patch_extent(b, 0) : 0));
    out.push_back(static_cast<uint8_t>(b.dim > 1 ? patch_extent(b, 1) : 0));
    std::vector<uint8_t> part = copy_state_part(state, b, width, depth);
    out.insert(out.end(), part.begin(), part.end());
    return out;
}
