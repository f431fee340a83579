/* The comparison program of the field benchmarks (field_reference.h).
 *
 * Table: states s0 .. s0+63 at once, one 64-bit word per cell (bit j for
 * state s0 + j); cells 0..5 take the patterns 0xAAAA.., 0xCCCC.., ..., cells 6
 * and up are all 0 or all 1. A cell's next word is the rule's sum of
 * products over its input words; the words of the cells, transposed as a
 * 64 x 64 bit matrix, are the 64 successor numbers.
 *
 * Basins: one pass over the states. From each state not yet labelled the
 * walk follows successors, marking the path, until it meets a labelled
 * state (its basin) or its own path (a new attractor: the cycle is walked
 * once for its period and least state); the path then takes the basin's
 * label. A last pass counts each basin's states and its states without a
 * pre-image (garden of Eden). Memory: 8 bytes and 1 bit a state. */
#include "field_reference.h"

#include <stdlib.h>
#include <string.h>

#define ON_PATH 0xFFFFFFFFu

static const uint64_t low_cells[6] = {0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull, 0xF0F0F0F0F0F0F0F0ull,
                                      0xFF00FF00FF00FF00ull, 0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull};

/* rows[r] bit c <-> rows[c] bit r. */
static void
transpose64(uint64_t rows[64])
{
    uint64_t m = 0x00000000FFFFFFFFull;
    for (int j = 32; j != 0; j >>= 1, m ^= m << j)
        for (int k = 0; k < 64; k = ((k | j) + 1) & ~j) {
            uint64_t t = ((rows[k] >> j) ^ rows[k | j]) & m;
            rows[k | j] ^= t;
            rows[k] ^= t << j;
        }
}

static void
fill_table(int n, int k, const uint16_t *wiring, uint64_t rule, uint32_t *succ)
{
    uint64_t states = (uint64_t)1 << n;
    for (uint64_t s0 = 0; s0 < states; s0 += 64) {
        uint64_t in[64], rows[64];
        for (int c = 0; c < n; c++)
            in[c] = c < 6 ? low_cells[c] : ((s0 >> c) & 1) ? ~(uint64_t)0 : 0;
        for (int c = 0; c < 64; c++)
            rows[c] = 0;
        for (int c = 0; c < n; c++) {
            uint64_t next = 0;
            for (int i = 0; i < (1 << k); i++) {
                if (!((rule >> i) & 1))
                    continue;
                uint64_t term = ~(uint64_t)0;
                for (int j = 0; j < k; j++) {
                    uint64_t x = in[wiring[c * k + j]];
                    term &= ((i >> j) & 1) ? x : ~x;
                }
                next |= term;
            }
            rows[c] = next;
        }
        transpose64(rows);
        for (int j = 0; j < 64; j++)
            succ[s0 + j] = (uint32_t)rows[j];
    }
}

static int
add_basin(struct reference_field *f, size_t *room, uint32_t least, uint32_t period)
{
    if (f->basins == *room) {
        size_t more = *room ? 2 * *room : 64;
        struct reference_basin *b = realloc(f->basin, more * sizeof *b);
        if (!b)
            return 0;
        f->basin = b;
        *room = more;
    }
    struct reference_basin *b = &f->basin[f->basins++];
    b->attractor = least;
    b->period = period;
    b->size = 0;
    b->eden = 0;
    return 1;
}

int
reference_field_compute(int n, int k, const uint16_t *wiring, uint64_t rule, struct reference_field *f)
{
    uint64_t states = (uint64_t)1 << n;
    memset(f, 0, sizeof *f);
    f->n = n;
    f->succ = malloc(states * sizeof(uint32_t));
    uint32_t *label = calloc(states, sizeof(uint32_t));
    uint64_t *reached = calloc(states / 64, sizeof(uint64_t));
    size_t room = 0;
    if (!f->succ || !label || !reached)
        goto out_of_memory;
    fill_table(n, k, wiring, rule, f->succ);
    const uint32_t *succ = f->succ;
    for (uint64_t s = 0; s < states; s++) {
        uint32_t t = succ[s];
        reached[t >> 6] |= (uint64_t)1 << (t & 63);
    }
    /* Labels: 0 unvisited, ON_PATH on the walk in progress, else basin + 1. */
    for (uint64_t s = 0; s < states; s++) {
        if (label[s])
            continue;
        uint32_t t = (uint32_t)s;
        while (!label[t]) {
            label[t] = ON_PATH;
            t = succ[t];
        }
        uint32_t basin = label[t];
        if (basin == ON_PATH) {
            uint32_t least = t, period = 0, u = t;
            do {
                if (u < least)
                    least = u;
                period++;
                u = succ[u];
            } while (u != t);
            if (!add_basin(f, &room, least, period))
                goto out_of_memory;
            basin = (uint32_t)f->basins;
        }
        for (t = (uint32_t)s; label[t] == ON_PATH; t = succ[t])
            label[t] = basin;
    }
    for (uint64_t s = 0; s < states; s++) {
        struct reference_basin *b = &f->basin[label[s] - 1];
        b->size++;
        b->eden += !((reached[s >> 6] >> (s & 63)) & 1);
    }
    free(label);
    free(reached);
    return 1;
out_of_memory:
    free(label);
    free(reached);
    reference_field_free(f);
    return 0;
}

void
reference_field_free(struct reference_field *f)
{
    free(f->succ);
    free(f->basin);
    f->succ = NULL;
    f->basin = NULL;
    f->basins = 0;
}

uint32_t
reference_cycle_least(const struct reference_field *f, uint32_t a)
{
    uint32_t least = a;
    for (uint32_t u = f->succ[a]; u != a; u = f->succ[u])
        if (u < least)
            least = u;
    return least;
}
