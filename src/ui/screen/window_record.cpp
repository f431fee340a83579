// The record of what the window shows (window_record.h): every text, fill,
// outline, line, pixel and circle drawn on the window since the drawing area
// was last cleared, with its colour, font and clip, and the regions saved
// into pixmaps under boxes. Start reading at record_fill, which keeps the
// list short: a background fill drops what it covers, and one over the whole
// drawing area starts the record afresh. redraw_window_record replays it
// after a resize from outside.
//
// The texts are kept apart from the shapes, in a list of their own that the
// draw check reads (it asks for the texts at every drawing, the shapes it
// never needs): a text stays there while the redraw holds it or the check
// holds marks on it. The redraw takes both lists merged in the order drawn.
//
// A redraw scales each recorded position from the size it was drawn at: x
// with the window's width; y in the drawing area with the line height, as
// the text column and boxes are laid out in lines of the fonts the width
// chooses; y in the bottom strip anchored at the new bottom, a text there
// no nearer the window's last row than it was drawn (its glyphs stay inside
// the strip's frame).
#include "ui/screen/window_record.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "ui/screen/box_places.h"
#include "ui/screen/draw.h"
#include "ui/screen/draw_check.h"
#include "ui/screen/fonts.h"
#include "ui/screen/label_layer.h"
#include "ui/screen/redraw_frames.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/text_inks.h"
#include "ui/screen/x_state.h"

