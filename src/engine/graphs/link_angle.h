// The direction rule of the graph window: the angle of the way from one
// point to another in screen pixels (y down), measured anticlockwise as
// seen on the screen, 0..2 pi. The link drawing, the spurs of self-links,
// the rotation and the radial scaling about the centre all measure with it.
#pragma once

struct link_direction {
    double angle; // 0..2 pi, anticlockwise with y up
    double acute; // its acute angle to the horizontal
};

// From A to B: straight up pi/2, straight down 3 pi/2 (also when A is B),
// right 2 pi, left pi; otherwise a = atan(|dy| / |dx|) gives a (up and
// right), pi - a (up and left), pi + a (down and left), 2 pi - a (down and
// right).
link_direction link_angle(int xa, int ya, int xb, int yb);
