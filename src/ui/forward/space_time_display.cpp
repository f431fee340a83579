// Space-time displays of forward runs (space_time_display.h). The cell size
// s (it->cell_size) is the pen's advance in pixels per cell and per row;
// vgax(s) only chooses the shape: 1 a dot, 2 a 3x3 bar, more a full cell of
// s - cell_gap + 1 pixels (neighbours touch with a gap of 1). In a 1d row
// cell L is at the left and cell 0 at the right; in a 2d frame cell L is at
// the top left. The cells of one row of the flat displays are gathered per
// colour and filled with one request per colour (screen/fill_rects.h).
// Reads the network shape, A and seq_order (model), the display settings
// (forward globals), the colouring of cell_colouring.h and draws through
// the screen layer. Start at draw_pattern_cells.
#include "ui/forward/space_time_display.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/forward/forward_step.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"
#include "ui/backward/statespace_matrix.h"
#include "ui/forward/key_panel.h"
#include "ui/measures/entropy_plot.h"
#include "ui/model/cell_display.h"
#include "ui/screen/boxes.h"
#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/fill_rects.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/window.h"
#include "ui/screen/window_pixels.h"

namespace {

const double kSlope = std::sin(M_PI / 4);  // the oblique depth per row
const double kHexRow = std::cos(M_PI / 6); // a hexagonal row's height per cell size
constexpr int kBaseSlot = 16;              // boximage slot of the saved 3d base

image_slot window_drawable = 0; // the window, as current_draw holds it between drawings

// Cells of one colour, gathered for one fill request; overlays (the green
// centre dots) are filled after every colour.
struct colour_batch {
    std::vector<cell_rect> cells[kNamedColors];
    std::vector<uint8_t> used;
    std::vector<cell_rect> dots;

