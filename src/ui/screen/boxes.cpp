// The fixed places of dialogue and the boxes drawn there: the general box
// that saves what it covers, the prompt box (top right), the memory box (top
// middle), the inset box, the hint box and title strip (bottom), and the text
// column on the left. Every routine leaves the viewport at the drawing area.
#include "ui/screen/boxes.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "ui/screen/box_places.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/side_panel.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/text_inks.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window.h"
#include "ui/screen/window_record.h"
#include "ui/screen/x_state.h"

namespace {

void
set_drawing_area_viewport()
{
    setviewport(0, 0, Maxx, Maxy, 1);
}

// Fills a rectangle with the background, keeping the fill colour.
void
fill_black(int x0, int y0, int x1, int y1)
{
    uint8_t fill = fillcolor;
    setfillstyle(0, black);
    bar(x0, y0, x1, y1);
    fillcolor = fill;
}

// The right edge of a band hiding the text column's lines down to bottom:
// the window's frame, or a marked side panel the band reaches.
int
band_right(int bottom)
{
    int right = box_right_edge(Maxx);
    if (bottom >= side_panel_top())
        right -= side_panel_shift(right);
    return right;
}

// Rows top..bottom of the text column hidden: cleared across the window's
// width inside its frame, or up to a marked side panel the band reaches,
// whose lines stay whole.
void
hide_lines_in_band(int top, int bottom)
{
    if (bottom < top)
        return;
    set_drawing_area_viewport();
    fill_black(1, top, band_right(bottom), bottom);
}

// The bottom strip's title, its glyphs within the strip's frame: where they
// are taller than the rows inside it (the least window's height), in the
// first smaller font whose glyphs are not, their last row raised to the
// one above the frame's foot (the window's last row).
void
write_bottom_title()
{
    const char *title = "  backtrack/interrupt-q, screen:print-@ save->load-<";
    const int inside = WinMaxy - Maxy - 2;
    font_while font([&] { return text_ink_height_in_use(title) <= inside; },
                    {set_medium_font, set_small_font});
    move_to_strip_line(title, vgax(3), WinMaxy - vgay(12), WinMaxy - 1);
    outtext(title);
}

// The one-line boxes drawn at the top right (a readout or a message beside
// the colour key, which may reach left of the prompt box's columns, and the
// damage count's box a row below it) while they may still stand there, the
// last drawn last. Each box drawn takes those it meets, so those kept stand
// apart from each other.
// A line box's place in the list of standing boxes.
box_place
place_of(const line_box &b)
{
    return {b.left, b.top, b.right, b.bottom};
}

} // namespace

void
move_to_strip_line(const char *text, int x, int top, int last)
{
    int above = 0, below = 0;
    text_ink_in_use(text, above, below);
    const int baseline = std::min(line_baseline(top), last + 1 - below);
    moveto(x, baseline - line_baseline(0));
}

void
saved_viewport::widen_to_drawing_area()
{
    if (y1 <= Maxy) {
        set_drawing_area_viewport();
        widened = true;
    }
}

void
saved_viewport::restore() const
{
    if (widened)
        put_back();
}

void
saved_viewport::put_back() const
{
    setviewport(x0, y0, x1, y1, 1);
}

void
erase_top_line_box(const line_box &b)
{
    if (box_stands_at(box_owner::top_line, place_of(b)))
        erase_box(b.left, b.top, b.right, b.bottom);
}

namespace {

// A box as wide as the prompt box, its top left corner at (left, top) and
// its last row bottom, cleared and framed; the point at its text margin.
int16_t
prompt_box_within(int left, int top, int bottom)
{
    int colour = nowcolor;
    uint8_t fill = fillcolor;
    const int right = left + box_right_edge(Maxx) - prompt_box_left(Maxx);
    const int margin = left + prompt_box_text(Maxx) - prompt_box_left(Maxx);
    set_drawing_area_viewport();
    give_way({left, top, right, bottom});
    fill_black(left, top, right, bottom);
    setcolor(red);
    rectangle(left, top, right, bottom);
    moveto(margin, top + 3);
    setcolor(colour);
    fillcolor = fill;
    if (nowcolor == black)
        setcolor(white);
    return static_cast<int16_t>(margin);
}

} // namespace

