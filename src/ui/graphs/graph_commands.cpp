// The graph window's command loop (graph_commands.h): the key table
// kGraphKeys, whose rows give the menu's pieces and the command of each
// key, the commands above it, and the loop below it that draws the menu,
// waits, and runs the row of the key. Keys that need links (the graph of a
// network shown as a layout only has none) or a field's graph are guarded
// in the row itself, so a guarded key is ignored the same way everywhere.
// The layout arithmetic is engine/graphs (graph_moves.h, graph_rank.h);
// drawing is graph_layouts.h and graph_drawing.h. Start at kGraphKeys.
#include "ui/graphs/graph_commands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/backward/globals.h"
#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/graphs/graph_moves.h"
#include "engine/graphs/graph_rank.h"
#include "engine/graphs/unscramble.h"
#include "engine/model/formatted_text.h"
#include "ui/graphs/ant_view.h"
#include "ui/graphs/drag_editor.h"
#include "ui/graphs/globals.h"
#include "ui/graphs/graph_drawing.h"
#include "ui/graphs/graph_layout_file.h"
#include "ui/graphs/graph_layouts.h"
#include "ui/graphs/graph_prompt.h"
#include "ui/graphs/jump_table_view.h"
#include "ui/graphs/shortest_path.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"
#include "ui/screen/window.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

void (*field_redraw)(const field_area &window) = nullptr;

// Where the menu's last line ends: the key wait blinks there.
int menu_end_x = 0, menu_end_y = 0;

using graph_key = key_row<graph_view, graph_step>;

bool
linked(const graph_view &)
{
    return !no_links;
}

bool
field_graph(const graph_view &)
{
    return f_or_n == graph_field;
}

// --- Layouts.

graph_step
circle_layout(graph_view &view, char)
{
    view.base = draw_circle_graph(view.frame, view.node_factor);
    return graph_step::done;
}

graph_step
lattice_layout(graph_view &view, char key)
{
    view.base = key == '2' ? draw_2d_graph(view.frame, view.node_factor)
                           : draw_3d_graph(view.frame, view.node_factor);
    return graph_step::done;
}

graph_step
spiral_layout(graph_view &view, char)
{
    view.base = spiral_base_radius(w_cyclerad, node_no, view.node_factor);
    place_on_spiral(view.frame, vgax(static_cast<float>(spiral_start_units(node_no))));
    set_graph_node_sizes(view.base);
    return graph_step::redraw;
}

graph_step
line_layout(graph_view &view, char)
{
    view.base = graph_base_radius(w_cyclerad, node_no, view.node_factor, circle_growth);
    place_on_line(view.frame);
    set_graph_node_sizes(view.base);
    return graph_step::redraw;
}

graph_step
jiggle(graph_view &, char)
{
    jiggle_nodes(vgax(10));
    return graph_step::redraw;
}

graph_step
random_layout(graph_view &view, char)
{
    const graph_frame &f = view.frame;
    place_at_random(f.x0 + vgax(120), f.y0 + vgay(30), f.x1 - f.x0 - vgax(240), f.y1 - f.y0 - vgay(60));
    return graph_step::redraw;
}

graph_step
rank_layout(graph_view &, char)
{
    place_by_rank();
    return graph_step::redraw;
}

// --- Moving and scaling about the centre.

graph_step
rotate(graph_view &view, char key)
{
    rotate_about_centre(view.frame.cx, view.frame.cy, key == 'x' ? -view.rotation : view.rotation);
    return graph_step::redraw;
}

graph_step
mirror(graph_view &view, char key)
{
    mirror_about_centre(view.frame.cx, view.frame.cy, key);
    return graph_step::redraw;
}

void
scale_nodes(graph_view &view, bool larger)
{
    view.base = scaled_base_radius(view.base, view.node_factor, larger);
    set_graph_node_sizes(view.base);
}

void
scale_distances(graph_view &view, bool larger)
{
    double factor = larger ? view.link_factor : 1.0 / view.link_factor;
    w_cyclerad = static_cast<float>(w_cyclerad * factor);
    scale_about_centre(view.frame.cx, view.frame.cy, factor);
}

graph_step
node_scaling(graph_view &view, char key)
{
    scale_nodes(view, key == 'e');
    return graph_step::redraw;
}

graph_step
link_scaling(graph_view &view, char key)
{
    scale_distances(view, key == 'E');
    return graph_step::redraw;
}

graph_step
both_scaling(graph_view &view, char key)
{
    scale_nodes(view, key == 'B');
    scale_distances(view, key == 'B');
    return graph_step::redraw;
}

// --- Display switches.

graph_step
redraw_only(graph_view &, char)
{
    return graph_step::redraw;
}

