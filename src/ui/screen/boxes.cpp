// The fixed places of dialogue and the boxes drawn there: the general box
// that saves what it covers, the prompt box (top right), the memory box (top
// middle), the inset box, the hint box and title strip (bottom), and the text
// column on the left. Every routine leaves the viewport at the drawing area.
#include "ui/screen/boxes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "ui/screen/box_places.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/side_panel.h"
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

// Rows top..bottom of the text column hidden: cleared across the window's
// width inside its frame, or up to a marked side panel the band reaches,
// whose lines stay whole.
void
hide_lines_in_band(int top, int bottom)
{
    if (bottom < top)
        return;
    int right = box_right_edge(Maxx);
    if (bottom >= side_panel_top())
        right -= side_panel_shift(right);
    set_drawing_area_viewport();
    fill_black(1, top, right, bottom);
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
struct kept_line_box {
    line_box box;
    uint32_t clears; // drawing_area_clears() when it was drawn
};
std::vector<kept_line_box> top_line_boxes;

bool
boxes_meet(const line_box &b, int x0, int y0, int x1, int y1)
{
    return b.left <= x1 && b.right >= x0 && b.top <= y1 && b.bottom >= y0;
}

bool
box_within(const line_box &b, int x0, int y0, int x1, int y1)
{
    return b.left >= x0 && b.right <= x1 && b.top >= y0 && b.bottom <= y1;
}

bool
same_box(const line_box &a, const line_box &b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The kept boxes that may still stand: a clear of the drawing area since
// took the others.
std::vector<kept_line_box> &
standing_top_line_boxes()
{
    const uint32_t clears = drawing_area_clears();
    top_line_boxes.erase(std::remove_if(top_line_boxes.begin(), top_line_boxes.end(),
                                        [&](const kept_line_box &k) { return k.clears != clears; }),
                         top_line_boxes.end());
    return top_line_boxes;
}

// b drawn (or shown again) now: kept boxes it meets are gone under it.
void
remember_top_line_box(const line_box &b)
{
    std::vector<kept_line_box> &boxes = standing_top_line_boxes();
    boxes.erase(std::remove_if(boxes.begin(), boxes.end(),
                               [&](const kept_line_box &k) {
                                   return boxes_meet(k.box, b.left, b.top, b.right, b.bottom);
                               }),
                boxes.end());
    boxes.push_back({b, drawing_area_clears()});
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
    std::vector<kept_line_box> &boxes = standing_top_line_boxes();
    auto kept = std::find_if(boxes.begin(), boxes.end(), [&](const kept_line_box &k) { return same_box(k.box, b); });
    if (kept == boxes.end())
        return;
    boxes.erase(kept);
    erase_box(b.left, b.top, b.right, b.bottom);
}

std::vector<line_box>
take_top_line_box_met_by(int x0, int y0, int x1, int y1)
{
    std::vector<kept_line_box> &boxes = standing_top_line_boxes();
    std::vector<line_box> in_part, within;
    for (const kept_line_box &k : boxes)
        if (boxes_meet(k.box, x0, y0, x1, y1))
            (box_within(k.box, x0, y0, x1, y1) ? within : in_part).push_back(k.box);
    if (in_part.empty() && within.empty())
        return within;
    boxes.erase(std::remove_if(boxes.begin(), boxes.end(),
                               [&](const kept_line_box &k) { return boxes_meet(k.box, x0, y0, x1, y1); }),
                boxes.end());
    // On the window, whole, whatever the caller draws into (a pattern's
    // pixmap) and in whatever narrower viewport; a box covered whole goes
    // with the caller's drawing.
    const image_slot drawable = current_draw;
    current_draw = W;
    saved_viewport view;
    view.widen_to_drawing_area();
    for (const line_box &b : in_part) {
        fill_black(b.left, b.top, b.right, b.bottom);
        redraw_texts_within(b.left, b.top, b.right, b.bottom);
    }
    view.restore();
    current_draw = drawable;
    return within;
}

std::vector<line_box>
top_line_box_within(int x0, int y0, int x1, int y1)
{
    std::vector<line_box> within;
    for (const kept_line_box &k : standing_top_line_boxes())
        if (box_within(k.box, x0, y0, x1, y1))
            within.push_back(k.box);
    return within;
}

void
top_line_box_put_back(const std::vector<line_box> &covered, int x0, int y0, int x1, int y1)
{
    if (covered.empty())
        return;
    // Boxes drawn inside the place since are gone under what was put back;
    // one drawn since that stands across a box put back keeps it forgotten.
    std::vector<kept_line_box> &boxes = standing_top_line_boxes();
    boxes.erase(std::remove_if(boxes.begin(), boxes.end(),
                               [&](const kept_line_box &k) { return box_within(k.box, x0, y0, x1, y1); }),
                boxes.end());
    for (const line_box &b : covered) {
        const bool crossed = std::any_of(boxes.begin(), boxes.end(), [&](const kept_line_box &k) {
            return boxes_meet(k.box, b.left, b.top, b.right, b.bottom);
        });
        if (!crossed)
            remember_top_line_box(b);
    }
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
    take_top_line_box_met_by(left, top, right, bottom);
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

int16_t
draw_box(int slot, int x0, int y0, int x1, int y1, int frame, int colour)
{
    saved_viewport view;
    view.widen_to_drawing_area();
    int previous = nowcolor;
    if (slot >= 0 && slot <= 29)
        getimage(x0, y0, x1, y1 + 1, &boximage[slot]);
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
    moveto(x0 + vgax(3), y0 + 1);
    view.restore();
    return static_cast<int16_t>(x0 + vgax(3));
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
    return draw_prompt_box_to(prompt_box_bottom(n));
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

// The last row of the last box drawn by replace_prompt_box, until a prompt
// box is erased or the drawing area cleared: kept in rows, since boxes are
// drawn in the font their lines take.
int replaced_box_bottom = 0;
uint32_t replaced_box_clears = 0; // drawing_area_clears() when it was drawn

// That row while the box may still stand there, else 0.
int
replaced_box_standing()
{
    return replaced_box_clears == drawing_area_clears() ? replaced_box_bottom : 0;
}

// The rows y0..y1 of the prompt box's place cleared, and the lines of the
// text column a tall box reached down to drawn again where it cut them.
void
clear_prompt_box_rows(int y0, int y1)
{
    set_drawing_area_viewport();
    take_top_line_box_met_by(prompt_box_left(Maxx), y0, box_right_edge(Maxx), y1);
    fill_black(prompt_box_left(Maxx), y0, box_right_edge(Maxx), y1);
    redraw_texts_within(prompt_box_left(Maxx), y0, box_right_edge(Maxx), y1);
}

} // namespace

void
erase_prompt_box(int n)
{
    clear_prompt_box_rows(2, std::max(prompt_box_bottom(n), replaced_box_standing()));
    replaced_box_bottom = 0;
}

void
erase_prompt_box_to(int bottom)
{
    clear_prompt_box_rows(2, bottom);
}

int16_t
replace_prompt_box(int n)
{
    int taller = replaced_box_standing();
    replaced_box_bottom = prompt_box_bottom(n);
    replaced_box_clears = drawing_area_clears();
    if (taller > replaced_box_bottom)
        clear_prompt_box_rows(2, taller);
    return draw_prompt_box(n);
}

void
prompt_box_outlives_clear(uint32_t clears_before)
{
    if (replaced_box_bottom != 0 && replaced_box_clears == clears_before)
        replaced_box_clears = drawing_area_clears();
}

int
replaced_prompt_box_bottom()
{
    return replaced_box_standing();
}

void
replaced_prompt_box_put_back(int bottom)
{
    if (bottom == 0)
        return;
    replaced_box_bottom = bottom;
    replaced_box_clears = drawing_area_clears();
}

void
get_prompt_box(int slot, int n)
{
    set_drawing_area_viewport();
    if (slot >= 0 && slot <= 14)
        getimage(prompt_box_left(Maxx), 2, box_right_edge(Maxx), prompt_box_bottom(n),
                 &boximage_prompt[slot]);
}

std::vector<line_box>
save_under_top_right(int left, int bottom, image_slot *image)
{
    std::vector<line_box> covered = take_top_line_box_met_by(left, 2, box_right_edge(Maxx), bottom);
    getimage(left, 2, box_right_edge(Maxx), bottom, image);
    return covered;
}

void
put_back_under_top_right(int left, int bottom, image_slot *image, const std::vector<line_box> &covered)
{
    putimage(left, 2, image, 0);
    freeimage(image);
    top_line_box_put_back(covered, left, 2, box_right_edge(Maxx), bottom);
}

std::vector<line_box>
save_under_prompt_box(int slot, int n)
{
    set_drawing_area_viewport();
    return save_under_top_right(prompt_box_left(Maxx), prompt_box_bottom(n), &boximage_prompt[slot]);
}

void
put_back_under_prompt_box(int slot, const std::vector<line_box> &covered, int n)
{
    set_drawing_area_viewport();
    put_back_under_top_right(prompt_box_left(Maxx), prompt_box_bottom(n), &boximage_prompt[slot], covered);
}

namespace {

// The width an entry of max characters takes at its longest: a character
// cell each (the answers are digits and letters, narrower in the prompt
// font), and the cursor block after them while it waits.
int
entry_width(int max)
{
    return max * CWidth;
}

int
entry_room(int max)
{
    return max > 0 ? entry_width(max) + CWidth : 0;
}

// The width of the first len characters of s in the font they are written
// in: a smaller one where a prompt's lines are set in it.
int
piece_width(const char *s, int len)
{
    if (font_in_use() == font_normal)
        return text_pixel_width(s, len);
    return text_width_in_use(std::string(s, static_cast<size_t>(len)).c_str());
}

// The lengths of the pieces of text written from column x of the prompt
// box, one per line: the first from x, each further one from the text
// margin, each as long as fits before the box's right edge, broken after a
// space where one falls within the width. The last piece leaves room pixels
// free for what follows it on its line. A line at the margin takes at least
// one character; a text that starts after other text and has no room there
// starts on the next line (its first piece empty).
std::vector<int>
prompt_box_pieces(const char *text, int x, int room, int margin = prompt_box_text(Maxx))
{
    // A box of the prompt box's width whose text starts at margin.
    const int right = margin + box_right_edge(Maxx) - 3 - prompt_box_text(Maxx);
    std::vector<int> pieces;
    const char *start = text;
    int left = static_cast<int>(strlen(text));
    for (int from = x; left > 0; from = margin) {
        const int width = right - from;
        const int least = from > margin ? 0 : 1;
        int fit = left;
        while (fit > least && piece_width(start, fit) + (fit == left ? room : 0) > width)
            fit--;
        if (fit < left) {
            int space = fit;
            while (space > 0 && start[space - 1] != ' ')
                space--;
            if (space > 0)
                fit = space;
        }
        pieces.push_back(fit);
        start += fit;
        left -= fit;
    }
    return pieces;
}

} // namespace

int
prompt_box_lines(const char *text)
{
    const prompt_part part = {text, 0};
    return prompt_parts_lines(&part, 1);
}

void
write_prompt_lines(const char *text, int margin)
{
    write_prompt_part(text, 0, margin);
}

int
prompt_parts_lines(const prompt_part *parts, int count)
{
    const int margin = prompt_box_text(Maxx);
    int x = margin, lines = 1;
    for (int p = 0; p < count; p++) {
        const char *start = parts[p].text;
        std::vector<int> pieces = prompt_box_pieces(start, x, entry_room(parts[p].entry));
        for (size_t i = 0; i < pieces.size(); i++) {
            if (i > 0) {
                lines++;
                x = margin;
            }
            x += piece_width(start, pieces[i]);
            start += pieces[i];
        }
        x += entry_width(parts[p].entry);
    }
    return lines;
}

namespace {

// Writes the pieces of text from the current point, each further one at
// margin one line lower.
void
write_pieces(const char *text, const std::vector<int> &pieces, int margin)
{
    const char *start = text;
    bool first = true;
    for (int length : pieces) {
        if (!first)
            moveto(margin, gety + CHeight);
        if (length > 0)
            outtext(std::string(start, static_cast<size_t>(length)).c_str());
        start += length;
        first = false;
    }
}

} // namespace

void
write_prompt_part(const char *text, int entry, int margin)
{
    write_pieces(text, prompt_box_pieces(text, getx, entry_room(entry)), margin);
}

void
rewrite_prompt_lines(const char *text, int entry, int margin, int top, int lines)
{
    const int right = margin + box_right_edge(Maxx) - 3 - prompt_box_text(Maxx);
    std::vector<int> pieces = prompt_box_pieces(text, margin, entry_room(entry), margin);
    const int count = std::max(lines, static_cast<int>(pieces.size()));
    // The rows of all the lines are cleared before any is written: with a
    // line space smaller than the font's height (one the user set), a
    // line's rows reach into the foot of the line above, which a clear of
    // each line in turn would cut.
    int first = 0, last = 0, unused = 0;
    line_ink_rows(top, first, unused);
    line_ink_rows(top + (count - 1) * CHeight, unused, last);
    fill_black(margin, first, right, last);
    const char *start = text;
    moveto(margin, top);
    for (size_t i = 0; i < pieces.size(); i++) {
        moveto(margin, top + static_cast<int>(i) * CHeight);
        const std::string piece(start, static_cast<size_t>(pieces[i]));
        outtext(text_within(piece, right - margin + 1).c_str());
        start += pieces[i];
    }
}

void
write_prompt_lines_at(const char *text, int margin)
{
    write_pieces(text, prompt_box_pieces(text, getx, 0, margin), margin);
}

int
prompt_box_with(const char *text, int entry)
{
    const prompt_part line = {text, entry};
    const int lines = prompt_parts_lines(&line, 1);
    write_prompt_part(text, entry, draw_prompt_box(lines));
    return lines;
}

namespace {

top_right_box_place top_right_box = nullptr;

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
    if (top_right_box && top_right_box(&key_left, &key_bottom))
        right = key_left - 2;
    line_box b{right - width, 2, right, CHeight + 4};
    // The last one (a longer text) still standing in the same place gives
    // its width: a narrower box would leave a piece of its frame beside it.
    for (const kept_line_box &k : standing_top_line_boxes()) {
        const line_box &last = k.box;
        if (last.bottom == b.bottom && last.top == b.top && last.right == b.right && last.left < b.left)
            b.left = last.left;
    }
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

void
set_top_right_box(top_right_box_place where)
{
    top_right_box = where;
}

bool
top_right_box_standing(int *left, int *bottom)
{
    return top_right_box && top_right_box(left, bottom);
}

int
prompt_lines_covering_top_right_box(int n)
{
    int key_left = 0, key_bottom = 0;
    if (!top_right_box || !top_right_box(&key_left, &key_bottom))
        return n;
    // The box starts at the window's top as the prompt box does: even one
    // line would end across its lines.
    while (prompt_box_bottom(n) <= key_bottom)
        n++;
    return n;
}

int
prompt_box_bottom_past_ink(int n)
{
    const int bottom = prompt_box_bottom(n);
    const int free = free_row_below(bottom, prompt_box_left(Maxx) + 1, box_right_edge(Maxx) - 1);
    // Two lines' height is the most a line of text cut at the foot takes.
    return free <= bottom + 2 * CHeight ? free : bottom;
}

line_box
line_box_beside_key(int width)
{
    line_box b{prompt_box_left(Maxx), 2, box_right_edge(Maxx), prompt_box_bottom(1)};
    int key_left = 0, key_bottom = 0;
    if (!top_right_box || !top_right_box(&key_left, &key_bottom))
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
    take_top_line_box_met_by(b.left, b.top, b.right, b.bottom);
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
    replaced_box_bottom = 0;
}

} // namespace

void
draw_line_box(const line_box &b)
{
    take_top_line_box_met_by(b.left, b.top, b.right, b.bottom);
    take_replaced_box_under(b);
    draw_box(-1, b.left, b.top, b.right, b.bottom, 1, 0);
    remember_top_line_box(b);
    setcolor(white);
    moveto(b.left + 3, b.top + 3);
}

namespace {

// The right edge of the memory box as last drawn: wider than its place when
// its text is longer, so that the erase takes the whole text away.
int memory_box_right = 0;
// The window's last column when memory_box_right was set.
int memory_box_maxx = 0;

// memory_box_right for the window's size now. A resize draws the box again
// from the window's record with its right edge at its place's end or the
// window's right edge where it was there, else moved with the window's
// width (window_record.h): its erase takes that box away, and no more of the
// prompt box beside it.
int
memory_box_right_now()
{
    const int old = memory_box_maxx;
    if (memory_box_right == 0 || old == Maxx)
        return memory_box_right;
    if (memory_box_right == memory_box_place_end(old))
        return memory_box_place_end(Maxx);
    if (memory_box_right == box_right_edge(old))
        return box_right_edge(Maxx);
    long scaled = std::lround(static_cast<double>(memory_box_right) * (Maxx + 1) / (old + 1));
    return static_cast<int>(std::min<long>(scaled, box_right_edge(Maxx)));
}

// The memory box's right edge for a text written in it from x (nullptr:
// none).
int
memory_box_right_for(const char *text, int x)
{
    int right = memory_box_place_end(Maxx);
    if (text) {
        int end = x + text_pixel_width(text, static_cast<int>(strlen(text))) + 3;
        right = std::min(std::max(right, end), box_right_edge(Maxx));
    }
    return right;
}

// The memory box cleared and framed, as wide as its text from x needs.
void
frame_memory_box(const char *text, int x)
{
    erase_memory_box();
    memory_box_right = memory_box_right_for(text, x);
    memory_box_maxx = Maxx;
    setviewport(memory_box_left(Maxx), 2, memory_box_right, prompt_box_bottom(1), 1);
    clearviewport();
    set_drawing_area_viewport();
    setcolor(lightred);
    rectangle(memory_box_left(Maxx), 2, memory_box_right, prompt_box_bottom(1));
}

// Writes text from the current point up to two pixels left of the memory
// box's right frame: a text longer than the widest box shows its start.
void
write_in_memory_box(const char *text)
{
    std::string shown = text;
    while (!shown.empty() && getx + text_width_in_use(shown.c_str()) > memory_box_right - 2)
        shown.pop_back();
    outtext(shown.c_str());
}

// The end of a memory box drawing: the point and colour put back and one
// poll with is[0] kept. Long computations call the box: the poll lets
// Control-q reach the exit box, and any other pending key is dropped.
void
end_memory_box(int16_t x, int16_t y, int colour, char key)
{
    moveto(x, y);
    setcolor(colour);
    event_ready();
    is[0] = key;
}

} // namespace

int16_t
memory_box(int mode, const char *text)
{
    if (mode == 1)
        return 0;
    int16_t x = getx, y = gety;
    int colour = nowcolor;
    char key = is[0];
    frame_memory_box(mode == 2 ? text : nullptr, memory_box_text(Maxx));
    if (mode == 2) {
        setcolor(white);
        moveto(memory_box_text(Maxx), 3);
        write_in_memory_box(text);
    }
    end_memory_box(x, y, colour, key);
    return static_cast<int16_t>(memory_box_left(Maxx));
}

void
status_box_title(const char *text, int colour)
{
    int16_t x = getx, y = gety;
    int previous = nowcolor;
    char key = is[0];
    int margin = memory_box_left(Maxx) + vgax(3);
    frame_memory_box(text, margin);
    setcolor(colour);
    moveto(margin, vgay(3));
    write_in_memory_box(text);
    end_memory_box(x, y, previous, key);
}

namespace {

// The right edge of the memory box under the one status_box_title_over
// drew, for its put back.
int memory_box_right_under = 0;

// Saves into slot what a memory box with text written from x covers, and
// what the erase of a wider box already there clears before it is drawn;
// returns that box's right edge (0: none), for the put back.
int
save_under_memory_box(int slot, const char *text, int x)
{
    const int under = memory_box_right_now();
    int right = std::max(under, memory_box_right_for(text, x));
    draw_box(slot, memory_box_left(Maxx), 2, right, prompt_box_bottom(1), 0, -1);
    return under;
}

// Puts back what save_under_memory_box kept in slot, and the right edge of
// the box that was there.
void
put_back_under_memory_box(int slot, int right_under)
{
    set_drawing_area_viewport();
    putimage(memory_box_left(Maxx), 2, &boximage[slot], 0);
    freeimage(&boximage[slot]);
    memory_box_right = right_under;
    memory_box_maxx = Maxx;
}

} // namespace

void
status_box_title_over(int slot, const char *text, int colour)
{
    memory_box_right_under = save_under_memory_box(slot, text, memory_box_left(Maxx) + vgax(3));
    status_box_title(text, colour);
}

void
put_back_under_status_box(int slot)
{
    if (slot < 0 || slot > 29)
        return;
    put_back_under_memory_box(slot, memory_box_right_under);
}

void
erase_memory_box()
{
    setviewport(memory_box_left(Maxx), 2, std::max(memory_box_right_now(), memory_box_place_end(Maxx)),
                prompt_box_bottom(1), 1);
    clearviewport();
    set_drawing_area_viewport();
    memory_box_right = 0;
}

namespace {

// boximage slot under the wait notice.
constexpr int kWaitNoticeSlot = 5;

// The right edge of the memory box under the wait notice.
int wait_notice_right_under = 0;

} // namespace

void
begin_wait_notice()
{
    if (!mouse_found)
        return;
    const char *text = "setting things up, wait...";
    wait_notice_right_under = save_under_memory_box(kWaitNoticeSlot, text, memory_box_text(Maxx));
    memory_box(2, text);
}

void
end_wait_notice()
{
    if (!mouse_found)
        return;
    put_back_under_memory_box(kWaitNoticeSlot, wait_notice_right_under);
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
    return vgay(50);
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
struct band_keeps {
    const image_slot *under;
    int replaced_bottom; // 0: no replaced box kept
    uint32_t replaced_clears;
    std::vector<line_box> top_line; // the one-line boxes at the top right it kept
    int top, bottom;
};
std::vector<band_keeps> kept_by_bands;

} // namespace

void
save_hiding_lines_in_band(int top, int hide_from, int bottom, image_slot *under)
{
    set_drawing_area_viewport();
    getimage(0, top, box_right_edge(Maxx), bottom, under);
    // A new image in the slot: what an old one held is gone with it.
    kept_by_bands.erase(std::remove_if(kept_by_bands.begin(), kept_by_bands.end(),
                                       [&](const band_keeps &b) { return b.under == under; }),
                        kept_by_bands.end());
    band_keeps keeps{under, 0, 0, top_line_box_within(0, top, box_right_edge(Maxx), bottom), top, bottom};
    hide_lines_in_band(hide_from, bottom);
    const int standing = replaced_box_standing();
    if (standing > 0 && top <= 2 && bottom >= standing) {
        keeps.replaced_bottom = replaced_box_bottom;
        keeps.replaced_clears = replaced_box_clears;
        replaced_box_bottom = 0;
    }
    kept_by_bands.push_back(keeps);
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
    for (auto b = kept_by_bands.begin(); b != kept_by_bands.end(); ++b)
        if (b->under == under) {
            if (b->replaced_bottom > 0) {
                replaced_box_bottom = b->replaced_bottom;
                replaced_box_clears = b->replaced_clears;
            }
            top_line_box_put_back(b->top_line, 0, b->top, box_right_edge(Maxx), b->bottom);
            kept_by_bands.erase(b);
            break;
        }
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
    bar(getx - 2, gety + 2, Maxx - 2, gety + (n + 1) * CHeight + 2);
    moveto(left, gety - CHeight);
}
