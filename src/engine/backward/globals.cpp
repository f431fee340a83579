// Definitions of the pre-image and basin globals (see globals.h).
#include "engine/backward/globals.h"

#include "engine/backward/preimages_general.h"
#include "engine/model/start_values.h"

uint8_t neutral_order = 0;
uint16_t templineL = 0;
uint32_t comp_type_tot = 0;
uint32_t (*comp_type)[2] = nullptr;
uint16_t lastlevel = 0;
float *rad = nullptr;
uint32_t maxinhist = 0;
uint32_t *pre_fan_freq = nullptr;
uint64_t pre_fan_edges = 0;

uint32_t basintypeno = 0;
uint8_t meta_graph = meta_graph_off;
uint32_t *m_att_period = nullptr;
uint32_t *m_basin_volume = nullptr;
uint8_t ***m_att = nullptr;

float thisrad = 0, nextrad = 0, heading = 0, angle = 0, segfanangle = 0, spot = 0;
int16_t xx = 0, yy = 0, cx = 0, cy = 0;
int16_t *cyclex = nullptr, *cycley = nullptr;
uint16_t attrepseg = 1;

uint32_t basinsize = 0;
uint32_t maxbasinlevel = 0;
uint32_t maxbasinfan = 0;
uint32_t totsubtree = 0;
uint8_t earlyexitbasin = 0;
uint16_t attrepseg_2d_h = 1, attrepseg_2d_v = 1, attrepseg_2d_patch = 1;
uint32_t fieldsize = 0, fieldgofE = 0, totbasinsinfield = 0, maxfieldfan = 0;
uint32_t cycles[10] = {};

uint8_t **preim0 = nullptr, **preim1 = nullptr;
uint32_t *preim_numbers[2] = {nullptr, nullptr};
uint32_t preim_capacity[2] = {0, 0};
int16_t *xx0 = nullptr, *yy0 = nullptr, *xx1 = nullptr, *yy1 = nullptr;
uint8_t pretog = 0;
uint32_t thisindex = 0, thismax = 0, nextindex = 0, nextbefore = 0, nextmax = 0;
uint32_t level = 0;
uint32_t precount = 0, pretested = 0, fansize = 0, gofEno = 0, treesize = 0;
uint32_t maxtreefan = 0;
uint32_t maxtreelevel = 0;
uint32_t totalsegfan = 0;
int32_t isexception = 0;
uint32_t progbar = 0;
uint32_t tree_max_fan = 0;
uint8_t earlyexit = 0, abort_subtree = abort_subtree_none;
int16_t *segx = nullptr, *segy = nullptr;
uint16_t level_limit = 0;
uint8_t level_limit_reached = 0;
uint8_t fit_field_layout = 1;
uint8_t datapause = datapause_unset, successive_basins = 0, show_ss_matrix = 0, ss_m_att_only = 0;
uint8_t see_ppstack = see_ppstack_off, dontcompress = 0;
uint8_t basinfield = 0;
uint8_t show_maj = show_maj_off;
uint8_t pre_fansize_freq_hist = 0;
uint32_t attindex = 0;
int16_t cyclematch = 1;
uint32_t basinno = 1;
int16_t cyclematch_2d[2] = {1, 1};
int16_t cyclematch_2d_diag[2] = {0, 0};
uint32_t basinno_2d_h = 1, basinno_2d_v = 1;
uint32_t totatt_states = 0;
uint8_t attrepeat = 0, isrepeat = 0, allbitssame = 0;
bool user_stopped = false;
uint32_t segno = 0, segindex = 0;
uint16_t *seg = nullptr, *seg_2d_h = nullptr, *seg_2d_v = nullptr;
uint8_t **segseed = nullptr;
uint8_t segfan = 0, startsegfan = 0, insegloop = 0;
uint8_t justonepreimage = 0, justonepreimage_found = 0;
uint8_t *tickoff = nullptr;
uint32_t tickspace = 0, statespace = 0;
uint8_t reorderRBN = 0;
uint16_t *cell_order = nullptr;
uint32_t partial_preimage_limit = 1u << 27;
int local_run_key_bits = 14;
int64_t local_prune_after = local_prune_auto;
uint16_t ppL = 0;
uint32_t pp_ymax = 0, pp_hist_max = 0, pp_histcount = 0, pp_wild = 0, pp_wild_tot = 0;

int16_t ox = 0, oy = 0;
int16_t firstox = 0, firstoy = 0;
int16_t xspacing = 0, yspacing = 0;
int16_t startxspacing = 0, startyspacing = 0;
uint8_t mutant_layout = 0;

