// The input entropy plot (entropy_plot.h): the drawing of the figures that
// engine/measures computes. Each step measures in a fixed order: value
// densities over the window (and the density trace, which ends the step
// when it is the plot shown), lookup frequencies with their dots, the
// histogram bars and the input entropy trace, the point in the
// entropy-density plane, and the entropy record of a sample. Traces of the
// 1d and scrolling 2d displays go on the pattern's drawable, where the
// rows are copied to the window, and on the window itself, so a segment
// reaching above the row being copied shows at once; the other displays
// plot one pixel a step on the side plot's row counter.
//
// The traces histogram (hist_mode 2) draws each step's bars only where the
// surface of the steps before left background: a map of the pixels this
// plot has drawn there stands in for reading the window back pixel by
// pixel. It starts empty with each surface (the first step, and the page
// end that puts the origin back).
//
// Reads A, lineL, v and the rule kind (engine/model), the forward display
// globals (engine/forward), color_v, and writes hist_order. Start at
// entropy_eeg_plot.
#include "ui/measures/entropy_plot.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/measures/input_entropy.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "ui/backward/statespace_matrix.h"
#include "ui/measures/rule_sampling.h"
#include "ui/model/nhood_colour.h"
#include "ui/model/rule_readout.h"
#include "ui/rules/random_states.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/segment_clip.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window.h"
#include "ui/screen/window_pixels.h"
#include "ui/screen/window_record.h"

namespace {

// The surface drawn so far by the traces histogram: one byte per pixel of
// the area from its first origin to the window's corner.
struct drawn_surface {
    int x0 = 0, y0 = 0, w = 0, h = 0;
    std::vector<uint8_t> taken;

