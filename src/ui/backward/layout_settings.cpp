// The LAYOUT stage (setup_plot), its half-scale preview and the layout
// revision of a data pause (amend_layout). The arithmetic is in
// engine/backward/basin_layout.cpp; here are the prompts, the keys and the
// drawing. The stage cursor (accept_from, acceptall) is in
// engine/forward/globals.h. Start reading at setup_plot.
#include "ui/backward/layout_settings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/backward/basin_layout.h"
#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/pixel_coordinate.h"
#include "ui/backward/display_settings.h"
#include "ui/backward/progress_bar.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/question_table.h"
#include "ui/screen/text_inks.h"
#include "ui/screen/window.h"

namespace {

constexpr double kPi = 3.14159265358979;
constexpr int kQuarterSlot = 3;       // boximage slot of the quarter under the preview and its status box
constexpr int kRadiusChars = 4;       // the longest start radius typed

// The settings a field's fitted layout stands for: the defaults as computed.
struct layout_values {
    float radius, x, y, xspace, yspace;
    bool operator==(const layout_values &o) const
    {
        return radius == o.radius && x == o.x && y == o.y && xspace == o.xspace &&
               yspace == o.yspace;
    }
};

layout_values
current_layout_values()
{
    return {pstartrad, xoffset, yoffset, xpspacing, ypspacing};
}

// State of one LAYOUT pass, shared by the rows of its dialog.
struct layout_pass {
    bool learning = false;            // the learning layout was chosen
    float radius_asked = 0;           // pstartrad when the radius prompt was shown
    bool defaults_computed = false;   // the defaults were computed in this pass
    layout_values defaults{};         // and came to these
    int cover_bottom = 0;             // last row the preview covers (cut_line_end)
} pass;

bool
layout_dialog_shown()
{
    return !acceptall && accept_from == accept_from_layout;
}

void
next_prompt_line(int margin)
{
    moveto(margin, gety + CHeight);
}

// A text entry (so 'd' can be typed) of up to max characters.
int
ask_entry(int max)
{
    return input_string(max, text_entry);
}

int16_t
quarter_right()
{
    return static_cast<int16_t>(Maxx / 2 - vgax(4));
}

// The last row the preview covers: its lower edge (Maxy / 2), or, where
// that edge cuts a line of text, the last row of that line's ink, so that
// the preview hides a whole line rather than its upper half (two lines
// down at most).
int
cut_line_end()
{
    const int bottom = Maxy / 2;
    const int last = std::min<int>(bottom + 2 * CHeight, Maxy);
    return std::min(free_row_below(bottom + 1, 0, quarter_right()) - 1, last);
}

void
put_back_quarter()
{
    if (boximage[kQuarterSlot] == 0)
        return;
    // The status box ("accept defaults-d") goes first: it reaches past the
    // quarter's right edge, where the put back would leave its end framed.
    erase_memory_box();
    putimage(0, 0, &boximage[kQuarterSlot], 0);
    freeimage(&boximage[kQuarterSlot]);
}

// --- The preview.

// A level circle of radius r about (x, y) as a polyline in 3 degree steps,
// each point truncated to a pixel and held within 16-bit coordinates (a
// circle far larger than the window still comes out as lines the window
// can take).
void
draw_level_circle(float x, float y, float r)
{
    float angle = static_cast<float>(kPi / 2);
    moveto(pixel_coordinate(x + r * std::cos(angle)), pixel_coordinate(y - r * std::sin(angle)));
    while (angle <= 7.9539814f) {
        angle += 0.05235988f;
        lineto(pixel_coordinate(x + r * std::cos(angle)), pixel_coordinate(y - r * std::sin(angle)));
    }
}

// The outline of one further basin: its four innermost level circles.
void
draw_basin_outline(float x, float y)
{
    setcolor(yellow);
    for (int i = 1; i <= 4 && i <= lastlevel; i++)
        draw_level_circle(x, y, rad[i - 1] / 2);
}

// One group of basins from (x, y) at half scale, wrapping rows at the
// quarter's right border; returns false once the drawing passes Maxy.
bool
draw_basin_group(float &x, float &y, float row_x, int count, float dx, float dy)
{
    float right = quarter_right();
    for (int b = 0; b < count; b++) {
        if (y > Maxy / 2.0f)
            return false;
        draw_basin_outline(x, y);
        x += dx;
        if (right - x < dx * rightborder) {
            x = row_x;
            y += dy;
        }
    }
    return true;
}

// The further basins of a field, a size range or mutants.
void
draw_further_basins()
{
    float dx = xspacing / 2.0f, dy = yspacing / 2.0f;
    float row_x = ox / 2.0f, x = row_x + dx, y = oy / 2.0f;
    int per_group = static_cast<int>(2 * (Maxx / 2) / startrad);
    if (per_group < 30)
        per_group = 30;
    int first = rangeL ? startL : lineL, last = rangeL ? endL : lineL;
    for (int size = first; size <= last && y <= Maxy / 2.0f; size++) {
        int count = per_group;
        if (rangeL && !basinfield && !mutant_layout)
            count = 1;
        else if (rangeL && basinfield)
            count = size;
        if (!draw_basin_group(x, y, row_x, count, dx, dy))
            break;
        if (rangeL && !basinfield && !mutant_layout)
            continue;              // a single-basin range goes on along the row
        x = row_x;
        y += dy;
        dx *= xspacefact;
        dy *= yspacefact;
    }
}

// A label of the preview: its text and the frame about it, corners
// inclusive.
struct preview_label {
    const char *text;
    int x0, y0, x1, y1;
};

int
label_width(const char *text)
{
    return text_pixel_width(text, static_cast<int>(std::string(text).size())) + vgax(4);
}

int
label_height()
{
    return CHeight + vgay(6);
}

// The label with its frame's top left at (x, y).
preview_label
label_at(const char *text, int x, int y)
{
    return {text, x, y, x + label_width(text), y + label_height()};
}

// A label in yellow inside a small lightred frame, on its own cleared
// rectangle: the level circles drawn before would run through its text.
void
draw_preview_label(const preview_label &label)
{
    setfillstyle(0, black);
    bar(label.x0, label.y0, label.x1, label.y1);
    setcolor(lightred);
    rectangle(label.x0, label.y0, label.x1, label.y1);
    setcolor(yellow);
    moveto(label.x0 + vgax(2), label.y0 + vgay(3));
    outtext(label.text);
}

// Draws the first of the places offered for a label (each a label_at) that
// lies inside the preview, 3 pixels off its border, and meets none of the
// places taken before (placed), and adds it to them; where there is no such
// place the label is left out. A typed position or a short window may put
// the centre lines at the preview's border, where a label beside them would
// run out of the quarter (over the prompt box, or off the window).
void
place_preview_label(const std::vector<preview_label> &places, std::vector<preview_label> &placed)
{
    int right = quarter_right(), bottom = Maxy / 2;
    for (const preview_label &p : places) {
        if (p.x0 < 3 || p.y0 < 3 || p.x1 > right - 3 || p.y1 > bottom - 3)
            continue;
        bool meets = std::any_of(placed.begin(), placed.end(), [&](const preview_label &q) {
            return p.x0 <= q.x1 && q.x0 <= p.x1 && p.y0 <= q.y1 && q.y0 <= p.y1;
        });
        if (meets)
            continue;
        draw_preview_label(p);
        placed.push_back(p);
        return;
    }
}

void
draw_preview_frame()
{
    int right = quarter_right(), bottom = Maxy / 2;
    int cx = fox / 2, cy = foy / 2;
    setcolor(lightred);
    moveto(0, cy);
    lineto(right, cy);
    moveto(cx, 0);
    lineto(cx, bottom);
    rectangle(0, 0, right, bottom);
    int h = label_height();
    // The status box ("accept defaults-d") is drawn over the preview's top
    // after it, in the memory box's place: no label goes under it.
    std::vector<preview_label> placed = {
        {"", memory_box_left(Maxx), 2, memory_box_place_end(Maxx), prompt_box_bottom(1)}};
    // Each axis label beside its line, on the other side where there is no
    // room; the top one below the status box where it would stand under it.
    auto beside_vertical = [&](const char *text, std::initializer_list<int> rows) {
        std::vector<preview_label> places;
        for (int y : rows)
            for (int x : {cx + 3, cx - label_width(text) - 3})
                places.push_back(label_at(text, x, y));
        place_preview_label(places, placed);
    };
    auto beside_horizontal = [&](const char *text, int x) {
        place_preview_label({label_at(text, x, cy - h - 3), label_at(text, x, cy + 3)}, placed);
    };
    beside_vertical("y=+100", {3, prompt_box_bottom(1) + 3});
    beside_vertical("y=-100", {bottom - h - 3});
    beside_horizontal("x=-100", 3);
    beside_horizontal("x=+100", right - label_width("x=+100") - 3);
    // The title at the bottom right, a label higher (or two) where it
    // would meet an axis label.
    const char *title = "basin layout preview";
    int x = right - label_width(title) - 3;
    place_preview_label({label_at(title, x, bottom - h - 3), label_at(title, x, bottom - 2 * h - 6),
                         label_at(title, x, bottom - 3 * h - 9)},
                        placed);
}

// --- The rows of the LAYOUT dialog.

void
radius_prompt()
{
    // Back from the learning layout's accept prompt: the dialog is revised
    // in full again.
    if (pass.learning) {
        pass.learning = false;
        acceptall = 0;
    }
    pass.radius_asked = pstartrad;
    char text[150];
    snprintf(text, sizeof text, "select att rad, %% of 1/2 screen, x-axis (min %.2f def %.3g):",
             min_start_radius(Maxx), pstartrad);
    // On a narrow window the question and its entry are wider than the
    // box: the question breaks onto a third line, so the typed radius
    // stays inside the box and the window.
    const prompt_part question = {text, kRadiusChars};
    int margin = replace_prompt_box(1 + prompt_parts_lines(&question, 1));
    outtext(basinfield ? "LAYOUT: reset defaults: all-r, learning-L"
                       : "LAYOUT: reset defaults: all-r, learning-L mutants-M");
    next_prompt_line(margin);
    write_prompt_part(text, kRadiusChars, margin);
}

void
redraw_defaults()
{
    set_layout_defaults();
    draw_layout_preview();
    show_accept_defaults();
}

answer_step
take_radius(int len)
{
    char key = is[0];
    if (key == 'd') {
        acceptall = 1;
        return answer_step::next;
    }
    if (key == 'r' || (key == 'M' && !basinfield)) {
        if (key == 'M')
            mutant_layout = 1;
        redraw_defaults();
        return answer_step::again;
    }
    if (key == 'L') {
        float f = lineL < 7 ? 1.0f : 5.5f / ((lineL - 6) * 0.5f + 6);
        yoffset = 40;
        xoffset = -55;
        xpspacing = 60 * f;
        ypspacing = 45 * f;
        rightborder = 0.4f;
        pstartrad = 15 * f;
        acceptall = 1;
        layout_notset = 0;
        hilight_learn = hilight_frame;
        if (!ask_learning_nodes()) {
            acceptall = 0;
            hilight_learn = hilight_off;
            return answer_step::again;
        }
        pass.learning = true;
        return answer_step::next;
    }
    double value;
    float least = min_start_radius(Maxx);
    if (entry_as_number(value) && value >= least)
        pstartrad = answer_held(pstartrad, {least, kLargestStartRadius}, len);
    return answer_step::next;
}

// The radii in pixels: the start radius and the radius of each level.
void
apply_radius()
{
    set_start_radius(Maxx);
    fill_level_radii();
}

bool
position_asked()
{
    return layout_dialog_shown() && !pass.learning;
}

// The spacing scaled to the radius, once per radius prompt: the spacing
// grows with the radius, except in the learning and mutant layouts.
void
scale_spacing_once()
{
    if (!pass.learning && !mutant_layout && pass.radius_asked > 0)
        scale_spacing_to_radius(pass.radius_asked);
    pass.radius_asked = 0;
}

// What a pair of x and y entries came to.
enum class pair_end { back, again, defaults, typed };

// An x and a y entry of up to max characters each under a title in a box of
// lines lines (its text margin in *margin), y on the next line or, with
// same_line, after x; each format shows its value as the default. 'q' at x
// is back, 'q' at y again, 'd' at either accepts the defaults (acceptall);
// a number sets its value, held within bounds.
pair_end
ask_pair(int lines, const char *title, int max, bool same_line, layout_bounds bounds,
         const char *x_format, float &x, const char *y_format, float &y, int *margin)
{
    *margin = replace_prompt_box(lines);
    outtext(title);
    next_prompt_line(*margin);
    char text[150];
    snprintf(text, sizeof text, x_format, x);
    outtext(text);
    int len = ask_entry(max);
    if (is[0] == 'q')
        return pair_end::back;
    if (is[0] == 'd') {
        acceptall = 1;
        return pair_end::defaults;
    }
    x = answer_held(x, bounds, len);
    if (same_line)
        moverel(10, 0);
    else
        next_prompt_line(*margin);
    snprintf(text, sizeof text, y_format, y);
    outtext(text);
    len = ask_entry(max);
    if (is[0] == 'q')
        return pair_end::again;
    if (is[0] == 'd') {
        acceptall = 1;
        return pair_end::defaults;
    }
    y = answer_held(y, bounds, len);
    return pair_end::typed;
}

// ask_pair with entries of 3 characters until it ends other than again;
// false when it ends back.
bool
ask_pair_until_done(int lines, const char *title, bool same_line, layout_bounds bounds,
                    const char *x_format, float &x, const char *y_format, float &y)
{
    int margin;
    pair_end end;
    do
        end = ask_pair(lines, title, 3, same_line, bounds, x_format, x, y_format, y, &margin);
    while (end == pair_end::again);
    return end != pair_end::back;
}

answer_step
take_position(int)
{
    apply_radius();
    for (;;) {
        int margin;
        pair_end end = ask_pair(3, "start position, % offset from screen centre", 4, true, kOffsetBounds,
                                "x (def %.3g):", xoffset, "y (def %.3g):", yoffset, &margin);
        if (end == pair_end::back)
            return answer_step::back;
        if (end == pair_end::again)
            continue;
        if (end == pair_end::defaults || !basinfield || rangeL)
            return answer_step::next;
        next_prompt_line(margin);
        outtext("show field as successive single basins-s, and pause-p:");
        input_string(1, text_entry);
        successive_basins = 0;
        if (is[0] == 'q')
            continue;
        if (is[0] == 's') {
            successive_basins = 1;
            datapause = datapause_unset;
        } else if (is[0] == 'p') {
            successive_basins = 1;
            datapause = datapause_basin;
        }
        return answer_step::next;
    }
}


bool
spacing_asked()
{
    return layout_dialog_shown() && !pass.learning && layout_has_spacing() && !successive_basins;
}

// The x and y spacing percentages in a three-line box (ask_pair); false on
// 'q' at x.
bool
ask_spacing(const char *title, const char *x_prompt)
{
    return ask_pair_until_done(3, title, false, kSpacingBounds, x_prompt, xpspacing,
                               "y spacing (def %.3g):", ypspacing);
}

// The right border as a percentage of the x spacing; false on 'q'.
bool
ask_right_border(const char *format)
{
    replace_prompt_box(1);
    char text[150];
    snprintf(text, sizeof text, format, rightborder * 100);
    outtext(text);
    int len = ask_entry(4);
    if (is[0] == 'q')
        return false;
    if (is[0] != 'd' && is[0] != kKeyReturn)
        rightborder = answer_held(rightborder * 100, kBorderBounds, len) / 100;
    return true;
}

// The growth of the spacing per network size (ask_pair, y after x); false
// on 'q' at x.
bool
ask_spacing_growth()
{
    return ask_pair_until_done(2, "select % increace in spacing for successive network size,", true,
                               kGrowthBounds, "x increace (def %.3g):", xpspacefact,
                               "y increase (def %.3g):", ypspacefact);
}

answer_step
take_spacing(int)
{
    scale_spacing_once();
    for (;;) {
        if (!ask_spacing("basin spacing, % of 1/2 screen", "x spacing (def %.3g):"))
            return answer_step::back;
        rightborder = xpspacing / 100;
        set_pixel_spacing(Maxx, Maxy);
        if (!ask_right_border("select right border as %% of x spacing (def %.1f):"))
            continue;
        if (rangeL && !acceptall && !ask_spacing_growth())
            continue;
        set_spacing_factors();
        return answer_step::next;
    }
}

bool
accept_asked()
{
    return layout_dialog_shown() || pass.learning;
}

void
accept_prompt()
{
    draw_layout_preview();
    show_accept_defaults();
    replace_prompt_box(1);
    outtext("layout: revise-q, accept-ret:");
}

answer_step
take_accept(int)
{
    erase_prompt_box(1);
    if (is[0] == 'd')
        acceptall = 1;
    return answer_step::next;
}

// The pixel values that follow from the settings, dialog or not: the radii,
// the first tree's position and the spacing.
void
apply_layout()
{
    apply_radius();
    set_first_position(Maxx, Maxy);
    scale_spacing_once();
    if (layout_has_spacing() || pass.learning) {
        set_pixel_spacing(Maxx, Maxy);
        set_spacing_factors();
    }
}

// The rows that read their own entries draw their own boxes.
void
open_row()
{
}

void
erase_layout_prompt(int, int)
{
    erase_prompt_box(3);
}

// --- The mid-run revision.

// The next basin's position as offsets from the window centre; false on
// 'q' at x.
bool
ask_next_position()
{
    for (;;) {
        char text[150], x_text[40], y_text[40];
        snprintf(text, sizeof text, "(start=%.3g,%.3g) amend next pos, %% offset from screen centre",
                 xoffset, yoffset);
        // Halves of the window as set_first_position takes them, in whole
        // pixels. The next place offered is kept on the window, as a typed
        // one is (a grown spacing may reach past it).
        float half_x = static_cast<float>(Maxx / 2), half_y = static_cast<float>(Maxy / 2);
        float next_x = held_within(((ox + xspacing) / half_x - 1) * 100, kOffsetBounds);
        float next_y = held_within((oy / half_y - 1) * -100, kOffsetBounds);
        snprintf(x_text, sizeof x_text, "x (def %.3g):", next_x);
        snprintf(y_text, sizeof y_text, "y pos (def %.3g):", next_y);
        // The medium font where the lines would run past the narrow
        // window's edge.
        prompt_font font({text, with_widest_entry(x_text, 3) + "  " + with_widest_entry(y_text, 3)});
        int margin = replace_prompt_box(2);
        outtext(text);
        next_prompt_line(margin);
        outtext(x_text);
        int len = ask_entry(3);
        if (is[0] == 'q')
            return false;
        // Text that is no number reads as 0.
        xoffset = is[0] == kKeyReturn ? next_x : answer_held(0, kOffsetBounds, len);
        moverel(10, 0);
        outtext(y_text);
        len = ask_entry(3);
        if (is[0] == 'q')
            continue;
        yoffset = is[0] == kKeyReturn ? next_y : answer_held(0, kOffsetBounds, len);
        ox = static_cast<int16_t>(half_x * (1 + xoffset / 100));
        oy = static_cast<int16_t>(half_y * (1 - yoffset / 100));
        firstox = ox;
        return true;
    }
}

// The spacing, border and screen clearing of the revision; false on 'q' at
// the x spacing (back to the first prompt).
bool
amend_spacing(bool moved)
{
    for (;;) {
        if (!ask_spacing("amend basin spacing, % of 1/2 screen", "x spacing (def %.3g):"))
            return false;
        set_pixel_spacing(Maxx, Maxy);
        if (!ask_right_border("select right border as %% of x spacing (def %.1f%%):"))
            continue;
        replace_prompt_box(1);
        outtext("clear screen-c:");
        input_string(1, text_entry);
        if (is[0] == 'q')
            continue;
        if (is[0] == 'c')
            clear_drawing_area();
        if (moved)
            ox = static_cast<int16_t>(ox - xspacing);
        return true;
    }
}

} // namespace

