/* The comparison program of the field benchmarks, in plain C on one core:
 * the basin field of a v = 2 network (every cell k inputs, one rule table)
 * from a successor table built 64 states per word, its basins found by one
 * walk over the states. Zemra's field must give the same attractors, basin
 * sizes and garden-of-Eden counts; the side-by-side benchmark checks it. */
#ifndef FIELD_REFERENCE_H
#define FIELD_REFERENCE_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

struct reference_basin {
    uint32_t attractor; /* the least state on the attractor cycle */
    uint32_t period;
    uint64_t size;      /* states in the basin, the cycle included */
    uint64_t eden;      /* garden-of-Eden states of the basin */
};

struct reference_field {
    int n;                          /* cells; 2^n states */
    uint32_t *succ;                 /* succ[s]: the successor of state s */
    size_t basins;
    struct reference_basin *basin;  /* in the order their attractors were met */
};

/* The field of n cells (6 <= n <= 30), cell c reading cells
 * wiring[c * k + j] for j = 0 .. k-1 (1 <= k <= 6; input j is bit j of the
 * rule's entry number) under the rule table whose entry i is bit i of rule.
 * State s holds cell c in bit c. Returns 0 when memory ran out. */
int reference_field_compute(int n, int k, const uint16_t *wiring, uint64_t rule, struct reference_field *field);
void reference_field_free(struct reference_field *field);
/* The least state on the cycle through state a, an attractor state. */
uint32_t reference_cycle_least(const struct reference_field *field, uint32_t a);

#ifdef __cplusplus
}
#endif

#endif
