// The layer of labels kept on top (label_layer.h). The window record calls
// in after each drawing it records; a label a stroke crosses is written
// again through the drawing primitives, so that the record and the draw
// check see it drawn over the stroke, as a user does. A pattern is kept as
// a label is, its bytes in place of the text and its owner's function
// drawing it in place of the background and text. Start at
// write_top_label, then labels_crossed_by_segments (a field's edges).
//
// The labels are indexed by the 64-pixel squares of the window their
// rectangles meet, so that a drawing looks only at the labels of the
// squares it reaches: a field draws millions of edges, most of them far
// from any label. Squares are numbered by clamping to the grid, so that a
// rectangle partly off the window falls in the edge squares and two
// rectangles that meet always share a square.
#include "ui/screen/label_layer.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/segment_clip.h"
#include "ui/screen/window_record.h"

namespace {

constexpr int kSquare = 64;

struct top_label {
    // The text; for a pattern, its bytes, and the function that draws it
    // with them and how (nullptr for a text).
    std::string text;
    top_pattern_drawer pattern;
    uint8_t how;
    // The top-left corner of its line, its line metrics and the viewport it
    // was written in: what it is written again with. Kept unrounded, as a
    // resize scales them.
    float x, y, line_height, char_width;
    float clip_x0, clip_y0, clip_x1, clip_y1;
    font_use font;
    uint8_t colour, back;
    label_rect box;   // top_label_rect of it, as it lies now
    uint32_t written; // the drawing that ended its first writing
    uint32_t covered; // the drawing that came to stand over it, or 0
    uint32_t found;   // the last search that found it (each is found once)
    bool gone;
};

std::vector<top_label> labels;
size_t live = 0;
// While the layer writes a label again, its own drawings reach the record's
// calls: they change nothing here.
bool writing = false;

// The index: for each square, row by row, the labels whose rectangles meet
// it, and the window's size the grid was made for.
int columns = 0, rows = 0, grid_width = 0, grid_height = 0;
std::vector<std::vector<uint32_t>> in_square;
uint32_t searches = 0;
// The labels a batch of strokes crossed, each written again once.
std::vector<uint32_t> crossed;

int
round_to_pixel(float v)
{
    return static_cast<int>(std::lround(v));
}

bool
meets(const label_rect &b, int x0, int y0, int x1, int y1)
{
    return b.x0 <= x1 && b.x1 >= x0 && b.y0 <= y1 && b.y1 >= y0;
}

bool
holds(int x0, int y0, int x1, int y1, const label_rect &b)
{
    return x0 <= b.x0 && y0 <= b.y0 && x1 >= b.x1 && y1 >= b.y1;
}

std::vector<uint32_t> &
square(int r, int c)
{
    return in_square[static_cast<size_t>(r) * static_cast<size_t>(columns) + static_cast<size_t>(c)];
}

void
index_label(uint32_t i)
{
    const label_rect &b = labels[i].box;
    const int c0 = std::clamp(b.x0 / kSquare, 0, columns - 1), c1 = std::clamp(b.x1 / kSquare, 0, columns - 1);
    const int r0 = std::clamp(b.y0 / kSquare, 0, rows - 1), r1 = std::clamp(b.y1 / kSquare, 0, rows - 1);
    for (int r = r0; r <= r1; r++)
        for (int c = c0; c <= c1; c++)
            square(r, c).push_back(i);
}

// The grid made again for the window's size, with the labels not gone
// (kept in their order, the others dropped).
void
rebuild_index()
{
    labels.erase(std::remove_if(labels.begin(), labels.end(), [](const top_label &l) { return l.gone; }),
                 labels.end());
    live = labels.size();
    grid_width = Maxx + 1;
    grid_height = WinMaxy + 1;
    columns = std::max(1, (grid_width + kSquare - 1) / kSquare);
    rows = std::max(1, (grid_height + kSquare - 1) / kSquare);
    // The lists keep their room, so that a field allocates nothing here
    // once its busiest squares were seen.
    in_square.resize(static_cast<size_t>(columns) * static_cast<size_t>(rows));
    for (std::vector<uint32_t> &list : in_square)
        list.clear();
    for (uint32_t i = 0; i < labels.size(); i++)
        index_label(i);
}

// Calls take(i) for each label not gone whose rectangle meets the one
// given (corners in any order), in no order, until it takes it: a label
// taken in the search numbered search is not offered again in it.
template <typename Take>
void
each_label_meeting(int x0, int y0, int x1, int y1, uint32_t search, const Take &take)
{
    const int left = std::min(x0, x1), top = std::min(y0, y1), right = std::max(x0, x1), bottom = std::max(y0, y1);
    const int c0 = std::clamp(left / kSquare, 0, columns - 1), c1 = std::clamp(right / kSquare, 0, columns - 1);
    const int r0 = std::clamp(top / kSquare, 0, rows - 1), r1 = std::clamp(bottom / kSquare, 0, rows - 1);
    for (int r = r0; r <= r1; r++)
        for (int c = c0; c <= c1; c++)
            for (uint32_t i : square(r, c)) {
                top_label &l = labels[i];
                if (!l.gone && l.found != search && meets(l.box, left, top, right, bottom) && take(i))
                    l.found = search;
            }
}

// As above, each label meeting the rectangle taken once.
template <typename F>
void
each_label_meeting(int x0, int y0, int x1, int y1, const F &f)
{
    each_label_meeting(x0, y0, x1, y1, ++searches, [&](uint32_t i) {
        f(i);
        return true;
    });
}

// Left in the lists until the next rebuild; nothing looks at it meanwhile.
void
forget_label(top_label &l)
{
    l.gone = true;
    live--;
}

// Draws a label on its background in its font, line metrics and viewport
// (a pattern by its function, in its viewport); everything it changes is
// put back after.
void
draw_label(const top_label &l)
{
    const int16_t px = getx, py = gety, height = CHeight, width = CWidth;
    const int colour = getcolor(), fill = fillcolor, style = getfillstyle();
    const font_use font = font_in_use();
    const int16_t vx0 = view_x0, vy0 = view_y0, vx1 = view_x1, vy1 = view_y1;
    const int cx0 = round_to_pixel(l.clip_x0), cy0 = round_to_pixel(l.clip_y0);
    const int cx1 = round_to_pixel(l.clip_x1), cy1 = round_to_pixel(l.clip_y1);
    const bool clip = cx0 != vx0 || cy0 != vy0 || cx1 != vx1 || cy1 != vy1;
    if (clip)
        setviewport(cx0, cy0, cx1, cy1, 1);
    if (l.pattern) {
        l.pattern(round_to_pixel(l.x), round_to_pixel(l.y), reinterpret_cast<const uint8_t *>(l.text.data()),
                  l.colour, l.how);
    } else {
        use_font(l.font);
        CHeight = static_cast<int16_t>(round_to_pixel(l.line_height));
        CWidth = static_cast<int16_t>(round_to_pixel(l.char_width));
        setfillstyle(0, l.back);
        bar(l.box.x0, l.box.y0, l.box.x1, l.box.y1);
        setcolor(l.colour);
        moveto(round_to_pixel(l.x), round_to_pixel(l.y));
        outtext(l.text.c_str());
        use_font(font);
        CHeight = height;
        CWidth = width;
    }
    setfillstyle(style, fill);
    setcolor(colour);
    if (clip)
        setviewport(vx0, vy0, vx1, vy1, 1);
    moveto(px, py);
}

void
write_again(uint32_t i)
{
    writing = true;
    draw_label(labels[i]);
    writing = false;
}

// Whether the stroke from (x0, y0) to (x1, y1) may set a pixel of the
// rectangle: a pixel of a thin line lies within half a pixel of the true
// line, taken here as one.
bool
stroke_meets(int x0, int y0, int x1, int y1, const label_rect &b)
{
    double t0 = 0, t1 = 1;
    return segment_inside(x0, y0, x1, y1, b.x0 - 1.0, b.y0 - 1.0, b.x1 + 1.0, b.y1 + 1.0, t0, t1);
}

// Gathers the labels not covered that the stroke crosses into crossed,
// each once a batch of strokes.
void
gather_crossed(int x0, int y0, int x1, int y1, uint32_t batch)
{
    each_label_meeting(std::min(x0, x1) - 1, std::min(y0, y1) - 1, std::max(x0, x1) + 1, std::max(y0, y1) + 1,
                       batch, [&](uint32_t i) {
                           if (labels[i].covered || !stroke_meets(x0, y0, x1, y1, labels[i].box))
                               return false;
                           crossed.push_back(i);
                           return true;
                       });
}

// The labels gathered, written again over what crossed them.
void
write_crossed()
{
    for (uint32_t i : crossed)
        write_again(i);
    crossed.clear();
}

// Whether the layer takes note of a drawing now: it holds a label, and the
// drawing is not its own.
bool
watching()
{
    return live > 0 && !writing;
}

// A label (or a pattern, drawn by pattern) at (x, y) over box, in the line
// metrics, viewport and font in use.
top_label
label_at(std::string text, top_pattern_drawer pattern, int how, int x, int y, int colour, int back,
         const label_rect &box)
{
    return {std::move(text),
            pattern,
            static_cast<uint8_t>(how),
            static_cast<float>(x),
            static_cast<float>(y),
            static_cast<float>(CHeight),
            static_cast<float>(CWidth),
            static_cast<float>(view_x0),
            static_cast<float>(view_y0),
            static_cast<float>(view_x1),
            static_cast<float>(view_y1),
            font_in_use(),
            static_cast<uint8_t>(colour),
            static_cast<uint8_t>(back),
            box,
            0,
            0,
            0,
            false};
}

// Draws l and keeps it on top. Drawn before it is kept: what it clears
// stands over the labels it meets, as any fill does.
void
keep_label(top_label &&l)
{
    draw_label(l);
    l.written = window_drawings();
    // Forgotten labels are dropped when they have come to outnumber those
    // kept, so that the lists stay short.
    if (labels.size() > 2 * live + 64 || grid_width != Maxx + 1 || grid_height != WinMaxy + 1)
        rebuild_index();
    labels.push_back(std::move(l));
    live++;
    index_label(static_cast<uint32_t>(labels.size() - 1));
}

} // namespace