int
prompt_box_bottom(int n)
{
    return box_lines_bottom(n, CHeight, WinMaxy);
}

int
box_text_inset()
{
    return std::max<int>(vgax(3), 3);
}

int16_t
draw_box(int slot, int x0, int y0, int x1, int y1, int frame, int colour)
{
    saved_viewport view;
    view.widen_to_drawing_area();
    int previous = nowcolor;
    // Boxes it meets in part go whole before what it covers is saved:
    // its erase puts back no piece of one.
    if (slot >= 0 && slot <= 29)
        save_giving_way({x0, y0, x1, y1}, {x0, y0, x1, y1 + 1}, &boximage[slot]);
    else
        give_way({x0, y0, x1, y1});
    if (colour == 0)
        colour = black;
    if (colour >= 0) {
        uint8_t fill = fillcolor;
        setfillstyle(0, colour);
        bar(x0, y0, x1, y1);
        fillcolor = fill;
    }
    if (frame == 1) {
        setcolor(lightred);
        rectangle(x0, y0, x1, y1);
    }
    setcolor(previous);
    moveto(x0 + box_text_inset(), y0 + 1);
    view.restore();
    return static_cast<int16_t>(x0 + box_text_inset());
}

box_corners
draw_exit_question(int slot, const char *text)
{
    // Room for the entry's block after the text, and as much before it.
    const int width = text_width_in_use(text);
    const int half = width / 2 + 2 * CWidth;
    const int top = Maxy / 2 - CHeight / 2;
    int first = 0, last = 0;
    line_ink_rows(top, first, last);
    const box_corners inner = {Maxx / 2 - half, first - 3, Maxx / 2 + half, last + 3};
    const box_corners outer = {inner.x0 - vgax(7), inner.y0 - vgay(7), inner.x1 + vgax(7),
                               inner.y1 + vgay(7)};
    // The blue is a border round the black box: what the box covers is
    // cleared whole first (a text under it is hidden, not cut by each of
    // the pieces), then its four sides are filled, not the whole box
    // cleared after.
    draw_box(slot, outer.x0, outer.y0, outer.x1, outer.y1, 1, black);
    const box_corners sides[] = {{outer.x0 + 1, outer.y0 + 1, outer.x1 - 1, inner.y0 - 1},
                                 {outer.x0 + 1, inner.y1 + 1, outer.x1 - 1, outer.y1 - 1},
                                 {outer.x0 + 1, inner.y0, inner.x0 - 1, inner.y1},
                                 {inner.x1 + 1, inner.y0, outer.x1 - 1, inner.y1}};
    uint8_t fill = fillcolor;
    setfillstyle(0, blue);
    for (const box_corners &side : sides)
        bar(side.x0, side.y0, side.x1, side.y1);
    fillcolor = fill;
    draw_box(-1, inner.x0, inner.y0, inner.x1, inner.y1, 1, black);
    setcolor(lightred);
    text_line(Maxx / 2 - width / 2 - CWidth / 2, inner.x1 - 2, top, text);
    return outer;
}

int16_t
draw_prompt_box(int n)
{
    return draw_prompt_box_to(prompt_box_bottom_past_ink(n));
}

int16_t
draw_prompt_box_to(int bottom)
{
    return prompt_box_within(prompt_box_left(Maxx), 2, bottom);
}

int16_t
draw_prompt_box_at(int left, int top, int n)
{
    return prompt_box_within(left, top, top - 2 + prompt_box_bottom(n));
}

