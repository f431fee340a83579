// The shape batch (shape_batch.h): layers of one colour each, and a cover
// map of the window saying, for every pixel a gathered shape may touch, the
// highest layer among those shapes. Start at gather_shape: a shape goes into
// the newest layer of its colour when no pixel it may touch is covered by a
// higher layer, else into a new layer on top; send_layers draws the layers
// in order, one colour change and at most three requests each.
//
// Why the picture is unchanged: two shapes of one colour drawn with the one
// GC (function copy) give the same pixels in either order, so only shapes
// of different colours that share a pixel must keep their order. A shape
// placed in layer l sees every earlier shape that may share a pixel with it
// in a layer at or below l, so it still lands on top of each of them.
//
// The pixels a shape may touch are a superset of those the server draws:
// for a zero-width line, the pixel nearest the true line in each column (or
// row, for steep lines) and its two neighbours across; for a circle, its
// bounding box widened by one. Shapes that reach outside the window, and
// wide circles, are not gathered: the batch is sent and they go at once.
#include "ui/screen/shape_batch.h"

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
int32_t newest_layer[256]; // per colour index, its newest layer or -1

// Per pixel (row by row, cover_w wide): generation << 16 | (layer + 1);
// entries of an older generation cover nothing. A send starts a generation.
std::vector<uint32_t> cover;
int cover_w = 0, cover_h = 0;
uint32_t generation = 1;

// floor(a / b) for b > 0.
int
floor_div(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Calls touch(x, y) for every pixel the shape may cover (see the file
// comment); stops early when touch returns false.
template <typename Touch>
void
visit_line(int x0, int y0, int x1, int y1, Touch touch)
{
    int dx = x1 - x0, dy = y1 - y0;
    bool steep = std::abs(dy) > std::abs(dx);
    int n = steep ? std::abs(dy) : std::abs(dx);
    int major_step = (steep ? dy : dx) < 0 ? -1 : 1;
    int minor_d = steep ? dx : dy;
    for (int i = 0; i <= n; i++) {
        // The nearest pixel across: round(minor0 + minor_d * i / n).
        int across = n ? floor_div(2 * minor_d * i + n, 2 * n) : 0;
        for (int k = -1; k <= 1; k++) {
            bool going = steep ? touch(x0 + across + k, y0 + major_step * i)
                               : touch(x0 + major_step * i, y0 + across + k);
            if (!going)
                return;
        }
    }
}

template <typename Touch>
void
visit_box(int x0, int y0, int x1, int y1, Touch touch)
{
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++)
            if (!touch(x, y))
                return;
}

bool
inside_cover(int x0, int y0, int x1, int y1)
{
    return x0 >= 0 && y0 >= 0 && x1 < cover_w && y1 < cover_h;
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
    for (int32_t &l : newest_layer)
        l = -1;
    start_generation();
}

// The layer a shape of colour c whose pixels visit(touch) lists goes into,
// its pixels then covered by it. visit must list pixels inside the map.
template <typename Visit>
layer &
gather_shape(int c, Visit visit)
{
    const uint32_t mark = generation << 16;
    int32_t l = newest_layer[c];
    if (l >= 0) {
        // A pixel covered by a later layer: the shape must go above it.
        const uint32_t limit = mark | static_cast<uint32_t>(l + 1);
        visit([&](int x, int y) {
            uint32_t e = cover[static_cast<size_t>(y) * cover_w + x];
            if ((e & 0xffff0000u) == mark && e > limit)
                l = -1;
            return l >= 0;
        });
    }
    if (l < 0) {
        if (layers_used == kMostLayers)
            send_layers();
        if (layers_used == layers.size())
            layers.emplace_back();
        l = static_cast<int32_t>(layers_used++);
        layers[l].pixel = Color_Table[c];
        newest_layer[c] = l;
    }
    const uint32_t entry = (generation << 16) | static_cast<uint32_t>(l + 1);
    visit([&](int x, int y) {
        cover[static_cast<size_t>(y) * cover_w + x] = entry;
        return true;
    });
    shapes_gathered = true;
    return layers[l];
}

// True when a batch is open on the window; a shape that cannot join it
// sends the batch first.
bool
gathering()
{
    return batch_open && current_draw == W;
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
    int w = Maxx + 1, h = WinMaxy + 1;
    if (w != cover_w || h != cover_h) {
        cover_w = w > 0 ? w : 0;
        cover_h = h > 0 ? h : 0;
        cover.assign(static_cast<size_t>(cover_w) * static_cast<size_t>(cover_h), 0u);
        generation = 1;
    }
    for (int32_t &l : newest_layer)
        l = -1;
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
        int x0 = s[0] < s[2] ? s[0] : s[2], x1 = s[0] < s[2] ? s[2] : s[0];
        int y0 = s[1] < s[3] ? s[1] : s[3], y1 = s[1] < s[3] ? s[3] : s[1];
        if (!inside_cover(x0 - 1, y0 - 1, x1 + 1, y1 + 1)) {
            send_gathered_shapes();
            return false;
        }
    }
    for (int i = 0; i < n; i++) {
        const int16_t *s = xy + 4 * i;
        layer &into = gather_shape(colour, [s](auto touch) { visit_line(s[0], s[1], s[2], s[3], touch); });
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
    if (diameter < 0 || diameter > kWidestCircle ||
        !inside_cover(x - 1, y - 1, x + diameter + 1, y + diameter + 1)) {
        send_gathered_shapes();
        return false;
    }
    layer &into = gather_shape(colour, [=](auto touch) {
        visit_box(x - 1, y - 1, x + diameter + 1, y + diameter + 1, touch);
    });
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
    if (!inside_cover(x, y, x, y)) {
        send_gathered_shapes();
        return false;
    }
    layer &into = gather_shape(colour, [=](auto touch) { touch(x, y); });
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