namespace {

// Beyond this many operations (a pattern drawn on the window) the record
// gives up until the drawing area is cleared.
constexpr size_t kMostOps = 4096;

// Recorded positions are whole pixels; scaled by a redraw they are not.
// Within a quarter pixel a position is the anchor it was drawn at (anchors
// are whole pixels, so no two are that close).
constexpr float kOnAnchor = 0.25f;
// Within half a pixel two positions are the same pixel.
constexpr float kSamePixel = 0.5f;
// Positions scaled by a redraw round apart by a pixel or two from one
// another: what a box saved before the redraw covered, it covers within
// this.
constexpr float kAfterRedraw = 2.0f;

enum class op_kind : uint8_t { text, fill, outline, line, pixel, circle };

struct drawn_op {
    op_kind kind;
    uint8_t colour;      // colour index
    uint8_t style;       // fills: 0 solid, 2 stippled
    font_use font;       // texts
    uint32_t seq;        // order of drawing
    // Texts: top-left corner and (x1, y1) the point after the text and the
    // bottom of its line; shapes: corners (a line's ends), inclusive.
    float x0, y0, x1, y1;
    float cx0, cy0, cx1, cy1; // the viewport it was clipped to
    std::string text;
    std::string whole; // a text the redraw cut to fit its frame: as drawn first
    // A text of the bottom strip: the rows from its ink's last row down to
    // the window's last row as drawn (the strip's frame, or a box's in it,
    // runs there).
    float foot;
};

// A text on the window: as the redraw draws it, whether the redraw holds it
// (false once it gave it up, or past kMostOps), and the draw check's marks
// (null when the check does not follow it). Kept while either needs it.
struct held_text {
    drawn_op op;
    bool replayed;
    std::shared_ptr<text_marks> marks;
};

// A window region saved into a pixmap, and the operation drawn last before.
struct saved_area {
    image_slot pixmap;
    uint32_t seq;
    uint32_t frame;          // redraws before it was saved
    uint32_t resizes;        // resizes before it was saved
    uint32_t clears;         // clears of the drawing area before it was saved
    float x0, y0, x1, y1;
};

// The operations other than texts, in the order drawn.
std::vector<drawn_op> shapes;
// The texts, in the order drawn, and how many of them the redraw holds.
std::vector<held_text> texts;
size_t replayed_texts = 0;
std::vector<saved_area> saved;
// The drawings made on the window so far (window_drawings): each hook
// counts its drawing, recorded or not, so the check orders by the same
// numbers.
uint32_t drawings = 0;
// False once something unrecordable was drawn in the drawing area; the
// bottom strip is recorded all the same, as it is drawn again at each resize.
bool complete = true;
bool paused = false;
// While the record draws itself again, the number of the drawing it draws
// (window_drawings answers it, so the check orders the drawing as first
// drawn), and the texts it gives up are kept until it is done: it walks
// them.
uint32_t replaying_seq = 0;
bool replaying = false;
uint32_t area_clears = 0;
// Resizes since the start, the record drawn again at the new size or not.
uint32_t resizes = 0;

void
bounds(const drawn_op &op, float &x0, float &y0, float &x1, float &y1)
{
    x0 = std::min(op.x0, op.x1);
    x1 = std::max(op.x0, op.x1);
    y0 = std::min(op.y0, op.y1);
    y1 = std::max(op.y0, op.y1);
}

// Forgets the texts neither the redraw nor the check holds, and counts
// those the redraw holds.
void
forget_unheld_texts()
{
    if (replaying)
        return;
    texts.erase(std::remove_if(texts.begin(), texts.end(),
                               [](const held_text &t) { return !t.replayed && !t.marks; }),
                texts.end());
    replayed_texts = static_cast<size_t>(
        std::count_if(texts.begin(), texts.end(), [](const held_text &t) { return t.replayed; }));
}

// Gives up the redraw of every text for which give_up(op) is true (the
// check's marks stay on it).
template <typename Pred>
void
give_up_texts(const Pred &give_up)
{
    for (held_text &t : texts)
        if (t.replayed && give_up(t.op))
            t.replayed = false;
    forget_unheld_texts();
}

// Calls f on each operation the redraw holds, in the order drawn: the
// shapes and the texts it holds, merged by their numbers; f(op, text) is
// given the text held for a text's operation, null for a shape.
template <typename F>
void
each_held_op(const F &f)
{
    size_t t = 0;
    // The texts drawn before shape, or all that are left (null).
    auto texts_before = [&](const drawn_op *shape) {
        for (; t < texts.size() && (!shape || texts[t].op.seq < shape->seq); t++)
            if (texts[t].replayed)
                f(texts[t].op, &texts[t]);
    };
    for (drawn_op &op : shapes) {
        texts_before(&op);
        f(op, nullptr);
    }
    texts_before(nullptr);
}

// Drops what was drawn after seq wholly inside the rectangle, give or take
// `slack` pixels. Only the part of an operation inside the window counts: a
// text run past the window's edge and then cleared with the rest of the
// window is gone, and must not come back when a resize draws the record.
void
drop_inside(float x0, float y0, float x1, float y1, uint32_t after, float slack = kSamePixel)
{
    auto gone = [&](const drawn_op &op) {
        float a, b, c, d;
        bounds(op, a, b, c, d);
        // Only what shows on the window counts: a shape partly past any of
        // its edges goes with a fill over the part that shows.
        a = std::max(a, 0.0f);
        b = std::max(b, 0.0f);
        c = std::min(c, static_cast<float>(Maxx));
        d = std::min(d, static_cast<float>(WinMaxy));
        return op.seq > after && a >= x0 - slack && b >= y0 - slack && c <= x1 + slack && d <= y1 + slack;
    };
    shapes.erase(std::remove_if(shapes.begin(), shapes.end(), gone), shapes.end());
    give_up_texts(gone);
}

// Whether an operation whose top row is top would be left out of the
// record: a field draws a shape a node, mostly after the record gave up.
bool
left_out(float top)
{
    return paused || (!complete && !(top > Maxy));
}

// Whether the redraw takes an operation whose top row is top: not when it
// is left out, nor past kMostOps, where the record gives up.
bool
holds_next(float top)
{
    if (left_out(top))
        return false;
    if (shapes.size() + replayed_texts >= kMostOps) {
        complete = false;
        return false;
    }
    return true;
}

// An operation drawn now with the current viewport.
drawn_op
drawn_now(op_kind kind, int colour, float x0, float y0, float x1, float y1)
{
    return {kind, static_cast<uint8_t>(colour), 0, font_normal, drawings, x0, y0, x1, y1,
            static_cast<float>(view_x0), static_cast<float>(view_y0), static_cast<float>(view_x1),
            static_cast<float>(view_y1), std::string(), std::string(), 0};
}

// A new shape with the current viewport, or null when none is recorded.
drawn_op *
add(op_kind kind, int colour, float x0, float y0, float x1, float y1)
{
    if (!holds_next(std::min(y0, y1)))
        return nullptr;
    shapes.push_back(drawn_now(kind, colour, x0, y0, x1, y1));
    return &shapes.back();
}

// Width of a recorded text in its font as loaded now.
float
text_width(const drawn_op &op)
{
    XFontStruct *font = loaded_font(op.font);
    int len = static_cast<int>(op.text.size());
    return static_cast<float>(font ? XTextWidth(font, op.text.data(), len)
                                   : text_pixel_width(op.text.data(), len));
}

// Columns and rows where the fixed boxes lie in a frame (box_places.h): the
// prompt box's edges and text margin, the memory box's, the window's right
// edge; the bottoms of boxes of 1 to 8 lines.
constexpr int kAnchors = 8;

void
column_anchors(const window_frame &f, int *a)
{
    const int m = f.maxx;
    const int list[kAnchors] = {prompt_box_left(m), prompt_box_text(m), memory_box_place_end(m),
                                memory_box_left(m), memory_box_text(m), box_right_edge(m),
                                m - 1,              m};
    std::copy(list, list + kAnchors, a);
}

void
row_anchors(const window_frame &f, int *a)
{
    for (int n = 1; n <= kAnchors; n++)
        a[n - 1] = box_lines_bottom(n, f.cheight, f.winmaxy);
}

// Positions drawn for the frame `from`, taken to the frame `to`. A position
// on a fixed box's edge goes to that edge in the new frame, so that the box
// drawn again is the one the program erases at the new size; so does the
// drawing area's bottom.
struct rescale {
    window_frame from, to;
    float sx, fy, strip;
    int old_columns[kAnchors], new_columns[kAnchors], old_rows[kAnchors], new_rows[kAnchors];

