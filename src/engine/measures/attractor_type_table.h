// The attractor types of the attractor-type histogram: forward runs from
// random seeds each end in an attractor cycle, and the table says which of
// the cycles met so far it is (a type), or makes it a new type. Per type it
// keeps a representative state, the count of runs that ended there, the
// period, the mean transient and the cycle's states (the m_att rows, which
// the attractor jump graph reads), and, for the all-0 and all-1 point
// attractors, how the seeds that fell into them were split by density.
// Every array runs 1..types (entry 0 holds nothing) and grows one entry per
// new type through the checked allocator; clear_attractor_types frees every
// block, so a cleared table holds none. Counts are 32 bits wide and
// saturate. Reads bytesL, lineL and value_range (engine/model).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The density classes of a seed by its cells at 1 (c of n): fewer than
// half, more than half, exactly half (even n only).
enum seed_density_class { dens_fewer = 0, dens_more = 1, dens_half = 2 };
// The rows of the density counts: the all-0 and the all-1 point attractor.
enum density_row { dens_all_0s = 0, dens_all_1s = 1 };

struct attractor_type_table {
    uint32_t types = 0;               // types met so far
    uint32_t samples = 0;             // attractors counted so far
    uint8_t **att_type_state = nullptr; // representative state of each type: the
                                        // state the run stood on when it was made
    uint32_t *att_type_no = nullptr;    // attractors of each type
    uint32_t *att_type_period = nullptr; // period of each type
    float *att_type_avtrans = nullptr;   // mean transient of each type, in steps
    uint8_t ***m_att = nullptr;       // each type's cycle: m_att[t][1..period], one
                                      // block of period state lines
    size_t line_bytes = 0;            // bytes of the state lines the types hold
    bool count_density = false;       // att_seed_dens: keep the density counts
    uint32_t dens_seed[2][3] = {};    // [density_row][seed_density_class]
};

// The density class of a seed of n cells with `ones` cells at 1.
seed_density_class density_class_of(uint32_t ones, uint32_t n);

// Counts the attractor cycle[1..period] (state lines of bytesL bytes) that a
// run from `seed` reached after `transient` steps, standing on `state`: the
// first type whose representative state equals a state of the cycle (the
// cycle's states taken in order, the types in order for each) counts it,
// else it is a new type with `state` as its representative. With the
// density counts on, a period-1 type whose state is all 0s or all 1s counts
// the seed's density class. Types made of lines of another length (the
// network's size changed) are cleared first: no state can match them.
// Returns the type.
uint32_t record_attractor(attractor_type_table &t, uint8_t *const *cycle, uint32_t period,
                          const uint8_t *state, const uint8_t *seed, uint32_t transient);

// The density row of type u: dens_all_0s or dens_all_1s for a period-1 type
// on all 0s or all 1s, else -1.
int density_row_of(const attractor_type_table &t, uint32_t u);
// For such a type, the percent of its attractors whose seed's majority
// value was the other one (more than half 1s for all 0s, fewer for all 1s):
// how often the network misclassified the density. 0 for other types.
uint32_t density_error_percent(const attractor_type_table &t, uint32_t u);

enum class attractor_sort {
    period,    // 'a'
    transient, // 't'
    frequency, // any other key
};
// Sorts the types in descending order of the key, types of equal keys
// keeping their order; each type keeps its state, count, period, mean
// transient and cycle. Returns the order: entry i (1..types) is the type
// that went to place i.
std::vector<uint32_t> sort_attractor_types(attractor_type_table &t, attractor_sort key);

// Frees every row and array and empties the table (types and samples 0,
// density counts 0); count_density stays.
void clear_attractor_types(attractor_type_table &t);
