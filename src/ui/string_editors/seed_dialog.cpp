// The seed dialog (seed_dialog.h): a framed window at the bottom left in
// which a state is set by a method key (empty, fill, random or a central
// random block, bits of a 1d segment or of the whole lattice, a 1d string
// seen as 2d, hex, decimal, a seed file), then shown with its density and
// accepted, saved under a name, or written to the automatic seed file
// "mysee_v%d.eed". The editors it calls are the random strings, bits on a
// grid (with the cell editor) and the hex entry; the numbers behind the
// answers are in engine/rules/seed_choices.h. Start at select_seed, then
// run_method.
#include "ui/string_editors/seed_dialog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/backward/basin_layout.h"
#include "engine/backward/globals.h"
#include "engine/model/formatted_text.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "engine/rules/seed_choices.h"
#include "engine/storage/network_file_codec.h"
#include "ui/model/cell_display.h"
#include "ui/model/globals.h"
#include "ui/rules/hex_entry.h"
#include "ui/rules/hex_readout.h"
#include "ui/rules/nhood_matrix.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"
#include "ui/screen/text_inks.h"
#include "ui/screen/window.h"
#include "ui/screen/window_record.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/network_files.h"
#include "ui/string_editors/bit_grid.h"
#include "ui/string_editors/random_strings.h"