    void add(int colour, int x, int y, int w, int h)
    {
        std::vector<cell_rect> &list = cells[colour];
        if (list.empty())
            used.push_back(static_cast<uint8_t>(colour));
        list.push_back({static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<uint16_t>(w),
                        static_cast<uint16_t>(h)});
    }
    void flush()
    {
        for (uint8_t colour : used) {
            fill_rects(colour, cells[colour].data(), static_cast<int>(cells[colour].size()));
            cells[colour].clear();
        }
        used.clear();
        fill_rects(green, dots.data(), static_cast<int>(dots.size()));
        dots.clear();
    }
};
colour_batch batch;

// The largest divisor of m not above a (1 when none is larger).
int
divisor_not_above(int m, int a)
{
    for (int d = std::max(a, 1); d > 1; d--)
        if (m % d == 0)
            return d;
    return 1;
}

// The bottom line of 2d+time frame number frame_no (the seed's frame 0
// shares frame 1's place: the first step draws over it). Rounded up, so
// that the top row's parallelograms start within the window, and lowered
// by the margin that keeps the top row's disc cells whole.
float
time_frame_bottom(const run_iteration *it, int frame_no)
{
    const int s = it->cell_size;
    return static_cast<float>(std::ceil(kSlope * (j2d + std::max(frame_no, 1) - 1) * s) +
                              time_frame_margin(s));
}

// A flat cell (display_1d and display_2d) at (x, y) of colour c into the batch.
void
flat_cell(const run_iteration *it, int x, int y, int c)
{
    const int s = it->cell_size, p = it->pixel_size;
    if (p <= 1) {
        batch.add(c, x, y, 1, 1);
    } else if (p == 2) {
        batch.add(c, x, y, 3, 3);
    } else {
        int side = s - it->cell_gap + 1;
        batch.add(c, x, y, side, side);
        if (it->zero_dot && cellscale > 3 && c == color_v[0])
            batch.dots.push_back({static_cast<int16_t>(x + s / 2 - 1),
                                  static_cast<int16_t>(y + s / 2 - 1), 1, 1});
    }
}

// The disc of a cell of display_2d (scrolling), display_2d_time and display_3d, centred at (x, y).
void
disc_cell(const run_iteration *it, int x, int y, int c)
{
    int outline, fill;
    if (it->frozen_mode == 0 || (!it->cell_frozen && it->frozen_mode != 3)) {
        outline = bground == 'w' ? white : yellow;
        fill = value_range == 2 ? (bground == 'w' ? blue : lightblue) : c;
    } else {
        outline = c == white ? yellow : c;
        fill = c;
    }
    setfillstyle(0, fill);
    setcolor(outline);
    pieslice(x, y, 0, 360, it->cell_size / 2);
}

// A parallelogram cell of display_2d_time and display_3d at the cell counter's place.
void
oblique_cell(run_iteration *it, int c)
{
    const int s = it->cell_size;
    int x0 = static_cast<int>(it->frame_x + (it->cell_count - 1) * s);
    int y0 = static_cast<int>(-kSlope * it->frame_row * s + it->frame_y);
    int rs = static_cast<int>(it->row_slant);
    int corners[8] = {x0, y0, x0 + rs, y0 - rs, x0 + rs + s, y0 - rs, x0 + s, y0};
    if (s == 1) {
        putpixel(x0, y0, c);
    } else if (it->disc_cells && s >= 4) {
        disc_cell(it, corners[2], corners[3], c);
    } else {
        setfillstyle(0, c);
        fillpoly(4, corners);
        if (s == 2) {
            putpixel(corners[2], corners[3], c);
        } else {
            setcolor(c == white ? yellow : c);
            moveto(corners[0], corners[1]);
            lineto(corners[2], corners[3]);
            lineto(corners[4], corners[5]);
        }
    }
    setcolor(white);
}

// The hexagon of a cell of a hexagonal 2d display at (x, y).
void
hex_cell(const run_iteration *it, int x, int y, int c)
{
    setfillstyle(0, c);
    draw_hexagonal_2d_cell(it->hex_size, it->cell_size, it->big_cells, it->zero_dot, c, x, y);
}

// Fills the rectangle with the background on the current drawable.
void
clear_rect(int x0, int y0, int x1, int y1)
{
    int fill = fillcolor;
    setfillstyle(0, black);
    bar(x0, y0, x1, y1);
    setfillstyle(0, fill);
}

int
pixmap_height_of(const run_iteration *it)
{
    const int s = it->cell_size;
    switch (d_mode) {
    case display_2d:
        // The frame's bottom line too: the copy of each step takes the old
        // frame whole before draw_2d_frame draws it again.
        return s * j2d + 2;
    case display_3d:
        // The block's frame whole: a copy cut short of its bottom layer
        // left the frame's foot standing below the copied block.
        return block_3d_bottom(s) + 1;
    default:
        return Maxy;
    }
}

// The pattern pixmap's width for the display mode, within the window;
// side_plot: the width of a side plot beside a 1d pattern (0 for none).
int
pixmap_width_of(const run_iteration *it, int side_plot)
{
    const int s = it->cell_size;
    const int gap = diff_plot ? it->diff_gap * s : 0;
    int width;
    switch (d_mode) {
    case display_2d:
        width = display_2d_width(it);
        break;
    case display_2d_time:
        width = pattern_width(it);
        break;
    case display_3d:
        width = static_cast<int>(s * j3d * kSlope + i3d * s + 1) + gap;
        break;
    default:
        width = pattern_width(it) + 1 + side_plot;
        // The two halves' gap and the damage view after it (a margin, then
        // a cell per cell of one half) are drawn on the pixmap too.
        if (diff_plot)
            width += gap + (lineL / 2) * s + vgax(10);
        break;
    }
    if (width > Maxx || width <= 0)
        width = Maxx;
    return width;
}

// The pattern pixmap's height within the window: a pixmap can be no larger
// than the server allows, and what lies beyond the window is never shown.
int
pixmap_height_within(const run_iteration *it)
{
    return std::min(std::max(pixmap_height_of(it), 1), static_cast<int>(Maxy) + 1);
}

// The right edge of what a page end clears on the window: the pattern, the
// 1d difference plot's second half, the whole oblique 2d+time block, or the
// whole width under a 3d block.
int
page_clear_right(const run_iteration *it)
{
    const int s = it->cell_size;
    int x1 = pattern_width(it);
    if (d_mode == display_1d && diff_plot)
        x1 += lineL * s;
    if (d_mode == display_2d_time)
        x1 = static_cast<int>(it->row_slant * j2d + it->frame_x + s * i2d);
    if (d_mode == display_3d)
        x1 = Maxx;
    return x1;
}

// The right edge of what a page end clears on the window: the pattern's own
// (page_clear_right), or as far as the widest rows on the page when the
// network was made narrower since it began, but never into the key panel,
// nor, while a plane or the lookup histogram stands beside the pattern,
// past the side plot's band, which they leave free.
int
page_rows_right(const entropy_graph *eg, const run_iteration *it)
{
    const int own = page_clear_right(it);
    if (it->old_rows_right <= own)
        return own;
    int right = std::min(static_cast<int>(it->old_rows_right), key_panel_left() - 1);
    if (eg->ed_plot || it->return_map || eg->hist_mode)
        right = std::min(right, side_plot_left(eg) + vgax(100));
    return std::max(own, right);
}

// A window resized while a 1d pattern scrolls: its pixmap is made again at
// the new height, keeping its rows. A taller window lets the rows go on down
// to the new bottom before they scroll again; a shorter one keeps the latest
// rows, moved up by the height it lost.
void
fit_scrolling_pixmap(run_iteration *it, int side_plot)
{
    const int old_height = it->pixmap_height;
    if (!nowscrolling || !it->pixmap || !*it->pixmap || pixmap_height_within(it) == old_height)
        return;
    image_slot old = *it->pixmap;
    *it->pixmap = 0;
    make_pattern_pixmap(it, side_plot);
    if (!*it->pixmap) {
        *it->pixmap = old;
        it->pixmap_height = static_cast<int16_t>(old_height);
        return;
    }
    const int height = it->pixmap_height, shift = std::max(0, old_height - height);
    const int kept = std::min(old_height, height);
    copy_part_image(&old, it->pixmap, 0, shift, 0, 0, pixmap_width, kept);
    freeimage(&old);
    draw_on_pixmap(it);
    clear_rect(0, kept, pixmap_width, height);
    draw_on_window();
    scrolly = static_cast<int16_t>(scrolly - shift);
    moveto(getx, gety - shift);
    if (height > old_height)
        nowscrolling = 0;
}

// The right edge of the side plot from x, width pixels wide: a side plot
// past a pattern as wide as the window is cut at its edge.
int
side_plot_right(int x, float width)
{
    return std::min(static_cast<int>(x + width), Maxx - 2);
}

// The last row of the side plot from x, width pixels wide: the window's
// foot, or the row above a box the pattern's copies leave alone (a
// histogram's box or a plane over the side plot) that its columns meet,
// which its frame and its points would cut through.
int
side_plot_bottom(int x, float width)
{
    int kx0, ky0, kx1, ky1;
    if (kept_area(&kx0, &ky0, &kx1, &ky1) && kx0 <= side_plot_right(x, width) && kx1 >= x && ky0 > 0 &&
        ky0 <= Maxy)
        return ky0 - 1;
    return Maxy;
}

} // namespace

