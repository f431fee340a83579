// Frees the forward run's graph-layout tables that
// allocate_graph_layout_tables made, as a test that made them must.
#pragma once
#include <cstddef>

#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"

// The tables of a network of lineL cells freed and their pointers cleared.
inline void
free_graph_layout_tables()
{
    for (size_t c = 0; c <= lineL; c++)
        checked_free(stp_graph_layout[c]);
    checked_free(stp_graph_layout);
    checked_free(stp_graph_node_size);
    checked_free(stp_cell_color);
    stp_graph_layout = nullptr;
    stp_graph_node_size = nullptr;
    stp_cell_color = nullptr;
}
