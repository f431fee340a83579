// The fans of the radial tree drawing. Computes positions through the tree
// geometry (engine/backward/tree_geometry.h), reads the tree builder's
// level lists and segment list (backward globals) and the display settings,
// draws through the screen layer, and appends node state lines to the data
// file (storage/data_lines.h). Start at draw_fan; plot_motor draws one fan,
// the copy_ functions the fans that rotation-equivalent nodes share.
#include "ui/backward/fan_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/backward/state_symmetries.h"
#include "engine/backward/tree_data_lines.h"
#include "engine/backward/tree_geometry.h"
#include "engine/backward/tree_levels.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "engine/wiring/globals.h"
#include "ui/backward/globals.h"
#include "ui/model/cell_display.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/label_layer.h"
#include "ui/screen/label_places.h"
#include "ui/screen/segment_clip.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/window.h"
#include "ui/storage/data_lines.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// An edge's two ends, in the order draw_segments takes them.
struct edge_ends {
    int16_t x0, y0, x1, y1;
};
static_assert(sizeof(edge_ends) == 4 * sizeof(int16_t), "edges go over as a list of shorts");

// Edges of the fan being drawn, sent in one request; kept between fans so
// that drawing allocates nothing once the widest fan was seen.
std::vector<edge_ends> edges;
// The stop of the fan being drawn (draw_fan's), asked once every
// kEdgesPerStop edges sent, and whether it said stop: a fan of millions of
// edges (the root of rule 0 on 22 cells) takes seconds to draw in the
// Release build and minutes under the sanitizers.
constexpr uint32_t kEdgesPerStop = 1024;
bool (*fan_stop)() = nullptr;
bool drawing_stopped = false;
uint32_t edges_since_stop = 0;
// The children's positions of a copy's fan.
std::vector<int16_t> copy_x, copy_y;
// The label state of copies, rotated so that labels show each member.
std::vector<uint8_t> copy_state;
// A node's label waiting for the edges of its tree: where its text lies in
// label_texts, the point it is written at, its highlight (highlight_of),
// and the font and line metrics it was placed in: the labels are written
// after the fans, when the small label font asked for is off again, and a
// label written in another font than the one it was placed in takes other
// rows, over the labels placed next to it. A node's bit pattern waits the
// same way, its state's bytes in place of the text, with its colour and
// hilight_learn as they were when it was placed.
struct waiting_label {
    size_t start, length;
    int16_t x, y;
    int highlight;
    font_use font;
    int16_t line_height, char_width;
    bool pattern;
    int colour;
    uint8_t how;
};
// The labels and patterns of the basin or subtree being drawn, written
// over its edges once they are all drawn, and their texts and states one
// after another; kept between basins so that drawing allocates nothing once
// the largest was seen. Written, they stay on top of later edges
// (label_layer.h).
std::vector<waiting_label> waiting_labels;
std::vector<char> label_texts;
// What the edges and marks drawn since start_drawn_box cover.
drawn_box drawn = {0, 0, 0, 0, true};
// The rectangle the basins of the field being drawn are kept in, when
// basins_clipped.
field_area basin_clip = {0, 0, 0, 0};
bool basins_clipped = false;
// The rectangle the basin being drawn is kept in, when basin_kept: the
// field's, less the side of a box standing in it that the basin lies
// beside (narrow_basin_area).
field_area basin_area = {0, 0, 0, 0};
bool basin_kept = false;
// Whether basin_area is narrower than the field's for a box standing in it.
bool basin_narrowed = false;

// An edge of the fan, cut to the drawing area: a tree that reaches past
// the window's edge or down into the bottom strip sends only what lies
// inside. A narrower clip (a field's area) is left to the viewport, so that
// the pixels inside it are those of the whole edge. False when nothing of
// it lies inside.
bool
push_edge(int x0, int y0, int x1, int y1)
{
    if (!cut_segment_to(x0, y0, x1, y1, 0, 0, Maxx, Maxy))
        return false;
    edges.push_back({static_cast<int16_t>(x0), static_cast<int16_t>(y0), static_cast<int16_t>(x1),
                     static_cast<int16_t>(y1)});
    return true;
}

