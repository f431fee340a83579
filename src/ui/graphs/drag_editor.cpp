// The drag editor of the graph window (drag_editor.h): the key table
// kDragKeys, whose rows give the selection prompt's pieces and the command
// of each key, the commands above it, and the editor's loop below it: the
// wait, the drag of the left button, the pick of the right one, and the
// keys. Keys that need links are guarded in the row itself, so a guarded
// key is ignored the same way everywhere. The selection, link edits and
// moves are engine/graphs (node_selection.h, link_edits.h,
// graph_moves.h); the block dialog is block_dialog.h. Start at
// manipulate_meta_graph.
#include "ui/graphs/drag_editor.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_moves.h"
#include "engine/graphs/link_edits.h"
#include "engine/graphs/node_selection.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/formatted_text.h"
#include "ui/graphs/block_dialog.h"
#include "ui/graphs/globals.h"
#include "ui/graphs/graph_drawing.h"
#include "ui/graphs/graph_layouts.h"
#include "ui/graphs/graph_prompt.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/pointer_drag.h"

namespace {

using drag_key = key_row<drag_state, drag_step>;

constexpr int kPromptLines = 4;

// Where the prompt's last line ends: the key wait blinks there.
int prompt_end_x = 0, prompt_end_y = 0;

// The number a node shows: its cell number in the network graph.
unsigned
shown(uint32_t node)
{
    return f_or_n == graph_network ? node - 1 : node;
}

bool
component_kind(char kind)
{
    return kind == component_inputs || kind == component_outputs || kind == component_either;
}

// Whether turns and mirrors take linknet rather than every node.
bool
selection_in_linknet(const drag_state &s)
{
    return s.block > 0 || component_kind(s.kind);
}

// --- Conditions of the prompt's pieces.

bool
linked(const drag_state &)
{
    return !no_links;
}

bool
linked_component(const drag_state &s)
{
    return !no_links && component_kind(s.kind);
}

// 'B' is named without links, and with links in a single selection.
bool
block_listed(const drag_state &s)
{
    return no_links || s.kind == 's';
}

// --- Texts that show the state.

std::string
node_links_text(const drag_state &s)
{
    return formatted("\nlinks %u: cut/restore/net-c/r", shown(s.active));
}

// 'n' ends the line of 'c' and 'r' in a component selection.
std::string
whole_table_text(const drag_state &s)
{
    if (component_kind(s.kind))
        return "/n";
    return s.kind == 'a' ? "\nlinks: restore net-n, i/o/e to activate" : "\nlinks: restore net-n,";
}

std::string
pair_link_text(const drag_state &s)
{
    return formatted(", link %u- %u: cut/add/restore-C/A/R", shown(s.active), shown(s.other));
}

std::string
block_text(const drag_state &)
{
    return no_links ? "\nblock-B" : " block-B, i/o/e to activate";
}

std::string
single_text(const drag_state &)
{
    return no_links ? "\nsingle-s" : " single-s";
}

// --- Commands.

drag_step
toggle_quick_move(drag_state &, char)
{
    quick_move = quick_move ? 0 : 1;
    return drag_step::stays;
}

drag_step
turn(drag_state &s, char key)
{
    rotate_component_graph(selection_in_linknet(s), key, mouse_x, mouse_y, s.rotation);
    return drag_step::stays;
}

drag_step
mirror(drag_state &s, char key)
{
    flip_component_graph(selection_in_linknet(s), key, mouse_x, mouse_y);
    return drag_step::stays;
}

// 'g', and 'c' 'r' 'n' on the active node in the selection's direction.
drag_step
node_edit(drag_state &s, char key)
{
    disconnect_node(key, s.copy, s.outputs, s.inputs, s.kind, s.active);
    return drag_step::stays;
}

drag_step
pair_edit(drag_state &s, char key)
{
    node_pair_link(key, s.copy, s.kind, s.active, s.other);
    return drag_step::stays;
}

drag_step
define_block(drag_state &s, char)
{
    if (s.kind == 's')
        s.block = block_or_slice(s.active, s.other);
    return drag_step::stays;
}

drag_step
step_limit(drag_state &s, char key)
{
    s.steps = key - '0';
    return drag_step::stays;
}

drag_step
select_kind(drag_state &s, char key)
{
    s.kind = key;
    return drag_step::stays;
}

drag_step
leave(drag_state &, char)
{
    return drag_step::leave;
}

// The keys in the order of the prompt. Each help text is a piece of a
// prompt line, a piece beginning with a newline starting a line. A key
// acts only while the prompt names it, but for the link edits of the
// active node, which act on any graph with links.
const drag_key kDragKeys[] = {
    drag_key::on("d").help("drag/release - left mouse button, tog drag-d").does(toggle_quick_move),
    drag_key::on("xX").help("\nnot active?-click right button first, rotate-x/X").does(turn),
    drag_key::on("hv").help(" flip-h/v").does(mirror),
    drag_key::on("g").help(" gap nodes-g").when(linked).does(node_edit),
    drag_key::on("cr").help(node_links_text).when(linked_component).unlisted_when(linked).does(node_edit),
    drag_key::on("n").help(whole_table_text).when(linked).does(node_edit),
    drag_key::on("CAR").help(pair_link_text).when(linked_component).unlisted_when(linked).does(pair_edit),
    drag_key::on("B").help(block_text).when(block_listed).does(define_block),
    drag_key::on("0123456789").help("\nstep-(1-9) nolimit-0,").when(linked).does(step_limit),
    drag_key::on("s").help(single_text).does(select_kind),
    drag_key::on("ioe").help(" in/out/either-i/o/e").when(linked).does(select_kind),
    drag_key::on("a").help(" all-a").does(select_kind),
    drag_key::on("q").help(" exit-q:").does(leave),
};

// The keys that keep a block selection: the block itself and the turns
// and mirrors of it.
bool
keeps_block(char key)
{
    return key != 0 && std::string("BxXhv").find(key) != std::string::npos;
}

// --- The prompt.

void
write_prompt(const drag_state &s)
{
    std::vector<std::string> lines = drag_prompt_lines(s);
    remove_menu();
    int colour = getcolor();
    fitting_font font(lines, kPromptLines);
    int margin = font.draw_box();
    const std::string title = selection_title(s);
    for (size_t i = 0; i < lines.size(); i++) {
        moveto(margin, font.row_top(static_cast<int>(i)));
        if (i == 0) {
            setcolor(lightred);
            put_text(title);
            setcolor(white);
            put_text(lines[0].substr(title.size()));
        } else {
            put_text(lines[i]);
        }
    }
    prompt_end_x = getx;
    prompt_end_y = gety;
    setcolor(colour);
}

// --- The mouse.

// The first node from node_no down whose place lies strictly within the
// base radius of the pointer in x and in y; 0 for none.
uint32_t
node_under_pointer(const drag_state &s)
{
    for (uint32_t m = node_no; m >= 1; m--)
        if (std::fabs(basin_pos[m][0] - mouse_x) < s.base && std::fabs(basin_pos[m][1] - mouse_y) < s.base)
            return m;
    return 0;
}

// Makes the node under the pointer active, when there is one; true then.
bool
pick_node(drag_state &s)
{
    uint32_t m = node_under_pointer(s);
    if (m == 0)
        return false;
    s.other = s.active;
    s.active = m;
    s.holding = true;
    prompt_and_component(s);
    return true;
}

drag_group
group_of(const drag_state &s)
{
    if (s.kind == 'a')
        return drag_group::all;
    return selection_in_linknet(s) ? drag_group::selection : drag_group::single;
}

// The active node (and its selection) to the pointer, the node named in
// the inset box, and the graph drawn, or only the moved nodes' discs.
void
move_active(const drag_state &s)
{
    char text[40];
    if (s.block > 0)
        snprintf(text, sizeof text, "node %u, %dd Block", shown(s.active), s.block);
    else
        snprintf(text, sizeof text, "node %u", shown(s.active));
    inset_prompt_box(s.block > 0 ? 17 : 9, text);
    drag_group group = group_of(s);
    drag_node(s.active, mouse_x, mouse_y, group);
    if (!quick_move) {
        redraw_graph_window(s.base, s.frame);
        return;
    }
    int colour = getcolor();
    setcolor(white);
    for (uint32_t m = node_no; m >= 1; m--) {
        if (m != s.active && (group == drag_group::single || (group == drag_group::selection && !in_linknet(m))))
            continue;
        moveto(basin_pos[m][0], basin_pos[m][1]);
        meta_graph_vertex(m, m_node_size[m], basin_color[m], s.frame, s.base);
    }
    setcolor(colour);
}

// The left button: picks the node under the pointer unless one is active,
// then the node follows the pointer until the release.
void
left_drag(drag_state &s)
{
    do {
        if (s.holding || pick_node(s))
            move_active(s);
    } while (next_drag_motion());
    s.holding = false;
}

// The right button: the first node the pointer meets while it is held
// becomes active without moving, and stays so after the release.
void
right_pick(drag_state &s)
{
    bool picked = false;
    do {
        if (!picked)
            picked = pick_node(s);
    } while (next_drag_motion());
}

// One key or button, blinking after the prompt; the pointer takes the
// left-pointing shape inside the graph window.
char
wait_drag_event(const drag_state &s)
{
    moveto(prompt_end_x, prompt_end_y);
    flashing_cursor(entry_block(green), {s.frame.x0, s.frame.x1, s.frame.y0, s.frame.y1});
    if (button == 'l' || button == 'r')
        return 0;
    int key = keycheck(0);
    return key > 0 && key < 128 ? static_cast<char>(key) : 0;
}

} // namespace

