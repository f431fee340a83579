// The 2d and 3d wiring graph editor (editor_2d_3d.h): its set-up, the
// lattice picture, its turn (rule readout, information line, clean
// picture, block and cursor links, one key), the end of a turn that
// records a change, the block dialog (a question table) and the table of
// its keys.
//
// Reads and writes the network model (model/): the wiring table, nhoodm,
// the rules; writes the wiring kind flags (wiring/, backward/), hex2d and
// was_changed (forward/). Its numbers are engine/wiring_editor/
// lattice_editor.h; it draws with graphics_2d_3d.h and model/
// oblique_frames.h. The key operations it shares with the 1d editor, over
// the cursor cell or the cells of the block inside its corners, are
// editor_operations.h, its information line and shared prompt pieces
// editor_texts.h, its key wait and the row actions both tables use (the
// all-links toggle, learning, the network data menu, over the hooks of its
// session) editor_key_loop.h; its own are the cursor and picture moves, the sizes, the link modes, the hexagonal toggle and
// the block dialog. Start at show_graphic_wiring_2d_3d; the key table is
// at kLatticeKeys.
#include "ui/wiring_editor/editor_2d_3d.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/formatted_text.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/out_degrees.h"
#include "engine/wiring_editor/lattice_editor.h"
#include "ui/graphs/block_dialog.h"
#include "ui/graphs/graph_prompt.h"
#include "ui/model/oblique_frames.h"
#include "ui/rules/hex_readout.h"
#include "ui/rules/nhood_matrix.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/question_table.h"
#include "ui/screen/window.h"
#include "ui/wiring_editor/editor_key_loop.h"
#include "ui/wiring_editor/editor_operations.h"
#include "ui/wiring_editor/editor_texts.h"
#include "ui/wiring_editor/graphics_2d_3d.h"

namespace {

constexpr int kPromptLines = kEditorPromptLines;
// Box slots of the information strip, the clean picture and the editor's
// region.
constexpr int kStripSlot = 3;
constexpr int kPictureSlot = 6;
constexpr int kRegionSlot = 7;

// The picture's layout, in vgax/vgay units. The lattice's right edge
// lies kPictureLeft plus a cell per column from the left; its start base
// line kBaseLine from the top (raised where the rule box needs the room).
// The editor's region reaches kRegionLeft left of kPictureLeft, kRegionRight
// right of the picture, kRegionAbove above its top and kRegionBelow below
// the start base line; the information strip is the last kStripHeight of
// it, kStripRight wide at most. The 3d frame stands kFrameGap right of the
// region's right edge.
constexpr int kPictureLeft = 42;
constexpr int kBaseLine = 390;
constexpr int kRegionLeft = 40, kRegionRight = 18, kRegionAbove = 50, kRegionBelow = 40;
constexpr int kStripHeight = 17, kStripRight = 620;
constexpr int kFrameGap = 20;
// The cell size a small lattice is drawn at and the gap between cells, and
// the 3d frame's largest pixels per cell.
constexpr int kSmallCellSize = 7, kCellGap = 3, kFrameCellSize = 8;
// The picture's labels: each tick runs from kTickFrom to kTickTo away from
// its cell's point, its number kLabelFrom away.
constexpr int kTickFrom = 5, kTickTo = 10, kLabelFrom = 12;

// The editor while it runs: the state the prompt and the keys in force
// read, then the picture and the turn's bookkeeping.
// The shared rows' hooks (editor_key_loop.h) follow the key operations.
struct lattice_session : editor_session_core {
    static constexpr int kind = editor_2d_3d;
    static constexpr unsigned kRewireEffects = kRewires;
    editor_2d_3d_state s;
    lattice_cursor cur;
    block_corners box;
    int block_dim = 2;
    link_display links;
    lattice_picture pic;
    float seven = kSmallCellSize; // vgax(kSmallCellSize)
    int frame_limit = 0;  // the 3d frame's height limit
    float pending_base = 0;
    bool commit = false;  // the pending base line is taken at the next picture
    bool redraw = false;  // the next turn rebuilds the picture
    // The saved regions: the information strip and the editor's region.
    int strip_x0 = 0, strip_y0 = 0, strip_x1 = 0, strip_y1 = 0;
    int region_x0 = 0, region_y0 = 0, region_x1 = 0, region_y1 = 0;
    bool regions_saved = false;
    bool first_picture = true;

