// A basin field fitted to the drawing area (field_fit.h): the field's shape
// measured from the successor of every state, the reach of a basin from its
// depth and the level radii, the row-by-row placement and the search for
// the largest radius that fits. Reads the network model, the forward step
// (engine/forward) and the level radii (engine/backward/globals.h).
#include "engine/backward/field_fit.h"

#include <algorithm>
#include <cstring>

#include "engine/backward/globals.h"
#include "engine/backward/neutral_buffers.h"
#include "engine/backward/neutral_shape.h"
#include "engine/backward/tree_geometry.h"
#include "engine/forward/forward_step.h"
#include "engine/forward/globals.h"
#include "engine/forward/update_order.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"

namespace {

// The measured field: the basin of every state and the depth of every
// basin (basins numbered in order of their smallest state).
std::vector<uint32_t> basin_of;
std::vector<uint32_t> depth_of_basin;
// Each basin's rotation class on a ring: the smallest number of any
// rotation of any state of its cycle.
std::vector<uint32_t> class_of_basin;
// The neutral-order field is measured from its wiring: each component's
// depth found from its smallest order when it is drawn, the first
// components' depths kept for the fit.
bool neutral_measured = false;
neutral_links neutral;

// The stop of a measure: asked once every kStatesPerAsk states of each of
// its passes over the states, through a countdown, so that a pass asks no
// clock and no window in its loop. A pass of 2^22 states takes seconds
// under the sanitizers, where a state's forward step alone takes a few
// microseconds: 4096 of them are some milliseconds.
constexpr uint32_t kStatesPerAsk = 4096;
bool (*measure_stop)() = nullptr;
uint32_t states_to_ask = kStatesPerAsk;

// Counts one state of a pass; true when the stop, asked now, said stop.
inline bool
stop_after_state()
{
    if (--states_to_ask != 0)
        return false;
    states_to_ask = kStatesPerAsk;
    return measure_stop && measure_stop();
}

uint64_t
field_states()
{
    uint64_t states = 1;
    for (uint32_t i = 0; i < lineL; i++) {
        states *= value_range;
        if (states > kMostFittedStates)
            return 0;
    }
    return states;
}

// The successor number of every state into next; false when stopped.
bool
successors(uint64_t states, std::vector<uint32_t> &next)
{
    next.resize(states);
    if (exh_pairs) {
        for (uint64_t s = 0; s < states; s++) {
            next[s] = dec_equiv(exh_pairs + s * bytesL, L);
            if (stop_after_state())
                return false;
        }
        return true;
    }
    memset(A, 0, bytesL);
    memset(F, 0, bytesL);
    step_mode mode = forward_run_mode(0);
    forward_run_begin(mode);
    bool stopped = false;
    for (uint64_t s = 0; s < states && !stopped; s++) {
        dec_to_value_line(A, static_cast<uint32_t>(s), lineL);
        // Parallel updating exchanges A and F; the sequential modes update A
        // in place: the successor is in A either way.
        forward_step(carule, mode);
        next[s] = dec_equiv(A, L);
        stopped = stop_after_state();
    }
    forward_run_end();
    return !stopped;
}

// The state number of s turned by one cell round the ring.
uint32_t
rotated(uint32_t s, uint64_t states)
{
    uint64_t top = states / value_range;
    return static_cast<uint32_t>((s % top) * value_range + s / top);
}

// The largest factor up to 1 at which fits(factor) holds, found by
// halving between smallest and 1 (a basin's reach grows with the factor);
// smallest when even that does not fit.
template <typename Fits>
float
largest_fitting_factor(Fits fits, float smallest)
{
    if (fits(1.0f))
        return 1.0f;
    float low = smallest, high = 1.0f;
    if (!fits(low))
        return smallest;
    for (int i = 0; i < 24; i++) {
        float mid = (low + high) / 2;
        (fits(mid) ? low : high) = mid;
    }
    return low;
}

// The shape of the field (measure_field_shape) into basin_of,
// depth_of_basin and class_of_basin; false when too large or stopped, with
// the three in part filled.
bool
measure_states()
{
    uint64_t states = field_states();
    std::vector<uint32_t> next;
    if (!states || !successors(states, next))
        return false;
    // The map is peeled from its leaves inwards, round by round: round 0
    // takes the states no state leads to, each later round the states all
    // of whose predecessors went in the rounds before; what is never taken
    // lies on a cycle. A state taken in round r ends a chain of r states, so
    // a basin's depth is 1 + the last round of a state leading straight
    // into its cycle. The states of a round are independent of one another,
    // so their scattered reads overlap in memory, where a walk along a
    // chain waits on each read before the next: on maps of long chains (a
    // ring under rule 30) the walk was several times slower.
    //
    // basin_of counts each state's predecessors not yet taken while the map
    // is peeled; then a cycle's states get its number with kOnCycle set,
    // and each chain state its cycle's number, the last peeled first (a
    // successor is peeled after its predecessor or lies on a cycle).
    basin_of.assign(states, 0);
    for (uint32_t t : next) {
        basin_of[t]++;
        if (stop_after_state())
            return false;
    }
    std::vector<uint32_t> peeled; // the states taken, round by round
    std::vector<size_t> round_starts;
    peeled.reserve(states);
    for (uint32_t s = 0; s < states; s++) {
        if (basin_of[s] == 0)
            peeled.push_back(s);
        if (stop_after_state())
            return false;
    }
    for (size_t begin = 0; begin < peeled.size();) {
        round_starts.push_back(begin);
        const size_t end = peeled.size();
        for (size_t i = begin; i < end; i++) {
            const uint32_t t = next[peeled[i]];
            if (--basin_of[t] == 0)
                peeled.push_back(t);
            if (stop_after_state())
                return false;
        }
        begin = end;
    }
    // The cycles, each from its smallest state, and their rotation classes.
    constexpr uint32_t kOnCycle = 0x80000000u;
    std::vector<uint32_t> cycle_depth, cycle_class;
    for (uint32_t x = 0; x < states; x++) {
        if (stop_after_state())
            return false;
        if (basin_of[x] == 0 || (basin_of[x] & kOnCycle))
            continue;
        const uint32_t c = static_cast<uint32_t>(cycle_depth.size()) | kOnCycle;
        uint32_t key = UINT32_MAX;
        uint32_t y = x;
        do {
            basin_of[y] = c;
            uint32_t r = y;
            for (uint32_t i = 0; i < lineL; i++, r = rotated(r, states))
                key = std::min(key, r);
            y = next[y];
            if (stop_after_state())
                return false;
        } while (y != x);
        cycle_depth.push_back(0);
        cycle_class.push_back(key);
    }
    for (size_t round = round_starts.size(); round-- > 0;) {
        const size_t end = round + 1 < round_starts.size() ? round_starts[round + 1] : peeled.size();
        for (size_t i = round_starts[round]; i < end; i++) {
            const uint32_t b = basin_of[next[peeled[i]]];
            if (b & kOnCycle) {
                uint32_t &d = cycle_depth[b & ~kOnCycle];
                d = std::max(d, static_cast<uint32_t>(round) + 1);
            }
            basin_of[peeled[i]] = b & ~kOnCycle;
            if (stop_after_state())
                return false;
        }
    }
    // Basins are numbered in the order of their smallest states.
    constexpr uint32_t kNone = UINT32_MAX;
    std::vector<uint32_t> basin_of_cycle(cycle_depth.size(), kNone);
    for (uint32_t &b : basin_of) {
        const uint32_t c = b & ~kOnCycle;
        if (basin_of_cycle[c] == kNone) {
            basin_of_cycle[c] = static_cast<uint32_t>(depth_of_basin.size());
            depth_of_basin.push_back(cycle_depth[c]);
            class_of_basin.push_back(cycle_class[c]);
        }
        b = basin_of_cycle[c];
        if (stop_after_state())
            return false;
    }
    return true;
}

} // namespace

