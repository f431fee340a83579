// The frozen-mode colour key and mode 2's counts (frozen_key.h). Each mode's
// lines are built once as pieces (texts and colour swatches, mode 3's bin
// bounds under their swatches), and the same pieces are measured for the
// box and drawn in it, so no line can run past the box. Reads the value
// range, the frozen window and the bins (model and forward globals). The
// value colour key at the right gives way to it (cell_display.h).
//
// Example, v = 2, frozen window 20, mode 1: "frozen cells for at least 20
// time-steps", "color key: frozen 1-0s = " with a magenta swatch, "cells
// not frozen shown according to value", the lines one text line apart.
#include "ui/forward/frozen_key.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/formatted_text.h"
#include "engine/model/globals.h"
#include "ui/model/cell_display.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/window.h"

namespace {

// Where it was drawn: the run that laid it out may have ended since and
// freed the bins a new layout measures.
frozen_key_place shown_place{};

// A text, or a swatch of a colour with, in mode 3, its bin's upper bound
// written under it on the last line. room_only holds the place of text
// drawn by someone else (mode 2's counts).
struct key_piece {
    std::string text;
    int swatch = -1;
    std::string under;
    bool room_only = false;
};
using key_line = std::vector<key_piece>;

key_piece
text_piece(const std::string &text)
{
    return key_piece{text, -1, "", false};
}

key_piece
swatch_piece(int colour, const std::string &under = "")
{
    return key_piece{"", colour, under, false};
}

int
text_width(const std::string &text)
{
    return text_pixel_width(text.c_str(), static_cast<int>(text.size()));
}

int
piece_width(const key_piece &p)
{
    if (p.swatch < 0)
        return text_width(p.text);
    return std::max(CWidth + 6, p.under.empty() ? 0 : text_width(p.under) + CWidth / 2);
}

std::string
counts_text(double top, double other)
{
    char text[80];
    if (value_range == 2)
        snprintf(text, sizeof text, "1s=%.1f, 0s=%.1f, total=%.1f", top, other, top + other);
    else
        snprintf(text, sizeof text, "%ds=%.1f, %d-0s=%.1f, total=%.1f", value_range - 1, top,
                 value_range - 2, other, top + other);
    return text;
}

const char *const kCountsLabel = "% frozen:";

// The three lines of mode 1, 2 or 3 (mode 3's last line is its bounds).
std::vector<key_line>
key_lines(int mode)
{
    const int v = value_range;
    std::vector<key_line> lines(3);
    if (mode == 3) {
        lines[0].push_back(text_piece(formatted("frequency of %ds in %d time-step window", v - 1, frozen_gens)));
        lines[1].push_back(text_piece("color key:  "));
        lines[1].push_back(text_piece(formatted("%d bins:", num_bin_bound + 1)));
        for (int b = 0; b <= num_bin_bound; b++) {
            int c = b == 0 ? 0 : b == num_bin_bound ? 9 : b * 10 / num_bin_bound - 1;
            int bound = b == num_bin_bound ? frozen_gens : bin_bound[b + 1];
            lines[1].push_back(swatch_piece(freq_colors ? freq_colors[c] : white, formatted("%d", bound)));
        }
        return lines;
    }
    lines[0].push_back(text_piece(formatted("frozen cells for at least %d time-steps", frozen_gens)));
    if (mode == 1) {
        lines[1].push_back(text_piece(formatted("color key: frozen %d-0s = ", v - 1)));
        lines[1].push_back(swatch_piece(magenta));
        lines[2].push_back(text_piece("cells not frozen shown according to value"));
        return lines;
    }
    lines[1].push_back(text_piece(formatted("color key: froz %ds=", v - 1)));
    lines[1].push_back(swatch_piece(lightred));
    lines[1].push_back(text_piece(v == 2 ? std::string(" froz 0s=") : formatted(" froz %d-0s=", v - 2)));
    lines[1].push_back(swatch_piece(green));
    lines[1].push_back(text_piece(" not="));
    lines[1].push_back(swatch_piece(black));
    lines[2].push_back(text_piece(kCountsLabel));
    // The widest counts: every figure at 100.0.
    lines[2].push_back(key_piece{" " + counts_text(100.0, 100.0), -1, "", true});
    return lines;
}

int
line_width(const key_line &line)
{
    int width = 0;
    for (const key_piece &p : line)
        width += piece_width(p);
    return width;
}

// A piece at (x, y); a bin bound goes on the line at under_y.
void
draw_piece(const key_piece &p, int x, int y, int under_y)
{
    if (p.swatch < 0) {
        moveto(x, y);
        outtext(p.text.c_str());
        return;
    }
    setfillstyle(0, p.swatch);
    bar3d(x + 2, y + 2, x + 2 + CWidth, y + CHeight - 2, 0, 0);
    if (!p.under.empty()) {
        moveto(x, under_y);
        outtext(p.under.c_str());
    }
}

} // namespace

