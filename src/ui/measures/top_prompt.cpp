// The measures' prompts at the top right (top_prompt.h). Reads where the
// keys at the top right (top_right_box_standing, boxes.h), the damage count's box
// (damage_plot.h) and a marked key panel (ui/screen/side_panel.h) stand.
// Start at place_top_prompt.
#include "ui/measures/top_prompt.h"

#include <algorithm>

#include "engine/forward/globals.h"
#include "ui/measures/damage_plot.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/side_panel.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/window.h"

top_prompt
place_top_prompt(const std::vector<std::string> &lines, int entry, int leftmost)
{
    int width = 0;
    for (const std::string &line : lines)
        width = std::max(width, text_pixel_width(line.c_str(), static_cast<int>(line.size())));
    // The entry at its widest and the cursor after it (a cursor even with
    // no entry: the wait shows it), three pixels of room on either side.
    width += typed_entry_width(entry) + CWidth + 6;
    top_prompt p;
    p.entry = entry;
    p.right = box_right_edge(Maxx);
    p.right -= side_panel_shift(p.right);
    int below = 2; // the lowest row of the boxes it keeps clear of
    int key_left = 0, key_bottom = 0;
    if (top_right_box_standing(&key_left, &key_bottom)) {
        p.right = std::min(p.right, key_left - 2);
        below = std::max(below, key_bottom);
    }
    if (lines.size() > 1 && stp && diff_plot) {
        int x0, y0, x1, y1;
        damage_box_corners(&x0, &y0, &x1, &y1);
        p.right = std::min(p.right, x0 - 2);
        below = std::max(below, y1);
    }
    p.left = std::min(prompt_box_left(Maxx), p.right - width);
    p.top = 2;
    int n = static_cast<int>(lines.size());
    if (p.left < leftmost) {
        // In the prompt box's columns, below a box a dialog left standing
        // there (the basin summary) too.
        p.left = prompt_box_left(Maxx);
        p.right = box_right_edge(Maxx);
        p.top = std::max(below, replaced_prompt_box_bottom()) + 2;
        // Wrapped there, the last line leaves room for the entry, which
        // would otherwise run past the box's frame.
        n = 0;
        for (size_t i = 0; i < lines.size(); i++) {
            const prompt_part part = {lines[i].c_str(), i + 1 == lines.size() ? entry : 0};
            n += prompt_parts_lines(&part, 1);
        }
    }
    // Its foot below a line of text it would cut (the column's first line
    // under a wrapped prompt), whose end it hides whole until it closes.
    p.bottom = box_bottom_past_ink(p.top - 2 + prompt_box_bottom(n), p.left, p.right);
    return p;
}

void
draw_top_prompt(const top_prompt &p, const std::vector<std::string> &lines, int colour)
{
    draw_box(-1, p.left, p.top, p.right, p.bottom, 1, 0);
    setcolor(colour < 0 ? white : colour);
    for (size_t i = 0; i < lines.size(); i++) {
        moveto(p.left + 3, i == 0 ? p.top + 3 : gety + CHeight);
        write_prompt_part(lines[i].c_str(), i + 1 == lines.size() ? p.entry : 0, p.left + 3);
    }
}

top_prompt
open_top_prompt(const std::vector<std::string> &lines, int entry, int colour, int leftmost)
{
    top_prompt p = place_top_prompt(lines, entry, leftmost);
    // Boxes it would cover a part of go first, so that its close puts
    // back no piece of them; those it covers whole its close shows again.
    const box_place place{p.left, p.top, p.right, p.bottom};
    save_giving_way(place, place, &p.under);
    draw_top_prompt(p, lines, colour);
    return p;
}

void
close_top_prompt(top_prompt &p)
{
    putimage(p.left, p.top, &p.under, 0);
    freeimage(&p.under);
}
