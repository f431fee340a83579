// The attractor-type and frozen-skeleton histograms (type_histograms.h).
// The types themselves are engine/measures (attractor_type_table.h,
// skeleton_type_table.h); this file puts their counts into the damage
// record's histogram and draws it with the damage histogram's machinery
// (show_diff_plot and its options prompt, damage_plot.h), asks the pause
// prompt and the sort question, and shows the paged data table. The
// prompts are key tables: their help and their dispatch walk the same rows.
// Reads att, attperiod, d_mode, stp (engine/forward), A, firstseed, lineL,
// twod (engine/model); calls the attractor jump graph (ui/graphs),
// random_seed (ui/rules) and the state drawing (ui/model). Start at show_att_type_hist.
#include "ui/measures/type_histograms.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/forward/attractor_search.h"
#include "engine/forward/forward_step.h"
#include "engine/forward/globals.h"
#include "engine/graphs/globals.h"
#include "engine/graphs/jump_counting.h"
#include "engine/model/formatted_text.h"
#include "engine/model/globals.h"
#include "ui/graphs/meta_graph.h"
#include "ui/measures/damage_plot.h"
#include "ui/measures/top_prompt.h"
#include "ui/model/cell_display.h"
#include "ui/rules/random_states.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"
#include "ui/screen/side_panel.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window.h"
#include "ui/screen/window_pixels.h"