bool
measure_field_shape(bool (*stopped)())
{
    forget_field_shape();
    measure_stop = stopped;
    states_to_ask = kStatesPerAsk;
    if (!measure_states())
        forget_field_shape();
    measure_stop = nullptr;
    return !basin_of.empty();
}

bool
measure_neutral_field_shape(int n, size_t most_components)
{
    forget_field_shape();
    if (!neutral_links_of_network(n, &neutral))
        return false;
    neutral_measured = true;
    for_each_neutral_root(neutral, [&](const uint16_t *root) {
        if (depth_of_basin.size() == most_components)
            return false;
        depth_of_basin.push_back(neutral_component_depth(neutral, root));
        return true;
    });
    return true;
}

void
forget_field_shape()
{
    basin_of.clear();
    basin_of.shrink_to_fit();
    depth_of_basin.clear();
    class_of_basin.clear();
    neutral_measured = false;
}

uint32_t
basin_depth_of(uint32_t state)
{
    if (neutral_measured) {
        uint16_t root[kMaxNeutralCells];
        index_to_order(state, root, neutral.n);
        return neutral_component_depth(neutral, root);
    }
    return state < basin_of.size() ? depth_of_basin[basin_of[state]] : 0;
}

std::vector<uint32_t>
drawn_basin_depths(bool compress)
{
    // Basins are numbered as the scan met their first state, which is the
    // order the field draws them; a rotation of a ring's basin drawn before
    // is not drawn again when compressed. A class is named by a state
    // number, so one bit a state marks the classes drawn: a list searched
    // for each basin took minutes on a field of 2^21 basins (rule 204).
    std::vector<uint32_t> depths;
    std::vector<bool> class_drawn(compress ? basin_of.size() : 0);
    for (size_t b = 0; b < depth_of_basin.size(); b++) {
        if (compress) {
            uint32_t key = class_of_basin[b];
            if (class_drawn[key])
                continue;
            class_drawn[key] = true;
        }
        depths.push_back(depth_of_basin[b]);
    }
    return depths;
}