int
block_3d_bottom(int s)
{
    return static_cast<int>(static_cast<float>(s * kSlope) * j3d + s) + s * h3d;
}

void
place_scrolled_2d_frame(run_iteration *it, bool advance)
{
    const int s = it->cell_size;
    // The first frame whose page end (end_page) starts the scrolling: its
    // bottom or right side within three cells of the drawing area's edge.
    const int last = std::max(0, std::min(window_frames_floor() / s - j2d, Maxx / s - i2d) - 3);
    it->frame_no = static_cast<int16_t>(std::min(it->frame_no + (advance ? 1 : 0), last));
    it->frame_y = static_cast<float>(s * it->frame_no);
}

void
draw_on_window()
{
    // Before any pattern pixmap was made current_draw is the window already.
    if (window_drawable)
        current_draw = window_drawable;
}

void
draw_on_pixmap(run_iteration *it)
{
    if (it->pixmap && *it->pixmap)
        current_draw = *it->pixmap;
}

void
set_2d_3d_coords(run_iteration *it)
{
    const int n = lineL;
    if (threed) {
        i2d = i3d;
        j2d = static_cast<int16_t>(j3d * h3d);
    } else {
        if (!twod)
            set_i2dxj2d();
        int a = static_cast<int>(std::ceil(std::cbrt(static_cast<double>(n)) - 1e-9));
        int i = divisor_not_above(n, a);
        int m = n / i;
        int b = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(m)) - 1e-9));
        int j = divisor_not_above(m, b);
        int h = m / j;
        int sides[3] = {i, j, h};
        std::sort(sides, sides + 3, [](int x, int y) { return x > y; });
        i3d = static_cast<int16_t>(sides[0]);
        j3d = static_cast<int16_t>(sides[1]);
        h3d = static_cast<int16_t>(sides[2]);
    }
    it->save_i2d = i2d;
    it->save_j2d = j2d;
    it->save_i3d = i3d;
    it->save_j3d = j3d;
    it->save_h3d = h3d;
}

