// Seed patches (*.eed): a rectangular part of a state, cut out of the state
// line and written in the seed-file layout of network_file_codec.h:
//   v, cells (2 bytes, low first), i extent, j extent (both 0 for 1d), the
//   packed part (cells in the order h, j, i ascending, i fastest).
// Example: v = 2, the 2d part (1,1)-(3,2) of a 5-wide lattice is 6 cells:
//   02 06 00 03 02, then one byte of the 6 packed bits.
// The cell editor (ui/string_editors/cell_editor.cpp) asks for the corners and the
// file name. Start at order_patch_bounds.
#pragma once
#include <cstdint>
#include <vector>

// The corners of a part, per axis i, j, h (unused axes 0).
struct patch_bounds {
    int dim = 1;
    int start[3] = {0, 0, 0};
    int end[3] = {0, 0, 0};
};

// A typed start outside 0..max becomes 0, an end outside 0..max becomes
// max; start and end are swapped where the start exceeds the end.
void order_patch_bounds(int *start, int *end, int max);

// Extent of axis a of the part (1 for an axis the dimension does not use).
int patch_extent(const patch_bounds &b, int a);
// Cells of the part.
uint32_t patch_cells(const patch_bounds &b);

// The part's cells of state as a new value line: state cell i (1d),
// i + j * width (2d) or i + j * width + h * width * depth (3d). A cell at
// index lineL or above (the short last row of a 1d state shown as a grid)
// is outside the state and reads as 0.
std::vector<uint8_t> copy_state_part(const uint8_t *state, const patch_bounds &b, int width,
                                     int depth);

// The patch file bytes of a part copied from state: v, the cell count
// (saturated at 65535), the i and j extents (0 for 1d), the packed part.
std::vector<uint8_t> encode_seed_patch(const uint8_t *state, const patch_bounds &b, int width,
                                       int depth);
