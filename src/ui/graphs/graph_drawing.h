// The drawing of the open graph (engine/graphs/globals.h) in its window:
// every link as a line or a tapered band with an arrow head, self-links as
// short spurs pointing away from the centre, then every node as a filled
// disc with its number, all clipped to the window.
#pragma once

#include <cstdint>

#include "engine/graphs/graph_layouts.h"

// While it lives, drawing is clipped to the graph window; the viewport and
// the colour in force before come back when it goes.
class graph_clip {
public:
    explicit graph_clip(const graph_frame &frame);
    ~graph_clip();
    graph_clip(const graph_clip &) = delete;
    graph_clip &operator=(const graph_clip &) = delete;

private:
    int16_t x0, y0, x1, y1;
    int colour;
};

// The whole graph: node colours from the cycle (stored in basin_color), the
// links of each node in its colour, then the nodes. base: the base node
// radius, which every node takes while scale_m_nodes is off.
void draw_meta_graph(float base, const graph_frame &frame);
// Node `node` at the current point: a disc of radius size (base while
// scale_m_nodes is off) in colour, outlined in the current colour, and its
// number in black when the disc is at least 0.7 of a text line and
// node_numbers is on (the cell number, node - 1, in the network graph).
void meta_graph_vertex(unsigned node, float size, int colour, const graph_frame &frame, float base);
// A black disc over every node, share x its drawn size (the base radius
// while scale_m_nodes is off), leaving the links around it.
void blank_nodes(float base, const graph_frame &frame, float share);