void
restore_2d_3d_coords(const run_iteration *it)
{
    if (twod) {
        i2d = it->save_i2d;
        j2d = it->save_j2d;
    } else if (threed) {
        i3d = it->save_i3d;
        j3d = it->save_j3d;
        h3d = it->save_h3d;
    }
}

int
pattern_width(const run_iteration *it)
{
    const int s = it->cell_size;
    switch (d_mode) {
    case display_2d:
        return i2d * s;
    case display_2d_time:
        return static_cast<int>(s * j2d * kSlope + i2d * s);
    case display_3d:
        return static_cast<int>(s * j3d * kSlope + i3d * s);
    default:
        return lineL * s;
    }
}

int
display_2d_width(const run_iteration *it)
{
    const int s = it->cell_size;
    const int gap = diff_plot ? it->diff_gap * s : 0;
    return static_cast<int>(i2d * s + 0.5 * s + 2) + gap;
}

int
pattern_reach(const run_iteration *it, float side_width)
{
    // A scrolling 2d display moves its frames across the window.
    if (d_mode == display_2d && scrolling)
        return Maxx + 1;
    // A 3d block clears the whole width only when its run starts again.
    int cleared = d_mode == display_3d ? 0 : page_clear_right(it) + 3;
    int side_plot = d_mode == display_1d ? static_cast<int>(side_width) : 0;
    int reach = std::max(pixmap_width_of(it, side_plot), cleared);
    if (side_width > 0) {
        const int plot_left = d_mode == display_2d ? display_2d_width(it) : pattern_width(it);
        reach = std::max(reach, static_cast<int>(plot_left + side_width) + 1);
    }
    return reach;
}

float
side_plot_width(const entropy_graph *eg)
{
    return stpgraph && stp ? (eg->plot_on ? eg->w1 : eg->w2) : 0;
}

void
reallocate_pixmap(int x, int y, int w, int h, image_slot *slot)
{
    if (*slot)
        freeimage(slot);
    getimage(x, y, x + w - 1, y + h - 1, slot);
}

void
make_pattern_pixmap(run_iteration *it, int side_plot)
{
    window_drawable = current_draw;
    int width = pixmap_width_of(it, side_plot), height = pixmap_height_within(it);
    pixmap_width = static_cast<int16_t>(width);
    it->pixmap_height = static_cast<int16_t>(height);
    reallocate_pixmap(0, 0, width, height, it->pixmap);
    // A plot kept on the window over the pattern (a histogram) is not part
    // of it: taken into the pixmap it would show between the cells of its
    // rows and scroll up with them.
    int x0, y0, x1, y1;
    if (*it->pixmap && kept_area(&x0, &y0, &x1, &y1)) {
        draw_on_pixmap(it);
        clear_rect(x0, y0, x1, y1);
        draw_on_window();
    }
}

void
free_pattern_pixmap(run_iteration *it)
{
    if (boximage[kBaseSlot])
        freeimage(&boximage[kBaseSlot]);
    if (it->pixmap && *it->pixmap)
        freeimage(it->pixmap);
}

