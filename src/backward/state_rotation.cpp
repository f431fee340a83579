// Rotations and translations of states for rotation compression and for the
// placing of rotation-equivalent states. Reads the network shape (lineL,
// i2d, j2d, regular2d) and the value-line layout of the model. Start at
// canonical_state, which the acceptance step uses as its hash key.
#include "backward/state_rotation.h"

#include <cstring>
#include <vector>

#include "model/globals.h"
#include "model/value_line.h"
#include "wiring/globals.h"

namespace {

// Cell values of a line, one byte per cell (reused between calls).
std::vector<uint8_t> cells, moved, best;

void
unpack(const uint8_t *line, std::vector<uint8_t> &out)
{
    out.resize(lineL);
    for (uint32_t c = 0; c < lineL; c++)
        out[c] = static_cast<uint8_t>(get_value(line, c));
}

void
pack(const std::vector<uint8_t> &in, uint8_t *line)
{
    memset(line, 0, bytesL);
    for (uint32_t c = 0; c < lineL; c++)
        set_value(line, c, in[c]);
}

// Smallest period p of the circular sequence x (p divides n): from the
// prefix function of x, p = n - border when that divides n, else n.
uint32_t
circular_period(const std::vector<uint8_t> &x)
{
    uint32_t n = static_cast<uint32_t>(x.size());
    std::vector<uint32_t> fail(n + 1, 0);
    uint32_t k = 0;
    for (uint32_t i = 1; i < n; i++) {
        while (k > 0 && x[i] != x[k])
            k = fail[k];
        if (x[i] == x[k])
            k++;
        fail[i + 1] = k;
    }
    uint32_t p = n - fail[n];
    return n % p == 0 ? p : n;
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

void
translate_cells(const std::vector<uint8_t> &in, std::vector<uint8_t> &out, uint32_t dh, uint32_t dw)
{
    uint32_t W = static_cast<uint32_t>(i2d), H = static_cast<uint32_t>(j2d);
    out.resize(in.size());
    for (uint32_t j = 0; j < H; j++)
        for (uint32_t i = 0; i < W; i++)
            out[(i + dh) % W + ((j + dw) % H) * W] = in[i + j * W];
}

void
periods_of_cells(const std::vector<uint8_t> &x, uint32_t *h, uint32_t *w)
{
    uint32_t W = static_cast<uint32_t>(i2d), H = static_cast<uint32_t>(j2d);
    *h = W;
    for (uint32_t dh = 1; dh < W; dh++) {
        translate_cells(x, moved, dh, 0);
        if (moved == x) {
            *h = dh;
            break;
        }
    }
    *w = H;
    for (uint32_t dw = 1; dw < H && *w == H; dw++)
        for (uint32_t dh = 0; dh < *h; dh++) {
            translate_cells(x, moved, dh, dw);
            if (moved == x) {
                *w = dw;
                break;
            }
        }
}

} // namespace

void
rotate_state_left(uint8_t *line, uint32_t count)
{
    if (lineL == 0 || count % lineL == 0)
        return;
    unpack(line, cells);
    moved.resize(lineL);
    for (uint32_t c = 0; c < lineL; c++)
        moved[(c + count) % lineL] = cells[c];
    pack(moved, line);
}

uint32_t
ring_segment_length(const uint8_t *line)
{
    if (lineL == 0)
        return 1;
    unpack(line, cells);
    return circular_period(cells);
}

void
translate_state_2d(uint8_t *line, uint32_t dh, uint32_t dw)
{
    unpack(line, cells);
    translate_cells(cells, moved, dh, dw);
    pack(moved, line);
}

void
torus_periods(const uint8_t *line, uint32_t *h, uint32_t *w)
{
    unpack(line, cells);
    periods_of_cells(cells, h, w);
}

std::string
canonical_state(const uint8_t *line)
{
    unpack(line, cells);
    if (!regular2d) {
        uint32_t start = least_rotation(cells);
        best.resize(lineL);
        for (uint32_t c = 0; c < lineL; c++)
            best[c] = cells[(start + c) % lineL];
    } else {
        // The h x w translations are the state's distinct translations.
        uint32_t h, w;
        periods_of_cells(cells, &h, &w);
        best = cells;
        for (uint32_t dh = 0; dh < h; dh++)
            for (uint32_t dw = 0; dw < w; dw++) {
                translate_cells(cells, moved, dh, dw);
                if (moved < best)
                    best = moved;
            }
    }
    std::string key(bytesL, '\0');
    pack(best, reinterpret_cast<uint8_t *>(&key[0]));
    return key;
}