namespace {

// The box replace_prompt_box drew last stands in the list as the
// settings prompt, the prompt box's place from the window's top down to
// its last row (kept in rows, since boxes are drawn in the font their
// lines take). The next one in its place, or the erase of a prompt box,
// clears it whole; a box drawn over a part of it (a message, a band of
// hidden lines) leaves it standing for them, and a drawing covering it
// whole hides it.
box_place
prompt_place(int bottom)
{
    return {prompt_box_left(Maxx), 2, box_right_edge(Maxx), bottom};
}

// The last row of that box while it stands, else 0.
int
replaced_box_standing()
{
    box_place place{};
    return box_stands(box_owner::settings_prompt, &place) ? place.y1 : 0;
}

// The rows y0..y1 of the prompt box's place cleared, and the lines of the
// text column a tall box reached down to drawn again where it cut them.
void
clear_prompt_box_rows(int y0, int y1)
{
    set_drawing_area_viewport();
    give_way({prompt_box_left(Maxx), y0, box_right_edge(Maxx), y1});
    fill_black(prompt_box_left(Maxx), y0, box_right_edge(Maxx), y1);
    redraw_texts_within(prompt_box_left(Maxx), y0, box_right_edge(Maxx), y1);
}

} // namespace

void
erase_prompt_box(int n)
{
    clear_prompt_box_rows(2, std::max(prompt_box_bottom_past_ink(n), replaced_box_standing()));
}

void
erase_prompt_box_to(int bottom)
{
    clear_prompt_box_rows(2, bottom);
}

int16_t
replace_prompt_box(int n)
{
    // A taller one standing goes whole first, with its rows below.
    raise_box(box_owner::settings_prompt, prompt_place(prompt_box_bottom_past_ink(n)), box_way::kept);
    return draw_prompt_box(n);
}

void
prompt_box_outlives_clear(uint32_t clears_before)
{
    box_outlives_clear(box_owner::settings_prompt, clears_before);
}

int
replaced_prompt_box_bottom()
{
    return replaced_box_standing();
}

void
get_prompt_box(int slot, int n)
{
    set_drawing_area_viewport();
    if (slot >= 0 && slot <= 14)
        getimage(prompt_box_left(Maxx), 2, box_right_edge(Maxx), prompt_box_bottom_past_ink(n),
                 &boximage_prompt[slot]);
}

void
save_under_top_right(int left, int bottom, image_slot *image)
{
    // Boxes it meets in part go whole first, so that the put back shows
    // no piece of one.
    const box_place place{left, 2, box_right_edge(Maxx), bottom};
    save_giving_way(place, place, image);
}

void
put_back_under_top_right(int left, image_slot *image)
{
    putimage(left, 2, image, 0);
    freeimage(image);
}

void
save_under_prompt_box(int slot, int n)
{
    set_drawing_area_viewport();
    save_under_top_right(prompt_box_left(Maxx), prompt_box_bottom_past_ink(n), &boximage_prompt[slot]);
}

void
put_back_under_prompt_box(int slot)
{
    set_drawing_area_viewport();
    put_back_under_top_right(prompt_box_left(Maxx), &boximage_prompt[slot]);
}


namespace {


} // namespace

void
inset_prompt_box(int c, const char *text)
{
    // Drawn whole whatever clip is in force (a run kept left of a panel),
    // which stays.
    saved_viewport view;
    view.widen_to_drawing_area();
    int16_t x = getx, y = gety;
    // c characters wide, or wider where the text is (up to the prompt box's
    // width), so that the text ends inside the box and the window: three
    // pixels of room between the text and the frame on either side.
    int width = text_pixel_width(text, static_cast<int>(strlen(text))) + 6;
    width = std::min(std::max(c * CWidth, width), box_right_edge(Maxx) - prompt_box_left(Maxx));
    // Left of a box standing at the top right (the colour key), which it
    // would hide the first line of.
    int right = box_right_edge(Maxx), key_left = 0, key_bottom = 0;
    if (top_right_box_standing(&key_left, &key_bottom))
        right = key_left - 2;
    line_box b{right - width, 2, right, CHeight + 4};
    // The last one (a longer text) still standing in the same place gives
    // its width: a narrower box would leave a piece of its frame beside it.
    for (const box_place &last : standing_boxes_of(box_owner::top_line))
        if (last.y1 == b.bottom && last.y0 == b.top && last.x1 == b.right && last.x0 < b.left)
            b.left = last.x0;
    // A last one-line box it meets in part (a rule readout reaching further
    // left) goes whole: it is forgotten here, so nothing would take away
    // the piece left beside this one.
    const int colour = getcolor();
    draw_line_box(b);
    setcolor(colour);
    text_line(b.left + 3, b.right - 3, 3, text);
    moveto(x, y);
    view.restore();
}