void
draw_2d_frame(entropy_graph *eg, run_iteration *it)
{
    const int s = it->cell_size;
    int colour = getcolor();
    setcolor(white);
    if (diff_plot) {
        int half = i2d / 2;
        rectangle(0, 0, s * half + 1, s * j2d + 1);
        int x = (half + it->diff_gap) * s - 1;
        rectangle(x, 0, x + s * (i2d - half) + 2, s * j2d + 1);
        eg->diff_x = static_cast<int16_t>(s * (it->diff_gap + i2d) / 4);
        eg->diff_y = static_cast<int16_t>(s * (j2d + it->diff_gap));
        rectangle(eg->diff_x - 1, eg->diff_y - 1, eg->diff_x - 1 + s * half + 1,
                  eg->diff_y - 1 + s * j2d + 1);
    } else if (it->half_shift && d_mode == display_2d && s > 2) {
        double h = 0;
        for (int r = 1; r < j2d; r++)
            h = static_cast<int>(h + s * kHexRow);
        it->hex_height = static_cast<int16_t>(h);
        rectangle(0, 0, static_cast<int>(i2d * s + 0.5 * s + 1), s / 2 + it->hex_height);
    } else {
        rectangle(0, 0, static_cast<int>(i2d * s + 0.5 * s + 1), j2d * s + 1);
    }
    setcolor(colour);
}

void
draw_stpframe(int x, float width)
{
    if (stpgraph == stpgraph_none || (d_mode == display_2d && scrolling) || side_plot_under_layout())
        return;
    const int x1 = side_plot_right(x, width);
    if (x1 <= x)
        return;
    const int bottom = side_plot_bottom(x, width);
    int colour = getcolor();
    int fill = fillcolor;
    setfillstyle(0, black);
    // A box standing over the plot's columns (a rule readout beside the
    // colour key, on a narrow window) goes whole: the clear and the frame
    // would cut it.
    give_way({x, 0, x1, bottom});
    bar(x, 0, x1, bottom);
    // Open at the bottom: the left side alone reaches the last row.
    setcolor(red);
    moveto(x, bottom);
    lineto(x, 0);
    lineto(x1, 0);
    lineto(x1, bottom - 1);
    if (stpgraph == stpgraph_density) {
        int d = static_cast<int>(width * 0.25);
        for (int i = 1; i <= 3 && x + i * d < x1; i++) {
            moveto(x + i * d, 0);
            lineto(x + i * d, bottom - 1);
        }
    }
    moveto(0, 0);
    setfillstyle(0, fill);
    setcolor(colour);
}

void
setup_pattern_frames(entropy_graph *eg, run_iteration *it, float side_width)
{
    const int s = it->cell_size;
    draw_box(kBaseSlot, 0, 0, 1, 1, 0, -1);
    if (d_mode == display_2d || d_mode == display_2d_time) {
        it->row_slant = static_cast<float>(s * kSlope);
        it->frame_width = static_cast<float>(s * i2d);
        it->frame_depth = it->row_slant * j2d;
        if (diff_plot && twod)
            draw_2d_frame(eg, it);
    }
    if (d_mode == display_2d_time) {
        it->cell_gap = s > vgax(5) ? 2 : 1;
        it->frame_row = 0;
        it->frame_x = 0;
        it->frame_no = 0;
        it->frame_y = time_frame_bottom(it, 0);
        moveto(0, static_cast<int>(it->frame_y));
        draw_axon_plane(s, gety);
    } else if (d_mode == display_3d) {
        it->row_slant = static_cast<float>(s * kSlope);
        it->frame_width = static_cast<float>(s * i3d);
        it->frame_depth = it->row_slant * j3d;
        it->frame_no = 1;
        it->frame_x = 0;
        it->frame_y = it->frame_depth + s;
        moveto(0, static_cast<int>(it->frame_y));
        draw_axon_plane(s, gety);
        freeimage(&boximage[kBaseSlot]);
        int x1 = static_cast<int>(i3d * s + j3d * s * kSlope);
        draw_box(kBaseSlot, 0, 0, x1, std::min(block_3d_bottom(s), static_cast<int>(Maxy)), 0, -1);
    } else if (d_mode == display_2d && !scrolling) {
        draw_2d_frame(eg, it);
    }
    if (side_width > 0 && stp) {
        int left = side_plot_left(eg);
        draw_stpframe(left, side_width);
        draw_on_pixmap(it);
        draw_stpframe(left, side_width);
        draw_on_window();
    }
    moveto(0, 0);
}