void
add_edge(int x0, int y0, int x1, int y1)
{
    if (push_edge(x0, y0, x1, y1))
        extend_drawn_box(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1));
}

// The edges gathered, sent; then the stop asked when its turn came.
void
draw_edges()
{
    setcolor(linec);
    draw_segments(reinterpret_cast<const int16_t *>(edges.data()), static_cast<int>(edges.size()));
    edges_since_stop += static_cast<uint32_t>(edges.size());
    edges.clear();
    if (fan_stop && !drawing_stopped && edges_since_stop >= kEdgesPerStop) {
        edges_since_stop = 0;
        drawing_stopped = fan_stop();
    }
}

// The next edge colour of the cycle, with its spot colour.
void
advance_edge_colour()
{
    if (linec == black) {
        linec = start_edge_color ? start_edge_color : lightred;
        spotc = green;
    } else if (linec == lightred) {
        linec = lightcyan;
        spotc = lightred;
    } else if (linec == lightcyan) {
        linec = green;
        spotc = lightred;
    } else if (linec == green) {
        linec = yellow;
        spotc = green;
    } else if (linec == yellow) {
        linec = lightred;
        spotc = green;
    }
}

// Cells of the state holding show_maj's value.
uint32_t
majority_of(const uint8_t *state)
{
    uint32_t m = 0;
    for (uint32_t c = 0; c < lineL; c++)
        m += get_value(state, c) == (show_maj ? 1 : 0);
    return m;
}

// 1 target of the sculpting, 2 one of its learnt pre-images, else 0.
int
highlight_of(const uint8_t *state)
{
    if (!hilight_learn)
        return 0;
    if (tar && memcmp(state, tar, bytesL) == 0)
        return 1;
    for (int32_t i = 0; learn_pre && i < notolearn; i++)
        if (learn_pre[i] && memcmp(state, learn_pre[i], bytesL) == 0)
            return 2;
    return 0;
}

void
draw_spot(int colour)
{
    if (spot < 1)
        draw_circle_in(xx - 1, yy - 1, 2, colour);
    else
        draw_circle_in(static_cast<int>(xx - spot), static_cast<int>(yy - spot),
                       static_cast<int>(2 * spot), colour);
}

// How far a spot or a majority square reaches from its node: a spot is an
// eighth of the gap between the first two level circles at most, a
// majority square 4 pixels. Those radii are read straight from rad where
// level_radius would (a field asks once a node).
int
spot_reach()
{
    if (rad && lastlevel > 2)
        return 4 + static_cast<int>(rad[1] - rad[0]) / 8;
    return 4 + static_cast<int>(level_radius(1) - level_radius(0)) / 8;
}

// thisrad and nextrad as set_level_radii gives them, read straight from rad
// within its levels, and the spot's radius at them, worked out again only
// when they change (a field asks once a node, level after level).
void
take_level_radii_and_spot()
{
    if (rad && level + 2 < static_cast<uint32_t>(lastlevel)) {
        thisrad = rad[level];
        nextrad = rad[level + 1];
    } else {
        set_level_radii();
    }
    static float spot_thisrad = -1, spot_nextrad = -1, spot_at = 0;
    if (thisrad != spot_thisrad || nextrad != spot_nextrad) {
        spot_thisrad = thisrad;
        spot_nextrad = nextrad;
        spot_at = spot_radius();
    }
    spot = spot_at;
}

// Whether a node's mark over the rectangle (corners inclusive) keeps off
// the rule box standing at the window's foot: a basin drawn on its own
// draws the box again when it ends, over what reached into it. A field
// keeps its basins to its own area instead.
bool
clear_of_rule_box(int x0, int y0, int x1, int y1)
{
    return basins_clipped || !meets_standing_rule_box(x0, y0, x1, y1);
}

// Whether a node's mark over the rectangle (corners inclusive) lies inside
// the side of a standing box the basin keeps to (narrow_basin_area): a mark
// is shown whole or not at all, not cut at the box's edge.
bool
inside_narrowed_area(int x0, int y0, int x1, int y1)
{
    return !basin_narrowed || (x0 >= basin_area.left && y0 >= basin_area.top && x1 <= basin_area.right &&
                               y1 <= basin_area.bottom);
}

