// What the files of the draw check (draw_check.h) share, and no other code
// reads: the rectangles it works in, the marks it keeps on texts, the
// frames, filled boxes and lines it follows, and the functions by which one
// of its files asks another. draw_check.cpp holds the state and the judging
// at a key wait; draw_check_texts.cpp the texts; draw_check_shapes.cpp the
// fills, lines and what covers them; draw_check_frames.cpp the frames of
// boxes and what breaks them; draw_check_saved.cpp the saved regions put
// back and the window drawn again at a resize.
#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// The marks the check keeps on a text the window record holds (the record
// keeps its string and its drawing's number), defined below.
struct text_marks;

namespace draw_checking {

// How far off the window the check follows a text's glyphs or an image:
// far past any window (X coordinates are 16 bits), and small enough that
// sums and differences of such coordinates stay within an int.
constexpr int kFar = 1 << 28;

// A coordinate worked out in 64 bits, held within kFar.
inline int
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

inline box
meet(const box &a, const box &b)
{
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

inline box
join(const box &a, const box &b)
{
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

inline bool
inside(const box &a, const box &outer)
{
    return a.x0 >= outer.x0 && a.y0 >= outer.y0 && a.x1 <= outer.x1 && a.y1 <= outer.y1;
}

inline bool
same_box(const box &a, const box &b)
{
    return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
}

inline box
ordered(int x0, int y0, int x1, int y1)
{
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

std::string describe(const box &b);

// Columns a0..a1 of a text hidden whole by something drawn at seq, which
// what names.
struct hidden_columns {
    int a0, a1;
    uint32_t seq;
    std::string what;
};

// A fault found on a text or a frame, reported at the next key wait unless
// it is healed before: the part it touches and what did it.
struct finding {
    box where;
    std::string what;
    uint32_t seq;
    box by = kNoBox; // what covered a frame there, when a fill did
};

// Something opaque drawn over part of a shape at seq.
struct covering {
    box where;
    uint32_t seq;
    bool clearing = false; // drawn in the background's colour
};

// A frame or a filled box that stands on the window: its parts (a fill's
// rectangle, a frame's four sides), what covered them since, whether a
// clearing reached it since the last key wait, and the faults found on a
// frame (drawn over, crossed) not yet reported.
struct seen_shape {
    uint32_t seq;
    std::string what;
    box bounds;
    std::vector<box> parts;
    std::vector<covering> covers;
    bool cleared_since_wait = false;
    bool boxed = false; // a fill with a frame drawn round it: a box
    std::vector<finding> faults;
    bool frame() const { return parts.size() == 4; }
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

// One segment of a drawing: its ends.
struct segment {
    int x0, y0, x1, y1;
};

// Beyond this many lines, or shapes (a graph of many nodes), the check
// keeps no more until the drawing area is cleared: each fill and text is
// judged against those kept, and a plot draws many thousands.
constexpr size_t kMostLines = 256;

// The check's state (draw_check.cpp).
extern bool on;
extern std::vector<seen_shape> shapes;
extern std::vector<seen_line> lines;
// The last text drawn in the prompt box's place: the question on screen,
// which each report names.
extern std::string prompt;

// Whether the check judges a drawing now (on, and not in a key wait's
// blinking block); counts it when it does.
bool judging();
// Writes a report now.
void report(const std::string &line);
// A report on a drawing within where, made as it is drawn: now, or, while
// the window record draws itself again, at the next key wait unless
// something opaque drawn since covers where (the drawing the redraw
// scaled was put right after it).
void report(const std::string &line, const box &where);
// Something opaque drawn over area: the reports held on what it covers
// whole are dropped.
void drop_held_reports(const box &area);
// Counts a drawing the check does not follow (past its caps).
void not_followed();
// Whether a covering of what was drawn at seq lies in a region saved in
// between, held now: a modal box that will be put back whole.
bool comes_back(uint32_t seq, uint32_t covered, const box &where);
// The viewport, and the report's words when a rectangle runs past the
// window's edge or from the drawing area into the bottom strip (empty when
// it does not).
box viewport_box();
std::string past_edge(const box &b);

// Texts (draw_check_texts.cpp).
void forget_texts();
// Something opaque (clearing: in the background's colour) drawn over the
// area at seq: hides or cuts the texts' glyphs it reaches (of those drawn
// after drawn_after).
void cover_texts(const box &area, const std::function<std::string()> &what, uint32_t seq,
                 uint32_t drawn_after);
// Segments drawn at seq through the glyphs of texts: a fault on each.
void mark_lines_through_text(const std::vector<segment> &segs, const std::string &what, uint32_t seq);
// Whether a text of s (marks t) stands half hidden, or alone, as judged
// at a wait; reports its findings.
void judge_texts_at_wait();
// A saved area put back over area brings back what lay there before the
// drawing numbered before: what hid or cut the texts drawn till then is
// gone.
void put_back_texts(const box &area, uint32_t before);
// Whether a text drawn after seq, no more than two lines high, stands on
// area: area is its background (a label written on top).
bool text_background(const box &area, uint32_t seq);
// The innermost box that stands around ink, drawn before it: the box the
// text belongs to (kNoBox when none).
box box_around(const box &ink);

// Shapes (draw_check_shapes.cpp).
// Covers the shapes and lines the area meets (see cover_texts).
void cover(const box &area, const std::function<std::string()> &what, uint32_t seq, bool clearing,
           uint32_t drawn_after = 0);
void forget_drawing_area();
// Forgets the shapes and lines covered whole that were kept for a saved
// region that could bring them back, once no such region is held.
void forget_covered_for_good();
// The part of the segment inside b, as its bounding box (empty when it
// misses b).
box segment_within(int x0, int y0, int x1, int y1, const box &b);
// The part of the rectangle list not covered by any of covers, in pixels,
// and its bounds.
long standing_pixels(const std::vector<box> &parts, const std::vector<covering> &covers, box &left);
long area_of(const std::vector<box> &parts);
bool covered_since(const std::vector<covering> &covers, const box &b);

// Frames (draw_check_frames.cpp).
// A covering drawn over the frames it meets in part (not a clearing): a
// fault on each, judged at the next wait.
void note_frames_drawn_over(const box &area, const std::function<std::string()> &what, uint32_t seq);
// Segments drawn at seq from inside a frame to outside it: a fault on it.
void note_frames_crossed(const std::vector<segment> &segs, const std::string &what, uint32_t seq);
// At a wait: frames drawn over, crossed, broken or taken in part, and
// standing boxes without their frame.
void judge_frames_at_wait();

} // namespace draw_checking

// The marks the check keeps on a text: where its ink was worked out, the
// ink, what hid it since, the box it was written in and the faults found on
// it.
struct text_marks {
    int x, y;                // its line's top-left corner as drawn
    int end_x;               // where the point went on after it
    int shared_last;         // the last of its rows the line above's descender tails reach
    draw_checking::box ink;  // the glyphs' bounds
    std::vector<draw_checking::box> glyphs; // each character's ink within its line's rows
    std::vector<draw_checking::box> bodies; // each character's ink above its baseline
    bool hidden = false; // every column hidden; kept while a saved region may bring it back
    std::vector<draw_checking::hidden_columns> hides;
    // The hidden columns merged into disjoint spans, left to right (asked
    // for each glyph a drawing reaches: kept, not built at each question).
    std::vector<std::pair<int, int>> hidden_spans;
    std::vector<draw_checking::finding> faults;
    // The box it was written inside (kNoBox when none): when that box is
    // taken down and the text stays, it stands alone.
    draw_checking::box owner = draw_checking::kNoBox;
};
