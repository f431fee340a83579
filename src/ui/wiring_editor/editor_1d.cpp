// The 1d wiring graph editor (editor_1d.h): its set-up, its turn (rule
// readout, information line, rows or ring, links, prompt, one key), the
// end of a turn that records a change, and the table of its keys.
//
// Reads and writes the network model (model/): the wiring table, nhoodm,
// the rules; writes the wiring kind flags (wiring/, backward/) and
// was_changed (forward/). Computes its numbers with
// engine/wiring_editor/editor_1d_layout.h; draws with graphics_1d.h and
// spread_1d.h. The key operations it shares with the 2d/3d editor, over
// the cursor cell or the block, are editor_operations.h, its information
// line and shared prompt pieces editor_texts.h, its key wait and the row
// actions both tables use (the all-links toggle, learning, the network
// data menu, over the hooks of its session) editor_key_loop.h; its own are
// the cursor moves, the block dialog, the spread, untangling and deleting
// a cell. Start at show_graphic_wiring_1d;
// the key table is at kEditorKeys.
#include "ui/screen/question_table.h"
#include "ui/wiring_editor/editor_1d.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/out_degrees.h"
#include "engine/wiring_editor/cell_removal.h"
#include "engine/wiring_editor/editor_1d_layout.h"
#include "engine/wiring_editor/untangle.h"
#include "ui/rules/hex_readout.h"
#include "ui/rules/nhood_matrix.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/window.h"
#include "ui/wiring_editor/editor_key_loop.h"
#include "ui/wiring_editor/editor_operations.h"
#include "ui/wiring_editor/editor_texts.h"
#include "ui/wiring_editor/graphics_1d.h"
#include "ui/wiring_editor/spread_1d.h"

namespace {

constexpr int kPromptLines = kEditorPromptLines;

// The drawing region's layout, in vgax/vgay units: kRegionGap under the
// prompt box and under the lowest labels; in the time-step layout from
// kRowsRegionLeft, kRowsRegionRight (and three characters) past the rows'
// right edge, kRowsRegionAbove above the upper row; round the ring the
// node's size, kNodeGap and kRingMargin. The row labels "t0" "t1" follow a
// line from kRowLabelLineFrom to kRowLabelLineTo past the rows' right end.
constexpr int kRegionGap = 4;
constexpr int kRowsRegionLeft = 20, kRowsRegionRight = 24, kRowsRegionAbove = 70;
constexpr int kNodeGap = 3, kRingMargin = 20;
constexpr int kRowLabelLineFrom = 5, kRowLabelLineTo = 20;

// The editor while it runs. The public state is what the prompt and the
// keys in force read; the rest is the picture and the turn's bookkeeping.
// The shared rows' hooks (editor_key_loop.h) follow the key operations.
struct editor_session : editor_session_core {
    static constexpr int kind = editor_1d;
    // Every key that may change the wiring recounts the out-degrees and
    // makes the picture of all links out of date itself, so that what is
    // shown matches the wiring even when the end of the turn passes over a
    // change (after learning that changed nothing).
    static constexpr unsigned kRewireEffects = kRewires | new_links;
    editor_1d_state s;
    int pseudo = 0;     // links as straight lines
    int spread = 0;     // spread asked for: 0 none, 1 inputs, 2 outputs
    bool links_valid = false; // the saved picture of all links is up to date
    bool restart = false;     // a delete: set up again for the new size
    editor_1d_picture pic;
    // The screen under the drawing region and beside it, where the set-up
    // lines it reaches into are hidden: rows pic.y0..under_bottom across
    // the window's width.
    image_slot region_under = 0;
    int under_bottom = 0;
    image_slot links_picture = 0; // the rows with every link of the block, time-step

