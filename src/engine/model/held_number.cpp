// Reading and holding a typed number (held_number.h).
#include "engine/model/held_number.h"

#include <cmath>
#include <cstdlib>

double
held_within(double value, number_bounds bounds)
{
    if (!(value >= bounds.low)) // below, or not a number
        return bounds.low;
    return value > bounds.high ? bounds.high : value;
}

held_answer
held_answer_of(const std::string &text, double fallback, number_bounds bounds, bool whole)
{
    char *end = nullptr;
    double typed = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || std::isnan(typed))
        return {fallback, !text.empty()};
    double value = held_within(whole ? std::trunc(typed) : typed, bounds);
    if (whole)
        value = std::trunc(value); // a bound that is not whole
    return {value, value != typed};
}
