// Exact translation periods, the walk over distinct translations and the
// canonical form that rotation compression needs. Shifts and plain
// repeating segments come from the model (model/state_symmetries.h); reads
// the network shape (lineL, i2d, j2d, regular2d) and the value-line layout.
// Start at canonical_state, which the acceptance step uses as its hash key.
#include "engine/backward/state_rotation.h"

#include <cstring>
#include <vector>

#include "engine/backward/state_symmetries.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"

namespace {

// Work lines of bytesL bytes (reused between calls).
std::vector<uint8_t> column_line, moved_line;
// Cell values of a ring state, one byte per cell.
std::vector<uint8_t> cells;

uint8_t *
copy_into(std::vector<uint8_t> &work, const uint8_t *line)
{
    work.assign(line, line + bytesL);
    return work.data();
}

bool
same_state(const uint8_t *a, const uint8_t *b)
{
    return memcmp(a, b, bytesL) == 0;
}

// Start of the lexicographically least rotation of x (Booth's method).
uint32_t
least_rotation(const std::vector<uint8_t> &x)
{
    uint32_t n = static_cast<uint32_t>(x.size());
    uint32_t i = 0, j = 1, k = 0;
    while (i < n && j < n && k < n) {
        uint8_t a = x[(i + k) % n], b = x[(j + k) % n];
        if (a == b) {
            k++;
            continue;
        }
        if (a > b)
            i += k + 1;
        else
            j += k + 1;
        if (i == j)
            j++;
        k = 0;
    }
    return i < j ? i : j;
}

} // namespace

void
torus_periods(const uint8_t *line, uint32_t *h, uint32_t *w)
{
    // The model's diagonal refinement (trans_sym_2d) knows steps of one and
    // two cells only; a row shift below the row period that some column
    // shift undoes is looked for here directly.
    repeating_seg_2d(line);
    *h = repseg_2d[0];
    *w = repseg_2d[1];
    uint8_t *moved = copy_into(moved_line, line);
    for (uint32_t dw = 1; dw < *w; dw++) {
        rotate_array_2d(moved, 'u', 1);
        // h column shifts bring the row-shifted copy back to itself.
        for (uint32_t dh = 0; dh < *h; dh++) {
            if (same_state(moved, line)) {
                *w = dw;
                return;
            }
            rotate_array_2d(moved, 'l', 1);
        }
    }
}

void
visit_translations_2d(const uint8_t *line, uint32_t h, uint32_t w,
                      const std::function<void(const uint8_t *)> &visit)
{
    uint8_t *column = copy_into(column_line, line);
    for (uint32_t dh = 0; dh < h; dh++) {
        uint8_t *moved = copy_into(moved_line, column);
        for (uint32_t dw = 0; dw < w; dw++) {
            visit(moved);
            rotate_array_2d(moved, 'u', 1);
        }
        rotate_array_2d(column, 'l', 1);
    }
}

std::string
canonical_state(const uint8_t *line)
{
    std::string key(bytesL, '\0');
    uint8_t *best = reinterpret_cast<uint8_t *>(&key[0]);
    if (regular2d) {
        // The smallest of the state's distinct translations, byte by byte.
        uint32_t h, w;
        torus_periods(line, &h, &w);
        memcpy(best, line, bytesL);
        visit_translations_2d(line, h, w, [&](const uint8_t *t) {
            if (memcmp(t, best, bytesL) < 0)
                memcpy(best, t, bytesL);
        });
        return key;
    }
    cells.resize(lineL);
    for (uint32_t c = 0; c < lineL; c++)
        cells[c] = static_cast<uint8_t>(get_value(line, c));
    uint32_t start = lineL ? least_rotation(cells) : 0;
    for (uint32_t c = 0; c < lineL; c++)
        set_value(best, c, cells[(start + c) % lineL]);
    return key;
}