// A node's label at the current point, where it covers no label taken
// before it in the field; written with the other labels of its basin or
// subtree once their edges are drawn (write_node_labels), so that no edge
// runs through it.
void
draw_label(const char *text, int highlight)
{
    if (highlight != 1 && highlight != 2 && hilight_learn == hilight_suppress)
        return;
    int16_t x = getx, y = gety;
    const size_t length = strlen(text);
    const label_rect box = top_label_rect(x, y, text); // as write_top_label takes it
    // A label is shown whole or not at all: none cut by the window's edges,
    // the title strip or the field's area, nor by the clear of a prompt box
    // at the top or of the rule box drawn after it.
    field_area inside = basins_clipped ? basin_clip : field_area{0, prompt_box_bottom(3) + 1, Maxx, Maxy};
    if (box.x0 < inside.left || box.y0 < inside.top || box.x1 > inside.right || box.y1 > inside.bottom ||
        !clear_of_rule_box(box.x0, box.y0, box.x1, box.y1) || !inside_narrowed_area(box.x0, box.y0, box.x1, box.y1))
        return;
    if (!take_label_place(box.x0, box.y0, box.x1, box.y1))
        return;
    waiting_labels.push_back(
        {label_texts.size(), length, x, y, highlight, font_in_use(), CHeight, CWidth, false, 0, 0});
    label_texts.insert(label_texts.end(), text, text + length + 1);
}

// How far a bit pattern drawn at a point reaches, with its frame.
node_reach
bits_reach()
{
    if (twod || showbits_1d_as_2d)
        return {3, 3, scale * i2d + 3, scale * j2d + 3};
    return {2, 2, static_cast<int>(lineL) * scale + 2, scale + 2};
}

void
draw_bits_at_node(const uint8_t *state)
{
    if (!bits_inside_drawing_area(xx, yy))
        return;
    int colour = linec == lightcyan ? magenta
                 : linec == green   ? cyan
                 : linec == yellow  ? lightred
                 : linec == lightred ? yellow
                                     : white;
    if (hilight_learn) {
        int h = highlight_of(state);
        colour = h == 1 ? lightred : h == 2 ? yellow : white;
        if (hilight_learn == hilight_suppress && colour == white)
            return;
    }
    // Like a number label, a node's pattern is drawn only where it covers
    // none drawn before it in the picture: where nodes crowd, the patterns
    // that fit stay whole instead of being cut by the ones drawn after. It
    // waits with the labels for the edges of its tree, so that none of
    // them runs across its cells or frame.
    if (!take_bits_place(xx, yy))
        return;
    waiting_labels.push_back({label_texts.size(), static_cast<size_t>(bytesL), xx, yy, 0, font_in_use(), CHeight,
                              CWidth, true, colour, hilight_learn});
    label_texts.insert(label_texts.end(), state, state + bytesL);
}

// A state's pattern at (x, y), framed as how (hilight_learn's value) and
// colour say: the drawing a pattern kept on top is drawn again with.
void
draw_state_pattern(int x, int y, const uint8_t *state, int colour, int how)
{
    const uint8_t hilight = hilight_learn;
    hilight_learn = static_cast<uint8_t>(how);
    moveto(x, y);
    if (twod || showbits_1d_as_2d)
        print_current_state_twod(state, colour);
    else
        print_current_state_h(state, colour);
    hilight_learn = hilight;
}

// Places a copy of the node at the turned heading (or at an attractor
// position at level 0 of a basin) and draws the copy's fan or mark.
void
draw_copy(const uint8_t *state)
{
    if (fansize > 0) {
        plot_motor(0, state);
    } else {
        moveto(xx, yy);
        if (just_G != just_G_none)
            draw_node(state, white, 0);
    }
}

void
place_on_this_circle()
{
    point_on_circle(heading, thisrad, &xx, &yy);
}

uint8_t *
label_state(const uint8_t *state)
{
    copy_state.assign(state, state + bytesL);
    return copy_state.data();
}

