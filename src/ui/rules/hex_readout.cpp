// The hex readout of packed strings (hex_readout.h). The text is the string's
// bytes from the highest down to byte 0, so it reads as a number with entry 0
// least significant: for v = 2, k = 3 the rule table with entries 7..0 =
// 0,1,1,0,1,1,1,0 is "6e". Every byte takes the same advance (2 or 2.3
// character widths) whatever its drawn width, so columns line up. Reads the
// network description (model/) and the output flags (forward/); a copy to
// the data file is composed by the caller with hex_readout_text, so that
// its line is appended whole.
#include "ui/rules/hex_readout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/rules/string_edits.h"
#include "engine/wiring_editor/network_listing.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window.h"

int
hex_string_bytes(int kind, int k)
{
    return static_cast<int>(value_line_bytes(string_entries(kind, k), value_bits));
}

std::string
hex_readout_text(int kind, const uint8_t *string, int k)
{
    return hex_text(string, hex_string_bytes(kind, k));
}

namespace {

// Bytes a line of the readout holds from x0: every line starts there and
// breaks alike.
int
bytes_per_line(int x0, float advance, int per_line, int xlimit, int bytes)
{
    int x = x0, n = 0;
    while (n < bytes) {
        x = static_cast<int>(x + advance * CWidth);
        n++;
        if (n == per_line || x > xlimit - vgax(8))
            break;
    }
    return n;
}

} // namespace

int16_t
print_current_bitstring_hexbytes(int kind, const uint8_t *string, int k, int xlimit,
                                 int colour, int mode, int last_baseline)
{
    int bytes = hex_string_bytes(kind, k);
    bool big_rule = kind == 1 && k > 9;
    bool long_state = kind == 0 && lineL > 1024;
    float advance = big_rule || long_state ? 2.3f : 2.0f;
    int per_line = xlimit < Maxx || (kind != 0 && mode == 4) ? 16 : 32;

    int16_t saved_width = CWidth, saved_height = CHeight;
    bool small = (big_rule && mode != 6) || long_state;
    if (small) {
        per_line = 64;
        set_small_font();
    }
    int previous = getcolor();
    setcolor(colour);

    int x0 = getx;
    // With a lowest baseline, the lines that reach below it are left out,
    // and "..." in place of the last byte shown says that bytes follow.
    int shown = bytes;
    if (last_baseline > 0) {
        int lines = std::max(1, 1 + (last_baseline - line_baseline(gety)) / CHeight);
        int per = bytes_per_line(x0, advance, mode == 6 ? -1 : per_line, xlimit, bytes);
        if (bytes > lines * per)
            shown = lines * per - 1;
    }
    int breaks = 0, on_line = 0;
    bool drawing = mode != 3;
    char text[8];
    for (int i = bytes - 1; i >= 0; i--) {
        snprintf(text, sizeof text, string[i] < 16 ? "0%x" : "%x", string[i]);
        if (mode == 6)
            print_out(text);
        if ((mode == 1 || mode == 3) && pdata)
            print_out(text);
        if (bytes - 1 - i >= shown) {
            // Past the lines kept: copied above, neither drawn nor placed.
            if (bytes - 1 - i == shown && drawing)
                outtext("...");
            continue;
        }
        int x_before = getx;
        if (drawing)
            outtext(text);
        moveto(static_cast<int>(x_before + advance * CWidth), gety);
        on_line++;
        if ((on_line == per_line && mode != 6) || getx > xlimit - vgax(8)) {
            if (mode == 6)
                drawing = false;
            moveto(x0, gety + CHeight);
            breaks++;
            on_line = 0;
        }
    }
    if (mode != 2)
        moveto(static_cast<int>(xtext * CWidth), gety - breaks * CHeight);

    if (small) {
        restore_def_font();
        CWidth = saved_width;
        CHeight = saved_height;
    }
    setcolor(previous);
    return static_cast<int16_t>(breaks - 1);
}

std::string
hex_bytes_within(const uint8_t *string, int bytes, int room)
{
    std::string all;
    std::vector<size_t> ends; // where the text of each byte ends, highest first
    char pair[4];
    for (int i = bytes - 1; i >= 0; i--) {
        snprintf(pair, sizeof pair, "%02x ", string[i]);
        all += pair;
        ends.push_back(all.size());
    }
    return text_within(all, room, ends);
}
