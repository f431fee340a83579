// The ring of count rows with running sums (count_window.h). The sums hold
// rows 0..summed-1; count_window_sum brings them to the window asked for,
// adding the newest row once per step and the rows between, or taking off
// the rows past the window (a recount when that is the shorter way, as
// after a restart of the run from step 0).
#include "engine/measures/count_window.h"

#include <algorithm>
#include <cstring>

#include "engine/model/checked_alloc.h"

namespace {

void
add_row(count_window *w, int row, int sign)
{
    const uint16_t *r = w->rows[row];
    if (sign > 0)
        for (size_t e = 0; e < w->entries; e++)
            w->sums[e] += r[e];
    else
        for (size_t e = 0; e < w->entries; e++)
            w->sums[e] -= r[e];
}

} // namespace

void
count_window_allocate(count_window *w, int slots, size_t entries, const char *label)
{
    count_window_release(w);
    w->slots = std::max(slots, 1);
    w->entries = entries;
    w->rows = static_cast<uint16_t **>(checked_calloc(w->slots, sizeof(uint16_t *), label));
    for (int s = 0; s < w->slots; s++)
        w->rows[s] = static_cast<uint16_t *>(checked_calloc(entries, sizeof(uint16_t), label));
    w->sums = static_cast<uint32_t *>(checked_calloc(entries, sizeof(uint32_t), label));
    w->summed = 0;
    w->newest_added = false;
}

void
count_window_release(count_window *w)
{
    if (w->rows)
        for (int s = 0; s < w->slots; s++)
            checked_free(w->rows[s]);
    checked_free(w->rows);
    checked_free(w->sums);
    *w = count_window{};
}

uint16_t *
count_window_newest(const count_window *w)
{
    return w->rows ? w->rows[0] : nullptr;
}

const uint32_t *
count_window_sum(count_window *w, int window)
{
    window = std::clamp(window, 1, w->slots);
    if (!w->newest_added) {
        // The sums hold rows 1..summed: row 0 joins them.
        add_row(w, 0, 1);
        w->summed++;
        w->newest_added = true;
    }
    if (w->summed > window && w->summed - window > window) {
        std::memset(w->sums, 0, w->entries * sizeof(uint32_t));
        for (int r = 0; r < window; r++)
            add_row(w, r, 1);
        w->summed = window;
    }
    while (w->summed > window)
        add_row(w, --w->summed, -1);
    while (w->summed < window)
        add_row(w, w->summed++, 1);
    return w->sums;
}

void
count_window_advance(count_window *w)
{
    if (!w->rows)
        return;
    if (!w->newest_added) {
        add_row(w, 0, 1);
        w->summed++;
    }
    // The oldest row leaves the ring, and the sums with it.
    if (w->summed == w->slots)
        add_row(w, --w->summed, -1);
    uint16_t *oldest = w->rows[w->slots - 1];
    std::memmove(w->rows + 1, w->rows, (w->slots - 1) * sizeof(uint16_t *));
    std::memset(oldest, 0, w->entries * sizeof(uint16_t));
    w->rows[0] = oldest;
    w->newest_added = false;
}