// Segment members of j in a segment fan.
uint32_t
members_of(uint32_t j)
{
    return regular2d ? static_cast<uint32_t>(seg_2d_h[j]) * seg_2d_v[j] : seg[j];
}

// The node's position, where draw_fan starts a fan.
void
take_node_position()
{
    if (startsegfan == 1 && segx && segy) {
        xx = segx[segindex];
        yy = segy[segindex];
        startsegfan = 0;
    } else if (level > 0) {
        xx = pretog ? xx1[thisindex] : xx0[thisindex];
        yy = pretog ? yy1[thisindex] : yy0[thisindex];
    } else if (attperiod > 0 && cyclex && cycley) {
        xx = cyclex[attindex];
        yy = cycley[attindex];
    } else {
        xx = ox;
        yy = oy;
    }
    heading = 0;
}

} // namespace

void
draw_node(const uint8_t *state, int colour, int own)
{
    if (!mouse_found)
        return;
    node_reach reach = node_drawing_reach();
    extend_drawn_box(xx - reach.left, yy - reach.up, xx + reach.right, yy + reach.down);
    bool majority_on = show_maj != show_maj_off;
    if (dontcopytrees == copies_reduce_gofe && !own &&
        (shownumbers == shownumbers_spot || majority_on)) {
        putpixel(xx, yy, colour);
        return;
    }
    if (majority_on) {
        if (majority_of(state) > lineL / 2u) {
            setfillstyle(0, bground == 'w' ? blue : yellow);
            bar(xx - 3, yy - 3, xx + 4, yy + 4);
            setcolor(white);
            rectangle(xx - 3, yy - 3, xx + 4, yy + 4);
        } else if (shownumbers == shownumbers_spot) {
            draw_spot(colour);
        }
        return;
    }
    if (shownumbers == shownumbers_spot) { // nothing here moves the current point
        int h = highlight_of(state);
        if (h) {
            setfillstyle(0, h == 1 ? lightred : yellow);
            bar(xx - 1, yy - 1, xx + 3, yy + 3);
            setcolor(white);
            rectangle(xx - 3, yy - 3, xx + 4, yy + 4);
        } else if (hilight_learn != hilight_suppress) {
            draw_spot(colour);
        }
        return;
    }
    // Labels are drawn from the node; the current point is put back after.
    int16_t x = getx, y = gety;
    switch (shownumbers) {
    case shownumbers_decimal:
        // State numbers only where they fit 32 bits; none otherwise.
        if (lineL <= 32 && decimal_labels_fit()) {
            char text[16];
            snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(dec_equiv(state, L)));
            moveto(xx, yy);
            draw_label(text, highlight_of(state));
        }
        break;
    case shownumbers_hex: {
        moveto(xx, yy);
        std::string hex;
        char piece[8];
        for (int i = bytesL - 1; i >= 0; i--) {
            snprintf(piece, sizeof piece, state[i] < 16 ? "0%x" : "%x", state[i]);
            hex += piece;
        }
        draw_label(hex.c_str(), highlight_of(state));
        break;
    }
    case shownumbers_bits:
        draw_bits_at_node(state);
        break;
    default:
        break;
    }
    moveto(x, y);
}

