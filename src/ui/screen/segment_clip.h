// The part of a line segment inside a rectangle (Liang-Barsky clipping),
// shared by the drawings that cut their lines to an area (fan edges, side
// traces) and by the draw check, which measures what a line crosses.
#pragma once

// For the segment (x0, y0)-(x1, y1) and the rectangle left..right by
// top..bottom, the parameters t0 <= t1 in 0..1 of the part inside it (the
// point at t is (x0 + t (x1 - x0), y0 + t (y1 - y0))); false when the
// segment misses the rectangle. In doubles, which hold any difference of two
// ints exactly.
bool segment_inside(double x0, double y0, double x1, double y1, double left, double top, double right,
                    double bottom, double &t0, double &t1);
// Cuts the segment (x0, y0)-(x1, y1) to the rectangle left..right by
// top..bottom, its ends rounded to the pixel; false when none of it lies
// inside.
bool cut_segment_to(int &x0, int &y0, int &x1, int &y1, int left, int top, int right, int bottom);
