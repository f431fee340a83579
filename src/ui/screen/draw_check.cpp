// The draw check (draw_check.h): its switch, its state, its reports and its
// judging at a key wait. It judges what stands on the window: the texts,
// which the window record holds (window_record.h), each with the check's
// marks (draw_check_texts.cpp); the frames and filled boxes it keeps, each
// with what covered parts of it since (draw_check_frames.cpp,
// draw_check_shapes.cpp); the lines it keeps (circles, arcs and polygons
// as their sides), each with what covered parts of it since. The texts,
// saved regions (draw_check_saved.cpp), the pause of a key wait and the
// order of drawings are the window record's: the check asks it.
#include "ui/screen/draw_check.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/screen/draw_check_lines.h"
#include "ui/screen/draw_check_parts.h"
#include "ui/screen/window_record.h"

namespace draw_checking {

bool on = false;
std::vector<seen_shape> shapes;
std::vector<seen_line> lines;
std::string prompt;

namespace {

uint64_t checked = 0, reported = 0, unfollowed = 0;
std::vector<std::string> reports;
// While the window record draws itself again: the reports made, each with
// the part of the window it is about, held until the next wait.
bool redrawing = false;
std::vector<std::pair<std::string, box>> held;

} // namespace

std::string
describe(const box &b)
{
    char text[64];
    snprintf(text, sizeof text, "(%d,%d)-(%d,%d)", b.x0, b.y0, b.x1, b.y1);
    return text;
}

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

void
report(const std::string &line, const box &where)
{
    // What the redraw put wholly off the window, or wholly outside the
    // viewport it draws it in (the viewport set for the drawing, within the
    // window), shows nothing.
    const box seen = meet(meet(where, {0, 0, Maxx, WinMaxy}), viewport_box());
    if (redrawing && !seen.empty())
        held.emplace_back(line, seen);
    else if (!redrawing)
        report(line);
}

void
drop_held_reports(const box &area)
{
    held.erase(std::remove_if(held.begin(), held.end(),
                              [&](const std::pair<std::string, box> &h) { return inside(h.second, area); }),
               held.end());
}

void
not_followed()
{
    unfollowed++;
}

bool
comes_back(uint32_t seq, uint32_t covered, const box &where)
{
    return saved_between(seq, covered, where.x0, where.y0, where.x1, where.y1);
}

box
viewport_box()
{
    return {view_x0, view_y0, view_x1, view_y1};
}

std::string
past_edge(const box &b)
{
    if (b.x0 < 0 || b.y0 < 0 || b.x1 > Maxx || b.y1 > WinMaxy)
        return "past the window's edge " + describe({0, 0, Maxx, WinMaxy});
    if (b.y0 <= Maxy && b.y1 > Maxy)
        return "into the bottom strip below row " + std::to_string(Maxy);
    return std::string();
}

} // namespace draw_checking

using namespace draw_checking;

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
    held.clear();
    prompt.clear();
    checked = reported = unfollowed = 0;
}

bool
draw_check_on()
{
    return on;
}

void
check_redrawing(bool on_now)
{
    redrawing = on_now;
}

void
check_not_followed()
{
    if (on)
        not_followed();
}

void
draw_check_at_wait()
{
    if (!on)
        return;
    for (const auto &h : held)
        report(h.first);
    held.clear();
    // Frames first: a box taken down leaves the texts written in it alone.
    judge_frames_at_wait();
    judge_texts_at_wait();
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
    fprintf(stderr, "%s%llu%s%llu reported, %llu not followed\n", kDrawCheckPrefix,
            static_cast<unsigned long long>(checked), kDrawCheckCountMark,
            static_cast<unsigned long long>(reported), static_cast<unsigned long long>(unfollowed));
}
