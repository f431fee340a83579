// The shape batch (shape_batch.h): layers of one colour each, and a cover
// map of the window saying, for every cell of 4 x 4 pixels, the highest
// layer holding a gathered shape that may touch a pixel of the cell. Start
// at gather_shape: a shape goes into the lowest layer of its colour at or
// above every layer covering a pixel it may touch, else into a new layer on
// top; it is left out when that layer holds the same shape already, and an
// earlier same shape in a lower layer is buried (left out when sent);
// send_layers draws the layers in order through a GC per colour, at most
// three requests a layer and no colour change between them.
//
// Why the picture is unchanged: two shapes of one colour drawn with the one
// GC (function copy) give the same pixels in either order, so only shapes
// of different colours that share a pixel must keep their order. A shape
// placed in layer l has every earlier shape that may share a pixel with it
// in a layer at or below l (the cover map's entry under that pixel), and
// shapes of one layer are one colour, so it still lands on top of each. A
// shape already in layer l, drawn there again, would set no pixel that the
// first one does not set in the same colour at the same moment; a shape
// buried under the same shape in a higher layer has each of its pixels set
// again later, in whatever colour the later one has, so it is never the
// last to set one.
//
// The pixels a shape may touch are a superset of those the server draws:
// for a zero-width line, the pixel nearest the true line in each column (or
// row, for steep lines) and its two neighbours across, taken four columns
// at a time as the rectangle that holds them (a line shorter than
// kOneRunSteps as its box widened by one across); for a circle, its
// bounding box widened by one; for a filled rectangle (solid fill style
// only), its own pixels. Pixels outside the window hold nothing, so
// their order does not matter: the map covers the window only, and a shape
// with no pixel it may touch inside the window is left out. Wide circles
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
    int colour = 0;
    std::vector<XSegment> segments;
    std::vector<XArc> arcs;
    std::vector<XPoint> points;
    std::vector<XRectangle> fills;
    uint32_t buried = 0; // shapes set to a buried form (see bury_shape)
};

bool batches_on = true;
bool batch_open = false;
bool shapes_gathered = false;
bool foreground_stale = false;
int batch_fill_style = FillSolid;

std::vector<layer> layers; // layers[0 .. layers_used-1] hold shapes
uint32_t layers_used = 0;
std::vector<uint32_t> layers_of[256]; // per colour index, its layers in order
std::vector<int> colours_used;        // the colours with layers, in no order

// A GC per colour of the open batch: Gc but for its foreground, so that the
// layers go out with no change of colour between them. Made on first use
// in a batch and freed when the batch closes.
GC colour_gcs[256];

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

// A rectangle of cells of the map, corners inclusive.
struct cell_box {
    int cx0, cy0, cx1, cy1;
    bool
    operator==(const cell_box &o) const
    {
        return cx0 == o.cx0 && cy0 == o.cy0 && cx1 == o.cx1 && cy1 == o.cy1;
    }
};

// The cells of the long line being gathered (line_runs): together they
// hold every pixel in the window the line may cover (see the file comment).
// Kept between shapes.
std::vector<cell_box> cells;

// The highest entry of the map over box. Most shapes of a field cover at
// most 2 x 2 cells (a spot's box of 5 x 5 pixels always spans two cells
// each way), read without loops.
inline uint32_t
highest_cover(const uint32_t *map, size_t w, const cell_box &box)
{
    const uint32_t *row = map + static_cast<size_t>(box.cy0) * w + static_cast<size_t>(box.cx0);
    const int nx = box.cx1 - box.cx0, ny = box.cy1 - box.cy0;
    if (nx <= 1 && ny <= 1) {
        uint32_t highest = std::max(row[0], row[nx]);
        return ny ? std::max(highest, std::max(row[w], row[w + static_cast<size_t>(nx)])) : highest;
    }
    uint32_t highest = 0;
    for (int y = 0; y <= ny; y++, row += w)
        for (int x = 0; x <= nx; x++)
            highest = std::max(highest, row[x]);
    return highest;
}

