// A line of text in a rectangle it owns (text_line.h). Reads the font in use
// (fonts.h) and draws through draw.h; start at text_line.
#include "ui/screen/text_line.h"

#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

std::string
text_within(const std::string &text, int room, const std::vector<size_t> &cuts)
{
    if (text_width_in_use(text.c_str()) <= room)
        return text;
    // The places a cut may end at: each piece's end, or each character's.
    const size_t places = cuts.empty() ? text.size() : cuts.size();
    auto end_at = [&](size_t i) { return cuts.empty() ? i : cuts[i]; };
    auto cut_at = [&](size_t i) { return text.substr(0, end_at(i)) + "..."; };
    if (text_width_in_use(cut_at(0).c_str()) > room)
        return "...";
    // A longer start is never narrower: the last place that fits is found
    // by halving (the order of thousands of cells is one text).
    size_t fit = 0, over = places; // fit fits, over does not (the whole text)
    while (over - fit > 1) {
        size_t mid = fit + (over - fit) / 2;
        if (text_width_in_use(cut_at(mid).c_str()) <= room)
            fit = mid;
        else
            over = mid;
    }
    return cut_at(fit);
}

int
text_line(int x0, int x1, int top, const std::string &text, const std::vector<size_t> &cuts)
{
    int first = 0, last = 0;
    line_ink_rows(top, first, last);
    uint8_t fill = fillcolor;
    setfillstyle(0, black);
    bar(x0, first, x1, last);
    fillcolor = fill;
    moveto(x0, top);
    outtext(text_within(text, x1 - x0 + 1, cuts).c_str());
    return getx;
}
