// The layouts of the graph window: each places every node of the open
// graph (engine/graphs/graph_layouts.h), sizes them from the base node
// radius it returns, clears the window framed in lightred and draws the
// graph.
#pragma once

#include "engine/graphs/graph_layouts.h"

// The circle of radius w_cyclerad about the centre.
float draw_circle_graph(const graph_frame &frame, float node_factor);
// The 2d lattice (hexagonal where the network's lattice is).
float draw_2d_graph(const graph_frame &frame, float node_factor);
// The 3d lattice in oblique view.
float draw_3d_graph(const graph_frame &frame, float node_factor);
// Clears the window, framed in lightred, and draws the graph.
void redraw_graph_window(float base, const graph_frame &frame);
