// Definitions of the graph drawing settings (see globals.h).
#include "ui/graphs/globals.h"

#include "engine/model/start_values.h"

uint8_t scale_links = 0;
uint8_t show_arrows = 0;
float arrow_size = 0.2f;
float w_cyclerad = 10;
float linkangle = 0;
float abs_angle = 0;
uint8_t scale_m_nodes = 0;
uint8_t node_numbers = 1;
uint8_t quick_move = 0;
uint8_t *basin_color = nullptr;

// --- Per-run reset (globals.h).

void
reset_graphs_run()
{
    // Nothing to reset: every global here is a graph drawing setting, the last measured link
    // angle or the open graph's colours.
}

// --- Start values (globals.h): every setting and count above, as defined.

namespace {
const start_values graphs_ui_start(
    scale_links, show_arrows, arrow_size, w_cyclerad, linkangle, abs_angle, scale_m_nodes,
    node_numbers, quick_move);
} // namespace

void
restore_graphs_ui_start_values()
{
    graphs_ui_start.restore();
}
