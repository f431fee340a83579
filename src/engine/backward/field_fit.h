// A basin field fitted to the drawing area. Before the field is drawn its
// shape is measured (the basin and the depth of every state, from the
// successor of each state; a neutral-order field's components from its
// wiring); from the depths follows how far each basin's
// drawing reaches from its centre at a given start radius, and so the
// largest start radius at which every basin, placed row by row in the order
// the field draws them, stays inside the area without touching another.
// The field driver (ui/driver/basin_field.cpp) places each basin as it
// comes with place_on_shelf. Start at measure_field_shape.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The rectangle the basins must stay in (inclusive pixels).
struct field_area {
    int left, top, right, bottom;
};

// How far a node's drawing reaches from its point: to the left, up, to the
// right and down (pixels, each 0 or more).
struct node_reach {
    int left, up, right, down;
};

// The largest state space measured (v^n states): beyond it the successor
// list would cost more than the picture is worth, and the layout is kept.
constexpr uint64_t kMostFittedStates = uint64_t{1} << 22;

// Measures the field of the network as it stands: the successor of every
// state (read from exh_pairs when the successor table is built, else by one
// forward step of each state in the update mode of the run), then each
// state's basin and each basin's depth. False, and nothing kept, when v^n is
// above kMostFittedStates or stopped returned true: when given, it is asked
// every few thousand states of each pass (the window's key poll: a pass
// over 2^22 states takes seconds under the sanitizers). Changes A and F.
bool measure_field_shape(bool (*stopped)() = nullptr);
// Measures the neutral-order field of the network of n cells (the real
// size, templineL once the order space is entered) from its wiring
// (neutral_shape.h), without a walk of the n! orders: the depths of its
// first most_components components, in the order the field draws them, and
// afterwards the depth of any component from its smallest order. False,
// and nothing kept, when n is outside 1..kMaxNeutralCells or there is no
// wiring.
bool measure_neutral_field_shape(int n, size_t most_components);
// Forgets what measure_field_shape or measure_neutral_field_shape kept.
void forget_field_shape();
// The deepest tree level of the basin holding state (0 when nothing was
// measured or the state is beyond the field); in a neutral-order field,
// of the component whose smallest order is state.
uint32_t basin_depth_of(uint32_t state);
// The depths of the basins in the order the field draws them: by their
// smallest state number, with the rotations of a ring's basin drawn once
// when compress is true.
std::vector<uint32_t> drawn_basin_depths(bool compress);

// How far a basin of depth d reaches from its centre, at the radii of rad[]
// (level_radius, tree_geometry.h)
// times factor: its deepest level circle, and at least the attractor cycle
// with the circles of its states (1.1 start radius).
float basin_reach(uint32_t depth, float factor);

// The row-by-row placement of basins in an area: each basin right of the
// last with gap pixels between their boxes, a new row below the tallest box
// of the row when the next does not fit the width.
struct shelf {
    int right = 0;      // right edge of the last box of the row
    int row_top = 0;    // top of the row
    int row_height = 0; // tallest box of the row
    bool row_empty = true;
};
// Starts the placement at the top left of the area.
void start_shelf(shelf &s, const field_area &area);
// The centre of the next basin whose box reaches box (left, up, right,
// down) from its centre. False when it passes the area's bottom: the area
// is full (the caller starts a new page with start_shelf and asks again).
// A box wider or taller than the area alone on its row or page is placed
// all the same, at the area's top left.
bool place_on_shelf(shelf &s, const field_area &area, const node_reach &box, int gap, int *x,
                    int *y);
// The box of a basin of depth d at the radii times factor, with the reach
// of its nodes.
node_reach basin_box(uint32_t depth, float factor, const node_reach &node);
// More boxes than one page of the area can hold, whatever their sizes:
// every box is at least 2 pixels wide and high. A field of more basins
// cannot fit one page at any radius, so no more of them need be measured.
size_t most_boxes_on_page(const field_area &area, int gap);
// Whether the basins of depths, placed in that order at the radii times
// factor, fit in one page of the area.
bool field_fits(const std::vector<uint32_t> &depths, const field_area &area, const node_reach &node,
                int gap, float factor);
// The largest factor up to 1 (the radii of rad[] as they stand) at which
// the basins of depths, placed in that order, fit in one page of the area;
// at least smallest when even that does not fit.
float fitting_radius_factor(const std::vector<uint32_t> &depths, const field_area &area,
                            const node_reach &node, int gap, float smallest);

// Where a basin's centre is put when the places are given (the nodes of
// the jump graph the field is drawn in).
struct basin_centre {
    int x, y;
};
// Whether every basin of depths, centred at the centre of the same index,
// lies inside area at the radii times factor.
bool centred_basins_fit(const std::vector<uint32_t> &depths, const std::vector<basin_centre> &centres,
                        const field_area &area, const node_reach &node, float factor);
// The largest factor up to 1 at which they do; at least smallest when
// even that does not fit (or a centre lies outside the area).
float centred_radius_factor(const std::vector<uint32_t> &depths,
                            const std::vector<basin_centre> &centres, const field_area &area,
                            const node_reach &node, float smallest);