// Sets the map's entries over box to entry (the box copied first: the
// stores may alias its ints).
inline void
set_cover(uint32_t *map, size_t w, cell_box box, uint32_t entry)
{
    uint32_t *row = map + static_cast<size_t>(box.cy0) * w + static_cast<size_t>(box.cx0);
    const int nx = box.cx1 - box.cx0, ny = box.cy1 - box.cy0;
    if (nx <= 1 && ny <= 1) {
        row[0] = row[nx] = entry;
        if (ny)
            row[w] = row[w + static_cast<size_t>(nx)] = entry;
        return;
    }
    for (int y = 0; y <= ny; y++, row += w)
        for (int x = 0; x <= nx; x++)
            row[x] = entry;
}

// The cells that pixels (x0..x1, y0..y1) meet inside the window, in box;
// false when none of them lies inside.
inline bool
cells_of_pixels(int x0, int y0, int x1, int y1, cell_box &box)
{
    if (x1 < 0 || y1 < 0 || x0 >= window_w || y0 >= window_h)
        return false;
    box = cell_box{(x0 < 0 ? 0 : x0) >> kCellShift, (y0 < 0 ? 0 : y0) >> kCellShift,
                   (x1 >= window_w ? window_w - 1 : x1) >> kCellShift,
                   (y1 >= window_h ? window_h - 1 : y1) >> kCellShift};
    return true;
}

// Adds the cells that pixels (x0..x1, y0..y1) meet inside the window.
inline void
add_pixels(int x0, int y0, int x1, int y1)
{
    cell_box box;
    if (cells_of_pixels(x0, y0, x1, y1, box) && (cells.empty() || !(cells.back() == box)))
        cells.push_back(box); // a line's runs often share cells
}

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

// A line of fewer steps along its major axis is taken as one run: its box
// widened by one across holds every run's pixels, and costs no division
// (most edges of a field are a few pixels long).
constexpr int kOneRunSteps = 4 << kCellShift;

// The steps m in 0..n whose nearest pixel across, round(minor_d * m / n),
// lies in lo..hi: an interval, as it moves one way only. Returned as
// [first, last], empty when first > last.
struct step_span {
    int64_t first, last;
};

step_span
steps_across_within(int64_t minor_d, int64_t n, int64_t lo, int64_t hi)
{
    // round(minor_d * m / n) = floor((2 minor_d m + n) / 2n): it is at least
    // lo when 2 minor_d m >= 2n lo - n, at most hi when 2 minor_d m < 2n hi + n.
    const int64_t from = 2 * n * lo - n, below = 2 * n * hi + n;
    if (minor_d == 0)
        return 0 >= from && 0 < below ? step_span{0, n} : step_span{1, 0};
    if (minor_d > 0) {
        const int64_t d = 2 * minor_d;
        return step_span{-floor_div(-from, d), floor_div(below - 1, d)};
    }
    // -d m >= from and -d m < below, for d = -2 minor_d > 0.
    const int64_t d = -2 * minor_d;
    return step_span{-floor_div(below - 1, d), floor_div(-from, d)};
}

// The runs of a zero-width line of n steps along its major axis (at least
// kOneRunSteps), a cell's width of steps each, into cells; none when the
// line is wholly off the window. The line is clipped to the window first:
// only the runs whose steps may hold a pixel in the window, along and
// across, are walked (with one step to spare at each end; add_pixels drops
// whatever lies outside), so an edge reaching far past the window costs no
// more than its part inside.
void
line_runs(int x0, int y0, int x1, int y1, bool steep, int n)
{
    cells.clear();
    const int dx = x1 - x0, dy = y1 - y0;
    int major_step = (steep ? dy : dx) < 0 ? -1 : 1;
    int64_t minor_d = steep ? dx : dy;
    constexpr int kRun = 1 << kCellShift;
    // The steps inside the window along the major axis (the pixel at step m
    // is major0 + major_step * m), then across (a run's pixels across reach
    // one past its nearest ones).
    const int64_t major0 = steep ? y0 : x0, minor0 = steep ? x0 : y0;
    const int64_t major_w = steep ? window_h : window_w, minor_w = steep ? window_w : window_h;
    int64_t first_step = major_step > 0 ? -major0 : major0 - (major_w - 1);
    int64_t last_step = major_step > 0 ? major_w - 1 - major0 : major0;
    const step_span across = steps_across_within(minor_d, n, -minor0 - 1, minor_w - minor0);
    first_step = std::max<int64_t>({first_step, across.first, 0}) - 1;
    last_step = std::min<int64_t>({last_step, across.last, n}) + 1;
    // A run may meet the window when it ends at or after first_step and
    // starts at or before last_step (even with no step in both spans: a run
    // passing a corner has one step in each).
    const int64_t first_run = std::max<int64_t>(floor_div(first_step, kRun), 0) * kRun;
    const int64_t last_run = std::min<int64_t>(last_step, n);
    // The nearest pixel across at the first and the last step of each run.
    nearest_across first(minor_d, n, first_run, kRun), last(minor_d, n, first_run + kRun - 1, kRun);
    for (int i = static_cast<int>(first_run); i <= last_run; i += kRun, first.advance(), last.advance()) {
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
            add_pixels(x0 + lo, y0 + m0, x0 + hi, y0 + m1);
        else
            add_pixels(x0 + m0, y0 + lo, x0 + m1, y0 + hi);
    }
}