namespace {

constexpr int kWindowSlot = 12; // boximage slot of the screen under the window

// The kind of state the label names, by its leading bytes.
enum class seed_kind { seed, target, aspiring, order, other };

seed_kind
kind_of_label(const char *label)
{
    if (strncmp(label, "SEED", 4) == 0)
        return seed_kind::seed;
    if (strncmp(label, "targ", 4) == 0)
        return seed_kind::target;
    if (strncmp(label, "aspi", 4) == 0)
        return seed_kind::aspiring;
    if (strncmp(label, "order", 5) == 0)
        return seed_kind::order;
    return seed_kind::other;
}

// The window and the state being set.
struct seed_window {
    uint8_t *state;
    const char *label;
    seed_kind kind;
    int x0, width, top, bottom;
    window_frame laid_out_for; // the window's size when the window was opened
    // The lines of the text column the window hides whole after a resize
    // (follow_resize), kept from row band_top down; 0: none.
    image_slot band;
    int band_top;
};

int
dimension()
{
    return threed ? 3 : twod ? 2 : 1;
}

bool
has_decimal_form()
{
    return lineL <= decimal_form_cells(value_range);
}

// Moves to the window's text column, lines lower than the current line.
void
window_line(const seed_window &w, float lines)
{
    moveto(w.x0, gety + static_cast<int>(lines * CHeight));
}

// Writes text and reads an entry of max characters in an entry mode of
// input_string.
int
ask(const char *text, int max, int mode)
{
    outtext(text);
    return input_string(max, mode);
}

// The highest row the window's top takes: below the prompt box of four
// lines, which the dialog's answers (the density line) and the questions
// of the screen's save and print keys take while the window stands, so
// that the window's first lines are not written over.
int
highest_window_top()
{
    return prompt_box_bottom(4) + 2;
}

// The window's top edge for a window of the asked height between columns
// x0 and x1: where that reaches into a line of text (a set-up line, a
// plot's title over a running pattern), above the line, so that the window
// covers the line whole instead of cutting its tops.
int
window_top(int bottom, int x0, int x1)
{
    const int asked = std::max(bottom - height_req_seed_win, highest_window_top());
    return std::max(0, free_row_above(asked, x0, x1));
}

// Frames the window (saving the screen under it) and sets the editors' view.
void
open_window(seed_window &w)
{
    w.bottom = seed_window_bottom();
    w.top = window_top(w.bottom, w.x0 - 3, w.x0 + w.width - 3);
    draw_box(kWindowSlot, w.x0 - 3, w.top, w.x0 + w.width - 3, w.bottom, 1, 0);
    tview_x0 = static_cast<int16_t>(w.x0 - 3);
    tview_y0 = static_cast<int16_t>(w.top);
    tview_x1 = static_cast<int16_t>(w.x0 + w.width - 3);
    tview_y1 = static_cast<int16_t>(w.bottom - 1);
    w.laid_out_for = current_window_frame();
}

void
close_window()
{
    putimage(tview_x0, tview_y0, &boximage[kWindowSlot], 3);
}

// A box standing at the top right (a run's colour key or frozen key, left
// up after the run), with the prompt box's place beside it down to that
// box's foot: the dialog's boxes there (the density line, its questions)
// would cut the key's lines, so the key goes whole while the dialog stands
// and what the place showed comes back after it, the density line left
// there by a method given up included.
struct top_right_key_under {
    image_slot image = 0;
    int left = 0, bottom = 0;
};

top_right_key_under
take_down_top_right_key()
{
    top_right_key_under under;
    int key_left = 0;
    if (!top_right_box_standing(&key_left, &under.bottom))
        return under;
    under.left = std::min<int>(key_left, prompt_box_left(Maxx));
    saved_viewport view;
    view.widen_to_drawing_area();
    save_under_top_right(under.left, under.bottom, &under.image);
    erase_box(under.left, 2, box_right_edge(Maxx) - 1, under.bottom - 1);
    view.restore();
    return under;
}

void
put_back_top_right_key(top_right_key_under &under)
{
    if (!under.image)
        return;
    put_back_under_top_right(under.left, &under.image);
}

bool
state_is_zero(const uint8_t *state)
{
    for (int b = 0; b < bytesL; b++)
        if (state[b])
            return false;
    return true;
}

// The default method key the menu offers.
char
default_key(const seed_window &w)
{
    if (w.kind == seed_kind::target || w.kind == seed_kind::aspiring)
        return oned ? 'B' : 'b';
    return state_is_zero(w.state) ? 'r' : 'b';
}

// The two menu lines of the window.
struct menu_text {
    std::string first, second;
};

menu_text
compose_menu(const seed_window &w)
{
    char def[12], shape[48], first[256], second[256];
    snprintf(def, sizeof def, "(def-%c)", default_key(w));
    if (threed)
        snprintf(shape, sizeof shape, "(v%d 3d ijh=%d,%d,%d)", value_range, i3d, j3d, h3d);
    else if (twod)
        snprintf(shape, sizeof shape, "(v%d 2d ij=%d,%d)", value_range, i2d, j2d);
    else
        snprintf(shape, sizeof shape, "(v%d 1d n=%d)", value_range, lineL);
    const char *dec = has_decimal_form() ? " dec-d " : " ";
    if (w.kind == seed_kind::order) {
        snprintf(first, sizeof first, "Select %s, win-w empty-e fill-f rand-r", w.label);
        snprintf(second, sizeof second, "bits1d-b bits2d-B hex-h dec-d %s:", def);
    } else if (oned) {
        snprintf(first, sizeof first, "Select %s %s, win-w empty-e fill-f dec-d rand-r", w.label,
                 shape);
        snprintf(second, sizeof second, "bits1d-b bits2d-B hex-h%srepeat-p load-l %s:", dec, def);
    } else {
        snprintf(first, sizeof first, "Select %s %s, win-w empty-e fill-f rand-r", w.label, shape);
        snprintf(second, sizeof second, "bits2d-b hex-h%srepeat-p load-l %s:", dec, def);
    }
    return {first, second};
}

// The window-size key's first question, on a line of its own below the
// menu's, as the second is.
std::string
width_question(int width)
{
    return formatted("change window size (max-m), width (now %d):", width);
}

// The narrowest window that holds its text, three pixels inside the frame:
// the menu's lines with the entry's block after the second, and the width
// question at its widest with its four characters' entry; no wider than the
// window less its margins.
int
text_width(const seed_window &w)
{
    menu_text menu = compose_menu(w);
    std::string question = width_question(Maxx);
    int text = std::max(text_pixel_width(menu.first.c_str(), static_cast<int>(menu.first.size())),
                        text_pixel_width(menu.second.c_str(), static_cast<int>(menu.second.size())) +
                            CWidth);
    text = std::max(text, text_pixel_width(question.c_str(), static_cast<int>(question.size())) +
                              5 * CWidth);
    return std::min(text + 6, Maxx - 3);
}

// The lowest window that holds its text, two pixels inside the frame: the
// menu's two lines and below them the most a method of a 1d state writes,
// the random method's (its block question, its keys, the cells a line and
// a half below them, and their decimal and hex readout on up to two
// lines). A lower window left those lines below its frame, over the rule
// box at the window's foot.
int
text_height()
{
    return 8 * CHeight + 4;
}

// The window's width, wide enough for the drawn grid and its text, and the
// default side of the central block; returns the width.
int
window_width(const seed_window &w)
{
    if (oned) {
        i2d = static_cast<int16_t>(std::ceil(std::sqrt(static_cast<double>(lineL))));
        j2d = static_cast<int16_t>((lineL + i2d - 1) / i2d);
    }
    int per_row = set_cellscale(nhood, 0);
    int drawn = 0;
    if (threed)
        drawn = i3d * cellscale;
    else if (twod)
        drawn = i2d * cellscale;
    else
        drawn = per_row > 0 ? cellscale * lineL / per_row : 0;
    int width = static_cast<int>(0.52 * Maxx);
    if (6 * CWidth + drawn > width)
        width = 6 * CWidth + drawn;
    width = std::max(width, text_width(w));
    seglen = static_cast<uint16_t>(
        default_block_side(dimension(), lineL, threed ? i3d : i2d, threed ? j3d : j2d, h3d));
    return width;
}

// The lines follow_resize hid, shown again.
void
put_back_band(seed_window &w)
{
    if (w.band)
        put_back_under_band(w.band_top, &w.band);
    w.band = 0;
}

// After the program's window was resized: the window, which the resize
// drew again scaled from its old place (its menu at the new font, which may
// run on past the scaled frame), is taken down with its menu and opened
// afresh at the new size from the column the resize took its left edge to,
// so that what the methods write next lands inside it. True then.
bool
follow_resize(seed_window &w)
{
    window_frame now = current_window_frame();
    if (now.maxx == w.laid_out_for.maxx && now.winmaxy == w.laid_out_for.winmaxy &&
        now.cheight == w.laid_out_for.cheight)
        return false;
    saved_window_area old{};
    if (saved_area_of(boximage[kWindowSlot], old)) {
        setfillstyle(0, black);
        bar(old.x0, old.y0, std::max(old.x1, old.x0 + 3 + text_width(w)), std::min<int>(old.y1, Maxy));
        w.x0 = old.x0 + 3;
    }
    close_window();
    freeimage(&boximage[kWindowSlot]);
    put_back_band(w);
    w.width = window_width(w);
    w.x0 = std::max(3, std::min(w.x0, Maxx + 1 - w.width));
    // The lines the window reaches into are hidden whole, not shown cut at
    // its right edge, as when it opened over the set-up.
    int bottom = seed_window_bottom();
    w.band_top = setup_clear_row_above(window_top(bottom, w.x0 - 3, w.x0 + w.width - 3));
    save_hiding_lines_in_band(w.band_top, w.band_top, bottom, &w.band);
    open_window(w);
    return true;
}

// Clears the window's inside and writes the two menu lines.
void
write_menu(const seed_window &w)
{
    setfillstyle(0, black);
    bar(w.x0 - 1, w.top + 2, w.x0 + w.width - 4, w.bottom - 1);
    setcolor(white);
    moveto(w.x0, w.top + 2);
    menu_text menu = compose_menu(w);
    outtext(menu.first.c_str());
    window_line(w, 1);
    outtext(menu.second.c_str());
}

// The menu, in the window laid out for the window's size as it is when
// the key comes; returns the key.
char
show_menu(seed_window &w)
{
    follow_resize(w);
    write_menu(w);
    input_string(1, text_entry);
    char key = is[0];
    if (follow_resize(w))
        write_menu(w);
    return key;
}

// The hex bytes of the state after a readout's label.
void
show_hex(const seed_window &w, const uint8_t *state)
{
    print_current_bitstring_hexbytes(0, state, 0, w.x0 + w.width - 3, white, 0);
}

// Whether the window has room for the readout's line at the current row:
// a short window (the least one) has none below the bits it shows.
bool
readout_has_room(const seed_window &w)
{
    return gety + 2 * CHeight <= w.bottom;
}

// " (dec)%lu" when the state has a decimal form, then "(hex)" and its bytes
// up to n_hex cells.
void
show_readout(const seed_window &w, const uint8_t *state, const char *dec_format, int n_hex)
{
    char text[48];
    if (has_decimal_form()) {
        snprintf(text, sizeof text, dec_format,
                 static_cast<unsigned long>(dec_equiv(state, L)));
        outtext(text);
    }
    if (lineL <= n_hex) {
        outtext("(hex)");
        show_hex(w, state);
    }
}

// ---- The methods; each returns true when the state is set, false for the
// menu again (a 'q' inside it).

// The width taken written in place of the answer typed from x on the
// current line, which it may differ from (a size taken up to what the
// text needs, to the window's edge, or kept for an answer out of range),
// while the height is asked below it.
void
echo_width_taken(const seed_window &w, int x)
{
    // The answer's four characters and the block after them, which any
    // width the window takes holds (text_width).
    setfillstyle(0, black);
    bar(x, gety, x + 5 * CWidth - 1, gety + CHeight - 1);
    moveto(x, gety);
    outtext(std::to_string(w.width).c_str());
}

// 'w': a new width and height, each question on a line of its own; a
// typed size is taken down to what the window's text needs. The window is
// then opened afresh.
void
resize_window(seed_window &w)
{
    window_line(w, 1);
    outtext(width_question(w.width).c_str());
    const int answer_x = getx;
    int len = input_string(4, text_entry);
    int widest = Maxx - w.x0 + 1;
    if (is[0] == 'm') {
        w.width = widest;
    } else if (len > 0 && is[0] != 'q') {
        // Held between what the text needs (51 at least) and the widest.
        const double least = std::min(std::max(51, text_width(w)), widest);
        w.width = static_cast<int>(entry_held(w.width, {least, static_cast<double>(widest)}, true));
    }
    echo_width_taken(w, answer_x);
    window_line(w, 1);
    len = ask(formatted(" height (now %d):", height_req_seed_win).c_str(), 4, text_entry);
    const int tallest = w.bottom - highest_window_top();
    if (is[0] == 'm') {
        height_req_seed_win = static_cast<int16_t>(tallest);
    } else if (len > 0 && is[0] != 'q') {
        const double least = std::min(std::max(51, text_height()), tallest);
        height_req_seed_win = static_cast<int16_t>(
            whole_answer_held(height_req_seed_win, {least, static_cast<double>(tallest)}, len));
    }
    close_window();
    freeimage(&boximage[kWindowSlot]);
    open_window(w);
}

void
fill_state(const seed_window &w)
{
    window_line(w, 1);
    char text[40];
    snprintf(text, sizeof text, "fill with value 0-%d:", value_range - 1);
    ask(text, 1, text_entry);
    int value = fill_value_of_key(is[0], value_range);
    if (value < 0)
        return;
    for (uint32_t c = 0; c < lineL; c++)
        set_value(w.state, c, value);
}

bool
random_state(const seed_window &w)
{
    int small = lineL <= 256 ? 1 : 0;
    int s = lineL, dim = dimension();
    if (dim == 2)
        s = std::min(i2d, j2d);
    else if (dim == 3)
        s = std::min<int>(i3d, std::min(j3d, h3d));
    bool big = (dim == 3 && i3d > 4) || (dim == 2 && i2d > 19) || (dim == 1 && lineL > 19);
    int block = 0;
    if (big) {
        window_line(w, 1);
        char text[80];
        snprintf(text, sizeof text, "central %dd block(def diam %d), all-a size (max %d):", dim,
                 seglen, s - 2);
        int len = ask(text, digits_of(lineL), text_entry);
        if (is[0] == 'q')
            return false;
        if (is[0] != 'a') {
            if (s - 2 >= 1)
                seglen = static_cast<uint16_t>(whole_answer_held(seglen, {1, s - 2.0}, len));
            block = seglen;
        }
    }
    window_line(w, 1);
    random_bits(nhood, block, 0, small, w.state, L);
    return is[0] != 'q';
}

// Clears the window below its menu lines, where a method's text went, and
// puts the point back on the second menu line.
void
clear_method_text(const seed_window &w)
{
    setfillstyle(0, black);
    bar(w.x0 - 1, w.top + 2 + 2 * CHeight, w.x0 + w.width - 4, w.bottom - 1);
    moveto(w.x0, w.top + 2 + CHeight);
}

// 'b' on a 1d network: segments edited until one is accepted.
bool
segment_editor(const seed_window &w)
{
    for (;;) {
        window_line(w, 1);
        char text[80];
        snprintf(text, sizeof text, "enter segment to define as bitstring, max/def %d:", lineL);
        int len = ask(text, digits_of(lineL), numeric_entry);
        if (is[0] == 'q')
            return false;
        long m = whole_answer_held(lineL, {1, static_cast<double>(lineL)}, len);
        seglen = static_cast<uint16_t>(m);
        long p = -1;
        if (m < lineL) {
            // On a line of its own: after the segment's answer it ran past
            // the window's frame.
            window_line(w, 1);
            snprintf(text, sizeof text, "enter start position from left 0-%ld, def centered: ",
                     static_cast<long>(L - m));
            len = ask(text, digits_of(lineL), numeric_entry);
            if (is[0] == 'q') {
                clear_method_text(w);
                continue;
            }
            // Return (-1): centred.
            p = whole_answer_held(-1, {0, static_cast<double>(L - m)}, len);
        }
        int high = 0, low = 0;
        segment_cells(lineL, static_cast<int>(m), p, &high, &low);
        define_bits(nhood, 0, w.state, high, low);
        if (is[0] == 'q') {
            clear_method_text(w);
            continue;
        }
        window_line(w, 1);
        if (readout_has_room(w))
            show_readout(w, w.state, " (dec)%lu", 256);
        return true;
    }
}

// 'B' on a 1d network: the bit editor over the string drawn as a grid.
bool
two_d_view(const seed_window &w)
{
    showbits_1d_as_2d = 1;
    set_i2dxj2d();
    if (i2d == 0) {
        i2d = static_cast<int16_t>(lineL);
        j2d = 1;
    }
    window_line(w, 1);
    char text[48];
    snprintf(text, sizeof text, "now %dx%d, reset i-axis:", i2d, j2d);
    int len = ask(text, 3, text_entry);
    if (is[0] == 'q')
        return false;
    if (len > 0 && is[0] != kKeyReturn)
        set_i_axis(whole_answer_held(i2d, {1, static_cast<double>(lineL)}, len), lineL);
    define_bits(nhood, 0, w.state, L, 0);
    if (is[0] == 'q') {
        twod = 0;
        return false;
    }
    // The readout below the picture (the editor leaves the point right of
    // it, level with its top), where the window has room for its line.
    moveto(w.x0, last_grid_bottom() + CHeight / 2);
    if (!readout_has_room(w))
        return true;
    show_readout(w, w.state, " (dec)%lu (hex)", -1);
    if (lineL <= 256)
        show_hex(w, w.state);
    return true;
}

bool
hex_method(const seed_window &w)
{
    int bytes = (lineL * value_bits + 7) / 8;
    // The digits stay inside the window's frame.
    define_hex(xtext, w.x0 + w.width - 6, nhood, 0, w.state, bytes - 1, 0);
    if (is[0] == 'q')
        return false;
    // The bits behind the last cell, to the end of the last byte, are not cells.
    for (uint32_t b = static_cast<uint32_t>(lineL) * value_bits; b < 8u * bytes; b++)
        set_bitlong(w.state, b, 0);
    if (lineL <= 512 && (oned || j2d <= 16)) {
        window_line(w, 1.5f);
    } else {
        setfillstyle(0, black);
        bar(w.x0 - 1, gety, w.x0 + w.width - 4, w.bottom - 1);
    }
    define_bits(nhood, 0, w.state, L, 0);
    return true;
}

bool
decimal_method(const seed_window &w)
{
    sep = static_cast<int8_t>(scale <= 2 ? 1 : 2);
    uint64_t largest = largest_state_number(lineL, value_range);
    char text[64];
    snprintf(text, sizeof text, "decimal seed, enter 0-%llu (def-rand):",
             static_cast<unsigned long long>(largest));
    int digits = static_cast<int>(std::to_string(largest).size());
    for (;;) {
        window_line(w, 1);
        int len = ask(text, digits, numeric_entry);
        if (is[0] == 'q')
            return false;
        std::string typed = len > 0 && is[0] != kKeyReturn ? entry_text() : std::string();
        uint64_t number = 0;
        bool valid = !typed.empty();
        for (char c : typed) {
            if (c < '0' || c > '9')
                break;
            number = number * 10 + static_cast<uint64_t>(c - '0');
            if (number > largest)
                valid = false;
        }
        if (valid && number <= largest) {
            if (value_range == 2)
                dec_to_bit_line(w.state, static_cast<uint32_t>(number), lineL);
            else
                dec_to_value_line(w.state, static_cast<uint32_t>(number), lineL);
            window_line(w, 2);
            print_bit_line(w.state, lineL, lightred, scale, sep);
            return true;
        }
        window_line(w, 1);
        random_bits(nhood, 0, 0, lineL <= 256 ? 1 : 0, w.state, L);
        if (is[0] != 'q')
            return true;
        clear_method_text(w);
    }
}

// 'l': a seed file, its readout and the bit editor; false for the menu.
bool
load_method(const seed_window &w)
{
    load_save_wrs('l', w.state, kSeedFile);
    if (is[0] == 'q')
        return false;
    window_line(w, 1);
    char text[48];
    if (has_decimal_form()) {
        snprintf(text, sizeof text, "(dec) %lu, ",
                 static_cast<unsigned long>(dec_equiv(w.state, L)));
        outtext(text);
    }
    if (lineL <= 255) {
        outtext("(hex)");
        show_hex(w, w.state);
    }
    window_line(w, 1);
    define_bits(nhood, 0, w.state, L, 0);
    return is[0] != 'q';
}

// What a method came to.
// menu: show the menu again; set, set_random (by the random method), loaded:
// the state is set; back_out: 'q' at the menu; leave: return at once.
enum class method_end { menu, set, set_random, loaded, back_out, leave };

method_end
run_method(seed_window &w, char key)
{
    bool order = w.kind == seed_kind::order;
    if (key == 'p' && order)
        key = 't';
    if (key == 'd' && !has_decimal_form())
        key = kKeyReturn;
    bool known = strchr("qwefrbBhdlpt", key) != nullptr && key != 0;
    if (!known) {
        if (w.kind == seed_kind::target || w.kind == seed_kind::aspiring)
            key = oned ? 'B' : 'b';
        else if (state_is_zero(w.state))
            key = 'r';
        else
            key = oned ? 'b' : 'B';
    }
    switch (key) {
    case 'q':
        return method_end::back_out;
    case 'w':
        resize_window(w);
        return method_end::menu;
    case 'e':
        memcpy(w.state, all_0s, bytesL);
        return method_end::menu;
    case 'f':
        fill_state(w);
        return method_end::menu;
    case 'r':
        return random_state(w) ? method_end::set_random : method_end::menu;
    case 'b':
        if (oned)
            return segment_editor(w) ? method_end::set : method_end::menu;
        window_line(w, 1);
        define_bits(nhood, 0, w.state, L, 0);
        return is[0] == 'q' ? method_end::menu : method_end::set;
    case 'B':
        if (oned)
            return two_d_view(w) ? method_end::set : method_end::menu;
        window_line(w, 1);
        define_bits(nhood, 0, w.state, L, 0);
        return is[0] == 'q' ? method_end::menu : method_end::set;
    case 'h':
        return hex_method(w) ? method_end::set : method_end::menu;
    case 'd':
        return decimal_method(w) ? method_end::set : method_end::menu;
    case 'l':
        if (order)
            return method_end::leave;
        return load_method(w) ? method_end::loaded : method_end::menu;
    case 'p':
        window_line(w, 1);
        define_bits(nhood, 0, w.state, L, 0);
        return method_end::set;
    default: // 't'
        return method_end::set;
    }
}

// Neutral-order mode: an order seed beyond the last order is refused. Its
// box, and the density line's, take a taller box left standing in their
// place (a basin's summary of three lines) whole first, so that none of its
// lines stands cut at their foot.
bool
order_index_refused(const seed_window &w)
{
    if (!neutral_order || lineL > 32)
        return false;
    uint32_t number = dec_equiv(w.state, L);
    uint32_t largest = fact(templineL) - 1;
    if (number <= largest)
        return false;
    replace_prompt_box(1);
    char text[96];
    snprintf(text, sizeof text, "order index %lu > max (%d!=%lu) cont-ret:",
             static_cast<unsigned long>(number), templineL, static_cast<unsigned long>(largest));
    outtext(text);
    input_string(1, text_entry);
    erase_prompt_box(1);
    memcpy(w.state, all_0s, bytesL);
    return true;
}

// The density line and the final prompt; the key answered.
char
density_prompt(const seed_window &w)
{
    int margin = replace_prompt_box(2);
    uint32_t count = 0;
    for (uint32_t c = 0; c < lineL; c++)
        count += get_value(w.state, c) > 0 ? 1 : 0;
    char ones[24], text[128];
    if (value_range == 2)
        snprintf(ones, sizeof ones, "density 1s=");
    else
        snprintf(ones, sizeof ones, "density %d-1s=", value_range - 1);
    float percent = 100.0f * static_cast<float>(count) / static_cast<float>(lineL);
    snprintf(text, sizeof text, "%s%u/%d=%.3f%%, bias=%.3f%%", ones, count, lineL, percent,
             bias_density);
    outtext(text);
    moveto(margin, gety + CHeight);
    outtext("SEED: revise-q save-s cont-ret:");
    input_string(1, text_entry);
    char key = is[0];
    erase_prompt_box(2);
    return key;
}

// The automatic seed file "mysee_v%d.eed", checked: a failed open or write
// gets the file error box (the state stays set).
void
write_automatic_seed(const uint8_t *state)
{
    char name[32];
    snprintf(name, sizeof name, "mysee_v%d.eed", value_range);
    std::vector<uint8_t> bytes;
    encode_network_file(kSeedFile, state, bytes);
    if (!write_file(name, bytes.data(), bytes.size()))
        file_error(name);
}

} // namespace

