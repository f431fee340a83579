// The on-the-fly key index (key_panel.h): a framed panel at the bottom right
// listing the keys of a running pattern under their group headings, each
// toggle showing its state in force first. The lines are the help of the
// running pattern's key table (running_pattern_keys.h), the same rows the
// key switch acts by. Reads the run records and the globals the rows' help
// reads; only draws. Start at interrupt_key_index.
//
// The panel keeps inside the window: it starts below the colour key box at
// the top right and ends at the window's foot, or above the rule box where
// that stands below it; where its lines in the medium font would pass its
// bottom or its width it writes them in the small font, and where even
// those would run into each other it leaves out the group headings.
// Beside the run (as each run starts), like the colour key, it is left out
// where the pattern (its rows, side plot and page clears) reaches its place:
// the pattern would draw over it. So it is where the entropy-density plane
// or the return map beside the side plot reaches it. Over the run ('X' where
// the run leaves it no room) it stands whatever the pattern's width, and
// the run keeps left of it: the viewport ends at its left edge
// (keep_run_left_of_key_panel), so rows, plots and clears stop there, and
// its own lines are drawn in the whole drawing area. The planes, whose
// frames and labels are not drawn again at each step, do not share its
// place: it gives way to them.
#include "ui/forward/key_panel.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "ui/forward/running_pattern_keys.h"
#include "ui/forward/space_time_display.h"
#include "ui/measures/entropy_plot.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

// Where the panel was last drawn (its frame's corners), for its erase; no
// panel on the window when left is negative.
struct panel_place {
    int left = -1, top = -1, right = -1, bottom = -1;
    bool operator==(const panel_place &o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};
panel_place drawn;
// The panel was asked for but left out, the pattern reaching its place:
// nothing to erase.
bool left_out = false;
// The panel on the window stands over the run, which keeps left of it.
bool over = false;

struct panel_line {
    std::string text;
    bool heading;
};

std::string
title()
{
    if (!tot_only)
        return "on-the-fly key index";
    return totalistic == rule_kind_tcodes ? "on-the-fly key index: tcode only"
                                          : "on-the-fly key index: kcode only";
}

// The panel's lines below the title: each group listed now, its heading and
// its rows' help.
std::vector<panel_line>
panel_lines(const running_pattern &p)
{
    std::vector<panel_line> lines;
    running_key_groups all = running_pattern_key_groups();
    for (size_t g = 0; g < all.count; g++) {
        const running_key_group &group = all.groups[g];
        if (group.listed && !group.listed(p))
            continue;
        lines.push_back({group.heading, true});
        for (const key_help_line &line : key_help(group.rows, group.count, p))
            lines.push_back({line.text, false});
    }
    return lines;
}

// The panel's box in its usual place, its top lowered below the colour key
// box at the top right (three lines of the normal font).
int
panel_left()
{
    return Maxx - vgax(130) - 3;
}

int
panel_top(int normal_height)
{
    return std::max<int>(Maxy - vgay(424), box_lines_bottom(3, normal_height, WinMaxy) + 2);
}

// The panel's bottom row: the window's foot, or above the rule box where
// that holds its place below the panel (a range of sizes shows each size's
// rule there before its run starts): the panel's box would cut its frame.
int
panel_bottom()
{
    return bottom_above_rule_box(panel_left(), Maxx - 2, Maxy - 2);
}

// Whether the lines fit the panel in the font in use (CHeight its lines).
bool
fits(const std::string &heading, const std::vector<panel_line> &lines, int top)
{
    int room = Maxx - 2 - (panel_left() + 3) - 1;
    int widest = text_width_in_use(heading.c_str());
    for (const panel_line &line : lines)
        widest = std::max(widest, text_width_in_use(line.text.c_str()));
    int height = static_cast<int>(lines.size() + 1) * CHeight + 4;
    return widest <= room && top + height <= panel_bottom();
}

// The step between the lines in the small font (in use): the room spread
// over the lines, up to the medium font's step. The small font's CHeight is
// less than its glyphs reach, so the step is at least their height and a
// row: where the room is less, the group headings are left out (the
// entries name the keys), and the lines that still pass the bottom are cut.
int
small_font_pitch(std::vector<panel_line> &lines, int top, int medium_pitch)
{
    int ink = 0;
    for (const panel_line &line : lines)
        ink = std::max(ink, text_ink_height_in_use(line.text.c_str()));
    const int least = ink + 1;
    auto room = [&] { return (panel_bottom() - top - 4) / static_cast<int>(lines.size() + 1); };
    if (room() < least)
        lines.erase(std::remove_if(lines.begin(), lines.end(),
                                   [](const panel_line &line) { return line.heading; }),
                    lines.end());
    return std::max(least, std::min(room(), medium_pitch));
}

// Whether the panel is on the window where it was last drawn.
bool
shown()
{
    return drawn.left >= 0 && !left_out;
}

// The panel that stood over the run is gone: the run draws in the whole
// drawing area again.
void
run_gets_whole_area()
{
    if (!over)
        return;
    over = false;
    set_run_viewport();
}

// The return map or the entropy-density plane beside the side plot.
bool
planes_shown(const entropy_graph *eg, const run_iteration *it)
{
    return (eg->ed_plot || it->return_map) && stpgraph != stpgraph_none;
}

} // namespace

