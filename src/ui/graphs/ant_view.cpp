// The probabilistic ant on the graph window (ant_view.h): the walk loop
// that steps the ant (engine/graphs/ant_walk.h), animates each step and
// polls for a key between steps, and the hits display. Both key loops are
// tables, kAntKeys and kHitsKeys, whose rows give their prompt's text and
// each key's action. Draws through graph_drawing.h and thickline.h; 'D'
// shows the distances of shortest_path.h. Start at prob_ant.
#include "ui/graphs/ant_view.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/graphs/globals.h"
#include "engine/graphs/shortest_paths.h"
#include "engine/model/formatted_text.h"
#include "ui/graphs/globals.h"
#include "ui/graphs/graph_drawing.h"
#include "ui/graphs/graph_layouts.h"
#include "ui/graphs/graph_prompt.h"
#include "ui/graphs/shortest_path.h"
#include "ui/graphs/thickline.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/label_places.h"
#include "ui/screen/window.h"

namespace {

const ant_view *walking = nullptr;
// Where the walk's prompt ends: the pause waits there.
prompt_end walk_prompt_end{0, 0};

// What a key of the walk leaves to the loop.
enum class ant_turn {
    walk_on, // the walk goes on
    prompt,  // the walk goes on under its prompt written again
    leave,   // 'q'
};
// What an answer of the hits display leaves to it.
enum class hits_turn {
    again,   // the display's prompt again
    walk_on, // back to the walk
    leave,   // 'q': out of the ant
};

using ant_key = key_row<ant_view, ant_turn>;
using hits_key = key_row<ant_view, hits_turn>;

const char *
on_off(bool on)
{
    return on ? "ON" : "OFF";
}

// The number a node carries on the graph: its cell number in the network
// graph.
unsigned long long
shown_number(uint32_t node)
{
    return f_or_n == graph_network ? node - 1 : node;
}

// --- Drawing.

// The busy count of the pace, about 10 ns a count, as a sleep.
void
pace(uint32_t counts)
{
    flush_display();
    if (counts >= 100)
        usleep(counts / 100);
}

// What lies under the marker at (x0, y0)-(x1, y1) kept in slot. The copy
// is made with the whole drawing area as the viewport: the clip of the
// drawing context applies to the pixmap copied into, whose corner is 0, 0.
void
save_under_marker(int x0, int y0, int x1, int y1, image_slot *slot)
{
    int16_t vx0 = view_x0, vy0 = view_y0, vx1 = view_x1, vy1 = view_y1;
    setviewport(0, 0, Maxx, Maxy, 1);
    getimage(x0, y0, x1, y1, slot);
    setviewport(vx0, vy0, vx1, vy1, 1);
}

// One step watched, clipped to the graph window: the marker, a filled
// square, shown at three places along the link from `from` to `to`, each
// for a third of the pace and then taken away; the link left as a trail in
// lightred; the node arrived at drawn again over the trail's end.
void
animate_step(const ant_view &v, uint32_t from, uint32_t to)
{
    const int fx = basin_pos[from][0], fy = basin_pos[from][1];
    const int tx = basin_pos[to][0], ty = basin_pos[to][1];
    const int half_x = vgax(8) / 2, half_y = vgay(8) / 2;
    constexpr int kPlaces = 3;
    for (int p = 1; p <= kPlaces; p++) {
        const int x = fx + (tx - fx) * p / (kPlaces + 1), y = fy + (ty - fy) * p / (kPlaces + 1);
        image_slot under{};
        save_under_marker(x - half_x, y - half_y, x + half_x, y + half_y, &under);
        graph_clip clip(v.frame);
        uint8_t fill = fillcolor;
        setfillstyle(0, white);
        bar(x - half_x, y - half_y, x + half_x, y + half_y);
        fillcolor = fill;
        pace(v.walk.delay / kPlaces);
        if (under) {
            putimage(x - half_x, y - half_y, &under, 0);
            freeimage(&under);
        }
    }
    graph_clip clip(v.frame);
    if (from != to)
        thickline(0, fx, fy, tx, ty, 1.0, 1.0, lightred);
    moveto(tx, ty);
    meta_graph_vertex(to, m_node_size[to], basin_color[to], v.frame, v.base);
    flush_display();
}

// Node i's radius in the hits display: base x sqrt(hits / mean hits).
double
hits_radius(const ant_view &v, uint32_t i)
{
    if (v.walk.total == 0)
        return 0;
    double mean = static_cast<double>(v.walk.total) / node_no;
    return v.base * std::sqrt(v.walk.hit_count[i] / mean);
}

// The window cleared and framed; with nodes each node drawn in its colour
// sized by its hits.
void
clear_window_with_hits(const ant_view &v, bool nodes)
{
    const graph_frame &f = v.frame;
    draw_box(-1, f.x0, f.y0, f.x1, f.y1, 1, 0);
    if (!nodes)
        return;
    graph_clip clip(f);
    uint8_t fill = fillcolor;
    for (uint32_t i = node_no; i >= 1; i--) {
        if (v.walk.hit_count[i] == 0)
            continue;
        setfillstyle(0, basin_color[i]);
        pieslice(basin_pos[i][0], basin_pos[i][1], 0, 360, std::max(1, static_cast<int>(hits_radius(v, i))));
    }
    fillcolor = fill;
}

// Each node's share of the hits, "%.1f" percent, on a black box at the
// node in its colour, where it covers no share written before it.
void
write_hit_shares(const ant_view &v)
{
    graph_clip clip(v.frame);
    uint8_t fill = fillcolor;
    setfillstyle(0, black);
    forget_label_places();
    for (uint32_t i = node_no; i >= 1; i--) {
        char share[32];
        double percent = v.walk.total ? v.walk.hit_count[i] * 100.0 / v.walk.total : 0.0;
        snprintf(share, sizeof share, "%.1f", percent);
        int w = text_width_in_use(share), x = basin_pos[i][0] - w / 2, y = basin_pos[i][1] - CHeight / 2;
        if (!take_label_place(x - 1, y, x + w + 1, y + CHeight))
            continue;
        bar(x - 1, y, x + w + 1, y + CHeight);
        setcolor(basin_color[i]);
        moveto(x, y);
        outtext(share);
    }
    fillcolor = fill;
}

void
redraw_graph(const ant_view &v)
{
    redraw_graph_window(v.base, v.frame);
}

// --- The hits display's answers.

bool
hits_full(const ant_view &v)
{
    return v.walk.total >= kMostAntHits;
}

bool
hits_not_full(const ant_view &v)
{
    return !hits_full(v);
}

hits_turn
hits_quit(ant_view &, char)
{
    return hits_turn::leave;
}

hits_turn
hits_redraw(ant_view &v, char)
{
    redraw_graph(v);
    return hits_turn::again;
}

hits_turn
hits_restart(ant_view &v, char)
{
    redraw_graph(v);
    restart_ant(v.walk, false);
    return hits_turn::walk_on;
}

hits_turn
hits_random_ant(ant_view &v, char)
{
    redraw_graph(v);
    toggle_random_ant(v.walk);
    return hits_turn::walk_on;
}

hits_turn
hits_shares(ant_view &v, char key)
{
    clear_window_with_hits(v, key == 'n');
    write_hit_shares(v);
    return hits_turn::again;
}

hits_turn
hits_continue(ant_view &v, char)
{
    redraw_graph(v);
    return hits_turn::walk_on;
}

// The display's answers; 'd' is named on both of its lines, and 'n' and
// 'N' answer at max hits too.
const hits_key kHitsKeys[] = {
    hits_key::on("s")
        .help([](const ant_view &v) {
            return formatted("\ntotal hits so far=%u, ", v.walk.total) +
                   (v.walk.random_ant ? "tog random ant(ON)-s " : "tog rand ant(OFF)-s ");
        })
        .does(hits_random_ant),
    hits_key::on("r").help("restart rand -r,").does(hits_restart),
    hits_key::on("d").help(" redraw-d").does(hits_redraw),
    hits_key::on("nN")
        .help("\nshow % frequency: only-N +nodes-n,")
        .when(hits_not_full)
        .unlisted_when(always<ant_view>)
        .does(hits_shares),
    hits_key::on("").help("\nmax hits,").when(hits_full),
    hits_key::on("d").help(" redraw-d,").when(hits_not_full).does(hits_redraw),
    hits_key::on("q").help(" quit-q").does(hits_quit),
    hits_key::on("\r").help(" cont-ret:").does(hits_continue),
};

std::string
hits_title(const ant_view &v)
{
    std::string title = "showing % hits on each basin";
    if (v.stuck_at)
        title += formatted(" - no targets, ant stuck at node %llu", shown_number(v.stuck_at));
    return title;
}

// The hits display until an answer goes back to the walk or leaves it.
ant_turn
show_hits(ant_view &v, uint32_t stuck_at)
{
    v.stuck_at = stuck_at;
    clear_window_with_hits(v, true);
    hits_turn turn = hits_turn::again;
    while (turn == hits_turn::again) {
        prompt_end end = show_graph_prompt(hits_prompt_lines(v));
        char key = wait_graph_prompt_key(end);
        const hits_key *row = find_key(kHitsKeys, key, v);
        if (row && row->act)
            turn = row->act(v, key);
    }
    v.stuck_at = 0;
    return turn == hits_turn::leave ? ant_turn::leave : ant_turn::prompt;
}

// --- The walk's keys.

ant_turn
walk_distances(ant_view &, char)
{
    shortest_path(paths_undirected);
    return ant_turn::prompt;
}

ant_turn
walk_quit(ant_view &, char)
{
    return ant_turn::leave;
}

ant_turn
walk_speed(ant_view &v, char key)
{
    v.walk.delay = key == '>' ? faster_delay(v.walk.delay) : slower_delay(v.walk.delay);
    return ant_turn::walk_on;
}

ant_turn
walk_pause(ant_view &, char)
{
    wait_graph_prompt_key(walk_prompt_end);
    return ant_turn::walk_on;
}

ant_turn
walk_restart(ant_view &v, char)
{
    restart_ant(v.walk, false);
    return ant_turn::walk_on;
}

ant_turn
walk_redraw(ant_view &v, char)
{
    redraw_graph(v);
    return ant_turn::walk_on;
}

ant_turn
walk_hits(ant_view &v, char)
{
    return show_hits(v, 0);
}

ant_turn
walk_show_ant(ant_view &v, char)
{
    v.walk.show_ant = !v.walk.show_ant;
    return ant_turn::prompt;
}

ant_turn
walk_random_ant(ant_view &v, char)
{
    redraw_graph(v);
    toggle_random_ant(v.walk);
    return ant_turn::prompt;
}

const ant_key kAntKeys[] = {
    ant_key::on("D").help(" Distance-D").does(walk_distances),
    ant_key::on("q").help(" quit-q").does(walk_quit),
    ant_key::on("<>").help(" speed-</>").does(walk_speed),
    ant_key::on("p").help(" pause-p").does(walk_pause),
    ant_key::on("r").help("\nrestart rand -r,").does(walk_restart),
    ant_key::on("d").help(" redraw-d").does(walk_redraw),
    ant_key::on("h").help("\nshow hits -h,").does(walk_hits),
    ant_key::on("a")
        .help([](const ant_view &v) {
            return std::string(" tog: show ant(") + on_off(v.walk.show_ant) + ")-a,";
        })
        .does(walk_show_ant),
    ant_key::on("s")
        .help([](const ant_view &v) {
            return std::string(" random ant(") + on_off(v.walk.random_ant) + ") -s";
        })
        .does(walk_random_ant),
};

// One step of the walk and what follows it: the animation, the hits
// display of a stuck or full walk, or the key pending.
ant_turn
walk_once(ant_view &v)
{
    ant_step step = step_ant(v.walk);
    if (step.event == ant_event::stepped && v.walk.show_ant)
        animate_step(v, step.from, step.to);
    if (step.event == ant_event::stuck)
        return show_hits(v, step.from);
    if (step.event == ant_event::full)
        return show_hits(v, 0);
    if (!event_ready())
        return ant_turn::walk_on;
    const ant_key *row = find_key(kAntKeys, is[0], v);
    return row && row->act ? row->act(v, is[0]) : ant_turn::walk_on;
}

} // namespace

