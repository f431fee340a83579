// What the graph window's keys do to the layout of the open graph
// (globals.h): the spiral, line, jiggle and random layouts, scaling,
// rotation and mirroring about the window's centre, the scaling of the
// base node radius, the unreachable nodes, and the drag editor's moves of a
// node and its selection. Each works on basin_pos (and
// the layouts' base radius) alone; the window draws the result
// (ui/graphs/graph_commands.h). Pixel amounts that follow the window's size
// are given by the caller.
#pragma once
#include <cstdint>

#include "engine/graphs/graph_layouts.h"

// Below this many nodes the spiral is a single turn of nodes sized as on
// the circle layout, spread and large enough to carry their numbers.
constexpr uint32_t kFewSpiralNodes = 10;
// The spiral's base node radius: min(cyclerad pi / (1.2 nodes),
// cyclerad / 5) x node_factor x (nodes / 100)^0.7 from kFewSpiralNodes on,
// the circle layout's below; at least 2.5.
float spiral_base_radius(float cyclerad, uint32_t nodes, float node_factor);
// The spiral's start radius in the window's 640-column units: the whole
// part of 40 (100 / nodes)^0.3.
int spiral_start_units(uint32_t nodes);
// The spiral from the inside out: node node_no first at start_radius
// pixels from the centre, then each lower node further out and at a
// slowly narrowing angle step, which starts at 2 pi / (node_no div 10),
// or 2 pi / node_no below kFewSpiralNodes (one turn).
void place_on_spiral(const graph_frame &frame, int start_radius);
// A row through the centre, 0.9 of the window's width long: node node_no
// leftmost, node 1 rightmost.
void place_on_line(const graph_frame &frame);
// Every node moved by the difference of two random whole numbers below
// reach in x, and of two more in y.
void jiggle_nodes(int reach);
// Every node at left + (random below span_x), top + (random below span_y).
void place_at_random(int left, int top, int span_x, int span_y);

// Every node outside the frame's lines moved to the nearest place inside
// them (x0 < x < x1, y0 < y < y1): a loaded layout of nodes far outside
// would draw them over the frame. Returns how many were moved.
uint32_t place_nodes_inside(const graph_frame &frame);
// Every node's distance from the centre times factor; a node exactly at
// the centre stays.
void scale_about_centre(int cx, int cy, double factor);
// Every node turned about the centre by turn radians, anticlockwise on the
// screen for turn > 0; a node exactly at the centre stays. A node at angle
// a and distance d (link_angle.h) goes to cx + d cos(a + turn),
// cy - d sin(a + turn), truncated toward zero.
void rotate_about_centre(int cx, int cy, double turn);
// Every node mirrored: axis 'h' x := 2 cx - x, 'v' y := 2 cy - y.
void mirror_about_centre(int cx, int cy, char axis);
// The drag editor's turn and mirror about the point (cx, cy) (the
// pointer): the nodes in linknet when selection is set, else every node.
// Key 'x' turns by angle clockwise on the screen, 'X' anticlockwise, as
// rotate_about_centre; key 'h' mirrors x, 'v' y, as mirror_about_centre.
void rotate_component_graph(bool selection, char key, int cx, int cy, double angle);
void flip_component_graph(bool selection, char key, int cx, int cy);

// Which nodes a drag moves beside the one dragged.
enum class drag_group {
    single,    // none
    selection, // the nodes in linknet
    all,       // every node
};
// Node to (x, y), and the nodes of group by the same displacement.
void drag_node(uint32_t node, int x, int y, drag_group group);
// The base node radius times factor (larger) or divided by it, not below
// 1.0 pixel.
float scaled_base_radius(float base, float factor, bool larger);

// Whether node i has at most u_threshold weight from other nodes. A graph
// without links has none unreachable.
bool node_unreachable(uint32_t i);
// Every unreachable node moved to x = left + (random below span); its y
// stays.
void isolate_unreachable_nodes(int left, int span);
