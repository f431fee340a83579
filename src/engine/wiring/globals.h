// Wiring settings and results that other folders read: the outputs of the
// lattice templates, the out-degree totals, the random-wiring biases and the
// hypercube settings. The wiring table itself, celloutfreq, force_layer and
// the k-mix live with the network model (model/globals.h).
#pragma once
#include <cstdint>

// Choices of the wiring menu (wiring_menu.h).
extern int32_t wires_to_move;   // wires moved per wiring mutant ('m' key too), at least 1; -1 rewire every cell
constexpr int32_t wires_to_move_all = -1;
extern uint8_t loc_twod_fonly; // 1: a local 2d/3d lattice run forward only, no wiring table
extern uint8_t defaultwiring;  // lattice of the menu's first line: 0 none, 1 1d, 2 2d, 3 3d
constexpr uint8_t defaultwiring_none = 0, defaultwiring_1d = 1, defaultwiring_2d = 2,
                  defaultwiring_3d = 3;
extern uint8_t regular2d;      // 1: the wiring is the regular 2d lattice template
extern uint8_t regular3d;      // 1: the wiring is the regular 3d lattice template
extern uint8_t regular2d_tgrid; // 1: the 2d lattice is hexagonal (triangular grid)
extern uint8_t compress_1d_local; // 1: regular 1d run by the general algorithms, basins compressed
extern uint8_t twod_local;     // 1 only for a regular 2d lattice picked on the menu's first line

// Lattice template results (lattice_templates.h), written by every
// pndood_2or3 call and read by its caller straight after.
extern int16_t i_n, j_n, h_n;  // column, row, layer of the input cell (h_n 0 in 2d)
extern uint16_t poss_n;        // the input cell's index

// Out-degree totals (out_degrees.h), recounted after every change of wiring.
extern uint32_t tot_wires;      // input slots in use: the sum of nhoodm
extern uint16_t tot_self_links; // slots in which a cell names itself
extern uint16_t tot_bi_links;   // unordered pairs of distinct cells wired both ways
extern uint8_t bi_links_counted; // 1 when tot_bi_links describes the present wiring;
                                 // 0 above 2500 cells, where it is not recounted: show "-"

// Random wiring biases (random_wiring.h). They keep their values from one
// bias dialog to the next; the wiring menu sets zonesize and fixmidwire.
extern uint16_t zonesize;      // zone width along each axis, 1..smallest side (n on a ring)
extern uint8_t ca_bias;        // 1: the first draw of each input is the lattice template input
extern int8_t escape_wires;    // inputs of a cell drawn from the whole network, 0..nhood
extern uint8_t ib, jb, hb;     // 1: no periodic wrap along columns, rows, layers
extern uint8_t fixmidwire;     // 0 free; 1 the centre input is the cell; 2 no self-wiring
constexpr uint8_t fixmidwire_free = 0, fixmidwire_centre_self = 1, fixmidwire_no_self = 2;
extern uint8_t distinct;       // 1: no cell twice among a cell's inputs
extern uint8_t same_wiring;    // 1: the next draw copies cell 0's pattern to every cell; then 0
extern int16_t sup_3d_layers[4]; // layer ranges random links avoid: low1, high1, low2, high2; -1 unset
extern int16_t direct_3d_link_layer; // layer input 0 links straight to; -1 none
extern uint8_t force_layers_set; // 1: the per-layer quotas in force_layer apply
extern int16_t force_layer_entries; // entries of force_layer as the quota dialog sized it (one per layer)
extern int32_t zonewiring;     // the candidate input cell of the draw in progress

// Hypercube wiring (hypercube.h).
extern uint16_t hyper_prob;    // percent 0..100 with which each wire survives; 100
extern uint32_t wires_cut;     // wires cut by the last pass

// Per-run reset, called by the run part at the start of each run; it resets nothing: every global
// here is a wiring setting or a count of the wiring, kept from run to run.
void reset_wiring_run();
// Puts every setting and count of this folder (not its memory) back to the
// value it is defined with: the program's start-up and each window test begin
// there.
void restore_wiring_start_values();