    // A surface from (x, y) to (right, bottom): nothing outside is drawn.
    void start(int x, int y, int right, int bottom)
    {
        x0 = x;
        y0 = y;
        w = std::max(0, right + 1 - x);
        h = std::max(0, bottom + 1 - y);
        taken.assign(static_cast<size_t>(w) * h, 0);
    }
    // Marks (x, y) drawn; false when it was drawn already or lies outside.
    bool take(int x, int y)
    {
        if (x < x0 || y < y0 || x >= x0 + w || y >= y0 + h)
            return false;
        uint8_t &p = taken[static_cast<size_t>(y - y0) * w + (x - x0)];
        if (p)
            return false;
        p = 1;
        return true;
    }
};
drawn_surface surface;

// The drawing state a plot call leaves as it found it.
struct pen_kept {
    int16_t x = getx, y = gety;
    int colour = getcolor();
    image_slot draw = current_draw;
    ~pen_kept()
    {
        current_draw = draw;
        setcolor(colour);
        moveto(x, y);
    }
};

int
plane_top()
{
    return plane_bottom() - vgay(200);
}

// Whether the traces go on the pattern's drawable row by row.
bool
flat_display()
{
    return d_mode == display_1d || (d_mode == display_2d && scrolling);
}

// Whether a segment between two points reaches the window's area that
// copies of the pattern leave alone (a histogram's box over the pattern):
// drawn there on the window it would stand over the box's captions.
bool
reaches_kept_area(int x_from, int y_from, int x_to, int y_to)
{
    int x0, y0, x1, y1;
    return kept_area(&x0, &y0, &x1, &y1) && std::max(x_from, x_to) >= x0 &&
           std::min(x_from, x_to) <= x1 && std::max(y_from, y_to) >= y0 &&
           std::min(y_from, y_to) <= y1;
}

// The coordinate a of the point where a segment from (a0, b0) to (a1, b1)
// crosses b: where a trace is cut at a row or a column.
int
coordinate_at(int a0, int b0, int a1, int b1, int b)
{
    return a0 + static_cast<int>(std::lround(double(a1 - a0) * (b - b0) / (b1 - b0)));
}

// A segment of a side trace on the window: on the last row of a page the
// step after stands below the drawing area, and the segment ends where it
// leaves it rather than running into the bottom strip. A side plot placed
// past a wide pattern is cut at the window's edge as its frame is
// (draw_stpframe): its trace ends there too.
void
window_segment(int x_from, int y_from, int x_to, int y_to)
{
    if (!cut_segment_to(x_from, y_from, x_to, y_to, INT_MIN, INT_MIN, Maxx - 2, Maxy))
        return;
    moveto(x_from, y_from);
    lineto(x_to, y_to);
}

// A segment of a side trace, on the drawable and the window, or a pixel
// when from is the first step's. On the window only where it keeps out of
// the area copies leave alone: the copy of its row shows the rest.
void
trace_segment(const run_iteration *it, int colour, int x_from, int y_from, int x_to, int y_to,
              bool first)
{
    // On the first row of a page of the pattern the step before stands a
    // row above the window's top: the segment starts where it enters.
    if (y_from < 0 && y_to > y_from) {
        x_from = coordinate_at(x_from, y_from, x_to, y_to, 0);
        y_from = 0;
    }
    setcolor(colour);
    image_slot window = current_draw;
    for (int pass = 0; pass < 2; pass++) {
        if (pass == 0 && it->pixmap && *it->pixmap)
            current_draw = *it->pixmap;
        else if (pass == 0)
            continue;
        else
            current_draw = window;
        if (pass == 1 && reaches_kept_area(first ? x_to : x_from, first ? y_to : y_from, x_to, y_to))
            break;
        if (first) {
            putpixel(x_to, y_to, colour);
        } else if (pass == 1) {
            window_segment(x_from, y_from, x_to, y_to);
        } else {
            moveto(x_from, y_from);
            lineto(x_to, y_to);
        }
    }
}

// The dot of a frequency on the current row: a pixel, or a line of the row
// height once rows are taller than a pixel.
void
frequency_dot(const run_iteration *it, int colour, int x, int y, bool first)
{
    if (!flat_display()) {
        putpixel(x, y, colour);
        return;
    }
    int h = it->cell_size;
    trace_segment(it, colour, x, y, x, y + h - 1, first || h <= 1);
}

int
density_colour(int value)
{
    int c = color_v[value];
    return c == black ? darkgray : c;
}

int
index_colour(int k, uint32_t i)
{
    int c = set_nhdcolor(k, i);
    return c == black || c == darkgray ? white : c;
}

int
bar_colour(int k, uint32_t i, uint32_t last)
{
    int c = set_nhdcolor(k, i);
    if (i == last || c == black || c == darkgray || c == oldcolor[10] || c == oldcolor[11] ||
        c == oldcolor[14])
        return white;
    return c;
}

void
fill(int colour, int x0, int y0, int x1, int y1)
{
    if (x1 < x0 || y1 < y0)
        return;
    int kept = fillcolor;
    setfillstyle(0, colour);
    bar(x0, y0, x1, y1);
    setfillstyle(0, kept);
}

// A histogram bar as a bar: only the change from the bar drawn before.
void
draw_bar(int x, int y, int height, int length, int before, int colour, bool filtered)
{
    int back = black;
    int side = std::max(1, height);
    fill(filtered ? white : black, x - side - 2, y, x - 3, y + side - 1);
    if (length == before)
        return;
    if (length == 1) {
        fill(back, x, y, x + before - 1, y + side - 1);
        fill(colour, x, y, x, y + side - 1);
    } else if (length < before) {
        fill(back, x + length, y, x + before - 1, y + side - 1);
    } else {
        fill(colour, x, y, x + length - 1, y + side - 1);
    }
}

// A histogram bar as a trace of the slanted surface: its interior darkgray,
// its origin white, and a white line from the end of the bar before (a row
// up) to this bar's end, each only where nothing was drawn yet.
void
draw_trace(int x, int y, int length, int before)
{
    if (surface.take(x, y))
        putpixel(x, y, white);
    for (int i = 1; i < length; i++)
        if (surface.take(x + i, y))
            putpixel(x + i, y, darkgray);
    int xa = x + before, ya = y - 1, xb = x + length, yb = y;
    int steps = std::max(std::abs(xb - xa), std::abs(yb - ya));
    for (int s = 0; s <= steps; s++) {
        int px = steps ? xa + (xb - xa) * s / steps : xa;
        int py = steps ? ya + (yb - ya) * s / steps : ya;
        if (surface.take(px, py))
            putpixel(px, py, white);
    }
}

// The count of sampled rules above the plane.
void
show_rule_count(const entropy_graph *eg, uint32_t count)
{
    show_sampled_rule_count(count, " tog pause-p", side_plot_left(eg));
}

// The entropy record and, at its end, the statistics and the next run.
void
record_entropy(entropy_data *ae, entropy_graph *eg, run_iteration *it, double entropy)
{
    uint32_t t = it->time;
    if (!entropy_record_step(ae->edata, eg->entropy_start, eg->entropy_end, t, entropy))
        return;
    ae->sample_no++;
    int result = moment(ae, eg, it, sampled_rule());
    if (result > 0) {
        ae->mode = 2;
        it->key_panel = 0;
        ae->count = 0;
        if (result == 2)
            ae->file_chosen = 1;
    }
    bool first_run = ae->sample_no == 1 || ae->sample_size == 1;
    it->page_full = 1;
    it->time = 0;
    const uint8_t cycle[5] = {yellow, lightred, lightcyan, green, white};
    int next = 0;
    for (int c = 0; c < 5; c++)
        if (eg->point_colour == cycle[c])
            next = (c + 1) % 5;
    eg->point_colour = cycle[next];
    it->fore_colour = static_cast<uint8_t>(random_seed(it->fore_colour, 100, 0));
    if (ae->sample_no >= ae->sample_size)
        ae->sample_no = 0;
    if (ae->mode == 2 && result == 0 && first_run) {
        ae->count++;
        show_rule_count(eg, ae->count);
    }
    memcpy(F, A, bytesL);
}

// The ticks of a 200-unit x axis below its bottom B from L, every 20
// units between the ends.
void
tenth_ticks(int L, int B)
{
    for (int i = 1; i <= 8; i++) {
        moveto(L + vgax(20.0f * i), B);
        lineto(L + vgax(20.0f * i), B + vgay(3));
    }
}

// How far a plane's labels reach right of its frame: its last x label
// starts vgax(10) left of the frame's right side.
int
label_margin()
{
    return std::max<int>(vgax(10), text_pixel_width("0.18", 4) - vgax(10) + 2);
}

// The right edge of a plane's cleared area, for a frame whose right edge
// is at right: a margin for the labels beyond it, inside the window.
int
plane_right_margin(int right)
{
    return std::min<int>(right + label_margin(), Maxx);
}

// The right edge of the lookup histogram's slanted surface: left of the key
// panel (eg->hist_limit) and inside the window.
int
surface_right(const entropy_graph *eg)
{
    return std::min<int>(eg->hist_limit, Maxx - 2);
}

// The right side of the clear of the frame standing beside the pattern,
// and the drawing area's clears counted when it was drawn: once the whole
// area is cleared, no frame stands.
int standing_frame_right = 0;
uint32_t standing_frame_clears = 0;

// Whether a plane's frame (the density plane, the return map, the rule
// samples') stands beside the side plot.
bool
side_plane_standing()
{
    return standing_frame_right > 0 && standing_frame_clears == drawing_area_clears();
}

// The last row the lookup histogram's area takes: above a box the
// pattern's copies leave alone (a histogram's box over the pattern) that
// stands under its columns, which its bars, traces and clearings would cut
// through; else above a plane standing beside the side plot (the
// entropy-density plane, the return map), which stands under its columns
// in its own place too (its count line's row and the plane, as a plane
// moved over the pattern keeps them); else above the rule box held
// at the window's foot under them (a range of sizes shows each size's rule
// there), as the key panel beside it keeps: its clear, ended at the
// panel's left, took all of that box but the end under the panel; else
// the drawing area's last row.
int
lookup_histogram_foot(const entropy_graph *eg)
{
    int kx0, ky0, kx1, ky1;
    const int right = std::max<int>(eg->hist_right, surface_right(eg));
    if (kept_area(&kx0, &ky0, &kx1, &ky1) && kx0 <= right && kx1 >= eg->hist_x0 - 1 &&
        ky0 - 2 > eg->hist_y0 && ky0 <= Maxy)
        return ky0 - 2;
    const int plane_area_top = plane_count_row() - 2;
    if ((eg->ed_plot || side_plane_standing()) && plane_area_top - 2 > eg->hist_y0)
        return plane_area_top - 2;
    const int above_rule = bottom_above_rule_box(eg->hist_x0 - 1, right, Maxy);
    return above_rule > eg->hist_y0 ? above_rule : Maxy;
}

// The area a plane moved over the side plot and the pattern keeps from
// their copies: its strip of labels, the plane and its count line above.
struct plane_area {
    int x0, y0, x1, y1;
};

plane_area
moved_plane_area(int x0, int width)
{
    return {x0 + vgax(100) + 1, plane_count_row() - 2, plane_right_margin(plane_left(x0) + width),
            Maxy - 1};
}

// The side plot's strip right of x0 (as plane_x0 places it) erased for a
// frame `width` wide; when draw, the frame in light red with the y axis'
// ticks, every 20 of its 200 units. The rule samples' marker goes with the
// erase, and so does the block saved under it. A plane moved over the
// pattern keeps its area from the pattern's copies while it is drawn. A
// state-space matrix whose box the erase meets gives way to the frame, or
// comes back whole when the plot goes. Returns draw.
bool
side_plot_frame(int draw, int beside, int width)
{
    const int x0 = plane_x0(beside);
    const int L = plane_left(x0), B = plane_bottom(), top = plane_top();
    // Over the pattern: its area cleared whole, the count line's row too.
    const bool over_pattern = x0 < beside;
    // Beside it: to the right side of the frame drawn, or of the one
    // standing if that is wider (the rule samples' plane taken down or
    // replaced by a density plane's, whose clear would leave its right part).
    int right = plane_right_margin(L + width);
    if (side_plane_standing())
        right = std::max(right, standing_frame_right);
    // Taken down beside it, the count line of rule sampling above it goes
    // too: the plane drawn again elsewhere (a cell more moves it over the
    // pattern) writes its own there.
    const int beside_top = draw ? top : plane_count_row() - 2;
    const plane_area cleared = over_pattern ? moved_plane_area(x0, vgax(256))
                                            : plane_area{x0 + vgax(100) + 1, beside_top, right, Maxy - 1};
    erase_box(cleared.x0, cleared.y0, cleared.x1, cleared.y1);
    standing_frame_right = draw && !over_pattern ? cleared.x1 : 0;
    standing_frame_clears = drawing_area_clears();
    forget_rule_point();
    int kx0, ky0, kx1, ky1;
    if (over_pattern && draw)
        keep_from_copies(cleared.x0, cleared.y0, cleared.x1, cleared.y1);
    else if (over_pattern && kept_area(&kx0, &ky0, &kx1, &ky1) && kx0 == cleared.x0 && ky0 == cleared.y0)
        release_kept_area();
    matrix_after_plot_clearing(cleared.x0, cleared.y0, cleared.x1, cleared.y1, draw != 0);
    if (!draw)
        return false;
    setcolor(lightred);
    rectangle(L, top, L + width, B);
    for (int i = 1; i <= 9; i++) {
        moveto(L, B - vgay(20.0f * i));
        lineto(L - vgax(3), B - vgay(20.0f * i));
    }
    return true;
}

// The column of the y axis' labels "0" and "1" (or "2"), left of the ticks
// from the frame's left side L: inside the strip the frame's erase clears,
// right of the side plot, where a wide font would carry them further left.
int
y_label_column(int x0, int L)
{
    return std::max(x0 + vgax(100) + 1, L - vgax(3) - CWidth - 1);
}

// The strip between the side plot's frame and the y ticks left of the
// plane whose left side is L, from top to bottom B: the columns a y axis'
// label written downward has, which the frame's erase clears, and the rows
// between the axis' labels at the top and the foot (y_label_column's, in
// the normal font), a blank row apart from their ink.
struct label_strip {
    int left, right, first_row, last_row;
};

label_strip
y_label_strip(int x0, int L, int top, int B)
{
    int top_first = 0, top_last = 0, foot_first = 0, foot_last = 0;
    line_ink_rows(top, top_first, top_last);
    line_ink_rows(B - CHeight, foot_first, foot_last);
    return {x0 + vgax(100) + 1, L - vgax(3) - 1, top_last + 2, foot_first - 2};
}

// Writes a y axis' label downward, a character a line, each centred in
// the strip: in the largest of the normal, medium and small fonts in which
// every character fits the strip's columns (a proportional font's "m" is
// wider than its cell) and the lines its rows, each line a row below the
// rows the one above may ink, so that no two touch. Its lines centred on
// row centre, or from row latest down where that is higher, and moved up
// or down into the strip's rows: in a plot too short for them even in the
// small font, from the strip's first row, the lines that do not fit left
// out.
void
write_downward(const char *label, const label_strip &strip, int centre, int latest)
{
    const int room = strip.right - strip.left + 1;
    const int lines = static_cast<int>(strlen(label));
    int first = 0, last = 0;
    font_while font(
        [&] {
            for (const char *c = label; *c; c++)
                if (text_pixel_width(c, 1) > room)
                    return false;
            line_ink_rows(0, first, last);
            return lines * (last - first + 2) - 1 <= strip.last_row - strip.first_row + 1;
        },
        {set_medium_font, set_small_font});
    line_ink_rows(0, first, last);
    const int step = last - first + 2;
    int top = std::min<int64_t>(latest, int64_t{centre} - int64_t{lines} * step / 2);
    top = std::max(std::min(top, strip.last_row - last - (lines - 1) * step), strip.first_row - first);
    for (const char *c = label; *c && top + last <= strip.last_row; c++, top += step) {
        const int x = strip.left + std::max(0, room - text_pixel_width(c, 1)) / 2;
        text_line(x, strip.right, top, std::string(1, *c));
    }
}

} // namespace

