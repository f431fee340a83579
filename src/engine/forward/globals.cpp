// Definitions of the forward-run settings (see globals.h).
#include "engine/forward/globals.h"

#include "engine/model/start_values.h"

char direction = direction_unset;
uint32_t limitcheck = 0;
uint8_t stp = 0;
uint8_t nowscrolling = 0;

uint8_t scrolling = 0;
uint8_t d_mode = display_unset;
int16_t scrolly = 0;
int16_t pixmap_width = 0;

uint8_t b_value = 0;
uint8_t seq_update = update_parallel;

uint8_t pdata = data_off;
uint8_t filedata = data_off;

// --- Forward engine (forward_step, attractor_search).
uint8_t p_order = 0;
uint16_t porder_min = 1;
uint16_t porder_max = 1;
float update_prob = 100.0f;
float out_prob = 100.0f;
int8_t border = 0;
uint8_t wiring_madelocal = 0;
uint8_t reverse_value_order = 0;
uint16_t frozen_gens = 20;
uint8_t att_hist = att_hist_none;
uint8_t diff_plot = diff_plot_off;
uint8_t ncolor = 0;
uint16_t *pnhood = nullptr;
uint8_t *porder_cells = nullptr;
uint8_t **att = nullptr;
uint32_t attperiod = 0;
uint8_t exhaustive_testing = exhaustive_off;
uint8_t *exh_pairs = nullptr;

// --- Forward run loop and its displays (run_forward).
uint8_t stppause = stppause_none;
uint32_t ittpause = 0;
uint8_t stpgraph = stpgraph_none;
uint8_t show_ss_matrixF = ss_view_none;
uint8_t single_entropy = 0;
uint16_t entropy_poss = 0;
int32_t gens = 10;
uint8_t graph_layout = 0;
uint16_t time_skip = 1;
int32_t slant = -1;
uint8_t att_seed_dens = 0;
uint8_t was_changed = 0;
uint32_t stepforward = 0;
uint8_t *freq_colors = nullptr;
int16_t *bin_bound = nullptr;
int16_t num_bin_bound = 9;
uint16_t *flippos = nullptr;
uint8_t *flipvalue = nullptr;
uint16_t **stp_graph_layout = nullptr;
float *stp_graph_node_size = nullptr;
uint8_t *stp_cell_color = nullptr;

uint8_t accept_from = accept_from_none;
int8_t gd_z_graph = sweep_graph_none;
uint32_t totalgraphrules = 0;
float lowlimZ = 0.2f, highlimZ = 1.0f;
char codetypeonly = code_sweep_clusters;
uint8_t lambda_z_graph = lambda_z_off;
uint8_t pause_show_code = 0;
uint8_t acceptall = 0;
uint8_t matrixcolor = 10;
int16_t glider_rule_order = glider_order_random;

uint8_t layout_notset = 1;
int8_t mutate = mutation_bits;
uint8_t mutantdontpause = 0;
float pause_fact = 1.0f;
uint8_t set_z_high = 0;
uint8_t screensavedemo = 0;

uint8_t forward_only = 0;
uint32_t bitflipcount = 0;
uint8_t rand_seed_percent = 100;
uint8_t min_max_entropy = 0;

// --- Per-run resets (globals.h): each names the run state it starts afresh.

void
reset_forward_pass()
{
    was_changed = 0;
}

void
reset_forward_run()
{
    time_skip = 1;
    wiring_madelocal = 0;
    attperiod = 0;
    slant = -1;
    nowscrolling = 0;
    bitflipcount = 0;
}

// --- Start values (globals.h): every setting and count above, as defined.

namespace {
const start_values forward_start(
    direction, limitcheck, stp, nowscrolling, scrolling, d_mode, scrolly, pixmap_width,
    b_value, seq_update, pdata, filedata, p_order, porder_min, porder_max,
    update_prob, out_prob, border, wiring_madelocal, reverse_value_order, frozen_gens, att_hist,
    diff_plot, ncolor, attperiod, exhaustive_testing, stppause, ittpause, stpgraph,
    show_ss_matrixF, single_entropy, entropy_poss, gens, graph_layout, time_skip, slant,
    att_seed_dens, was_changed, stepforward, num_bin_bound, accept_from, gd_z_graph,
    totalgraphrules, lowlimZ, highlimZ, codetypeonly, lambda_z_graph, pause_show_code,
    acceptall, matrixcolor, glider_rule_order, layout_notset, mutate, mutantdontpause,
    pause_fact, set_z_high, screensavedemo, forward_only, bitflipcount, rand_seed_percent,
    min_max_entropy);
} // namespace

void
restore_forward_start_values()
{
    forward_start.restore();
}