    cells_in_reach reach() const;
    void after_effects(unsigned) {}
    void take_placed_part(const placed_part &part);
    int sculpt_over_screen();
};

int
n_cells()
{
    return lineL;
}

int
current_cell(const lattice_session &e)
{
    return std::min(cell_of_cursor(e.cur, e.pic.shape), std::max(0, n_cells() - 1));
}

void
sync_state(lattice_session &e)
{
    e.s.cursor = current_cell(e);
}

// ---- The picture -------------------------------------------------------------

int
frame_height_limit()
{
    return vgay(kBaseLine) - 5 * CHeight;
}

// The frame's left edge: beside the picture's right edge.
float
frame_left(const lattice_picture &p)
{
    return p.x1 + vgax(kRegionRight) + vgax(kFrameGap);
}

void
put_back_regions(lattice_session &e)
{
    if (!e.regions_saved)
        return;
    putimage(e.region_x0, e.region_y0, &boximage[kRegionSlot], 0);
    freeimage(&boximage[kRegionSlot]);
    putimage(e.strip_x0, e.strip_y0, &boximage[kStripSlot], 0);
    freeimage(&boximage[kStripSlot]);
    if (boximage[kPictureSlot])
        freeimage(&boximage[kPictureSlot]);
    e.regions_saved = false;
}

// The labels of the picture: the top left cell's column and row, "0" at
// the bottom right, and in 3d each layer's number beside its first row.
void
draw_labels(const lattice_session &e)
{
    const lattice_picture &p = e.pic;
    const lattice_shape &sh = p.shape;
    char text[16];
    float x, y;
    setcolor(white);
    lattice_cell_point(p, sh.width - 1, sh.height - 1, &x, &y);
    moveto(static_cast<int>(x), static_cast<int>(y) - vgay(kTickFrom));
    lineto(static_cast<int>(x), static_cast<int>(y) - vgay(kTickTo));
    snprintf(text, sizeof text, "%d", (sh.dim == 3 ? sh.i3d : sh.width) - 1);
    moveto(static_cast<int>(x) - CWidth / 2, static_cast<int>(y) - vgay(kTickTo) - CHeight);
    outtext(text);
    moveto(static_cast<int>(x) - vgax(kTickFrom), static_cast<int>(y));
    lineto(static_cast<int>(x) - vgax(kTickTo), static_cast<int>(y));
    snprintf(text, sizeof text, "%d", (sh.dim == 3 ? sh.j3d : sh.height) - 1);
    moveto(static_cast<int>(x) - vgax(kLabelFrom) - text_pixel_width(text, static_cast<int>(strlen(text))),
           static_cast<int>(y) - CHeight / 2);
    outtext(text);
    lattice_cell_point(p, 0, 0, &x, &y);
    moveto(static_cast<int>(x) + vgax(kTickFrom), static_cast<int>(y));
    lineto(static_cast<int>(x) + vgax(kTickTo), static_cast<int>(y));
    moveto(static_cast<int>(x) + vgax(kLabelFrom), static_cast<int>(y) - CHeight / 2);
    outtext("0");
    moveto(static_cast<int>(x), static_cast<int>(y) + vgay(kTickFrom));
    lineto(static_cast<int>(x), static_cast<int>(y) + vgay(kTickTo));
    moveto(static_cast<int>(x) - CWidth / 2, static_cast<int>(y) + vgay(kTickTo));
    outtext("0");
    if (sh.dim != 3)
        return;
    setcolor(lightred);
    int edge = static_cast<int>(p.x1 + (p.cell_size - p.gap) / 2);
    for (int j = sh.j3d; j < sh.height; j += sh.j3d) {
        lattice_cell_point(p, 0, j, &x, &y);
        moveto(edge, static_cast<int>(y));
        lineto(edge + vgax(kTickFrom), static_cast<int>(y));
        snprintf(text, sizeof text, "%d", j / sh.j3d);
        moveto(edge + vgax(kTickFrom + 1), static_cast<int>(y - 0.7 * CHeight));
        outtext(text);
    }
}

// The lattice's points: white on the border rows and columns, light cyan
// inside (only from a cell size of 4).
void
draw_points(const lattice_picture &p)
{
    const lattice_shape &sh = p.shape;
    for (int j = 0; j < sh.height; j++)
        for (int i = 0; i < sh.width; i++) {
            bool border = i == 0 || j == 0 || i == sh.width - 1 || j == sh.height - 1;
            if (!border && p.cell_size < 4)
                continue;
            float x, y;
            lattice_cell_point(p, i, j, &x, &y);
            putpixel(static_cast<int>(x), static_cast<int>(y), border ? white : lightcyan);
        }
}

// Rebuilds the picture: the regions under it saved, the region cleared
// and framed, the 3d frame, the points and labels, and the clean picture
// kept in its slot.
void
draw_picture(lattice_session &e)
{
    lattice_picture &p = e.pic;
    put_back_regions(e);
    p.gap = lattice_gap(p.cell_size, e.seven, vgax(kCellGap));
    p.pitch = lattice_row_pitch(p.cell_size, p.shape.hex);
    if (e.commit) {
        p.base = e.pending_base;
        e.commit = false;
    }
    float x0 = vgax(kPictureLeft);
    p.x1 = x0 + p.cell_size * (p.shape.width + 1);
    p.frame_x = frame_left(p);
    int top = static_cast<int>(lattice_picture_top(p));
    e.strip_x0 = static_cast<int>(x0) - vgax(kRegionLeft) + 2;
    e.strip_x1 = std::min<int>(Maxx - 2, vgax(kStripRight));
    e.strip_y0 = static_cast<int>(p.start_base) + vgay(kRegionBelow) - vgay(kStripHeight);
    e.strip_y1 = static_cast<int>(p.start_base) + vgay(kRegionBelow) - 2;
    e.region_x0 = static_cast<int>(x0) - vgax(kRegionLeft);
    e.region_x1 = static_cast<int>(p.x1) + vgax(kRegionRight);
    if (p.shape.dim == 3) {
        // The frame lies inside the region, so that leaving puts back what
        // was under it too.
        e.region_x1 = static_cast<int>(p.frame_x + p.shape.i3d * p.s3 +
                                       p.shape.j3d * p.s3 * std::sqrt(0.5)) + 4;
    }
    // The information line's strip lies inside the region too.
    e.region_x1 = std::min<int>(Maxx - 1, std::max(e.region_x1, e.strip_x1 + 2));
    // Below the set-up line (or the K-matrix picture's labels) its top
    // would cut, which stays whole above it, as long as the information
    // line keeps its place above the picture.
    const int region_top = std::max(0, top - vgay(kRegionAbove));
    e.region_y0 = setup_clear_row(region_top);
    if (e.region_y0 > top - 2 * CHeight)
        e.region_y0 = text_column_clear_row(region_top);
    e.region_y1 = std::min<int>(Maxy, static_cast<int>(p.start_base) + vgay(kRegionBelow));
    getimage(e.strip_x0, e.strip_y0, e.strip_x1, e.strip_y1, &boximage[kStripSlot]);
    getimage(e.region_x0, e.region_y0, e.region_x1, e.region_y1, &boximage[kRegionSlot]);
    e.regions_saved = true;
    setviewport(e.region_x0, e.region_y0, e.region_x1, e.region_y1, 1);
    clearviewport();
    setviewport(0, 0, Maxx, Maxy, 1);
    setcolor(lightred);
    rectangle(e.region_x0, e.region_y0, e.region_x1, e.region_y1);
    if (p.shape.dim == 3) {
        float fx, fy;
        frame_top_left(p, &fx, &fy);
        setcolor(lightgray);
        draw_save_3d_frame(p.s3, static_cast<int>(fx), static_cast<int>(fy));
    }
    draw_points(p);
    draw_labels(e);
    if (boximage[kPictureSlot])
        freeimage(&boximage[kPictureSlot]);
    getimage(e.region_x0 + 1, e.region_y0 + 1, static_cast<int>(p.x1) + vgax(kRegionRight - 1),
             std::min<int>(e.strip_y0 - 1, e.region_y1 - 1), &boximage[kPictureSlot]);
    if (e.first_picture) {
        e.cur = cursor_of_cell(first_cursor_cell(n_cells(), p.shape, outer_tot), p.shape);
        e.first_picture = false;
    }
    e.links.cursor = editor_cursor_colour();
    e.redraw = false;
}

// ---- One turn ------------------------------------------------------------------

// The information line under the picture, its cells written as places
// on the lattice, in its strip; a small rule follows in hex. A line wider
// than the strip (many inputs, a narrow window) is written in the medium
// or the small font, the first in which it fits; only a line too wide
// even for the small font is clipped at the strip's end.
void
write_information_line(const lattice_session &e)
{
    int c = current_cell(e);
    const char *dims[] = {"1d ", "2d ", "3d "};
    std::string text = dims[e.pic.shape.dim - 1];
    information_line line = information_pieces(c, e.pic.shape.dim, e.s.rules_set);
    for (const std::string &piece : line.pieces)
        text += piece;
    const bool hex = line.rule_in_hex && !tot_only;
    const int hex_width = hex ? hex_string_bytes(1, nhoodm[c]) * 2 * CWidth : 0;
    const int room = e.strip_x1 - e.strip_x0 - 4 - hex_width;
    setviewport(e.strip_x0, e.strip_y0, e.strip_x1, e.strip_y1, 1);
    clearviewport();
    font_while fitted({text}, room, {set_medium_font, set_small_font});
    setcolor(white);
    moveto(e.strip_x0 + 2, e.strip_y0 + 1);
    outtext(text.c_str());
    if (hex)
        print_current_bitstring_hexbytes(1, shown_rule_table(c), nhoodm[c], Maxx, white, 2);
    setviewport(0, 0, Maxx, Maxy, 1);
}

// Three red lines through the cursor cell in the 3d frame, one along each
// axis.
void
mark_cursor_in_frame(const lattice_session &e)
{
    const lattice_picture &p = e.pic;
    const lattice_shape &sh = p.shape;
    int c = current_cell(e), layer = sh.i3d * sh.j3d;
    int h = c / layer, j3 = (c - h * layer) / sh.i3d, i = c % sh.i3d;
    auto line = [&p](int i0, int j0, int h0, int i1, int j1, int h1) {
        float x0, y0, x1, y1;
        frame_cell_point(p, i0, j0, h0, &x0, &y0);
        frame_cell_point(p, i1, j1, h1, &x1, &y1);
        moveto(static_cast<int>(x0), static_cast<int>(y0));
        lineto(static_cast<int>(x1), static_cast<int>(y1));
    };
    setcolor(red);
    line(0, j3, h, sh.i3d - 1, j3, h);
    line(i, 0, h, i, sh.j3d - 1, h);
    line(i, j3, 0, i, j3, sh.h3d - 1);
}

// The cells the shared operations reach: the cursor cell, or, when both
// the block flag and the all-links flag are set, the block's cells inside
// its corners.
cells_in_reach
lattice_session::reach() const
{
    cells_in_reach reach = reach_in_state(kind, s, all_links);
    reach.cursor = current_cell(*this);
    reach.box = box;
    return reach;
}

void
draw_turn(lattice_session &e)
{
    sync_state(e);
    show_own_rule(e.s.rules_set, current_cell(e));
    write_information_line(e);
    putimage(e.region_x0 + 1, e.region_y0 + 1, &boximage[kPictureSlot], 0);
    if (e.pic.shape.dim == 3 && boximage[kLatticeFrameSlot]) {
        float fx, fy;
        frame_top_left(e.pic, &fx, &fy);
        putimage(static_cast<int>(fx), static_cast<int>(fy), &boximage[kLatticeFrameSlot], 0);
        mark_cursor_in_frame(e);
    }
    // The block's cells from the high one down.
    std::vector<uint16_t> block = block_cells_inside(e.reach());
    for (auto c = block.rbegin(); c != block.rend(); ++c)
        draw_2d_3d_links(*c, e.pic, e.links);
    draw_2d_3d_links(static_cast<uint16_t>(current_cell(e)), e.pic, e.links);
}

// ---- The block dialog ----------------------------------------------------------

constexpr int kBlockLines = 4;

// The block under definition: the dialog's first rows write here, the
// corner rows into its ends (block_dialog.h).
struct block_answers {
    lattice_shape shape;
    int n = 0;
    int dim = 2;
    int cursor_cell = 0;
    lattice_block_ends ends;
    int low_cell = 0, high_cell = 0;
    bool single = false, whole = false;
};
using block_question = question_row<block_answers>;

void
put(const char *format, ...) __attribute__((format(printf, 1, 2)));

void
put(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    outtext(formatted_list(format, args).c_str());
    va_end(args);
}

bool
asks_cells(const block_answers &a)
{
    return !a.single && !a.whole && a.shape.dim == 1;
}

void
dimension_prompt(block_answers &a)
{
    dialog_row(0);
    put("%dd block-%d, all-a single cell-def:", a.shape.dim, a.shape.dim);
}

answer_step
take_dimension(block_answers &a, int)
{
    char key = is[0];
    if (key == kKeyReturn) {
        a.single = true;
        return answer_step::finish;
    }
    // The key taken is echoed after the question, which its single-key
    // entry leaves without it.
    if (key == 'a') {
        put("%c", key);
        a.whole = true;
        return answer_step::finish;
    }
    if (key == '1' || key == '2' || (key == '3' && a.shape.dim == 3)) {
        put("%c", key);
        a.dim = key - '0';
    }
    return answer_step::next;
}

void
low_cell_prompt(block_answers &a)
{
    dialog_row(1);
    put("%dd block (0-%d, def %d), low:", a.dim, a.n - 1, a.cursor_cell);
}

answer_step
take_low_cell(block_answers &a, int len)
{
    a.low_cell = static_cast<int>(whole_answer_held(a.cursor_cell, {0, a.n - 1.0}, len));
    return answer_step::next;
}

answer_step
take_high_cell(block_answers &a, int len)
{
    int high = static_cast<int>(whole_answer_held(a.n - 1, {0, a.n - 1.0}, len));
    a.high_cell = high < a.low_cell ? a.n - 1 : high;
    return answer_step::next;
}

// The largest value of each axis.
int
axis_max(const lattice_shape &s, int axis)
{
    if (s.dim == 3)
        return (axis == 0 ? s.i3d : axis == 1 ? s.j3d : s.h3d) - 1;
    return (axis == 0 ? s.width : s.height) - 1;
}

// The first line and a 1d block's range; the corners of a 2d or 3d block
// are asked after them.
const block_question kBlockQuestions[] = {
    block_question::row()
        .prompts(dimension_prompt)
        .entry(1, single_key_entry)
        .then(take_dimension)
        .quits(answer_step::leave),
    block_question::row()
        .when(asks_cells)
        .prompts(low_cell_prompt)
        .entry(5, numeric_entry)
        .then(take_low_cell)
        .on_line(1)
        .quits(answer_step::leave),
    block_question::row()
        .when(asks_cells)
        .prompts([](block_answers &) { outtext(" high:"); })
        .entry(5, numeric_entry)
        .then(take_high_cell)
        .on_line(1)
        .quits(answer_step::leave),
};

// The corners' defaults around the cursor: on a 3d lattice the cursor's
// layer between the whole first two axes, on a 2d one its row.
lattice_block_ends
corner_defaults(const lattice_session &e)
{
    const lattice_shape &sh = e.pic.shape;
    lattice_block_ends ends;
    ends.axes = sh.dim == 3 ? 3 : 2;
    for (int c = 0; c < 3; c++)
        ends.most[c] = axis_max(sh, c);
    if (sh.dim == 3) {
        int j3 = e.cur.j % sh.j3d, h = e.cur.j / sh.j3d;
        const int place[3] = {e.cur.i, j3, h};
        std::copy(place, place + 3, ends.this_place);
        ends.low[2] = ends.high[2] = h;
        ends.high[0] = sh.i3d - 1;
        ends.high[1] = sh.j3d - 1;
    } else {
        ends.this_place[0] = e.cur.i;
        ends.this_place[1] = e.cur.j;
        ends.low[1] = ends.high[1] = e.cur.j;
    }
    return ends;
}

// The block dialog: the whole network, a block of cells (1d) or of
// corners (2d, 3d) with the defaults of the shape, or the single cursor
// cell again.
void
define_block(lattice_session &e, char)
{
    block_answers answers;
    answers.shape = e.pic.shape;
    answers.n = n_cells();
    answers.dim = e.block_dim;
    answers.cursor_cell = current_cell(e);
    answers.ends = corner_defaults(e);
    erase_prompt_box(kPromptLines);
    draw_prompt_box(kBlockLines);
    int colour = getcolor();
    setcolor(white);
    answer_step end = ask_questions(kBlockQuestions, question_place{nullptr, nullptr, false}, answers);
    if (end == answer_step::next && answers.shape.dim > 1) {
        answers.ends.dim = answers.dim;
        end = ask_lattice_corners(answers.ends);
    }
    setcolor(colour);
    erase_prompt_box(kBlockLines);
    e.block_dim = answers.dim;
    if (end == answer_step::leave || answers.single) {
        e.s.block = e.all_links = 0;
        return;
    }
    const lattice_shape &sh = answers.shape;
    if (answers.whole) {
        e.box = whole_lattice_corners(answers.n, sh);
        e.s.low = 0;
        e.s.high = answers.n - 1;
    } else if (sh.dim == 1) {
        e.s.low = answers.low_cell;
        e.s.high = answers.high_cell;
        e.box = corners_of_cells(e.s.low, e.s.high, sh);
    } else {
        block_corners b;
        const lattice_block_ends &ends = answers.ends;
        b.i_low = static_cast<int16_t>(ends.low[0]);
        b.j_low = static_cast<int16_t>(ends.low[1]);
        b.h_low = static_cast<int16_t>(ends.low[2]);
        b.i_high = static_cast<int16_t>(ends.high[0]);
        b.j_high = static_cast<int16_t>(ends.high[1]);
        b.h_high = static_cast<int16_t>(ends.high[2]);
        e.box = b;
        cells_of_corners(b, sh, &e.s.low, &e.s.high);
    }
    e.s.block = e.all_links = 1;
}

// ---- What the keys do ------------------------------------------------------------

template <lattice_move Move>
void
move(lattice_session &e, char)
{
    e.cur = move_lattice_cursor(e.cur, Move, e.pic.shape);
}

void
jump(lattice_session &e, char)
{
    int16_t ij[2] = {0, 0};
    jump2d_3d(ij);
    e.cur.i = ij[0];
    e.cur.j = ij[1];
}

void
next_link_mode(lattice_session &e, char)
{
    e.links.mode = (e.links.mode + 1) % kLinkModes;
}

void
toggle_pseudo(lattice_session &e, char)
{
    e.links.pseudo = !e.links.pseudo;
}

void
toggle_index(lattice_session &e, char)
{
    e.links.index = !e.links.index;
}

// The frame area cleared before a new size draws it again.
void
clear_frame_area(const lattice_session &e)
{
    if (e.pic.shape.dim != 3)
        return;
    float fx, fy;
    frame_top_left(e.pic, &fx, &fy);
    setfillstyle(0, black);
    bar(static_cast<int>(fx), static_cast<int>(fy), e.region_x1 - 1, static_cast<int>(e.pic.start_base));
}

// 'e' and 'c': the cell size one more or one less, never below 1; 'E'
// and 'C': the 3d frame's, growing only while the frame fits its height
// limit. A new size clears the frame area and draws the picture again.
void
resize(lattice_session &e, char key)
{
    lattice_picture &p = e.pic;
    bool grows = key == 'e' || key == 'E';
    bool frame = key == 'E' || key == 'C';
    int size = frame ? p.s3 : static_cast<int>(p.cell_size);
    bool room = grows ? !frame || frame_can_grow(p.shape.j3d, p.shape.h3d, p.s3, e.frame_limit)
                      : size > 1;
    if (!room)
        return;
    clear_frame_area(e);
    int step = grows ? 1 : -1;
    if (frame)
        p.s3 += step;
    else
        p.cell_size += step;
    e.redraw = true;
}

void
picture_up(lattice_session &e, char)
{
    e.pending_base = base_after_up(e.pic.base, e.pic.start_base, Maxy);
    e.commit = true;
}

void
picture_down(lattice_session &e, char)
{
    if (!picture_can_go_down(e.pic, vgay(kRegionAbove)))
        return;
    e.pending_base = e.pic.base + Maxy / 5.0f;
    e.commit = true;
}

void
picture_to_start(lattice_session &e, char)
{
    e.pic.base = e.pending_base = e.pic.start_base;
    e.redraw = true;
}

// Hexagonal and square in turn, and every cell wired by the template of
// the new layout.
void
toggle_hex(lattice_session &e, char)
{
    hex2d = hex2d ? 0 : 1;
    regular2d_tgrid = hex2d;
    e.pic.shape.hex = hex2d != 0;
    wire_lattice_by_template();
    cell_out_freq();
    e.redraw = true;
}

// The sculpting runs over the screen as it was before the editor (under
// the prompt and the region); the editor's picture is put back afterwards.
// The picture is kept in a slot of its own: box slot 19 is the colour
// key's, which the runs of the sculpting may show and take down.
int
lattice_session::sculpt_over_screen()
{
    int result = learn_over_screen(region_x0, region_y0, region_x1, region_y1, &boximage[kRegionSlot]);
    // The cell editor's 3d picture keeps its own frame in the frame slot.
    if (pic.shape.dim == 3)
        redraw = true;
    return result;
}

// A placed load's block: the part's corners on the picture's lattice.
void
lattice_session::take_placed_part(const placed_part &part)
{
    placed_block(part, pic.shape, &box, &s.low, &s.high);
}

// ---- The key table ---------------------------------------------------------------

// The end of this editor's turn recounts nothing: every key that may
// change the wiring recounts the out-degrees itself (kRewires), so that
// the information line and the histograms read the wiring as it is.
using lattice_key = key_row<lattice_session, void>;

bool
average_z_offered(const lattice_session &e)
{
    return rules_not_tot_only(e) && rulemix;
}

bool
network_2d(const lattice_session &)
{
    return twod && !threed;
}

bool
has_block(const lattice_session &e)
{
    return e.s.block != 0;
}

bool
can_kill(const lattice_session &e)
{
    return e.s.rules_set && rulemix;
}

std::string
jump_help(const lattice_session &)
{
    return threed ? ", jump-j" : " jump-j";
}

// The 3d frame's size keys join the picture's.
std::string
scale_help(const lattice_session &)
{
    return threed ? "\nexp/contr-e/c/E/C" : "\nexp/contr-e/c";
}

// The cells are named as places on the picture's lattice; the cursor
// read from the state the prompt is drawn for.
std::string
rewire_heading(const lattice_session &e)
{
    cells_in_reach reach = e.reach();
    reach.cursor = e.s.cursor;
    return rewire_heading_text(lattice_shape_now().dim, reach);
}

std::string
rule_help(const lattice_session &)
{
    return tot_only ? "rule: Save/rev-S/v, Derrida-D" : "rule: Save/rev/trans-S/v/t, Derrida-D";
}

// One row per key: the prompt piece naming it, when it is offered (and so
// acts), and what it does with its effects. A row without a piece of its
// own is named by the piece before it; a row without keys only writes.
const lattice_key kLatticeKeys[] = {
    lattice_key::on(kLeftKey).help(heading_help).does(act<move<lattice_move::left>, no_effect>),
    lattice_key::on(kRightKey).does(act<move<lattice_move::right>, no_effect>),
    lattice_key::on(kUpKey).does(act<move<lattice_move::up>, no_effect>),
    lattice_key::on(kDownKey).does(act<move<lattice_move::down>, no_effect>),
    lattice_key::on("[").help(", levels up/down-[/]").when(network_3d)
        .does(act<move<lattice_move::layer_up>, no_effect>),
    lattice_key::on("]").when(network_3d).does(act<move<lattice_move::layer_down>, no_effect>),
    lattice_key::on("j").help(jump_help).does(act<jump, no_effect>),

    lattice_key::on("e").help(scale_help).does(act<resize, no_effect>),
    lattice_key::on("c").does(act<resize, no_effect>),
    lattice_key::on("E").when(network_3d).does(act<resize, no_effect>),
    lattice_key::on("C").when(network_3d).does(act<resize, no_effect>),
    lattice_key::on("u").help(" up/down/start-u/d/T").does(act<picture_up, no_effect>),
    lattice_key::on("d").does(act<picture_down, no_effect>),
    lattice_key::on("T").does(act<picture_to_start, no_effect>),
    lattice_key::on("x").help(", CA wiring and toghex-x").when(network_2d).does(act<toggle_hex, no_effect>),

    lattice_key::on("b").help("\nblock-b tog:").does(act<define_block, no_effect>),
    lattice_key::on("g").help("block-g ").when(has_block)
        .does(act<toggle_all_links<lattice_session>, no_effect>),
    lattice_key::on("n").help("links-n").does(act<next_link_mode, no_effect>),
    lattice_key::on("p").help(" pseudo-p").does(act<toggle_pseudo, no_effect>),
    lattice_key::on("i").help(" index-i, ").does(act<toggle_index, no_effect>),
    lattice_key::on("z").help("avZ-z ").when(average_z_offered).does(act_on_cells<average_z, no_effect>),
    lattice_key::on("l").help("learn-l").when(rules_not_tot_only).does(act<learn<lattice_session>, kRewires>),

    lattice_key::on("").help(rewire_heading),
    kHandRow<lattice_session>,
    kRandomRow<lattice_session>,
    kWeightedRow<lattice_session>,
    kBiasRow<lattice_session>,
    kLocal1dRow<lattice_session>,
    lattice_key::on("2").help(" 2d-2").does(act_on_cells<local_lattice_rewire, kRewires>),
    kLocal3dRow<lattice_session>,

    lattice_key::on("").help("\n"),
    kChangeKRow<lattice_session>,
    lattice_key::on("K").help("kill-K, ").when(can_kill).does(act_on_cells<kill_cell, kRewires>),
    lattice_key::on("S").help(rule_help).when(rules).does(act_on_cells<save_rule, no_effect>),
    lattice_key::on("v").does(act_on_cells<revise_rule, no_effect>),
    lattice_key::on("t").when(rules_not_tot_only).does(act_on_cells<transform, no_effect>),
    lattice_key::on("D").does(act_on_cells<derrida, no_effect>),

    lattice_key::on("f").help("\nfile/data -f, ").does(act<network_data<lattice_session>, no_effect>),
    kHistogramRow<lattice_session>,
    kResetRow<lattice_session>,
    kContinueRow<lattice_session>,
};

void
draw_prompt(const lattice_session &e)
{
    draw_2d_3d_graphics_prompt(help_lines(key_help(kLatticeKeys, e)));
}

// ---- Set-up, turn and end ------------------------------------------------------

// The picture's numbers on entry, for the displayed shape in i2d, j2d.
lattice_picture
entry_picture(bool rules_set_now)
{
    lattice_picture p;
    p.shape = lattice_shape_now();
    p.cell_size = lattice_cell_size(p.shape, Maxy, vgax(kSmallCellSize));
    p.gap = lattice_gap(p.cell_size, vgax(kSmallCellSize), vgax(kCellGap));
    p.pitch = lattice_row_pitch(p.cell_size, p.shape.hex);
    p.x1 = vgax(kPictureLeft) + p.cell_size * (p.shape.width + 1);
    p.frame_x = frame_left(p);
    // The region ends kRegionBelow below the start base line, and above the
    // rule box where the rules are shown (at its tallest, three lines):
    // the picture rises by as much.
    int lowest = lowest_region_row(rules_set_now);
    int rise = std::max(0, vgay(kBaseLine) + vgay(kRegionBelow) - lowest);
    p.start_base = static_cast<float>(vgay(kBaseLine) - rise);
    p.base = p.start_base;
    if (p.shape.dim == 3)
        p.s3 = frame_cell_size(p.shape.j3d, p.shape.h3d, vgax(kFrameCellSize), frame_height_limit());
    return p;
}

void
set_up(lattice_session &e)
{
    ca_bias = 0;
    if (twod && !threed && regular2d_tgrid == 1)
        hex2d = 1;
    set_displayed_shape();
    e.pic = entry_picture(e.s.rules_set);
    e.seven = vgax(kSmallCellSize);
    e.pending_base = e.pic.base;
    e.frame_limit = frame_height_limit();
    e.links.pseudo = pseudo_at_start();
    e.block_dim = e.pic.shape.dim;
    save_under_editor_prompt();
}

// Puts back what the editor covered.
void
put_back(lattice_session &e)
{
    put_back_regions(e);
    if (boximage[kLatticeFrameSlot])
        freeimage(&boximage[kLatticeFrameSlot]);
    put_back_under_editor_prompt();
}

// The end of a turn: once a change has set was_changed, the wiring is
// general (not regular, not compressed) at the end of every later turn;
// learning that changed nothing in its last call leaves the flags.
void
end_turn(lattice_session &e)
{
    sync_state(e);
    draw_prompt(e);
    if (e.turn_changed_wiring())
        mark_wiring_general();
}

} // namespace