// Where the cells of a shape were put.
enum class shape_cells { none, one, list };

// The cells of a zero-width line: none when it lies wholly off the window;
// one box (in one) for a point or a line shorter than kOneRunSteps, its box
// widened by one across (most edges of a field are a few pixels long);
// else its runs, in cells (line_runs).
shape_cells
line_cells(int x0, int y0, int x1, int y1, cell_box &one)
{
    if ((x0 < -1 && x1 < -1) || (y0 < -1 && y1 < -1) || (x0 > window_w && x1 > window_w) ||
        (y0 > window_h && y1 > window_h))
        return shape_cells::none;
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const bool steep = dy > dx;
    const int n = steep ? dy : dx;
    if (n >= kOneRunSteps) {
        line_runs(x0, y0, x1, y1, steep, n);
        return cells.empty() ? shape_cells::none : shape_cells::list;
    }
    const int left = std::min(x0, x1), right = std::max(x0, x1);
    const int top = std::min(y0, y1), bottom = std::max(y0, y1);
    const bool inside = n == 0  ? cells_of_pixels(x0 - 1, y0 - 1, x0 + 1, y0 + 1, one)
                        : steep ? cells_of_pixels(left - 1, top, right + 1, bottom, one)
                                : cells_of_pixels(left, top - 1, right, bottom + 1, one);
    return inside ? shape_cells::one : shape_cells::none;
}

// A shape by its request form: its kind and coordinates.
struct shape_key {
    uint64_t coords; // four 16-bit coordinates (a point, circle: x, y, diameter)
    uint32_t kind;   // 0 segment, 1 circle, 2 point, 3 filled rectangle
};

// The shape gathered last in this generation (kind kNoShape when none),
// with its colour. The same shape again straight after lands in the same
// layer and sets no pixel anew: the map over its cells says that layer and
// no higher one. So it is left out before its cells are worked out; a field
// draws many such repeats, the children of a fan that fall on one pixel
// with their edges and spots.
constexpr uint32_t kNoShape = 4;
shape_key last_shape{0, kNoShape};
int last_colour = 0;

inline bool
repeats_last_shape(shape_key key, int c)
{
    return key.coords == last_shape.coords && key.kind == last_shape.kind && c == last_colour;
}

inline void
note_last_shape(shape_key key, int c)
{
    last_shape = key;
    last_colour = c;
}

// The shapes gathered in this generation, by key, with where the last of
// them went, in a table of open addressing small enough to stay in the
// second-level cache (16 bytes an entry, 128 KiB): once three quarters of
// it are used, later shapes of the generation are not noted (a repeat
// missed is only drawn twice). A generation of a field holds a few thousand
// shapes at most, as the tree sends its shapes at each key poll.
struct noted_shape {
    uint64_t coords;
    uint32_t index;      // in the layer's list of its kind
    uint16_t generation; // older ones are free slots
    uint16_t kind_layer; // kind << 12 | layer

