// The shape batch (shape_batch.h): layers of one colour each, and a cover
// map of the window saying, for every cell of 4 x 4 pixels, the highest
// layer holding a gathered shape that may touch a pixel of the cell. Start at gather_shape: a shape goes into
// the lowest layer of its colour at or above every layer covering a pixel it
// may touch, else into a new layer on top; send_layers draws the layers in
// order, one colour change and at most three requests each.
//
// Why the picture is unchanged: two shapes of one colour drawn with the one
// GC (function copy) give the same pixels in either order, so only shapes
// of different colours that share a pixel must keep their order. A shape
// placed in layer l has every earlier shape that may share a pixel with it
// in a layer at or below l (the cover map's entry under that pixel), and
// shapes of one layer are one colour, so it still lands on top of each.
//
// The pixels a shape may touch are a superset of those the server draws:
// for a zero-width line, the pixel nearest the true line in each column (or
// row, for steep lines) and its two neighbours across, taken four columns
// at a time as the rectangle that holds them; for a circle, its
// bounding box widened by one. Pixels outside the window hold nothing, so
// their order does not matter: the map covers the window only. Wide circles
// are not gathered (the batch is sent and they go at once), nor is anything
// while the window's size differs from the map's.
#include "ui/screen/shape_batch.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "ui/screen/globals.h"
#include "ui/screen/x_state.h"