void
prob_ant_prompts(bool show_ant, bool random_ant)
{
    ant_view v;
    v.walk.show_ant = show_ant;
    v.walk.random_ant = random_ant;
    walk_prompt_end = show_graph_prompt(ant_prompt_lines(v));
}

void
prob_ant(float base, const graph_frame &frame)
{
    if (no_links || !basinjumps || node_no == 0)
        return;
    ant_view v;
    v.base = base;
    v.frame = frame;
    open_ant_walk(v.walk);
    walking = &v;
    ant_turn turn = ant_turn::prompt;
    while (turn != ant_turn::leave) {
        if (turn == ant_turn::prompt)
            prob_ant_prompts(v.walk.show_ant, v.walk.random_ant);
        turn = walk_once(v);
    }
    walking = nullptr;
    close_ant_walk(v.walk);
    remove_menu();
}

std::vector<key_help_line>
ant_prompt_pieces(const ant_view &v)
{
    return key_help(kAntKeys, v);
}

std::vector<std::string>
ant_prompt_lines(const ant_view &v)
{
    return prompt_lines("probabilistic ant:", ant_prompt_pieces(v));
}

std::string
ant_keys()
{
    return all_keys(kAntKeys);
}

std::vector<key_help_line>
hits_prompt_pieces(const ant_view &v)
{
    return key_help(kHitsKeys, v);
}

std::vector<std::string>
hits_prompt_lines(const ant_view &v)
{
    return prompt_lines(hits_title(v), hits_prompt_pieces(v));
}

std::string
hits_keys()
{
    return all_keys(kHitsKeys);
}

bool
ant_key_acts(const ant_view &v, char key)
{
    return key_acts(kAntKeys, key, v);
}

bool
hits_key_acts(const ant_view &v, char key)
{
    return key_acts(kHitsKeys, key, v);
}

std::string
hits_unlisted_keys(const ant_view &v)
{
    return unlisted_keys(kHitsKeys, v);
}

const ant_view *
ant_walking()
{
    return walking;
}