bool
entry_as_number(double &value)
{
    std::string text = entry_text();
    char *end = nullptr;
    value = std::strtod(text.c_str(), &end);
    // "nan" is no number either ("inf" is one, past every bound).
    if (end == text.c_str() || std::isnan(value)) {
        value = 0;
        return false;
    }
    return true;
}

void
show_accept_defaults()
{
    status_box_title("accept defaults-d", lightred);
}

void
set_layout_defaults()
{
    compute_layout_defaults(Maxx, Maxy);
    pass.defaults_computed = true;
    pass.defaults = current_layout_values();
}

void
draw_layout_preview()
{
    ox = fox;
    oy = foy;
    int right = quarter_right(), bottom = Maxy / 2;
    setfillstyle(0, black);
    bar(0, 0, right, std::max(bottom, pass.cover_bottom));
    setviewport(0, 0, right, bottom, 1);
    float cx = fox / 2.0f, cy = foy / 2.0f;
    for (int i = 1; i <= lastlevel && rad != nullptr; i++) {
        setcolor(i <= 4 || i % 20 == 0 ? yellow : darkgray);
        draw_level_circle(cx, cy, rad[i - 1] / 2);
    }
    if (!successive_basins && (basinfield || rangeL || mutant_layout) && rad != nullptr)
        draw_further_basins();
    draw_preview_frame();
    setviewport(0, 0, Maxx, Maxy, 1);
    setcolor(white);
}