int
side_plot_left(const entropy_graph *eg)
{
    return eg->x0 - vgax(10);
}

void
place_lookup_histogram(entropy_graph *eg)
{
    const int x0 = side_plot_left(eg) + static_cast<int>(eg->w2) + vgax(10), y0 = vgay(57);
    if (x0 == eg->hist_x0 && y0 == eg->hist_y0)
        return;
    erase_lookup_histogram(eg);
    eg->hist_x0 = static_cast<int16_t>(x0);
    eg->hist_y0 = static_cast<int16_t>(y0);
    eg->hist_right = static_cast<int16_t>(x0 + eg->w2);
    eg->hist_x = static_cast<int16_t>(x0 - 1);
    eg->hist_y = static_cast<int16_t>(y0 - 1);
}

bool
side_plot_under_layout()
{
    return graph_layout == 1;
}

void
erase_lookup_histogram(entropy_graph *eg)
{
    if (eg->hist_mode == 1 && eg->hist_right > eg->hist_x0)
        erase_lookup_bars(eg);
    else if (eg->hist_mode == 2 && eg->hist_limit > eg->hist_x0)
        erase_lookup_surface(eg);
    if (eg->oldbar)
        memset(eg->oldbar, 0, eg->lookupcount.entries * sizeof(uint16_t));
}