bool
top_right_box_standing(int *left, int *bottom)
{
    // The value key and a running pattern's frozen key, as one; the value
    // key kept at the left edge instead is not in the prompts' way.
    bool standing = false;
    for (box_owner key : {box_owner::colour_key, box_owner::frozen_key}) {
        box_place p{};
        if (!box_stands(key, &p) || p.x1 < prompt_box_left(Maxx))
            continue;
        *left = standing ? std::min(*left, p.x0) : p.x0;
        *bottom = standing ? std::max(*bottom, p.y1) : p.y1;
        standing = true;
    }
    return standing;
}

int
prompt_lines_covering_top_right_box(int n)
{
    int key_left = 0, key_bottom = 0;
    bool standing = top_right_box_standing(&key_left, &key_bottom);
    // A settings prompt left standing is a prompt box of its own: as wide,
    // and kept clear of, so a box over it covers it whole too.
    box_place prompt{};
    if (box_stands(box_owner::settings_prompt, &prompt)) {
        key_bottom = standing ? std::max(key_bottom, prompt.y1) : prompt.y1;
        standing = true;
    }
    if (!standing)
        return n;
    // The box starts at the window's top as the prompt box does: even one
    // line would end across its lines.
    while (prompt_box_bottom(n) <= key_bottom)
        n++;
    return n;
}

int
box_bottom_past_ink(int bottom, int left, int right)
{
    const int free = free_row_below(bottom, left + 1, right - 1);
    // Two lines' height is the most a line of text cut at the foot takes.
    return free <= bottom + 2 * CHeight ? free : bottom;
}

int
prompt_box_bottom_past_ink(int n)
{
    return box_bottom_past_ink(prompt_box_bottom(n), prompt_box_left(Maxx), box_right_edge(Maxx));
}

line_box
line_box_beside_key(int width)
{
    line_box b{prompt_box_left(Maxx), 2, box_right_edge(Maxx), prompt_box_bottom(1)};
    int key_left = 0, key_bottom = 0;
    if (!top_right_box_standing(&key_left, &key_bottom))
        return b;
    b.right = key_left - 2;
    b.left = std::min(b.left, b.right - width - 6);
    if (b.left >= 2)
        return b;
    b = {prompt_box_left(Maxx), key_bottom + 2, box_right_edge(Maxx), 0};
    b.bottom = b.top - 2 + prompt_box_bottom(1);
    return b;
}

void
erase_prompt_line_beside_key()
{
    int key_left = 0, key_bottom = 0;
    if (!top_right_box_standing(&key_left, &key_bottom)) {
        erase_prompt_box(1);
        return;
    }
    const line_box b = line_box_beside_key(0);
    if (b.top != 2)
        return; // no room beside the key: the line's place is the key's
    erase_box(b.left, b.top, b.right - 1, b.bottom - 1);
}

namespace {

// A taller prompt box that replace_prompt_box left standing (a sample
// rule's figures, say) whose first line a one-line box b at the top right
// would cover: its lines below would show cut at b's foot. It is taken
// away whole first where it covers a key box at the top right whole too
// (the key hidden under it stays hidden); a key box reaching below its
// foot keeps it (its clear would cut that key).
void
take_replaced_box_under(const line_box &b)
{
    const int standing = replaced_box_standing();
    if (standing <= b.bottom || b.top > standing || b.right < prompt_box_left(Maxx))
        return;
    int key_left = 0, key_bottom = 0;
    if (top_right_box_standing(&key_left, &key_bottom) && key_bottom > standing)
        return;
    clear_prompt_box_rows(2, standing);
}

} // namespace