bool
ask_orientation()
{
    char text[150];
    snprintf(text, sizeof text, "change basin orientation (now %d), enter angle:",
             static_cast<int>(std::lround(orient_angle * 180 / kPi)));
    outtext(text);
    int len = ask_entry(4);
    if (is[0] == 'q')
        return false;
    if (is[0] != 'd' && is[0] != kKeyReturn) // text that is no number reads as 0
        orient_angle = static_cast<float>(answer_held(0, kAngleBounds, len) * kPi / 180);
    return true;
}

bool
ask_fan_angle()
{
    if (fan_angle_fact == 0)
        fan_angle_fact = 1.0f;
    char text[150];
    snprintf(text, sizeof text, "change pre-image fan angle (now %.3f), enter factor:",
             fan_angle_fact);
    outtext(text);
    int len = ask_entry(6);
    if (is[0] == 'q')
        return false;
    double value;
    if (entry_as_number(value) && value > 0)
        fan_angle_fact = answer_held(fan_angle_fact, kFanFactorBounds, len);
    return true;
}

namespace {

// The prompts of amend_layout; true once the spacing is taken, false on
// 'q' at the first prompt.
bool
ask_layout_amends()
{
    for (;;) {
        erase_prompt_box(3);
        replace_prompt_box(1);
        outtext("amend angles-a, next pos-p, just spacing-ret:");
        input_string(1, text_entry);
        char key = is[0];
        if (key == 'q')
            return false;
        if (key == 'a') {
            int margin = replace_prompt_box(2);
            if (ask_orientation()) {
                next_prompt_line(margin);
                ask_fan_angle();
            }
            continue;
        }
        bool moved = false;
        if (key == 'p') {
            if (!ask_next_position())
                continue;
            moved = true;
        }
        if (amend_spacing(moved)) {
            // The next basins go where the amended position and spacing
            // put them, no longer where the fitted field would.
            fit_field_layout = 0;
            return true;
        }
    }
}

} // namespace