    rescale(const window_frame &a, const window_frame &b) : from(a), to(b)
    {
        sx = static_cast<float>(b.maxx + 1) / static_cast<float>(a.maxx + 1);
        fy = a.cheight > 0 ? static_cast<float>(b.cheight) / static_cast<float>(a.cheight) : 1.0f;
        int old_strip = a.winmaxy - a.maxy, new_strip = b.winmaxy - b.maxy;
        strip = old_strip > 0 ? static_cast<float>(new_strip) / static_cast<float>(old_strip)
                              : 1.0f;
        column_anchors(a, old_columns);
        column_anchors(b, new_columns);
        row_anchors(a, old_rows);
        row_anchors(b, new_rows);
    }
    // Index of the anchor at v, or -1.
    static int anchor_at(float v, const int *anchors)
    {
        for (int i = 0; i < kAnchors; i++)
            if (std::fabs(v - static_cast<float>(anchors[i])) < kOnAnchor)
                return i;
        return -1;
    }
    // Whether a shape beginning at column v is one of the fixed boxes.
    bool boxed(float v) const { return anchor_at(v, old_columns) >= 0; }
    float x(float v) const
    {
        int i = anchor_at(v, old_columns);
        return i >= 0 ? static_cast<float>(new_columns[i]) : v * sx;
    }
    // Whether row v lies in the bottom strip. A row past the window's
    // bottom is not the strip's: it belongs to a drawing made at a taller
    // size, which keeps its place in the drawing area for a size that
    // shows it again.
    bool in_strip(float v) const
    {
        return v > static_cast<float>(from.maxy) && v <= static_cast<float>(from.winmaxy);
    }
    // box: the position belongs to one of the fixed boxes (its bottom may
    // be a prompt box's).
    float y(float v, bool box = false) const
    {
        if (in_strip(v))
            return static_cast<float>(to.maxy) + (v - static_cast<float>(from.maxy)) * strip;
        if (std::fabs(v - static_cast<float>(from.maxy)) < kOnAnchor)
            return static_cast<float>(to.maxy);
        int i = box ? anchor_at(v, old_rows) : -1;
        return i >= 0 ? static_cast<float>(new_rows[i]) : v * fy;
    }
    // The last row v of a drawing (a clip, a box, a region saved) whose
    // first row is top: where it began in the drawing area, it ends at the
    // new drawing area's bottom at the latest, as the drawing area's rows
    // scale with the line height and the strip below keeps its own.
    float y_last(float top, float v, bool box = false) const
    {
        const float to_v = y(v, box);
        return in_strip(top) ? to_v : std::min(to_v, static_cast<float>(to.maxy));
    }
};

// Every redraw's scaling, in order, for the rows remembered before it.
std::vector<rescale> redraws;

uint32_t
redraw_count()
{
    return static_cast<uint32_t>(redraws.size());
}

// Whether two positions are one pixel.
bool
same_pixel(float a, float b)
{
    return std::fabs(a - b) < kSamePixel;
}

// A point that moves with the drawing: where it was, and where it goes.
struct moving_point {
    float x, y, new_x, new_y;
};

// The lowest top of its line a text of the bottom strip may take in a
// window whose last row is winmaxy: its glyphs, in its font as loaded now,
// as far above that row as they were drawn, inside the strip's frame. The
// strip's rows scale otherwise than the font's line does.
float
strip_line_top(const drawn_op &op, int winmaxy)
{
    int above = 0, below = 0;
    text_ink_in(op.font, op.text.c_str(), above, below);
    const float baseline = static_cast<float>(winmaxy + 1 - below) - op.foot;
    return baseline - static_cast<float>(line_baseline(0));
}

// Points kept across dialogs (keep_point), innermost last.
std::vector<std::pair<float, float>> kept_points;
// The text column's margins (xtext) kept across dialogs
// (keep_text_margin), innermost last.
std::vector<float> kept_margins;

// Takes every operation and saved region to the new frame. What began where
// a text ended (the rest of its line, the answer typed after a prompt, the
// erase of that answer) still begins there, as the font's width changed
// otherwise than the window's; the current point and the kept points follow
// the same way. A line that fitted inside a box's frame and no longer does
// is cut to fit it (redraw_frames.h), the rest of the line after the cut
// left out; the whole line is kept for a later, wider size.
void
move_record(const rescale &r)
{
    std::vector<moving_point> points;
    points.push_back({static_cast<float>(getx), static_cast<float>(gety), 0, 0});
    for (const auto &p : kept_points)
        points.push_back({p.first, p.second, 0, 0});
    for (moving_point &p : points) {
        p.new_x = r.x(p.x);
        p.new_y = r.y(p.y);
    }
    float last_end = -1, last_y = -1, moved_end = 0;
    redraw_frames frames;
    bool line_cut = false;
    each_held_op([&](drawn_op &op, held_text *) {
        const float top = std::min(op.y0, op.y1);
        bool runs_on = same_pixel(op.x0, last_end) && same_pixel(op.y0, last_y);
        float shift = runs_on ? moved_end - r.x(op.x0) : 0;
        if (op.kind == op_kind::text) {
            const float limit = frames.limit(op.x0, op.y0, op.x1);
            last_end = op.x1;
            last_y = op.y0;
            float y0 = r.y(op.y0);
            if (r.in_strip(op.y0))
                y0 = std::min(y0, strip_line_top(op, r.to.winmaxy));
            op.y1 = y0 + (op.y1 - op.y0) * r.fy;
            op.y0 = y0;
            op.x0 = r.x(op.x0) + shift;
            const std::string whole = op.whole.empty() ? op.text : op.whole;
            line_cut = runs_on && line_cut;
            op.text = line_cut ? std::string() : whole;
            if (!line_cut && limit >= 0)
                op.text = text_cut_to(whole, op.font, static_cast<int>(limit - op.x0));
            line_cut = op.text != whole;
            op.whole = line_cut ? whole : std::string();
            op.x1 = moved_end = op.x0 + text_width(op);
            for (moving_point &p : points)
                if (same_pixel(p.x, last_end) && same_pixel(p.y, last_y)) {
                    p.new_x = op.x1;
                    p.new_y = op.y0;
                }
        } else {
            const float x0 = op.x0, y0 = op.y0, x1 = op.x1, y1 = op.y1;
            bool box = r.boxed(op.x0);
            op.x0 = r.x(op.x0) + shift;
            op.x1 = r.x(op.x1) + shift;
            op.y0 = r.y(op.y0, box);
            op.y1 = r.y(op.y1, box);
            if (op.kind == op_kind::outline)
                frames.add(x0, y0, x1, y1, std::max(op.x0, op.x1));
        }
        op.cx0 = r.x(op.cx0);
        op.cx1 = r.x(op.cx1);
        op.cy0 = r.y(op.cy0);
        op.cy1 = r.y_last(top, op.cy1);
    });
    for (saved_area &s : saved) {
        bool box = r.boxed(s.x0);
        s.x0 = r.x(s.x0);
        s.x1 = r.x(s.x1);
        s.y1 = r.y_last(s.y0, s.y1, box);
        s.y0 = r.y(s.y0, box);
    }
    moveto(static_cast<int>(std::lround(points[0].new_x)),
           static_cast<int>(std::lround(points[0].new_y)));
    for (size_t i = 0; i < kept_points.size(); i++)
        kept_points[i] = {points[i + 1].new_x, points[i + 1].new_y};
}

int
round_to_pixel(float v)
{
    return static_cast<int>(std::lround(v));
}

// Draws one operation, clipped to its viewport within the rectangle limit.
void
draw_op(const drawn_op &op, const XRectangle &limit)
{
    int x0 = std::max<int>(round_to_pixel(op.cx0), limit.x);
    int y0 = std::max<int>(round_to_pixel(op.cy0), limit.y);
    int x1 = std::min<int>(round_to_pixel(op.cx1), limit.x + limit.width - 1);
    int y1 = std::min<int>(round_to_pixel(op.cy1), limit.y + limit.height - 1);
    if (x1 < x0 || y1 < y0)
        return;
    XRectangle clip = {static_cast<short>(x0), static_cast<short>(y0),
                       static_cast<unsigned short>(x1 - x0 + 1),
                       static_cast<unsigned short>(y1 - y0 + 1)};
    XSetClipRectangles(D, Gc, 0, 0, &clip, 1, Unsorted);
    XSetForeground(D, Gc, Color_Table[op.colour]);
    int ax = round_to_pixel(op.x0), ay = round_to_pixel(op.y0);
    int bx = round_to_pixel(op.x1), by = round_to_pixel(op.y1);
    switch (op.kind) {
    case op_kind::text:
        use_font(op.font);
        XDrawString(D, W, Gc, ax, line_baseline(ay), op.text.data(), static_cast<int>(op.text.size()));
        text_ink_drawn_again(op.seq, op.text.c_str(), ax, ay, op.colour);
        break;
    case op_kind::fill:
        XSetFillStyle(D, Gc, op.style == FillStippled ? FillStippled : FillSolid);
        XFillRectangle(D, W, Gc, ax, ay, bx - ax + 1, by - ay + 1);
        if (op.style != FillStippled)
            cover_text_inks(op.seq, std::max(ax, x0), std::max(ay, y0), std::min(bx, x1), std::min(by, y1));
        break;
    case op_kind::outline:
        XDrawRectangle(D, W, Gc, ax, ay, bx - ax, by - ay);
        break;
    case op_kind::line:
        XDrawLine(D, W, Gc, ax, ay, bx, by);
        break;
    case op_kind::pixel:
        XDrawPoint(D, W, Gc, ax, ay);
        break;
    case op_kind::circle:
        XDrawArc(D, W, Gc, ax, ay, bx - ax, bx - ax, 0, 360 * 64);
        break;
    }
}

// The draw check told of an operation op the record drew again within
// limit (null: the clearing of limit first), as drawn now, clipped to its
// viewport within limit, numbered as first drawn; a text's marks are kept
// with the held text.
void
check_replayed(const drawn_op *op, held_text *text, const XRectangle &limit)
{
    if (!draw_check_on() || paused)
        return;
    const int16_t vx0 = view_x0, vy0 = view_y0, vx1 = view_x1, vy1 = view_y1;
    const int lx1 = limit.x + limit.width - 1, ly1 = limit.y + limit.height - 1;
    view_x0 = limit.x;
    view_y0 = limit.y;
    view_x1 = static_cast<int16_t>(lx1);
    view_y1 = static_cast<int16_t>(ly1);
    if (!op) {
        replaying_seq = drawings;
        check_fill(limit.x, limit.y, lx1, ly1, black, FillSolid, "redraw");
    } else {
        replaying_seq = op->seq;
        view_x0 = static_cast<int16_t>(std::max<int>(round_to_pixel(op->cx0), limit.x));
        view_y0 = static_cast<int16_t>(std::max<int>(round_to_pixel(op->cy0), limit.y));
        view_x1 = static_cast<int16_t>(std::min<int>(round_to_pixel(op->cx1), lx1));
        view_y1 = static_cast<int16_t>(std::min<int>(round_to_pixel(op->cy1), ly1));
        int ax = round_to_pixel(op->x0), ay = round_to_pixel(op->y0);
        int bx = round_to_pixel(op->x1), by = round_to_pixel(op->y1);
        if (view_x1 < view_x0 || view_y1 < view_y0)
            ; // clipped away: nothing drawn
        else if (op->kind == op_kind::text && text)
            text->marks = check_text(op->text.c_str(), ax, ay, op->colour);
        else if (op->kind == op_kind::fill)
            check_fill(ax, ay, bx, by, op->colour, op->style, "redraw");
        else if (op->kind == op_kind::outline)
            check_outline(ax, ay, bx, by, op->colour, "redraw");
        else if (op->kind == op_kind::line)
            check_line(ax, ay, bx, by, op->colour, "redraw");
        else if (op->kind == op_kind::pixel)
            check_point(ax, ay);
        else if (op->kind == op_kind::circle)
            check_circle(ax, ay, bx - ax);
    }
    replaying_seq = 0;
    view_x0 = vx0;
    view_y0 = vy0;
    view_x1 = vx1;
    view_y1 = vy1;
}

// Clears the rectangle and draws the record again inside it; the GC's
// colour, fill style, font and clip are put back afterwards.
void
replay_within(const XRectangle &limit)
{
    XGCValues kept;
    XGetGCValues(D, Gc, GCForeground | GCFillStyle, &kept);
    font_use font = font_in_use();
    XSetClipRectangles(D, Gc, 0, 0, const_cast<XRectangle *>(&limit), 1, Unsorted);
    XSetForeground(D, Gc, Color_Table[black]);
    XSetFillStyle(D, Gc, FillSolid);
    XFillRectangle(D, W, Gc, limit.x, limit.y, limit.width, limit.height);
    replaying = true;
    check_redrawing(true);
    check_replayed(nullptr, nullptr, limit);
    each_held_op([&](const drawn_op &op, held_text *text) {
        draw_op(op, limit);
        check_replayed(&op, text, limit);
    });
    replaying = false;
    check_redrawing(false);
    forget_unheld_texts();
    XSetForeground(D, Gc, kept.foreground);
    XSetFillStyle(D, Gc, kept.fill_style);
    use_font(font);
    XSetClipRectangles(D, Gc, 0, 0, &viewport, 1, Unsorted);
}

saved_area *
find_saved(image_slot pixmap)
{
    for (saved_area &s : saved)
        if (s.pixmap == pixmap)
            return &s;
    return nullptr;
}

} // namespace