std::string
selection_title(const drag_state &s)
{
    if (s.block > 0)
        return formatted("node %u, Block: ", shown(s.active));
    const std::string step =
        s.steps == 0 ? "step=nolimit" : formatted("step=%u", static_cast<unsigned>(s.steps));
    switch (s.kind) {
    case component_inputs:
        return formatted("inputs node %u, ", shown(s.active)) + step + ": ";
    case component_outputs:
        return formatted("outputs node %u, ", shown(s.active)) + step + ": ";
    case component_either:
        return formatted("in-out node %u, ", shown(s.active)) + step + ": ";
    case 'a':
        return "all nodes: ";
    default:
        return formatted("single node %u: ", shown(s.active));
    }
}

std::vector<key_help_line>
drag_prompt_pieces(const drag_state &s)
{
    return key_help(kDragKeys, s);
}

std::vector<std::string>
drag_prompt_lines(const drag_state &s)
{
    return prompt_lines(selection_title(s), drag_prompt_pieces(s));
}

std::string
drag_keys()
{
    return all_keys(kDragKeys);
}

bool
drag_key_acts(const drag_state &s, char key)
{
    return key_acts(kDragKeys, key, s);
}

std::string
drag_unlisted_keys(const drag_state &s)
{
    return unlisted_keys(kDragKeys, s);
}

