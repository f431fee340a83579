// The block dialog (block_dialog.h): question tables over the prompt
// area's four lines, one row per answer. The corner rows are one table over
// the ends they ask, shared with the 2d/3d wiring editor; the drag editor's
// block adds its first line and its 1d range over the block under
// definition, and marks the block answered through
// engine/graphs/node_selection.h. Reads the lattice's shape (engine/model).
// Start at block_or_slice, then ask_lattice_corners.
#include "ui/graphs/block_dialog.h"

#include <algorithm>
#include <string>

#include "engine/graphs/globals.h"
#include "engine/graphs/node_selection.h"
#include "engine/model/globals.h"
#include "engine/model/formatted_text.h"
#include "ui/graphs/graph_prompt.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"

namespace {

constexpr int kBlockLines = 4;

// ---- the corner rows ---------------------------------------------------

using corner_question = question_row<lattice_block_ends>;

// "a,b" or "a,b,c" of the first `axes` coordinates.
std::string
coordinates(const int *values, int axes)
{
    std::string text = std::to_string(values[0]);
    for (int c = 1; c < axes; c++)
        text += "," + std::to_string(values[c]);
    return text;
}

const char *const kAxis[3] = {" i:", " j:", " h:"};

// The corner rows: the low corner's first one writes the block's line
// above it; each coordinate after the first continues its line.
template <int c, bool high>
void
corner_prompt(lattice_block_ends &ends)
{
    if (c == 0 && !high) {
        dialog_row(1);
        put_text(lattice_block_line(ends));
    }
    if (c == 0) {
        dialog_row(high ? 3 : 2);
        put_text(corner_line(ends, high));
    }
    put_text(kAxis[c]);
}

// Takes the answer for one end of one coordinate, held to 0..most.
template <int c, bool high>
answer_step
take_corner(lattice_block_ends &ends, int len)
{
    int *end = high ? ends.high : ends.low;
    const number_bounds bounds = {0, static_cast<double>(ends.most[c])};
    end[c] = static_cast<int>(ends.echo_taken ? whole_answer_held(end[c], bounds, len)
                                              : entry_held(end[c], bounds, true));
    return answer_step::next;
}

bool
third_axis(const lattice_block_ends &ends)
{
    return ends.axes == 3;
}

template <int c, bool high>
constexpr corner_question
corner_row()
{
    return corner_question::row()
        .prompts(corner_prompt<c, high>)
        .entry(4, numeric_entry)
        .then(take_corner<c, high>)
        .on_line(high ? 3 : 2)
        .quits(answer_step::leave);
}

const corner_question kCornerQuestions[] = {
    corner_row<0, false>(),
    corner_row<1, false>(),
    corner_row<2, false>().when(third_axis),
    corner_row<0, true>(),
    corner_row<1, true>(),
    corner_row<2, true>().when(third_axis),
};

// ---- the drag editor's block ---------------------------------------------

// The block under definition: its dimension, the range of a 1d block (the
// shown numbers: the least and largest allowed, the low and high ends) and
// the corners of a lattice block, defaults until answered.
struct block_answers {
    int dim = 1;
    int lattice = 1; // the lattice's dimension: 1 for a meta-graph or a 1d network
    int least = 0, most = 0, low = 0, high = 0;
    lattice_block_ends corners;
    uint32_t node = 1, other = 1; // the active node and the one before it
};
using block_question = question_row<block_answers>;

// The number a node shows: its cell number in the network graph.
int
shown(uint32_t node)
{
    return static_cast<int>(f_or_n == graph_network ? node - 1 : node);
}

std::string
dimension_text(const block_answers &b)
{
    return b.lattice == 2 ? "2d network: define block: 1d-1, 2d-(def):" : "3d network: define block: 1d-1 3d-(def):";
}

std::string
range_text(const block_answers &b)
{
    return formatted("%dd block (%d-%d, def %d-%d), low:", 1, b.least, b.most, b.low, b.high);
}

// Takes the answer for one end of the range, held to it; the value used
// is shown.
answer_step
take_end(const block_answers &b, int len, int &end)
{
    end = static_cast<int>(whole_answer_held(end, {static_cast<double>(b.least), static_cast<double>(b.most)}, len));
    return answer_step::next;
}

// The defaults and ranges of a block of dimension dim between the active
// node and the other one.
void
set_defaults(block_answers &b, int dim)
{
    const uint32_t node = b.node, other = b.other;
    b.dim = dim;
    lattice_block_ends &ends = b.corners;
    ends.dim = ends.axes = dim;
    ends.echo_taken = true;
    if (dim == 1) {
        b.least = shown(1);
        b.most = shown(node_no);
        b.low = std::min(shown(node), shown(other));
        b.high = std::max(shown(node), shown(other));
        return;
    }
    lattice_place p, q;
    cell_lattice_place(node - 1, p);
    cell_lattice_place(other - 1, q);
    const int pp[3] = {p.i, p.j, p.h}, pq[3] = {q.i, q.j, q.h};
    const int sides[3] = {threed ? i3d : i2d, threed ? j3d : j2d, threed ? h3d : 1};
    for (int c = 0; c < 3; c++) {
        ends.most[c] = sides[c] - 1;
        ends.low[c] = std::min(pp[c], pq[c]);
        ends.high[c] = std::max(pp[c], pq[c]);
        ends.this_place[c] = pp[c];
    }
}

bool
range_block(const block_answers &b)
{
    return b.dim == 1;
}

const block_question kBlockQuestions[] = {
    block_question::row()
        .when([](const block_answers &b) { return b.lattice > 1; })
        .prompts([](block_answers &b) {
            dialog_row(0);
            put_text(dimension_text(b));
        })
        .entry(1, single_key_entry)
        .then([](block_answers &b, int) {
            set_defaults(b, is[0] == '1' ? 1 : b.lattice);
            return answer_step::next;
        })
        .quits(answer_step::leave),
    block_question::row()
        .when(range_block)
        .prompts([](block_answers &b) {
            dialog_row(1);
            put_text(range_text(b));
        })
        .entry(5, numeric_entry)
        .then([](block_answers &b, int len) { return take_end(b, len, b.low); })
        .on_line(1)
        .quits(answer_step::leave),
    block_question::row()
        .when(range_block)
        .prompts([](block_answers &) { put_text(" high:"); })
        .entry(5, numeric_entry)
        .then([](block_answers &b, int len) { return take_end(b, len, b.high); })
        .on_line(1)
        .quits(answer_step::leave),
};

// Marks the block answered in linknet.
void
mark_block(const block_answers &b)
{
    if (b.dim == 1) {
        int offset = f_or_n == graph_network ? 1 : 0;
        mark_node_range(static_cast<uint32_t>(b.low + offset), static_cast<uint32_t>(std::max(b.low, b.high) + offset));
        return;
    }
    block_corners corners;
    int16_t *lows[3] = {&corners.i_low, &corners.j_low, &corners.h_low};
    int16_t *highs[3] = {&corners.i_high, &corners.j_high, &corners.h_high};
    for (int c = 0; c < 3; c++) {
        *lows[c] = static_cast<int16_t>(std::min(b.corners.low[c], b.corners.high[c]));
        *highs[c] = static_cast<int16_t>(std::max(b.corners.low[c], b.corners.high[c]));
    }
    mark_lattice_block(corners);
}

} // namespace

