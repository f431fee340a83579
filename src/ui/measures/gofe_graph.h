// The axes of the G-density graph of a sweep.
#pragma once

// Draws the axes by gd_z_graph and sets gox, goy, lx, ly.
void gofE_z_graph();