frozen_key_place
frozen_key_layout()
{
    frozen_key_place place{};
    for (int mode = 1; mode <= 3; mode++)
        for (const key_line &line : key_lines(mode))
            place.widest = std::max(place.widest, line_width(line));
    place.right = Maxx - 2;
    place.text_x = std::min<int>(Maxx - vgax(205), place.right - 3 - place.widest);
    place.left = place.text_x - 3;
    place.top = 2;
    place.bottom = vgay(6) + 3 * CHeight + 2;
    for (int i = 0; i < 3; i++)
        place.line_y[i] = 3 + i * CHeight;
    return place;
}

void
show_frozen_key(int mode)
{
    int16_t px = getx, py = gety;
    int colour = getcolor();
    uint8_t fill = fillcolor;
    const frozen_key_place place = frozen_key_layout();
    // This key takes the place of the value key at the right, which goes
    // first: its erase would put back what it covered over this key's
    // lines. A readout beside the narrower value key goes whole for the
    // same reason.
    int value_key_left = 0, value_key_bottom = 0;
    if (color_key_box_at_right(&value_key_left, &value_key_bottom))
        show_multistate_color_key(0);
    // A key still standing from a layout of other bins (a wider one) goes
    // whole: the new box would leave its left part and lines beside it.
    raise_box(box_owner::frozen_key, {place.left, place.top, place.right, place.bottom}, box_way::kept);
    draw_box(-1, place.left, place.top, place.right, place.bottom, 1, 0);
    shown_place = place;
    setcolor(white);
    const std::vector<key_line> lines = key_lines(mode);
    for (int i = 0; i < 3; i++) {
        int x = place.text_x;
        for (const key_piece &p : lines[i]) {
            if (!p.room_only)
                draw_piece(p, x, place.line_y[i], place.line_y[2]);
            x += piece_width(p);
        }
    }
    setfillstyle(0, fill);
    setcolor(colour);
    moveto(px, py);
}

void
erase_frozen_key()
{
    // Where it was drawn: the bins may have changed the layout since.
    const frozen_key_place place = box_stands(box_owner::frozen_key) ? shown_place : frozen_key_layout();
    erase_box(place.left, place.top, place.right, place.bottom);
}

bool
frozen_key_box_at_right(int *left, int *bottom)
{
    if (!box_stands(box_owner::frozen_key))
        return false;
    *left = shown_place.left;
    *bottom = shown_place.bottom;
    return true;
}

void
frozen_counts_point(int *x, int *y)
{
    const frozen_key_place place = frozen_key_layout();
    *x = place.text_x + text_width(kCountsLabel) + text_width(" ");
    *y = place.line_y[2];
}

void
show_frozen_counts(double top, double other)
{
    // The counts belong to the key's last line: with the key gone (the
    // drawing area cleared) their place may be another box's.
    int key_left = 0, key_bottom = 0;
    if (!frozen_key_box_at_right(&key_left, &key_bottom))
        return;
    const std::string text = counts_text(top, other);
    int16_t px = getx, py = gety;
    int colour = getcolor();
    uint8_t fill = fillcolor;
    int x = 0, y = 0;
    frozen_counts_point(&x, &y);
    // The last counts are cleared first: a shorter text would leave digits.
    setfillstyle(0, black);
    bar(x, y, x + text_width(counts_text(100.0, 100.0)), y + CHeight - 1);
    setfillstyle(0, fill);
    setcolor(lightred);
    moveto(x, y);
    outtext(text.c_str());
    setcolor(colour);
    moveto(px, py);
}
