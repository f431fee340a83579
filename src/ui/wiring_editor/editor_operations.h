// The key operations both wiring editors share (the 1d editor and the 2d/3d
// editor), each over the cells in reach (engine/wiring_editor/
// cells_in_reach.h): the cursor cell, or the marked block in block mode.
// Each editor keeps its own key table, prompt texts and drawing, and calls
// these through its rows, so that a key both editors offer does one thing.
#pragma once
#include <string>
#include <vector>

#include "engine/wiring_editor/cells_in_reach.h"
#include "engine/wiring_editor/lattice_editor.h"
#include "ui/screen/images.h"

// What the turn does after a key's operation besides the operation itself.
enum key_effect : unsigned {
    no_effect = 0,
    recounts = 1,  // the wiring may have changed: the out-degrees are
                   // recounted, so that the information line and the
                   // histograms read the wiring as it now is
    changes = 2,   // was_changed is set
    new_links = 4, // the 1d editor's saved picture of all links is out of date
};
constexpr unsigned kRewires = recounts | changes;

// Recounts the out-degrees and sets was_changed as effects say.
void apply_key_effects(unsigned effects);

// The operations of the keys, each (cells in reach, key typed).
// 'h': the hand-rewire dialog for the cursor cell.
void hand_rewire(const cells_in_reach &reach, char key);
// 'r': each cell reached drawn at random under the biases.
void random_rewire(const cells_in_reach &reach, char key);
// 'R': each cell reached drawn with sources weighted by their k.
void weighted_rewire(const cells_in_reach &reach, char key);
// 's': zonesize set to the network's largest zone, then the bias dialog.
// It sets the biases of the next random rewire and changes no wiring, so
// the out-degrees stay as counted; the rewire that follows recounts them.
void bias_options(const cells_in_reach &reach, char key);
// '1': each cell reached wired as its regular 1d neighbourhood.
void local_1d_rewire(const cells_in_reach &reach, char key);
// '2', '3': each cell reached wired by the 2d or 3d lattice template.
void local_lattice_rewire(const cells_in_reach &reach, char key);
// 'k': asks a new k for the cells reached; their own rule rows lose the
// dropped entries while the rules are set per cell.
void change_k(const cells_in_reach &reach, char key);
// 'K': kills the cursor cell (cut_in_out_links).
void kill_cell(const cells_in_reach &reach, char key);
// 'S', 'v', 't': save, revise (and copy over the block), transform the
// rule of rule_cell_of(cursor).
void save_rule(const cells_in_reach &reach, char key);
void revise_rule(const cells_in_reach &reach, char key);
void transform(const cells_in_reach &reach, char key);
// The lines of either editor's prompt, the key menu in the prompt box, and
// the prompt image slot that keeps what lay under it.
constexpr int kEditorPromptLines = 6;
constexpr int kEditorPromptSlot = 3;

// Saves what lies under an editor's prompt and hides whole the set-up
// lines the prompt box reaches into; puts it back as the editor leaves
// (show_ puts it back and keeps it).
void save_under_editor_prompt();
void show_under_editor_prompt();
void put_back_under_editor_prompt();


// Whether an editor may open: a network with its wiring.
bool editor_can_open();
// The cursor's colour on the window's background.
int editor_cursor_colour();

// 'D': the Derrida plot, over the editor's prompt taken away (the plot's
// boxes are shorter; the prompt comes back at the end of the turn). 'z':
// the averaged rule figures. 'I', 'O', 'B': the histograms of k,
// out-degrees and both.
void derrida(const cells_in_reach &reach, char key);
void average_z(const cells_in_reach &reach, char key);
void k_histogram(const cells_in_reach &reach, char key);

// Whether cell has a rule (or code row) of its own: with a rule mix, or
// with outer-totalistic codes for a cell below v.
bool has_own_rule(int cell);
// The cell whose rule S, v and t work on: cell when it has its own, else 0.
int rule_cell_of(int cell);
// The rule readout of cell, while the rules are set and it has its own.
void show_own_rule(bool rules_set, int cell);

// The lowest row an editor's drawing region may take: with the rules set
// above the rule box at its tallest (three lines), which the editor shows
// for the cursor cell's rule, or the review left on the screen, after the
// region is laid out; else the drawing area's last but one.
int lowest_region_row(bool rules_set);

// The network data menu ('f') over an editor's prompt of prompt_lines:
// true when a file was loaded, the k range and nhood_mixed then taken from
// the cells, the out-degrees recounted, was_changed set and *placed the
// part the load placed (dim 0 when it placed none). The editor makes the
// placed part its block.
bool load_network_data(int prompt_lines, placed_part *placed);

// Learning ('l'): the screen of x0, y0 .. x1, y1 as it was before the
// editor (under, and what lay under the editor's prompt) while the
// sculpting runs, then the editor's picture back. Returns the sculpting's
// result.
int learn_over_screen(int x0, int y0, int x1, int y1, image_slot *under);
