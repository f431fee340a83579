// The stack histogram's scale (stack_scale.h): the first scale of a network,
// its growth when a stack passes it and the scale of the averaged view, all
// in double and held within [10, 65535]. Start at clamp_stack_scale.
#include "engine/backward/stack_scale.h"

#include <cmath>

uint32_t
clamp_stack_scale(double top)
{
    if (!(top >= kStackScaleLeast))
        return kStackScaleLeast;
    if (top >= kStackScaleMost)
        return kStackScaleMost;
    return static_cast<uint32_t>(top);
}

uint32_t
first_stack_scale(uint32_t n, int k)
{
    double kd = k;
    return clamp_stack_scale(std::ceil(std::pow(n * kd, 1 + kd / 30 + kd / 150)));
}

uint32_t
grown_stack_scale(uint32_t size)
{
    return clamp_stack_scale(1.2 * size);
}

uint32_t
average_stack_peak(const uint32_t *totals, uint32_t steps, uint32_t count)
{
    if (count == 0)
        return 0;
    double peak = 0;
    for (uint32_t i = 0; i < steps; i++)
        peak = std::fmax(peak, static_cast<double>(totals[i]) / count);
    return static_cast<uint32_t>(std::ceil(peak));
}

uint32_t
average_stack_scale(uint32_t peak)
{
    return clamp_stack_scale(1.5 * peak);
}