drag_step
drag_key_command(drag_state &s, char key)
{
    if (!keeps_block(key))
        s.block = 0;
    const drag_key *row = find_key(kDragKeys, key, s);
    return row && row->act ? row->act(s, key) : drag_step::stays;
}

void
prompt_and_component(drag_state &s)
{
    if (s.block == 0)
        new_linknet();
    write_prompt(s);
    if (s.block == 0 && component_kind(s.kind))
        graph_in_out_components(s.kind, s.steps, s.active);
}

void
manipulate_meta_graph(const graph_frame &frame, float base, float rotation)
{
    drag_state s;
    s.frame = frame;
    s.base = base;
    s.rotation = rotation;
    if (!no_links) {
        s.copy = copy_of_links();
        s.outputs = static_cast<uint64_t *>(checked_calloc(node_no + 1ul, sizeof(uint64_t), "node_outputs"));
        s.inputs = static_cast<uint64_t *>(checked_calloc(node_no + 1ul, sizeof(uint64_t), "node_inputs"));
    }
    prompt_and_component(s);
    for (;;) {
        char key = wait_drag_event(s);
        if (button == 'l' || button == 'r') {
            bool left = button == 'l';
            button = 0;
            if (left)
                left_drag(s);
            else
                right_pick(s);
            redraw_graph_window(s.base, s.frame);
            prompt_and_component(s);
            continue;
        }
        // Shift and Control give no character: they change nothing.
        if (key == 0)
            continue;
        if (drag_key_command(s, key) == drag_step::leave)
            break;
        prompt_and_component(s);
        redraw_graph_window(s.base, s.frame);
    }
    restore_right_pointer();
    remove_menu();
    free_linknet();
    free_links_copy(s.copy);
    checked_free(s.outputs);
    checked_free(s.inputs);
}
