// Definitions of the open graph's data (see globals.h); graph_data.cpp
// allocates and frees it.
#include "engine/graphs/globals.h"

#include "engine/model/start_values.h"

char f_or_n = graph_closed;
uint32_t node_no = 0;
uint32_t **basinjumps = nullptr;
int16_t **basin_pos = nullptr;
float *m_node_size = nullptr;
uint64_t *outside_inputs = nullptr;
uint32_t *node_period = nullptr;
uint32_t *histnodesize = nullptr;
uint8_t *netnodesize = nullptr;
double m_space = 0;
uint32_t m_size = 0;
uint8_t no_links = 0;
uint32_t u_threshold = 0;
uint8_t suppress_u_links = 0;
uint8_t isolate_unreachable = 0;
uint8_t *linknet = nullptr;

// --- Start values (globals.h): every setting and count above, as defined.

namespace {
const start_values graphs_start(
    f_or_n, node_no, m_space, m_size, no_links, u_threshold, suppress_u_links,
    isolate_unreachable);
} // namespace

void
restore_graphs_start_values()
{
    graphs_start.restore();
}