graph_step
toggle_switch(graph_view &, char key)
{
    uint8_t &flag = key == 'n'   ? scale_m_nodes
                    : key == 'N' ? node_numbers
                    : key == 'l' ? scale_links
                                 : show_arrows;
    flag = flag ? 0 : 1;
    return graph_step::redraw;
}

graph_step
arrow_sizing(graph_view &, char key)
{
    if (!show_arrows)
        return graph_step::ignored;
    arrow_size *= key == '>' ? 1.1f : 0.9f;
    return graph_step::redraw;
}

// The first press shows what the window covers, the next the graph again.
graph_step
window_toggle(graph_view &view, char)
{
    view.covered_shown = !view.covered_shown;
    if (!view.covered_shown)
        return graph_step::redraw;
    putimage(view.frame.x0, view.frame.y0, &boximage[kGraphWindowSlot], 0);
    return graph_step::done;
}

// --- The layout file.

graph_step
layout_file(graph_view &view, char)
{
    remove_menu();
    draw_prompt_box(1);
    outtext("layout: save-s load-l:");
    input_string(1, single_key_entry);
    char key = is[0];
    erase_prompt_box(1);
    remove_menu();
    if (key != 's' && key != 'l')
        return graph_step::menu;
    // The file dialog may have drawn over the window as well.
    return save_load_graph_layout(key, view.frame) == 1 || key == 's' ? graph_step::redraw_all : graph_step::menu;
}

// --- Settings: a four-line prompt, each row keeping its value on Return
// and holding an answer to its range, the line showing the value held.

std::string
angle_text(const graph_view &v)
{
    return formatted("settings: rotation angle (start=15), now %.2f degrees:", v.rotation * 360 / (2 * kPi));
}

std::string
node_factor_text(const graph_view &v)
{
    return formatted("expand/contract nodes: factor (1 to 2, start=1.2), now %.2f:", v.node_factor);
}

std::string
link_factor_text(const graph_view &v)
{
    return formatted("expand/contract links: factor (1 to 2, start=1.1), now %.2f:", v.link_factor);
}

std::string
arrow_text()
{
    return formatted("change arrow size: (0 to .3, start=0.07), now %.2f:", arrow_size);
}

using settings_question = question_row<graph_view>;

// A row asking one setting of the view on the prompt's line `line`.
constexpr settings_question
setting_row(settings_question::setting prompt, settings_question::take take, int line)
{
    return settings_question::row()
        .prompts(prompt)
        .entry(4, numeric_entry)
        .then(take)
        .on_line(line)
        .quits(answer_step::leave);
}

const settings_question kSettings[] = {
    setting_row([](graph_view &v) { put_text(angle_text(v)); },
                [](graph_view &v, int len) {
                    if (is[0] != kKeyReturn) {
                        long now = std::lround(v.rotation * 360 / (2 * kPi));
                        v.rotation = static_cast<float>(whole_answer_held(now, {-360, 360}, len) * 2 * kPi / 360);
                    }
                    return answer_step::next;
                },
                0),
    setting_row([](graph_view &v) { put_text(node_factor_text(v)); },
                [](graph_view &v, int len) {
                    v.node_factor = static_cast<float>(answer_held(v.node_factor, {1, 2}, len));
                    return answer_step::next;
                },
                1),
    setting_row([](graph_view &v) { put_text(link_factor_text(v)); },
                [](graph_view &v, int len) {
                    v.link_factor = static_cast<float>(answer_held(v.link_factor, {1, 2}, len));
                    return answer_step::next;
                },
                2),
    setting_row([](graph_view &) { put_text(arrow_text()); },
                [](graph_view &, int len) {
                    arrow_size = static_cast<float>(answer_held(arrow_size, {0, 0.3}, len));
                    return answer_step::next;
                },
                3),
};

graph_step
settings(graph_view &view, char)
{
    {
        // Room for a four-character answer after each prompt.
        fitting_font font({angle_text(view) + "0000", node_factor_text(view) + "0000",
                           link_factor_text(view) + "0000", arrow_text() + "0000"},
                          4);
        font.draw_box();
        ask_questions(kSettings, question_place{dialog_row, nullptr, false}, view);
    }
    return graph_step::menu;
}

// --- Unreachable nodes: a three-line prompt.

const char *const kSuppressText = "links from unreachable nodes: suppress-u restore-(ret):";
const char *const kIsolateText = "isolate unreachable -i:";

std::string
threshold_text()
{
    return formatted("change unreachable threshold (now %.0f):", static_cast<double>(u_threshold));
}

