// The network-size stages of the set-up: one prompt for single basins and
// forward runs, one for basin fields (bounded so that every state number
// fits 32 bits), one for a range of sizes; each followed by the cell scale.
// Prompts go down the text column; step-back erases the lines it leaves.
#include "ui/model/network_size.h"

#include <cstdio>

#include "engine/model/globals.h"
#include "engine/model/network_shape.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/window.h"

namespace {

constexpr uint16_t kLargestNetwork = 65025;  // 255 x 255
constexpr uint16_t kRangeStart = 5, kRangeEnd = 12;

// Writes a prompt on the next line of the text column.
void
text_column_prompt(const char *text)
{
    next_line(xtext, 1);
    myouttext(text);
}

// The cell scale prompt: the scale typed, the default vgax(4) for Return or
// an answer below 1, -1 for 'q'.
int
scale_prompt()
{
    int byte_default = static_cast<int8_t>(vgax(4));
    snprintf(textb[0], 150, "enter cell scale in pixels, default %d:", byte_default);
    text_column_prompt(textb[0]);
    input_string(2, 1);
    if (is[0] == 'q')
        return -1;
    long typed = entry_number();
    if (is[0] == kKeyReturn || typed <= 0)
        return byte_default;
    return static_cast<int8_t>(typed);
}

// Default basin-field size by value range.
uint16_t
field_size_default()
{
    static constexpr uint16_t kByValueRange[9] = {0, 0, 10, 7, 6, 5, 5, 4, 4};
    return kByValueRange[value_range];
}

// A typed range size, or the default for Return, an answer outside
// 1..maxL_lu, or a network above 31 cells before this stage.
uint16_t
range_size(uint16_t fallback, uint16_t size_before)
{
    long typed = entry_number();
    if (is[0] == kKeyReturn || typed < 1 || typed > maxL_lu || size_before > 31)
        return fallback > maxL_lu ? static_cast<uint16_t>(maxL_lu) : fallback;
    return static_cast<uint16_t>(typed);
}

} // namespace

void
select_linelength_singlebasin()
{
    for (;;) {
        int chosen_scale = scale_prompt();
        if (chosen_scale < 0) {
            scale = 255;
            is[0] = 'q';
            return;
        }
        scale = static_cast<uint8_t>(chosen_scale);
        uint16_t fallback = tot_only ? 150 : 14;
        snprintf(textb[0], 150, "Network size 1d (other: see WIRING) max to fit %i, def %i:",
                 (Maxx + 1) / scale, fallback);
        text_column_prompt(textb[0]);
        input_string(5, 1);
        if (is[0] == 'q') {
            setpback_x_lines(1);
            continue;
        }
        long typed = entry_number();
        if (is[0] == kKeyReturn || typed < 1)
            lineL = fallback;
        else if (typed <= kLargestNetwork)
            lineL = static_cast<uint16_t>(typed);
        else if (lineL == 0)
            lineL = fallback;
        set_line_lengths();
        return;
    }
}

void
select_linelength_31()
{
    for (;;) {
        uint16_t fallback = field_size_default();
        snprintf(textb[0], 150, "Network size, max %d, default %d:", maxL_lu, fallback);
        text_column_prompt(textb[0]);
        input_string(2, 1);
        if (is[0] == 'q')
            return;
        long typed = entry_number();
        if (is[0] == kKeyReturn) {
            lineL = fallback;
            snprintf(textb[0], 150, " Network size=%d", fallback);
            myouttext(textb[0]);
        } else if (typed < 1 || typed > maxL_lu) {
            lineL = fallback;
            snprintf(textb[0], 150, " too big! Network size=%d", fallback);
            myouttext(textb[0]);
        } else {
            lineL = static_cast<uint16_t>(typed);
        }
        set_line_lengths();
        int chosen_scale = scale_prompt();
        if (chosen_scale < 0) {
            setpback_x_lines(1);
            continue;
        }
        scale = static_cast<uint8_t>(chosen_scale);
        return;
    }
}

void
select_linelength_range()
{
    uint16_t size_before = lineL;
    for (;;) {
        snprintf(textb[0], 150, "Start size, default %d:", kRangeStart);
        text_column_prompt(textb[0]);
        input_string(2, 1);
        if (is[0] == 'q')
            return;
        startL = range_size(kRangeStart, size_before);
        snprintf(textb[0], 150, "End size, default %d:", kRangeEnd);
        text_column_prompt(textb[0]);
        input_string(2, 1);
        if (is[0] == 'q') {
            setpback_x_lines(1);
            is[0] = 'q';
            return;
        }
        endL = range_size(kRangeEnd, size_before);
        if (endL <= startL)
            rangeL = 0;
        lineL = startL;
        set_line_lengths();
        int chosen_scale = scale_prompt();
        if (chosen_scale < 0) {
            setpback_x_lines(2);
            continue;
        }
        scale = static_cast<uint8_t>(chosen_scale);
        return;
    }
}
