// Definitions of the sweep graphs' geometry and counters (see globals.h).
#include "ui/measures/globals.h"

#include "engine/model/start_values.h"

int16_t gox = 0, goy = 0;
double lx = 0, ly = 0;
int16_t graphspot = 1;
uint32_t endcount = 0;
int16_t totcode_eq_or_cl = 0;
int16_t lambda_bias = 0;
int16_t sweep_previous_x = 0, sweep_previous_y = 0;

// --- Per-run reset (globals.h).

void
reset_measures_run()
{
    // Nothing to reset: the graph's geometry is laid out when the graph is
    // drawn, and the previous point of a size sweep joins one run's point to
    // the next run's.
}

// --- Start values (globals.h): every setting and count above, as defined.

namespace {
const start_values measures_start(
    gox, goy, lx, ly, graphspot, endcount, totcode_eq_or_cl, lambda_bias, sweep_previous_x,
    sweep_previous_y);
} // namespace

void
restore_measures_start_values()
{
    measures_start.restore();
}