std::vector<key_help_line>
editor_2d_3d_help(const editor_2d_3d_state &s)
{
    return help_in_state(kLatticeKeys, s);
}

std::vector<std::string>
editor_2d_3d_prompt_lines(const editor_2d_3d_state &s)
{
    return help_lines(editor_2d_3d_help(s));
}

bool
editor_2d_3d_takes(const editor_2d_3d_state &s, int key)
{
    return takes_in_state(kLatticeKeys, s, key);
}

lattice_picture
editor_2d_3d_picture_now(bool rules_set_now)
{
    int16_t saved_i2d = i2d, saved_j2d = j2d;
    set_displayed_shape();
    lattice_picture p = entry_picture(rules_set_now);
    i2d = saved_i2d;
    j2d = saved_j2d;
    return p;
}

std::string
editor_2d_3d_keys()
{
    return all_keys(kLatticeKeys);
}

void
show_graphic_wiring_2d_3d(bool rules_set_now)
{
    if (!editor_can_open())
        return;
    int16_t saved_i2d = i2d, saved_j2d = j2d;
    int16_t x = getx, y = gety;
    lattice_session e;
    e.s.rules_set = rules_set_now;
    set_up(e);
    draw_picture(e);
    sync_state(e);
    draw_prompt(e);
    for (;;) {
        draw_turn(e);
        char key = take_editor_key(kLatticeKeys, e);
        if (!leaves_editor(key))
            end_turn(e);
        if (e.redraw || e.commit) {
            draw_picture(e);
            draw_prompt(e);
            continue;
        }
        if (leaves_editor(key))
            break;
    }
    put_back(e);
    i2d = saved_i2d;
    j2d = saved_j2d;
    was_changed = 1;
    if (twod && !threed && hex2d)
        regular2d_tgrid = 1;
    moveto(x, y);
}
