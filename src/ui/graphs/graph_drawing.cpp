// Graph drawing (graph_drawing.h). Reads the graph data of engine/graphs
// and the drawing switches of globals.h; draws through the screen layer and
// the link primitive thickline.h. Start at draw_meta_graph.
#include "ui/graphs/graph_drawing.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_moves.h"
#include "ui/graphs/globals.h"
#include "ui/graphs/thickline.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"

namespace {

// The colour after c in the node cycle that starts at first.
int
next_node_colour(int c, int first)
{
    if (c == first)
        return lightred;
    if (c == lightred)
        return lightcyan;
    if (c == lightcyan)
        return green;
    if (c == green)
        return lightmagenta;
    if (c == lightmagenta)
        return yellow;
    return first;
}

float
drawn_size(uint32_t node, float base)
{
    return scale_m_nodes ? m_node_size[node] : base;
}

// The links leaving node i in its colour.
void
draw_links_of(uint32_t i, int colour, float base, const graph_frame &frame)
{
    int xi = basin_pos[i][0], yi = basin_pos[i][1];
    for (uint32_t j = node_no; j >= 1; j--) {
        uint32_t w = basinjumps[i][j];
        if (w == 0)
            continue;
        if (suppress_u_links && j != i && (node_unreachable(i) || node_unreachable(j)))
            continue;
        double scale = 1.0, width = 1.0;
        if (scale_links) {
            scale = 0.8 * drawn_size(i, base);
            double jumps = static_cast<double>(node_period[i]) * m_size;
            width = jumps > 0 ? scale * w / jumps : scale;
        }
        if (j != i) {
            thickline(0, xi, yi, basin_pos[j][0], basin_pos[j][1], width, scale, colour);
            continue;
        }
        // A spur twice the node's size long, pointing away from the centre.
        compute_link_angle(frame.cx, frame.cy, xi, yi);
        double length = 2.0 * drawn_size(i, base);
        int xe = static_cast<int>(xi + length * std::cos(linkangle));
        int ye = static_cast<int>(yi - length * std::sin(linkangle));
        thickline(1, xi, yi, xe, ye, width, scale, colour);
    }
}

} // namespace

graph_clip::graph_clip(const graph_frame &frame)
    : x0(view_x0), y0(view_y0), x1(view_x1), y1(view_y1), colour(getcolor())
{
    setviewport(frame.x0, frame.y0, frame.x1, frame.y1, 1);
}

graph_clip::~graph_clip()
{
    setviewport(x0, y0, x1, y1, 1);
    setcolor(colour);
}

void
draw_meta_graph(float base, const graph_frame &frame)
{
    graph_clip clip(frame);
    const int first = bground == 'w' ? red : blue;
    int colour = first;
    for (uint32_t i = node_no; i >= 1; i--) {
        colour = next_node_colour(colour, first);
        basin_color[i] = static_cast<uint8_t>(colour);
        if (!no_links && basinjumps)
            draw_links_of(i, colour, base, frame);
    }
    setcolor(white);
    for (uint32_t i = node_no; i >= 1; i--) {
        moveto(basin_pos[i][0], basin_pos[i][1]);
        meta_graph_vertex(i, m_node_size[i], basin_color[i], frame, base);
    }
}

void
meta_graph_vertex(unsigned node, float size, int colour, const graph_frame &frame, float base)
{
    int x = getx, y = gety;
    graph_clip clip(frame);
    int r = static_cast<int>(scale_m_nodes ? size : base);
    uint8_t fill = fillcolor;
    setfillstyle(0, colour);
    pieslice(x, y, 0, 360, r);
    fillcolor = fill;
    if (node_numbers && r >= 0.7 * CHeight) {
        char label[16];
        snprintf(label, sizeof label, "%u", f_or_n == graph_network ? node - 1 : node);
        // A node cut by the frame's edge goes without its number, which
        // would show cut too (or run on into the bottom strip).
        int left = x - text_pixel_width(label, static_cast<int>(strlen(label))) / 2, top = y - CHeight / 2;
        int first = 0, last = 0;
        line_ink_rows(top, first, last);
        if (left >= frame.x0 && left + text_width_in_use(label) - 1 <= frame.x1 && first >= frame.y0 &&
            last <= frame.y1) {
            setcolor(black);
            moveto(left, top);
            outtext(label);
        }
    }
    moveto(x, y);
}

void
blank_nodes(float base, const graph_frame &frame, float share)
{
    int x = getx, y = gety;
    graph_clip clip(frame);
    uint8_t fill = fillcolor;
    setfillstyle(0, black);
    setcolor(black);
    for (uint32_t i = node_no; i >= 1; i--)
        pieslice(basin_pos[i][0], basin_pos[i][1], 0, 360, static_cast<int>(share * drawn_size(i, base)));
    fillcolor = fill;
    moveto(x, y);
}