void
plot_motor(int record, const uint8_t *state)
{
    uint32_t f = fansize;
    // The children's positions go straight into the next level's lists, a
    // copy's into a list of their own.
    int16_t *child_x, *child_y;
    if (record) {
        child_x = next_level_x() + nextbefore + 1;
        child_y = next_level_y() + nextbefore + 1;
    } else {
        copy_x.resize(f);
        copy_y.resize(f);
        child_x = copy_x.data();
        child_y = copy_y.data();
    }
    fan_child_positions(f, nextrad, record != 0, child_x, child_y);
    if (f > 0) {
        cx = child_x[f - 1];
        cy = child_y[f - 1];
    }
    if ((record || dontcopytrees == copies_drawn) && f > 0) {
        // The fan's edges reach the box of the node and its children,
        // taken once for the fan; a wide fan goes in parts, the stop asked
        // between them.
        int left = xx, top = yy, right = xx, bottom = yy;
        for (uint32_t i = 0; i < f && !drawing_stopped; i++) {
            left = std::min<int>(left, child_x[i]);
            right = std::max<int>(right, child_x[i]);
            top = std::min<int>(top, child_y[i]);
            bottom = std::max<int>(bottom, child_y[i]);
            push_edge(xx, yy, child_x[i], child_y[i]);
            if (edges.size() == kEdgesPerStop)
                draw_edges();
        }
        extend_drawn_box(left, top, right, bottom);
    }
    draw_edges();
    moveto(xx, yy);
    if (f == 0 && just_G == just_G_none)
        return;
    if (shownumbers != shownumbers_none && just_G != just_G_only)
        draw_node(state, spotc, record);
    else if (show_maj != show_maj_off)
        draw_node(state, spotc, record);
}

void
plot_motor_segfan(int record, const uint8_t *state)
{
    uint32_t f = fansize;
    segfanangle = totalsegfan ? angle * static_cast<float>(f) / static_cast<float>(totalsegfan) : angle;
    linec = black;
    int16_t *next_x = record ? next_level_x() : nullptr;
    int16_t *next_y = record ? next_level_y() : nullptr;
    // Each representative stands after the members of the segments before it.
    double start = heading + segfanangle * (static_cast<double>(totalsegfan) - 1) / 2;
    uint32_t before = 0;
    for (uint32_t j = 1; j <= f && j <= segno && !drawing_stopped; j++) {
        advance_edge_colour();
        double theta = start - static_cast<double>(before) * segfanangle;
        point_on_circle(theta, nextrad, &cx, &cy);
        if (record) {
            next_x[nextbefore + j] = cx;
            next_y[nextbefore + j] = cy;
        }
        add_edge(xx, yy, cx, cy);
        uint32_t m = members_of(j);
        for (uint32_t k = 1; k < m; k++) {
            theta -= segfanangle;
            point_on_circle(theta, nextrad, &cx, &cy);
            if (dontcopytrees)
                add_edge(xx + (3 * (cx - xx)) / 4, yy + (3 * (cy - yy)) / 4, cx, cy);
            else
                add_edge(xx, yy, cx, cy);
        }
        draw_edges();
        before += m;
    }
    moveto(xx, yy);
    if (shownumbers != shownumbers_none && just_G != just_G_only)
        draw_node(state, spotc, record);
    else if (show_maj != show_maj_off)
        draw_node(state, spotc, record);
}

void
copy_fan_tree(const uint8_t *state)
{
    if (!insegloop || segindex == 0)
        return;
    uint8_t *s = label_state(state);
    bool labels = shownumbers != shownumbers_none && shownumbers > 0;
    int16_t x = xx, y = yy;
    float h0 = heading;
    if (!regular2d) {
        for (uint32_t k = 2; k <= seg[segindex]; k++) {
            heading -= segfanangle;
            place_on_this_circle();
            if (labels)
                rotate_array(0, s, 'l', 0, 1, 0, 0);
            draw_copy(s);
        }
    } else {
        uint32_t H = seg_2d_h[segindex], V = seg_2d_v[segindex];
        for (uint32_t h = 1; h <= H; h++) {
            if (labels && V == 1 && h > 1)
                rotate_array_2d(s, 'l', 1);
            for (uint32_t w = 1; w <= V; w++) {
                if (h == H && w == V)
                    break;
                heading -= segfanangle;
                place_on_this_circle();
                if (labels)
                    rotate_array_2d(s, 'u', 1);
                draw_copy(s);
            }
            if (labels && V > 1)
                rotate_array_2d(s, 'l', 1);
        }
    }
    xx = x;
    yy = y;
    heading = h0;
}

