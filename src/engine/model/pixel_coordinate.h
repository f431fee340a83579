// A computed position (a point on a circle, a node of a layout) as a window
// coordinate. The window takes 16-bit coordinates, and a float converted to
// an int it does not fit is undefined: a radius or offset far past the
// window would otherwise come out as INT_MIN, or as anything at all.
#pragma once
#include <cstdint>

// v truncated toward zero, held at the ends of the 16-bit range (not a
// number: the low end).
inline int16_t
pixel_coordinate(double v)
{
    if (!(v > -32768.0))
        return INT16_MIN;
    return v >= 32767.0 ? INT16_MAX : static_cast<int16_t>(v);
}
