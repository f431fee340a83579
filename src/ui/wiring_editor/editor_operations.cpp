// The key operations both wiring editors share (editor_operations.h).
//
// Each takes the cells in reach that the editor hands it and works on the
// network model (model/: the wiring table, nhoodm, the rules) through the
// computing halves of engine/wiring_editor/ and engine/wiring/, and the
// dialogs of cell_operations.h, wire_up.h, the rule dialogs, the Derrida
// plot, the k histograms, the sculpting and the network data menu. Start
// at apply_key_effects; the operations follow in the order of the editors'
// prompts.
#include "ui/wiring_editor/editor_operations.h"

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/network_shape.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/out_degrees.h"
#include "engine/wiring/random_wiring.h"
#include "engine/wiring_editor/cell_removal.h"
#include "ui/backward/sculpt_dialog.h"
#include "ui/measures/derrida_plot.h"
#include "ui/model/kmix_dialog.h"
#include "ui/rule_dialogs/rule_transform.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/storage/globals.h"
#include "ui/storage/network_files.h"
#include "ui/wiring/random_wiring.h"
#include "ui/wiring_editor/cell_operations.h"
#include "ui/wiring_editor/network_data.h"
#include "ui/wiring_editor/wire_up.h"

// The six-line box reaches down over the right ends of the set-up text
// column's first lines: they are hidden whole while the editor is up.
void
save_under_editor_prompt()
{
    save_hiding_lines_under_prompt(kEditorPromptSlot, kEditorPromptLines);
}

void
show_under_editor_prompt()
{
    show_under_prompt_band(kEditorPromptSlot);
}

void
put_back_under_editor_prompt()
{
    put_back_under_prompt_band(kEditorPromptSlot);
}

bool
editor_can_open()
{
    return lineL != 0 && wiring && nhoodm;
}

int
editor_cursor_colour()
{
    return bground == 'w' ? white : lightred;
}

void
apply_key_effects(unsigned effects)
{
    if (effects & recounts)
        cell_out_freq();
    if (effects & changes)
        was_changed = 1;
}

void
hand_rewire(const cells_in_reach &reach, char)
{
    rewire_single_cell(static_cast<uint16_t>(reach.cursor));
}

void
random_rewire(const cells_in_reach &reach, char)
{
    random_rewire_cells(reach);
}

void
weighted_rewire(const cells_in_reach &reach, char)
{
    k_weighted_rewire_cells(reach);
}

void
bias_options(const cells_in_reach &, char)
{
    zonesize = set_max_zonesize(lineL);
    bias_random_wiring();
}

void
local_1d_rewire(const cells_in_reach &reach, char)
{
    local_1d_rewire_cells(reach);
}

void
local_lattice_rewire(const cells_in_reach &reach, char key)
{
    local_lattice_rewire_cells(reach, key == '3' ? 3 : 2);
}

void
change_k(const cells_in_reach &reach, char)
{
    // The rule rows lose their dropped entries only where each cell has
    // its own.
    reset_k(reach.rules_set && rulemix, reach);
}

void
kill_cell(const cells_in_reach &reach, char)
{
    cut_in_out_links(static_cast<uint16_t>(reach.cursor));
}

bool
has_own_rule(int cell)
{
    return rulemix || (outer_tot && cell < value_range);
}

int
rule_cell_of(int cell)
{
    return has_own_rule(cell) ? cell : 0;
}

void
show_own_rule(bool rules_set, int cell)
{
    if (rules_set && has_own_rule(cell))
        show_cell_rule(static_cast<uint16_t>(cell));
}

void
save_rule(const cells_in_reach &reach, char)
{
    int r = rule_cell_of(reach.cursor);
    if (!tot_only)
        load_save_wrs('s', carule[r], 0);
    else if (totalistic == rule_kind_kcodes)
        load_save_wrs('s', v_code[r], 0);
    else
        load_save_wrs('s', cacode[r], 0);
}

void
revise_rule(const cells_in_reach &reach, char)
{
    // The rule dialog's one-line questions open at the top right over the
    // editor's help lines, which the end of the turn draws again.
    erase_prompt_box(kEditorPromptLines);
    revise_rule_graphic(reach.editor, reach.block, reach.all_links, reach.box,
                        static_cast<uint16_t>(rule_cell_of(reach.cursor)),
                        static_cast<uint16_t>(reach.low), static_cast<uint16_t>(reach.high));
}

void
transform(const cells_in_reach &reach, char)
{
    int16_t x = getx, y = gety;
    // The transform's three-line box would leave the editor's six-line
    // one standing below it.
    erase_prompt_box(kEditorPromptLines);
    transform_rule(rule_cell_of(reach.cursor));
    moveto(x, y);
}

void
derrida(const cells_in_reach &, char)
{
    erase_prompt_box(kEditorPromptLines);
    draw_Derrida_plot();
}

void
average_z(const cells_in_reach &, char)
{
    av_z_para();
}

void
k_histogram(const cells_in_reach &, char key)
{
    draw_k_hist(key == 'I' ? 1 : key == 'O' ? 2 : 3);
}

int
lowest_region_row(bool rules_set)
{
    return rules_set ? tallest_rule_box_top() - 3 : Maxy - 2;
}

bool
load_network_data(int prompt_lines, placed_part *placed)
{
    // The menu's box is shorter than the prompt, which comes back after.
    erase_prompt_box(prompt_lines);
    if (!save_load_print_net())
        return false;
    nhood_lb_ub();
    nhood_mixed = nhood_lb != nhood_ub;
    apply_key_effects(kRewires);
    *placed = placed_part();
    placed->dim = file_dim;
    placed->i = file_i;
    placed->j = file_j;
    placed->h = file_h;
    placed->start_i = file_starti;
    placed->start_j = file_startj;
    placed->start_h = file_starth;
    return true;
}

int
learn_over_screen(int x0, int y0, int x1, int y1, image_slot *under)
{
    image_slot editor_picture = 0;
    getimage(x0, y0, x1, y1, &editor_picture);
    putimage(x0, y0, under, 0);
    show_under_editor_prompt();
    int result = sculpt_basin_field();
    hide_lines_under_prompt(kEditorPromptLines);
    putimage(x0, y0, &editor_picture, 0);
    freeimage(&editor_picture);
    return result;
}
