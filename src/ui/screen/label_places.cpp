// The places labels take (label_places.h): a byte a pixel of the window,
// set where a label was drawn, and the list of places taken (for the rows
// they take), kept while the window's size and the count
// of the drawing area's clears stay as they were when it was started.
// Reads the window record's count of clears.
#include "ui/screen/label_places.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "ui/screen/globals.h"
#include "ui/screen/window_record.h"

namespace {

std::vector<uint8_t> taken;
// Each place taken, corners inclusive, within the window.
struct place {
    int x0, y0, x1, y1;
};
std::vector<place> places;
int width = 0, height = 0;
uint32_t clears_seen = 0;

// The places forgotten when the window's size or the drawing area's clears
// changed since they were started.
void
start_if_stale()
{
    if (width == Maxx + 1 && height == WinMaxy + 1 && clears_seen == drawing_area_clears())
        return;
    forget_label_places();
}

// Row y of the places, from column x0 on.
uint8_t *
places_row(int y, int x0)
{
    return taken.data() + static_cast<size_t>(y) * static_cast<size_t>(width) + x0;
}

} // namespace

void
forget_label_places()
{
    width = Maxx + 1;
    height = WinMaxy + 1;
    clears_seen = drawing_area_clears();
    taken.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    places.clear();
}

bool
take_label_place(int x0, int y0, int x1, int y1)
{
    start_if_stale();
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width - 1);
    y1 = std::min(y1, height - 1);
    if (x1 < x0 || y1 < y0)
        return true;
    const size_t span = static_cast<size_t>(x1 - x0 + 1);
    for (int y = y0; y <= y1; y++)
        if (memchr(places_row(y, x0), 1, span))
            return false;
    for (int y = y0; y <= y1; y++)
        memset(places_row(y, x0), 1, span);
    places.push_back({x0, y0, x1, y1});
    return true;
}

void
label_place_rows(int x0, int x1, std::vector<std::pair<int, int>> &rows)
{
    start_if_stale();
    for (const place &p : places)
        if (p.y0 <= Maxy && p.x1 >= x0 && p.x0 <= x1)
            rows.emplace_back(p.y0, std::min<int>(p.y1, Maxy));
}