namespace {

constexpr int kTableSlot = 12;  // boximage slot under the data table

// ---- the histogram

// The damage record shows the types: its counts are the types' counts
// (column t the frequency of type t, as many columns as it holds), its
// value the type just counted, its sample number the samples so far.
void
show_type_counts(damage_record *dp, const uint32_t *counts, uint32_t types, uint32_t type,
                 uint32_t samples)
{
    for (uint32_t c = 0; c <= dp->counts_last; c++)
        dp->damage_buf[c] = c >= 1 && c <= types ? counts[c] : 0;
    dp->damage = type;
    dp->types = types;
    dp->sample = samples;
}

// The bar of the type just counted (or, with whole, the histogram afresh
// on a new y scale), without the options prompt: after a pause prompt that
// left the pause on, the options were just asked.
void
draw_type_bar(damage_record *dp, bool whole)
{
    uint8_t pause = dp->hist_options;
    dp->hist_options = 0;
    if (whole)
        draw_diff_graphframe(dp, true, false, false);
    show_diff_plot(whole, dp);
    dp->hist_options = pause;
}

// The readout's box as last drawn: the next one takes its place, and the
// data table opens below it.
line_box readout_box{0, 0, 0, 0};

// A line at the top right, not waiting, beside the colour key as the pause
// prompt stands. It is the top right's one-line box (boxes.h): the last
// one, which a longer line widened to the left, is taken away first where
// it still stands, and a box drawn over a part of it later (the frozen
// key's, a rule readout's) takes it away whole.
void
readout(const std::string &text)
{
    int16_t x = getx, y = gety;
    int colour = getcolor();
    erase_top_line_box(readout_box);
    const top_prompt place = place_top_prompt({text}, 0);
    readout_box = {place.left, place.top, place.right, place.bottom};
    draw_line_box(readout_box);
    text_line(readout_box.left + 3, readout_box.right - 3, readout_box.top + 3, text);
    setcolor(colour);
    moveto(x, y);
}

// The data table's top: below the readout and the colour key's box where
// that stands at the top right, so that the table's frame runs across
// neither.
int
table_top()
{
    int below = std::max(readout_box.bottom, prompt_box_bottom(1));
    int key_left = 0, key_bottom = 0;
    if (color_key_box_at_right(&key_left, &key_bottom))
        below = std::max(below, key_bottom);
    return below + 2;
}

// A one-key prompt at the top right over a saved copy of what it covers,
// beside the colour key; returns the key.
char
ask_key(const std::string &text)
{
    int16_t x = getx, y = gety;
    int colour = getcolor();
    top_prompt p = open_top_prompt({text}, 1);
    input_string(1, single_key_entry);
    close_top_prompt(p);
    setcolor(colour);
    moveto(x, y);
    return is[0];
}

// ---- the data table

// A table of rows of texts, one per column, placed at multiples of w =
// Maxx / 20 from its left edge, and moved apart (and left) where the texts
// are wider than that: no text runs into the next or out of the window.
struct type_table {
    int x = 0;                             // left edge of the text as asked for
    std::vector<double> at;                // each column's place, in w
    std::vector<std::string> head;         // the lines at the head of each page
    std::vector<std::string> headings;     // one per column
    std::vector<std::vector<std::string>> rows; // rows[u - 1]: type u
};

struct table_layout {
    int x = 0;               // left edge of the text
    std::vector<int> column; // each column's offset from x
};

// The table box's right edge: against the window's, or left of a key panel
// kept at the right of the drawing area.
int
table_right()
{
    return Maxx - 2 - side_panel_shift(Maxx - 2);
}

// The lowest row the table box may take: above the histogram's box where
// the table stands over its columns (the box copies of the pattern leave
// alone), else above the window's foot.
int
table_lowest(int x0, int x1)
{
    int bx0, by0, bx1, by1;
    if (kept_area(&bx0, &by0, &bx1, &by1) && x0 <= bx1 && x1 >= bx0)
        return by0 - 2;
    return Maxy - 2;
}

int
width_of(const std::string &text)
{
    return text_pixel_width(text.c_str(), static_cast<int>(text.size()));
}

table_layout
lay_out_table(const type_table &t)
{
    const double w = Maxx / 20.0;
    std::vector<int> widest(t.at.size(), 0);
    auto widen = [&](const std::vector<std::string> &texts) {
        for (size_t c = 0; c < texts.size() && c < widest.size(); c++)
            widest[c] = std::max(widest[c], width_of(texts[c]));
    };
    widen(t.headings);
    for (const std::vector<std::string> &row : t.rows)
        widen(row);
    table_layout l;
    l.column.resize(t.at.size());
    int right = 0;
    for (size_t c = 0; c < t.at.size(); c++) {
        int place = static_cast<int>(t.at[c] * w);
        if (c > 0)
            place = std::max(place, l.column[c - 1] + widest[c - 1] + CWidth);
        l.column[c] = place;
        right = std::max(right, place + widest[c]);
    }
    for (const std::string &line : t.head)
        right = std::max(right, width_of(line));
    right = std::max(right, width_of(" jump to index (" + std::to_string(t.rows.size()) + "-0):"));
    right = std::max(right, width_of("more-ret quit-q jump-j:"));
    l.x = std::max<int>(vgax(4), std::min(t.x, table_right() - vgax(3) - right));
    return l;
}

struct table_wait {
    bool last = false; // the last type is listed
};

enum class table_step { next_page, end, jump };

bool
more_to_come(const table_wait &w)
{
    return !w.last;
}

bool
at_the_end(const table_wait &w)
{
    return w.last;
}

using table_key = key_row<table_wait, table_step>;

const table_key kTableKeys[] = {
    table_key::on("\r").help("more-ret").when(more_to_come).does([](table_wait &, char) {
        return table_step::next_page;
    }),
    table_key::on("q").help(" quit-q").when(more_to_come).does([](table_wait &, char) {
        return table_step::end;
    }),
    table_key::on("\r").help("cont-ret").when(at_the_end).does([](table_wait &, char) {
        return table_step::end;
    }),
    table_key::on("j").help(" jump-j:").does([](table_wait &, char) { return table_step::jump; }),
};

void
write_at(int x, int y, const std::string &text)
{
    moveto(x, y);
    outtext(text.c_str());
}

// Clears a line of text from (x0, y) to x1, with the descenders that reach
// below its cell, but not past bottom.
void
clear_line(int x0, int y, int x1, int bottom)
{
    setfillstyle(0, black);
    bar(x0, y, x1, std::min(y + CHeight + CHeight / 4, bottom));
}

// Lists the rows a page at a time in a framed box over a saved copy of
// what it covers: after each page, and after the last row, it waits for
// more, quit or a jump to a type.
void
show_type_table(const type_table &t)
{
    int16_t px = getx, py = gety;
    int colour = getcolor();
    table_layout l = lay_out_table(t);
    const uint32_t types = static_cast<uint32_t>(t.rows.size());
    // Below the readout of the last type, which stays in view.
    const int x0 = l.x - vgax(2), y0 = table_top(), x1 = table_right();
    // As tall as the rows need, at most down to its lowest row.
    const int bottom = table_lowest(x0, x1);
    const int y1 = static_cast<int>(
        std::min<int64_t>(y0 + (static_cast<int64_t>(types) + 4) * CHeight, bottom));
    draw_box(kTableSlot, x0, y0, x1, y1, 1, 0);
    const int lowest = bottom - vgax(2) - 2 * CHeight + 2;
    uint32_t u = 1;
    for (;;) {
        // A page: the head, then rows while they fit.
        setcolor(white);
        int y = y0 + 2;
        for (const std::string &line : t.head) {
            write_at(l.x, y, line);
            y += CHeight;
        }
        for (size_t c = 0; c < t.headings.size(); c++)
            write_at(l.x + l.column[c], y, t.headings[c]);
        y += CHeight;
        for (; u <= types && y + CHeight <= lowest; u++, y += CHeight) {
            const std::vector<std::string> &row = t.rows[u - 1];
            for (size_t c = 0; c < row.size(); c++)
                write_at(l.x + l.column[c], y, row[c]);
        }
        table_wait wait{u > types};
        write_at(l.x, y, help_text(key_help(kTableKeys, wait)));
        input_string(1, single_key_entry);
        const table_key *row = find_key(kTableKeys, is[0], wait);
        table_step step = row ? row->act(wait, is[0]) : table_step::next_page;
        if (step == table_step::jump) {
            clear_line(x0 + 1, y, x1 - 1, y1 - 1);
            std::string most = std::to_string(types);
            write_at(l.x, y, " jump to index (" + most + "-0):");
            input_string(static_cast<int>(most.size()), numeric_entry);
            u = std::max<uint32_t>(static_cast<uint32_t>(entry_held(u, {0, static_cast<double>(types)}, true)), 1);
        } else if (step == table_step::end || u > types) {
            break;
        }
        // The listing goes on at the top of the cleared box.
        setfillstyle(0, black);
        bar(x0 + 1, y0 + 1, x1 - 1, y1 - 1);
    }
    putimage(x0, y0, &boximage[kTableSlot], 0);
    freeimage(&boximage[kTableSlot]);
    setcolor(colour);
    moveto(px, py);
}

type_table
attractor_table(const attractor_type_table &a)
{
    type_table t;
    bool dens = a.count_density;
    t.x = Maxx * (dens ? 4 : 5) / 7;
    t.head = {formatted("attractor types so far=%lu", static_cast<unsigned long>(a.types))};
    if (dens) {
        t.at = {0, 1, 2, 3, 4.1, 6.5};
        t.headings = {"type", "no", "freq", "period", "dens-/50%/+", "trans"};
    } else {
        t.at = {0, 1, 2, 3, 4.1};
        t.headings = {"type", "no", "freq", "period", "trans"};
    }
    double samples = a.samples ? a.samples : 1;
    for (uint32_t u = 1; u <= a.types; u++) {
        unsigned long count = a.att_type_no[u];
        std::vector<std::string> row = {formatted("%lu", static_cast<unsigned long>(u)),
                                        formatted("%lu", count), formatted("%.4f", count / samples),
                                        formatted("%lu", static_cast<unsigned long>(a.att_type_period[u]))};
        if (dens) {
            int d = density_row_of(a, u);
            std::string split;
            if (d >= 0) {
                const uint32_t *n = a.dens_seed[d];
                row[3] += d == dens_all_0s ? "(all 0s)" : "(all 1s)";
                split = formatted("%lu/%lu/%lu e=%lu%%", static_cast<unsigned long>(n[dens_fewer]),
                                  static_cast<unsigned long>(n[dens_half]),
                                  static_cast<unsigned long>(n[dens_more]),
                                  static_cast<unsigned long>(density_error_percent(a, u)));
            }
            row.push_back(split);
        }
        row.push_back(formatted("%.1f", a.att_type_avtrans[u]));
        t.rows.push_back(row);
    }
    return t;
}

type_table
skeleton_table(const skeleton_type_table &s, uint8_t kind)
{
    static const char *const kKinds[3] = {"0s ", "1s ", "0s & 1s "};
    type_table t;
    t.x = Maxx * 5 / 7;
    t.head = {std::string(kKinds[kind < 3 ? kind : 2]) +
              formatted("skeleton types so far=%lu", static_cast<unsigned long>(s.types))};
    t.at = {0, 1, 2, 3, 4.5};
    t.headings = {"type", "no", "freq", "%fr-0s-1s", "avtrans"};
    double samples = s.samples ? s.samples : 1;
    for (uint32_t u = 1; u <= s.types; u++) {
        unsigned long count = s.att_type_no[u];
        t.rows.push_back({formatted("%lu", static_cast<unsigned long>(u)), formatted("%lu", count),
                          formatted("%.4f", count / samples),
                          formatted("%.1f %.1f", s.type_fr0s[u], s.type_fr1s[u]),
                          formatted("%.1f", s.att_type_avtrans[u])});
    }
    return t;
}

// ---- the sort questions

struct no_context {};

using attractor_sort_key = key_row<no_context, attractor_sort>;
using skeleton_sort_key = key_row<no_context, skeleton_sort>;

// The last row of each is the default, for every key the others lack.
const attractor_sort_key kAttractorSortKeys[] = {
    attractor_sort_key::on("a").help("sort by: attperiod-a").does([](no_context &, char) {
        return attractor_sort::period;
    }),
    attractor_sort_key::on("t").help(" avtrans-t").does([](no_context &, char) {
        return attractor_sort::transient;
    }),
    attractor_sort_key::on("").help(" (def freq):").does([](no_context &, char) {
        return attractor_sort::frequency;
    }),
};

const skeleton_sort_key kSkeletonSortKeys[] = {
    skeleton_sort_key::on("0").help("sort by: frozen-0").does([](no_context &, char) {
        return skeleton_sort::frozen_0s;
    }),
    skeleton_sort_key::on("1").help("-1").does([](no_context &, char) {
        return skeleton_sort::frozen_1s;
    }),
    skeleton_sort_key::on("b").help("-b ").does([](no_context &, char) {
        return skeleton_sort::frozen;
    }),
    skeleton_sort_key::on("t").help(" avtrans-t").does([](no_context &, char) {
        return skeleton_sort::settling;
    }),
    skeleton_sort_key::on("").help(" (def freq):").does([](no_context &, char) {
        return skeleton_sort::frequency;
    }),
};

template <class Row, size_t N>
auto
ask_sort(const Row (&rows)[N])
{
    no_context c;
    char key = ask_key(help_text(key_help(rows, c)));
    const Row *row = find_key(rows, key, c);
    return (row ? row : &rows[N - 1])->act(c, key);
}

// ---- the pause prompt

struct type_pause {
    skeleton_record *sk;
    damage_record *dp;
    run_iteration *it;
    bool attractors; // the attractor histogram, not the skeleton histogram
    bool restarted = false; // the types began again (the network's size changed)
    type_histogram_request request = type_histogram_request::go_on;
};

enum class pause_step {
    again,     // the skeleton prompt comes back (the attractor prompt ends)
    done,      // the prompt ends
    left_key,  // the key the jump graph left in is acts as if typed here
};

// The histogram with the types' counts as they stand, drawn whole; with the
// pause still on, the options prompt follows.
void
redraw_types(type_pause &p)
{
    if (p.attractors) {
        const attractor_type_table &a = p.sk->attractors;
        show_type_counts(p.dp, a.att_type_no, a.types, p.dp->damage, a.samples);
    } else {
        const skeleton_type_table &s = p.sk->skeletons;
        show_type_counts(p.dp, s.att_type_no, s.types, p.dp->damage, s.samples);
    }
    show_diff_plot(true, p.dp);
}

pause_step
jump_graph(type_pause &p, char)
{
    const attractor_type_table &a = p.sk->attractors;
    attractor_types view;
    view.count = a.types;
    view.runs = a.att_type_no;
    view.period = a.att_type_period;
    view.mean_transient = a.att_type_avtrans;
    view.sampled = a.samples;
    view.states = a.m_att;
    view.rules = p.sk->rules;
    view.mode = forward_run_mode(0);
    view.mode.seq_update = p.it->run_seq_update;
    view.mode.p_order = p.it->run_p_order;
    // The graph's menu takes the top right: the colour key gives way while
    // the graph is up and comes back after it.
    int key_left = 0, key_bottom = 0;
    const bool key_up = color_key_box_at_right(&key_left, &key_bottom);
    if (key_up)
        show_multistate_color_key(0);
    meta_graph_table(static_cast<int>(a.types), &view, graph_attractors);
    if (key_up)
        show_multistate_color_key(1);
    return pause_step::left_key;
}

pause_step
data_table(type_pause &p, char)
{
    if (p.attractors)
        show_type_table(attractor_table(p.sk->attractors));
    else
        show_type_table(skeleton_table(p.sk->skeletons, p.sk->kind));
    p.dp->hist_options = 0;
    is[0] = 0;
    redraw_types(p);
    return pause_step::again;
}

pause_step
sort_types(type_pause &p, char)
{
    std::vector<uint32_t> order =
        p.attractors ? sort_attractor_types(p.sk->attractors, ask_sort(kAttractorSortKeys))
                     : sort_skeleton_types(p.sk->skeletons, ask_sort(kSkeletonSortKeys));
    // The type just counted keeps its bar and readout at its new place.
    auto place = std::find(order.begin(), order.end(), p.dp->damage);
    if (place != order.end())
        p.dp->damage = static_cast<uint32_t>(place - order.begin());
    redraw_types(p);
    return pause_step::again;
}

pause_step
clear_types(type_pause &p, char)
{
    if (p.attractors) {
        clear_attractor_types(p.sk->attractors);
    } else {
        clear_skeleton_types(p.sk->skeletons);
        memset(p.sk->ref_buff, 0, bytesL);
    }
    p.dp->types = 0;
    p.dp->sample = 0;
    p.dp->hist_options = 0;
    show_type_counts(p.dp, nullptr, 0, 0, 0);
    draw_type_bar(p.dp, true);
    p.request = type_histogram_request::pause_box;
    return pause_step::done;
}

pause_step
options(type_pause &p, char)
{
    redraw_types(p);
    return pause_step::again;
}

pause_step
go_on(type_pause &p, char)
{
    p.dp->hist_options = 0;
    return pause_step::done;
}

bool
of_attractors(const type_pause &p)
{
    return p.attractors;
}

bool
of_skeletons(const type_pause &p)
{
    return !p.attractors;
}

using pause_key = key_row<type_pause, pause_step>;

const pause_key kPauseKeys[] = {
    pause_key::on("m").help("attractors: meta-m").when(of_attractors).does(jump_graph),
    pause_key::on("").help("skeletons:").when(of_skeletons),
    pause_key::on("d").help(" data-d").does(data_table),
    pause_key::on("s").help(" sort-s").does(sort_types),
    pause_key::on("c").help(" clear-c").does(clear_types),
    pause_key::on("o").help(" redraw/options-o").does(options),
    pause_key::on("\r").help(" cont-ret:").does(go_on),
};

// The row of its own a key of the pause prompt has now (it is listed), or
// nullptr.
const pause_key *
own_pause_row(const type_pause &p, char key)
{
    const pause_key *row = find_key(kPauseKeys, key, p);
    return row && row->act ? row : nullptr;
}

// The row acting on a key of the pause prompt: its own, else the one for
// any other key (Return's, which ends the pause).
const pause_key *
pause_row(const type_pause &p, char key)
{
    const pause_key *row = own_pause_row(p, key);
    return row ? row : find_key(kPauseKeys, kKeyReturn, p);
}

// The pause prompt: one key, acted on; the skeleton prompt comes back
// after the data table, a sort and the options. Returns what the run does.
type_histogram_request
pause_prompt(type_pause &p)
{
    std::string text = help_text(key_help(kPauseKeys, p));
    for (;;) {
        char key = ask_key(text);
        pause_step step = pause_row(p, key)->act(p, key);
        // The key that left the graph acts here, once: a graph again is not
        // opened by it.
        if (step == pause_step::left_key) {
            key = is[0];
            const pause_key *row = pause_row(p, key);
            step = row->act == jump_graph ? go_on(p, key) : row->act(p, key);
        }
        if (step == pause_step::again && !p.attractors)
            continue;
        return p.request;
    }
}

// After a type was counted: the pause prompt when the run is paused, then
// the type's bar and the one-line readout.
type_histogram_request
after_count(type_pause &p, std::string (*readout_text)(const type_pause &))
{
    type_histogram_request request = type_histogram_request::go_on;
    if (p.dp->hist_options)
        request = pause_prompt(p);
    is[0] = 0;
    if (p.dp->types >= 1) {
        draw_type_bar(p.dp, p.restarted);
        readout(readout_text(p));
    }
    return request;
}

std::string
attractor_readout(const type_pause &p)
{
    const attractor_type_table &a = p.sk->attractors;
    uint32_t u = p.dp->damage;
    return formatted("types=%lu this=%lu attperiod=%lu avtrans=%.1f", static_cast<unsigned long>(a.types),
                     static_cast<unsigned long>(u), static_cast<unsigned long>(a.att_type_period[u]),
                     static_cast<double>(a.att_type_avtrans[u]));
}

std::string
skeleton_readout(const type_pause &p)
{
    const skeleton_type_table &s = p.sk->skeletons;
    uint32_t u = p.dp->damage;
    return formatted("types=%lu this=%lu avtrans=%.1f", static_cast<unsigned long>(s.types),
                     static_cast<unsigned long>(u), static_cast<double>(s.att_type_avtrans[u]));
}

// The skeleton of a sample at the middle of the window, cut two columns
// left of a key panel kept at the right: a long network's row runs on from
// the middle across the panel's lines.
void
draw_skeleton(const uint8_t *skeleton)
{
    const saved_viewport view;
    setviewport(view.x0, view.y0, std::min<int>(view.x1, Maxx - side_panel_shift(Maxx)), view.y1, 1);
    moveto(Maxx / 2, static_cast<int>(Maxy / 7 + 1.5 * CHeight));
    setcolor(white);
    if (twod)
        print_current_state_twod(skeleton, white);
    else
        print_current_state(skeleton, white);
    view.put_back();
}

} // namespace

