// The graph builder (meta_graph.h): asks what it must, counts the links with
// engine/graphs while a progress figure shows, opens the graph window over
// a saved copy of what it covers, lays the graph out by the network's shape
// and draws it, then waits in the window's key loop; on leaving it frees the
// graph and puts the window, the prompt area and the basin offsets back.
// The window's commands are graph_commands.h. Reads the network's shape
// and run settings (engine/model, engine/forward), writes the forward run's
// layout copy. Start at meta_graph_table.
#include "ui/graphs/meta_graph.h"

#include <algorithm>
#include <cstdio>

#include "engine/backward/basin_types.h"
#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/graphs/jump_table_text.h"
#include "engine/graphs/link_counting.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "ui/backward/progress_bar.h"
#include "ui/graphs/globals.h"
#include "ui/graphs/graph_commands.h"
#include "ui/graphs/graph_layouts.h"
#include "ui/model/cell_display.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/question_table.h"
#include "ui/screen/side_panel.h"
#include "ui/screen/window.h"

namespace {

// The question of a forward-only run's network graph: links, or a layout only.
bool graph_links_wanted = true;

void
links_prompt()
{
    draw_prompt_box(1);
    outtext("show links-L (avoid for large networks), layout only-def:");
}

answer_step
take_links(int)
{
    graph_links_wanted = is[0] == 'L';
    return answer_step::next;
}

const question kLinksQuestion[] = {
    question::row().prompts(links_prompt).entry(1, single_key_entry).then(take_links).quits(answer_step::leave),
};

// Links are counted unless a forward-only run's user asks for the layout only.
bool
ask_links(char mode)
{
    if (mode != graph_network || direction != direction_forward || limitcheck != 0)
        return true;
    graph_links_wanted = false;
    ask_questions(kLinksQuestion, question_place{nullptr, nullptr, false});
    erase_prompt_box(1);
    return graph_links_wanted;
}

// A one-line message and one key, then the prompt area as it was.
void
tell(const char *text)
{
    draw_prompt_box(1);
    outtext(text);
    input_string(1, single_key_entry);
    erase_prompt_box(1);
}

void
show_graph_progress(unsigned percent)
{
    char text[16];
    snprintf(text, sizeof text, "%u%%", percent);
    inset_prompt_box(5, text);
}

// A running pattern's colour key stands at the top right, in the prompt
// area the graph takes: it is cleared whole while the graph is open, where
// the graph's prompts and menu would cut its lines, and comes back with the
// saved prompt area when the graph closes.
void
hide_colour_key()
{
    int left, bottom;
    if (color_key_box_at_right(&left, &bottom))
        erase_box(left, 2, box_right_edge(Maxx), bottom);
}

// The prompt area saved when the graph opened shown again: a prompt box
// that stood there then (a sample rule's figures during a run) stands
// again with it (standing_boxes.h).
void
put_back_prompt_area()
{
    put_back_under_prompt_box(kGraphPromptSlot);
}

// Counts the graph's links (or opens a layout-only network graph); false
// when the user stopped it or the graph was refused.
bool
count_graph(int a, const attractor_types *types, char mode)
{
    uint32_t nodes = mode == graph_field        ? basin_types_recorded()
                     : mode == graph_attractors ? (types ? types->count : 0)
                                                : lineL;
    char text[120];
    if (mode != graph_network) {
        if (nodes == 0 || (mode == graph_attractors && (!types || a <= 0)))
            return false;
        if (nodes > kMostLinkedNodes) {
            snprintf(text, sizeof text, "meta-graph of %u basins refused: %u at most, cont-ret:", nodes,
                     kMostLinkedNodes);
            tell(text);
            return false;
        }
    }
    bool links = ask_links(mode);
    if (mode == graph_network && links && nodes > kMostLinkedNodes) {
        snprintf(text, sizeof text, "%u cells: links shown up to %u, layout only, cont-ret:", nodes,
                 kMostLinkedNodes);
        tell(text);
        links = false;
    }
    draw_prompt_box(1);
    snprintf(text, sizeof text,
             mode == graph_network ? "computing network graph, %u nodes, quit-q, or wait..."
                                   : "computing meta-graph, %u basins, quit-q, or wait...",
             nodes);
    outtext(text);
    flush_display();
    if (mode == graph_field)
        return count_field_jumps(show_graph_progress);
    if (mode == graph_attractors) {
        meta_graph = meta_graph_on;
        return count_attractor_jumps(*types, show_graph_progress);
    }
    return count_network_links(links, show_graph_progress);
}

// The first layout, by the network's shape; its base node radius.
float
first_layout(const graph_frame &frame, float node_factor)
{
    if (threed)
        return draw_3d_graph(frame, node_factor);
    if (twod)
        return draw_2d_graph(frame, node_factor);
    return draw_circle_graph(frame, node_factor);
}

// The forward run's copy of the layout for its running pattern.
void
copy_layout_for_forward_run()
{
    if (!stp_graph_layout || !stp_graph_node_size || node_no != lineL)
        return;
    for (uint32_t m = 0; m <= node_no; m++) {
        stp_graph_layout[m][0] = static_cast<uint16_t>(basin_pos[m][0]);
        stp_graph_layout[m][1] = static_cast<uint16_t>(basin_pos[m][1]);
        stp_graph_node_size[m] = m_node_size[m];
    }
}

} // namespace

