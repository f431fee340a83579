// Drawing of one node's fan of pre-images in the basin or subtree layout:
// the edges to the children on the next circle, the node's mark, and the
// copies that rotation-equivalent parts of the basin share.
#pragma once
#include <cstdint>

#include "engine/backward/field_fit.h"

// Draws the fan of the node in A from the tree builder's state and records
// the children's positions in the next level's coordinate list. Ends with
// the drawing colour white. Without a window only the node's state line is
// written (filestates). stopped, when given, is asked after every thousand
// or so edges of a wide fan; when it returns true the rest of the fan and
// its copies are left undrawn, and draw_fan returns false.
bool draw_fan(bool (*stopped)() = nullptr);
// An ordinary fan of fansize children about heading, and the node's mark;
// record 1 stores the children's positions, 0 draws a copy.
void plot_motor(int record, const uint8_t *state);
// A root fan grouped into segments (one representative each, standing for
// totalsegfan states).
void plot_motor_segfan(int record, const uint8_t *state);
// The mark of one node at (xx, yy); own 0 marks a copy.
void draw_node(const uint8_t *state, int colour, int own);
// The node labels (decimal or hex) and bit patterns of the trees drawn
// since the last call, written over their edges: the basin and the subtree
// call it once their trees are drawn. They stay on top of the edges drawn
// later, those of the field's next basins (label_layer.h).
void write_node_labels();
// Draws a state's pattern at (x, y), framed as colour and how
// (hilight_learn's value) say, and keeps it on top of the edges drawn later
// (label_layer.h).
void write_top_state_pattern(int x, int y, const uint8_t *state, int colour, int how);
// The copies of a node that the other members of its segment share.
void copy_fan_tree(const uint8_t *state);
// The copies of a node that the rotation-equivalent trees of its attractor
// share.
void copy_cycle_tree(const uint8_t *state);

// Whether a bit pattern drawn at (x, y) and its frame lie inside the
// drawing area, and below the prompt boxes at the top where no field's area
// clips the basins: one that would run past the window's edge or into the
// bottom strip is left out rather than shown cut there (a basin laid out
// larger than the window, or cells scaled too large for it, reach past it),
// and one at the top rather than drawn over the summary standing there, or
// at the foot rather than cut by the rule box standing there when it is
// drawn again.
bool bits_inside_drawing_area(int x, int y);
// Whether a bit pattern drawn at (x, y), with its frame, covers no label or
// pattern placed before it in the picture (label_places.h); when it covers
// none, its place is taken.
bool take_bits_place(int x, int y);
// How far the mark of a node reaches from its point (draw_node's bit
// pattern, label or spot) with the display settings as they stand.
struct node_reach node_drawing_reach();
// The box every edge and node mark drawn since start_drawn_box reaches
// (inclusive pixels); empty while nothing was drawn. The basin field keeps
// one for each basin.
struct drawn_box {
    int x0, y0, x1, y1;
    bool empty;
};
void start_drawn_box();
void extend_drawn_box(int x0, int y0, int x1, int y1);
drawn_box drawn_box_so_far();

// The rectangle (inclusive) a basin field's basins are kept in, so that a
// basin reaching past it draws nothing over the boxes around it (the rule
// box below, the boxes and progress bar above); nullptr keeps them in the
// whole drawing area again. The field sets it for its scan.
void keep_basins_inside(const field_area *area);
// That rectangle while the field keeps its basins in one, else nullptr.
const field_area *basins_kept_inside();
// The strip of a sweep's runs (inclusive), inside the frame above the
// sweep graph: right of the space-time pattern when one is shown.
field_area sweep_run_strip();
// At the start of a basin or subtree centred at (ox, oy): for each box
// standing over the basins in that rectangle (or in the drawing area,
// outside a field), the state-space matrix's and the stack histogram's, the
// basin is kept to the side of the box its centre lies on (one centred on
// the box, to the side nearest its centre), so that none of
// its edges, cycle or marks crosses the box (asked again at each clip, as
// the box may come or go meanwhile); end_basin_clip ends it.
void start_basin_area();
// Clips the drawing to that rectangle while a basin of such a field is
// drawn. Prompts, boxes and key actions between two fans widen the
// viewport again, so each fan asks for the clip anew; it costs nothing
// while the viewport is the rectangle already.
void clip_to_basin_area();
// The whole drawing area back after a basin, for the progress bar and the
// boxes drawn between basins.
void end_basin_clip();
