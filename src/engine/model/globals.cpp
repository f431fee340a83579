// Definitions and start values of the network description (see globals.h).
#include "engine/model/globals.h"

#include <cstring>

#include "engine/model/start_values.h"

int8_t value_range = 2;
int8_t value_bits = 1;
uint16_t lineL = 0;
uint16_t L = 0;
uint16_t bytesL = 0;
uint8_t oned = 0;
uint8_t twod = 0;
uint8_t threed = 0;
int16_t i2d = 0, j2d = 0;
int16_t i3d = 0, j3d = 0, h3d = 0;
uint8_t hex2d = 0;
uint8_t nonlocal = 0;
uint8_t whatwire = whatwire_random;
int8_t nhood = 0;
int8_t *nhoodm = nullptr;
uint8_t nhood_lb = 0, nhood_ub = 0;
uint8_t nhood_mixed = 0;
int8_t Maxnhood = 13;
int16_t maxL_lu = 0;
int8_t totalistic = rule_kind_tables;
uint8_t tot_only = 0;
uint8_t outer_tot = 0;
uint8_t rulemix = 0;
uint8_t scale = 0;
uint8_t rangeL = 0;
uint16_t startL = 5, endL = 12;
uint16_t rangebytesL = 0;
uint8_t secondpart = 0;
bool rules_set = false;

uint8_t **carule = nullptr;
float *zparam = nullptr;

uint8_t *carule_mut = nullptr;
uint8_t *statbuf = nullptr;
size_t sizeof_statbuf = 0;
uint32_t totstatrules = 0;
uint8_t *color_filter = nullptr;
uint16_t *hist_order = nullptr;
uint8_t *rule_all_0s = nullptr;
uint8_t *rule_all_1s = nullptr;
uint8_t **diffrule = nullptr;

uint8_t **cacode = nullptr;
uint8_t **v_code = nullptr;
uint8_t **diffcode = nullptr;
uint8_t **v_diffcode = nullptr;

uint8_t **nm = nullptr;
uint8_t *canal = nullptr;
uint16_t canaltotal = 0;
float lambda = 0.0f;
float lratio = 0.0f;

uint8_t *codetickoff = nullptr;
uint8_t *tempcode = nullptr;

uint16_t *seq_order = nullptr;
uint16_t *nhd = nullptr;
uint8_t *bitseed = nullptr;
uint8_t *firstseed = nullptr;
uint8_t *this_firstseed = nullptr;
uint8_t *A = nullptr;
uint8_t *F = nullptr;
uint8_t *all_0s = nullptr;
uint8_t *all_1s = nullptr;
uint8_t *rot = nullptr;
uint8_t *tempState = nullptr;
uint8_t *tempState2 = nullptr;
uint8_t *iscanal = nullptr;
uint8_t *tar = nullptr;
int32_t notolearn = 0;
uint8_t **learn_pre = nullptr;
uint16_t *pp_hist = nullptr;
uint32_t *pp_hist_total = nullptr;

uint16_t **wiring = nullptr;
uint16_t *celloutfreq = nullptr;
int16_t *force_layer = nullptr;

v_tree_node **v_tree = nullptr;
uint8_t ***v_index = nullptr;
uint16_t *v_tablecodemax = nullptr;

uint8_t *color_v = nullptr;
int8_t sep = 0;
int8_t cellscale = 0, cellsep = 0;
int16_t height_req_seed_win = 0;
uint8_t hilight_learn = hilight_off;
int poly[12];
int16_t rule_box_top = 0;

uint16_t repseg_2d[2] = {0, 0};

// --- Per-run reset (globals.h).

void
reset_model_run()
{
    if (pp_hist_total)
        memset(pp_hist_total, 0, sizeof(uint32_t) * lineL);
}

// --- Start values (globals.h): every setting and count above, as defined.

namespace {
const start_values model_start(
    value_range, value_bits, lineL, L, bytesL, oned, twod, threed, i2d, j2d, i3d, j3d, h3d,
    hex2d, nonlocal, whatwire, nhood, nhood_lb, nhood_ub, nhood_mixed, Maxnhood, maxL_lu,
    totalistic, tot_only, outer_tot, rulemix, scale, rangeL, startL, endL, rangebytesL,
    secondpart, rules_set, canaltotal, lambda, lratio, notolearn, sep, cellscale, cellsep,
    height_req_seed_win, hilight_learn, poly, rule_box_top, repseg_2d);
} // namespace

void
restore_model_start_values()
{
    model_start.restore();
}
