// The ants demonstration: an ant wanders over the drawing area, steering to
// the nearest of up to sixteen targets, slowing when a target lies across
// its path, eating targets and leaving a coloured trail, while keys change
// its speed and turning and the targets. The motion is in ant_motion.cpp;
// this file draws it and answers the keys. Start reading at new_ant.
#include "ui/driver/ants.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "engine/model/globals.h"
#include "ui/driver/ant_motion.h"
#include "ui/graphs/thickline.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/window.h"

namespace {

constexpr float kPi = 3.1415927f;

struct ant_screen {
    ant_world world;
    int r = 0;               // target radius
    int trail = 0;           // trail colour
    float last_x = 0, last_y = 0, last_u = 0, last_v = 0;
    int marked = -1;         // target marked as the nearest, -1 none
};

void
draw_target(const ant_screen &s, int i, int fill)
{
    setcolor(fill == black ? black : white);
    setfillstyle(0, fill);
    pieslice(static_cast<int>(s.world.xt[i]), static_cast<int>(s.world.yt[i]), 0, 360, s.r);
    setcolor(white);
}

void
mark_target(const ant_screen &s, int i)
{
    setcolor(black);
    setfillstyle(0, lightred);
    pieslice(static_cast<int>(s.world.xt[i]), static_cast<int>(s.world.yt[i]), 0, 360, s.r / 2);
    setcolor(white);
}

void
draw_all_targets(const ant_screen &s)
{
    for (int i = 0; i <= s.world.last; i++)
        draw_target(s, i, yellow);
}

void
frame_area()
{
    setcolor(white);
    rectangle(0, 0, Maxx, Maxy);
    setviewport(1, 1, getmaxx() - 1, Maxy - 1, 1);
}

// A new trail colour, the area cleared, the targets drawn again.
void
restart(ant_screen &s)
{
    do
        s.trail = static_cast<int>(random() % 16);
    while (s.trail < 2 || s.trail == white);
    setcolor(white);
    clearviewport();
    setviewport(0, 0, Maxx, Maxy, 1);
    frame_area();
    draw_bottom_title_ants();
    draw_all_targets(s);
    s.world.steps = 0;
    s.marked = -1;
}

void
body(float x, float y, float u, float v, int colour)
{
    thickline(-1, static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + vgax(8) * u),
              static_cast<int>(y + vgay(8) * v), vgax(4), 0.0, colour);
}

// A new ant at a random place at least 10 pixels from every target.
void
new_ant_position(ant_world &w)
{
    bool close;
    do {
        w.x = static_cast<float>(random() % (Maxx - vgax(40)));
        w.y = static_cast<float>(random() % (Maxy - vgay(40)));
        w.theta = static_cast<float>(random() % 360) * kPi / 180;
        close = false;
        for (int i = 0; i <= w.last; i++)
            if (std::hypot(w.x - w.xt[i], w.y - w.yt[i]) < 10)
                close = true;
    } while (close);
}

// The quit prompt: false to end the demonstration.
bool
quit_prompt(ant_screen &s)
{
    draw_prompt_box(1);
    outtext("quit-q options-o restart-r:");
    input_string(1, text_entry);
    erase_prompt_box(1);
    if (is[0] == 'r') {
        restart(s);
        return true;
    }
    if (is[0] != 'o')
        return false;
    draw_prompt_box(1);
    snprintf(textb[0], 150, "reset target number (now %d):", s.world.last);
    outtext(textb[0]);
    input_string(5, numeric_entry);
    erase_prompt_box(1);
    long number = entry_number();
    if (is[0] != kKeyReturn && number >= 1) {
        free_ant_targets(s.world);
        s.world.target_number = static_cast<int>(number);
        allocate_ant_targets(s.world);
        s.world.near_factor = 0.5f;
        s.world.long_factor = 0.75f;
        place_ant_targets(s.world);
    }
    restart(s);
    return true;
}