void
display_before_sweep(run_iteration *it)
{
    const int s = it->cell_size;
    if (scrolling && stp && d_mode == display_2d)
        place_scrolled_2d_frame(it, !nowscrolling);
    if (it->half_shift) {
        slant++;
        // 32 bits: the counter runs to 2n, beyond a 16-bit counter's reach
        // for n above 16383.
        if (oned && slant >= 2 * static_cast<int32_t>(lineL))
            slant = 0;
        if (d_mode == display_1d)
            moveto(static_cast<int>(s * 0.5 * slant), gety);
    }
    if (d_mode == display_3d && stp) {
        moveto(static_cast<int>(it->frame_x), static_cast<int>(it->frame_depth));
        copy_drawable_to_window(it->pixmap, 0, 0, pixmap_width, it->pixmap_height);
        draw_on_pixmap(it);
        if (boximage[kBaseSlot])
            putimage(0, 0, &boximage[kBaseSlot], 3);
        draw_on_window();
    }
}

void
draw_pattern_cells(run_iteration *it, skeleton_record *sk, colouring_step *step, int draw,
                   int sequential)
{
    const int s = it->cell_size, n = lineL;
    const bool hex = it->half_shift && d_mode == display_2d && it->pixel_size >= 3;
    const bool scrolled_2d = d_mode == display_2d && scrolling;
    const bool oblique = d_mode == display_2d_time || d_mode == display_3d;
    if (step->by_nhood || color_filter) // the colours read the last step's indexes
        settle_step_indexes();
    if (draw &&
        (d_mode == display_1d || (d_mode == display_2d && !scrolling) || d_mode == display_3d))
        draw_on_pixmap(it);
    int x = getx, y = gety;
    const int offset = scrolled_2d ? it->frame_no * s : 0;
    for (int i = n - 1; i >= 0; i--) {
        uint32_t c = sequential ? seq_order[i] : static_cast<uint32_t>(i);
        int colour = cell_colour(c, get_value(A, c), it, sk, step);
        if (!draw)
            continue;
        if (d_mode == display_1d) {
            if (it->half_shift && oned && x >= s * n)
                x = slant % 2 ? s / 2 : 0;
            flat_cell(it, x, y, colour);
            x += s;
            if (diff_plot && n >= 2 && c > 0 && (n - c) % (n / 2) == 0) {
                batch.add(black, x, y, it->diff_gap * s, s);
                x += it->diff_gap * s;
            }
        } else if (d_mode == display_2d) {
            if (scrolled_2d) {
                if (colour != black && !it->hide_cells) {
                    if (it->disc_cells && s >= 4)
                        disc_cell(it, x + offset + s / 2, y + offset + s / 2, colour);
                    else if (hex)
                        hex_cell(it, x + offset, y + offset, colour);
                    else
                        flat_cell(it, x + offset, y + offset, colour);
                }
            } else if (hex) {
                hex_cell(it, x, y, colour);
            } else {
                flat_cell(it, x, y, colour);
            }
            x += s;
            if ((n - i) % i2d == 0) {
                it->row_parity ^= 1;
                if (hex) {
                    y = static_cast<int>(s * kHexRow + y);
                    x = it->row_parity ? static_cast<int>(s * 0.5) : 0;
                } else {
                    x = 0;
                    y += s;
                }
            } else if (diff_plot && (n - i) % i2d == i2d / 2) {
                x += it->diff_gap * s;
            }
        } else if (oblique) {
            it->cell_count++;
            if (colour != black)
                oblique_cell(it, colour);
            bool row_end = d_mode == display_2d_time ? (n - i) % i2d == 0 : i % i3d == 0;
            if (row_end) {
                it->frame_row++;
                it->cell_count = 0;
                it->frame_x = static_cast<float>(static_cast<int>(kSlope * it->frame_row * s));
            }
            if (d_mode == display_3d && i > 0 && i % (i3d * j3d) == 0) {
                it->frame_no++;
                it->frame_row = 0;
                it->frame_x = 0;
                it->frame_y = it->frame_depth + it->frame_no * s;
            }
        }
    }
    if (draw) {
        batch.flush();
        if (d_mode == display_1d)
            moveto(getx, y);
        draw_on_window();
    }
}

