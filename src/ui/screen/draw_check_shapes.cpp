// The draw check's fills, cells, pattern copies, lines and shapes
// (draw_check.h): what each covers or crosses on the window (texts, frames,
// filled boxes, lines), what runs past the window's edge, and the filled
// boxes and lines the check keeps to judge what is drawn later. The hooks
// take any int the drawing passes (a computed point may be INT_MIN): lines
// are clipped in doubles, and the rectangles the check keeps are worked out
// in 64 bits and held within kFar of the window, so that nothing it adds or
// subtracts later overflows. Start at check_fill.
#include <cmath>

#include "ui/screen/draw_check.h"
#include "ui/screen/draw_check_parts.h"
#include "ui/screen/segment_clip.h"
#include "ui/screen/window_record.h"
#include "ui/screen/x_state.h"

namespace draw_checking {
namespace {

// Whether a drawing within bounds b has a pixel on the window: one wholly
// off it shows nothing.
bool
meets_window(const box &b)
{
    return !meet(b, {0, 0, Maxx, WinMaxy}).empty();
}

// Whether a shape asked at b runs past the window's edge, or from the
// drawing area into the bottom strip, where no viewport of its own stops it:
// a viewport short of the drawing area on any side is a clip the drawing
// chose (a plot or a preview kept to its area).
std::string
past_edge_unclipped(const box &b)
{
    box v = viewport_box();
    bool own_clip = v.x0 > 0 || v.y0 > 0 || v.x1 < Maxx || v.y1 < Maxy;
    return own_clip ? std::string() : past_edge(b);
}

// Keeps segments as lines that stand on the window (while there is room).
void
keep_lines(const std::vector<segment> &segs, const std::string &what, uint32_t seq)
{
    box view = viewport_box();
    for (const segment &l : segs) {
        box b = meet(ordered(l.x0, l.y0, l.x1, l.y1), view);
        if (b.empty())
            continue;
        if (lines.size() >= kMostLines) {
            not_followed();
            return;
        }
        lines.push_back({seq, l.x0, l.y0, l.x1, l.y1, b, what, {}});
    }
}

// A shape or line drawn: its edge, what it crosses (a line: the frames it
// runs across too; a shape's side at a frame is a marker set on it), and
// kept.
void
judge_segments(const std::vector<segment> &segs, const box &asked, const std::string &what, bool line = false)
{
    uint32_t seq = window_drawings();
    std::string edge = meets_window(asked) ? past_edge_unclipped(asked) : std::string();
    if (!edge.empty())
        report(what + " runs " + edge, asked);
    mark_lines_through_text(segs, what, seq);
    if (line)
        note_frames_crossed(segs, what, seq);
    keep_lines(segs, what, seq);
}

// The sides of the polygon drawn last, and the number of the drawing that
// may go on outlining it: a line along one of them drawn straight after
// the polygon, or after lines that did so, is its edge in another colour
// (a 2d+time cell's rim), which no other drawing came between.
std::vector<segment> outlined_sides;
uint32_t outline_seq = 0;

// Whether line l, the drawing numbered seq, lies along a side of the
// polygon drawn just before it (or before the lines outlining it).
bool
outlines_last_polygon(const segment &l, uint32_t seq)
{
    if (seq != outline_seq)
        return false;
    for (const segment &s : outlined_sides)
        if ((s.x0 == l.x0 && s.y0 == l.y0 && s.x1 == l.x1 && s.y1 == l.y1) ||
            (s.x0 == l.x1 && s.y0 == l.y1 && s.x1 == l.x0 && s.y1 == l.y0)) {
            outline_seq = seq + 1;
            return true;
        }
    return false;
}

// The sides of a polygon of n corners, closed.
std::vector<segment>
polygon_sides(int n, const int *xy)
{
    std::vector<segment> sides;
    for (int i = 0; i < n; i++) {
        int j = (i + 1) % n;
        sides.push_back({xy[2 * i], xy[2 * i + 1], xy[2 * j], xy[2 * j + 1]});
    }
    return sides;
}

// The arc of the circle about (cx, cy) of radius r from angle a0 to a1 in
// degrees (counter-clockwise, y up as X draws arcs), as short chords.
std::vector<segment>
arc_chords(double cx, double cy, double r, double a0, double a1)
{
    constexpr double kPi = 3.14159265358979323846;
    int n = std::max(4, std::min(64, static_cast<int>(std::fabs(a1 - a0) / 360.0 * 2 * kPi * r / 3)));
    std::vector<segment> chords;
    auto at = [&](int i, int &x, int &y) {
        double a = (a0 + (a1 - a0) * i / n) * kPi / 180;
        x = static_cast<int>(std::lround(cx + r * std::cos(a)));
        y = static_cast<int>(std::lround(cy - r * std::sin(a)));
    };
    for (int i = 0; i < n; i++) {
        segment s;
        at(i, s.x0, s.y0);
        at(i + 1, s.x1, s.y1);
        chords.push_back(s);
    }
    return chords;
}

} // namespace

long
standing_pixels(const std::vector<box> &parts, const std::vector<covering> &covers, box &left)
{
    long count = 0;
    left = kNoBox;
    // Each part cut into the cells that the covers' edges make.
    for (const box &p : parts) {
        std::vector<int> xs = {p.x0, p.x1 + 1}, ys = {p.y0, p.y1 + 1};
        for (const covering &c : covers) {
            box m = meet(c.where, p);
            if (m.empty())
                continue;
            xs.insert(xs.end(), {m.x0, m.x1 + 1});
            ys.insert(ys.end(), {m.y0, m.y1 + 1});
        }
        std::sort(xs.begin(), xs.end());
        xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
        std::sort(ys.begin(), ys.end());
        ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
        for (size_t i = 0; i + 1 < xs.size(); i++)
            for (size_t j = 0; j + 1 < ys.size(); j++) {
                box cell = {xs[i], ys[j], xs[i + 1] - 1, ys[j + 1] - 1};
                bool covered = std::any_of(covers.begin(), covers.end(),
                                           [&](const covering &c) { return inside(cell, c.where); });
                if (!covered) {
                    count += cell.area();
                    left = join(left, cell);
                }
            }
    }
    return count;
}

long
area_of(const std::vector<box> &parts)
{
    long a = 0;
    for (const box &p : parts)
        a += p.area();
    return a;
}

bool
covered_since(const std::vector<covering> &covers, const box &b)
{
    return std::any_of(covers.begin(), covers.end(), [&](const covering &c) { return inside(b, c.where); });
}

box
segment_within(int x0, int y0, int x1, int y1, const box &b)
{
    if (b.empty())
        return b;
    double t0, t1;
    if (!segment_inside(x0, y0, x1, y1, b.x0 - 0.5, b.y0 - 0.5, b.x1 + 0.5, b.y1 + 0.5, t0, t1))
        return kNoBox;
    const double dx = double(x1) - x0, dy = double(y1) - y0;
    // The clipped ends lie within half a pixel of b; held there, so that
    // rounding an end of a very long segment cannot leave an int.
    auto on_b = [](double v, int low, int high) {
        return static_cast<int>(std::lround(std::clamp(v, low - 1.0, high + 1.0)));
    };
    double ax = x0 + t0 * dx, ay = y0 + t0 * dy, bx = x0 + t1 * dx, by = y0 + t1 * dy;
    box part = {on_b(std::min(ax, bx), b.x0, b.x1), on_b(std::min(ay, by), b.y0, b.y1),
                on_b(std::max(ax, bx), b.x0, b.x1), on_b(std::max(ay, by), b.y0, b.y1)};
    return meet(part, b);
}

namespace {

// Whether a drawing made at seq within bounds is gone under the covering
// c: covered whole, and no region saved between the two can bring it back.
// One kept for such a region is gone once the region is freed.
bool
covered_for_good(uint32_t seq, const box &bounds, const covering &c)
{
    return inside(bounds, c.where) && !saved_after(seq, bounds.x0, bounds.y0, bounds.x1, bounds.y1, c.seq);
}

} // namespace

// Something opaque drawn over the rectangle at seq (drawn_after: only what
// was drawn after that): the texts it reaches (cover_texts), the frames it
// is drawn over in part, and the shapes and lines it meets (clearing: in
// the background's colour), covered there.
void
cover(const box &area, const std::function<std::string()> &what, uint32_t seq, bool clearing, uint32_t drawn_after)
{
    cover_texts(area, what, seq, drawn_after);
    drop_held_reports(area);
    if (!clearing)
        note_frames_drawn_over(area, what, seq);
    bool met = false;
    for (seen_shape &s : shapes)
        if (s.seq > drawn_after && !meet(area, s.bounds).empty()) {
            s.covers.push_back({area, seq, clearing});
            s.cleared_since_wait = s.cleared_since_wait || clearing;
            met = true;
        }
    for (seen_line &l : lines)
        if (l.seq > drawn_after && !meet(area, l.bounds).empty()) {
            l.covers.push_back({area, seq});
            met = true;
        }
    if (!met)
        return;
    shapes.erase(std::remove_if(shapes.begin(), shapes.end(),
                                [&](const seen_shape &s) {
                                    return s.seq > drawn_after && covered_for_good(s.seq, s.bounds, {area, seq});
                                }),
                 shapes.end());
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [&](const seen_line &l) {
                                   return l.seq > drawn_after && covered_for_good(l.seq, l.bounds, {area, seq});
                               }),
                lines.end());
}

