// The drag editor of the graph window: the user picks a node with the
// mouse and drags it, alone or with a selection (every node, the
// component of the node upstream, downstream or either way within some
// steps, or a block of nodes), turns or mirrors the selection about the
// pointer, and edits the links. Its keys are one table whose rows give
// both the selection prompt's text and what each key does.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/graphs/graph_layouts.h"
#include "ui/screen/key_table.h"

// What the editor works with while it is open.
struct drag_state {
    graph_frame frame{};
    float base = 2.5f;     // the base node radius: the hit test's reach
    float rotation = 0;    // 'x' 'X', radians
    char kind = 's';       // the selection: 's' single, 'a' all, or the
                           // component 'i' inputs, 'o' outputs, 'e' either
    int steps = 0;         // the component's step limit, 0 none
    int block = 0;         // the dimension of the block defined, 0 none
    uint32_t active = 1;   // the node picked last
    uint32_t other = 1;    // the node picked before it
    bool holding = false;  // a node is active: the next left press moves it
    uint32_t **copy = nullptr;     // the link table as the editor opened
    uint64_t *outputs = nullptr;   // per-node sums of 'g'
    uint64_t *inputs = nullptr;
};

// Runs the editor over the open graph until 'q'; the prompt area is left
// as under the menu.
void manipulate_meta_graph(const graph_frame &frame, float base, float rotation);

// What a key did.
enum class drag_step {
    stays, // the prompt is rewritten and the graph drawn again
    leave, // 'q'
};

// Clears linknet (a new one) unless a block is marked, writes the
// selection prompt for the state and, for a component selection, marks the
// component of the active node.
void prompt_and_component(drag_state &s);
// The selection prompt's pieces as the key table lists them for the state
// and the open graph (links or none): a piece beginning with a newline
// starts a line; each with the keys of the rows it names. The first line's
// title (what is selected) is not among them.
std::vector<key_help_line> drag_prompt_pieces(const drag_state &s);
// The prompt's four lines, the title first on the first.
std::vector<std::string> drag_prompt_lines(const drag_state &s);
// The first line's title: what is selected.
std::string selection_title(const drag_state &s);
// Every key the table has a row for.
std::string drag_keys();
// Whether key acts in state s: a row names it that the prompt lists, or
// that acts while unlisted.
bool drag_key_acts(const drag_state &s, char key);
// The keys that act in state s though the prompt does not list them.
std::string drag_unlisted_keys(const drag_state &s);
// Runs the row of key on the state, as the editor does after the key
// (without drawing; 'B' asks its block in the prompt area).
drag_step drag_key_command(drag_state &s, char key);
