// Definitions and start values of the wiring settings (see globals.h).
#include "engine/wiring/globals.h"

#include "engine/model/start_values.h"

int32_t wires_to_move = 1;
uint8_t loc_twod_fonly = 0;
uint8_t defaultwiring = defaultwiring_none;
uint8_t regular2d = 0;
uint8_t regular3d = 0;
uint8_t regular2d_tgrid = 0;
uint8_t compress_1d_local = 0;
uint8_t twod_local = 0;

int16_t i_n = 0, j_n = 0, h_n = 0;
uint16_t poss_n = 0;

uint32_t tot_wires = 0;
uint16_t tot_self_links = 0;
uint16_t tot_bi_links = 0;
uint8_t bi_links_counted = 0;

uint16_t zonesize = 1;
uint8_t ca_bias = 0;
int8_t escape_wires = 0;
uint8_t ib = 0, jb = 0, hb = 0;
uint8_t fixmidwire = fixmidwire_free;
uint8_t distinct = 0;
uint8_t same_wiring = 0;
int16_t sup_3d_layers[4] = {-1, -1, -1, -1};
int16_t direct_3d_link_layer = -1;
uint8_t force_layers_set = 0;
int16_t force_layer_entries = 0;
int32_t zonewiring = 0;

uint16_t hyper_prob = 100;
uint32_t wires_cut = 0;

// --- Per-run reset (globals.h).

void
reset_wiring_run()
{
    // Nothing to reset: every global here is a wiring setting or a count of the wiring, kept from
    // run to run.
}

// --- Start values (globals.h): every setting and count above, as defined.

namespace {
const start_values wiring_start(
    wires_to_move, loc_twod_fonly, defaultwiring, regular2d, regular3d, regular2d_tgrid,
    compress_1d_local, twod_local, i_n, j_n, h_n, poss_n, tot_wires, tot_self_links,
    tot_bi_links, bi_links_counted, zonesize, ca_bias, escape_wires, ib, jb, hb, fixmidwire,
    distinct, same_wiring, sup_3d_layers, direct_3d_link_layer, force_layers_set,
    force_layer_entries, zonewiring, hyper_prob, wires_cut);
} // namespace

void
restore_wiring_start_values()
{
    wiring_start.restore();
}