void
forget_covered_for_good()
{
    auto gone = [](uint32_t seq, const box &bounds, const std::vector<covering> &covers) {
        return std::any_of(covers.begin(), covers.end(),
                           [&](const covering &c) { return covered_for_good(seq, bounds, c); });
    };
    shapes.erase(std::remove_if(shapes.begin(), shapes.end(),
                                [&](const seen_shape &s) { return gone(s.seq, s.bounds, s.covers); }),
                 shapes.end());
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [&](const seen_line &l) { return gone(l.seq, l.bounds, l.covers); }),
                lines.end());
}

void
forget_drawing_area()
{
    unmark_texts([](const marked_text &m) { return m.marks.ink.y0 <= Maxy; });
    shapes.erase(std::remove_if(shapes.begin(), shapes.end(),
                                [](const seen_shape &s) { return s.bounds.y0 <= Maxy; }),
                 shapes.end());
    lines.erase(std::remove_if(lines.begin(), lines.end(), [](const seen_line &l) { return l.bounds.y0 <= Maxy; }),
                lines.end());
}

} // namespace draw_checking

using namespace draw_checking;

void
check_fill(int x0, int y0, int x1, int y1, int colour, int style, const char *how)
{
    if (!judging())
        return;
    box drawn = meet(ordered(x0, y0, x1, y1), viewport_box());
    if (drawn.empty())
        return;
    uint32_t seq = window_drawings();
    bool clearing = colour == black && style != FillStippled;
    std::string edge = past_edge(drawn);
    bool whole_window = drawn.x0 <= 0 && drawn.y0 <= 0 && drawn.x1 >= Maxx && drawn.y1 >= WinMaxy;
    if (!edge.empty() && !whole_window)
        report(std::string(how) + (clearing ? " clear " : " fill ") + describe(drawn) + " runs " + edge, drawn);
    // The whole drawing area cleared: a stage begins afresh (the bottom
    // strip's texts are covered as by any other clearing).
    if (clearing && drawn.x0 <= 0 && drawn.y0 <= 0 && drawn.x1 >= Maxx && drawn.y1 >= Maxy)
        forget_drawing_area();
    auto what = [&] { return std::string(how) + (clearing ? " clear " : " fill ") + describe(drawn); };
    if (style == FillStippled)
        return; // a stipple leaves what lies under it showing
    cover(drawn, what, seq, clearing);
    // A fill that can hold a line of text is a box; a smaller one (a point,
    // a cell, a bar of a plot) is not kept.
    bool box_sized = drawn.x1 - drawn.x0 >= CHeight && drawn.y1 - drawn.y0 >= CHeight;
    if (clearing || !box_sized)
        return;
    if (shapes.size() < kMostLines)
        shapes.push_back({seq, what(), drawn, {drawn}, {}, false, false, {}});
    else
        not_followed();
}

