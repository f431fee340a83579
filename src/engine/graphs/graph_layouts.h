// Where the nodes of the open graph go: the base node radius of a layout,
// the size of each node, and the positions of the circle, 2d lattice and 3d
// lattice layouts, written to basin_pos and m_node_size (globals.h) for
// nodes 1..node_no. Window pixels; the window's drawing is
// ui/graphs/graph_layouts.h.
#pragma once
#include <cstdint>

// The graph window: its rectangle and centre.
struct graph_frame {
    int x0, y0, x1, y1;
    int cx, cy;
};

// Node m at (x, y), each truncated toward zero into basin_pos; a place
// beyond the 16-bit range (a layout expanded many times) is held at its
// end instead of wrapping to the other side of the window.
void set_node_position(uint32_t m, double x, double y);

// How the base radius grows with the nodes above 100: as their square root
// on the circle (and the line), as their 0.7th power on the lattices.
constexpr double circle_growth = 0.5, lattice_growth = 0.7;

// The base node radius: min(cyclerad pi / (1.2 nodes), cyclerad / 5); above
// 100 nodes times node_factor x (nodes / 100)^growth; at least 2.5.
float graph_base_radius(float cyclerad, uint32_t nodes, float node_factor, double growth);
// The node size rule: base for a graph without links, else base x
// sqrt(measure / (m_space / node_no)), so that a node of average size has
// the base radius. m_node_size[1..node_no] := the size of each node.
void set_graph_node_sizes(float base);

// Node m (node_no down to 1) at angle m x 2 pi / node_no on the circle of
// radius cyclerad about the centre: clockwise on the screen from the right.
void place_on_circle(const graph_frame &frame, float cyclerad);
// Rows of a K x R grid from the top, each holding its nodes from the
// highest on the left, as cell m-1 = i + j K of a 2d lattice sits in
// column i from the right and row j from the bottom. K and R are the
// lattice's sides for the network graph of a 2d lattice, else both the
// least whole number whose square holds every node. Spacing 2 cyclerad / R,
// narrowed to fit the window's width; rows alternately shifted half a place
// on a hexagonal lattice (network graph, every cell k 6 or 7, both sides
// even).
void place_on_2d_lattice(const graph_frame &frame, float cyclerad);
// The layers of a W x D x H box from the top, in an oblique view where
// deeper rows shift down and to the left. The sides are the lattice's for
// the network graph of a 3d lattice, else each the least whole number whose
// cube holds every node.
void place_on_3d_lattice(const graph_frame &frame, float cyclerad);