int
seed_window_bottom()
{
    return std::min<int>(Maxy - vgay(33), tallest_rule_box_top() - 2);
}

uint32_t
print_bit_line(const uint8_t *state, int count, int colour, int size, int gap)
{
    if (count == 0 || lineL > bit_line_cells(value_range))
        return 0;
    uint32_t number = 0, power = 1;
    for (int c = 0; c < count; c++) {
        number += static_cast<uint32_t>(get_value(state, c)) * power;
        power *= static_cast<uint32_t>(value_range);
    }
    uint8_t fill = fillcolor;
    for (int c = count - 1; c >= 0; c--) {
        int value = get_value(state, c);
        int cell = value_range == 2 ? (value ? colour : darkgray) : color_v[value];
        setfillstyle(0, cell);
        bar(getx, gety, getx + size - gap, gety + size - gap);
        moverel(size, 0);
    }
    setfillstyle(0, fill);
    return number;
}

int16_t
select_seed(int mode, uint8_t *state, const char *label, int restore)
{
    int16_t x = getx, y = gety;
    seed_window w{state, label, kind_of_label(label), x, 0, 0, 0, {}, 0, 0};
    if (w.kind == seed_kind::target)
        showbits_1d_as_2d = 1;
    else if (w.kind == seed_kind::seed)
        showbits_1d_as_2d = 0;
    w.width = window_width(w);
    // Wherever the caller stands, the window lies inside the window's width.
    w.x0 = std::max(3, std::min(w.x0, Maxx + 1 - w.width));
    if (mode == 1)
        return static_cast<int16_t>(window_top(seed_window_bottom(), w.x0 - 3, w.x0 + w.width - 3));

    bias_density = 50.0f;
    setting_seed = 1;
    keep_text_margin();
    if (restore)
        xtext = static_cast<float>(w.x0) / CWidth;
    top_right_key_under key_under = take_down_top_right_key();
    open_window(w);
    for (;;) {
        char key = show_menu(w);
        method_end end = run_method(w, key);
        if (end == method_end::menu)
            continue;
        if (end == method_end::back_out) {
            is[0] = 'q';
            break;
        }
        if (end == method_end::leave)
            break;
        // The random method's readout has the hex bytes of a v = 2 state
        // already, on the line this one would be written over.
        if (end == method_end::set_random && w.kind != seed_kind::seed && lineL <= 256 && value_range != 2) {
            window_line(w, 0.5f);
            show_hex(w, w.state);
        }
        if (order_index_refused(w))
            continue;
        if (end == method_end::loaded || dont_save)
            break;
        char answer = density_prompt(w);
        if (answer == 'q')
            continue;
        if (answer == 's') {
            load_save_wrs('s', w.state, kSeedFile);
            break;
        }
        write_automatic_seed(w.state);
        is[0] = answer;
        break;
    }

    if (restore) {
        close_window();
        put_back_band(w);
    }
    freeimage(&boximage[kWindowSlot]);
    if (w.band)
        freeimage(&w.band);
    put_back_text_margin();
    setviewport(0, 0, Maxx, Maxy, 1);
    tview_x0 = 0;
    tview_y0 = 0;
    tview_x1 = static_cast<int16_t>(Maxx);
    tview_y1 = static_cast<int16_t>(Maxy);
    put_back_top_right_key(key_under);
    setting_seed = 0;
    moveto(x, y);
    return static_cast<int16_t>(w.top);
}

int16_t
select_seed_over_setup(uint8_t *state, const char *label)
{
    const int band_top = setup_clear_row_above(select_seed(1, state, label, 1));
    image_slot under = 0;
    save_hiding_lines_in_band(band_top, band_top, seed_window_bottom(), &under);
    int16_t top = select_seed(0, state, label, 1);
    put_back_under_band(band_top, &under);
    return top;
}