void
check_cells(int colour, const cell_rect *rects, int count)
{
    if (!judging())
        return;
    box view = viewport_box(), span = kNoBox;
    for (int i = 0; i < count; i++)
        span = join(span, meet({rects[i].x, rects[i].y, rects[i].x + rects[i].w - 1, rects[i].y + rects[i].h - 1},
                               view));
    if (span.empty())
        return;
    std::string edge = past_edge(span);
    if (!edge.empty())
        report("fill_rects cells " + describe(span) + " run " + edge, span);
    // Cells cover what lies under them; they are a pattern, not boxes.
    bool reaches = false;
    visit_marked_texts([&](const marked_text &m) { reaches = reaches || !meet(m.marks.ink, span).empty(); });
    reaches = reaches ||
              std::any_of(shapes.begin(), shapes.end(), [&](const seen_shape &s) { return !meet(s.bounds, span).empty(); }) ||
              std::any_of(lines.begin(), lines.end(), [&](const seen_line &l) { return !meet(l.bounds, span).empty(); });
    if (!reaches)
        return;
    uint32_t seq = window_drawings();
    for (int i = 0; i < count; i++) {
        box cell = meet({rects[i].x, rects[i].y, rects[i].x + rects[i].w - 1, rects[i].y + rects[i].h - 1}, view);
        if (!cell.empty())
            cover(cell, [&] { return "fill_rects cell " + describe(cell); }, seq, colour == black);
    }
}