    uint32_t
    kind() const
    {
        return kind_layer >> 12u;
    }
    uint32_t
    layer() const
    {
        return kind_layer & 0xfffu;
    }
};
static_assert(kMostLayers <= 0x1000, "a layer fits the 12 low bits of kind_layer");
constexpr int kNotedBits = 13;
constexpr size_t kNotedSlots = size_t(1) << kNotedBits;
constexpr size_t kMostNoted = kNotedSlots / 4 * 3;
std::vector<noted_shape> noted(kNotedSlots);
size_t noted_count = 0;

// Where the search for the shape in the table starts. Its line is fetched
// ahead: the shape's cells are worked out before the table is read.
size_t
first_noted_slot(shape_key key)
{
    uint64_t h = (key.coords ^ (uint64_t(key.kind) << 62)) * 0x9e3779b97f4a7c15ull;
    size_t slot = static_cast<size_t>(h >> (64 - kNotedBits));
    __builtin_prefetch(&noted[slot]);
    return slot;
}

// The table's entry of the shape, searched from first (its
// first_noted_slot): noted in this generation (generation set), or a free
// slot for it; null when the table is full.
noted_shape *
noted_entry(shape_key key, size_t first)
{
    if (noted_count >= kMostNoted)
        return nullptr;
    for (size_t i = first;; i = (i + 1) & (kNotedSlots - 1)) {
        noted_shape &n = noted[i];
        if (n.generation != generation || (n.coords == key.coords && n.kind() == key.kind))
            return &n;
    }
}

// A buried shape lies wholly left of the window, where it sets no pixel;
// send_layers leaves buried shapes out.
constexpr short kBuried = -32768;

bool
is_buried(const XSegment &s)
{
    return s.x1 == kBuried && s.x2 == kBuried;
}

bool
is_buried(const XArc &a)
{
    return a.x == kBuried && a.width == 0;
}

bool
is_buried(const XPoint &p)
{
    return p.x == kBuried;
}

bool
is_buried(const XRectangle &r)
{
    return r.x == kBuried && r.width == 0;
}

// Buries shape index of the given kind in layer l: a later shape of the
// same kind and coordinates, in a higher layer, sets all its pixels after
// it, whatever lies between.
void
bury_shape(uint32_t kind, uint32_t l, uint32_t index)
{
    layer &in = layers[l];
    if (kind == 0)
        in.segments[index] = XSegment{kBuried, kBuried, kBuried, kBuried};
    else if (kind == 1)
        in.arcs[index] = XArc{kBuried, kBuried, 0, 0, 0, 0};
    else if (kind == 2)
        in.points[index] = XPoint{kBuried, kBuried};
    else
        in.fills[index] = XRectangle{kBuried, kBuried, 0, 0};
    in.buried++;
}

// Leaves the buried shapes out of shapes.
template <typename Shape>
void
drop_buried(std::vector<Shape> &shapes)
{
    shapes.erase(std::remove_if(shapes.begin(), shapes.end(),
                                [](const Shape &s) { return is_buried(s); }),
                 shapes.end());
}

uint32_t
mark_of_generation()
{
    return generation << 16;
}

void
start_generation()
{
    noted_count = 0;
    last_shape.kind = kNoShape;
    if (++generation > 0xffff) {
        std::fill(cover.begin(), cover.end(), 0u);
        std::fill(noted.begin(), noted.end(), noted_shape{});
        generation = 1;
    }
}

// Brings colour c's GC in line with Gc as it is now (clip, fill style and
// the rest, all that the shapes were gathered under: whatever changes them
// sends the batch first) and gives it c's pixel.
void
match_colour_gc(int c)
{
    constexpr unsigned long kAllButColours =
        ((1ul << (GCLastBit + 1)) - 1) & ~(GCForeground | GCBackground | GCFont);
    GC &gc = colour_gcs[c];
    if (!gc)
        gc = XCreateGC(D, W, 0, nullptr);
    XCopyGC(D, Gc, kAllButColours, gc);
    XSetForeground(D, gc, Color_Table[c]);
}