void
copy_cycle_tree(const uint8_t *state)
{
    if (attperiod == 0 || cyclematch < 2)
        return;
    uint8_t *s = label_state(state);
    bool labels = shownumbers != shownumbers_none && shownumbers > 0;
    int16_t x = xx, y = yy;
    float h0 = heading;
    int diag = cyclematch_2d_diag[0] >= 2 ? cyclematch_2d_diag[0] : cyclematch_2d_diag[1];
    uint32_t copies = static_cast<uint32_t>(cyclematch);
    if (regular2d)
        copies = diag >= 2 ? static_cast<uint32_t>(diag)
                           : static_cast<uint32_t>(cyclematch_2d[0]) * cyclematch_2d[1];
    uint32_t q = copies ? attperiod / copies : 0;
    for (uint32_t j = 1; j < copies; j++) {
        heading = static_cast<float>(heading - 2 * kPi * q / attperiod);
        if (level == 0 && direction == direction_forward && cyclex && cycley) {
            int64_t at = static_cast<int64_t>(attindex) - static_cast<int64_t>(j) * q;
            while (at < 1)
                at += attperiod;
            xx = cyclex[at];
            yy = cycley[at];
        } else {
            place_on_this_circle();
        }
        if (labels) {
            if (!regular2d) {
                rotate_array(0, s, 'l', 0, attrepseg / cyclematch, 0, 0);
            } else if (diag >= 2) {
                rotate_array_2d(s, cyclematch_2d_diag[0] >= 2 ? 'r' : 'l', 1);
                rotate_array_2d(s, 'u', 1);
            } else {
                rotate_array_2d(s, 'u', 1);
                if (cyclematch_2d[1] > 0 && j % static_cast<uint32_t>(cyclematch_2d[1]) == 0)
                    rotate_array_2d(s, 'l', 1);
            }
        }
        draw_copy(s);
    }
    xx = x;
    yy = y;
    heading = h0;
}

namespace {

// The fan of draw_fan, its copies left out once the stop said stop.
void
draw_node_fan()
{
    if (filestates == 1) {
        std::string line = compose_state_line(A);
        if (value_range != 2) {
            // The values also go to standard error, as they always have.
            size_t cells_end = line.find(' ');
            print_out((line.substr(0, cells_end) + "\n").c_str());
        }
        save_data(line.c_str());
    }
    take_node_position(); // also ends the segment fan's start
    // Without a window there is nothing to draw: radii, headings, the fan's
    // positions, colours and the copies of rotation-equivalent parts serve
    // the picture only.
    if (!mouse_found)
        return;
    clip_to_basin_area();
    take_level_radii_and_spot();
    if (pretested == 0 || (attperiod <= 5 && shownumbers != shownumbers_bits))
        advance_edge_colour();
    if (just_G == just_G_none)
        spotc = white;
    if (fansize > 0) {
        compute_heading();
        compute_fan_angle((nextrad - thisrad) / 2);
        if (segfan)
            plot_motor_segfan(1, A);
        else
            plot_motor(1, A);
        if (dontcopytrees == copies_drawn && !drawing_stopped) {
            if (insegloop)
                copy_fan_tree(A);
            if (cyclematch > 1)
                copy_cycle_tree(A);
        }
    } else {
        moveto(xx, yy);
        if (just_G != just_G_none &&
            (shownumbers != shownumbers_none || just_G == just_G_only || show_maj != show_maj_off))
            draw_node(A, white, 1);
        // The heading serves the copies alone.
        if (dontcopytrees != copies_suppressed && (insegloop || cyclematch > 1)) {
            compute_heading();
            if (insegloop)
                copy_fan_tree(A);
            if (cyclematch > 1)
                copy_cycle_tree(A);
        }
    }
    setcolor(white);
}

} // namespace

bool
draw_fan(bool (*stopped)())
{
    fan_stop = stopped;
    drawing_stopped = false;
    edges_since_stop = 0;
    draw_node_fan();
    fan_stop = nullptr;
    return !drawing_stopped;
}

