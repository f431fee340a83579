// The hex entry (hex_entry.h): define_hex draws the prompt and the digit
// block and runs input_hex, the key loop, until the user accepts or backs
// out; a rotation ends one pass and the rotated string is shown again. The
// digit buffer and the clamp are engine/rules/string_edits.h; the shifts
// are engine/backward/state_symmetries.h. Start at define_hex.
#include "ui/rules/hex_entry.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/backward/state_symmetries.h"
#include "engine/model/globals.h"
#include "engine/rules/string_edits.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"

namespace {

constexpr int kPromptSlot = 9;
constexpr int kSmallFontEntries = 512; // more entries than this: small font, 32 bytes a row

// "hex count=%d" in the inset box, written in the normal font; the block's
// font and sizes are kept.
void
show_hex_count(int c, int width, int height)
{
    char text[32];
    snprintf(text, sizeof text, "hex count=%d", c);
    bool small = CWidth != width;
    if (small) {
        restore_def_font();
        CWidth = static_cast<int16_t>(width);
        CHeight = static_cast<int16_t>(height);
    }
    inset_prompt_box(23, text);
    if (small)
        set_small_font();
}

// Value of a hexadecimal digit key, or -1.
int
hex_value(int key)
{
    if (key <= 0 || key >= 256 || !isxdigit(key))
        return -1;
    return isdigit(key) ? key - '0' : tolower(key) - 'a' + 10;
}

// The rotation key of the string: a 2d state shifts with l, r, u, d, any
// other string rotates one entry with l and r.
bool
rotates(int kind, int key)
{
    if (twod && kind == string_state)
        return key == 'l' || key == 'r' || key == 'u' || key == 'd';
    return key == 'l' || key == 'r';
}

void
rotate_string(int k, int kind, uint8_t *string, char key)
{
    if (twod && kind == string_state) {
        rotate_array_2d(string, key, 1);
        return;
    }
    int what = kind == string_state ? 0 : kind == string_rule ? 1 : 2;
    rotate_array(k, string, key, what, 1, 0, static_cast<int>(string_entries(kind, k)));
}

// Draws the digits of bytes high..0 from (xs, ys), per_row bytes a row,
// stopping with " more" before the bottom of the drawing area. Returns the
// right edge reached; *bottom is the top of the last row written.
int
draw_hex_block(const uint8_t *string, int high, int per_row, int xs, int ys, int *bottom)
{
    moveto(xs, ys);
    int right = xs;
    bool full_row = false;
    char text[4];
    for (int j = high, on_row = 0; j >= 0; j--) {
        for (int nibble : {string[j] >> 4, string[j] & 15}) {
            int x = getx;
            snprintf(text, sizeof text, "%x", nibble);
            outtext(text);
            moveto(x + CWidth, gety);
        }
        moveto(getx + CWidth, gety);
        if (++on_row < per_row || j == 0)
            continue;
        on_row = 0;
        right = getx;
        full_row = true;
        bool room = gety < Maxy - 3 * CHeight - vgay(33);
        moveto(xs, gety + CHeight + 3);
        if (!room) {
            outtext(" more");
            break;
        }
    }
    if (!full_row)
        right = getx + CWidth;
    *bottom = gety;
    return right;
}

} // namespace

void
input_hex(int k, int kind, uint8_t *string, int high, int /* low: the block always ends at byte 0 */,
          int per_row, int width, int height)
{
    int16_t xb = getx, yb = gety;
    std::vector<uint8_t> digits = hex_digits(string, high);
    int d = static_cast<int>(digits.size()), r = 2 * per_row, c = 0;
    bool count_shown = k > 5;
    setfillstyle(0, black);
    for (;;) {
        if (count_shown)
            show_hex_count(c, width, height);
        int column = c % r;
        moveto(xb + CWidth * (3 * (column / 2) + column % 2), yb + (CHeight + 3) * (c / r));
        flashing_cursor({0, vgay(3) - 8, CWidth, CHeight - 7, green});
        int key = keycheck(0);
        if (key == 'q') {
            is[0] = 'q';
            return;
        }
        if (rotates(kind, key)) {
            put_hex_digits(string, digits, high);
            rotate_string(k, kind, string, static_cast<char>(key));
            is[0] = 'r';
            return;
        }
        if (key == kKeyReturn) {
            put_hex_digits(string, digits, high);
            is[0] = static_cast<char>(digits[0]);
            return;
        }
        int value = hex_value(key);
        if (key == kKeyLeft || key == kKeyErase) {
            c = c >= 1 ? c - 1 : d - 1;
        } else if (key == kKeyRight) {
            c = (c + 1) % d;
        } else if (key == kKeyDown) {
            if (c + r <= d - 1)
                c += r;
        } else if (key == kKeyUp) {
            if (c >= r)
                c -= r;
        } else if (value >= 0) {
            // The digit's own cell: its right corner is inclusive, and the
            // next column is the next digit's first.
            setfillstyle(0, black);
            bar(getx, gety - 1, getx + CWidth - 1, gety + CHeight);
            // Written as the block writes its digits (lower case): a capital
            // is wider than the digit's cell and would reach the next one.
            char text[9];
            snprintf(text, sizeof text, "%x", value);
            outtext(text);
            digits[static_cast<size_t>(c)] = static_cast<uint8_t>(value);
            c = (c + 1) % d;
        } else {
            continue;
        }
        count_shown = true;
    }
}

int
define_hex(float column, int right_edge, int k, int kind, uint8_t *string, int high, int low)
{
    int16_t y0 = gety;
    get_prompt_box(kPromptSlot, 2);
    int margin = draw_prompt_box(2);
    outtext("enter hex, arrows-move");
    moveto(margin, gety + CHeight);
    outtext(twod && kind == string_state ? "rotate-l/r/u/d, accept-ret" : "rotate-l/r, accept-ret");

    int width = CWidth, height = CHeight;
    int xs = static_cast<int>(column * CWidth), ys = y0 + 2 * CHeight;
    uint64_t last = string_entries(kind, k) - 1;
    bool small = last > kSmallFontEntries;
    if (small)
        set_small_font();
    // A byte takes two digits and a space, the row's last no space.
    int per_row = std::clamp((right_edge - xs + CWidth) / (3 * CWidth), 1, small ? 32 : 16);

    int clamped = 0;
    for (;;) {
        int bottom = ys;
        int right = draw_hex_block(string, high, per_row, xs, ys, &bottom);
        moveto(xs, ys);
        input_hex(k, kind, string, high, low, per_row, width, height);
        if (clamp_entries(string, static_cast<uint32_t>(last)))
            clamped = 1;
        if (is[0] == 'q')
            break;
        if (is[0] == 'r') {
            setfillstyle(0, black);
            bar(xs, ys, right, bottom + CHeight + 3);
            is[0] = 0;
            continue;
        }
        if (kind != string_tcode) {
            int rows = (high + 1 + per_row - 1) / per_row;
            moveto(xs, ys + rows * (CHeight + 3));
        }
        break;
    }

    putimage(Maxx / 2, 2, &boximage_prompt[kPromptSlot], 3);
    freeimage(&boximage_prompt[kPromptSlot]);
    if (small) {
        restore_def_font();
        CWidth = static_cast<int16_t>(width);
        CHeight = static_cast<int16_t>(height);
    }
    return clamped;
}
