// The inks of the texts on the window (text_inks.h): a list of rectangles,
// each with the drawing that made it and the one that hid it, fed by the
// window record's hooks (window_record.cpp). The free-row questions walk the
// inks shown in the asked columns, and when asked the places a picture's
// labels and bit patterns took (label_places.h), sorted by their rows. Reads the fonts'
// metrics (fonts.h) and the regions the record holds saved (saved_between).
#include "ui/screen/text_inks.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/label_places.h"
#include "ui/screen/window_record.h"

namespace {

struct text_ink {
    uint32_t seq;       // the text's drawing
    uint32_t hidden_at; // the drawing that covered it whole; 0 while shown
    int x0, y0, x1, y1; // inclusive
};

std::vector<text_ink> inks;

// The ink of s drawn in the font in use with its line's top-left corner at
// (x, top); false for a text of blanks, which leaves none.
bool
ink_of_text(const char *s, int x, int top, text_ink &ink)
{
    const std::string text = s;
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return false;
    const size_t last = text.find_last_not_of(' ');
    // Blanks at either end move the glyphs, but ink nothing.
    const int lead = text_width_in_use(text.substr(0, first).c_str());
    const std::string inked = text.substr(first, last - first + 1);
    int left = 0, right = 0, above = 0, below = 0;
    text_ink_columns_in_use(inked.c_str(), left, right);
    text_ink_in_use(inked.c_str(), above, below);
    if (right <= left || above + below <= 0)
        return false;
    ink.x0 = x + lead + left;
    ink.x1 = x + lead + right - 1;
    ink.y0 = line_baseline(top) - above;
    ink.y1 = line_baseline(top) + below - 1;
    return true;
}

bool
same_place(const text_ink &a, const text_ink &b)
{
    return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
}

bool
wholly_inside(const text_ink &ink, int x0, int y0, int x1, int y1)
{
    return ink.x0 >= x0 && ink.y0 >= y0 && ink.x1 <= x1 && ink.y1 <= y1;
}

// A hidden ink that a region held now could bring back: one saved after
// the text was drawn and before it was hidden, holding its ink.
bool
lost(const text_ink &ink)
{
    return ink.hidden_at != 0 && !saved_between(ink.seq, ink.hidden_at, ink.x0, ink.y0, ink.x1, ink.y1);
}

// Marks hidden at seq the shown inks drawn before it that hide(ink) picks,
// then forgets those no region can bring back.
template <typename Pick>
void
hide_inks(uint32_t seq, const Pick &hide)
{
    bool hid = false;
    for (text_ink &ink : inks)
        if (ink.hidden_at == 0 && ink.seq < seq && hide(ink)) {
            ink.hidden_at = seq;
            hid = true;
        }
    if (hid)
        forget_lost_text_inks();
}

// The rows, first and last, of the inks shown in the drawing area that
// reach columns x0..x1, and of the label places there when asked.
std::vector<std::pair<int, int>>
rows_taken(int x0, int x1, bool past_label_places)
{
    std::vector<std::pair<int, int>> rows;
    for (const text_ink &ink : inks)
        if (ink.hidden_at == 0 && ink.y0 <= Maxy && ink.x1 >= x0 && ink.x0 <= x1)
            rows.emplace_back(ink.y0, ink.y1);
    if (past_label_places)
        label_place_rows(x0, x1, rows);
    return rows;
}

} // namespace

void
note_text_ink(uint32_t seq, const char *s, int x, int top, int colour)
{
    text_ink ink{seq, 0, 0, 0, 0, 0};
    if (!ink_of_text(s, x, top, ink))
        return;
    // Drawn in the background's colour, the text takes away the same text
    // at its place: its ink is gone.
    if (colour == black) {
        hide_inks(seq, [&](const text_ink &old) { return same_place(old, ink); });
        return;
    }
    if (inks.size() < kMostTextInks)
        inks.push_back(ink);
}

void
text_ink_drawn_again(uint32_t seq, const char *s, int x, int top, int colour)
{
    inks.erase(std::remove_if(inks.begin(), inks.end(), [&](const text_ink &ink) { return ink.seq == seq; }),
               inks.end());
    note_text_ink(seq, s, x, top, colour);
}

void
cover_text_inks(uint32_t seq, int x0, int y0, int x1, int y1)
{
    hide_inks(seq, [&](const text_ink &ink) { return wholly_inside(ink, x0, y0, x1, y1); });
}

void
put_back_text_inks(uint32_t seq, uint32_t saved_seq, int x0, int y0, int x1, int y1)
{
    // What stood there when the region was saved is back: the texts hidden
    // since; the texts drawn after it are covered.
    for (text_ink &ink : inks)
        if (ink.seq <= saved_seq && ink.hidden_at > saved_seq && wholly_inside(ink, x0, y0, x1, y1))
            ink.hidden_at = 0;
    hide_inks(seq, [&](const text_ink &ink) {
        return ink.seq > saved_seq && wholly_inside(ink, x0, y0, x1, y1);
    });
}

void
forget_lost_text_inks()
{
    inks.erase(std::remove_if(inks.begin(), inks.end(), lost), inks.end());
}

void
forget_text_inks()
{
    inks.clear();
}

size_t
text_inks_kept()
{
    return inks.size();
}

int
free_row_above(int y, int x0, int x1, bool past_label_places)
{
    std::vector<std::pair<int, int>> rows = rows_taken(x0, x1, past_label_places);
    // Lowest last row first: a row moved above one ink may lie in the next.
    std::sort(rows.begin(), rows.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
    for (const auto &r : rows) {
        if (r.second < y)
            break;
        if (r.first <= y)
            y = r.first - 1;
    }
    return y;
}

int
free_row_below(int y, int x0, int x1, bool past_label_places)
{
    std::vector<std::pair<int, int>> rows = rows_taken(x0, x1, past_label_places);
    std::sort(rows.begin(), rows.end());
    for (const auto &r : rows) {
        if (r.first > y)
            break;
        if (r.second >= y)
            y = r.second + 1;
    }
    return y;
}