int
plane_x0(int x0)
{
    const int widest = Maxx - (vgax(100) + vgax(10) + 2 + vgax(256) + label_margin());
    return std::max(0, std::min(x0, widest));
}

int
plane_left(int x0)
{
    return plane_x0(x0) + vgax(100) + vgax(10) + 2;
}

int
plane_count_row()
{
    return plane_top() - CHeight - 3;
}

int
plane_bottom()
{
    return Maxy - std::max<int>(vgax(10), CHeight + vgay(3)) - 2;
}

int
plane_reach(int x0)
{
    return plane_right_margin(plane_left(x0) + vgax(256));
}

// erase_box clears a row below the corner it is given: a corner a row
// above the area's foot clears through it and no further, leaving what
// stands under it (the bottom strip, a histogram's box) standing.
void
erase_lookup_bars(const entropy_graph *eg)
{
    // The bars end at a key panel standing over the run (under which the
    // histogram may lie whole): the clear too.
    const int right = std::min(eg->hist_right, eg->hist_limit);
    if (right >= eg->hist_x0)
        erase_box(eg->hist_x0, eg->hist_y0, right, lookup_histogram_foot(eg) - 1);
}

void
erase_lookup_surface(const entropy_graph *eg)
{
    const int x0 = eg->hist_x0 - 1, y0 = eg->hist_y0 - 1, x1 = surface_right(eg), y1 = lookup_histogram_foot(eg) - 1;
    if (x1 < x0)
        return;
    erase_box(x0, y0, x1, y1);
    // The histogram goes on after the clear (drawn again, or as bars): a
    // state-space matrix the clear took in part gives way to it whole.
    matrix_after_plot_clearing(x0, y0, x1, y1, true);
}