namespace {

constexpr int kWidestCircle = 32;   // wider circles are sent at once
constexpr uint32_t kMostLayers = 4096;

// The shapes of one colour, in request form.
struct layer {
    unsigned long pixel = 0;
    std::vector<XSegment> segments;
    std::vector<XArc> arcs;
    std::vector<XPoint> points;
};

bool batches_on = true;
bool batch_open = false;
bool shapes_gathered = false;
bool foreground_stale = false;
int batch_fill_style = FillSolid;

std::vector<layer> layers; // layers[0 .. layers_used-1] hold shapes
uint32_t layers_used = 0;
std::vector<uint32_t> layers_of[256]; // per colour index, its layers in order

// Per cell of 4 x 4 pixels (row by row, cells_w wide): generation << 16 |
// (layer + 1) of the highest layer with a shape that may touch a pixel of
// the cell; entries of an older generation cover nothing. A send starts a
// generation. Cells keep the map small enough to stay in the cache.
constexpr int kCellShift = 2;
std::vector<uint32_t> cover;
int window_w = 0, window_h = 0; // the window's size when the map was made
int cells_w = 0, cells_h = 0;
uint32_t generation = 1;

// floor(a / b) for b > 0.
int64_t
floor_div(int64_t a, int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// A rectangle of pixels, corners inclusive.
struct pixel_run {
    int x0, y0, x1, y1;
};

// The runs of the shape being gathered: together they hold every pixel the
// shape may cover (see the file comment). Kept between shapes.
std::vector<pixel_run> runs;

// Where round(minor_d * i / n) lies as i steps: the quotient and remainder
// of (2 * minor_d * i + n) by 2n, moved on by a fixed step without dividing.
struct nearest_across {
    int64_t q, r, two_n, dq, dr;
    nearest_across(int64_t minor_d, int64_t n, int64_t i, int64_t step) : two_n(2 * n)
    {
        int64_t v = 2 * minor_d * i + n;
        q = floor_div(v, two_n);
        r = v - q * two_n;
        dq = floor_div(2 * minor_d * step, two_n);
        dr = 2 * minor_d * step - dq * two_n;
    }
    void
    advance()
    {
        q += dq;
        r += dr;
        if (r >= two_n) {
            r -= two_n;
            q++;
        }
    }
};

// The runs of a zero-width line, a cell's width of steps along its major
// axis each; none when the line is wholly off the window.
void
line_runs(int x0, int y0, int x1, int y1)
{
    runs.clear();
    if ((x0 < -1 && x1 < -1) || (y0 < -1 && y1 < -1) || (x0 > window_w && x1 > window_w) ||
        (y0 > window_h && y1 > window_h))
        return;
    int dx = x1 - x0, dy = y1 - y0;
    bool steep = std::abs(dy) > std::abs(dx);
    int n = steep ? std::abs(dy) : std::abs(dx);
    if (n == 0) {
        runs.push_back({x0 - 1, y0 - 1, x0 + 1, y0 + 1});
        return;
    }
    int major_step = (steep ? dy : dx) < 0 ? -1 : 1;
    int64_t minor_d = steep ? dx : dy;
    constexpr int kRun = 1 << kCellShift;
    // The nearest pixel across at the first and the last step of each run.
    nearest_across first(minor_d, n, 0, kRun), last(minor_d, n, kRun - 1, kRun);
    for (int i = 0; i <= n; i += kRun, first.advance(), last.advance()) {
        int j = i + kRun - 1;
        int a = static_cast<int>(first.q);
        int b = j <= n ? static_cast<int>(last.q)
                       : static_cast<int>(floor_div(2 * minor_d * n + n, 2 * int64_t(n)));
        if (j > n)
            j = n;
        int lo = (a < b ? a : b) - 1, hi = (a < b ? b : a) + 1;
        int m0 = major_step * i, m1 = major_step * j;
        if (m1 < m0)
            std::swap(m0, m1);
        if (steep)
            runs.push_back({x0 + lo, y0 + m0, x0 + hi, y0 + m1});
        else
            runs.push_back({x0 + m0, y0 + lo, x0 + m1, y0 + hi});
    }
}

// Calls cell(entry) for the map's entry of every cell that pixels
// (x0..x1, y0..y1) meet inside the window.
template <typename Cell>
void
visit_cells(int x0, int y0, int x1, int y1, Cell cell)
{
    if (x1 < 0 || y1 < 0 || x0 >= window_w || y0 >= window_h)
        return;
    int cx0 = (x0 < 0 ? 0 : x0) >> kCellShift, cx1 = (x1 >= window_w ? window_w - 1 : x1) >> kCellShift;
    int cy0 = (y0 < 0 ? 0 : y0) >> kCellShift, cy1 = (y1 >= window_h ? window_h - 1 : y1) >> kCellShift;
    for (int cy = cy0; cy <= cy1; cy++) {
        uint32_t *row = cover.data() + static_cast<size_t>(cy) * static_cast<size_t>(cells_w);
        for (int cx = cx0; cx <= cx1; cx++)
            cell(row[cx]);
    }
}

uint32_t
mark_of_generation()
{
    return generation << 16;
}

void
start_generation()
{
    if (++generation > 0xffff) {
        std::fill(cover.begin(), cover.end(), 0u);
        generation = 1;
    }
}

void
send_layers()
{
    for (uint32_t l = 0; l < layers_used; l++) {
        layer &shapes = layers[l];
        XSetForeground(D, Gc, shapes.pixel);
        if (!shapes.segments.empty())
            XDrawSegments(D, W, Gc, shapes.segments.data(), static_cast<int>(shapes.segments.size()));
        if (!shapes.arcs.empty())
            XDrawArcs(D, W, Gc, shapes.arcs.data(), static_cast<int>(shapes.arcs.size()));
        if (!shapes.points.empty())
            XDrawPoints(D, W, Gc, shapes.points.data(), static_cast<int>(shapes.points.size()),
                        CoordModeOrigin);
        shapes.segments.clear();
        shapes.arcs.clear();
        shapes.points.clear();
    }
    layers_used = 0;
    for (std::vector<uint32_t> &own : layers_of)
        own.clear();
    start_generation();
}

// The layer a shape of colour c whose pixels lie in runs goes into, its
// pixels then covered by it: the lowest layer of its colour at or above
// every layer covering those pixels, or a new layer on top. Pixels outside
// the window are passed over.
layer &
gather_shape(int c)
{
    const uint32_t mark = generation << 16;
    uint32_t lowest = 0; // 1 + the highest layer under the shape, 0 for none
    for (const pixel_run &run : runs)
        visit_cells(run.x0, run.y0, run.x1, run.y1, [&](uint32_t e) {
            if ((e & 0xffff0000u) == mark && (e & 0xffffu) > lowest)
                lowest = e & 0xffffu;
        });
    std::vector<uint32_t> &own = layers_of[c];
    auto at = std::lower_bound(own.begin(), own.end(), lowest ? lowest - 1 : 0);
    uint32_t l;
    if (at != own.end()) {
        l = *at;
    } else {
        if (layers_used == kMostLayers)
            send_layers(); // the cover map is cleared too: the shape goes first
        if (layers_used == layers.size())
            layers.emplace_back();
        l = layers_used++;
        layers[l].pixel = Color_Table[c];
        layers_of[c].push_back(l);
    }
    const uint32_t entry = mark_of_generation() | (l + 1);
    for (const pixel_run &run : runs)
        visit_cells(run.x0, run.y0, run.x1, run.y1, [entry](uint32_t &e) { e = entry; });
    shapes_gathered = true;
    return layers[l];
}

// True when a batch is open on the window and the map still fits it; a
// shape that cannot join it sends the batch first.
bool
gathering()
{
    return batch_open && current_draw == W && window_w == Maxx + 1 && window_h == WinMaxy + 1;
}

} // namespace

void
enable_shape_batches(bool on)
{
    send_gathered_shapes();
    batches_on = on;
}

void
open_shape_batch()
{
    if (!batches_on || !D || batch_open)
        return;
    if (window_w != Maxx + 1 || window_h != WinMaxy + 1) {
        window_w = Maxx + 1 > 0 ? Maxx + 1 : 0;
        window_h = WinMaxy + 1 > 0 ? WinMaxy + 1 : 0;
        cells_w = (window_w + (1 << kCellShift) - 1) >> kCellShift;
        cells_h = (window_h + (1 << kCellShift) - 1) >> kCellShift;
        cover.assign(static_cast<size_t>(cells_w) * static_cast<size_t>(cells_h), 0u);
        generation = 1;
    }
    for (std::vector<uint32_t> &own : layers_of)
        own.clear();
    XGCValues values;
    batch_fill_style = XGetGCValues(D, Gc, GCFillStyle, &values) ? values.fill_style : FillSolid;
    batch_open = true;
}

void
close_shape_batch()
{
    send_gathered_shapes();
    batch_open = false;
}

void
send_gathered_shapes()
{
    if (shapes_gathered) {
        send_layers();
        shapes_gathered = false;
        foreground_stale = true;
    }
    if (foreground_stale) {
        XSetForeground(D, Gc, Color_Table[nowcolor]);
        foreground_stale = false;
    }
}

bool
gather_segments(const int16_t *xy, int n, int colour)
{
    if (!gathering()) {
        send_gathered_shapes();
        return false;
    }
    for (int i = 0; i < n; i++) {
        const int16_t *s = xy + 4 * i;
        line_runs(s[0], s[1], s[2], s[3]);
        layer &into = gather_shape(colour);
        into.segments.push_back(XSegment{s[0], s[1], s[2], s[3]});
    }
    return true;
}

bool
gather_circle(int x, int y, int diameter, int colour)
{
    if (!gathering()) {
        send_gathered_shapes();
        return false;
    }
    if (diameter < 0 || diameter > kWidestCircle) {
        send_gathered_shapes();
        return false;
    }
    runs.assign(1, {x - 1, y - 1, x + diameter + 1, y + diameter + 1});
    layer &into = gather_shape(colour);
    into.arcs.push_back(XArc{static_cast<short>(x), static_cast<short>(y),
                             static_cast<unsigned short>(diameter),
                             static_cast<unsigned short>(diameter), 0, 360 * 64});
    return true;
}

bool
gather_point(int x, int y, int colour)
{
    if (!gathering()) {
        send_gathered_shapes();
        return false;
    }
    runs.assign(1, {x, y, x, y});
    layer &into = gather_shape(colour);
    into.points.push_back(XPoint{static_cast<short>(x), static_cast<short>(y)});
    return true;
}

bool
defer_foreground()
{
    if (!batch_open)
        return false;
    foreground_stale = true;
    return true;
}

void
before_fill_style(int style)
{
    if (!batch_open)
        return;
    if (style != batch_fill_style)
        send_gathered_shapes();
    batch_fill_style = style;
}