int
run_reach(const entropy_graph *eg, const run_iteration *it)
{
    int reach = pattern_reach(it, side_plot_width(eg));
    if (planes_shown(eg, it))
        reach = std::max(reach, plane_reach(side_plot_left(eg)));
    if (eg->hist_mode == 1 && stp)
        reach = std::max<int>(reach, eg->hist_right);
    return reach;
}

bool
key_panel_has_room(const entropy_graph *eg, const run_iteration *it)
{
    return run_reach(eg, it) <= panel_left();
}

void
interrupt_key_index(entropy_graph *eg, run_iteration *it)
{
    if (it->key_panel == key_panel_over && planes_shown(eg, it))
        it->key_panel = key_panel_beside;
    if (it->key_panel != key_panel_over && !key_panel_has_room(eg, it)) {
        left_out = false;
        if (drawn.left >= 0)
            erase_key_panel();
        left_out = true;
        limit_lookup_histogram_to_key_panel(eg);
        return;
    }
    left_out = false;
    int16_t x = getx, y = gety;
    int colour = getcolor();
    int16_t width = CWidth, height = CHeight;
    const int top = panel_top(height);
    running_pattern p{nullptr, nullptr, eg, it};
    std::vector<panel_line> lines = panel_lines(p);
    std::string heading = title();
    set_medium_font();
    // In the small font the lines are spread over the room there is, up to
    // the medium font's spacing, so that they read apart.
    const int medium_pitch = CHeight;
    int pitch = CHeight;
    if (!fits(heading, lines, top)) {
        CWidth = width;
        CHeight = height;
        set_small_font();
        pitch = small_font_pitch(lines, top, medium_pitch);
    }
    const int left = panel_left() + 3;
    // A panel still shown where the window's size placed it before a resize
    // goes, so that only the one at the new edges stays.
    const panel_place place{left - 3, top, Maxx - 2, panel_bottom()};
    if (drawn.left >= 0 && !(drawn == place))
        erase_key_panel();
    // Its lines are drawn whole over a run kept left of it.
    saved_viewport view;
    view.widen_to_drawing_area();
    draw_box(-1, place.left, place.top, place.right, place.bottom, 1, 0);
    drawn = place;
    int line_y = top + 2;
    setcolor(lightred);
    moveto(left, line_y);
    outtext(heading.c_str());
    line_y += pitch;
    moveto(left - 3, line_y);
    lineto(Maxx - 2, line_y);
    line_y += 2;
    for (const panel_line &line : lines) {
        if (line_y + pitch > place.bottom)
            break; // only in a window too low for the keys in any font
        setcolor(line.heading ? lightred : white);
        moveto(left, line_y);
        outtext(line.text.c_str());
        line_y += pitch;
    }
    restore_def_font();
    CWidth = width;
    CHeight = height;
    setcolor(colour);
    moveto(x, y);
    view.restore();
    over = it->key_panel == key_panel_over;
    keep_run_left_of_key_panel();
    limit_lookup_histogram_to_key_panel(eg);
}

void
erase_key_panel()
{
    if (left_out)
        return;
    // No panel drawn, nothing to take away: its usual place may hold the
    // colour key's foot (the panel starts below that box) or a rule box.
    if (drawn.left >= 0)
        erase_box(drawn.left, drawn.top, drawn.right, drawn.bottom);
    drawn = panel_place();
    run_gets_whole_area();
}

int
run_right_edge()
{
    return over && shown() ? drawn.left - 1 : Maxx;
}

void
set_run_viewport()
{
    setviewport(0, 0, run_right_edge(), Maxy, 1);
}

void
keep_run_left_of_key_panel()
{
    if (over && shown())
        set_run_viewport();
}

int
key_panel_left()
{
    return shown() ? drawn.left : Maxx + 1;
}

void
limit_lookup_histogram_to_key_panel(entropy_graph *eg)
{
    eg->hist_limit = static_cast<int16_t>(std::min(key_panel_left(), Maxx + 1) - 2);
}

int
key_panel_top()
{
    return shown() ? drawn.top : Maxy + 1;
}

void
forget_key_panel()
{
    drawn = panel_place();
    left_out = false;
    run_gets_whole_area();
}
