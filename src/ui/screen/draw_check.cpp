// The draw check (draw_check.h). It judges what stands on the window: the
// texts, which the window record holds (window_record.h), each with the
// check's marks (text_marks: the rectangles its glyphs' ink takes, from the
// font's metrics of each character within the text's own line, the columns
// of it that something opaque has hidden whole since and the faults found
// on it and not yet reported); the frames and filled boxes it keeps, each
// with what covered parts of it since; the lines it keeps (circles, arcs
// and polygons as their sides), each with what covered parts of it since.
// The texts, saved regions, the pause of a key wait and the order of
// drawings are the window record's: the check asks it. The hooks take any
// int the drawing passes (a computed point may be INT_MIN): lines are
// clipped in doubles, and the rectangles the check keeps are worked out in
// 64 bits and held within kFar of the window, so that nothing it adds or
// subtracts later overflows. Start at check_fill.
#include "ui/screen/draw_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/screen/box_places.h"
#include "ui/screen/draw_check_lines.h"
#include "ui/screen/fonts.h"
#include "ui/screen/segment_clip.h"
#include "ui/screen/window_record.h"
#include "ui/screen/x_state.h"

namespace {

// How far off the window the check follows a text's glyphs or an image:
// far past any window (X coordinates are 16 bits), and small enough that
// sums and differences of such coordinates stay within an int.
constexpr int kFar = 1 << 28;

// A coordinate worked out in 64 bits, held within kFar.
int
held_far(int64_t v)
{
    return static_cast<int>(std::clamp<int64_t>(v, -kFar, kFar));
}

// Inclusive pixel rectangle.
struct box {
    int x0, y0, x1, y1;
    bool empty() const { return x1 < x0 || y1 < y0; }
    long area() const { return empty() ? 0 : long(x1 - x0 + 1) * long(y1 - y0 + 1); }
};

constexpr box kNoBox = {0, 0, -1, -1};

box
meet(const box &a, const box &b)
{
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

box
join(const box &a, const box &b)
{
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

bool
inside(const box &a, const box &outer)
{
    return a.x0 >= outer.x0 && a.y0 >= outer.y0 && a.x1 <= outer.x1 && a.y1 <= outer.y1;
}

box
ordered(int x0, int y0, int x1, int y1)
{
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

std::string
describe(const box &b)
{
    char text[64];
    snprintf(text, sizeof text, "(%d,%d)-(%d,%d)", b.x0, b.y0, b.x1, b.y1);
    return text;
}

// Columns a0..a1 of a text hidden whole by something drawn at seq.
struct hidden_columns {
    int a0, a1;
    uint32_t seq;
};

// A fault found on a text, reported at the next key wait unless it is
// healed before: the part of the glyphs it touches and what did it.
struct finding {
    box where;
    std::string what;
    uint32_t seq;
};

} // namespace

// The marks the check keeps on a text the window record holds (the record
// keeps its string and its drawing's number): where its ink was worked out,
// the ink, what hid it since and the faults found on it.
struct text_marks {
    int x, y;                // its line's top-left corner as drawn
    int end_x;               // where the point went on after it
    int shared_last;         // the last of its rows the line above's descender tails reach
    box ink;                 // the glyphs' bounds
    std::vector<box> glyphs; // each character's ink within its line's rows
    std::vector<box> bodies; // each character's ink above its baseline
    bool hidden = false; // every column hidden; kept while a saved region may bring it back
    std::vector<hidden_columns> hides;
    // The hidden columns merged into disjoint spans, left to right (asked
    // for each glyph a drawing reaches: kept, not built at each question).
    std::vector<std::pair<int, int>> hidden_spans;
    std::vector<finding> faults;
};

namespace {

// Something opaque drawn over part of a shape at seq.
struct covering {
    box where;
    uint32_t seq;
};

// A frame or a filled box that stands on the window: its parts (a fill's
// rectangle, a frame's four sides), what covered them since, and whether a
// clearing reached it since the last key wait.
struct seen_shape {
    uint32_t seq;
    std::string what;
    box bounds;
    std::vector<box> parts;
    std::vector<covering> covers;
    bool cleared_since_wait = false;
    bool boxed = false; // a fill with a frame drawn round it: a box
};

// A line on the window (a side of a circle, arc or polygon too), with what
// covered parts of it since.
struct seen_line {
    uint32_t seq;
    int x0, y0, x1, y1;
    box bounds;
    std::string what;
    std::vector<covering> covers;
};

// Beyond this many lines, or shapes (a graph of many nodes), the check
// keeps no more until the drawing area is cleared: each fill and text is
// judged against those kept, and a plot draws many thousands.
constexpr size_t kMostLines = 256;

bool on = false;
uint64_t checked = 0, reported = 0;
std::vector<seen_shape> shapes;
std::vector<seen_line> lines;
std::vector<std::string> reports;
// The last text drawn in the prompt box's place: the question on screen.
std::string prompt;

// Whether the check judges a drawing now (on, and not in a key wait's
// blinking block); counts it when it does.
bool
judging()
{
    if (!on || window_record_paused())
        return false;
    checked++;
    return true;
}

void
report(const std::string &line)
{
    std::string text = kDrawCheckPrefix + line;
    if (!prompt.empty())
        text += "; prompt \"" + prompt + "\"";
    fprintf(stderr, "%s\n", text.c_str());
    reports.push_back(text);
    reported++;
}

// A text as its reports name it: s, with the marks t.
std::string
quoted(const std::string &s, const text_marks &t)
{
    return "\"" + s + "\" at " + describe(t.ink);
}

// Merges t's hidden columns into its spans, after they changed.
void
merge_hidden(text_marks &t)
{
    std::vector<std::pair<int, int>> spans;
    for (const hidden_columns &h : t.hides)
        spans.emplace_back(h.a0, h.a1);
    std::sort(spans.begin(), spans.end());
    t.hidden_spans.clear();
    for (const auto &s : spans)
        if (!t.hidden_spans.empty() && s.first <= t.hidden_spans.back().second + 1)
            t.hidden_spans.back().second = std::max(t.hidden_spans.back().second, s.second);
        else
            t.hidden_spans.push_back(s);
}

// Whether columns a0..a1 of t are hidden whole.
bool
columns_hidden(const text_marks &t, int a0, int a1)
{
    return std::any_of(t.hidden_spans.begin(), t.hidden_spans.end(),
                       [&](const std::pair<int, int> &s) { return s.first <= a0 && s.second >= a1; });
}

// Whether every glyph of t is hidden.
bool
all_hidden(const text_marks &t)
{
    return std::all_of(t.glyphs.begin(), t.glyphs.end(),
                       [&](const box &g) { return columns_hidden(t, g.x0, g.x1); });
}

// Hides columns of t (their whole ink height covered at seq): faults that
// lie within what is hidden now are gone with them.
void
hide_columns(text_marks &t, int a0, int a1, uint32_t seq)
{
    // The same columns hidden again (each page copy over a text the
    // pattern half covers) change nothing: a saved area put back that
    // takes the older hide takes this one too. Kept once, the list stays
    // short through a long run.
    if (std::any_of(t.hides.begin(), t.hides.end(),
                    [&](const hidden_columns &h) { return h.a0 == a0 && h.a1 == a1; }))
        return;
    t.hides.push_back({a0, a1, seq});
    merge_hidden(t);
    t.faults.erase(std::remove_if(t.faults.begin(), t.faults.end(),
                                  [&](const finding &f) { return columns_hidden(t, f.where.x0, f.where.x1); }),
                   t.faults.end());
    t.hidden = all_hidden(t);
}

// Takes the check's marks off every text.
void
forget_texts()
{
    unmark_texts([](const marked_text &) { return true; });
}

void
drop_hidden_texts()
{
    unmark_texts([](const marked_text &m) {
        const text_marks &t = m.marks;
        return t.hidden && !saved_after(m.seq, t.ink.x0, t.ink.y0, t.ink.x1, t.ink.y1);
    });
}

// The part of the rectangle list not covered by any of covers, in pixels,
// and its bounds: each part cut into the cells that the covers' edges make.
long
standing_pixels(const std::vector<box> &parts, const std::vector<covering> &covers, box &left)
{
    long count = 0;
    left = kNoBox;
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

// Something opaque drawn over the rectangle at seq (drawn_after: only what
// was drawn after that): hides the columns of the texts' glyphs whose whole
// height it covers and cuts the others it reaches; covers the shapes and
// lines it meets (clearing: in the background's colour). Any row of a
// glyph covered cuts it but the line's first rows alone: the glyphs are
// kept within their line's rows, so a descender's tail, which reaches into
// the next line by the font's design, is never cut, and the next line's
// first rows, which those tails share, go with the clearing of the line
// above. what() names the drawing, asked only for a fault's words: a
// field draws its nodes' cells a fill each.
template <typename Describe>
void
cover(const box &area, const Describe &what, uint32_t seq, bool clearing, uint32_t drawn_after = 0)
{
    bool hid = false;
    visit_marked_texts([&](const marked_text &m) {
        text_marks &t = m.marks;
        if (t.hidden || m.seq <= drawn_after || meet(area, t.ink).empty())
            return;
        box cut = kNoBox;
        for (const box &g : t.glyphs) {
            box part = meet(area, g);
            if (part.empty())
                continue;
            // The line's first rows are shared with the descender tails of
            // the line above, whose clearing takes them with it.
            const bool shared_row = part.y0 >= t.y && part.y1 <= t.shared_last;
            if (part.y0 == g.y0 && part.y1 == g.y1) {
                hide_columns(t, part.x0, part.x1, seq);
                hid = true;
            } else if (!shared_row && !columns_hidden(t, part.x0, part.x1))
                cut = join(cut, part);
        }
        if (!cut.empty() && !columns_hidden(t, cut.x0, cut.x1))
            t.faults.push_back({cut, what() + " cuts " + quoted(m.s, t) + " across rows " + std::to_string(cut.y0) +
                                         "-" + std::to_string(cut.y1) + " of its glyphs",
                                seq});
    });
    if (hid)
        drop_hidden_texts();
    bool met = false;
    for (seen_shape &s : shapes)
        if (s.seq > drawn_after && !meet(area, s.bounds).empty()) {
            s.covers.push_back({area, seq});
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
    // What is covered whole is gone for good.
    shapes.erase(std::remove_if(shapes.begin(), shapes.end(),
                                [&](const seen_shape &s) {
                                    return inside(s.bounds, area) && s.seq > drawn_after &&
                                           !saved_after(s.seq, s.bounds.x0, s.bounds.y0, s.bounds.x1, s.bounds.y1);
                                }),
                 shapes.end());
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [&](const seen_line &l) {
                                   return inside(l.bounds, area) && l.seq > drawn_after &&
                                          !saved_after(l.seq, l.bounds.x0, l.bounds.y0, l.bounds.x1, l.bounds.y1);
                               }),
                lines.end());
}

// What stands in the drawing area is gone with a clearing of all of it.
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

// Whether a rectangle drawn from the drawing area runs past the window's
// edge or into the bottom strip; the report's words when it does.
std::string
past_edge(const box &b)
{
    if (b.x0 < 0 || b.y0 < 0 || b.x1 > Maxx || b.y1 > WinMaxy)
        return "past the window's edge " + describe({0, 0, Maxx, WinMaxy});
    if (b.y0 <= Maxy && b.y1 > Maxy)
        return "into the bottom strip below row " + std::to_string(Maxy);
    return std::string();
}

box
viewport_box()
{
    return {view_x0, view_y0, view_x1, view_y1};
}

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

// The ink of each character of s drawn with its line's top at (x, y) in
// the font in use: within the line's rows (glyphs), and above the baseline
// (bodies, no descender's tail); end_x is where the point goes on.
void
glyphs_of(const char *s, int x_start, int y_start, int &end_x, std::vector<box> &glyphs,
          std::vector<box> &bodies)
{
    XFontStruct *font = loaded_font(font_in_use());
    // The baseline's offset below the top, added in 64 bits.
    int64_t x = x_start, y = y_start, baseline = y + line_baseline(0);
    // A rectangle of 64-bit corners, held within kFar.
    auto held_box = [](int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
        return box{held_far(x0), held_far(y0), held_far(x1), held_far(y1)};
    };
    for (const char *c = s; *c; c++) {
        if (!font) {
            if (*c != ' ') {
                glyphs.push_back(held_box(x, y, x + CWidth - 1, y + CHeight - 1));
                bodies.push_back(glyphs.back());
            }
            x += CWidth;
            continue;
        }
        int direction, ascent, descent;
        XCharStruct m;
        XTextExtents(font, c, 1, &direction, &ascent, &descent, &m);
        box full = held_box(x + m.lbearing, baseline - m.ascent, x + m.rbearing - 1, baseline + m.descent - 1);
        box g = meet(full, held_box(x + m.lbearing, y, x + m.rbearing - 1, y + CHeight - 1));
        if (!g.empty()) {
            glyphs.push_back(g);
            bodies.push_back({full.x0, full.y0, full.x1, std::min(full.y1, held_far(baseline - 1))});
        }
        x += m.width;
    }
    end_x = held_far(x);
}

box
bounds_of(const std::vector<box> &glyphs)
{
    box b = kNoBox;
    for (const box &g : glyphs)
        b = join(b, g);
    return b;
}

// The part of the segment (x0, y0)-(x1, y1) inside b, as its bounding box;
// empty when it misses b (Liang-Barsky clipping, in doubles, which hold
// any difference of two ints exactly).
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

// One segment of a drawing: its ends.
struct segment {
    int x0, y0, x1, y1;
};

// Segments (drawn at seq) through the glyphs of the texts on the window:
// each text they run through gets a fault where they touch its glyphs,
// unless hidden there.
void
mark_lines_through_text(const std::vector<segment> &segs, const std::string &what, uint32_t seq)
{
    box view = viewport_box();
    box span = kNoBox;
    for (const segment &l : segs)
        span = join(span, ordered(l.x0, l.y0, l.x1, l.y1));
    visit_marked_texts([&](const marked_text &m) {
        text_marks &t = m.marks;
        if (t.hidden || meet(span, t.ink).empty())
            return;
        bool crossed = false;
        for (const segment &l : segs)
            for (const box &g : t.glyphs) {
                if (crossed)
                    break;
                box part = segment_within(l.x0, l.y0, l.x1, l.y1, meet(g, view));
                if (part.empty() || columns_hidden(t, part.x0, part.x1))
                    continue;
                t.faults.push_back({part, what + " crosses " + quoted(m.s, t), seq});
                crossed = true;
            }
    });
}

// Keeps segments as lines that stand on the window (while there is room).
void
keep_lines(const std::vector<segment> &segs, const std::string &what, uint32_t seq)
{
    box view = viewport_box();
    for (const segment &l : segs) {
        if (lines.size() >= kMostLines)
            return;
        box b = meet(ordered(l.x0, l.y0, l.x1, l.y1), view);
        if (!b.empty())
            lines.push_back({seq, l.x0, l.y0, l.x1, l.y1, b, what, {}});
    }
}

// Whether the rectangle lies within one of the coverings.
bool
covered_since(const std::vector<covering> &covers, const box &b)
{
    return std::any_of(covers.begin(), covers.end(), [&](const covering &c) { return inside(b, c.where); });
}

// A shape or line drawn: its edge, what it crosses, and kept.
void
judge_segments(const std::vector<segment> &segs, const box &asked, const std::string &what)
{
    uint32_t seq = window_drawings();
    std::string edge = meets_window(asked) ? past_edge_unclipped(asked) : std::string();
    if (!edge.empty())
        report(what + " runs " + edge);
    mark_lines_through_text(segs, what, seq);
    keep_lines(segs, what, seq);
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

// Reports a text drawn across a frame or a line that stands where its
// glyphs go.
void
text_across_lines(const std::string &ts, const text_marks &t)
{
    for (const seen_shape &s : shapes) {
        if (s.parts.size() != 4 || meet(s.bounds, t.ink).empty())
            continue;
        for (const box &side : s.parts)
            for (const box &g : t.glyphs) {
                box part = meet(side, g);
                if (!part.empty() && !covered_since(s.covers, part)) {
                    report("text " + quoted(ts, t) + " drawn across " + s.what);
                    return;
                }
            }
    }
    for (const seen_line &l : lines) {
        if (meet(l.bounds, t.ink).empty())
            continue;
        for (const box &g : t.glyphs) {
            box part = segment_within(l.x0, l.y0, l.x1, l.y1, g);
            if (!part.empty() && !covered_since(l.covers, part)) {
                report("text " + quoted(ts, t) + " drawn across " + l.what);
                return;
            }
        }
    }
}

// Whether glyphs a and b share a pixel; one column only, on one line, is a
// bearing the font sets letters side by side with.
bool
glyphs_overlap(const box &a, const box &b, bool same_line)
{
    box both = meet(a, b);
    return !both.empty() && !(same_line && both.x0 == both.x1);
}

// A text ns drawn (its marks n) at t's place and over its glyphs: reports
// ink laid over another text's, or touching the ink of a line above or
// below.
void
text_over_texts(const std::string &ns, const text_marks &n)
{
    visit_marked_texts([&](const marked_text &m) {
        const text_marks &t = m.marks;
        if (t.hidden)
            return;
        box reach = {n.ink.x0, n.ink.y0 - CHeight, n.ink.x1, n.ink.y1 + CHeight};
        if (meet(reach, t.ink).empty())
            return;
        // A text that runs on from where t ended (a typed answer after its
        // question) may reach under t's last glyph by its bearing.
        bool same_line = t.y == n.y;
        if (same_line && t.end_x == n.x)
            return;
        // Lines apart by half a line or more are the lines above and below.
        bool other_line = std::abs(t.y - n.y) >= CHeight / 2;
        bool over = false, touching = false;
        if (!other_line) {
            for (const box &g : n.glyphs)
                for (const box &old : t.glyphs) {
                    box both = meet(g, old);
                    if (glyphs_overlap(g, old, same_line) && !columns_hidden(t, both.x0, both.x1))
                        over = true;
                }
        } else {
            const text_marks &upper = t.y < n.y ? t : n, &lower = t.y < n.y ? n : t;
            // The upper line's ink without a descender's tail, on the row
            // above the lower line's glyphs or on them, where t still shows:
            // t's columns are hidden glyph by glyph, so only the columns
            // where the two meet are asked.
            for (const box &b : upper.bodies)
                for (const box &g : lower.glyphs) {
                    box both = meet({b.x0, b.y0, b.x1, b.y1 + 1}, g);
                    touching = touching || (!both.empty() && !columns_hidden(t, both.x0, both.x1));
                }
        }
        if (over)
            report("text " + quoted(ns, n) + " drawn over " + quoted(m.s, t) + " not cleared first");
        else if (touching)
            report("ink of text " + quoted(ns, n) + " touches the ink of " + quoted(m.s, t) + " on the line " +
                   (t.y < n.y ? "above" : "below"));
    });
}

// Whether a covering of what was drawn at seq lies in a region saved in
// between, held now: a modal box that will be put back whole.
bool
comes_back(uint32_t seq, uint32_t covered, const box &where)
{
    return saved_between(seq, covered, where.x0, where.y0, where.x1, where.y1);
}

// Reports the frames and filled boxes a clearing took most of since the
// last wait with a piece left standing; forgets those taken whole. A shape
// under a modal box is judged when the box is put back.
void
judge_leftovers()
{
    const box window = {0, 0, Maxx, WinMaxy};
    for (seen_shape &s : shapes) {
        // A fill without a frame (a bar of a chart, a cell) may be cut
        // down by design.
        if (!s.cleared_since_wait || (s.parts.size() == 1 && !s.boxed)) {
            s.cleared_since_wait = false;
            continue;
        }
        if (std::any_of(s.covers.begin(), s.covers.end(),
                        [&](const covering &c) { return comes_back(s.seq, c.seq, c.where); }))
            continue;
        s.cleared_since_wait = false;
        // Only what lies on the window can be seen standing.
        std::vector<box> seen;
        for (const box &p : s.parts)
            if (!meet(p, window).empty())
                seen.push_back(meet(p, window));
        box left;
        long standing = standing_pixels(seen, s.covers, left);
        bool taken = 2 * standing <= area_of(seen);
        if (standing > 0 && taken)
            report("a piece " + describe(left) + " of " + s.what + " left standing after a clearing took the rest");
        if (taken)
            s.parts.clear();
    }
    shapes.erase(std::remove_if(shapes.begin(), shapes.end(), [](const seen_shape &s) { return s.parts.empty(); }),
                 shapes.end());
}

} // namespace

void
start_draw_check_from_environment()
{
    const char *value = getenv("ZEMRA_DRAW_CHECK");
    set_draw_check(value && strcmp(value, "1") == 0);
}

void
set_draw_check(bool enable)
{
    on = enable;
    forget_texts();
    shapes.clear();
    lines.clear();
    reports.clear();
    prompt.clear();
    checked = reported = 0;
}

bool
draw_check_on()
{
    return on;
}

std::shared_ptr<text_marks>
check_text(const char *s, int x, int y, int colour)
{
    if (!judging())
        return nullptr;
    auto t = std::make_shared<text_marks>();
    glyphs_of(s, x, y, t->end_x, t->glyphs, t->bodies);
    if (t->glyphs.empty())
        return nullptr; // blanks leave no ink
    const uint32_t seq = window_drawings();
    const std::string ts = s;
    t->x = x;
    t->y = y;
    int above_first = 0;
    line_ink_rows(held_far(int64_t{y} - CHeight), above_first, t->shared_last);
    t->ink = bounds_of(t->glyphs);
    if (x >= prompt_box_left(Maxx) && y < box_lines_bottom(4, CHeight, WinMaxy))
        prompt = s;
    std::string edge = past_edge(t->ink);
    if (!edge.empty())
        report("text " + quoted(ts, *t) + " runs " + edge);
    // Drawn in the background's colour, it takes away the same text; drawn
    // again, or drawn on from its start, it covers the old glyphs with the
    // same ones.
    const bool takes_away = colour == black;
    visit_marked_texts([&](const marked_text &m) {
        text_marks &old = m.marks;
        bool same = takes_away ? m.s == ts
                               : !old.hidden && (m.s.rfind(ts, 0) == 0 || ts.rfind(m.s, 0) == 0);
        if (same && old.x == x && old.y == y)
            hide_columns(old, old.ink.x0, old.ink.x1, seq);
    });
    drop_hidden_texts();
    if (takes_away)
        return nullptr;
    text_over_texts(ts, *t);
    text_across_lines(ts, *t);
    return t;
}

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
        report(std::string(how) + (clearing ? " clear " : " fill ") + describe(drawn) + " runs " + edge);
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
    if (!clearing && box_sized && shapes.size() < kMostLines)
        shapes.push_back({seq, what(), drawn, {drawn}, {}, false});
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
        report("fill_rects cells " + describe(span) + " run " + edge);
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
    judge_segments({{x0, y0, x1, y1}}, span, std::string(how) + " line " + describe(span));
}

void
check_outline(int x0, int y0, int x1, int y1, int colour, const char *how)
{
    if (!judging())
        return;
    box frame = ordered(x0, y0, x1, y1);
    std::string what = std::string(how) + " frame " + describe(frame);
    uint32_t seq = window_drawings();
    std::vector<box> sides = {{frame.x0, frame.y0, frame.x1, frame.y0},
                              {frame.x0, frame.y1, frame.x1, frame.y1},
                              {frame.x0, frame.y0, frame.x0, frame.y1},
                              {frame.x1, frame.y0, frame.x1, frame.y1}};
    if (colour == black) {
        // A frame drawn in the background's colour takes one away.
        for (const box &side : sides)
            cover(side, [&] { return what; }, seq, true);
        return;
    }
    std::string edge = past_edge(meet(frame, viewport_box()));
    if (!edge.empty())
        report(what + " runs " + edge);
    std::vector<segment> segs;
    for (const box &side : sides)
        segs.push_back({side.x0, side.y0, side.x1, side.y1});
    mark_lines_through_text(segs, what, seq);
    box view = viewport_box();
    std::vector<box> parts;
    for (const box &side : sides)
        if (!meet(side, view).empty())
            parts.push_back(meet(side, view));
    const auto same = [](const box &a, const box &b) {
        return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
    };
    for (seen_shape &s : shapes)
        if (s.parts.size() == 1 && same(s.bounds, frame))
            s.boxed = true;
    // The same frame drawn again, whole or within a narrower view (one kept
    // whole while a run goes on, or kept left of a panel that came over its
    // right part since): where nothing of the older one stands outside the
    // view, what stands of it is this drawing.
    const box drawn = meet(frame, view);
    shapes.erase(std::remove_if(shapes.begin(), shapes.end(),
                                [&](const seen_shape &s) {
                                    if (s.parts.size() != 4 || !(same(s.bounds, frame) || same(s.bounds, drawn)))
                                        return false;
                                    std::vector<covering> outside = s.covers;
                                    outside.push_back({view, seq});
                                    box left;
                                    return standing_pixels(s.parts, outside, left) == 0;
                                }),
                 shapes.end());
    if (parts.size() != 4)
        return;
    if (shapes.size() < kMostLines)
        shapes.push_back({seq, what, drawn, parts, {}, false});
}

void
check_point(int x, int y)
{
    if (!judging())
        return;
    // A point off the window, or off the viewport, shows nothing; one in
    // the bottom strip drawn from a viewport over it is meant there.
    if (!inside({x, y, x, y}, viewport_box()) || !meets_window({x, y, x, y}))
        return;
    visit_marked_texts([&](const marked_text &m) {
        text_marks &t = m.marks;
        if (t.hidden || !inside({x, y, x, y}, t.ink) || columns_hidden(t, x, x))
            return;
        for (const box &g : t.glyphs)
            if (inside({x, y, x, y}, g)) {
                t.faults.push_back({{x, y, x, y},
                                    "point (" + std::to_string(x) + "," + std::to_string(y) + ") lies on " + quoted(m.s, t),
                                    window_drawings()});
                break;
            }
    });
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
    judge_segments(polygon_sides(n, points), span, "polygon " + describe(span));
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
        report("pattern copy " + describe(area) + " runs " + edge);
    cover(area, [&] { return "pattern copy " + describe(area); }, window_drawings(), false);
}

void
check_put_image(image_slot pixmap, int x, int y, int w, int h)
{
    if (!judging())
        return;
    const box put = {held_far(x), held_far(y), held_far(int64_t{x} + w - 1), held_far(int64_t{y} + h - 1)};
    box area = meet(put, viewport_box());
    uint32_t seq = window_drawings();
    saved_window_area saved;
    if (!saved_area_of(pixmap, saved) || saved.x0 != x || saved.y0 != y) {
        cover(area, [&] { return "image put " + describe(area); }, seq, false);
        return;
    }
    box was = {saved.x0, saved.y0, saved.x1, saved.y1};
    if (was.x1 - was.x0 + 1 != w || was.y1 - was.y0 + 1 != h)
        report("saved area " + describe(was) + " put back as " + describe(put));
    // What lay there when it was saved comes back: what was drawn over it
    // since is covered, the older drawings lose what hid, cut or covered
    // them since.
    uint32_t before = saved.drawn_before;
    visit_marked_texts([&](const marked_text &m) {
        text_marks &t = m.marks;
        if (m.seq > before || meet(area, t.ink).empty())
            return;
        t.hides.erase(std::remove_if(t.hides.begin(), t.hides.end(),
                                     [&](const hidden_columns &hc) {
                                         return hc.seq > before && hc.a0 >= area.x0 && hc.a1 <= area.x1;
                                     }),
                      t.hides.end());
        merge_hidden(t);
        t.faults.erase(std::remove_if(t.faults.begin(), t.faults.end(),
                                      [&](const finding &f) { return f.seq > before && inside(f.where, area); }),
                       t.faults.end());
        t.hidden = all_hidden(t);
    });
    auto undo = [&](std::vector<covering> &covers) {
        covers.erase(std::remove_if(covers.begin(), covers.end(),
                                    [&](const covering &c) { return c.seq > before && inside(c.where, area); }),
                     covers.end());
    };
    for (seen_shape &s : shapes)
        if (s.seq <= before)
            undo(s.covers);
    for (seen_line &l : lines)
        if (l.seq <= before)
            undo(l.covers);
    cover(area, [&] { return "saved area put back " + describe(area); }, seq, true, before);
}

void
check_text_redrawn(const std::string &s, int x, int y, int x0, int y0, int x1, int y1)
{
    if (!on)
        return;
    box area = {x0, y0, x1, y1};
    visit_marked_texts([&](const marked_text &m) {
        text_marks &t = m.marks;
        if (m.s != s || t.x != x || t.y != y)
            return;
        t.faults.erase(std::remove_if(t.faults.begin(), t.faults.end(),
                                      [&](const finding &f) { return inside(f.where, area); }),
                       t.faults.end());
        t.hides.erase(std::remove_if(t.hides.begin(), t.hides.end(),
                                     [&](const hidden_columns &hc) { return hc.a0 >= x0 && hc.a1 <= x1; }),
                      t.hides.end());
        merge_hidden(t);
        t.hidden = all_hidden(t);
    });
}

void
check_window_redrawn()
{
    if (!on)
        return;
    forget_texts();
    shapes.clear();
    lines.clear();
}

void
draw_check_at_wait()
{
    if (!on)
        return;
    // A fault under a modal box is judged when the box is put back.
    visit_marked_texts([&](const marked_text &m) {
        std::vector<finding> pending;
        for (const finding &f : m.marks.faults)
            if (comes_back(m.seq, f.seq, f.where))
                pending.push_back(f);
            else
                report(f.what);
        m.marks.faults.swap(pending);
    });
    judge_leftovers();
}

std::vector<std::string>
take_draw_check_reports()
{
    draw_check_at_wait();
    std::vector<std::string> taken;
    taken.swap(reports);
    return taken;
}

void
draw_check_summary()
{
    if (!on)
        return;
    draw_check_at_wait();
    fprintf(stderr, "%s%llu%s%llu reported\n", kDrawCheckPrefix, static_cast<unsigned long long>(checked),
            kDrawCheckCountMark, static_cast<unsigned long long>(reported));
}