void
amend_layout()
{
    // In a field the prompts take three lines, over the progress bar: the
    // bar goes whole while they stand and comes back after them (the
    // field's next node fills it again).
    bool bar = basinfield && mouse_found;
    if (bar)
        erase_progress_bar();
    bool taken = ask_layout_amends();
    if (bar)
        progress_bar();
    if (taken && boximage_prompt[1] != 0) {
        putimage(Maxx / 2, 2, &boximage_prompt[1], 0);
        freeimage(&boximage_prompt[1]);
    }
}

void
setup_plot()
{
    mutant_layout = 0;
    if (twod)
        rangeL = 0;
    bool shown = layout_dialog_shown();
    pass = layout_pass{};
    if (shown) {
        pass.cover_bottom = cut_line_end();
        // With the status box drawn over the preview's top, which reaches
        // a little past the quarter: its put back takes that box whole.
        int saved_right = std::max<int>(quarter_right(), memory_box_place_end(Maxx));
        getimage(0, 0, saved_right, pass.cover_bottom, &boximage[kQuarterSlot]);
    }
    if (layout_notset) {
        set_layout_defaults();
        layout_notset = 0;
    } else {
        xspacing = startxspacing;
        yspacing = startyspacing;
    }
    if (shown) {
        draw_layout_preview();
        show_accept_defaults();
        static const question rows[] = {
            question::row()
                .prompts(radius_prompt)
                .entry(kRadiusChars, text_entry)
                .then(take_radius)
                .quits(answer_step::leave),
            question::row().when(position_asked).prompts(open_row).then(take_position),
            question::row().when(spacing_asked).prompts(open_row).then(take_spacing),
            question::row()
                .when(accept_asked)
                .prompts(accept_prompt)
                .entry(1, text_entry)
                .then(take_accept)
                .quits(answer_step::restart),
        };
        static const question_place place = {nullptr, erase_layout_prompt, false};
        answer_step end = ask_questions(rows, place);
        if (end == answer_step::leave) {
            erase_prompt_box(3);
            put_back_quarter();
            is[0] = 'q';
            return;
        }
    }
    apply_layout();
    // A field is fitted to the window only when no value was typed over
    // the defaults.
    if (pass.defaults_computed)
        fit_field_layout = current_layout_values() == pass.defaults;
    if (shown) {
        // Accepted with 'd' the questions leave their box on the screen,
        // where the questions after the menus would be asked beside it.
        erase_prompt_box(3);
        put_back_quarter();
    }
    if (accept_from == accept_from_layout)
        accept_from = accept_from_display;
    is[0] = kKeyReturn;
}