void
draw_line_box(const line_box &b)
{
    take_replaced_box_under(b);
    raise_box(box_owner::top_line, place_of(b), box_way::taken);
    draw_box(-1, b.left, b.top, b.right, b.bottom, 1, 0);
    setcolor(white);
    moveto(b.left + 3, b.top + 3);
}


int
draw_hint_box(int wait, int frame, const char *text, int x)
{
    setviewport(0, 0, Maxx, WinMaxy, 1);
    is[0] = 0;
    keep_point();
    int colour = nowcolor;
    setcolor(white);
    if (frame)
        draw_box(19, x, Maxy + vgax(2), Maxx - 1, WinMaxy - 1, 1, 0);
    else
        fill_black(x + 1, Maxy + vgax(2), Maxx - 1, WinMaxy - 1);
    // The text keeps inside the box's frame: in a smaller font where the
    // strip is lower than its glyphs (a small window), cut at the frame.
    const int first = Maxy + vgax(2) + 1, last = WinMaxy - 2;
    font_while font([&] { return text_ink_height_in_use(text) <= last - first + 1; },
                    {set_medium_font, set_small_font});
    move_to_strip_line(text, x + 2 * CWidth, Maxy + vgax(3), last);
    outtext(text_within(text, Maxx - 1 - getx).c_str());
    if (wait)
        input_string(1, text_entry);
    put_back_point();
    setcolor(colour);
    set_drawing_area_viewport();
    return is[0];
}

void
erase_free_hint_box(int x)
{
    setviewport(0, 0, Maxx, WinMaxy, 1);
    int16_t px = getx, py = gety;
    putimage(x, Maxy + vgax(2), &boximage[19], 3);
    freeimage(&boximage[19]);
    moveto(px, py);
    set_drawing_area_viewport();
}

void
erase_box(int x0, int y0, int x1, int y1)
{
    saved_viewport view;
    view.widen_to_drawing_area();
    int16_t x = getx, y = gety;
    give_way({x0, y0, x1 + 1, y1 + 1});
    setfillstyle(0, black);
    bar(x0, y0, x1 + 1, y1 + 1);
    setcolor(white);
    view.restore();
    moveto(x, y);
}

void
clear_drawing_area()
{
    set_drawing_area_viewport();
    clearviewport();
}

void
draw_bottom_title(int mode)
{
    int16_t x = getx, y = gety;
    int16_t user_size = pointsize;
    if (mode == 1)
        setup_fonts(0);
    setviewport(0, Maxy + 1, Maxx, WinMaxy, 1);
    fill_black(0, Maxy + 1, Maxx, WinMaxy);
    setcolor(lightred);
    rectangle(0, Maxy + 1, Maxx, WinMaxy);
    write_bottom_title();
    setcolor(white);
    set_drawing_area_viewport();
    moveto(x, y);
    if (mode == 1)
        setup_fonts(user_size);
}

int
text_column_top()
{
    // Below the first screen's prompt box of three lines, which a window of
    // little height brings down to vgay(50): the column's first line (that
    // screen's menu) is written after the box and would run under it.
    return std::max(static_cast<int>(vgay(50)), prompt_box_bottom(3) + 2);
}

int
tallest_rule_box_top()
{
    return Maxy - 3 * CHeight - 2;
}

int
two_line_rule_box_top()
{
    return Maxy - 2 * CHeight - 6;
}

namespace {

// The ink of the text column's lines: rows first..past-1 of a line that
// stands at top + j * CHeight are inked from top + j * CHeight + first on.
// A line's baseline is line_baseline below its top, as outtext writes it; the
// ink of letters with ascenders and descenders bounds it.
void
text_column_ink(int &first, int &past)
{
    int above = 0, below = 0;
    normal_text_ink("EXIT-q, graphics setup-g, (def-field):", above, below);
    first = line_baseline(0) - above;
    past = line_baseline(0) + below;
}

} // namespace