// Acts on a key; false when the demonstration ends.
bool
ant_key(ant_screen &s, int key)
{
    ant_world &w = s.world;
    if (ant_speed_key(w, key))
        return true;
    switch (key) {
    case 'a':
        new_ant_position(w);
        restart(s);
        break;
    case 'c':
        restart(s);
        break;
    case 'd':
        if (w.last > 0) {
            if (s.marked >= 0)
                draw_target(s, s.marked, yellow);
            draw_target(s, w.last, black);
            remove_last_target(w);
            s.marked = -1;
        }
        break;
    case 'i':
        if (add_target(w))
            draw_target(s, w.last, yellow);
        break;
    case 'p':
        input_string(1, single_key_entry);
        break;
    case 'q':
        return quit_prompt(s);
    case 'r':
        for (int i = 0; i <= w.last; i++)
            draw_target(s, i, black);
        for (int i = 0; i <= w.last; i++)
            random_target_position(&w.xt[i], &w.yt[i], vgax(20), vgay(20));
        draw_all_targets(s);
        s.marked = -1;
        break;
    case 't':
        if (s.marked >= 0) {
            draw_target(s, s.marked, black);
            random_target_position(&w.xt[s.marked], &w.yt[s.marked], 20, 20);
            draw_target(s, s.marked, yellow);
        }
        break;
    default:
        break;
    }
    return true;
}

// One step of the ant; false when the user ended the demonstration.
bool
ant_step(ant_screen &s)
{
    ant_world &w = s.world;
    w.steps = w.steps == Maxu ? 2 : static_cast<uint16_t>(w.steps + 1);
    if (event_ready() && !ant_key(s, is[0]))
        return false;
    if (w.steps > 1) {
        body(s.last_x, s.last_y, s.last_u, s.last_v, black);
        putpixel(static_cast<int>(s.last_x), static_cast<int>(s.last_y), s.trail);
    }
    float u, v;
    ant_move(w, vgax(70), &u, &v);
    body(w.x, w.y, u, v, lightred);
    if (w.steps > 1 && s.marked >= 0 && s.marked <= w.last)
        draw_target(s, s.marked, yellow);
    if (w.steps > 1) {
        mark_target(s, w.nearest);
        s.marked = w.nearest;
    }
    if (w.distance[w.nearest] < s.r / 2) {
        if (w.last > 0)
            draw_target(s, w.nearest, black);
        eat_target(w, w.nearest);
        s.marked = -1;
        if (w.last >= 0) {
            w.steps = 2;
        } else {
            place_ant_targets(w);
            restart(s);
        }
    }
    ant_bounce(w, Maxx, Maxy);
    s.last_x = w.x;
    s.last_y = w.y;
    s.last_u = u;
    s.last_v = v;
    flush_display();
    // The delay counts of the original busy wait, about 10 ns each.
    usleep(w.delay / 100);
    return true;
}

// The strip's line, the title in italics and the keys after it on one
// baseline, their glyphs within the strip's frame as the bottom title's
// are: the keys in the first smaller font whose glyphs are no taller than
// the rows inside it, the line raised where they would reach its foot.
void
write_ants_strip_line()
{
    const char *keys = "  exit-q speed-</> clear-c pause-p newant-a turn+/*/-"
                       " targets: closest-t all-r inc-i dec-d";
    const int inside = WinMaxy - Maxy - 2;
    font_while font([&] { return text_ink_height_in_use(keys) <= inside; },
                    {set_medium_font, set_small_font});
    const font_use keys_font = font_in_use();
    move_to_strip_line(keys, vgax(3), WinMaxy - vgay(12), WinMaxy - 1);
    setcolor(yellow);
    set_italic_font();
    outtext("ORBITAL ANTS  ");
    use_font(keys_font);
    setcolor(lightred);
    outtext(keys);
}

} // namespace

// Draws the strip and keeps the caller's viewport: the ant's area framed
// by frame_area clips the ant inside its frame.
void
draw_bottom_title_ants()
{
    int16_t x = getx, y = gety;
    const saved_viewport view;
    setviewport(0, Maxy + 1, Maxx, WinMaxy, 0);
    setfillstyle(0, black);
    bar(0, Maxy + 1, Maxx, WinMaxy);
    setcolor(lightred);
    rectangle(0, Maxy + 1, Maxx, WinMaxy);
    write_ants_strip_line();
    setcolor(white);
    view.put_back();
    moveto(x, y);
}

void
new_ant()
{
    ant_screen s;
    draw_bottom_title_ants();
    s.r = vgax(5);
    allocate_ant_targets(s.world);
    s.world.x = Maxx / 2.0f;
    s.world.y = Maxy / 2.0f;
    s.world.theta = 1.7453293f;
    place_ant_targets(s.world);
    frame_area();
    restart(s);
    while (ant_step(s)) {
    }
    free_ant_targets(s.world);
    setviewport(0, 0, Maxx, Maxy, 1);
}
