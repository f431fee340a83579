// Definitions of the graph drawing settings (see globals.h).
#include "ui/graphs/globals.h"

uint8_t scale_links = 0;
uint8_t show_arrows = 0;
float arrow_size = 0.2f;
float w_cyclerad = 10;
float linkangle = 0;
float abs_angle = 0;
uint32_t node_no = 0;
int16_t **basin_pos = nullptr;

// --- Per-run reset (globals.h).

void
reset_graphs_run()
{
    // Nothing to reset: every global here is a graph drawing setting or the last measured link
    // angle.
}