float
basin_reach(uint32_t depth, float factor)
{
    return factor * std::max(level_radius(depth), 1.1f * (rad ? rad[0] : 0.0f));
}

node_reach
basin_box(uint32_t depth, float factor, const node_reach &node)
{
    int r = static_cast<int>(basin_reach(depth, factor)) + 1;
    return {r + node.left, r + node.up, r + node.right, r + node.down};
}

void
start_shelf(shelf &s, const field_area &area)
{
    s.right = area.left;
    s.row_top = area.top;
    s.row_height = 0;
    s.row_empty = true;
}

bool
place_on_shelf(shelf &s, const field_area &area, const node_reach &box, int gap, int *x, int *y)
{
    int width = box.left + box.right, height = box.up + box.down;
    if (!s.row_empty && s.right + gap + width > area.right) {
        s.row_top += s.row_height + gap;
        s.right = area.left;
        s.row_height = 0;
        s.row_empty = true;
    }
    bool page_empty = s.row_empty && s.row_top == area.top;
    if (!page_empty && s.row_top + height > area.bottom)
        return false;
    int left = s.row_empty ? area.left : s.right + gap;
    *x = left + box.left;
    *y = s.row_top + box.up;
    s.right = left + width;
    s.row_height = std::max(s.row_height, height);
    s.row_empty = false;
    return true;
}

size_t
most_boxes_on_page(const field_area &area, int gap)
{
    // Each box of a row starts at least 2 + gap pixels right of the last,
    // and each row at least 2 + gap pixels below the last.
    const int step = std::max(1, 2 + gap);
    size_t across = static_cast<size_t>(std::max(0, area.right - area.left + 1 + gap) / step) + 1;
    size_t down = static_cast<size_t>(std::max(0, area.bottom - area.top + 1 + gap) / step) + 1;
    return across * down + 1;
}

bool
field_fits(const std::vector<uint32_t> &depths, const field_area &area, const node_reach &node,
           int gap, float factor)
{
    shelf s;
    start_shelf(s, area);
    for (uint32_t d : depths) {
        node_reach box = basin_box(d, factor, node);
        int x, y;
        if (!place_on_shelf(s, area, box, gap, &x, &y))
            return false;
        // A box alone on the page but larger than the area does not fit.
        if (x + box.right > area.right || y + box.down > area.bottom)
            return false;
    }
    return true;
}

float
fitting_radius_factor(const std::vector<uint32_t> &depths, const field_area &area,
                      const node_reach &node, int gap, float smallest)
{
    return largest_fitting_factor(
        [&](float factor) { return field_fits(depths, area, node, gap, factor); }, smallest);
}

bool
centred_basins_fit(const std::vector<uint32_t> &depths, const std::vector<basin_centre> &centres,
                   const field_area &area, const node_reach &node, float factor)
{
    for (size_t k = 0; k < depths.size() && k < centres.size(); k++) {
        node_reach box = basin_box(depths[k], factor, node);
        const basin_centre &c = centres[k];
        if (c.x - box.left < area.left || c.x + box.right > area.right || c.y - box.up < area.top ||
            c.y + box.down > area.bottom)
            return false;
    }
    return true;
}

float
centred_radius_factor(const std::vector<uint32_t> &depths, const std::vector<basin_centre> &centres,
                      const field_area &area, const node_reach &node, float smallest)
{
    return largest_fitting_factor(
        [&](float factor) { return centred_basins_fit(depths, centres, area, node, factor); },
        smallest);
}