void
entropy_eeg_plot(entropy_data *ae, entropy_graph *eg, run_iteration *it)
{
    pen_kept kept;
    const int row = kept.y, h = it->cell_size;
    const uint32_t t = it->time;
    const bool first = t <= 1;
    const bool flat = flat_display();
    const int one_cell = single_entropy && entropy_poss < lineL ? entropy_poss : -1;
    const double cells = one_cell >= 0 ? 1.0 : lineL;
    const int window = std::max<int>(1, eg->window);
    const double divisor = cells * window;
    const int x0 = side_plot_left(eg);
    const int side_row = flat ? row : eg->plot_row;
    const bool shown = !side_plot_under_layout();

    // Value densities over the window.
    double top_density = 0;
    if ((eg->plot_on || eg->ed_plot) && eg->eegcount.rows && eg->eegratiobefore) {
        count_values(A, lineL, one_cell, count_window_newest(&eg->eegcount));
        const uint32_t *sums = count_window_sum(&eg->eegcount, window);
        for (int j = 0; j < value_range; j++) {
            double density = sums[j] / divisor;
            if (eg->plot_on && shown) {
                int colour = density_colour(j);
                int x_to = x0 + static_cast<int>(std::ceil(eg->w1 * density));
                int x_from = x0 + static_cast<int>(std::ceil(eg->w1 * eg->eegratiobefore[j]));
                if (flat)
                    trace_segment(it, colour, x_from, row - h, x_to, row + h, first);
                else
                    putpixel(x_to, side_row, colour);
            }
            eg->eegratiobefore[j] = density;
        }
        top_density = eg->eegratiobefore[value_range - 1];
        count_window_advance(&eg->eegcount);
        if (eg->plot_on)
            return;
    }
    if (!(eg->hist_mode || eg->ed_plot) || !eg->lookupcount.rows)
        return;

    // Lookup frequencies: dots, histogram, and the input entropy.
    const size_t entries = eg->lookupcount.entries;
    const uint32_t *q = count_window_sum(&eg->lookupcount, window);
    const int k = eg->k;
    const int foot = lookup_histogram_foot(eg);
    histogram_layout layout = lay_out_histogram(entries, eg->w2, foot - eg->hist_y0);
    const bool bars = shown && stp && eg->hist_mode && !(eg->ed_plot && k > 5 && !tot_only) && eg->oldbar;
    // Bars on rows of another thickness (the room above a box kept over the
    // pattern came or went) start afresh: the old ones lie across the new.
    if (bars && eg->hist_mode == 1 && layout.bar_thickness != eg->bar_thickness) {
        erase_lookup_bars(eg);
        memset(eg->oldbar, 0, entries * sizeof(uint16_t));
    }
    eg->group = static_cast<int16_t>(layout.group);
    eg->bar_thickness = layout.bar_thickness;
    eg->max_bar = static_cast<int16_t>(layout.longest);
    // The slanted surface keeps left of the key panel and above the area's
    // foot: where its next trace would pass either, its area is cleared and
    // it starts again at its origin.
    const int surface_edge = surface_right(eg), surface_bottom = foot;
    const int surface_height =
        static_cast<int>(std::min<size_t>(entries, static_cast<size_t>(layout.group)) *
                         layout.bar_thickness);
    const bool surface_full =
        eg->hist_x + (layout.columns - 1) * layout.column_step + layout.longest + 1 > surface_edge ||
                              eg->hist_y + surface_height + 1 > surface_bottom;
    if (eg->hist_mode == 2 && (first || eg->hist_x < eg->hist_x0 - 1 || (bars && surface_full))) {
        if (bars && !first && surface_full)
            erase_lookup_surface(eg);
        eg->hist_x = static_cast<int16_t>(eg->hist_x0 - 1);
        eg->hist_y = static_cast<int16_t>(eg->hist_y0 - 1);
    }
    if (bars && eg->hist_mode == 2 && eg->hist_x == eg->hist_x0 - 1)
        surface.start(eg->hist_x, eg->hist_y, surface_edge, surface_bottom);
    const int ox = eg->hist_mode == 2 ? eg->hist_x : eg->hist_x0;
    const int oy = eg->hist_mode == 2 ? eg->hist_y : eg->hist_y0;
    const int bar_height = std::max(1, static_cast<int>(layout.bar_thickness) - eg->bar_gap);
    const uint32_t last = static_cast<uint32_t>(entries - 1);
    for (size_t n = entries; n-- > 0;) {
        uint32_t i = static_cast<uint32_t>(n);
        double p = q[i] / divisor;
        if (eg->ent_kind > 0 && shown)
            frequency_dot(it, index_colour(k, i),
                          x0 + static_cast<int>(std::ceil(p * eg->w2)), side_row, first);
        if (hist_order && i <= static_cast<uint32_t>(it->max_index))
            hist_order[i] = static_cast<uint16_t>(std::min<uint32_t>(q[i], UINT16_MAX));
        if (!bars)
            continue;
        int column, place;
        histogram_place(layout, entries, i, &column, &place);
        int bx = ox + column * layout.column_step;
        int by = oy + static_cast<int>(place * layout.bar_thickness);
        int length = histogram_bar(q[i], divisor, eg->w2, layout.longest);
        if (eg->hist_mode == 1)
            draw_bar(bx, by, bar_height, length, eg->oldbar[i], bar_colour(k, i, last),
                     color_filter && get_bitlong(color_filter, i));
        else
            draw_trace(bx, by, length, eg->oldbar[i]);
        eg->oldbar[i] = static_cast<uint16_t>(length);
    }
    if (bars && eg->hist_mode == 2) {
        eg->hist_x++;
        eg->hist_y++;
    }
    double entropy = input_entropy(q, entries, divisor);
    count_window_advance(&eg->lookupcount);

    // Both ends from the entropies, as the density trace's are from its
    // densities: the segment stays in the side plot however it moved since.
    const int x_now = x0 + static_cast<int>(eg->w2 * entropy);
    if (eg->ent_kind != 1 && shown) {
        if (flat)
            trace_segment(it, lightred, x0 + static_cast<int>(eg->w2 * eg->entropy_before), row - h, x_now,
                          row, first);
        else
            putpixel(x_now, side_row, lightred);
    }
    eg->entropy_before = entropy;

    if (eg->ed_plot && ae->mode < 2) {
        current_draw = kept.draw;
        putpixel(plane_left(x0) + static_cast<int>(top_density * vgax(200)),
                 plane_bottom() - static_cast<int>(entropy * vgay(200)), eg->point_colour);
    }
    if (eg->ed_plot && (ae->mode == 1 || ae->mode == 2) && ae->edata) {
        current_draw = kept.draw;
        record_entropy(ae, eg, it, entropy);
    }
}

