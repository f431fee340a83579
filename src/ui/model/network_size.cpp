// The network-size stages of the set-up: one prompt for single basins and
// forward runs, one for basin fields (bounded so that every state number
// fits 32 bits), one for a range of sizes; each followed by the cell scale.
// Each is a table of questions (screen/question_table.h) drawn down the text
// column; a step back erases the lines it leaves.
#include "ui/model/network_size.h"

#include <cstdio>

#include "engine/model/globals.h"
#include "engine/model/network_shape.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"
#include "ui/screen/window.h"

namespace {

constexpr uint16_t kLargestNetwork = 65025;  // 255 x 255
constexpr uint16_t kRangeStart = 5, kRangeEnd = 12;

// The network size before a range dialog began.
uint16_t size_before_range = 0;

// The cell scale: the scale typed, or the default vgax(4) for Return or an
// answer below 1, which then takes the answer's place on the line.
void
prompt_scale()
{
    snprintf(textb[0], 150, "enter cell scale in pixels, default %d:",
             static_cast<int8_t>(vgax(4)));
    myouttext(textb[0]);
}

answer_step
take_scale(int len)
{
    int byte_default = static_cast<int8_t>(vgax(4));
    long typed = answer_or(byte_default);
    scale = static_cast<uint8_t>(typed <= 0 ? byte_default : static_cast<int8_t>(typed));
    echo_value_taken(len, scale);
    return answer_step::next;
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
range_size(uint16_t fallback)
{
    long typed = answer_or(fallback);
    if (typed < 1 || typed > maxL_lu || size_before_range > 31)
        return fallback > maxL_lu ? static_cast<uint16_t>(maxL_lu) : fallback;
    return static_cast<uint16_t>(typed);
}

// Default size of a single basin or forward run.
uint16_t
single_basin_default()
{
    return tot_only ? 150 : 14;
}

// The rows go down the text column.
constexpr question_place kTextColumn = {start_text_column_row, take_back_text_column, false};

// Single basins and forward runs: the scale, then the size of a 1d network.
constexpr question kSingleBasinRows[] = {
    question::row().prompts(prompt_scale).entry(2, numeric_entry).then(take_scale),
    question::row()
        .prompts([] {
            snprintf(textb[0], 150, "Network size 1d (other: see WIRING) max to fit %i, def %i:",
                     (Maxx + 1) / scale, single_basin_default());
            myouttext(textb[0]);
        })
        .entry(5, numeric_entry)
        .then([](int len) {
            long typed = answer_or(single_basin_default());
            if (typed < 1)
                lineL = single_basin_default();
            else if (typed <= kLargestNetwork)
                lineL = static_cast<uint16_t>(typed);
            else if (lineL == 0)
                lineL = single_basin_default();
            echo_value_taken(len, lineL);
            set_line_lengths();
            return answer_step::next;
        }),
};

// Basin fields: the size, bounded by maxL_lu, then the scale.
constexpr question kFieldRows[] = {
    question::row()
        .prompts([] {
            snprintf(textb[0], 150, "Network size, max %d, default %d:", maxL_lu,
                     field_size_default());
            myouttext(textb[0]);
        })
        .entry(2, numeric_entry)
        .then([](int len) {
            uint16_t fallback = field_size_default();
            long typed = entry_number();
            if (is[0] == kKeyReturn) {
                lineL = fallback;
                snprintf(textb[0], 150, " Network size=%d", fallback);
                myouttext(textb[0]);
            } else if (typed < 1) {
                // Nothing to call too big: the default takes the answer's place.
                lineL = fallback;
                echo_value_taken(len, fallback);
            } else if (typed > maxL_lu) {
                lineL = fallback;
                snprintf(textb[0], 150, " too big! Network size=%d", fallback);
                myouttext(textb[0]);
            } else {
                lineL = static_cast<uint16_t>(typed);
            }
            set_line_lengths();
            return answer_step::next;
        }),
    question::row().prompts(prompt_scale).entry(2, numeric_entry).then(take_scale),
};

// A range of sizes: start, end (whose 'q' leaves the dialog), then the scale
// (whose 'q' asks both sizes again).
constexpr question kRangeRows[] = {
    question::row()
        .prompts([] {
            snprintf(textb[0], 150, "Start size, default %d:", kRangeStart);
            myouttext(textb[0]);
        })
        .entry(2, numeric_entry)
        .then([](int len) {
            startL = range_size(kRangeStart);
            echo_value_taken(len, startL);
            return answer_step::next;
        }),
    question::row()
        .prompts([] {
            snprintf(textb[0], 150, "End size, default %d:", kRangeEnd);
            myouttext(textb[0]);
        })
        .entry(2, numeric_entry)
        .then([](int len) {
            endL = range_size(kRangeEnd);
            echo_value_taken(len, endL);
            if (endL <= startL) {
                // Not a range: the one size is run, and the line says so.
                rangeL = 0;
                snprintf(textb[0], 150, " no range, size=%d", startL);
                myouttext(textb[0]);
            }
            lineL = startL;
            set_line_lengths();
            return answer_step::next;
        })
        .quits(answer_step::leave),
    question::row()
        .prompts(prompt_scale)
        .entry(2, numeric_entry)
        .then(take_scale)
        .quits(answer_step::restart),
};

} // namespace

void
select_linelength_singlebasin()
{
    if (ask_questions(kSingleBasinRows, kTextColumn) == answer_step::leave)
        scale = 255;
}

void
select_linelength_31()
{
    ask_questions(kFieldRows, kTextColumn);
}

void
select_linelength_range()
{
    size_before_range = lineL;
    ask_questions(kRangeRows, kTextColumn);
}