label_rect
top_label_rect(int x, int y, const char *text)
{
    int first = y, last = y + CHeight - 1;
    line_ink_rows(y, first, last);
    int left = 0, right = 0;
    text_ink_columns_in_use(text, left, right);
    return {x + std::min(0, left), first, x + std::max(text_width_in_use(text), right - 1), last};
}

void
write_top_label(int x, int y, const char *text, int colour, int back)
{
    keep_label(label_at(text, nullptr, 0, x, y, colour, back, top_label_rect(x, y, text)));
}

void
write_top_pattern(int x, int y, const label_rect &box, const uint8_t *bytes, size_t n, int colour, int how,
                  top_pattern_drawer draw)
{
    keep_label(label_at(std::string(reinterpret_cast<const char *>(bytes), n), draw, how, x, y, colour, 0, box));
}

size_t
top_labels_kept()
{
    return live;
}

void
labels_crossed_by_line(int x0, int y0, int x1, int y1)
{
    if (!watching())
        return;
    gather_crossed(x0, y0, x1, y1, ++searches);
    write_crossed();
}

void
labels_crossed_by_segments(const int16_t *xy, int n)
{
    if (!watching())
        return;
    const uint32_t batch = ++searches;
    for (int i = 0; i < n; i++)
        gather_crossed(xy[4 * i], xy[4 * i + 1], xy[4 * i + 2], xy[4 * i + 3], batch);
    write_crossed();
}