float pstartrad = 12;
float xoffset = 0, yoffset = 0;
int16_t fox = 0, foy = 0;
float xpspacing = 60, ypspacing = 60;
float xpspacefact = 10, ypspacefact = 10;
float orient_angle = 0;
float fan_angle_fact = 1;

uint8_t dontcopytrees = copies_drawn;
uint8_t shownumbers = shownumbers_bits;
uint8_t just_G = just_G_all;
uint8_t show_one_att_state = 0;
float labelsizefactor = 0;
uint8_t start_edge_color = 0;

uint8_t fieldpause = 0;
uint8_t filestates = 0;

float totsubgofEdensity = 0;
float basingofEdensity = 0;
float fieldgofEdensity = 0;
uint8_t earlyexitfield = 0;
uint32_t totalgofE = 0;
uint32_t totalprecount = 0;
float xspacefact = 1, yspacefact = 1;
float rightborder = 1;
float firstxspacing = 0, firstyspacing = 0;
uint8_t use_preset_basin_pos = 0;
float startrad = 1;

// --- Per-run resets (globals.h): each names the run state it starts afresh.

void
reset_backward_pass()
{
    dontcompress = 0;
    meta_graph = meta_graph_off;
    show_maj = show_maj_off;
}

void
reset_backward_run()
{
    basintypeno = 1;
    totalgofE = 0;
    totalprecount = 0;
    totatt_states = 0;
    isexception = 0;
    pp_histcount = 0;
    pp_wild_tot = 0;
    pp_ymax = 0;
    ppL = 0;
    // The general method's tables hold the rules and k of the network they
    // were built for; between runs a mutant or a new rule may change them.
    free_pre_rand();
}

void
reset_backward_tree()
{
    gofEno = 0;
    precount = 0;
    pretested = 0;
    abort_subtree = abort_subtree_none;
    segfan = 0;
    thisindex = 0;
    thismax = 0;
    nextindex = 0;
    nextmax = 0;
    pretog = 0;
    level = 0;
    isrepeat = 0;
    tree_max_fan = 0;
    user_stopped = false;
}

// --- Start values (globals.h): every setting and count above, as defined.

namespace {
const start_values backward_start(
    neutral_order, templineL, comp_type_tot, lastlevel, maxinhist, pre_fan_edges, basintypeno,
    meta_graph, thisrad, nextrad, heading, angle, segfanangle, spot, xx, yy, cx, cy, attrepseg,
    basinsize, maxbasinlevel, maxbasinfan, totsubtree, earlyexitbasin, attrepseg_2d_h,
    attrepseg_2d_v, attrepseg_2d_patch, fieldsize, fieldgofE, totbasinsinfield, maxfieldfan,
    cycles, pretog, thisindex, thismax, nextindex, nextbefore, nextmax, level, precount,
    pretested, fansize, gofEno, treesize, maxtreefan, maxtreelevel, totalsegfan, isexception,
    progbar, tree_max_fan, earlyexit, abort_subtree, level_limit, level_limit_reached,
    fit_field_layout, datapause, successive_basins, show_ss_matrix, ss_m_att_only, see_ppstack,
    dontcompress, basinfield, show_maj, pre_fansize_freq_hist, attindex, cyclematch, basinno,
    cyclematch_2d, cyclematch_2d_diag, basinno_2d_h, basinno_2d_v, totatt_states, attrepeat,
    isrepeat, allbitssame, user_stopped, segno, segindex, segfan, startsegfan, insegloop,
    justonepreimage, justonepreimage_found, tickspace, statespace, reorderRBN,
    partial_preimage_limit, local_run_key_bits, local_prune_after, ppL, pp_ymax, pp_hist_max, pp_histcount,
    pp_wild, pp_wild_tot, ox, oy, firstox, firstoy, xspacing, yspacing, startxspacing,
    startyspacing, mutant_layout, pstartrad, xoffset, yoffset, fox, foy, xpspacing, ypspacing,
    xpspacefact, ypspacefact, orient_angle, fan_angle_fact, dontcopytrees, shownumbers, just_G,
    show_one_att_state, labelsizefactor, start_edge_color, fieldpause, filestates,
    totsubgofEdensity, basingofEdensity, fieldgofEdensity, earlyexitfield, totalgofE,
    totalprecount, xspacefact, yspacefact, rightborder, firstxspacing, firstyspacing,
    use_preset_basin_pos, startrad);
} // namespace

void
restore_backward_start_values()
{
    backward_start.restore();
}
