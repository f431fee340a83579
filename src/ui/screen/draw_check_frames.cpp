// The draw check's frames (draw_check.h): the frames of boxes it keeps, and
// at a key wait what a user sees wrong with one: drawn over in part by a
// fill, cells or a pattern copy; crossed by a line that runs from inside it
// to outside; broken by a clearing that took a little of it; taken down in
// part, a piece left standing (filled boxes too); and a box that stands
// (standing_boxes.h) filled but without its frame. Start at check_outline.
#include "ui/screen/draw_check.h"
#include "ui/screen/draw_check_parts.h"
#include "ui/screen/segment_clip.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/window_record.h"
#include "ui/screen/x_state.h"

namespace draw_checking {
namespace {

// The owners of standing boxes, each box drawn filled and framed, as the
// reports name them.
struct owner_name {
    box_owner owner;
    const char *name;
};
constexpr owner_name kOwners[] = {
    {box_owner::top_line, "a top line"},        {box_owner::settings_prompt, "the settings prompt"},
    {box_owner::rule, "the rule"},              {box_owner::colour_key, "the colour key"},
    {box_owner::frozen_key, "the frozen key"},  {box_owner::plotted_count, "the plotted count"},
    {box_owner::sweep_graph, "a sweep graph"},
};

// How far past a frame a line may reach and be a tick on it (a progress
// bar's mark of a new basin reaches two pixels past the bar's frame).
constexpr double kTickReach = 3;

// A frame smaller than kLeastBox both ways, or lower or narrower than
// kLeastTextBox (no line of text fits in it), is a mark, not a box: a node
// of a network's graph or of a basin's, whose links are drawn to it.
constexpr int kLeastBox = 12;
constexpr int kLeastTextBox = 8;
// How deep into a frame a line may end and be a link drawn to its edge (a
// state of a basin drawn as a square of cells, its links ending a few
// pixels inside the corner they reach).
constexpr int kLinkDepth = 4;

// Whether segment l, as far as the viewport lets it through, has pixels
// deeper than a link's end inside frame b and reaches out of it farther
// than a tick: it runs across a side.
bool
runs_across(segment l, const box &b)
{
    const int w = b.x1 - b.x0, h = b.y1 - b.y0;
    if ((w < kLeastBox && h < kLeastBox) || w < kLeastTextBox || h < kLeastTextBox)
        return false;
    box v = viewport_box();
    if (!cut_segment_to(l.x0, l.y0, l.x1, l.y1, v.x0, v.y0, v.x1, v.y1))
        return false;
    if (segment_within(l.x0, l.y0, l.x1, l.y1,
                       {b.x0 + kLinkDepth + 1, b.y0 + kLinkDepth + 1, b.x1 - kLinkDepth - 1, b.y1 - kLinkDepth - 1})
            .empty())
        return false;
    double t0, t1;
    const double reach = kTickReach + 0.5;
    bool meets = segment_inside(l.x0, l.y0, l.x1, l.y1, b.x0 - reach, b.y0 - reach, b.x1 + reach, b.y1 + reach, t0, t1);
    return !meets || t0 > 0 || t1 < 1;
}

// Whether b is the place of a block: a fill framed round its own edge (a
// fill lower or narrower than a line of text is not kept: its frame
// stands for it).
bool
block_at(const box &b)
{
    bool framed = false, filled = b.x1 - b.x0 < CHeight || b.y1 - b.y0 < CHeight;
    for (const seen_shape &s : shapes) {
        if (!same_box(s.bounds, b))
            continue;
        framed = framed || s.frame();
        filled = filled || (!s.frame() && s.boxed);
    }
    return framed && filled;
}

bool
same_width(const box &a, const box &b)
{
    return a.x1 - a.x0 == b.x1 - b.x0;
}

// Whether block front, drawn over the frame of block behind, stands nearer
// in an oblique view of blocks of one width drawn from the back row to the
// front one (the rule sample's frequency histogram): its foot lower, set
// off sideways from the one behind. Hiding the blocks behind is what such
// a view does; two boxes of one place stacked are not taken for one.
bool
in_front(const box &front, const box &behind)
{
    return same_width(front, behind) && front.x0 != behind.x0 && front.y1 > behind.y1 &&
           block_at(front) && block_at(behind);
}

// Whether (x, y) is a corner of a block as wide as b.
bool
block_corner(int x, int y, const box &b)
{
    return std::any_of(shapes.begin(), shapes.end(), [&](const seen_shape &s) {
        const box &c = s.bounds;
        return s.frame() && same_width(c, b) && (x == c.x0 || x == c.x1) && (y == c.y0 || y == c.y1) &&
               block_at(c);
    });
}

// Whether segment l joins the corners of two blocks of an oblique view
// across block b of theirs (the edges between the tops of neighbouring
// blocks, drawn in depth order with them).
bool
joins_blocks(const segment &l, const box &b)
{
    return block_at(b) && block_corner(l.x0, l.y0, b) && block_corner(l.x1, l.y1, b);
}

// Whether a line from (x, y) to (x + dx, y + dy), drawn either way, is kept.
bool
line_kept(int x, int y, int dx, int dy)
{
    return std::any_of(lines.begin(), lines.end(), [&](const seen_line &l) {
        return (l.x0 == x && l.y0 == y && l.x1 == x + dx && l.y1 == y + dy) ||
               (l.x1 == x && l.y1 == y && l.x0 == x + dx && l.y0 == y + dy);
    });
}

// Whether frame b is the front face of an oblique block (a 2d+time view's
// stack of frames, its first frame's plane the top face): the top face's
// sides from both of b's top corners, up and to the right alike, are kept
// lines. Gives their run (dx, dy).
bool
block_depth(const box &b, int &dx, int &dy)
{
    for (const seen_line &l : lines) {
        const bool from_start = l.x0 == b.x1 && l.y0 == b.y0, from_end = l.x1 == b.x1 && l.y1 == b.y0;
        if (!from_start && !from_end)
            continue;
        dx = from_start ? l.x1 - l.x0 : l.x0 - l.x1;
        dy = from_start ? l.y1 - l.y0 : l.y0 - l.y1;
        if (dx > 0 && dy < 0 && line_kept(b.x0, b.y0, dx, dy))
            return true;
    }
    return false;
}

// Whether (x, y) lies within the oblique block of front face b and run
// (dx, dy) (dx > 0, dy < 0): on the face moved back by a share t in
// [0, 1] of the run, with half a pixel's slack.
bool
within_block(double x, double y, const box &b, int dx, int dy)
{
    const double lo = std::max({0.0, (x - b.x1 - 0.5) / dx, (b.y0 - y - 0.5) / -dy});
    const double hi = std::min({1.0, (x - b.x0 + 0.5) / dx, (b.y1 - y + 0.5) / -dy});
    return lo <= hi;
}

// Whether segment l lies on a plane within the oblique block whose front
// face is frame b, along its top face (level, or along the block's run): a
// frame's plane drawn inside a 2d+time view's stack where a change came,
// seen through the front face as the frames' cells are.
bool
on_block_plane(const segment &l, const box &b)
{
    int dx, dy;
    if (!block_depth(b, dx, dy))
        return false;
    const int64_t ex = int64_t{l.x1} - l.x0, ey = int64_t{l.y1} - l.y0;
    return (ey == 0 || ex * dy == ey * dx) && within_block(l.x0, l.y0, b, dx, dy) &&
           within_block(l.x1, l.y1, b, dx, dy);
}

// Reports the faults found on s (drawn over, crossed) that still show: not
// under a modal box (judged when it is put back), not cleared since.
void
judge_frame_faults(seen_shape &s)
{
    std::vector<finding> pending;
    for (const finding &f : s.faults) {
        if (comes_back(s.seq, f.seq, f.where)) {
            pending.push_back(f);
            continue;
        }
        bool cleared = std::any_of(s.covers.begin(), s.covers.end(),
                                   [&](const covering &c) { return c.seq > f.seq && inside(f.where, c.where); });
        if (!cleared && !text_background(f.by, f.seq) && !in_front(f.by, s.bounds))
            report(f.what);
    }
    s.faults.swap(pending);
}

// A shape a clearing reached since the last wait: reports a piece left
// standing when the clearing took most of it (and forgets it), a frame
// broken when it took a little.
void
judge_cleared(seen_shape &s)
{
    const box window = {0, 0, Maxx, WinMaxy};
    // A fill without a frame (a bar of a chart, a cell) may be cut down by
    // design.
    if (!s.cleared_since_wait || (!s.frame() && !s.boxed)) {
        s.cleared_since_wait = false;
        return;
    }
    if (std::any_of(s.covers.begin(), s.covers.end(),
                    [&](const covering &c) { return comes_back(s.seq, c.seq, c.where); }))
        return;
    s.cleared_since_wait = false;
    // Only what lies on the window can be seen standing.
    std::vector<box> seen;
    for (const box &p : s.parts)
        if (!meet(p, window).empty())
            seen.push_back(meet(p, window));
    box left;
    long standing = standing_pixels(seen, s.covers, left);
    const long whole = area_of(seen);
    bool taken = 2 * standing <= whole;
    if (standing > 0 && taken)
        report("a piece " + describe(left) + " of " + s.what + " left standing after a clearing took the rest");
    else if (!taken && standing < whole && s.frame()) {
        // A label's background cleared over the frame is the label on top.
        std::vector<covering> breaks;
        for (const covering &c : s.covers)
            if (!text_background(c.where, c.seq))
                breaks.push_back(c);
        box gone = kNoBox;
        for (const box &p : seen)
            for (const covering &c : breaks)
                gone = join(gone, meet(p, c.where));
        if (standing_pixels(seen, breaks, left) < whole)
            report(s.what + " broken: " + describe(gone) + " of it cleared, the rest standing");
        taken = true; // reported once
    }
    if (taken)
        s.parts.clear();
}

// Reports each standing box drawn filled whose frame is not on the window.
void
judge_open_boxes()
{
    for (const owner_name &o : kOwners)
        for (const box_place &p : standing_boxes_of(o.owner)) {
            const box place = {p.x0, p.y0, p.x1, p.y1};
            for (seen_shape &s : shapes) {
                if (s.frame() || s.boxed || !same_box(s.bounds, place))
                    continue;
                const bool framed = std::any_of(shapes.begin(), shapes.end(), [&](const seen_shape &f) {
                    return f.frame() && same_box(f.bounds, place);
                });
                if (!framed)
                    report("box " + describe(place) + " of " + o.name + " stands without its frame");
                s.boxed = true; // judged once
            }
        }
}

} // namespace

void
note_frames_drawn_over(const box &area, const std::function<std::string()> &what, uint32_t seq)
{
    // A dot of a plot (no more than three pixels a side) on a frame is a
    // point plotted on its axis.
    if (area.x1 - area.x0 < 3 && area.y1 - area.y0 < 3)
        return;
    for (seen_shape &s : shapes) {
        if (!s.frame() || s.seq >= seq || meet(area, s.bounds).empty() || inside(s.bounds, area))
            continue;
        for (const box &side : s.parts) {
            box part = meet(area, side);
            if (!part.empty()) {
                s.faults.push_back({part, what() + " drawn over " + s.what, seq, area});
                break;
            }
        }
    }
}

void
note_frames_crossed(const std::vector<segment> &segs, const std::string &what, uint32_t seq)
{
    for (seen_shape &s : shapes) {
        if (!s.frame() || s.seq >= seq)
            continue;
        for (const segment &l : segs) {
            if (meet(ordered(l.x0, l.y0, l.x1, l.y1), s.bounds).empty() || !runs_across(l, s.bounds) ||
                joins_blocks(l, s.bounds) || on_block_plane(l, s.bounds))
                continue;
            for (const box &side : s.parts) {
                box part = segment_within(l.x0, l.y0, l.x1, l.y1, side);
                if (!part.empty()) {
                    s.faults.push_back({part, what + " runs across " + s.what, seq});
                    break;
                }
            }
            break;
        }
    }
}

void
judge_frames_at_wait()
{
    forget_covered_for_good();
    for (seen_shape &s : shapes) {
        judge_frame_faults(s);
        judge_cleared(s);
    }
    shapes.erase(std::remove_if(shapes.begin(), shapes.end(), [](const seen_shape &s) { return s.parts.empty(); }),
                 shapes.end());
    judge_open_boxes();
}

} // namespace draw_checking

