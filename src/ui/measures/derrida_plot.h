// The Derrida plot: its dialog, sweep drawing and frame. The curve itself
// is computed by engine/measures/derrida.h.
#pragma once
#include <string>
#include <vector>

#include "engine/measures/derrida.h"
#include "ui/screen/key_table.h"

// Runs the whole plot dialog until the user leaves it; the region under
// the plot is put back then. A and F hold the last pair run.
void draw_Derrida_plot();

// The parameter prompts in the prompt box: maxH (mode 0 only), sample,
// suppress fuzz, details, iterations, Hamming step, keep. Returns 1 when
// "keep-k:" was answered 'k', else 0; 'q' at any prompt ends at once with
// 0 and 'q' in is[0]. An answer out of range keeps the value in force.
int get_D_para(int mode, D_para *p);

// The plot frame at origin (x0, y0) of w x h pixels, with xticks - 1 and
// yticks - 1 tick marks and maxH on the axes; nothing when keep is 1.
void draw_general_graph_frame(int unused, int keep, short x0, short y0, short w, short h,
                              int xticks, int yticks, double maxH);

// The label of maxH on the axes ("%.2f" below 0.1, else by its digits).
std::string maxH_label(double maxH);

// The menu's and the completion's keys: what the prompt names and what the
// keys do, from the same rows.
struct derrida_menu_state {
    bool finished = false; // a plot was completed: redraw is offered
    bool rule_tables = true; // the canalyzing dialogs have rule tables to work on
};
enum class derrida_choice { sweep, redraw, leave, canalyzing, menu };
using derrida_key = key_row<derrida_menu_state, derrida_choice>;
std::vector<key_help_line> derrida_menu_help(const derrida_menu_state &s);
std::vector<key_help_line> derrida_completion_help(const derrida_menu_state &s);
std::string derrida_menu_keys();
std::string derrida_completion_keys();
// Whether key acts in the menu, or in the completion prompt, in state s.
bool derrida_menu_acts(const derrida_menu_state &s, char key);
bool derrida_completion_acts(const derrida_menu_state &s, char key);