type_histogram_request
show_att_type_hist(skeleton_record *sk, damage_record *dp, run_iteration *it, int)
{
    int16_t x = getx, y = gety;
    int colour = getcolor();
    attractor_type_table &a = sk->attractors;
    // The states before the cycle, counted from the search's first state:
    // the seed, or where a change during the run started the search over.
    uint32_t u = record_attractor(a, att, attperiod, A, firstseed, attractor_first_repeat());
    type_pause p{sk, dp, it, true};
    p.restarted = a.types < dp->types;
    show_type_counts(dp, a.att_type_no, a.types, u, a.samples);
    type_histogram_request request = after_count(p, attractor_readout);
    setcolor(colour);
    moveto(x, y);
    return request;
}

type_histogram_request
show_frozen_skel_hist(skeleton_record *sk, damage_record *dp, run_iteration *it, int)
{
    int16_t x = getx, y = gety;
    int colour = getcolor();
    type_histogram_request request = type_histogram_request::go_on;
    skeleton_type_table &s = sk->skeletons;
    skeleton_settings settings{sk->pc_frozen, sk->pc_same_type, dp->skeleton_length};
    dp->damage = 0;
    dp->damage_percent = 0;
    uint32_t u = record_skeleton_step(s, sk->frozen_buff, sk->ref_buff, dp->same_run, settings,
                                      it->time, sk->frozen_other, sk->frozen_top);
    if (u != 0) {
        draw_skeleton(sk->frozen_buff);
        type_pause p{sk, dp, it, false};
        p.restarted = s.types < dp->types;
        show_type_counts(dp, s.att_type_no, s.types, u, s.samples);
        request = after_count(p, skeleton_readout);
        if (stp && d_mode == display_1d)
            it->page_full = 1;
        it->fore_colour = static_cast<uint8_t>(random_seed(it->fore_colour, 100, 0));
        dp->damage = 0;
        dp->same_run = 0;
        it->time = 0;
    }
    end_skeleton_step(sk->frozen_buff, sk->ref_buff, dp->same_run);
    setcolor(colour);
    moveto(x, y);
    return request;
}