    cells_in_reach reach() const;
    void after_effects(unsigned effects);
    void take_placed_part(const placed_part &part);
    int sculpt_over_screen();
};

// ---- Set-up and drawing of a turn -----------------------------------------

const layout_scale kWindowScale = {vgax, vgay, 0};

int
n_cells()
{
    return lineL;
}

bool
one_d()
{
    return !twod && !threed;
}

// The drawing region of each layout: the rows or the ring, with room for
// the information line above them, the labels beside and below, and the
// prompt box, which it stays below wherever it reaches under it, and below
// the set-up line its top would cut. Where the
// design's places would take the region into the rule box, the rows or
// the ring move up by as much.
void
lay_out_region(editor_1d_picture &pic, bool rules_set)
{
    layout_scale scale = kWindowScale;
    scale.maxx = Maxx;
    int n = n_cells();
    pic.rows = lay_out_time_step(n, scale);
    pic.ring = lay_out_circle(n, scale);
    int under_prompt = prompt_box_bottom(kPromptLines) + vgay(kRegionGap);
    int lowest = lowest_region_row(rules_set);
    if (pic.layout == layout_time_step) {
        time_step_layout &t = pic.rows;
        int rise = std::max(0, t.t1_y + t.tallest + 2 * CHeight + vgay(kRegionGap) - lowest);
        t.t1_y -= rise;
        t.t0_y -= rise;
        t.fan_y -= rise;
        pic.x0 = vgax(kRowsRegionLeft);
        pic.x1 = std::min<int>(Maxx - 2, static_cast<int>(t.edge) + vgax(kRowsRegionRight) + 3 * CWidth);
        // The top stands below the set-up line (or the K-matrix picture's
        // labels) it would cut: the room above the upper row takes it, as
        // long as the information line keeps its place above the rows.
        const int top = std::max(under_prompt, t.t0_y - vgay(kRowsRegionAbove));
        pic.y0 = setup_clear_row(top);
        if (pic.y0 > t.t0_y - 3 * CHeight)
            pic.y0 = text_column_clear_row(top);
        pic.y1 = t.t1_y + t.tallest + 2 * CHeight + vgay(kRegionGap);
        return;
    }
    circle_layout &r = pic.ring;
    int margin = static_cast<int>(r.node) + vgax(kNodeGap) + vgax(kRingMargin);
    r.cy -= std::max(0, static_cast<int>(r.cy + r.radius) + margin - lowest);
    pic.x0 = std::max(2, static_cast<int>(r.cx - r.radius) - margin);
    pic.x1 = std::min<int>(Maxx - 2, static_cast<int>(r.cx + r.radius) + margin);
    pic.y0 = std::max(2, static_cast<int>(r.cy - r.radius) - margin - 2 * CHeight);
    if (pic.x1 >= Maxx / 2)
        pic.y0 = std::max(pic.y0, under_prompt);
    // The top stands below the set-up line it would cut; the ring moves
    // down by as much where the room below it allows, and otherwise the
    // margin above it takes the rest.
    const int clear_top = setup_clear_row(pic.y0);
    const int room_below = lowest - (static_cast<int>(r.cy + r.radius) + margin);
    r.cy += std::min(clear_top - pic.y0, std::max(0, room_below));
    pic.y0 = clear_top;
    pic.y1 = std::min(lowest, static_cast<int>(r.cy + r.radius) + margin);
}

// The upper row (4 pixels high) and the lower row (4 pixels, or each cell
// as tall as its out-degree once the wiring is not regular local), with
// their labels.
void
draw_rows(const time_step_layout &t)
{
    int n = t.n;
    setfillstyle(0, lightgray);
    setcolor(lightgray);
    for (int c = 0; c < n; c++) {
        double x = t.cell_x(c);
        int left = static_cast<int>(x - t.pitch / 2 + 0.5);
        int width = static_cast<int>(t.pitch) - t.gap;
        int height = nonlocal && celloutfreq ? std::min<int>(celloutfreq[c], t.tallest) : 4;
        for (int top : {t.t0_y, t.t1_y}) {
            int h = top == t.t0_y ? 4 : height;
            if (h <= 0)
                continue;
            if (t.lines || width <= 1) {
                moveto(static_cast<int>(x), top);
                lineto(static_cast<int>(x), top + h - 1);
            } else {
                bar(left, top, left + width - 1, top + h - 1);
            }
        }
    }
    // The row labels after a short line past the rows' right end.
    setcolor(white);
    int end = static_cast<int>(t.row_end());
    for (int top : {t.t0_y, t.t1_y}) {
        moveto(end + vgax(kRowLabelLineFrom), top);
        lineto(end + vgax(kRowLabelLineTo), top);
        moveto(end + vgax(kRowLabelLineTo + 2), top - CHeight / 2);
        outtext(top == t.t0_y ? "t0" : "t1");
    }
    // The end cells, marked under the lower row: a mark, and below it the
    // cell's number, the last cell's ending at its mark.
    int label_y = t.t1_y + t.tallest + 2;
    int left_x = static_cast<int>(t.cell_x(n - 1));
    int right_x = static_cast<int>(t.cell_x(0));
    moveto(left_x, label_y);
    outtext("|");
    moveto(right_x, label_y);
    outtext("|");
    char text[24];
    snprintf(text, sizeof text, "cell %d", n - 1);
    moveto(left_x, label_y + CHeight - 4);
    outtext(text);
    // Cell 0's number ends at its mark; it is the bare number where the full
    // label would run into the last cell's.
    auto start_of = [&](const char *label) {
        return right_x + CWidth / 2 - text_pixel_width(label, static_cast<int>(strlen(label)));
    };
    int left_end = left_x + text_pixel_width(text, static_cast<int>(strlen(text)));
    const bool bare = n <= 8 || start_of("cell 0") <= left_end + CWidth;
    const char *last = bare ? "     0" : "cell 0";
    int x = start_of(last);
    // Where the cells stand closer than the last cell's label is wide, even
    // the bare number would run into that label: its digit follows the
    // label a space on instead, as near its mark as that leaves it.
    if (bare) {
        const int padding = text_pixel_width(last, static_cast<int>(strlen(last)) - 1);
        x = std::max(x, left_end + text_pixel_width(" ", 1) - padding);
    }
    moveto(x, label_y + CHeight - 4);
    outtext(last);
}

// Text from the current point, going on at the region's left margin one
// line lower where it would pass the region's right edge, with room for
// after pixels more (what is written after it on the same line).
void
put_wrapped(const editor_1d_picture &pic, const char *text, int after = 0)
{
    int width = text_pixel_width(text, static_cast<int>(strlen(text))) + after;
    if (getx + width > pic.x1 - 4 && getx > pic.x0 + 4)
        moveto(pic.x0 + 4, gety + CHeight);
    outtext(text);
}

// The information line of the cursor cell at the region's top left, its
// cells written as numbers whatever the network's dimension, wrapped in
// the region; a small rule follows in hex.
void
write_information_line(const editor_session &e)
{
    const editor_1d_picture &pic = e.pic;
    int c = e.s.cursor;
    setcolor(white);
    moveto(pic.x0 + 4, pic.y0 + 3);
    information_line line = information_pieces(c, 1, e.s.rules_set);
    // The rule's hex bytes (two digits a byte) stay on the line of the
    // piece that names them.
    bool hex = line.rule_in_hex && !tot_only;
    int hex_width = hex ? hex_string_bytes(1, nhoodm[c]) * 2 * CWidth : 0;
    for (size_t i = 0; i < line.pieces.size(); i++)
        put_wrapped(pic, line.pieces[i].c_str(), i + 1 == line.pieces.size() ? hex_width : 0);
    if (hex)
        print_current_bitstring_hexbytes(1, shown_rule_table(c), nhoodm[c], pic.x1 - 4, white, 0);
}

// Every link of the block (or of the network) in red, straight; in the
// time-step layout kept as a picture of the rows' area while the wiring
// stays as it is.
void
draw_all_links(editor_session &e)
{
    const editor_1d_picture &pic = e.pic;
    int top = pic.rows.t0_y, bottom = pic.rows.t1_y + pic.rows.tallest;
    // The links run between the rows: the picture ends before the rows'
    // labels, which each turn writes again.
    int left = pic.x0 + 1,
        right = std::min(pic.x1 - 1, static_cast<int>(pic.rows.row_end()) + vgax(kRowLabelLineFrom) - 1);
    if (pic.layout == layout_time_step && e.links_valid && e.links_picture) {
        putimage(left, top, &e.links_picture, 0);
        return;
    }
    bool in_block = e.s.block && e.s.low < e.s.high && e.s.high < n_cells();
    int first = in_block ? e.s.low : 0, last = in_block ? e.s.high : n_cells() - 1;
    setcolor(red);
    for (int c = last; c >= first; c--) {
        if (pic.layout == layout_time_step)
            draw_1d_links(pic.rows, 1, e.s.rules_set, static_cast<uint16_t>(c));
        else
            draw_1d_links_c(pic.ring, 1, e.s.rules_set, static_cast<uint16_t>(c));
    }
    if (pic.layout != layout_time_step)
        return;
    if (e.links_picture)
        freeimage(&e.links_picture);
    // The clip of the region would hold back the copy into the picture,
    // whose own corner is (0, 0): it is taken with the whole window open.
    setviewport(0, 0, Maxx, Maxy, 1);
    getimage(left, top, right, bottom, &e.links_picture);
    setviewport(pic.x0 + 1, pic.y0 + 1, pic.x1 - 1, pic.y1 - 1, 1);
    e.links_valid = e.links_picture != 0;
}

// One turn's picture: the cursor's rule, the region with the information
// line, the rows or the ring, a spread asked for, the links.
void
draw_turn(editor_session &e)
{
    editor_1d_picture &pic = e.pic;
    show_own_rule(e.s.rules_set, e.s.cursor);
    setviewport(pic.x0, pic.y0, pic.x1, pic.y1, 1);
    clearviewport();
    setviewport(0, 0, Maxx, Maxy, 1);
    setcolor(lightred);
    rectangle(pic.x0, pic.y0, pic.x1, pic.y1);
    // Everything of the turn stays inside the frame.
    setviewport(pic.x0 + 1, pic.y0 + 1, pic.x1 - 1, pic.y1 - 1, 1);
    write_information_line(e);
    if (pic.layout == layout_time_step)
        draw_rows(pic.rows);
    else
        draw_ring_of_cells(e.s.cursor, white, pic.ring);
    if (e.spread) {
        show_all_in_out_1d(e.spread, pic, e.pseudo, e.s.rules_set,
                           static_cast<uint16_t>(e.s.cursor));
        e.spread = 0;
        setviewport(pic.x0 + 1, pic.y0 + 1, pic.x1 - 1, pic.y1 - 1, 1);
        write_information_line(e);
    }
    if (e.all_links)
        draw_all_links(e);
    setcolor(editor_cursor_colour());
    if (pic.layout == layout_time_step) {
        draw_1d_links(pic.rows, e.pseudo, e.s.rules_set, static_cast<uint16_t>(e.s.cursor));
    } else {
        draw_1d_links_c(pic.ring, e.pseudo, e.s.rules_set, static_cast<uint16_t>(e.s.cursor));
        // The ring again over the ends of the links.
        draw_ring_of_cells(e.s.cursor, white, pic.ring);
    }
    setviewport(0, 0, Maxx, Maxy, 1);
}

void
draw_prompt(const editor_session &e)
{
    draw_1d_graphics_prompt(e.s.low, e.s.high, e.s.cursor, e.s.step, e.s.rules_set, e.s.block);
}

// ---- What the keys do ------------------------------------------------------

// The cells the shared operations reach: the cursor cell, or the block
// when both the block flag and the all-links flag are set.
cells_in_reach
editor_session::reach() const
{
    return reach_in_state(kind, s, all_links);
}

template <cursor_move Move>
void
move(editor_session &e, char)
{
    e.s.cursor = move_cursor_1d(e.s.cursor, Move, e.s.step, n_cells());
}

void
jump(editor_session &e, char)
{
    e.s.cursor = jump1d();
}

// One answer of the block questions: -1 for Return (the cursor cell), -2
// for 'q', else the number typed held to the cells 0..n-1.
long
block_answer(int max, int n)
{
    int len = input_string(max, numeric_entry);
    if (len == 0)
        return is[0] == 'q' ? -2 : -1;
    return whole_answer_held(-1, {0, n - 1.0}, len);
}

void
define_block(editor_session &e, char)
{
    int n = n_cells();
    erase_prompt_box(kPromptLines);
    draw_prompt_box(1);
    setcolor(white);
    outtext("1d block-1, all-a single cell-def:");
    input_string(1, single_key_entry);
    char answer = is[0];
    e.links_valid = false;
    if (answer == 'a') {
        e.s.low = 0;
        e.s.high = n - 1;
        e.s.block = e.all_links = 1;
        return;
    }
    if (answer != '1') {
        e.s.block = e.all_links = 0;
        return;
    }
    erase_prompt_box(kPromptLines);
    draw_prompt_box(1);
    setcolor(white);
    char text[64];
    snprintf(text, sizeof text, "%dd block (0-%d, def %d), low:", 1, n - 1, e.s.cursor);
    outtext(text);
    long low = block_answer(5, n);
    if (low == -2) {
        e.s.block = 0;
        return;
    }
    outtext(" high:");
    long high = block_answer(5, n);
    if (high == -2) {
        e.s.block = 0;
        return;
    }
    cell_block b = block_from_answers(low, high, e.s.cursor, n);
    e.s.low = b.low;
    e.s.high = b.high;
    e.s.block = e.all_links = 1;
}

void
toggle_pseudo(editor_session &e, char)
{
    e.pseudo = !e.pseudo;
}

void
ask_spread(editor_session &e, char key)
{
    e.spread = key == 'i' ? 1 : 2;
}

void
untangle(editor_session &e, char)
{
    nonlocal = 1;
    erase_prompt_box(kPromptLines);
    setcolor(white);
    char text[96];
    cells_in_reach reach = e.reach();
    if (reach.block_mode())
        snprintf(text, sizeof text, "untangle 1d wiring:  block %d-%d -b, all-a, single cell-(def):",
                 e.s.low, e.s.high);
    else
        snprintf(text, sizeof text, "untangle 1d wiring: all-a, single cell-(def):");
    // Broken to the box's width, the answer's echo inside the box.
    prompt_box_with(text, 1);
    input_string(1, single_key_entry);
    char answer = is[0];
    if (answer == 'q')
        return;
    // 'a' every cell, 'b' the block (in block mode), else the cursor cell.
    if (answer == 'a') {
        reach.block = reach.all_links = 1;
        reach.low = 0;
        reach.high = n_cells() - 1;
    } else if (answer != 'b') {
        reach.block = 0;
    }
    untangle_buffers work = allocate_untangle_buffers();
    for (uint16_t c : cells_reached(reach))
        untangle_wiring(c, e.s.rules_set, work);
    free_untangle_buffers(work);
}

void
delete_cursor_cell(editor_session &e, char)
{
    delete_cell(static_cast<uint16_t>(e.s.cursor));
    if (e.s.cursor > 0)
        e.s.cursor--;
    e.s.block = e.all_links = 0;
    e.s.low = e.s.high = 0;
    e.restart = true;
}

// The sculpting runs over the screen as it was before the editor (under
// the prompt and the picture: the sculpting's prompt boxes are shorter than
// the editor's, whose last lines showed beneath them); the editor's picture
// is put back afterwards, and its prompt at the end of the turn.
int
editor_session::sculpt_over_screen()
{
    return learn_over_screen(0, pic.y0, box_right_edge(Maxx), under_bottom, &region_under);
}

// A placed load's block: its cells from the first one placed, as many as
// the part holds, up to the last cell.
void
editor_session::take_placed_part(const placed_part &part)
{
    int size = part.dim == 1 ? part.i : part.dim == 2 ? part.i * part.j : part.i * part.j * part.h;
    if (part.dim >= 1 && part.dim <= 3 && size > 0) {
        s.low = part.start_i;
        s.high = std::min(n_cells() - 1, s.low + size - 1);
    }
    links_valid = false;
}

// A key that may change the wiring makes the picture of all links out of
// date.
void
editor_session::after_effects(unsigned effects)
{
    if (effects & new_links)
        links_valid = false;
}

// ---- The key table ---------------------------------------------------------

// What a key of this editor's own that may change the wiring does besides.
constexpr unsigned kEdits = editor_session::kRewireEffects;

using editor_key = key_row<editor_session, void>;

bool
rules_are_set(const editor_session &e)
{
    return e.s.rules_set;
}

bool
learning_offered(const editor_session &e)
{
    return rules_are_set(e) && !tot_only;
}

bool
average_z_offered(const editor_session &e)
{
    return learning_offered(e) && rulemix;
}

bool
network_1d(const editor_session &)
{
    return one_d();
}

bool
network_2d(const editor_session &)
{
    return twod != 0;
}

// Kill: per-cell rules that a kill rewrites, and a wiring that is no
// longer regular local.
bool
can_kill(const editor_session &e)
{
    return rules_are_set(e) && rulemix && nonlocal == 1;
}

// Delete: as kill, on a 1d network of more than one cell before its first
// run.
bool
can_delete(const editor_session &e)
{
    return can_kill(e) && !secondpart && one_d() && n_cells() > 1;
}

std::string
step_help(const editor_session &e)
{
    char text[96];
    snprintf(text, sizeof text, "\none cell: right/left arrows, %d cells: up/down arrows", e.s.step);
    return text;
}

std::string
all_links_help(const editor_session &e)
{
    return e.s.block ? "tog:block-g" : "tog:all-g";
}

// The 1d editor names its cells by number whatever the network's shape.
std::string
rewire_heading(const editor_session &e)
{
    return rewire_heading_text(1, e.reach());
}

std::string
kill_help(const editor_session &e)
{
    return can_delete(e) ? "kill-K del-d, " : "kill-K, ";
}

std::string
rule_help(const editor_session &)
{
    return tot_only ? "rule: Save/rev-S/v" : "rule: Save/rev/trans-S/v/t";
}

constexpr char kLeftKeys[] = {static_cast<char>(kKeyLeft), static_cast<char>(kKeyErase), 0};

// One row per key: the prompt piece naming it, when it is offered (and so
// acts), and what it does with its effects. A row without a piece of its
// own is named by the piece before it; a row without keys only writes.
const editor_key kEditorKeys[] = {
    editor_key::on(kRightKey).help(heading_help).does(act<move<cursor_move::right>, no_effect>),
    editor_key::on(kLeftKeys).does(act<move<cursor_move::left>, no_effect>),
    editor_key::on("j").help(", jump-j").does(act<jump, no_effect>),
    editor_key::on(kUpKey).help(step_help).does(act<move<cursor_move::up>, no_effect>),
    editor_key::on(kDownKey).does(act<move<cursor_move::down>, no_effect>),

    editor_key::on("b").help("\nblock-b ").does(act<define_block, new_links>),
    editor_key::on("g").help(all_links_help).does(act<toggle_all_links<editor_session>, no_effect>),
    editor_key::on("p").help(" pseudo-p, ").does(act<toggle_pseudo, no_effect>),
    editor_key::on("io").help("in/out-i/o").does(act<ask_spread, no_effect>),
    editor_key::on("z").help(" avZ-z").when(average_z_offered).does(act_on_cells<average_z, no_effect>),
    editor_key::on("l").help(" learn-l").when(learning_offered).does(act<learn<editor_session>, changes>),

    editor_key::on("").help(rewire_heading),
    editor_key::on("u").help("untange-u").when(network_1d).does(act<untangle, kEdits>),
    kHandRow<editor_session>,
    kRandomRow<editor_session>,
    kWeightedRow<editor_session>,
    kBiasRow<editor_session>,
    kLocal1dRow<editor_session>,
    editor_key::on("2").help(" 2d-2").when(network_2d).does(act_on_cells<local_lattice_rewire, kEdits>),
    kLocal3dRow<editor_session>,

    editor_key::on("").help("\n"),
    kChangeKRow<editor_session>,
    editor_key::on("K").help(kill_help).when(can_kill).does(act_on_cells<kill_cell, kEdits>),
    editor_key::on("d").when(can_delete).does(act<delete_cursor_cell, kEdits>),
    editor_key::on("S").help(rule_help).when(rules_are_set).does(act_on_cells<save_rule, no_effect>),
    editor_key::on("v").when(rules_are_set).does(act_on_cells<revise_rule, no_effect>),
    editor_key::on("t").when(rules_not_tot_only).does(act_on_cells<transform, no_effect>),
    editor_key::on("D").help(", Derrida-D").when(rules).does(act_on_cells<derrida, no_effect>),

    editor_key::on("f").help("\nfile/data-f ").does(act<network_data<editor_session>, no_effect>),
    kHistogramRow<editor_session>,
    kResetRow<editor_session>,
    kContinueRow<editor_session>,
};

// ---- Set-up, turn and end -------------------------------------------------

// The last row of the band that the region and the set-up lines it
// reaches into take: the first row under the region those lines (and the
// K-matrix picture's labels) leave free, but none of the rule box's.
int
band_bottom(const editor_1d_picture &pic, bool rules_set)
{
    return std::min(setup_clear_row(pic.y1), lowest_region_row(rules_set));
}

// The region is narrower than the set-up lines it reaches into: they are
// hidden whole while the editor is up, not left in pieces beside it. The
// prompt's band already hides the rows beside the prompt box.
void
set_up(editor_session &e)
{
    save_under_editor_prompt();
    e.s.step = up_down_step(n_cells());
    lay_out_region(e.pic, e.s.rules_set);
    e.under_bottom = band_bottom(e.pic, e.s.rules_set);
    save_hiding_lines_in_band(e.pic.y0, std::max(e.pic.y0, prompt_band_bottom(kPromptLines) + 1),
                              e.under_bottom, &e.region_under);
    e.links_valid = false;
    e.restart = false;
}

// Puts back what the editor covered.
void
put_back(editor_session &e)
{
    put_back_under_band(e.pic.y0, &e.region_under);
    put_back_under_editor_prompt();
    if (e.links_picture)
        freeimage(&e.links_picture);
    e.links_valid = false;
}

// The end of a turn: a change makes the wiring general (not regular local,
// not compressed) and recounts the out-degrees; learning that changed
// nothing in its last call leaves the flags as they are.
void
end_turn(editor_session &e)
{
    draw_prompt(e);
    if (e.turn_changed_wiring()) {
        mark_wiring_general();
        cell_out_freq();
        // Any change of the wiring, by whichever key, makes the picture
        // of all links out of date.
        e.links_valid = false;
    }
    was_changed = 0;
}

} // namespace

