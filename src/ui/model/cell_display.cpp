// Cell values on screen (cell_display.h): every picture of a state or a rule
// is a row or grid of small filled squares, one per cell or table entry,
// coloured by value through color_v. A 1d state is drawn with cell L at the
// left and cell 0 at the right; a 2d state in rows of i2d cells from cell L
// at the top left. A square of pitch p and gap g covers p - g + 1 pixels
// from its corner, so with g = 1 neighbours touch. Reads the network
// description, the seed window (this folder's globals), the forward-run
// display settings (forward/) and draws through the screen layer. Start at
// setup_value_colors.
#include "ui/model/cell_display.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "ui/model/globals.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/fonts.h"
#include "ui/screen/images.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window.h"
#include "ui/screen/window_pixels.h"

namespace {

constexpr int kKeySlot = 19;  // box slot of the colour key
constexpr int kKeyMargin = 3; // pixels between the colour key's frame and its text

int key_box_x0 = 2; // left edge of the colour key's box while it is up

// The colour key's first line.
void
write_key_range_line(char *text, size_t size)
{
    snprintf(text, size, "cell value range = %d", value_range);
}

// Fills the square of pitch size and gap at (x, y) in colour c.
void
fill_square(int x, int y, int size, int gap, int c)
{
    setfillstyle(0, c);
    bar(x, y, x + size - gap, y + size - gap);
}

// Fills a rectangle with the background.
void
clear_area(int x0, int y0, int x1, int y1)
{
    setfillstyle(0, black);
    bar(x0, y0, x1, y1);
}

// Value colours 1..v-1 for value range v on background bg ('b' or 'w').
void
fill_value_colors(int v, char bg)
{
    const uint8_t on_black[7][7] = {
        {yellow},
        {red, white},
        {blue, lightred, white},
        {blue, lightred, yellow, white},
        {blue, lightred, lightgreen, yellow, white},
        {magenta, blue, lightred, lightgreen, yellow, white},
        {magenta, blue, lightred, lightblue, lightgreen, yellow, white}};
    const uint8_t on_white_6[5] = {blue, lightgreen, lightred, yellow, white};
    const uint8_t on_white_7[6] = {blue, lightgreen, lightred, magenta, yellow, white};
    const uint8_t on_white_8[7] = {blue, lightgreen, lightblue, lightred, magenta, yellow, white};
    const uint8_t *row = on_black[v - 2];
    if (bg == 'w' && v == 6)
        row = on_white_6;
    else if (bg == 'w' && v == 7)
        row = on_white_7;
    else if (bg == 'w' && v == 8)
        row = on_white_8;
    color_v[0] = black;
    for (int value = 1; value < v; value++)
        color_v[value] = row[value - 1];
}

// The green mark at the centre of a cell of pitch s drawn at (x, y).
void
centre_mark(int x, int y, int s)
{
    putpixel(x + s / 2 - 1, y + s / 2 - 1, green);
}

// The cells L..0 of a state in color_v with value 0 dark grey, in rows of
// `across` cells (a 1d row when across is lineL); the centre mark on value-0
// cells when scale > 2.
void
draw_value_cells(const uint8_t *state, int across)
{
    uint8_t zero = color_v[0];
    color_v[0] = darkgray;
    int x = getx;
    int in_row = 0;
    for (int i = L; i >= 0; i--) {
        int value = get_value(state, static_cast<uint32_t>(i));
        fill_square(getx, gety, scale, sep, color_v[value]);
        if (scale > 2 && value == 0)
            centre_mark(getx, gety, scale);
        moverel(scale, 0);
        if (++in_row == across && i > 0) {
            in_row = 0;
            moveto(x, gety + scale);
        }
    }
    color_v[0] = zero;
}

// Takes the rule box whole where the pattern's columns, from the window's
// top down to row bottom and from its left edge to x right, meet it: a new
// page's clear or a scroll's clear of the foot and move of the rows up go
// over its place, and would cut its texts and carry a piece of it up with
// the rows. A row drawn there takes it the same way (print_current_state);
// a rule box drawn between rows (the next basin's rule) stands there again.
void
take_rule_box_under_columns(int right, int bottom)
{
    rows_give_way({0, 0, right, bottom});
}

// The first scroll of a 1d pattern, when the row just drawn (at scrolly) is
// the last that fits: the page moves up two rows at once, so that this row
// lands where every later row lands after its scroll, above the blank row
// the next one is drawn on. Scrolling by one row here would clear this row
// before moving it, and the next row, drawn below it, would fall off the
// page: two rows of the pattern would never be shown.
void
begin_row_scrolling(int h)
{
    int kept = scrolly - h;
    take_rule_box_under_columns(pixmap_width, Maxy);
    if (kept > 0)
        copy_part_image(&current_draw, &current_draw, 0, 2 * h, 0, 0, pixmap_width, kept);
    clear_area(0, std::max(kept, 0), pixmap_width, Maxy);
    copy_drawable_to_window(&current_draw, 0, 0, 0, 0);
    moveto(0, std::max(kept, 0));
}

} // namespace