void
draw_entgraph_frame(int draw, int x0, int kind, int y_label)
{
    if (stpgraph == stpgraph_none || (d_mode == display_2d && scrolling))
        return;
    pen_kept kept;
    const int width = kind == 2 ? vgax(256) : vgax(200);
    if (!side_plot_frame(draw, x0, width))
        return;
    x0 = plane_x0(x0);
    const int L = plane_left(x0), B = plane_bottom(), top = plane_top();
    if (kind == 2) {
        for (int i = 1; i <= 17; i++) {
            int x = L + vgax(static_cast<float>(std::trunc(14.222222 * i)));
            moveto(x, B);
            lineto(x, B + vgay(3));
        }
    } else {
        tenth_ticks(L, B);
    }
    const int label_y = B + vgay(3) + 1;
    moveto(x0 + vgax(102) + vgax(10), label_y);
    outtext("0");
    if (kind == 2) {
        moveto(x0 + vgax(102) + vgax(10) + vgax(25), label_y);
        outtext(min_max_entropy ? "min-max entropy" : "standard deviation");
        moveto(L + vgax(static_cast<float>(std::trunc(14.222222 * 10))) - vgax(5), label_y);
        outtext("0.1");
        moveto(L + width - vgax(10), label_y);
        outtext("0.18");
    } else {
        moveto(x0 + vgax(102) + vgax(10) + vgax(80), label_y);
        outtext("density");
        moveto(L + vgax(200) - 2, label_y);
        outtext("1");
    }
    // The y axis' labels and the label written downward stand in the strip
    // between the side plot's frame and the ticks.
    const int axis_x = y_label_column(x0, L);
    moveto(axis_x, B - CHeight);
    outtext("0");
    moveto(axis_x, top);
    outtext("1");
    static const char *const kYLabels[3] = {"mean entropy", "Z parameter", "lambda ratio"};
    const char *label = kind == 2 ? kYLabels[std::clamp(y_label, 0, 2)] : "entropy";
    write_downward(label, y_label_strip(x0, L, top, B), (top + B) / 2, Maxy - vgay(130));
}

void
draw_Hamming_plot(int draw, int x0)
{
    if (stpgraph == stpgraph_none || (d_mode == display_2d && scrolling))
        return;
    pen_kept kept;
    if (!side_plot_frame(draw, x0, vgax(200)))
        return;
    x0 = plane_x0(x0);
    const int L = plane_left(x0), B = plane_bottom(), top = plane_top();
    tenth_ticks(L, B);
    const int label_y = B + vgay(3) + 1;
    moveto(L, label_y);
    outtext("0");
    moveto(L + vgax(80), label_y);
    outtext("return map t");
    moveto(L + vgax(200) - 1, label_y);
    outtext("2");
    const int axis_x = y_label_column(x0, L);
    moveto(axis_x, B - CHeight);
    outtext("0");
    write_downward("t+1", y_label_strip(x0, L, top, B), INT_MAX, Maxy - vgay(130));
    moveto(axis_x, top);
    outtext("2");
}
