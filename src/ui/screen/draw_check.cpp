// The draw check (draw_check.h). It keeps the texts on the window, each with
// the rectangles its glyphs' ink takes (from the font's metrics of each
// character, within the text's own line: a descender's tail reaches into
// the next line by the font's design), the columns of it that something
// opaque has hidden whole since, and the faults found on it and not yet
// reported. A fill over part of a glyph's height is a cut; over its whole
// height it hides those columns. A saved region put back at its place takes
// away what was drawn over it since. The hooks take any int the drawing
// passes (a computed point may be INT_MIN): lines are clipped in doubles,
// and the rectangles the check keeps are worked out in 64 bits and held
// within kFar of the window, so that nothing it adds or subtracts later
// overflows. Start at check_fill.
#include "ui/screen/draw_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/screen/box_places.h"
#include "ui/screen/fonts.h"
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
};

box
meet(const box &a, const box &b)
{
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

bool
inside(const box &a, const box &outer)
{
    return a.x0 >= outer.x0 && a.y0 >= outer.y0 && a.x1 <= outer.x1 && a.y1 <= outer.y1;
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

struct seen_text {
    uint32_t seq;
    std::string s;
    int x, y;
    int end_x;               // where the point went on after it
    box ink;                 // the glyphs' bounds
    std::vector<box> glyphs; // each character's ink
    bool hidden = false; // every column hidden; kept while a saved region may bring it back
    std::vector<hidden_columns> hides;
    std::vector<finding> faults;
};

struct capture {
    image_slot pixmap;
    uint32_t seq;
    box area;
};

bool on = false;
bool paused = false;
uint32_t next_seq = 1;
uint64_t checked = 0, reported = 0;
std::vector<seen_text> texts;
std::vector<capture> captures;
std::vector<std::string> reports;
// The last text drawn in the prompt box's place: the question on screen.
std::string prompt;

void
report(const std::string &line)
{
    std::string text = "draw check: " + line;
    if (!prompt.empty())
        text += "; prompt \"" + prompt + "\"";
    fprintf(stderr, "%s\n", text.c_str());
    reports.push_back(text);
    reported++;
}

std::string
quoted(const seen_text &t)
{
    return "\"" + t.s + "\" at " + describe(t.ink);
}

// Whether columns a0..a1 of t are hidden whole.
bool
columns_hidden(const seen_text &t, int a0, int a1)
{
    // The hidden spans, merged from the left.
    std::vector<std::pair<int, int>> spans;
    for (const hidden_columns &h : t.hides)
        spans.emplace_back(h.a0, h.a1);
    std::sort(spans.begin(), spans.end());
    int reach = a0 - 1;
    for (const auto &s : spans) {
        if (s.first > reach + 1)
            break;
        reach = std::max(reach, s.second);
    }
    return reach >= a1;
}

// Whether every glyph of t is hidden.
bool
all_hidden(const seen_text &t)
{
    return std::all_of(t.glyphs.begin(), t.glyphs.end(),
                       [&](const box &g) { return columns_hidden(t, g.x0, g.x1); });
}

// Hides columns of t (their whole ink height covered at seq): faults that
// lie within what is hidden now are gone with them.
void
hide_columns(seen_text &t, int a0, int a1, uint32_t seq)
{
    t.hides.push_back({a0, a1, seq});
    t.faults.erase(std::remove_if(t.faults.begin(), t.faults.end(),
                                  [&](const finding &f) { return columns_hidden(t, f.where.x0, f.where.x1); }),
                   t.faults.end());
    t.hidden = all_hidden(t);
}

// Whether a saved region still held could bring t back.
bool
may_come_back(const seen_text &t)
{
    return std::any_of(captures.begin(), captures.end(), [&](const capture &c) {
        return c.seq > t.seq && !meet(c.area, t.ink).empty();
    });
}

void
drop_hidden_texts()
{
    texts.erase(std::remove_if(texts.begin(), texts.end(),
                               [](const seen_text &t) { return t.hidden && !may_come_back(t); }),
                texts.end());
}

// Rows of a glyph a covering may take without cutting it: the tail of a
// descender, or the top row of a tall letter, that the line next to it
// touches by the font's design.
constexpr int kGlyphEdgeRows = 2;

// Something opaque drawn over the rectangle: hides the columns of the texts'
// glyphs whose whole height it covers, and cuts the others it reaches.
void
cover(const box &area, const std::string &what, uint32_t seq, uint32_t drawn_after = 0)
{
    for (seen_text &t : texts) {
        if (t.hidden || t.seq < drawn_after || meet(area, t.ink).empty())
            continue;
        box cut = {0, 0, -1, -1};
        for (const box &g : t.glyphs) {
            box part = meet(area, g);
            if (part.empty())
                continue;
            if (part.y0 == g.y0 && part.y1 == g.y1)
                hide_columns(t, part.x0, part.x1, seq);
            else if (part.y1 - part.y0 + 1 > kGlyphEdgeRows && !columns_hidden(t, part.x0, part.x1))
                cut = cut.empty() ? part : box{std::min(cut.x0, part.x0), std::min(cut.y0, part.y0),
                                               std::max(cut.x1, part.x1), std::max(cut.y1, part.y1)};
        }
        if (!cut.empty() && !columns_hidden(t, cut.x0, cut.x1))
            t.faults.push_back({cut, what + " cuts " + quoted(t) + " across rows " + std::to_string(cut.y0) +
                                         "-" + std::to_string(cut.y1) + " of its glyphs",
                                seq});
    }
    drop_hidden_texts();
}

// The texts of the drawing area are gone with a clearing of all of it.
void
forget_drawing_area()
{
    texts.erase(std::remove_if(texts.begin(), texts.end(), [](const seen_text &t) { return t.ink.y0 <= Maxy; }),
                texts.end());
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

// The ink of each character of s drawn with its line's top at (x, y) in
// the font in use, within the line's rows; end_x is where the point goes on.
std::vector<box>
glyphs_of(const char *s, int x_start, int y_start, int &end_x)
{
    XFontStruct *font = loaded_font(font_in_use());
    int64_t x = x_start, y = y_start, baseline = y + CHeight - 2;
    // A rectangle of 64-bit corners, held within kFar.
    auto held_box = [](int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
        return box{held_far(x0), held_far(y0), held_far(x1), held_far(y1)};
    };
    std::vector<box> glyphs;
    for (const char *c = s; *c; c++) {
        if (!font) {
            if (*c != ' ')
                glyphs.push_back(held_box(x, y, x + CWidth - 1, y + CHeight - 1));
            x += CWidth;
            continue;
        }
        int direction, ascent, descent;
        XCharStruct m;
        XTextExtents(font, c, 1, &direction, &ascent, &descent, &m);
        box g = meet(held_box(x + m.lbearing, baseline - m.ascent, x + m.rbearing - 1, baseline + m.descent - 1),
                     held_box(x + m.lbearing, y, x + m.rbearing - 1, y + CHeight - 1));
        if (!g.empty())
            glyphs.push_back(g);
        x += m.width;
    }
    end_x = held_far(x);
    return glyphs;
}

box
bounds_of(const std::vector<box> &glyphs)
{
    box b = glyphs.front();
    for (const box &g : glyphs)
        b = {std::min(b.x0, g.x0), std::min(b.y0, g.y0), std::max(b.x1, g.x1), std::max(b.y1, g.y1)};
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
    double t0 = 0, t1 = 1, dx = double(x1) - x0, dy = double(y1) - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - (b.x0 - 0.5), (b.x1 + 0.5) - x0, y0 - (b.y0 - 0.5), (b.y1 + 0.5) - y0};
    for (int i = 0; i < 4; i++) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return {0, 0, -1, -1};
            continue;
        }
        double r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
    }
    if (t0 > t1)
        return {0, 0, -1, -1};
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

box
viewport_box()
{
    return {view_x0, view_y0, view_x1, view_y1};
}

// Lines (x0, y0, x1, y1 each) drawn at seq: each text they run through
// gets a fault where they touch its glyphs, unless hidden there.
void
mark_lines_through_text(const std::vector<box> &lines, const std::string &what, uint32_t seq)
{
    box view = viewport_box();
    for (seen_text &t : texts) {
        if (t.hidden)
            continue;
        bool crossed = false;
        for (const box &l : lines)
            for (const box &g : t.glyphs) {
                box part = segment_within(l.x0, l.y0, l.x1, l.y1, meet(g, view));
                if (crossed || part.empty() || columns_hidden(t, part.x0, part.x1))
                    continue;
                t.faults.push_back({part, what + " crosses " + quoted(t), seq});
                crossed = true;
            }
    }
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
    texts.clear();
    captures.clear();
    reports.clear();
    prompt.clear();
    checked = reported = 0;
}

bool
draw_check_on()
{
    return on;
}

void
pause_draw_check(bool p)
{
    paused = p;
}

void
check_text(const char *s, int x, int y, int colour)
{
    if (!on || paused)
        return;
    checked++;
    int end_x = x;
    std::vector<box> glyphs = glyphs_of(s, x, y, end_x);
    if (glyphs.empty())
        return; // blanks leave no ink
    box ink = bounds_of(glyphs);
    uint32_t seq = next_seq++;
    if (x >= prompt_box_left(Maxx) && y < box_lines_bottom(4, CHeight, WinMaxy))
        prompt = s;
    std::string edge = past_edge(ink);
    if (!edge.empty())
        report("text \"" + std::string(s) + "\" at " + describe(ink) + " runs " + edge);
    if (colour == black) {
        // Drawn in the background's colour: it takes away the same text.
        for (seen_text &t : texts)
            if (t.s == s && t.x == x && t.y == y)
                hide_columns(t, t.ink.x0, t.ink.x1, seq);
        drop_hidden_texts();
        return;
    }
    for (seen_text &t : texts) {
        if (t.hidden || meet(ink, t.ink).empty())
            continue;
        // The same line drawn again, or drawn on from its start, covers
        // the old glyphs with the same ones.
        bool same_start = t.x == x && t.y == y;
        if (same_start && (t.s.rfind(s, 0) == 0 || std::string(s).rfind(t.s, 0) == 0)) {
            hide_columns(t, t.ink.x0, t.ink.x1, seq);
            continue;
        }
        // A text that runs on from where t ended (a typed answer after its
        // question) may reach under t's last glyph by its bearing, as the
        // font sets such letters side by side.
        if (t.y == y && t.end_x == x)
            continue;
        for (const box &g : glyphs) {
            bool over = std::any_of(t.glyphs.begin(), t.glyphs.end(), [&](const box &old) {
                box both = meet(g, old);
                // Glyphs that touch by a pixel (a bearing) are no overlap.
                return !both.empty() && both.x1 > both.x0 && both.y1 > both.y0 &&
                       !columns_hidden(t, both.x0, both.x1);
            });
            if (over) {
                report("text \"" + std::string(s) + "\" at " + describe(ink) + " drawn over " + quoted(t) +
                       " not cleared first");
                break;
            }
        }
    }
    drop_hidden_texts();
    texts.push_back({seq, s, x, y, end_x, ink, std::move(glyphs), false, {}, {}});
}

void
check_fill(int x0, int y0, int x1, int y1, int colour, int style, const char *how)
{
    if (!on || paused)
        return;
    checked++;
    box asked = {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
    box drawn = meet(asked, viewport_box());
    if (drawn.empty())
        return;
    uint32_t seq = next_seq++;
    bool clearing = colour == black && style != FillStippled;
    if (!clearing) {
        std::string edge = past_edge(drawn);
        if (!edge.empty())
            report(std::string(how) + " fill " + describe(drawn) + " runs " + edge);
    }
    // The whole drawing area cleared: a stage begins afresh (the bottom
    // strip's texts are covered as by any other clearing).
    if (clearing && drawn.x0 <= 0 && drawn.y0 <= 0 && drawn.x1 >= Maxx && drawn.y1 >= Maxy)
        forget_drawing_area();
    cover(drawn, std::string(how) + (clearing ? " clear " : " fill ") + describe(drawn), seq);
}

void
check_line(int x0, int y0, int x1, int y1, const char *how)
{
    if (!on || paused)
        return;
    checked++;
    // A plot's line is clipped to its area by design; its frame and its
    // texts show where the plot runs past the window.
    box span = {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
    mark_lines_through_text({{x0, y0, x1, y1}}, std::string(how) + " line " + describe(span), next_seq++);
}

void
check_outline(int x0, int y0, int x1, int y1, int colour, const char *how)
{
    if (!on || paused)
        return;
    checked++;
    box frame = {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
    std::string what = std::string(how) + " frame " + describe(frame);
    if (colour != black) {
        std::string edge = past_edge(frame);
        if (!edge.empty())
            report(what + " runs " + edge);
    }
    mark_lines_through_text({{frame.x0, frame.y0, frame.x1, frame.y0},
                             {frame.x0, frame.y1, frame.x1, frame.y1},
                             {frame.x0, frame.y0, frame.x0, frame.y1},
                             {frame.x1, frame.y0, frame.x1, frame.y1}},
                            what, next_seq++);
}

void
check_capture(image_slot pixmap, int x0, int y0, int x1, int y1)
{
    if (!on)
        return;
    check_capture_freed(pixmap);
    captures.push_back({pixmap, next_seq++, {x0, y0, x1, y1}});
}

void
check_capture_freed(image_slot pixmap)
{
    if (!on)
        return;
    captures.erase(std::remove_if(captures.begin(), captures.end(),
                                  [&](const capture &c) { return c.pixmap == pixmap; }),
                   captures.end());
    drop_hidden_texts();
}

void
check_put_image(image_slot pixmap, int x, int y, int w, int h)
{
    if (!on || paused)
        return;
    checked++;
    box area = meet({held_far(x), held_far(y), held_far(int64_t{x} + w - 1), held_far(int64_t{y} + h - 1)},
                    viewport_box());
    auto c = std::find_if(captures.begin(), captures.end(), [&](const capture &k) {
        return k.pixmap == pixmap && k.area.x0 == x && k.area.y0 == y;
    });
    uint32_t seq = next_seq++;
    if (c == captures.end()) {
        cover(area, "image put " + describe(area), seq);
        return;
    }
    // What lay there when it was saved comes back: texts drawn over it
    // since are covered, the older ones lose what hid or cut them since.
    uint32_t saved = c->seq;
    for (seen_text &t : texts) {
        if (t.seq > saved || meet(area, t.ink).empty())
            continue;
        t.hides.erase(std::remove_if(t.hides.begin(), t.hides.end(),
                                     [&](const hidden_columns &hc) {
                                         return hc.seq > saved && hc.a0 >= area.x0 && hc.a1 <= area.x1;
                                     }),
                      t.hides.end());
        t.faults.erase(std::remove_if(t.faults.begin(), t.faults.end(),
                                      [&](const finding &f) { return f.seq > saved && inside(f.where, area); }),
                       t.faults.end());
        t.hidden = all_hidden(t);
    }
    cover(area, "saved area put back " + describe(area), seq, saved + 1);
}

void
check_text_redrawn(const std::string &s, int x, int y, int x0, int y0, int x1, int y1)
{
    if (!on)
        return;
    box area = {x0, y0, x1, y1};
    for (seen_text &t : texts) {
        if (t.s != s || t.x != x || t.y != y)
            continue;
        t.faults.erase(std::remove_if(t.faults.begin(), t.faults.end(),
                                      [&](const finding &f) { return inside(f.where, area); }),
                       t.faults.end());
        t.hides.erase(std::remove_if(t.hides.begin(), t.hides.end(),
                                     [&](const hidden_columns &hc) { return hc.a0 >= x0 && hc.a1 <= x1; }),
                      t.hides.end());
        t.hidden = all_hidden(t);
    }
}

void
check_window_redrawn()
{
    if (!on)
        return;
    texts.clear();
    captures.clear();
}

void
draw_check_at_wait()
{
    if (!on)
        return;
    for (seen_text &t : texts) {
        for (const finding &f : t.faults)
            report(f.what);
        t.faults.clear();
    }
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
    fprintf(stderr, "draw check: %llu drawings checked, %llu reported\n",
            static_cast<unsigned long long>(checked), static_cast<unsigned long long>(reported));
}
