// The skeleton types of the frozen-skeleton histogram. A skeleton is a line
// of one bit per cell (bytesL bytes) marking the cells that stayed frozen;
// once a run's skeleton has stayed the same for more than the stable steps,
// it is a sample: a known skeleton type, or a new one. Per type the table
// keeps the skeleton, the count of samples, the percent of cells frozen at 0
// and at 1 when the type was made, and the mean step at which its samples
// settled. "The same" allows a tolerance: two lines match when they differ
// in at most trunc((100 - tolerance) x n / 100) bits (all eight bits of
// every byte compared, those past the last cell too), or, at tolerance 100,
// when they are equal byte for byte. Arrays run 1..types (entry 0 holds
// nothing) and grow one entry per new type through the checked allocator;
// clear_skeleton_types frees every block. Counts are 32 bits wide and
// saturate. Reads bytesL and lineL (engine/model).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct skeleton_type_table {
    uint32_t types = 0;               // types met so far
    uint32_t samples = 0;             // skeletons recorded so far
    uint8_t **att_type_state = nullptr; // the skeleton of each type
    uint32_t *att_type_no = nullptr;    // samples of each type
    float *att_type_avtrans = nullptr;  // mean settling step of each type
    float *type_fr0s = nullptr;         // percent of cells frozen at 0 in each type
    float *type_fr1s = nullptr;         // percent of cells frozen at 1 in each type
    size_t line_bytes = 0;              // bytes of the skeletons the types hold
};

// What a skeleton step reads: the tolerances in percent and the steps a
// skeleton must stay the same before it makes a sample.
struct skeleton_settings {
    float step_tolerance = 100; // successive skeletons of a run the same
    float type_tolerance = 100; // a skeleton of a type
    uint32_t stable_steps = 20;
};

// The bit positions, over all `bytes` bytes, in which a and b differ.
uint32_t bit_difference(const uint8_t *a, const uint8_t *b, size_t bytes);
// The most differing bits a tolerance allows among n cells:
// trunc((100 - tolerance) x n / 100), 0 for a tolerance of 100 or more.
uint32_t tolerance_threshold(float tolerance, uint32_t n);
// Whether two skeletons of bytesL bytes are the same under a tolerance.
bool same_skeleton(const uint8_t *a, const uint8_t *b, float tolerance);
// The first type whose skeleton is the same as `skeleton` under the type
// tolerance, 0 when none.
uint32_t matching_skeleton(const skeleton_type_table &t, const uint8_t *skeleton, float tolerance);

// The skeleton of one step (`frozen`, with `frozen_0s` and `frozen_1s`
// cells frozen at 0 and at v-1) against the reference skeleton `ref` of
// the stable stretch: the stretch `stable_run` grows when they are the
// same under the step tolerance, else starts again at 0. Once it exceeds
// the stable steps the skeleton is a sample at step `time`: counted in its
// type, or a new type, with a settling step of time - stable_run; the
// stretch then starts again. Types made of lines of another length (the
// network's size changed) are cleared first. Returns the type, 0 when no
// sample was made.
// The caller then ends the step with end_skeleton_step.
uint32_t record_skeleton_step(skeleton_type_table &t, const uint8_t *frozen, const uint8_t *ref,
                              uint32_t &stable_run, const skeleton_settings &s, uint32_t time,
                              uint32_t frozen_0s, uint32_t frozen_1s);
// The end of every step: a new stretch takes the step's skeleton as its
// reference, and the skeleton line is cleared for the next step.
void end_skeleton_step(uint8_t *frozen, uint8_t *ref, uint32_t stable_run);

enum class skeleton_sort {
    frozen_0s, // '0'
    frozen_1s, // '1'
    frozen,    // 'b': 0s and 1s together
    settling,  // 't'
    frequency, // any other key
};
// Sorts the types in descending order of the key, types of equal keys
// keeping their order; each type keeps its skeleton, count, percentages and
// mean settling step. Returns the order: entry i (1..types) is the type
// that went to place i.
std::vector<uint32_t> sort_skeleton_types(skeleton_type_table &t, skeleton_sort key);

// Frees every skeleton and array and empties the table.
void clear_skeleton_types(skeleton_type_table &t);
