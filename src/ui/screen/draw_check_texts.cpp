// The draw check's texts (draw_check.h): the ink of each text drawn, worked
// out from the font's metrics of each character within the text's own
// line; what hides it (columns whose whole height something opaque covers)
// or cuts it (part of a glyph's height covered); lines drawn through it;
// texts over texts and lines of text whose ink touches; and, at a key
// wait, the texts left showing in part or left alone where the box they
// were written in was taken down. The texts themselves are the window
// record's (window_record.h), which holds the marks kept here with each.
// Start at check_text.
#include <climits>
#include <cmath>

#include "ui/screen/box_places.h"
#include "ui/screen/draw_check.h"
#include "ui/screen/draw_check_parts.h"
#include "ui/screen/fonts.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/window_record.h"
#include "ui/screen/x_state.h"

namespace draw_checking {
namespace {

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

// Hides columns of t (their whole ink height covered at seq by what):
// faults that lie within what is hidden now are gone with them.
void
hide_columns(text_marks &t, int a0, int a1, uint32_t seq, const std::string &what)
{
    // The same columns hidden again (each page copy over a text the
    // pattern half covers) change nothing: a saved area put back that
    // takes the older hide takes this one too. Kept once, the list stays
    // short through a long run.
    if (std::any_of(t.hides.begin(), t.hides.end(),
                    [&](const hidden_columns &h) { return h.a0 == a0 && h.a1 == a1; }))
        return;
    t.hides.push_back({a0, a1, seq, what});
    merge_hidden(t);
    t.faults.erase(std::remove_if(t.faults.begin(), t.faults.end(),
                                  [&](const finding &f) { return columns_hidden(t, f.where.x0, f.where.x1); }),
                   t.faults.end());
    t.hidden = all_hidden(t);
}

void
drop_hidden_texts()
{
    unmark_texts([](const marked_text &m) {
        const text_marks &t = m.marks;
        return t.hidden && !saved_after(m.seq, t.ink.x0, t.ink.y0, t.ink.x1, t.ink.y1);
    });
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

// A text drawn across a frame or a line that stands where its glyphs go:
// a fault on it, judged at the next wait (a label's background drawn
// after it may still take the line away under it). Only the glyphs' ink
// the viewport lets through is drawn there: a line cut by it at a box's
// border leaves nothing on the frame.
void
text_across_lines(const std::string &ts, text_marks &t, uint32_t seq)
{
    auto found = [&](const box &part, const std::string &what) {
        t.faults.push_back({part, "text " + quoted(ts, t) + " drawn across " + what, seq});
    };
    const box view = viewport_box();
    for (const seen_shape &s : shapes) {
        if (!s.frame() || meet(s.bounds, t.ink).empty())
            continue;
        for (const box &side : s.parts)
            for (const box &g : t.glyphs) {
                box part = meet(meet(side, g), view);
                if (!part.empty() && !covered_since(s.covers, part))
                    return found(part, s.what);
            }
    }
    for (const seen_line &l : lines) {
        if (meet(l.bounds, t.ink).empty())
            continue;
        for (const box &g : t.glyphs) {
            box part = meet(segment_within(l.x0, l.y0, l.x1, l.y1, g), view);
            if (!part.empty() && !covered_since(l.covers, part))
                return found(part, l.what);
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
            report("text " + quoted(ns, n) + " drawn over " + quoted(m.s, t) + " not cleared first", n.ink);
        else if (touching)
            report("ink of text " + quoted(ns, n) + " touches the ink of " + quoted(m.s, t) + " on the line " +
                   (t.y < n.y ? "above" : "below"),
                   n.ink);
    });
}

// The glyphs of t that show (not hidden), as their bounds.
box
showing_part(const text_marks &t)
{
    box b = kNoBox;
    for (const box &g : t.glyphs)
        if (!columns_hidden(t, g.x0, g.x1))
            b = join(b, g);
    return b;
}

// How many columns of t's glyphs show (are not hidden).
int
showing_columns(const text_marks &t)
{
    std::vector<std::pair<int, int>> shown;
    for (const box &g : t.glyphs)
        shown.emplace_back(g.x0, g.x1);
    int count = 0, last = INT_MIN;
    std::sort(shown.begin(), shown.end());
    for (const auto &g : shown)
        for (int x = std::max(g.first, last + 1); x <= g.second; x++, last = x - 1)
            count += columns_hidden(t, x, x) ? 0 : 1;
    return count;
}

// Whether a shape with these bounds stands on the window.
bool
shape_stands(const box &bounds)
{
    return std::any_of(shapes.begin(), shapes.end(), [&](const seen_shape &s) { return same_box(s.bounds, bounds); });
}

} // namespace

void
forget_texts()
{
    unmark_texts([](const marked_text &) { return true; });
}

bool
text_background(const box &area, uint32_t seq)
{
    if (area.y1 - area.y0 >= 2 * CHeight)
        return false;
    bool found = false;
    visit_marked_texts([&](const marked_text &m) {
        found = found || (m.seq > seq && !m.marks.hidden && inside(m.marks.ink, area));
    });
    return found;
}

box
box_around(const box &ink)
{
    box around = kNoBox;
    for (const seen_shape &s : shapes)
        if (!s.frame() && inside(ink, s.bounds) && (around.empty() || s.bounds.area() < around.area()))
            around = s.bounds;
    return around;
}

// Something opaque drawn over the rectangle at seq (drawn_after: only what
// was drawn after that): hides the columns of the texts' glyphs whose whole
// height it covers and cuts the others it reaches. Any row of a glyph
// covered cuts it but the line's first rows alone: the glyphs are kept
// within their line's rows, so a descender's tail, which reaches into the
// next line by the font's design, is never cut, and the next line's first
// rows, which those tails share, go with the clearing of the line above.
// what() names the drawing, asked only for a fault's words: a field draws
// its nodes' cells a fill each.
void
cover_texts(const box &area, const std::function<std::string()> &what, uint32_t seq, uint32_t drawn_after)
{
    bool hid = false;
    visit_marked_texts([&](const marked_text &m) {
        text_marks &t = m.marks;
        if (t.hidden || m.seq <= drawn_after || meet(area, t.ink).empty())
            return;
        box cut = kNoBox;
        std::string words;
        for (const box &g : t.glyphs) {
            box part = meet(area, g);
            if (part.empty())
                continue;
            // The line's first rows are shared with the descender tails of
            // the line above, whose clearing takes them with it.
            const bool shared_row = part.y0 >= t.y && part.y1 <= t.shared_last;
            if (part.y0 == g.y0 && part.y1 == g.y1) {
                if (words.empty())
                    words = what();
                hide_columns(t, part.x0, part.x1, seq, words);
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
}

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

void
put_back_texts(const box &area, uint32_t before)
{
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
}

namespace {

// Whether t lies in one of kept, the boxes that stand now and that drawings
// keep clear of (standing_boxes.h): a modal box over part of one cuts it
// and its lines for as long as it stands, though its put back will show
// them whole.
bool
in_kept_box(const text_marks &t, const std::vector<box_place> &kept)
{
    return std::any_of(kept.begin(), kept.end(),
                       [&](const box_place &p) { return inside(t.ink, {p.x0, p.y0, p.x1, p.y1}); });
}

} // namespace

// At a wait: the faults found on each text (those under a modal box are
// judged when the box is put back, but in a kept box); a text hidden in
// part by what will not come back, or in a kept box, the rest of it
// showing; a text left standing where the box it was written in was taken
// down. Each is reported once.
void
judge_texts_at_wait()
{
    const std::vector<box_place> kept_boxes = kept_boxes_standing();
    visit_marked_texts([&](const marked_text &m) {
        text_marks &t = m.marks;
        const bool kept = in_kept_box(t, kept_boxes);
        auto waits = [&](uint32_t covered, const box &where) { return !kept && comes_back(m.seq, covered, where); };
        std::vector<finding> pending;
        for (const finding &f : t.faults)
            if (waits(f.seq, f.where))
                pending.push_back(f);
            else
                report(f.what);
        t.faults.swap(pending);
        // One column left of a text is a glyph's bearing by the clearing's
        // edge (a cell cleared beside it), no remnant a user tells.
        if (t.hidden || (!t.hides.empty() && showing_columns(t) <= 1))
            return;
        for (hidden_columns &h : t.hides) {
            // Columns from the last before where the point went on are the
            // next cell's (a glyph's overhang, by a bearing column): the
            // cursor's or the answer's clearing.
            if (h.what.empty() || h.a0 >= t.end_x - 1 || waits(h.seq, {h.a0, t.ink.y0, h.a1, t.ink.y1}))
                continue;
            report(quoted(m.s, t) + " hidden in part by " + h.what + "; " + describe(showing_part(t)) +
                   " of it still shows");
            // Reported once: what hid it is kept (a put back may take it).
            for (hidden_columns &other : t.hides)
                other.what.clear();
            break;
        }
        if (!t.owner.empty() && !shape_stands(t.owner)) {
            report(quoted(m.s, t) + " left standing alone where the box " + describe(t.owner) +
                   " it was written in was taken down");
            t.owner = kNoBox;
        }
    });
}

} // namespace draw_checking

using namespace draw_checking;

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
        report("text " + quoted(ts, *t) + " runs " + edge, t->ink);
    // Drawn in the background's colour, it takes away the same text; drawn
    // again, or drawn on from its start, it covers the old glyphs with the
    // same ones. A shorter text drawn over the start of a longer one leaves
    // the longer one's tail showing.
    const bool takes_away = colour == black;
    visit_marked_texts([&](const marked_text &m) {
        text_marks &old = m.marks;
        if (old.x != x || old.y != y || (!takes_away && old.hidden))
            return;
        if (takes_away ? m.s == ts : ts.rfind(m.s, 0) == 0)
            hide_columns(old, old.ink.x0, old.ink.x1, seq, "");
        else if (!takes_away && m.s.rfind(ts, 0) == 0)
            hide_columns(old, old.ink.x0, t->ink.x1, seq, "text \"" + ts + "\" written over it from its start");
    });
    drop_hidden_texts();
    if (takes_away)
        return nullptr;
    text_over_texts(ts, *t);
    text_across_lines(ts, *t, seq);
    t->owner = box_around(t->ink);
    return t;
}

void
check_point(int x, int y)
{
    if (!judging())
        return;
    // A point off the window, or off the viewport, shows nothing; one in
    // the bottom strip drawn from a viewport over it is meant there.
    if (!inside({x, y, x, y}, viewport_box()) || !inside({x, y, x, y}, {0, 0, Maxx, WinMaxy}))
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