void
labels_crossed_by_frame(int x0, int y0, int x1, int y1)
{
    if (!watching())
        return;
    const uint32_t batch = ++searches;
    gather_crossed(x0, y0, x1, y0, batch);
    gather_crossed(x1, y0, x1, y1, batch);
    gather_crossed(x0, y1, x1, y1, batch);
    gather_crossed(x0, y0, x0, y1, batch);
    write_crossed();
}

void
labels_crossed_within(int x0, int y0, int x1, int y1)
{
    if (!watching())
        return;
    each_label_meeting(x0, y0, x1, y1, [](uint32_t i) {
        if (!labels[i].covered)
            crossed.push_back(i);
    });
    write_crossed();
}

void
labels_covered_by(int x0, int y0, int x1, int y1, bool clears)
{
    if (!watching())
        return;
    each_label_meeting(x0, y0, x1, y1, [&](uint32_t i) {
        top_label &l = labels[i];
        if (clears && holds(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1), l.box))
            forget_label(l);
        else if (!l.covered)
            l.covered = window_drawings();
    });
}

void
labels_covered_by_text(const char *s, int x, int y)
{
    if (!watching())
        return;
    const label_rect ink = top_label_rect(x, y, s);
    labels_covered_by(ink.x0, ink.y0, ink.x1, ink.y1, false);
}

void
forget_top_labels()
{
    labels.clear();
    live = 0;
    for (std::vector<uint32_t> &list : in_square)
        list.clear();
}

void
labels_put_back(int x0, int y0, int x1, int y1, uint32_t saved_after)
{
    if (!watching())
        return;
    each_label_meeting(x0, y0, x1, y1, [&](uint32_t i) {
        top_label &l = labels[i];
        const bool whole = holds(x0, y0, x1, y1, l.box);
        if (l.written > saved_after) {
            if (whole)
                forget_label(l);
            else if (!l.covered)
                l.covered = window_drawings();
        } else if (l.covered > saved_after && whole) {
            l.covered = 0;
        }
    });
}

void
redraw_top_labels(const std::function<void(float &x, float &y)> &to_new_frame)
{
    if (live == 0)
        return;
    const font_use font = font_in_use();
    const int16_t height = CHeight, width = CWidth;
    for (top_label &l : labels) {
        if (l.gone)
            continue;
        if (l.pattern) {
            forget_label(l);
            continue;
        }
        float end_x = l.x + l.char_width, end_y = l.y + l.line_height;
        to_new_frame(l.x, l.y);
        to_new_frame(end_x, end_y);
        l.char_width = end_x - l.x;
        l.line_height = end_y - l.y;
        to_new_frame(l.clip_x0, l.clip_y0);
        to_new_frame(l.clip_x1, l.clip_y1);
        l.clip_x1 = std::min(l.clip_x1, static_cast<float>(Maxx));
        l.clip_y1 = std::min(l.clip_y1, static_cast<float>(WinMaxy));
        use_font(l.font);
        CHeight = static_cast<int16_t>(round_to_pixel(l.line_height));
        CWidth = static_cast<int16_t>(round_to_pixel(l.char_width));
        l.box = top_label_rect(round_to_pixel(l.x), round_to_pixel(l.y), l.text.c_str());
    }
    use_font(font);
    CHeight = height;
    CWidth = width;
    rebuild_index();
    for (uint32_t i = 0; i < labels.size(); i++)
        if (!labels[i].covered)
            write_again(i);
}
