// The hand wiring matrix (hand_matrix.h): the paged wiring table of the
// listing, with a cursor box that moves from input to input while the user
// types cell numbers, draws random ones or moves with the arrow keys.
//
// Reads and writes the wiring table (model/); reads nhoodm, nhood_ub,
// lineL, rulemix, carule, value_range, tot_only (model/) and rules_set
// (storage/). Draws through the listing's layout helpers (wiring_listing.h),
// the rule figures and rule box of model/ and the boxes and entry of screen/.
// Start reading at wiring_matrix.
#include "ui/wiring/hand_matrix.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/out_degrees.h"
#include "ui/model/rule_parameters.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/question_table.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/window.h"
#include "ui/storage/globals.h"
#include "ui/wiring/wiring_listing.h"

namespace {

// The matrix in progress: the window, the page and the cursor.
struct Matrix {
    int n;
    int left;
    int top; // the window's top, below the help box
    bool small;
    int16_t normal_height, normal_width;
    int first, last; // the page's first (highest) and last cell
    int c, p;        // the cursor's cell and position
    bool done;
};

void
use_font(Matrix &m)
{
    CHeight = m.normal_height;
    CWidth = m.normal_width;
    if (m.small)
        set_small_font();
    else
        restore_def_font();
}

int
row_y(const Matrix &m, int c)
{
    return listing_first_row(m.top) + (m.first - c) * CHeight;
}

// Every empty slot of cells hi down to lo becomes cell 0.
void
fill_empty(int hi, int lo)
{
    for (int c = hi; c >= lo; c--)
        for (int p = 0; p < nhoodm[c]; p++)
            if (wiring[c][p] == Maxu)
                wiring[c][p] = 0;
}

// The next cell from c in direction step (-1 down, +1 up) that has inputs,
// or -1.
int
next_cell_with_inputs(int c, int step, int n)
{
    for (c += step; c >= 0 && c < n; c += step)
        if (nhoodm[c] > 0)
            return c;
    return -1;
}

// Draws the page from m.first with the cursor on cell c (its leftmost box).
void
draw_page(Matrix &m, bool save_background)
{
    draw_listing_frame(m.left, m.top, save_background);
    draw_listing_header(m.left, m.top, false);
    m.last = draw_listing_page(m.left, m.top, m.first, false);
}

void
put_cursor_on_row(Matrix &m, int c, bool leftmost)
{
    m.c = c;
    m.p = leftmost ? nhoodm[c] - 1 : 0;
}

// Starts the page at first with the cursor on its first cell with inputs;
// ends the matrix when no cell from first down has any.
void
start_page(Matrix &m, int first)
{
    int c = nhoodm[first] > 0 ? first : next_cell_with_inputs(first, -1, m.n);
    if (c < 0) {
        m.done = true;
        return;
    }
    m.first = first;
    draw_page(m, false);
    put_cursor_on_row(m, c, true);
}

// The next page below the present one, its empty slots filled first; the
// matrix ends after the last page.
void
next_page(Matrix &m)
{
    fill_empty(m.first, m.last);
    if (m.last == 0) {
        m.done = true;
        return;
    }
    start_page(m, m.last - 1);
}

// The cursor to the next box to the right, the next row or the next page.
void
advance(Matrix &m)
{
    if (m.p > 0) {
        m.p--;
        return;
    }
    int c = next_cell_with_inputs(m.c, -1, m.n);
    if (c >= 0 && c >= m.last)
        put_cursor_on_row(m, c, true);
    else
        next_page(m);
}

void
move_up(Matrix &m, bool to_row_end)
{
    int c = next_cell_with_inputs(m.c, +1, m.n);
    if (c < 0)
        return; // the top of the network
    int p = to_row_end ? 0 : m.p;
    if (c > m.first) {
        m.first = c;
        draw_page(m, false);
    }
    m.c = c;
    m.p = p < nhoodm[c] ? p : 0;
}

void
move_down(Matrix &m)
{
    int c = next_cell_with_inputs(m.c, -1, m.n);
    if (c < 0 || c < m.last) {
        advance(m);
        return;
    }
    m.c = c;
    if (m.p >= nhoodm[c])
        m.p = 0;
}

void
obey_arrow(Matrix &m, int key)
{
    switch (key) {
    case kKeyLeft:
        if (m.p + 1 < nhoodm[m.c])
            m.p++;
        else
            move_up(m, true);
        break;
    case kKeyRight:
        advance(m);
        break;
    case kKeyUp:
        move_up(m, false);
        break;
    case kKeyDown:
        move_down(m);
        break;
    }
}

// Shows the rule of the cursor's cell in the rule box (rule mix only).
void
show_cell_rule(int c)
{
    if (!rulemix || !rules_set)
        return;
    int k = nhoodm[c];
    if (tot_only) {
        show_rule_bottom(k, 0, nullptr, c);
        return;
    }
    if (value_range == 2)
        z_parameter_all(k, 0, carule[c]);
    else
        z_parameter_all_mvalue(k, 0, carule[c]);
    show_rule_bottom(k, 0, carule[c], c);
}

// A one-line question in the prompt box over the matrix's own prompt;
// returns the entry's number held to bounds, or fallback for Return or 'q'.
int
ask_number(const char *text, int max, int fallback, number_bounds bounds)
{
    get_prompt_box(4, 1);
    draw_prompt_box(1);
    setcolor(white);
    outtext(text);
    input_string(max, numeric_entry);
    int value = is[0] == 'q' ? fallback : static_cast<int>(entry_held(fallback, bounds, true));
    putimage(Maxx / 2, 2, &boximage_prompt[4], 0);
    freeimage(&boximage_prompt[4]);
    return value;
}

// Redraws the whole window of the matrix after a change of width or font.
void
redraw_all(Matrix &m, int new_left)
{
    put_back_under_listing();
    m.left = new_left;
    use_font(m);
    draw_page(m, true);
}

// One answer in the box under the cursor.
void
edit_box(Matrix &m)
{
    int x = listing_column_x(m.left, m.p), y = row_y(m, m.c);
    show_cell_rule(m.c);
    slot_frame frame = listing_slot_frame(m.left, y, m.p);
    setcolor(lightred);
    rectangle(frame.x0, frame.y0, frame.x1, frame.y1);
    // The box's cell, as the page shows it, which a typed number replaces.
    char shown[16] = "";
    if (wiring[m.c][m.p] != Maxu)
        snprintf(shown, sizeof shown, "%d", wiring[m.c][m.p]);
    moveto(x, y);
    setcolor(yellow);
    // The arrow that ends a typed number lands at is[20]; clear the slot so
    // an older entry's arrow is not taken for this one's.
    is[20] = 0;
    const entry_box inside = {frame.x0 + 1, frame.x1 - 1, frame.y0 + 1, frame.y1 - 1};
    int len = input_string_in_box(digits_of(m.n - 1), arrow_entry, nullptr,
                                  shown[0] ? shown : nullptr, inside);
    char key = is[0];
    // Letters enter the line like digits; a letter alone is a command.
    std::string typed = key == 'q' ? std::string() : entry_text();
    if (key == 'q' && len == 0) {
        m.done = true;
        return;
    }
    if (typed == "m") {
        next_page(m);
        return;
    }
    if (typed == "q") {
        m.done = true;
        return;
    }
    if (typed == "j") {
        fill_empty(m.first, m.last);
        char text[64];
        snprintf(text, sizeof text, "jump to index (%d-0):", m.n - 1);
        start_page(m, ask_number(text, digits_of(m.n - 1), m.first, {0, m.n - 1.0}));
        return;
    }
    if (typed == "l") {
        char text[80];
        snprintf(text, sizeof text, "change window width (%d-%d now=%d):", Maxx - 2, Maxx / 4,
                 Maxx - m.left);
        int width = ask_number(text, 4, Maxx - m.left, {Maxx / 4.0, Maxx - 2.0});
        if (width != Maxx - m.left)
            redraw_all(m, Maxx - width);
        return;
    }
    if (typed == "f") {
        m.small = !m.small;
        redraw_all(m, m.left);
        return;
    }

    // A value for the box: Return alone on an empty box or on 0 draws a
    // random cell; a number below n is stored; anything else is ignored.
    bool arrow_first = len == 0 && (key == kKeyLeft || key == kKeyRight || key == kKeyUp ||
                                    key == kKeyDown);
    int arrow = 0;
    if (arrow_first)
        arrow = key;
    else if (len > 0 && len < 20 && (is[20] == kKeyLeft || is[20] == kKeyRight || is[20] == kKeyUp ||
              is[20] == kKeyDown))
        arrow = is[20];
    uint16_t &slot = wiring[m.c][m.p];
    if (!arrow_first) {
        if (len == 0 && key == kKeyReturn) {
            if (slot == Maxu || slot == 0)
                slot = static_cast<uint16_t>(random() % m.n);
        } else if (!typed.empty() && typed[0] >= '0' && typed[0] <= '9') {
            long value = atol(typed.c_str());
            if (value >= 0 && value < m.n)
                slot = static_cast<uint16_t>(value);
        }
    }
    draw_listing_slot(m.left, y, m.c, m.p, yellow);
    if (arrow != 0)
        obey_arrow(m, arrow);
    else if (!(len == 0 && key != kKeyReturn))
        advance(m);
}

} // namespace