void
setup_value_colors(int alloc)
{
    int v = value_range;
    if (alloc == 1) {
        checked_free(color_v);
        color_v = static_cast<uint8_t *>(checked_calloc(static_cast<size_t>(v), 1, "color_v"));
    }
    if (!color_v || v < 2 || v > 8)
        return;
    fill_value_colors(v, bground == 'w' ? 'w' : 'b');
}

void
rearange_value_colors()
{
    int v = value_range;
    auto *old = static_cast<uint8_t *>(checked_calloc(static_cast<size_t>(v), 1, "temp_color_v"));
    auto *p = static_cast<uint16_t *>(checked_calloc(static_cast<size_t>(v), sizeof(uint16_t),
                                                     "shuffle_no"));
    memcpy(old, color_v, static_cast<size_t>(v));
    shuffle_order(p, v);
    for (int i = 0; i < v; i++)
        color_v[p[i]] = old[i];
    // The border value b_value is a cell value, not a colour: the shuffle
    // permutes colours only, so it stays as it is.
    checked_free(p);
    checked_free(old);
}

int16_t
set_cellscale(int n, int mode)
{
    if (mode == 1 || mode == 2) {
        cellscale = static_cast<int8_t>(vgax(4));
        cellsep = static_cast<int8_t>(vgax(2));
        // A rule table's rows widen and its squares shrink with its
        // entries (those of k = 10 and 11, and of k > 11, when v = 2), so
        // that a table of many values (v = 7, k = 5: 16807) stays a block
        // of a few hundred rows of pixels, not thousands.
        const uint64_t entries = mode == 1 ? rule_entries(n) : 0;
        if (entries > 2048) {
            cellscale = 2;
            cellsep = 1;
            return 256;
        }
        if (entries > 512) {
            cellscale = 3;
            cellsep = 1;
            return 128;
        }
        return static_cast<int16_t>(n == 10 || n == 11 ? 128 : n > 11 ? 256 : 64);
    }

    int width = 64, height;
    if (threed) {
        width = i3d;
        height = j3d * h3d;
        i2d = i3d;
        j2d = static_cast<int16_t>(j3d * h3d);
    } else if (twod || showbits_1d_as_2d) {
        width = i2d;
        height = j2d;
    } else if (oned) {
        height = (lineL + 63) / 64;
    } else {
        // No shape is known: n rows of the 1d width.
        height = n;
    }
    double limit = 0.83 * Maxy;
    auto needed = [&] { return 10 * CHeight + height * cellscale; };
    cellscale = static_cast<int8_t>(vgax(4));
    cellsep = static_cast<int8_t>(vgax(2));
    while (needed() > limit && cellscale > 0)
        cellscale--;
    if (cellscale <= 2)
        cellsep = 1;
    if (cellscale == 0)
        cellscale = 1;
    height_req_seed_win = static_cast<int16_t>(needed());
    if (height_req_seed_win > limit) {
        cellscale = 1;
        cellsep = 1;
        height_req_seed_win = static_cast<int16_t>(0.8 * Maxy);
    }
    return static_cast<int16_t>(width);
}