// The top stays a blank row below the menu's box, which a small line space
// leaves taller than five lines (its margins do not shrink with the lines),
// and is moved down below the set-up line it would cut; the bottom stays
// above a rule readout of three lines (on a window of a 1024-pixel screen
// vgay(430) reaches into it).
graph_frame
graph_window_frame(char mode)
{
    graph_frame frame;
    frame.x0 = vgax(5);
    // Left of a key panel kept at the right of the drawing area.
    frame.x1 = Maxx - vgax(5) - side_panel_shift(Maxx - vgax(5));
    const int below_menu = graph_prompt_bottom(kGraphMenuLines) + 2;
    frame.y0 = text_column_clear_row(std::max((mode == graph_network ? 5 : 12) * CHeight, below_menu));
    frame.y1 = std::min<int>(vgay(430), tallest_rule_box_top() - 2);
    // The middle column even where the window ends left of a key panel: a
    // forward run draws the nodes where they are laid out here, in its
    // layout box, which spans the window's middle.
    frame.cx = Maxx / 2;
    frame.cy = frame.y0 + (frame.y1 - frame.y0) / 2;
    return frame;
}

int
meta_graph_table(int a, const attractor_types *types, char mode)
{
    if (!mouse_found)
        return 0;
    int16_t x = getx, y = gety;
    int colour = getcolor();
    use_preset_basin_pos = 0;
    u_threshold = 0;
    suppress_u_links = 0;
    isolate_unreachable = 0;
    const float kept_xoffset = static_cast<float>(static_cast<int>(xoffset));
    const float kept_yoffset = static_cast<float>(static_cast<int>(yoffset));
    // A box standing across the area's left edge (a rule readout beside
    // the colour key) goes whole first: the graph's prompts clear it, and
    // the put back would show only the part the area saved.
    save_under_prompt_box(kGraphPromptSlot, kGraphMenuLines);
    hide_colour_key();
    // A field's finished progress bar stands in the menu's place, which is
    // the graph's while it is open (a menu in a small font does not cover
    // it); it comes back with the saved place when the graph closes.
    if (mode == graph_field)
        erase_progress_bar();
    if (!count_graph(a, types, mode)) {
        put_back_prompt_area();
        setcolor(colour);
        moveto(x, y);
        return 0;
    }
    print_out(jump_table_text(meta_graph).c_str());
    basin_color = static_cast<uint8_t *>(checked_calloc(static_cast<size_t>(node_no) + 1, 1, "basin_color"));
    w_cyclerad = vgax(static_cast<float>(std::min<uint32_t>(100 + node_no / 4, 133)));
    graph_view view;
    view.frame = graph_window_frame(f_or_n);
    const graph_frame &frame = view.frame;
    draw_box(kGraphWindowSlot, frame.x0, frame.y0, frame.x1, frame.y1, 1, 0);
    scale_m_nodes = no_links ? 0 : 1;
    scale_links = f_or_n == graph_network ? 0 : 1;
    show_arrows = 1;
    arrow_size = 0.07f;
    view.base = first_layout(frame, view.node_factor);
    graph_command_loop(view);
    if (f_or_n == graph_network && a == 1)
        copy_layout_for_forward_run();
    putimage(frame.x0, frame.y0, &boximage[kGraphWindowSlot], 0);
    freeimage(&boximage[kGraphWindowSlot]);
    put_back_prompt_area();
    checked_free(basin_color);
    basin_color = nullptr;
    free_graph_data();
    xoffset = kept_xoffset;
    yoffset = kept_yoffset;
    print_out(jump_table_closing(meta_graph).c_str());
    setcolor(colour);
    moveto(x, y);
    return 1;
}
