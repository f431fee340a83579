// The scale of the partial pre-image stack histogram, pp_ymax (globals.h):
// the stack size drawn at full height, kept within [10, 65535] whatever the
// network or the stacks, computed in double. The frame and its bars are
// drawn by ui/backward/ppstack_hist.cpp.
#pragma once
#include <cstdint>

constexpr uint32_t kStackScaleLeast = 10, kStackScaleMost = 65535;

// A scale computed in double, truncated and held within [10, 65535].
uint32_t clamp_stack_scale(double top);
// The first scale of a network of n cells and k inputs:
// ceil((n k)^(1 + k/30 + k/150)), the exponent in real division.
uint32_t first_stack_scale(uint32_t n, int k);
// The scale after a stack of size passed the one in force: 1.2 x size.
uint32_t grown_stack_scale(uint32_t size);
// The largest average stack over steps 0..steps-1 of totals summed over
// count computations, rounded up; 0 when count is 0.
uint32_t average_stack_peak(const uint32_t *totals, uint32_t steps, uint32_t count);
// The scale of the averaged histogram: 1.5 x its peak.
uint32_t average_stack_scale(uint32_t peak);
