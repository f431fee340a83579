// One link of a graph drawn as a line or a band with an optional arrow head.
#pragma once

// The angle of the direction from (xa, ya) to (xb, yb) in screen pixels,
// anticlockwise with y up, 0..2 pi: into linkangle and abs_angle.
void compute_link_angle(int xa, int ya, int xb, int yb);
// kind 0 an ordinary link, 1 a self-link spur, -1 as 0 after setting
// scale_links; width and scale in pixels; colour a colour index.
void thickline(int kind, int xa, int ya, int xb, int yb, double width, double scale,
               int colour);