void
print_current_state(const uint8_t *state, int colour)
{
    int16_t x = getx, y = gety;
    // A row of the pattern reaching a box that stands over the drawing (the
    // cell order shown at the top right before a run, the rule box at the
    // foot) takes that box whole: the rows go on over its place, and the
    // rest of the box beside them would stand there with its line cut.
    rows_give_way({x, y, x + lineL * scale - sep, y + scale - sep});
    setcolor(white);
    clear_area(x, y, x + lineL * scale - sep, y + scale - sep);
    if (L != Maxu) {
        for (int i = L; i >= 0; i--) {
            int value = get_value(state, static_cast<uint32_t>(i));
            int fill = value_range == 2 ? (value ? colour : darkgray) : color_v[value];
            fill_square(getx, gety, scale, sep, fill);
            if (scale > 2)
                centre_mark(getx, gety, scale);
            moverel(scale, 0);
        }
    }
    moveto(x, y);
}

void
print_current_state_h(const uint8_t *state, int colour)
{
    int16_t x = getx, y = gety;
    int width = lineL * scale - sep, height = scale - sep;
    bool framed = hilight_learn && colour != white;
    // Framed, the frame's own rows and columns are cleared with the rest:
    // a frame drawn there before goes whole, not hollowed out.
    if (framed)
        clear_area(x - 2, y - 2, x + width + 2, y + height + 2);
    else
        clear_area(x, y, x + width, y + height);
    if (L != Maxu)
        draw_value_cells(state, lineL);
    if (framed) {
        setcolor(white);
        rectangle(x - 2, y - 2, x - 2 + width + 4, y - 2 + height + 4);
    }
    moveto(x, y);
}

void
print_current_state_twod(const uint8_t *state, int colour)
{
    int16_t x = getx, y = gety;
    int width = scale * i2d, height = scale * j2d;
    bool framed = hilight_learn && colour != white;
    if (framed) {
        clear_area(x - 3, y - 3, x + width + 3, y + height + 3);
        setcolor(white);
        rectangle(x - 3, y - 3, x - 3 + width + 6, y - 3 + height + 6);
    } else {
        clear_area(x, y, x + width, y + height);
    }
    if (L != Maxu && i2d > 0)
        draw_value_cells(state, i2d);
    setcolor(white);
    rectangle(x - 1, y - 1, x - 1 + width + 2, y - 1 + height + 2);
    moveto(x, y);
}

void
draw_hexagonal_2d_cell(double h, int size, int outline, int dot, int colour, int x, int y)
{
    if (size <= 1) {
        putpixel(x, y, colour);
        return;
    }
    int half = static_cast<int>(std::ceil(h / 2));
    int low = static_cast<int>(y + 1.5 * h);
    int corners[12] = {x + size / 2, y,
                       x + size,     y + half,
                       x + size,     low,
                       x + size / 2, y + static_cast<int>(std::ceil(2 * h)),
                       x,            low,
                       x,            y + half};
    memcpy(poly, corners, sizeof corners);
    fillpoly(6, poly);
    if (outline == 2 || (outline == 1 && size > 3)) {
        int16_t px = getx, py = gety;
        setcolor(black);
        moveto(poly[10], poly[11]);
        for (int c = 0; c < 6; c++)
            lineto(poly[2 * c], poly[2 * c + 1]);
        moveto(px, py);
    }
    if (dot == 1 && size > 3 && (colour == black || colour == darkgray))
        putpixel(x + size / 2, static_cast<int>(h + y), green);
}

