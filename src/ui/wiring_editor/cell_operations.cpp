// The cell operations of the wiring editors that talk to the user
// (cell_operations.h): the hand edit of a cell's inputs, the averaged rule
// figures and the rule revision with its copy over a block.
//
// Reads and writes the wiring table and nhoodm (model/); the computing
// halves are engine/wiring_editor/ (the block copy, the averaged figures).
// Draws through the boxes, entry and drawing of screen/; calls the rule
// revision dialog (rule_dialogs/) and the rule figures and readout
// (model/). Start at print_wiring_cell.
#include "ui/wiring_editor/cell_operations.h"

#include <cstdio>
#include <string>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/wiring_editor/weighted_rule_figures.h"
#include "ui/model/rule_parameters.h"
#include "ui/model/rule_readout.h"
#include "ui/rule_dialogs/rule_revision.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window.h"

namespace {

// Prompt image slot of the boxes these operations draw over an editor.
constexpr int kPromptSlot = 7;
// Where the text entry keeps the arrow that ended a typed number.
constexpr int kArrowSlot = 20;
// Characters of the largest cell number (65535): an entry takes as many,
// whatever n is, so that a number too large is seen whole and refused
// instead of being cut to its first digits.
constexpr int kCellDigits = 5;

// The columns of one cell's inputs on the screen: position p sits in
// column k-1-p, so that the highest position is leftmost as in the
// editors' information line.
struct input_columns {
    int x, label_y, value_y;
    int pitch;       // pixels from one column to the next
    int frame_width; // the frame around the column being edited
    int k;
    bool fits;       // the k columns end inside the window

    int left(int p) const { return x + (k - 1 - p) * pitch; }
};

// vgax(22) per column, wider when the largest cell number needs it (with
// half a character between numbers), narrower down to that width when k
// columns would leave the window; fits says whether they stay inside.
// Widths are counted in CWidth per character, which the small font scales
// with it and no digit of either font exceeds.
input_columns
lay_out_columns(int x, int y, int k, int n)
{
    input_columns cols;
    cols.x = x;
    cols.label_y = y;
    cols.value_y = y + CHeight * 3 / 2;
    cols.k = k;
    int digits = digits_of(n - 1) > 3 ? digits_of(n - 1) : 3;
    cols.frame_width = digits * CWidth + CWidth / 2;
    int needed = cols.frame_width + CWidth / 2 + 4;
    cols.pitch = vgax(22) > needed ? vgax(22) : needed;
    int room = Maxx - 4 - x;
    if (cols.pitch * k > room && room / k >= needed)
        cols.pitch = room / k;
    cols.fits = cols.pitch * k <= room;
    return cols;
}

// "%d___" over column p, with as many of the three underscores as leave a
// character's gap before the next label.
void
draw_label(const input_columns &cols, int p)
{
    char label[16];
    int len = snprintf(label, sizeof label, "%d___", p);
    while (len > 1 && label[len - 1] == '_' && len * CWidth > cols.pitch - CWidth)
        len--;
    label[len] = 0;
    moveto(cols.left(p), cols.label_y);
    outtext(label);
}

// The inside of column p's frame, cleared.
void
clear_column(const input_columns &cols, int p)
{
    setfillstyle(0, black);
    bar(cols.left(p), cols.value_y, cols.left(p) + cols.frame_width - 1,
        cols.value_y + CHeight - 3);
}

// The frame round column p's number.
entry_box
frame_of(const input_columns &cols, int p)
{
    return entry_box{cols.left(p) - 2, cols.left(p) + cols.frame_width, cols.value_y - 1,
                     cols.value_y + CHeight - 2};
}

void
draw_frame(const input_columns &cols, int p, int colour)
{
    entry_box frame = frame_of(cols, p);
    setcolor(colour);
    rectangle(frame.x0, frame.y0, frame.x1, frame.y1);
}

// The line of inputs, drawn anew: the frames of the columns visited in
// light cyan, inputs given a new cell in yellow, the others in white, each
// number cut to its frame. The whole line is cleared first, to the box's
// edge.
void
draw_inputs(const input_columns &cols, uint16_t cell, uint32_t visited, uint32_t changed)
{
    setfillstyle(0, black);
    bar(cols.x - 2, cols.value_y - 1, Maxx - 4, cols.value_y + CHeight - 2);
    for (int p = cols.k - 1; p >= 0; p--) {
        if ((visited >> p) & 1)
            draw_frame(cols, p, lightcyan);
        setcolor((changed >> p) & 1 ? yellow : white);
        moveto(cols.left(p), cols.value_y);
        outtext(text_within(std::to_string(wiring[cell][p]), cols.frame_width - 1).c_str());
    }
}

// The number typed into the last entry when it is a cell number 0..n-1
// and nothing else; -1 otherwise.
long
typed_cell(int n)
{
    std::string text = entry_text();
    if (text.empty() || text.size() > static_cast<size_t>(kCellDigits))
        return -1;
    for (char c : text)
        if (c < '0' || c > '9')
            return -1;
    long cell = std::stol(text);
    return cell < n ? cell : -1;
}

// The keys that move the edit from column to column: one row per key, its
// step in input positions (the right arrow goes to the next lower one).
struct column_move {
    int key;
    int step;
};
const column_move column_moves[] = {
    {kKeyRight, -1},
    {kKeyReturn, -1},
    {kKeyLeft, +1},
};

// The key that ended the entry of length len: the arrow kept for a typed
// number, else Return for a typed number, else the key alone.
int
ending_key(int len)
{
    if (len == 0)
        return is[0];
    if (len < kArrowSlot && is[kArrowSlot] != 0)
        return is[kArrowSlot];
    return kKeyReturn;
}

// Position p moved by the ending key, wrapping over 0..k-1; other keys
// leave it.
int
moved_position(int p, int key, int k)
{
    for (const column_move &move : column_moves)
        if (move.key == key)
            return ((p + move.step) % k + k) % k;
    return p;
}

// The question of the copy over a block, by the editor and the lattice.
void
compose_copy_question(char *text, size_t size, int editor, const block_corners &box,
                      uint16_t low, uint16_t high)
{
    if (editor == editor_2d_3d && threed)
        snprintf(text, size, "Copy rule to 3d block %d,%d,%d-%d,%d,%d (%d-%d)-c:", box.i_low,
                 box.j_low, box.h_low, box.i_high, box.j_high, box.h_high, low, high);
    else if (editor == editor_2d_3d && twod)
        snprintf(text, size, "Copy rule to 2d block %d,%d-%d,%d (%d-%d)-c:", box.i_low,
                 box.j_low, box.i_high, box.j_high, low, high);
    else
        snprintf(text, size, "Copy rule to 1d block %d-%d -c:", low, high);
}

// Puts back what the operations' prompt boxes covered.
void
restore_prompt_area()
{
    putimage(Maxx / 2, 2, &boximage_prompt[kPromptSlot], 0);
    freeimage(&boximage_prompt[kPromptSlot]);
}

} // namespace