const question kUnreachable[] = {
    question::row()
        .resets([] { suppress_u_links = 0; })
        .prompts([] { put_text(kSuppressText); })
        .entry(1, single_key_entry)
        .then([](int) {
            if (is[0] != 'u')
                return answer_step::finish;
            suppress_u_links = 1;
            return answer_step::next;
        })
        .quits(answer_step::leave),
    question::row()
        .resets([] { isolate_unreachable = 0; })
        .prompts([] { put_text(kIsolateText); })
        .entry(1, single_key_entry)
        .then([](int) {
            isolate_unreachable = is[0] == 'i' ? 1 : 0;
            return answer_step::next;
        })
        .on_line(1)
        .quits(answer_step::leave),
    question::row()
        .prompts([] { put_text(threshold_text()); })
        .entry(3, numeric_entry)
        .then([](int len) {
            u_threshold = static_cast<uint32_t>(whole_answer_held(u_threshold, {0, 999}, len));
            return answer_step::next;
        })
        .on_line(2)
        .quits(answer_step::leave),
};

graph_step
unreachable_nodes(graph_view &view, char)
{
    remove_menu();
    {
        fitting_font font({std::string(kSuppressText) + "0", kIsolateText, threshold_text() + "000"}, 3);
        font.draw_box();
        ask_questions(kUnreachable, question_place{dialog_row, nullptr, false});
    }
    erase_prompt_box(3);
    remove_menu();
    if (isolate_unreachable) {
        const graph_frame &f = view.frame;
        isolate_unreachable_nodes(f.x0 + vgax(30), (f.x1 - f.x0 - vgax(60)) / 5);
    }
    return graph_step::redraw_all;
}

// --- Basins inside the nodes.

graph_step
basins_inside(graph_view &view, char key)
{
    if (!field_redraw)
        return graph_step::ignored;
    use_preset_basin_pos = 1;
    if (key == 'i')
        blank_nodes(view.base, view.frame, 0.9f);
    else
        draw_box(-1, view.frame.x0, view.frame.y0, view.frame.x1, view.frame.y1, 1, 0);
    remove_menu();
    // The basins stay inside the graph window's frame, so that nothing of
    // them is left outside it when the window is put back.
    const graph_frame &f = view.frame;
    field_redraw({f.x0 + 1, f.y0 + 1, f.x1 - 1, f.y1 - 1});
    use_preset_basin_pos = 0;
    return graph_step::redraw_all;
}

// The drag editor over the graph as it is drawn, the prompt area put
// back under it first.
graph_step
drag_editor(graph_view &view, char)
{
    remove_menu();
    manipulate_meta_graph(view.frame, view.base, view.rotation);
    return graph_step::menu;
}

graph_step
shortest_paths(graph_view &, char)
{
    shortest_path_dialog();
    return graph_step::redraw_all;
}

// The ant walks on the graph drawn afresh, and leaves its trail there.
graph_step
ant(graph_view &view, char)
{
    redraw_graph_window(view.base, view.frame);
    prob_ant(view.base, view.frame);
    return graph_step::redraw_all;
}

graph_step
unscramble(graph_view &view, char)
{
    unscramble_graph(view.frame.cx, view.frame.cy, w_cyclerad);
    return graph_step::redraw;
}

// 't' the weights as numbers, 'T' as fractions of each node's jumps.
graph_step
table(graph_view &view, char key)
{
    show_table(key, view.frame);
    return graph_step::redraw_all;
}

graph_step
leave(graph_view &, char)
{
    return graph_step::leave;
}

// The field's graph and the attractors' write the arrow keys differently.
std::string
first_line(const graph_view &)
{
    if (f_or_n != graph_network)
        return "drag-(def), ant-a path-p rank-k unscram-u";
    return no_links ? "redraw-d drag-(def)" : "drag-(def), redraw-d path-p ant-a rank-k unscram-u";
}