std::vector<key_help_line>
editor_1d_help(const editor_1d_state &s)
{
    return help_in_state(kEditorKeys, s);
}

bool
editor_1d_takes(const editor_1d_state &s, int key)
{
    return takes_in_state(kEditorKeys, s, key);
}

std::string
editor_1d_keys()
{
    return all_keys(kEditorKeys);
}

std::vector<std::string>
editor_1d_prompt_lines(int low, int high, int cursor, int step, bool rules_set, int block)
{
    return help_lines(editor_1d_help(editor_1d_state{{rules_set, block, low, high, cursor}, step}));
}

editor_1d_picture
editor_1d_layout_now(int layout, bool rules_set)
{
    editor_1d_picture pic;
    pic.layout = layout == layout_circle ? layout_circle : layout_time_step;
    lay_out_region(pic, rules_set);
    return pic;
}

void
show_graphic_wiring_1d(int layout, bool rules_set)
{
    if (!editor_can_open())
        return;
    editor_session e;
    e.pic.layout = layout == layout_circle ? layout_circle : layout_time_step;
    e.s.rules_set = rules_set;
    e.s.cursor = outer_tot ? 0 : L / 2;
    int16_t x = getx, y = gety;
    set_up(e);
    for (;;) {
        draw_turn(e);
        draw_prompt(e);
        take_editor_key(kEditorKeys, e);
        end_turn(e);
        if (e.restart) {
            put_back(e);
            set_up(e);
            continue;
        }
        if (leaves_editor(is[0])) {
            put_back(e);
            was_changed = 1;
            moveto(x, y);
            return;
        }
    }
}