void
redraw_texts_within(int x0, int y0, int x1, int y1)
{
    if (!complete || paused || x1 < x0 || y1 < y0)
        return;
    const float lx0 = static_cast<float>(x0), ly0 = static_cast<float>(y0);
    const float lx1 = static_cast<float>(x1), ly1 = static_cast<float>(y1);
    // The part of an operation's bounds inside the rectangle, or false.
    auto inside = [&](const drawn_op &op, float &a, float &b, float &c, float &d) {
        bounds(op, a, b, c, d);
        a = std::max(a, lx0);
        b = std::max(b, ly0);
        c = std::min(c, lx1);
        d = std::min(d, ly1);
        return a <= c && b <= d;
    };
    // A clearing of the whole rectangle (this one, or an earlier erase of
    // the same box) takes nothing away that the erase should not put back.
    auto clears_all = [&](const drawn_op &op) {
        float a, b, c, d;
        bounds(op, a, b, c, d);
        return op.kind == op_kind::fill && op.colour == black && op.style != FillStippled &&
               a <= lx0 && b <= ly0 && c >= lx1 && d >= ly1;
    };
    // Texts that begin left of the rectangle (the text column's lines), and
    // those that run on from them (the answer after a prompt): a text that
    // begins inside it belongs to a box drawn there, which the clearing took
    // away however far its text ran.
    std::vector<const drawn_op *> back;
    float run_on_x = -1, run_on_y = -1;
    for (const held_text &t : texts) {
        if (!t.replayed)
            continue;
        const drawn_op &op = t.op;
        bool column = op.x0 < lx0 ||
                      (same_pixel(op.x0, run_on_x) && same_pixel(op.y0, run_on_y));
        if (!column)
            continue;
        run_on_x = op.x1;
        run_on_y = op.y0;
        float a, b, c, d;
        if (!inside(op, a, b, c, d))
            continue;
        bool covered = std::any_of(shapes.begin(), shapes.end(), [&](const drawn_op &later) {
            float e, f, g, h;
            return later.seq > op.seq && !clears_all(later) && inside(later, e, f, g, h) && e <= c &&
                   g >= a && f <= d && h >= b;
        });
        if (!covered)
            back.push_back(&op);
    }
    if (back.empty())
        return;
    XGCValues kept;
    XGetGCValues(D, Gc, GCForeground | GCFillStyle, &kept);
    font_use font = font_in_use();
    const XRectangle limit = {static_cast<short>(x0), static_cast<short>(y0),
                              static_cast<unsigned short>(x1 - x0 + 1),
                              static_cast<unsigned short>(y1 - y0 + 1)};
    for (const drawn_op *op : back) {
        draw_op(*op, limit);
        check_text_redrawn(op->text, round_to_pixel(op->x0), round_to_pixel(op->y0), x0, y0, x1, y1);
    }
    XSetForeground(D, Gc, kept.foreground);
    XSetFillStyle(D, Gc, kept.fill_style);
    use_font(font);
    XSetClipRectangles(D, Gc, 0, 0, &viewport, 1, Unsorted);
}