void
check_line(int x0, int y0, int x1, int y1, int, const char *how)
{
    if (!judging())
        return;
    box span = ordered(x0, y0, x1, y1);
    // A polygon's edge drawn again as a line is a side of that shape, which
    // over a frame is a marker set on it, not a line run across it.
    const bool shape_side = outlines_last_polygon({x0, y0, x1, y1}, window_drawings());
    judge_segments({{x0, y0, x1, y1}}, span, std::string(how) + " line " + describe(span), !shape_side);
}

void
check_circle(int x, int y, int diameter)
{
    if (!judging())
        return;
    double r = diameter / 2.0;
    box span = ordered(x, y, x + diameter, y + diameter);
    judge_segments(arc_chords(x + r, y + r, r, 0, 360), span, "circle " + describe(span));
}

void
check_pie(int x, int y, int r)
{
    if (!judging())
        return;
    box span = {x - r, y - r, x + r, y + r};
    judge_segments(arc_chords(x, y, r, 0, 360), span, "pie " + describe(span));
}

void
check_polygon(int n, const int *points)
{
    if (!judging() || n < 1)
        return;
    box span = kNoBox;
    for (int i = 0; i < n; i++)
        span = join(span, {points[2 * i], points[2 * i + 1], points[2 * i], points[2 * i + 1]});
    outlined_sides = polygon_sides(n, points);
    outline_seq = window_drawings() + 1;
    judge_segments(outlined_sides, span, "polygon " + describe(span));
}

void
check_pattern_copy(int x, int y, int w, int h)
{
    if (!judging())
        return;
    box area = meet({held_far(x), held_far(y), held_far(int64_t{x} + w - 1), held_far(int64_t{y} + h - 1)},
                    viewport_box());
    if (area.empty())
        return;
    std::string edge = past_edge(area);
    if (!edge.empty())
        report("pattern copy " + describe(area) + " runs " + edge, area);
    cover(area, [&] { return "pattern copy " + describe(area); }, window_drawings(), false);
}
