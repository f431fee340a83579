// STAND-IN of the fan drawing of the tree geometry: positions only, so the
// tree builder's coordinate lists hold defined values. Reads the level lists
// (tree_levels.h). Replaced when the tree geometry is built.
#include "ui/backward/fan_drawing.h"

#include "engine/backward/globals.h"
#include "engine/backward/tree_levels.h"

void
draw_fan()
{
    int16_t *x = next_level_x(), *y = next_level_y();
    int16_t px = 0, py = 0;
    if (thisindex > 0) {
        px = pretog ? xx1[thisindex] : xx0[thisindex];
        py = pretog ? yy1[thisindex] : yy0[thisindex];
    }
    for (uint32_t i = nextbefore + 1; i <= nextindex; i++) {
        x[i] = px;
        y[i] = py;
    }
}