window_frame
current_window_frame()
{
    return {Maxx, WinMaxy, Maxy, CHeight, CWidth};
}

void
keep_point()
{
    kept_points.push_back({static_cast<float>(getx), static_cast<float>(gety)});
}

void
put_back_point()
{
    if (kept_points.empty())
        return;
    moveto(round_to_pixel(kept_points.back().first), round_to_pixel(kept_points.back().second));
    kept_points.pop_back();
}

void
keep_text_margin()
{
    kept_margins.push_back(xtext);
}

void
put_back_text_margin()
{
    if (kept_margins.empty())
        return;
    xtext = kept_margins.back();
    kept_margins.pop_back();
}

window_row
remember_row(int y)
{
    return {static_cast<int16_t>(y), redraw_count()};
}

int16_t
row_now(const window_row &row)
{
    float y = row.y;
    for (size_t i = row.redraws; i < redraws.size(); i++)
        y = redraws[i].y(y);
    return static_cast<int16_t>(std::lround(y));
}

void
record_text(const char *s, int x, int y, int end_x)
{
    if (paused)
        return;
    drawings++;
    std::shared_ptr<text_marks> marks = check_text(s, x, y, nowcolor);
    labels_covered_by_text(s, x, y);
    note_text_ink(drawings, s, x, y, nowcolor);
    bool replayed = holds_next(static_cast<float>(y));
    if (!replayed && marks && texts.size() - replayed_texts >= kMostMarkedTexts)
        check_not_followed();
    if (!replayed && (!marks || texts.size() - replayed_texts >= kMostMarkedTexts))
        return;
    texts.push_back({drawn_now(op_kind::text, nowcolor, static_cast<float>(x), static_cast<float>(y),
                               static_cast<float>(end_x), static_cast<float>(y + CHeight)),
                     replayed, std::move(marks)});
    texts.back().op.font = font_in_use();
    texts.back().op.text = s;
    if (y > Maxy) {
        int above = 0, below = 0;
        text_ink_in_use(s, above, below);
        texts.back().op.foot = static_cast<float>(WinMaxy - (line_baseline(y) + below - 1));
    }
    replayed_texts += replayed;
}

