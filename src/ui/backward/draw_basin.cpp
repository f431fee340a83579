// STAND-IN until the basin drawing is built: it records the cycle it is
// handed (basin_handed_over), releases att as the basin drawing does, and
// returns with is[0] left as the forward run set it. Reads att, attperiod
// (forward/) and bytesL (model/).
#include "ui/backward/draw_basin.h"

#include "engine/forward/attractor_search.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"

basin_handover basin_handed_over;

void
draw_basin()
{
    basin_handed_over.calls++;
    basin_handed_over.period = attperiod;
    basin_handed_over.cycle.clear();
    for (uint32_t i = 1; i <= attperiod; i++)
        basin_handed_over.cycle.emplace_back(att[i], att[i] + bytesL);
    free_att();
}