void
send_layers()
{
    for (int c : colours_used)
        match_colour_gc(c);
    for (uint32_t l = 0; l < layers_used; l++) {
        layer &shapes = layers[l];
        if (shapes.buried) {
            drop_buried(shapes.segments);
            drop_buried(shapes.arcs);
            drop_buried(shapes.points);
            drop_buried(shapes.fills);
            shapes.buried = 0;
        }
        GC gc = colour_gcs[shapes.colour];
        if (!shapes.segments.empty())
            XDrawSegments(D, W, gc, shapes.segments.data(), static_cast<int>(shapes.segments.size()));
        if (!shapes.arcs.empty())
            XDrawArcs(D, W, gc, shapes.arcs.data(), static_cast<int>(shapes.arcs.size()));
        if (!shapes.points.empty())
            XDrawPoints(D, W, gc, shapes.points.data(), static_cast<int>(shapes.points.size()),
                        CoordModeOrigin);
        if (!shapes.fills.empty())
            XFillRectangles(D, W, gc, shapes.fills.data(), static_cast<int>(shapes.fills.size()));
        shapes.segments.clear();
        shapes.arcs.clear();
        shapes.points.clear();
        shapes.fills.clear();
    }
    layers_used = 0;
    for (int c : colours_used)
        layers_of[c].clear();
    colours_used.clear();
    start_generation();
}

// The layer a shape of colour c whose pixels lie in cells goes into: the
// lowest layer of its colour at or above every layer covering those cells,
// or a new layer on top. Null when the same shape, by its key, is in that
// layer already: drawn again in the same colour it would change no pixel,
// and the map already says that layer over all its cells (entries only
// grow, and none is above it). Otherwise the same shape gathered earlier
// in a lower layer, if any, is buried, and the cells (count boxes from
// boxes) are marked as covered by the layer. slot is first_noted_slot(key).
// Inlined into each caller, so that a shape of one box (a spot, a short
// line, a point) takes no loop over boxes.
[[gnu::always_inline]] inline layer *
gather_shape(int c, shape_key key, size_t slot, const cell_box *boxes, size_t count)
{
    // The map and the generation in locals: stores to the map would make
    // the compiler read them again otherwise.
    uint32_t *const map = cover.data();
    const size_t w = static_cast<size_t>(cells_w);
    // Entries of older generations are below mark, those of this one above.
    const uint32_t gen = generation, mark = gen << 16;
    uint32_t highest = 0;
    for (size_t b = 0; b < count; b++)
        highest = std::max(highest, highest_cover(map, w, boxes[b]));
    noted_shape *n = noted_entry(key, slot);
    // The same shape noted in a layer of its colour that is the highest
    // under its cells: that is the layer it would go into.
    if (n && n->generation == gen && highest == (mark | (n->layer() + 1)) && layers[n->layer()].colour == c)
        return nullptr;
    // 1 + the highest layer under the shape, 0 for none.
    const uint32_t lowest = highest > mark ? highest - mark : 0;
    std::vector<uint32_t> &own = layers_of[c];
    const uint32_t need = lowest ? lowest - 1 : 0;
    // Mostly the top layer of the colour, else the first at or above need.
    auto at = own.empty() || own.back() < need                 ? own.end()
              : own.size() == 1 || own[own.size() - 2] < need ? own.end() - 1
                                                              : std::lower_bound(own.begin(), own.end(), need);
    uint32_t l;
    if (at != own.end()) {
        l = *at;
    } else {
        if (layers_used == kMostLayers) {
            send_layers(); // the cover map is cleared too: the shape goes first
            n = noted_entry(key, slot);
        }
        if (layers_used == layers.size())
            layers.emplace_back();
        l = layers_used++;
        layers[l].colour = c;
        if (own.empty())
            colours_used.push_back(c);
        own.push_back(l);
    }
    layer &into = layers[l];
    if (n) {
        if (n->generation == generation) // the shape lies in a lower layer
            bury_shape(n->kind(), n->layer(), n->index);
        else
            noted_count++;
        const size_t index = key.kind == 0   ? into.segments.size()
                             : key.kind == 1 ? into.arcs.size()
                             : key.kind == 2 ? into.points.size()
                                             : into.fills.size();
        *n = noted_shape{key.coords, static_cast<uint32_t>(index), static_cast<uint16_t>(generation),
                         static_cast<uint16_t>(key.kind << 12 | l)};
    }
    const uint32_t entry = mark_of_generation() | (l + 1); // a send above starts a generation
    for (size_t b = 0; b < count; b++)
        set_cover(map, w, boxes[b], entry);
    shapes_gathered = true;
    return &into;
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
        std::fill(noted.begin(), noted.end(), noted_shape{});
        noted_count = 0;
        last_shape.kind = kNoShape;
        generation = 1;
    }
    XGCValues values;
    batch_fill_style = XGetGCValues(D, Gc, GCFillStyle, &values) ? values.fill_style : FillSolid;
    batch_open = true;
}