void
visit_marked_texts(const std::function<void(const marked_text &)> &visit)
{
    for (held_text &t : texts)
        if (t.marks)
            visit({t.op.seq, t.op.text, *t.marks});
}

void
unmark_texts(const std::function<bool(const marked_text &)> &unmark)
{
    for (held_text &t : texts)
        if (t.marks && unmark({t.op.seq, t.op.text, *t.marks}))
            t.marks.reset();
    forget_unheld_texts();
}

void
record_fill(int x0, int y0, int x1, int y1, int colour, int style, const char *how)
{
    if (paused)
        return;
    drawings++;
    check_fill(x0, y0, x1, y1, colour, style, how);
    // What the fill covers within its viewport.
    int cx0 = std::max<int>(std::min(x0, x1), view_x0);
    int cx1 = std::min<int>(std::max(x0, x1), view_x1);
    int cy0 = std::max<int>(std::min(y0, y1), view_y0);
    int cy1 = std::min<int>(std::max(y0, y1), view_y1);
    if (cx1 < cx0 || cy1 < cy0)
        return;
    const bool clears = colour == black && style != FillStippled;
    labels_covered_by(cx0, cy0, cx1, cy1, clears);
    if (style != FillStippled)
        cover_text_inks(drawings, cx0, cy0, cx1, cy1);
    if (clears) {
        // The whole drawing area cleared: a stage starts drawing afresh.
        bool afresh = cx0 <= 0 && cy0 <= 0 && cx1 >= Maxx && cy1 >= Maxy;
        if (complete || afresh || cy0 > Maxy)
            drop_inside(static_cast<float>(cx0), static_cast<float>(cy0),
                        static_cast<float>(cx1), static_cast<float>(cy1), 0);
        if (afresh) {
            complete = true;
            area_clears++;
        }
    }
    drawn_op *op = add(op_kind::fill, colour, static_cast<float>(cx0), static_cast<float>(cy0),
                       static_cast<float>(cx1), static_cast<float>(cy1));
    if (op)
        op->style = static_cast<uint8_t>(style);
}

void
record_outline(int x0, int y0, int x1, int y1, int colour, const char *how)
{
    if (paused)
        return;
    drawings++;
    check_outline(x0, y0, x1, y1, colour, how);
    add(op_kind::outline, colour, static_cast<float>(x0), static_cast<float>(y0),
        static_cast<float>(x1), static_cast<float>(y1));
    labels_crossed_by_frame(x0, y0, x1, y1);
}