std::vector<key_help_line>
type_prompt_menu(type_prompt prompt)
{
    switch (prompt) {
    case type_prompt::attractor_pause:
    case type_prompt::skeleton_pause: {
        type_pause p{nullptr, nullptr, nullptr, prompt == type_prompt::attractor_pause};
        return key_help(kPauseKeys, p);
    }
    case type_prompt::attractor_sort:
        return key_help(kAttractorSortKeys, no_context{});
    case type_prompt::skeleton_sort:
        return key_help(kSkeletonSortKeys, no_context{});
    case type_prompt::table_page:
        return key_help(kTableKeys, table_wait{false});
    case type_prompt::table_end:
    default:
        return key_help(kTableKeys, table_wait{true});
    }
}

bool
type_prompt_acts_on(type_prompt prompt, char key)
{
    switch (prompt) {
    case type_prompt::attractor_pause:
    case type_prompt::skeleton_pause: {
        type_pause p{nullptr, nullptr, nullptr, prompt == type_prompt::attractor_pause};
        return own_pause_row(p, key) != nullptr;
    }
    case type_prompt::attractor_sort:
        return find_key(kAttractorSortKeys, key, no_context{}) != nullptr;
    case type_prompt::skeleton_sort:
        return find_key(kSkeletonSortKeys, key, no_context{}) != nullptr;
    case type_prompt::table_page:
        return find_key(kTableKeys, key, table_wait{false}) != nullptr;
    case type_prompt::table_end:
    default:
        return find_key(kTableKeys, key, table_wait{true}) != nullptr;
    }
}