std::string
lattice_block_line(const lattice_block_ends &ends)
{
    return formatted("%dd block (this=%s max=%s)", ends.dim, coordinates(ends.this_place, ends.axes).c_str(),
                     coordinates(ends.most, ends.axes).c_str());
}

std::string
corner_line(const lattice_block_ends &ends, bool high)
{
    return formatted("%s corner (def %s)", high ? "high" : "low",
                     coordinates(high ? ends.high : ends.low, ends.axes).c_str());
}

answer_step
ask_lattice_corners(lattice_block_ends &ends)
{
    return ask_questions(kCornerQuestions, question_place{nullptr, nullptr, false}, ends);
}

int
block_or_slice(uint32_t node, uint32_t other)
{
    new_linknet();
    block_answers block;
    block.node = node;
    block.other = other;
    if (f_or_n == graph_network)
        block.lattice = threed ? 3 : twod ? 2 : 1;
    remove_menu();
    int colour = getcolor();
    setcolor(white);
    answer_step end;
    {
        set_defaults(block, block.lattice);
        // The 1d line at its widest, whatever the dimension answered.
        int top = shown(node_no);
        std::string widest =
            formatted("1d block (%d-%d, def %d-%d), low:00000 high:00000", top, top, top, top);
        fitting_font font({dimension_text(block), widest, lattice_block_line(block.corners),
                           corner_line(block.corners, true) + " i:0000 j:0000 h:0000"},
                          kBlockLines);
        font.draw_box();
        // The first row's answer sets the defaults of the dimension it
        // chooses; the rows after it read them.
        end = ask_questions(kBlockQuestions, question_place{nullptr, nullptr, false}, block);
        if (end != answer_step::leave && block.dim > 1)
            end = ask_lattice_corners(block.corners);
    }
    setcolor(colour);
    remove_menu();
    if (end == answer_step::leave)
        return 0;
    mark_block(block);
    return block.dim;
}