void
record_line(int x0, int y0, int x1, int y1, int colour, const char *how)
{
    if (paused)
        return;
    drawings++;
    check_line(x0, y0, x1, y1, colour, how);
    add(op_kind::line, colour, static_cast<float>(x0), static_cast<float>(y0),
        static_cast<float>(x1), static_cast<float>(y1));
    labels_crossed_by_line(x0, y0, x1, y1);
}

void
record_pixel(int x, int y, int colour)
{
    if (paused)
        return;
    drawings++;
    check_point(x, y);
    labels_crossed_within(x, y, x, y);
    if (left_out(static_cast<float>(y)))
        return;
    add(op_kind::pixel, colour, static_cast<float>(x), static_cast<float>(y),
        static_cast<float>(x), static_cast<float>(y));
}

bool
records_shapes_from(int top)
{
    return !left_out(static_cast<float>(top));
}

void
record_circle(int x, int y, int diameter, int colour)
{
    if (paused)
        return;
    drawings++;
    check_circle(x, y, diameter);
    labels_crossed_within(x, y, x + diameter, y + diameter);
    if (left_out(static_cast<float>(std::min(y, y + diameter))))
        return;
    add(op_kind::circle, colour, static_cast<float>(x), static_cast<float>(y),
        static_cast<float>(x + diameter), static_cast<float>(y + diameter));
}

namespace {

// The inks of texts the w x h pixels copied to (x, y) cover whole within the
// viewport, which clips the copy, are hidden by the drawing counted last.
void
cover_inks_in_view(int x, int y, int w, int h)
{
    cover_text_inks(drawings, std::max<int>(x, view_x0), std::max<int>(y, view_y0),
                    std::min<int>(x + w - 1, view_x1), std::min<int>(y + h - 1, view_y1));
}

// A drawing the record cannot hold (a polygon, a pie, a plot's segments,
// pattern cells or a pattern copy): counted, and no redraw until the
// drawing area is cleared again. False while paused, when nothing is taken.
bool
took_unreplayable()
{
    if (paused)
        return false;
    drawings++;
    complete = false;
    return true;
}

} // namespace

void
record_polygon(int n, const int *points)
{
    if (!took_unreplayable() || n < 1)
        return;
    check_polygon(n, points);
    int x0 = points[0], y0 = points[1], x1 = x0, y1 = y0;
    for (int i = 1; i < n; i++) {
        x0 = std::min(x0, points[2 * i]);
        x1 = std::max(x1, points[2 * i]);
        y0 = std::min(y0, points[2 * i + 1]);
        y1 = std::max(y1, points[2 * i + 1]);
    }
    labels_covered_by(x0, y0, x1, y1, false);
}

void
record_pie(int x, int y, int r)
{
    if (!took_unreplayable())
        return;
    check_pie(x, y, r);
    labels_covered_by(x - r, y - r, x + r, y + r, false);
}

void
record_segments(const int16_t *xy, int n)
{
    if (!took_unreplayable())
        return;
    for (int i = 0; i < n && draw_check_on(); i++)
        check_line(xy[4 * i], xy[4 * i + 1], xy[4 * i + 2], xy[4 * i + 3], nowcolor, "draw_segments");
    labels_crossed_by_segments(xy, n);
}

void
record_cells(int colour, const cell_rect *rects, int count)
{
    if (!took_unreplayable())
        return;
    check_cells(colour, rects, count);
    for (int i = 0; i < count; i++)
        labels_covered_by(rects[i].x, rects[i].y, rects[i].x + rects[i].w - 1, rects[i].y + rects[i].h - 1, false);
}

void
record_pattern_copy(int x, int y, int w, int h)
{
    if (!took_unreplayable())
        return;
    check_pattern_copy(x, y, w, h);
    labels_covered_by(x, y, x + w - 1, y + h - 1, false);
    cover_inks_in_view(x, y, w, h);
}

uint32_t
window_drawings()
{
    return replaying_seq ? replaying_seq : drawings;
}

bool
window_record_paused()
{
    return paused;
}

uint32_t
drawing_area_clears()
{
    return area_clears;
}

void
pause_window_record(bool p)
{
    paused = p;
}

void
note_window_capture(image_slot pixmap, int x0, int y0, int x1, int y1)
{
    forget_window_capture(pixmap);
    boxes_captured(pixmap, {x0, y0, x1, y1});
    saved.push_back({pixmap, drawings, redraw_count(), resizes, area_clears, static_cast<float>(x0),
                     static_cast<float>(y0), static_cast<float>(x1), static_cast<float>(y1)});
}

void
forget_window_capture(image_slot pixmap)
{
    forget_boxes_captured(pixmap);
    saved.erase(std::remove_if(saved.begin(), saved.end(),
                               [&](const saved_area &s) { return s.pixmap == pixmap; }),
                saved.end());
    forget_lost_text_inks();
}

bool
saved_area_of(image_slot pixmap, saved_window_area &area)
{
    const saved_area *s = find_saved(pixmap);
    if (!s)
        return false;
    area = {round_to_pixel(s->x0), round_to_pixel(s->y0), round_to_pixel(s->x1), round_to_pixel(s->y1), s->seq};
    return true;
}

bool
saved_after(uint32_t seq, int x0, int y0, int x1, int y1, uint32_t before)
{
    return std::any_of(saved.begin(), saved.end(), [&](const saved_area &s) {
        // A region's number is that of the last drawing before it was saved.
        return s.seq >= seq && s.seq < before && s.x0 <= x1 && s.x1 >= x0 && s.y0 <= y1 && s.y1 >= y0;
    });
}

