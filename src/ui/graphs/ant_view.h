// The probabilistic ant of the graph window: the walk of
// engine/graphs/ant_walk.h watched on the graph, a marker moving along each
// link it takes and leaving a trail, and the hits display, which sizes the
// nodes by how often the ant arrived there. The keys of the walk and of the
// hits display are key tables whose rows give both the prompts' text and
// what each key does.
#pragma once
#include <string>
#include <vector>

#include "engine/graphs/ant_walk.h"
#include "engine/graphs/graph_layouts.h"
#include "ui/screen/key_table.h"

// What the ant works with while it walks.
struct ant_view {
    ant_walk walk;
    float base = 2.5f;      // the base node radius of the graph drawn
    graph_frame frame{};
    uint32_t stuck_at = 0;  // the node of a stuck ant while its hits show, else 0
};

// Walks the open graph (it needs links; without them returns at once) until
// 'q', the graph drawn in the window with base node radius base. The
// prompt area is left as under the menu, the trail on the graph.
void prob_ant(float base, const graph_frame &frame);
// The walk's three-line prompt with the two switches' states.
void prob_ant_prompts(bool show_ant, bool random_ant);

// The walk's prompt lines and pieces, and every key of its table.
std::vector<std::string> ant_prompt_lines(const ant_view &v);
std::vector<key_help_line> ant_prompt_pieces(const ant_view &v);
std::string ant_keys();
// The hits display's prompt lines and pieces, and every key of its table.
std::vector<std::string> hits_prompt_lines(const ant_view &v);
std::vector<key_help_line> hits_prompt_pieces(const ant_view &v);
std::string hits_keys();
// Whether key acts in the walk, or in the hits display, and the keys that
// act in the hits display though it does not list them.
bool ant_key_acts(const ant_view &v, char key);
bool hits_key_acts(const ant_view &v, char key);
std::string hits_unlisted_keys(const ant_view &v);

// The ant walking now, nullptr when none: what the window's tests look at
// while it waits for a key.
const ant_view *ant_walking();