int16_t
print_layered_bitstring(int width, const uint8_t *string, int last, int size, int gap, int floor,
                        int kind)
{
    if (twod && size <= 3 && kind == 0)
        gap = 1;
    int filler = value_range == 2 ? (8 - (last + 1) % 8) % 8 : 0;
    bool state_2d = kind == 0 && twod, state_3d = kind == 0 && threed && !twod;
    bool state_1d = kind == 0 && oned;
    int start_x = getx;
    int row_start = static_cast<int>(xtext * CWidth);
    int first_row_end = -1;
    int byte_gap = Maxx > 798 ? 3 : 2;
    bool stopped = false;
    int c = 0;
    for (int i = last + filler; i >= 0; i--) {
        c++;
        if (i > last) {
            putpixel(getx + (size - gap) / 2, gety + (size - gap) / 2, white);
            if (state_1d)
                moverel(size, 0);
        } else if (!stopped) {
            int value = get_value(string, static_cast<uint32_t>(i));
            int fill = value_range == 2 ? (value ? yellow : darkgray) : color_v[value];
            fill_square(getx, gety, size, gap, fill);
            if (size > 3 && value == 0)
                putpixel(getx + (size - gap) / 2, gety + (size - gap) / 2, green);
            moverel(size, 0);
            if (c % 8 == 0 && (kind == 1 || oned))
                moverel(byte_gap, 0);
        }

        bool new_row = false;
        int new_x = start_x;
        if (state_2d && i2d > 0 && i % i2d == 0) {
            new_row = true;
            new_x = row_start;
        } else if (state_3d && i3d > 0 && i % i3d == 0) {
            // A layer's number after its last cell; the filler's
            // positions past the last cell begin no layer.
            if (j3d > 0 && i % (i3d * j3d) == 0 && i <= last) {
                int ly = gety + size / 2;
                moveto(getx + CWidth / 2, ly);
                lineto(getx - CWidth / 2 + 2 * CWidth, ly);
                // The number a gap right of the line's end, not on it.
                char layer[16];
                snprintf(layer, sizeof layer, "%d", i / (i3d * j3d));
                int number_x = getx + 2;
                text_line(number_x, number_x + text_width_in_use(layer) - 1, gety - size / 2, layer);
            }
            new_row = true;
            new_x = row_start;
        } else if (!state_2d && !state_3d && width > 0 && c % width == 0 && i != 0 && c > 8) {
            new_row = true;
        }
        if (new_row) {
            if (first_row_end < 0)
                first_row_end = getx;
            moveto(new_x, gety + size);
        }
        if (new_row && floor > 0 && gety + size - gap - 1 > floor)
            break;
        if (setting_seed && gety >= tview_y1)
            stopped = true;
    }
    return static_cast<int16_t>(first_row_end >= 0 ? first_row_end : getx);
}

int
color_key_width()
{
    char text[40];
    write_key_range_line(text, sizeof text);
    int range_line = text_pixel_width(text, static_cast<int>(strlen(text)));
    // The squares (and the values under them) start after "color key:  ",
    // 1.5 line heights apart; the last one is a line height wide.
    int squares = text_pixel_width("color key:  ", 12) +
                  (value_range - 1) * static_cast<int>(1.5 * CHeight) + CHeight;
    return std::max(range_line, squares) + 2 * kKeyMargin;
}

bool
color_key_off_right_edge()
{
    return boximage[kKeySlot] && key_box_x0 != 2 && key_box_x0 != Maxx - 2 - color_key_width();
}

void
redraw_color_key()
{
    if (!boximage[kKeySlot])
        return;
    const int where = key_box_x0 == 2 ? 3 : 1;
    show_multistate_color_key(0);
    show_multistate_color_key(where);
}

bool
color_key_box_at_right(int *left, int *bottom)
{
    box_place p{};
    if (!box_stands(box_owner::colour_key, &p) || p.x0 == 2)
        return false;
    *left = p.x0;
    *bottom = p.y1;
    return true;
}