bool
saved_between(uint32_t drawn, uint32_t over, int x0, int y0, int x1, int y1)
{
    return std::any_of(saved.begin(), saved.end(), [&](const saved_area &s) {
        return s.seq >= drawn && s.seq < over && s.x0 <= x0 + kSamePixel && s.x1 >= x1 - kSamePixel &&
               s.y0 <= y0 + kSamePixel && s.y1 >= y1 - kSamePixel;
    });
}

bool
restore_window_area(image_slot pixmap, int x, int y, int w, int h)
{
    saved_area *s = find_saved(pixmap);
    // Saved before a resize, its pixels belong to the old size: to the
    // window only while it shows the drawing they were saved from, neither
    // drawn again at the new size (the region moved with it) nor cleared.
    const bool stale = s && (s->frame != redraw_count() || (s->resizes != resizes && s->clears != area_clears));
    // The boxes saved with it stand again where the region is now.
    boxes_put_back(pixmap, stale ? round_to_pixel(s->x0) : x, stale ? round_to_pixel(s->y0) : y);
    if (!paused) {
        drawings++;
        // A region saved before a resize is drawn again from the record
        // (below), which the check follows; copied, it is a fault.
        if (!stale || !complete)
            check_put_image(pixmap, x, y, w, h, stale);
    }
    // An image from elsewhere, or one put back at another place.
    if (!s || (!stale && (round_to_pixel(s->x0) != x || round_to_pixel(s->y0) != y))) {
        if (!paused) {
            complete = false;
            labels_covered_by(x, y, x + w - 1, y + h - 1, false);
            cover_inks_in_view(x, y, w, h);
        }
        return false;
    }
    if (!paused)
        put_back_text_inks(drawings, s->seq, round_to_pixel(s->x0), round_to_pixel(s->y0),
                           round_to_pixel(s->x1), round_to_pixel(s->y1));
    drop_inside(s->x0, s->y0, s->x1, s->y1, s->seq, stale ? kAfterRedraw : kSamePixel);
    if (!paused)
        labels_put_back(round_to_pixel(s->x0), round_to_pixel(s->y0), round_to_pixel(s->x1),
                        round_to_pixel(s->y1), s->seq);
    if (!stale)
        return false;
    // What the record holds of the region is drawn there instead (where it
    // gave up, the background stands for the rest).
    int x0 = round_to_pixel(s->x0), y0 = round_to_pixel(s->y0);
    int x1 = std::min<int>(round_to_pixel(s->x1), Maxx);
    int y1 = std::min<int>(round_to_pixel(s->y1), WinMaxy);
    if (x1 >= x0 && y1 >= y0)
        replay_within({static_cast<short>(x0), static_cast<short>(y0),
                       static_cast<unsigned short>(x1 - x0 + 1),
                       static_cast<unsigned short>(y1 - y0 + 1)});
    return true;
}

bool
redraw_window_record(const window_frame &before)
{
    resizes++;
    // The drawing stays as it was: what was recorded of it belongs to the
    // old size (the strip is drawn again); the regions saved from it still
    // hold what lies there, until the drawing area is cleared.
    if (!complete) {
        shapes.clear();
        give_up_texts([](const drawn_op &) { return true; });
        forget_lost_text_inks();
        return false;
    }
    check_window_redrawn();
    window_frame now = current_window_frame();
    redraws.emplace_back(before, now);
    move_record(redraws.back());
    // The boxes standing, and the regions saved under boxes, stand where
    // their drawings are drawn again: cut, as those drawings are, at the
    // drawing area's new bottom where they began inside it.
    boxes_follow_resize([&r = redraws.back()](const box_place &p) {
        const bool box = r.boxed(static_cast<float>(p.x0));
        return box_place{round_to_pixel(r.x(static_cast<float>(p.x0))),
                         round_to_pixel(r.y(static_cast<float>(p.y0), box)),
                         round_to_pixel(r.x(static_cast<float>(p.x1))),
                         round_to_pixel(r.y_last(static_cast<float>(p.y0), static_cast<float>(p.y1), box))};
    });
    // The text column's margin moves as the recorded lines did, and so do
    // the margins kept by dialogs that set their own.
    if (now.cwidth > 0) {
        const float scale = static_cast<float>(before.cwidth * (now.maxx + 1)) /
                            static_cast<float>((before.maxx + 1) * now.cwidth);
        xtext *= scale;
        for (float &margin : kept_margins)
            margin *= scale;
    }
    // A viewport that reached the old drawing area's edges reaches the new.
    int16_t vx1 = view_x1 == before.maxx ? Maxx : view_x1;
    int16_t vy1 = view_y1 == before.maxy ? Maxy : view_y1;
    setviewport(view_x0, view_y0, vx1, vy1, 1);
    // The window is drawn afresh: only the texts the record holds are on it.
    forget_text_inks();
    replay_within({0, 0, static_cast<unsigned short>(Maxx + 1),
                   static_cast<unsigned short>(WinMaxy + 1)});
    const rescale &r = redraws.back();
    redraw_top_labels([&](float &x, float &y) {
        x = r.x(x);
        y = r.y(y);
    });
    return true;
}
