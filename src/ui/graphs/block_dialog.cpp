// The drag editor's block (block_dialog.h): a question table over the
// prompt area's four lines, one row per answer. Its rows write into the
// block under definition (file-local, for the life of one dialog) and the
// end marks it through engine/graphs/node_selection.h. Reads the
// lattice's shape (engine/model). Start at block_or_slice.
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
#include "ui/screen/question_table.h"

namespace {

constexpr int kBlockLines = 4;

// The block under definition: its dimension and, per coordinate (i, j, h;
// for a 1d block the shown number alone), the least and largest value
// allowed and the low and high ends, defaults until answered.
struct block_answers {
    int dim = 1;
    int lattice = 1; // the lattice's dimension: 1 for a meta-graph or a 1d network
    int least[3] = {0, 0, 0}, most[3] = {0, 0, 0};
    int low[3] = {0, 0, 0}, high[3] = {0, 0, 0};
    int this_place[3] = {0, 0, 0};
    uint32_t node = 1, other = 1; // the active node and the one before it
};
block_answers block;

// The number a node shows: its cell number in the network graph.
int
shown(uint32_t node)
{
    return static_cast<int>(f_or_n == graph_network ? node - 1 : node);
}

// "a,b" or "a,b,c" of the first dim coordinates.
std::string
coordinates(const int *values, int dim)
{
    std::string text = std::to_string(values[0]);
    for (int c = 1; c < dim; c++)
        text += "," + std::to_string(values[c]);
    return text;
}

std::string
dimension_text()
{
    return block.lattice == 2 ? "2d network: define block: 1d-1, 2d-(def):"
                              : "3d network: define block: 1d-1 3d-(def):";
}

std::string
range_text()
{
    return formatted("%dd block (%d-%d, def %d-%d), low:", 1, block.least[0], block.most[0], block.low[0],
                     block.high[0]);
}

std::string
lattice_text()
{
    return formatted("%dd block (this=%s max=%s)", block.dim, coordinates(block.this_place, block.dim).c_str(),
                     coordinates(block.most, block.dim).c_str());
}

std::string
corner_text(bool high)
{
    return formatted("%s corner (def %s)", high ? "high" : "low",
                     coordinates(high ? block.high : block.low, block.dim).c_str());
}

const char *const kAxis[3] = {" i:", " j:", " h:"};

// Takes the answer for one end of one coordinate: a number within its
// range replaces the default; the value used is shown.
answer_step
take_end(int len, int *ends, int c)
{
    long value = answer_or(ends[c]);
    if (value >= block.least[c] && value <= block.most[c])
        ends[c] = static_cast<int>(value);
    echo_value_taken(len, ends[c]);
    return answer_step::next;
}

template <int c>
answer_step
take_low(int len)
{
    return take_end(len, block.low, c);
}

template <int c>
answer_step
take_high(int len)
{
    return take_end(len, block.high, c);
}

bool
asks_dimension()
{
    return block.lattice > 1;
}

bool
range_block()
{
    return block.dim == 1;
}

bool
lattice_block()
{
    return block.dim > 1;
}

bool
third_axis()
{
    return block.dim == 3;
}

// The corner rows: the low corner's first one writes the block's line
// above it; each coordinate after the first continues its line.
template <int c, bool high>
void
corner_prompt()
{
    if (c == 0 && !high) {
        dialog_row(1);
        put_text(lattice_text());
    }
    if (c == 0) {
        dialog_row(high ? 3 : 2);
        put_text(corner_text(high));
    }
    put_text(kAxis[c]);
}

// The defaults and ranges of a block of dimension dim between the active
// node and the other one.
void
set_defaults(int dim)
{
    const uint32_t node = block.node, other = block.other;
    block.dim = dim;
    if (dim == 1) {
        block.least[0] = shown(1);
        block.most[0] = shown(node_no);
        block.low[0] = std::min(shown(node), shown(other));
        block.high[0] = std::max(shown(node), shown(other));
        return;
    }
    lattice_place a, b;
    cell_lattice_place(node - 1, a);
    cell_lattice_place(other - 1, b);
    const int pa[3] = {a.i, a.j, a.h}, pb[3] = {b.i, b.j, b.h};
    const int sides[3] = {threed ? i3d : i2d, threed ? j3d : j2d, threed ? h3d : 1};
    for (int c = 0; c < 3; c++) {
        block.least[c] = 0;
        block.most[c] = sides[c] - 1;
        block.low[c] = std::min(pa[c], pb[c]);
        block.high[c] = std::max(pa[c], pb[c]);
        block.this_place[c] = pa[c];
    }
}

const question kBlockQuestions[] = {
    {asks_dimension, nullptr, [] { dialog_row(0); put_text(dimension_text()); }, 1, -2,
     [](int) {
         set_defaults(is[0] == '1' ? 1 : block.lattice);
         return answer_step::next;
     },
     0, answer_step::leave},
    {range_block, nullptr, [] { dialog_row(1); put_text(range_text()); }, 5, 1, take_low<0>, 1, answer_step::leave},
    {range_block, nullptr, [] { put_text(" high:"); }, 5, 1, take_high<0>, 1, answer_step::leave},
    {lattice_block, nullptr, corner_prompt<0, false>, 4, 1, take_low<0>, 2, answer_step::leave},
    {lattice_block, nullptr, corner_prompt<1, false>, 4, 1, take_low<1>, 2, answer_step::leave},
    {third_axis, nullptr, corner_prompt<2, false>, 4, 1, take_low<2>, 2, answer_step::leave},
    {lattice_block, nullptr, corner_prompt<0, true>, 4, 1, take_high<0>, 3, answer_step::leave},
    {lattice_block, nullptr, corner_prompt<1, true>, 4, 1, take_high<1>, 3, answer_step::leave},
    {third_axis, nullptr, corner_prompt<2, true>, 4, 1, take_high<2>, 3, answer_step::leave},
};

// Marks the block answered in linknet.
void
mark_block()
{
    if (block.dim == 1) {
        int offset = f_or_n == graph_network ? 1 : 0;
        mark_node_range(static_cast<uint32_t>(block.low[0] + offset),
                        static_cast<uint32_t>(std::max(block.low[0], block.high[0]) + offset));
        return;
    }
    block_corners corners;
    int16_t *lows[3] = {&corners.i_low, &corners.j_low, &corners.h_low};
    int16_t *highs[3] = {&corners.i_high, &corners.j_high, &corners.h_high};
    for (int c = 0; c < 3; c++) {
        *lows[c] = static_cast<int16_t>(std::min(block.low[c], block.high[c]));
        *highs[c] = static_cast<int16_t>(std::max(block.low[c], block.high[c]));
    }
    mark_lattice_block(corners);
}

} // namespace

int
block_or_slice(uint32_t node, uint32_t other)
{
    new_linknet();
    block = block_answers();
    block.node = node;
    block.other = other;
    if (f_or_n == graph_network)
        block.lattice = threed ? 3 : twod ? 2 : 1;
    remove_menu();
    draw_prompt_box(kBlockLines);
    int colour = getcolor();
    setcolor(white);
    answer_step end;
    {
        set_defaults(block.lattice);
        // The 1d line at its widest, whatever the dimension answered.
        int top = shown(node_no);
        std::string widest =
            formatted("1d block (%d-%d, def %d-%d), low:00000 high:00000", top, top, top, top);
        fitting_font font({dimension_text(), widest, lattice_text(), corner_text(true) + " i:0000 j:0000 h:0000"},
                          kBlockLines);
        // The first row's answer sets the defaults of the dimension it
        // chooses; the rows after it read them.
        end = ask_questions(kBlockQuestions, question_place{nullptr, nullptr, false});
    }
    setcolor(colour);
    remove_menu();
    if (end == answer_step::leave)
        return 0;
    mark_block();
    return block.dim;
}