void
show_multistate_color_key(int where)
{
    if (where == 0 || where == 2) {
        if (boximage[kKeySlot]) {
            int16_t px = getx, py = gety;
            putimage(key_box_x0, 2, &boximage[kKeySlot], 3);
            freeimage(&boximage[kKeySlot]);
            moveto(px, py);
        }
        setcolor(white);
        return;
    }
    if (where != 1 && where != 3)
        return;
    int16_t px = getx, py = gety;
    int colour = getcolor();
    uint8_t fill = fillcolor;
    // The box is as wide as its widest line, against the window's right
    // edge (1) or its left edge (3); the erase puts back what it covered.
    int width = color_key_width();
    key_box_x0 = where == 1 ? Maxx - 2 - width : 2;
    // A one-line box at the top right that the key would cover in part (a
    // rule readout, a histogram's readout) goes whole as the box is drawn:
    // its later erase would cut the key's lines.
    const int key_bottom = 3 * CHeight + vgay(6) + 2;
    raise_box(box_owner::colour_key, {key_box_x0, 2, key_box_x0 + width, key_bottom}, box_way::saved);
    draw_box(kKeySlot, key_box_x0, 2, key_box_x0 + width, key_bottom, 1, 0);
    int x = key_box_x0 + kKeyMargin;
    setcolor(white);
    char text[40];
    write_key_range_line(text, sizeof text);
    moveto(x, 3);
    outtext(text);
    moveto(x, 3 + CHeight);
    outtext("color key:  ");
    int first = getx, pitch = static_cast<int>(1.5 * CHeight);
    for (int value = value_range - 1, j = 0; value >= 0; value--, j++) {
        int sx = first + j * pitch, sy = 3 + CHeight;
        setfillstyle(0, color_v[value]);
        bar(sx, sy, sx + CHeight - 1, sy + CHeight - 2);
        rectangle(sx, sy, sx + CHeight - 1, sy + CHeight - 2);
    }
    moveto(x, 3 + 2 * CHeight);
    outtext("cell state:");
    for (int value = value_range - 1, j = 0; value >= 0; value--, j++) {
        snprintf(text, sizeof text, "%d", value);
        moveto(first + j * pitch, 3 + 2 * CHeight);
        outtext(text);
    }
    setfillstyle(0, fill);
    setcolor(colour);
    moveto(px, py);
}

int
window_frames_floor()
{
    int x0, y0, x1, y1;
    if (kept_area(&x0, &y0, &x1, &y1) && y0 > 0 && y0 <= Maxy)
        return y0 - 2;
    return Maxy;
}

int
pattern_columns_right()
{
    return std::min<int>((L + 1) * scale + 2, Maxx);
}

void
end_page(int h)
{
    if (!stp)
        return;
    if (!scrolling) {
        moveto(0, gety + h);
        if (Maxy - gety < h) {
            take_rule_box_under_columns(h * lineL + 2, Maxy);
            clear_area(0, 0, h * lineL + 2, Maxy);
            moveto(0, 0);
        }
        return;
    }
    if (!nowscrolling) {
        if (d_mode == display_1d) {
            moveto(0, gety + h);
        } else if (d_mode == display_2d) {
            pixmap_width = static_cast<int16_t>(getx + h);
            moveto(getx, gety + h);
        }
        bool start = false;
        if (d_mode == display_1d)
            start = Maxy - gety < h;
        else if (d_mode == display_2d_time)
            start = window_frames_floor() - gety < h;
        else if (d_mode == display_2d)
            start = window_frames_floor() - gety < 3 * h || Maxx - pixmap_width < 3 * h;
        if (start) {
            nowscrolling = 1;
            // A scrolling 2d frame's bottom side lies in the row after its
            // cells: it scrolls with them, the clear below takes none of it.
            const int below = d_mode == display_2d_time ? vgax(1) : d_mode == display_2d ? 1 : 0;
            scrolly = static_cast<int16_t>(gety - h + below);
            if (d_mode == display_1d)
                begin_row_scrolling(h);
            else if (d_mode == display_2d)
                moveto(0, gety + h);
        } else {
            copy_drawable_to_window(&current_draw, 0, gety - h, pixmap_width, h);
        }
        return;
    }
    const int foot = d_mode == display_1d ? Maxy : window_frames_floor();
    take_rule_box_under_columns(pixmap_width, foot);
    clear_area(0, scrolly, pixmap_width, foot);
    if (d_mode == display_1d || d_mode == display_2d_time)
        copy_part_image(&current_draw, &current_draw, 0, h, 0, 0, pixmap_width, scrolly);
    else if (d_mode == display_2d)
        copy_part_image(&current_draw, &current_draw, h, h, 0, 0, pixmap_width, scrolly);
    if (d_mode >= display_1d && d_mode <= display_2d_time)
        copy_drawable_to_window(&current_draw, 0, 0, 0, 0);
    moveto(0, scrolly - h);
}
