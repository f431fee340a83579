// Written labels by square (label_squares.h): each box is listed under every
// 64-pixel square it meets. Squares are numbered by clamping to the grid, so
// a box or an area partly off the window (or a window grown since) falls in
// the edge squares: two rectangles that meet always share a square.
#include "ui/backward/label_squares.h"

#include <algorithm>

namespace {

constexpr int kSquare = 64;

int columns = 1, rows = 1;
std::vector<std::vector<uint32_t>> in_square(1);
std::vector<drawn_box> held;

int
column_of(int x)
{
    return std::clamp(x / kSquare, 0, columns - 1);
}

int
row_of(int y)
{
    return std::clamp(y / kSquare, 0, rows - 1);
}

bool
meet(const drawn_box &a, const drawn_box &b)
{
    return !a.empty && !b.empty && a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

} // namespace

void
forget_label_squares(int width, int height)
{
    columns = std::max(1, (width + kSquare - 1) / kSquare);
    rows = std::max(1, (height + kSquare - 1) / kSquare);
    // The lists keep their room, so a field allocates nothing once the
    // busiest was seen.
    in_square.resize(static_cast<size_t>(columns) * static_cast<size_t>(rows));
    for (std::vector<uint32_t> &list : in_square)
        list.clear();
    held.clear();
}

void
add_label_square_box(uint32_t index, const drawn_box &box)
{
    if (held.size() <= index)
        held.resize(static_cast<size_t>(index) + 1, drawn_box{0, 0, 0, 0, true});
    held[index] = box;
    for (int r = row_of(box.y0); r <= row_of(box.y1); r++)
        for (int c = column_of(box.x0); c <= column_of(box.x1); c++)
            in_square[static_cast<size_t>(r) * static_cast<size_t>(columns) + static_cast<size_t>(c)].push_back(index);
}

void
label_boxes_meeting(const drawn_box &area, std::vector<uint32_t> &met)
{
    met.clear();
    if (area.empty)
        return;
    for (int r = row_of(area.y0); r <= row_of(area.y1); r++)
        for (int c = column_of(area.x0); c <= column_of(area.x1); c++)
            for (uint32_t index : in_square[static_cast<size_t>(r) * static_cast<size_t>(columns) + static_cast<size_t>(c)])
                if (meet(area, held[index]))
                    met.push_back(index);
    std::sort(met.begin(), met.end());
    met.erase(std::unique(met.begin(), met.end()), met.end());
}
