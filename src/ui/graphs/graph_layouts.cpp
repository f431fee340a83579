// The graph window's layouts (graph_layouts.h): the geometry of
// engine/graphs, then the drawing of graph_drawing.h.
#include "ui/graphs/graph_layouts.h"

#include "engine/graphs/globals.h"
#include "ui/graphs/globals.h"
#include "ui/graphs/graph_drawing.h"
#include "ui/screen/boxes.h"

namespace {

float
lay_out(const graph_frame &frame, float node_factor, double growth,
        void (*place)(const graph_frame &, float))
{
    float base = graph_base_radius(w_cyclerad, node_no, node_factor, growth);
    place(frame, w_cyclerad);
    set_graph_node_sizes(base);
    redraw_graph_window(base, frame);
    return base;
}

} // namespace

void
redraw_graph_window(float base, const graph_frame &frame)
{
    draw_box(-1, frame.x0, frame.y0, frame.x1, frame.y1, 1, 0);
    draw_meta_graph(base, frame);
}

float
draw_circle_graph(const graph_frame &frame, float node_factor)
{
    return lay_out(frame, node_factor, circle_growth, place_on_circle);
}

float
draw_2d_graph(const graph_frame &frame, float node_factor)
{
    return lay_out(frame, node_factor, lattice_growth, place_on_2d_lattice);
}

float
draw_3d_graph(const graph_frame &frame, float node_factor)
{
    return lay_out(frame, node_factor, lattice_growth, place_on_3d_lattice);
}