using namespace draw_checking;

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
        report(what + " runs " + edge, meet(frame, viewport_box()));
    std::vector<segment> segs;
    for (const box &side : sides)
        segs.push_back({side.x0, side.y0, side.x1, side.y1});
    mark_lines_through_text(segs, what, seq);
    box view = viewport_box();
    std::vector<box> parts;
    for (const box &side : sides)
        if (!meet(side, view).empty())
            parts.push_back(meet(side, view));
    for (seen_shape &s : shapes)
        if (!s.frame() && same_box(s.bounds, frame))
            s.boxed = true;
    // The same frame drawn again: whole, it is this drawing; within a
    // narrower view (one kept whole while a run goes on, or kept left of a
    // panel that came over its right part since), where nothing of the
    // older one stands outside the view, what stands of it is this drawing.
    const box drawn = meet(frame, view);
    const bool whole = same_box(drawn, frame);
    shapes.erase(std::remove_if(shapes.begin(), shapes.end(),
                                [&](const seen_shape &s) {
                                    if (!s.frame() || !(same_box(s.bounds, frame) || same_box(s.bounds, drawn)))
                                        return false;
                                    if (whole && same_box(s.bounds, frame))
                                        return true;
                                    std::vector<covering> outside = s.covers;
                                    outside.push_back({view, seq});
                                    box left;
                                    return standing_pixels(s.parts, outside, left) == 0;
                                }),
                 shapes.end());
    if (parts.size() != 4)
        return;
    if (shapes.size() < kMostLines)
        shapes.push_back({seq, what, drawn, parts, {}, false, false, {}});
    else
        not_followed();
}