void
wiring_matrix()
{
    Matrix m{};
    m.n = lineL;
    if (m.n < 1)
        return;
    char text[120];
    snprintf(text, sizeof text, "enter wiring positions 0-%d (return on blank/0=random)",
             m.n - 1);
    const char *keys = "move-arrows more/complete-m layout-l font-f quit-q";
    // The lines below the first are broken at blanks where they are wider
    // than the box (a large network's cell numbers).
    int lines = 1 + prompt_box_lines(text) + prompt_box_lines(keys);
    get_prompt_box(3, lines);
    int margin = draw_prompt_box(lines);
    setcolor(white);
    outtext("hand wire/revise: jump-j");
    moveto(margin, gety + CHeight);
    write_prompt_lines(text, margin);
    moveto(margin, gety + CHeight);
    write_prompt_lines(keys, margin);

    m.normal_height = CHeight;
    m.normal_width = CWidth;
    m.small = nhood_ub >= 10;
    m.left = Maxx / 2;
    m.top = listing_top(prompt_box_bottom(lines));
    if (nhood_ub > 9 || (m.n - 1 > 9999 && nhood_ub > 8))
        m.left -= vgax(20);
    use_font(m);
    if (wiring[0][0] != Maxu)
        cell_out_freq();
    m.first = m.n - 1;
    draw_page(m, true);
    int c = nhoodm[m.first] > 0 ? m.first : next_cell_with_inputs(m.first, -1, m.n);
    if (c < 0)
        m.done = true;
    else
        put_cursor_on_row(m, c, true);

    while (!m.done)
        edit_box(m);

    fill_empty(m.n - 1, 0);
    cell_out_freq();
    m.small = false;
    use_font(m);
    put_back_under_listing();
    putimage(Maxx / 2, 2, &boximage_prompt[3], 0);
    freeimage(&boximage_prompt[3]);
    setcolor(white);
    was_changed = 1;
}