void
print_wiring_cell(int x, int y, uint16_t cell)
{
    int colour = getcolor();
    int k = nhoodm[cell], n = lineL;
    if (k < 1)
        return;
    // Many inputs of long numbers are written in the small font.
    font_while small(!lay_out_columns(x, y, k, n).fits, set_small_font);
    input_columns cols = lay_out_columns(x, y, k, n);
    setcolor(lightred);
    for (int p = k - 1; p >= 0; p--)
        draw_label(cols, p);

    uint32_t visited = 0, changed = 0; // bit p: input p was framed, given a new cell
    int p = k - 1;
    for (bool done = false; !done;) {
        draw_inputs(cols, cell, visited, changed);
        // The entry begins with the input's cell, which a typed number
        // replaces: the column is cleared for the entry's own echo.
        draw_frame(cols, p, lightred);
        clear_column(cols, p);
        moveto(cols.left(p), cols.value_y);
        setcolor(yellow);
        is[kArrowSlot] = 0;
        char current[8];
        snprintf(current, sizeof current, "%d", wiring[cell][p]);
        entry_box frame = frame_of(cols, p);
        const entry_box inside = {frame.x0 + 1, frame.x1 - 1, frame.y0 + 1, frame.y1 - 1};
        int len = input_string_in_box(kCellDigits, arrow_entry, current, nullptr, inside);
        done = len == 0 && is[0] == 'q';
        long typed = len > 0 ? typed_cell(n) : -1;
        if (typed >= 0 && typed != wiring[cell][p]) {
            wiring[cell][p] = static_cast<uint16_t>(typed);
            changed |= 1u << p;
        }
        visited |= 1u << p;
        if (!done)
            p = moved_position(p, ending_key(len), k);
    }
    draw_inputs(cols, cell, visited, changed);
    setcolor(colour);
}

void
rewire_single_cell(uint16_t cell)
{
    erase_prompt_box(6);
    int margin = draw_prompt_box(5);
    setcolor(white);
    outtext("hand rewire: use return or arrows to move");
    moveto(margin, gety + CHeight);
    char text[64];
    snprintf(text, sizeof text, "enter wiring positions 0-%d, q to complete", lineL - 1);
    outtext(text);
    print_wiring_cell(margin, gety + CHeight, cell);
    erase_prompt_box(6);
}

void
av_z_para()
{
    if (tot_only || lineL == 0)
        return;
    int k = nhood_mixed ? nhood_ub : nhood;
    get_prompt_box(kPromptSlot, 2);
    if (lineL * k > 100) {
        draw_prompt_box(1);
        setcolor(white);
        outtext("computing wt.av:ld  ...WAIT");
        flush_display();
    }
    rule_figure_averages averages = average_rule_figures();
    if (averages.z <= 0) {
        restore_prompt_area();
        return;
    }
    int margin = draw_prompt_box(2);
    setcolor(white);
    char text[96];
    snprintf(text, sizeof text, "av:ld-r=%g Z=%g", averages.lratio, averages.z);
    outtext(text);
    moveto(margin, gety + CHeight);
    snprintf(text, sizeof text, "wt.av:ld-r=%g Z=%g cont-ret:", averages.lratio_weighted,
             averages.z_weighted);
    outtext(text);
    input_string(1, single_key_entry);
    is[0] = 0;
    restore_prompt_area();
}

void
show_cell_rule(uint16_t cell)
{
    // Cells differ in k: a killed cell's box of two lines would leave the
    // first line and right end of a three-line box around it.
    clear_rule_bottom();
    int k = nhoodm[cell];
    if (tot_only) {
        show_rule_bottom(k, 0, nullptr, cell);
        return;
    }
    uint8_t *rule = rulemix ? carule[cell] : carule[0];
    rule_z_figures(k, rule);
    show_rule_bottom(k, 0, rule, cell);
}

void
revise_rule_graphic(int editor, int block, int all_links, const block_corners &box,
                    uint16_t cell, uint16_t low, uint16_t high)
{
    if (cell >= lineL)
        return;
    revise_rule_or_code(cell);
    show_cell_rule(cell);
    if (!block || !all_links || !rulemix)
        return;
    char text[120];
    compose_copy_question(text, sizeof text, editor, box, low, high);
    get_prompt_box(kPromptSlot, 1);
    draw_prompt_box(1);
    setcolor(white);
    outtext(text);
    input_string(1, single_key_entry);
    restore_prompt_area();
    if (is[0] == 'c')
        copy_rule_to_block(editor, cell, low, high, box);
}