void
display_after_sweep(entropy_graph *eg, run_iteration *it, float side_width)
{
    const int s = it->cell_size;
    switch (d_mode) {
    case display_1d:
        if (!scrolling) {
            int top = gety;
            copy_drawable_to_window(it->pixmap, 0, top, pixmap_width, s);
            moveto(0, top + s);
            if (Maxy - gety < s)
                it->page_full = 1;
        } else {
            fit_scrolling_pixmap(it, static_cast<int>(side_width));
            draw_on_pixmap(it);
            end_page(s);
            draw_on_window();
        }
        break;
    case display_2d:
        if (!scrolling) {
            copy_drawable_to_window(it->pixmap, 0, 0, pixmap_width, it->pixmap_height);
            draw_2d_frame(eg, it);
        } else {
            int y = it->half_shift && it->pixel_size > 2 ? it->hex_height + it->frame_no * s
                                                          : s * (it->frame_no + j2d);
            moveto((it->frame_no + i2d) * s, y);
            end_page(s);
        }
        it->row_parity = 0;
        break;
    case 3: {
        it->frame_row = 0;
        it->cell_count = 0;
        if (!nowscrolling && gety <= Maxy - s)
            it->frame_no++;
        it->frame_x = 0;
        int colour = getcolor();
        float fw = it->frame_width, fd = it->frame_depth;
        if (it->frame_no > 2) {
            setcolor(black);
            moveto(static_cast<int>(it->frame_x), static_cast<int>(it->frame_y));
            lineto(static_cast<int>(it->frame_x + fw), static_cast<int>(it->frame_y));
            lineto(static_cast<int>(it->frame_x + fw + fd), static_cast<int>(it->frame_y - fd));
        }
        it->frame_y = time_frame_bottom(it, it->frame_no);
        setcolor(white);
        moveto(static_cast<int>(it->frame_x), static_cast<int>(it->frame_y));
        lineto(static_cast<int>(it->frame_x + fw), static_cast<int>(it->frame_y));
        lineto(static_cast<int>(it->frame_x + fw + fd), static_cast<int>(it->frame_y - fd));
        moveto(static_cast<int>(it->frame_x), static_cast<int>(it->frame_y));
        setcolor(colour);
        if (scrolling) {
            end_page(s);
        } else if (window_frames_floor() - it->frame_y < s) {
            it->frame_no = 0;
            it->page_full = 1;
            it->frame_y = time_frame_bottom(it, 0);
        }
        break;
    }
    case 4:
        it->frame_row = 0;
        it->cell_count = 0;
        it->frame_depth = it->row_slant * j3d;
        it->frame_no = 1;
        it->frame_x = 0;
        it->frame_y = it->frame_depth + s;
        break;
    default:
        break;
    }
    if (d_mode > display_1d) {
        moveto(0, 0);
        // The side plot's points go a row a step down its frame, and start
        // again at the top in a fresh frame past its last row.
        if (side_width > 0 && ++eg->plot_row > side_plot_bottom(side_plot_left(eg), eg->w2)) {
            draw_stpframe(side_plot_left(eg), eg->w2);
            eg->plot_row = 0;
        }
    }
}