int
text_column_clear_row(int y)
{
    int first_ink = 0, past_ink = 0;
    text_column_ink(first_ink, past_ink);
    const int top = text_column_top();
    // Row top + first_ink is the first row of line 0's ink, so it is taken;
    // a row below the window (no marked panel's top) has no line to clear.
    if (CHeight <= 0 || y < top + first_ink || y > WinMaxy)
        return y;
    const int line = (y - top - first_ink) / CHeight;
    const int end = top + line * CHeight + past_ink;
    return end > y ? end : y;
}

int
prompt_band_bottom(int n)
{
    return text_column_clear_row(prompt_box_bottom(n));
}

namespace {

// What a band kept in an image holds besides its pixels: the last replaced
// box it saved whole from the window's top (the box drawn over the band
// hides it, so a one-line box drawn on that box, in its first line, must
// not clear the rows of the one under it through that box's lines), and the
// last one-line box at the top right it saved whole (a box drawn over the
// band takes it). The band put back shows both again, as they were.
} // namespace

void
save_hiding_lines_in_band(int top, int hide_from, int bottom, image_slot *under)
{
    // The band's foot is taken from the text column's grid; a line of
    // another column on a grid of its own (a running pattern's key panel)
    // that it meets is hidden whole, not left showing its last rows.
    if (hide_from <= bottom)
        bottom = std::min<int>(Maxy, std::max(bottom, free_row_below(bottom, 1, band_right(bottom)) - 1));
    set_drawing_area_viewport();
    getimage(0, top, box_right_edge(Maxx), bottom, under);
    hide_lines_in_band(hide_from, bottom);
}

void
clear_hiding_lines_cut(int x0, int y0, int x1, int y1)
{
    // The rows where a text's ink takes the columns on both sides of the
    // left edge: a line that runs on under the clearing.
    int first = -1, last = -1;
    for (int y = y0; y <= y1;) {
        const int free = free_row_below(y, x0 - 1, x0);
        if (free > y) {
            if (first < 0)
                first = y;
            last = free - 1;
        }
        y = free + 1;
    }
    if (first >= 0) {
        const int right = box_right_edge(Maxx);
        hide_lines_in_band(free_row_above(first, 1, right), free_row_below(last, 1, right));
    }
    set_drawing_area_viewport();
    fill_black(x0, y0, x1, y1);
}

void
show_under_band(int top, image_slot *under)
{
    set_drawing_area_viewport();
    putimage(0, top, under, 0);
}

void
put_back_under_band(int top, image_slot *under)
{
    show_under_band(top, under);
    freeimage(under);
}

void
hide_lines_under_prompt(int n)
{
    hide_lines_in_band(text_column_top(), prompt_band_bottom(n));
}

void
save_hiding_lines_under_prompt(int slot, int n)
{
    save_hiding_lines_in_band(2, text_column_top(), prompt_band_bottom(n), &boximage_prompt[slot]);
}

int16_t
draw_tall_prompt_box(int slot, int n)
{
    save_hiding_lines_under_prompt(slot, n);
    return draw_prompt_box(n);
}

void
erase_tall_prompt_box(int slot, int n)
{
    erase_prompt_box(n);
    put_back_under_prompt_band(slot);
}

void
show_under_prompt_band(int slot)
{
    show_under_band(2, &boximage_prompt[slot]);
}

void
put_back_under_prompt_band(int slot)
{
    put_back_under_band(2, &boximage_prompt[slot]);
}

void
next_line(float col, float lines)
{
    moveto(static_cast<int>(CWidth * col), gety + static_cast<int>(CHeight * lines));
}

void
setpback_x_lines(int n)
{
    int left = static_cast<int>(xtext * CWidth);
    moveto(left, gety + static_cast<int>(static_cast<float>(-n) * CHeight));
    setfillstyle(0, black);
    // The whole width: a prompt with its answer may run past the middle.
    // The rows the font inks on these lines (line_ink_rows), so that the
    // clear cuts neither the line above nor the one below.
    int first = 0, last = 0, other = 0;
    line_ink_rows(gety, first, other);
    line_ink_rows(gety + n * CHeight, other, last);
    bar(getx - 2, first, Maxx - 2, last);
    moveto(left, gety - CHeight);
}
