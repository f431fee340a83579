// The run set-up answers as settings (run_choices.h): saturating number
// reads and the limits that keep each setting within what the network,
// memory and window hold. Start at history_limit_of.
#include "engine/forward/run_choices.h"

#include <cmath>
#include <cstdlib>

uint32_t
history_limit_of(const std::string &answer)
{
    uint64_t value = 0;
    for (char c : answer) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        // Past the largest limit the rest of the digits cannot bring it back.
        if (value > kHistoryLimitMax)
            return kHistoryLimitDefault;
    }
    return static_cast<uint32_t>(value);
}

uint32_t
stepforward_shown_max(int n)
{
    int e = n - 1 < 31 ? n - 1 : 31;
    if (e < 0)
        e = 0;
    return static_cast<uint32_t>(std::floor(std::sqrt(std::ldexp(1.0, e))));
}

float
probability_of(const std::string &answer)
{
    if (answer.empty() || !((answer[0] >= '0' && answer[0] <= '9') || answer[0] == '.'))
        return 100.0f;
    float p = std::strtof(answer.c_str(), nullptr);
    if (p >= 0.0f && p < 100.0f)
        return p / 100.0f;
    return 100.0f;
}

int
matrix_size_of_percent(long p, int half_width)
{
    if (p <= 0)
        return -1;
    if (p > 100)
        p = 100;
    return static_cast<int>(std::ceil(static_cast<double>(p) * half_width / 100.0));
}

int
matrix_percent_of_size(int size, int half_width)
{
    if (half_width <= 0)
        return 0;
    return static_cast<int>(std::ceil(static_cast<double>(size) * 100.0 / half_width));
}

int
size_range_end_max(int max_cells)
{
    return max_cells < 31 ? max_cells : 31;
}

bool
random_map_offered(int n, int v, int max_cells)
{
    if (n > max_cells || n > 31)
        return false;
    uint64_t states = 1;
    for (int c = 0; c < n; c++) {
        states *= static_cast<uint64_t>(v);
        if (states > kRandomMapMaxStates)
            return false;
    }
    return true;
}

number_bounds
coordinate_bounds(int side)
{
    return {0, side > 1 ? side - 1.0 : 0.0};
}
