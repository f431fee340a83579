// The command loop of the graph window: a menu of four lines and one
// command per key (the drag editor, shortest paths, layouts, rotation,
// mirroring, scaling, display switches, settings, unreachable nodes,
// ranking, unscrambling, the probabilistic ant, the jump table, the layout
// file, the window toggle and the basins drawn inside the nodes) until
// 'q'. The keys are one table whose rows give both the menu's text and
// what each key does.
#pragma once
#include <string>
#include <vector>

#include "engine/backward/field_fit.h"
#include "engine/graphs/graph_layouts.h"
#include "ui/graphs/graph_prompt.h"
#include "ui/screen/key_table.h"

// What the loop works with while the graph is open; the factors and the
// angle start anew at each opening.
struct graph_view {
    graph_frame frame;
    float base = 2.5f;              // the base node radius of the last layout or scaling
    float node_factor = 1.2f;       // 'e' 'c' 'B' 'b', and the layouts of large graphs
    float link_factor = 1.1f;       // the radial step of 'E' 'C' 'B' 'b'
    float rotation = static_cast<float>(3.14159265358979323846 / 12); // 'x' 'X', radians
    bool covered_shown = false;     // 'w': the display under the window is shown
};

// Shows the menu and runs one command per key until 'q'.
void graph_command_loop(graph_view &view);

// What a key did, and so what the loop draws after it.
enum class graph_step {
    ignored,      // nothing: the loop waits again
    done,         // acted and drew what it changed; the menu stays
    redraw,       // the graph drawn again; the menu stays
    menu,         // the menu drawn again (the command used the prompt area)
    redraw_all,   // the graph and the menu drawn again
    leave,        // 'q': the loop ends
};
// Runs the row of key, and the drawing its result asks for, as the loop
// does; keys without a row are ignored.
graph_step graph_command(graph_view &view, char key);

// The menu's pieces as the key table lists them for the open graph (its
// mode, links or none): a piece beginning with a newline starts a line;
// each piece with the keys of the rows it names. The title is not among
// them.
std::vector<key_help_line> graph_menu_pieces();
// The menu's lines for the open graph, the title first on the first.
std::vector<std::string> graph_menu_lines();
// Every key the table has a row for.
std::string graph_keys();
// Whether key acts on the open graph: a row names it that the menu lists,
// or that acts while unlisted.
bool graph_key_acts(const graph_view &view, char key);
// The keys that act on the open graph though the menu does not list them.
std::string graph_unlisted_keys(const graph_view &view);

// The basin field drawn again with basin k at node k, its summary lines
// and a wait for Return: registered at start-up by the driver, which draws
// fields. Without it (engine tests) 'i' and 'I' do nothing.
void set_graph_field_redraw(void (*redraw)(const field_area &window));