namespace {

// Runs work in the font and line metrics label was placed in, those in
// use put back after it.
template <typename Work>
void
in_label_font(const waiting_label &label, const Work &work)
{
    const font_use font = font_in_use();
    const int16_t height = CHeight, width = CWidth;
    use_font(label.font);
    CHeight = label.line_height;
    CWidth = label.char_width;
    work();
    use_font(font);
    CHeight = height;
    CWidth = width;
}

// Writes a label on its own background, in the font it was placed in, on
// top of what comes after it.
void
write_label(const waiting_label &label)
{
    if (label.pattern) {
        write_top_state_pattern(label.x, label.y,
                                reinterpret_cast<const uint8_t *>(label_texts.data() + label.start), label.colour,
                                label.how);
        return;
    }
    int text_colour = white, back = black;
    if (label.highlight == 1 || label.highlight == 2) {
        back = label.highlight == 1 ? lightred : yellow;
        text_colour = black;
    }
    in_label_font(label, [&] {
        write_top_label(label.x, label.y, label_texts.data() + label.start, text_colour, back);
    });
}

} // namespace

void
write_node_labels()
{
    if (waiting_labels.empty())
        return;
    clip_to_basin_area();
    for (const waiting_label &label : waiting_labels)
        write_label(label);
    setfillstyle(0, black);
    setcolor(white);
    waiting_labels.clear();
    label_texts.clear();
}

void
write_top_state_pattern(int x, int y, const uint8_t *state, int colour, int how)
{
    const node_reach reach = bits_reach();
    write_top_pattern(x, y, {x - reach.left, y - reach.up, x + reach.right, y + reach.down}, state,
                      static_cast<size_t>(bytesL), colour, how, draw_state_pattern);
}

bool
bits_inside_drawing_area(int x, int y)
{
    node_reach reach = bits_reach();
    // Outside a field's area (whose clip keeps a basin below them) a pattern
    // stays below the prompt boxes at the top and off the rule box at the
    // foot, as a label does: drawn there it would cut the summary standing
    // in them, or be cut by the rule box drawn again.
    const int top = basins_clipped ? 0 : prompt_box_bottom(3) + 1;
    return x - reach.left >= 0 && y - reach.up >= top && x + reach.right <= Maxx && y + reach.down <= Maxy &&
           clear_of_rule_box(x - reach.left, y - reach.up, x + reach.right, y + reach.down) &&
           inside_narrowed_area(x - reach.left, y - reach.up, x + reach.right, y + reach.down);
}

bool
take_bits_place(int x, int y)
{
    node_reach reach = bits_reach();
    return take_label_place(x - reach.left, y - reach.up, x + reach.right, y + reach.down);
}

node_reach
node_drawing_reach()
{
    if (show_maj != show_maj_off || shownumbers == shownumbers_spot ||
        shownumbers == shownumbers_none) {
        int r = spot_reach();
        return {r, r, r, r};
    }
    if (shownumbers == shownumbers_bits)
        return bits_reach();
    // A label: the widest state number, or two hex digits a byte.
    std::string widest(shownumbers == shownumbers_hex ? 2 * static_cast<size_t>(bytesL) : 10, '8');
    if (shownumbers == shownumbers_decimal) {
        char text[24];
        widest = std::string(static_cast<size_t>(snprintf(text, sizeof text, "%lu",
                                                          static_cast<unsigned long>(statespace))),
                             '8');
    }
    return {1, 1, text_pixel_width(widest.c_str(), static_cast<int>(widest.size())) + 1, CHeight};
}

void
start_drawn_box()
{
    drawn = {0, 0, 0, 0, true};
}

void
extend_drawn_box(int x0, int y0, int x1, int y1)
{
    if (drawn.empty) {
        drawn = {x0, y0, x1, y1, false};
        return;
    }
    drawn.x0 = std::min(drawn.x0, x0);
    drawn.y0 = std::min(drawn.y0, y0);
    drawn.x1 = std::max(drawn.x1, x1);
    drawn.y1 = std::max(drawn.y1, y1);
}

drawn_box
drawn_box_so_far()
{
    return drawn;
}

void
keep_basins_inside(const field_area *area)
{
    end_basin_clip();
    basins_clipped = area != nullptr;
    if (area)
        basin_clip = *area;
    basin_kept = basins_clipped;
    basin_area = basin_clip;
}

const field_area *
basins_kept_inside()
{
    return basins_clipped ? &basin_clip : nullptr;
}