// The keys in the order of the menu. Each help text is a piece of a menu
// line, a piece beginning with a newline starting a line; rows without help
// are named in the piece before them while they are listed. A key acts only
// while the menu names it (those of the links only with links, those of a
// field's graph only there), but for 'd', which redraws every graph, and
// 'N', node numbers, which need no links.
const graph_key kGraphKeys[] = {
    graph_key::on("\r").help(first_line).does(drag_editor),
    graph_key::on("d")
        .when([](const graph_view &) { return f_or_n == graph_network; })
        .unlisted_when(always<graph_view>)
        .does(redraw_only),
    graph_key::on("a").when(linked).does(ant),
    graph_key::on("p").when(linked).does(shortest_paths),
    graph_key::on("k").when(linked).does(rank_layout),
    graph_key::on("u").when(linked).does(unscramble),

    graph_key::on("S").help("\nsettings-S").does(settings),
    graph_key::on("xX").help(" rotate-x/X").does(rotate),
    graph_key::on("hv").help(" flip-h/v,").does(mirror),
    graph_key::on("ec").help(" exp/contr: nodes-e/c").does(node_scaling),
    graph_key::on("EC").help(" links-E/C").does(link_scaling),
    graph_key::on("Bb").help(" both-B/b").does(both_scaling),

    graph_key::on("iI").help("\nbasins inside-i/I,").when(field_graph).does(basins_inside),
    graph_key::on("tT")
        .help([](const graph_view &) -> std::string {
            return f_or_n == graph_field ? " table-t/T" : "\ntable-t/T";
        })
        .when(linked)
        .does(table),
    graph_key::on("U")
        .help([](const graph_view &) -> std::string {
            return f_or_n == graph_field ? " Unreach-U," : " unreach-U,";
        })
        .when(linked)
        .does(unreachable_nodes),
    graph_key::on("n").help(" tog: nodes-n/N").when(linked).does(toggle_switch),
    graph_key::on("N").when(linked).unlisted_when(always<graph_view>).does(toggle_switch),
    graph_key::on("l").help(" links-l").when(linked).does(toggle_switch),
    graph_key::on("A")
        .help([](const graph_view &) -> std::string {
            return f_or_n == graph_field ? " arrows-A</>" : " arrows-A/</>";
        })
        .when(linked)
        .does(toggle_switch),
    graph_key::on("<>").when(linked).does(arrow_sizing),
    graph_key::on("w")
        .help([](const graph_view &) -> std::string { return no_links ? "\nwindow-w" : " window-w"; })
        .does(window_toggle),

    graph_key::on("f").help("\nlayout: file-f").does(layout_file),
    graph_key::on("o").help(" circle/spiral-o/O").does(circle_layout),
    graph_key::on("O").does(spiral_layout),
    graph_key::on("1").help(" 1d/2d/3d-1/2/3").does(line_layout),
    graph_key::on("23").does(lattice_layout),
    graph_key::on("r").help(" rnd-r/R,").does(jiggle),
    graph_key::on("R").does(random_layout),
    graph_key::on("q").help(" quit-q:").does(leave),
};

// The menu's title by mode and links.
const char *
graph_title()
{
    if (f_or_n != graph_network)
        return "ATTRACTOR meta-graph: ";
    return no_links ? "NETWORK graph (no links): " : "NETWORK graph: ";
}

// The menu in the prompt area, in the font that fits it; the point where
// the key wait blinks is kept after its last line.
void
draw_menu()
{
    std::vector<std::string> lines = graph_menu_lines();
    int colour = getcolor();
    fitting_font font(lines, kGraphMenuLines);
    int margin = font.draw_box();
    setcolor(white);
    for (size_t i = 0; i < lines.size(); i++) {
        moveto(margin, font.row_top(static_cast<int>(i)));
        put_text(lines[i]);
    }
    menu_end_x = getx;
    menu_end_y = gety;
    setcolor(colour);
}

// One key or button: either button counts as Return.
char
wait_graph_key()
{
    moveto(menu_end_x, menu_end_y);
    flashing_cursor(entry_block(green));
    if (button == 'l' || button == 'r') {
        button = 0;
        return kKeyReturn;
    }
    int key = keycheck(0);
    return key > 0 && key < 128 ? static_cast<char>(key) : 0;
}

} // namespace

void
set_graph_field_redraw(void (*redraw)(const field_area &window))
{
    field_redraw = redraw;
}

std::vector<key_help_line>
graph_menu_pieces()
{
    return key_help(kGraphKeys, graph_view{});
}

std::vector<std::string>
graph_menu_lines()
{
    return prompt_lines(graph_title(), graph_menu_pieces());
}

std::string
graph_keys()
{
    return all_keys(kGraphKeys);
}

bool
graph_key_acts(const graph_view &view, char key)
{
    return key_acts(kGraphKeys, key, view);
}

std::string
graph_unlisted_keys(const graph_view &view)
{
    return unlisted_keys(kGraphKeys, view);
}

graph_step
graph_command(graph_view &view, char key)
{
    const graph_key *row = find_key(kGraphKeys, key, view);
    if (!row || !row->act)
        return graph_step::ignored;
    graph_step step = row->act(view, key);
    if (step == graph_step::redraw || step == graph_step::redraw_all)
        redraw_graph_window(view.base, view.frame);
    if (step == graph_step::menu || step == graph_step::redraw_all)
        draw_menu();
    return step;
}

void
graph_command_loop(graph_view &view)
{
    draw_menu();
    while (graph_command(view, wait_graph_key()) != graph_step::leave) {
    }
}