void
pattern_page_end(entropy_graph *eg, run_iteration *it, float side_width)
{
    const int s = it->cell_size;
    const int width = pattern_width(it);
    int x1 = page_rows_right(eg, it);
    it->old_rows_right = 0;
    if (d_mode == display_2d_time) {
        it->frame_row = 0;
        it->frame_x = 0;
        it->frame_no = 0;
        it->frame_y = time_frame_bottom(it, 0);
    }
    const int clear_top = eg->hist_mode == 2 ? vgay(20) : 0, clear_right = std::min<int>(x1, Maxx);
    // The colour key at the top right that the clear reaches (across a 3d
    // block's page, below the traces histogram's top strip) goes whole
    // before it and stands again after it, not cut at the strip's foot.
    int key_left, key_bottom;
    const bool key_cleared = color_key_box_at_right(&key_left, &key_bottom) &&
                             key_left <= clear_right && key_bottom >= clear_top;
    if (key_cleared)
        show_multistate_color_key(0);
    if (eg->hist_mode == 2) {
        eg->hist_x = static_cast<int16_t>(eg->hist_x0 - 1);
        eg->hist_y = static_cast<int16_t>(eg->hist_y0 - 1);
        clear_rect(0, 0, width, clear_top);
    }
    set_run_viewport();
    // A plot kept over the pattern (a histogram, a plane moved over it)
    // stays as it is.
    clear_around_kept(0, clear_top, clear_right, Maxy);
    if (stp) {
        // A window resized during the run: the new page's pixmap takes the
        // window's new height.
        if (it->pixmap && *it->pixmap && pixmap_height_within(it) != it->pixmap_height)
            make_pattern_pixmap(it, d_mode == display_1d ? static_cast<int>(side_width) : 0);
        draw_on_pixmap(it);
        // At least the pattern and its 2-pixel margin, so that no column of
        // the old page is copied back.
        clear_rect(0, 0, std::max(pixmap_width - vgax(5), x1 + 2), Maxy);
        const float w = eg->plot_on ? eg->w1 : eg->w2;
        // A 1d pattern's pixmap holds the side plot: its frame drawn there
        // comes onto the window with the copy, which leaves a kept plot alone.
        if (side_width > 0 && d_mode == display_1d)
            draw_stpframe(side_plot_left(eg), w);
        draw_on_window();
        copy_drawable_to_window(it->pixmap, 0, 0, pixmap_width, it->pixmap_height);
        if (side_width > 0 && d_mode != display_1d) {
            if (d_mode != display_2d_time)
                draw_stpframe(side_plot_left(eg), w);
            draw_on_pixmap(it);
            draw_stpframe(side_plot_left(eg), w);
            draw_on_window();
        }
    }
    moveto(0, 0);
    if (d_mode == display_2d_time) {
        moveto(static_cast<int>(it->frame_x), static_cast<int>(it->frame_y));
        draw_axon_plane(s, static_cast<int>(it->frame_y));
        moveto(0, 0);
    }
    // The page's clear takes the state-space matrix's box, or the part of
    // it within the pattern's columns: the box starts again empty and
    // whole, not cut at the pattern's right edge.
    if (show_ss_matrixF == ss_view_matrix)
        show_statespace_matrix(nullptr);
    if (key_cleared)
        show_multistate_color_key(1);
}

void
start_rows_after_pattern(const run_iteration *it, float side_width)
{
    const int s = it->cell_size;
    if (d_mode == display_1d || (d_mode == display_2d && !scrolling)) {
        // A row apart from the last row, or from a 2d frame's bottom line.
        if (d_mode == display_2d)
            moveto(0, pixmap_height_of(it));
        end_page(s);
        return;
    }
    // The oblique blocks and the scrolled 2d frames reach down the window:
    // the rows begin a fresh page, what the frames took cleared whole.
    const int right = std::min<int>(pattern_reach(it, side_width), Maxx);
    rows_give_way({0, 0, right, Maxy});
    clear_rect(0, 0, right, Maxy);
    moveto(0, 0);
}

void
draw_cycle_rows(run_iteration *it)
{
    const int s = it->cell_size;
    for (uint32_t p = 1; p <= attperiod; p++) {
        int x = getx, y = gety;
        batch.add(black, x, y, lineL * s, s);
        for (int c = L; c >= 0; c--) {
            int value = get_value(att[p], static_cast<uint32_t>(c));
            int colour = value_range == 2 ? (value ? cyan : darkgray) : value;
            int side = s - sep + 1;
            batch.add(colour, x, y, side, s - it->cell_gap + 1);
            if (scale > 2)
                batch.dots.push_back({static_cast<int16_t>(x + scale / 2 - 1),
                                      static_cast<int16_t>(y + scale / 2 - 1), 1, 1});
            x += s;
        }
        batch.flush();
        end_page(s);
    }
}