namespace {

// Whether a basin is being drawn (start_basin_area to end_basin_clip).
bool in_basin = false;

// The rectangle left of whole for a basin centred at (ox, oy) beside a box
// standing in it: the side of the box its centre lies on, the largest such
// side where its centre lies on two. A basin centred on the box itself keeps
// to the side whose edge lies nearest its centre, where most of it shows:
// drawn there, it would cross the box's frame and marks. A centre outside
// whole (the layout's first place at the window's corner, above the field's
// area) counts as the point of whole nearest it: its basin reaches into
// whole from there, over the box as well. False where the box lies outside
// whole or leaves no side.
bool
side_of_box(const field_area &whole, const box_place &box, field_area *side_found)
{
    if (box.x1 < whole.left || box.x0 > whole.right || box.y1 < whole.top || box.y0 > whole.bottom)
        return false;
    const field_area sides[] = {{whole.left, whole.top, box.x0 - 1, whole.bottom},
                                {box.x1 + 1, whole.top, whole.right, whole.bottom},
                                {whole.left, whole.top, whole.right, box.y0 - 1},
                                {whole.left, box.y1 + 1, whole.right, whole.bottom}};
    const int cx = std::clamp<int>(ox, whole.left, whole.right);
    const int cy = std::clamp<int>(oy, whole.top, whole.bottom);
    const int reach_to_edge[] = {cx - box.x0, box.x1 - cx, cy - box.y0, box.y1 - cy};
    const bool on_box = cx >= box.x0 && cx <= box.x1 && cy >= box.y0 && cy <= box.y1;
    const field_area *best = nullptr;
    int best_reach = 0;
    auto size = [](const field_area &a) {
        return static_cast<long>(a.right - a.left + 1) * (a.bottom - a.top + 1);
    };
    for (int i = 0; i < 4; i++) {
        const field_area &side = sides[i];
        if (side.right < side.left || side.bottom < side.top)
            continue;
        if (on_box) {
            if (!best || reach_to_edge[i] < best_reach) {
                best = &side;
                best_reach = reach_to_edge[i];
            }
            continue;
        }
        if (cx < side.left || cx > side.right || cy < side.top || cy > side.bottom)
            continue;
        if (!best || size(side) > size(*best))
            best = &side;
    }
    if (best)
        *side_found = *best;
    return best != nullptr;
}

// The basin's area, taken again as it stands: a box may be raised or
// taken down while the basin is drawn (the run's 'm' and 'P' keys).
void
narrow_basin_area()
{
    basin_kept = basins_clipped;
    basin_area = basin_clip;
    basin_narrowed = false;
    if (!in_basin || !mouse_found)
        return;
    // The boxes that stand over the basins while they are drawn, each
    // marking what the basins' computations find (the state-space matrix's
    // squares, the stack histogram's bars): a basin drawn over one would
    // cross its frame, its marks and its labels. The basin keeps to a side
    // of each (side_of_box).
    field_area area = basins_clipped ? basin_clip : field_area{0, 0, Maxx, Maxy};
    for (box_owner owner : {box_owner::statespace_matrix, box_owner::stack_hist}) {
        box_place box;
        if (!box_stands(owner, &box) || !side_of_box(area, box, &area))
            continue;
        basin_area = area;
        basin_kept = true;
        basin_narrowed = true;
    }
}

} // namespace

void
start_basin_area()
{
    in_basin = true;
    narrow_basin_area();
}

field_area
sweep_run_strip()
{
    return {stp ? lineL * scale + vgax(12) : 3, vgay(46), Maxx - 3, vgay(157)};
}

void
clip_to_basin_area()
{
    narrow_basin_area();
    if (!basin_kept || !mouse_found)
        return;
    if (view_x0 != basin_area.left || view_y0 != basin_area.top || view_x1 != basin_area.right ||
        view_y1 != basin_area.bottom)
        setviewport(basin_area.left, basin_area.top, basin_area.right, basin_area.bottom, 1);
}

void
end_basin_clip()
{
    if (basin_kept && mouse_found)
        setviewport(0, 0, Maxx, Maxy, 1);
    in_basin = false;
    narrow_basin_area();
}