void
close_shape_batch()
{
    send_gathered_shapes();
    batch_open = false;
    for (GC &gc : colour_gcs)
        if (gc) {
            XFreeGC(D, gc);
            gc = nullptr;
        }
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
        uint64_t coords = uint64_t(uint16_t(s[0])) << 48 | uint64_t(uint16_t(s[1])) << 32 |
                          uint64_t(uint16_t(s[2])) << 16 | uint16_t(s[3]);
        const shape_key key{coords, 0};
        if (repeats_last_shape(key, colour))
            continue;
        const size_t slot = first_noted_slot(key);
        cell_box one;
        const shape_cells where = line_cells(s[0], s[1], s[2], s[3], one);
        if (where == shape_cells::none)
            continue; // it sets no pixel in the window
        layer *into = where == shape_cells::one ? gather_shape(colour, key, slot, &one, 1)
                                                : gather_shape(colour, key, slot, cells.data(), cells.size());
        if (into)
            into->segments.push_back(XSegment{s[0], s[1], s[2], s[3]});
        note_last_shape(key, colour);
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
    const shape_key key{uint64_t(uint16_t(x)) << 32 | uint64_t(uint16_t(y)) << 16 | uint16_t(diameter), 1};
    if (repeats_last_shape(key, colour))
        return true;
    const size_t slot = first_noted_slot(key);
    cell_box box;
    if (!cells_of_pixels(x - 1, y - 1, x + diameter + 1, y + diameter + 1, box))
        return true; // it sets no pixel in the window
    if (layer *into = gather_shape(colour, key, slot, &box, 1))
        into->arcs.push_back(XArc{static_cast<short>(x), static_cast<short>(y),
                                  static_cast<unsigned short>(diameter),
                                  static_cast<unsigned short>(diameter), 0, 360 * 64});
    note_last_shape(key, colour);
    return true;
}

bool
gather_point(int x, int y, int colour)
{
    if (!gathering()) {
        send_gathered_shapes();
        return false;
    }
    const shape_key key{uint64_t(uint16_t(x)) << 16 | uint16_t(y), 2};
    if (repeats_last_shape(key, colour))
        return true;
    const size_t slot = first_noted_slot(key);
    cell_box box;
    if (!cells_of_pixels(x, y, x, y, box))
        return true; // it sets no pixel in the window
    if (layer *into = gather_shape(colour, key, slot, &box, 1))
        into->points.push_back(XPoint{static_cast<short>(x), static_cast<short>(y)});
    note_last_shape(key, colour);
    return true;
}

bool
gather_fill(int x0, int y0, int x1, int y1, int colour)
{
    if (!gathering() || batch_fill_style != FillSolid || x1 < x0 || y1 < y0 || x1 - x0 >= 0xffff ||
        y1 - y0 >= 0xffff || x0 < -0x8000 || y0 < -0x8000 || x0 > 0x7fff || y0 > 0x7fff) {
        send_gathered_shapes();
        return false;
    }
    const shape_key key{uint64_t(uint16_t(x0)) << 48 | uint64_t(uint16_t(y0)) << 32 |
                            uint64_t(uint16_t(x1)) << 16 | uint16_t(y1),
                        3};
    if (repeats_last_shape(key, colour))
        return true;
    const size_t slot = first_noted_slot(key);
    cell_box box;
    if (!cells_of_pixels(x0, y0, x1, y1, box))
        return true; // it sets no pixel in the window
    if (layer *into = gather_shape(colour, key, slot, &box, 1))
        into->fills.push_back(XRectangle{static_cast<short>(x0), static_cast<short>(y0),
                                         static_cast<unsigned short>(x1 - x0 + 1),
                                         static_cast<unsigned short>(y1 - y0 + 1)});
    note_last_shape(key, colour);
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
