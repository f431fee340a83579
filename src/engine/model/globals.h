// The network under study: its shape, value range, neighbourhood and rule
// kind, and the arrays that hold its rules. Every subsystem reads these
// directly; the set-up stages write them. Value lines pack entries of
// value_bits bits, entry i from stream bit i * value_bits upward (see
// value_line.h for the layout with a worked example).
#pragma once
#include <cstddef>
#include <cstdint>

// Fixed limits, the same for the whole run.
constexpr uint16_t Maxu = 65535;          // largest u16; an empty wiring slot
constexpr int16_t Maxint = 32767;         // largest i16
constexpr uint32_t Maxlu = 4294967295u;   // largest u32

// Network description. All start at zero unless a value is given.
extern int8_t value_range;    // v, 2..8; 2 at start-up; set by the value-range stage
extern int8_t value_bits;     // bits per value: 1 (v=2), 2 (v=3,4), 3 (v=5..8)
extern uint16_t lineL;        // n, number of cells; changes with L and bytesL
extern uint16_t L;            // n-1, the last cell
extern uint16_t bytesL;       // bytes of a state line: ceil(n*value_bits/8)
extern uint8_t oned;          // 1 for a 1d network
extern uint8_t twod;          // 2 for a 2d lattice, else 0
extern uint8_t threed;        // 3 for a 3d lattice, else 0
extern int16_t i2d, j2d;      // 2d width and height; cell i + j*i2d
extern int16_t i3d, j3d, h3d; // 3d width, depth, height
extern uint8_t hex2d;         // 1 for a hexagonal 2d lattice
extern uint8_t nonlocal;      // 0 only for regular 1d wiring with one k
extern uint8_t whatwire;      // 0 random, 1 1d, 2 2d, 3 hand, 4 loaded, 5 hypercube, 6 3d
constexpr uint8_t whatwire_random = 0, whatwire_1d = 1, whatwire_2d = 2, whatwire_hand = 3,
                  whatwire_loaded = 4, whatwire_hypercube = 5, whatwire_3d = 6;
extern int8_t nhood;          // k; with a k-mix the largest k; 0 at start-up
extern int8_t *nhoodm;        // k of each cell (lineL bytes); neighbourhood stage
extern uint8_t nhood_lb, nhood_ub; // smallest and largest k in nhoodm
extern uint8_t nhood_mixed;   // 1 when cells may have different k
extern int8_t Maxnhood;       // largest k allowed; 13 at start-up, then by v
extern int16_t maxL_lu;       // largest n whose state numbers fit 32 bits
extern int8_t totalistic;     // rule kind: 0 rule tables, 1 tcodes, 2 kcodes
constexpr int8_t rule_kind_tables = 0, rule_kind_tcodes = 1, rule_kind_kcodes = 2;
extern uint8_t tot_only;      // 1 in the forward-only totalistic mode ("-t")
extern uint8_t outer_tot;     // 1 for outer-totalistic codes
extern uint8_t rulemix;       // 1 when each cell has its own rule or code
extern uint8_t scale;         // size of a drawn cell in pixels
extern uint8_t rangeL;        // 1 while a range of sizes startL..endL is studied
extern uint16_t startL, endL; // first and last size of a range; 5 and 12
extern uint16_t rangebytesL;  // bytesL when the seed was set
// How far the set-up has come (written by the set-up stages of ui/driver;
// the loaders read them to decide what a file may change).
extern uint8_t secondpart;    // 1 once the network-view stage has passed
extern bool rules_set;        // false while the wiring is chosen, true from the rules stage on

// Rule tables: carule[0] serves every cell, or carule[c] each cell with
// rulemix. Allocated by the neighbourhood stage, not with tot_only.
extern uint8_t **carule;
// Z, Z-left, Z-right of the current rule; program lifetime while tot_only is 0.
extern float *zparam;

// ---------------------------------------------------------------------------
// Arrays of the network model. Every one is allocated zero-filled by the
// allocate_mem_ family named in its comment (network_arrays.h) and freed by
// the matching free_mem_ function while the variables that sized it still
// hold their old values. Pointer arrays of the mixes (carule, cacode, v_code,
// wiring) may move when a mix grows or the network gains or loses a cell:
// always reach them through these globals.

// Rule tables and their companions (allocate_mem_rule0 .. with k; freed when
// k, the rule kind or the value range changes).
extern uint8_t *carule_mut;      // a rule table kept for mutation; rule0_extra
extern uint8_t *statbuf;         // rule statistics buffer, grown by its users; rule0_extra/tcode0_extra
extern size_t sizeof_statbuf;    // bytes its users may fill in statbuf; 2 after allocation, 0 after release
extern uint32_t totstatrules;    // rules recorded in statbuf; 0 after allocation and release
extern uint8_t *color_filter;    // bit set, one bit per rule-table (or code) entry; rule0_extra/tcode0_extra
extern uint16_t *hist_order;     // one value per rule-table (or code) entry; rule0_extra/tcode0_extra
extern uint8_t *rule_all_0s;     // reference rule table, every entry 0; all_0s_all_1s_rules
extern uint8_t *rule_all_1s;     // reference rule table, every bit set; all_0s_all_1s_rules
extern uint8_t **diffrule;       // the distinct rule tables of a limited rule set (count <= 200); diffrules

// Codes (allocate_mem_tcode0 after k; the mixes while rulemix is set).
extern uint8_t **cacode;         // tcodes: cacode[0], or one per cell in a code mix; k(v-1)+1 entries
extern uint8_t **v_code;         // kcodes: v_code[0], or one per cell; v_tablecodemax[k]+1 entries
extern uint8_t **diffcode;       // distinct tcodes of a limited code set; diffcodes
extern uint8_t **v_diffcode;     // distinct kcodes of a limited code set; diffcodes

// K-matrix and rule figures.
extern uint8_t **nm;             // k-matrix: row j, entry i = base-v digit j of i; Maxnhood rows of
                                 // v^Maxnhood entries; nhood_matrix after the value range, not with tot_only
extern uint8_t *canal;           // 2-byte bit set: bit p set when input p canalyzes; with nm
extern uint16_t canaltotal;      // number of canalyzing inputs of the current rule, 0..k
extern float lambda;             // fraction of rule-table entries not 0, 0..1
extern float lratio;             // lambda ratio, 0..1 (0 all outputs equal, 1 all values equally frequent)

// Code sweep buffers (allocate_code_mem for k = nhood; freed by their users).
extern uint8_t *codetickoff;     // bit set, one bit per binary tcode of k inputs: 2^(k+1) bits
extern uint8_t *tempcode;        // one binary tcode, k+1 bits

// State lines (allocate_mem_CA_states after the network size; bytesL bytes
// each, freed before lineL changes). With tot_only only up to tempState.
extern uint16_t *seq_order;      // sequential update order: lineL cell indexes
extern uint16_t *nhd;            // neighbourhood index of each cell in the last forward step
extern uint8_t *bitseed;         // the seed
extern uint8_t *firstseed;       // root state of the current tree
extern uint8_t *this_firstseed;  // root state of the current subtree
extern uint8_t *A;               // the current state
extern uint8_t *F;               // the next state of a forward step
extern uint8_t *all_0s;          // every cell 0
extern uint8_t *all_1s;          // every bit set (v = 2: bits from lineL on cleared; v > 2: entries 2^w-1)
extern uint8_t *rot;             // work state for rotations
extern uint8_t *tempState;       // work state
extern uint8_t *tempState2;      // work state (not with tot_only)
extern uint8_t *iscanal;         // work state (not with tot_only)
extern uint8_t *tar;             // work state (not with tot_only)
extern int32_t notolearn;        // state lines held in learn_pre; 1 after allocation
extern uint8_t **learn_pre;      // notolearn state lines (not with tot_only)
extern uint16_t *pp_hist;        // per-cell counts, lineL entries (not with tot_only)
extern uint32_t *pp_hist_total;  // per-cell sums, lineL entries (not with tot_only)

// Wiring (allocate_mem_wiring after the wiring choice; not for loc_twod_fonly).
extern uint16_t **wiring;        // wiring[c][j]: cell feeding input j of cell c; nhood slots per cell,
                                 // unwired slots Maxu; one row per cell
extern uint16_t *celloutfreq;    // out-degree of each cell, lineL entries; with wiring
extern int16_t *force_layer;     // per-layer input quotas of the forced 3d layer links (4 bytes); with wiring

// Value-count trie of the kcodes (set_up_v_code after k or v changes,
// free_v_code_arrays with the same nhood). Index 0 of each array is unused.
struct v_tree_node;
extern v_tree_node **v_tree;     // v_tree[k]: root of the trie for k = 1..nhood
extern uint8_t ***v_index;       // v_index[k][e]: tuple of kcode entry e, v counts of width check_value_bits(k+1)
extern uint16_t *v_tablecodemax; // v_tablecodemax[k]: kcode entries for k, less 1

// Cell values on screen (cell_display.h) and the rule box (rule_readout.h).
extern uint8_t *color_v;         // colour index of each value 0..v-1; setup_value_colors(1) at the value-range stage
extern int8_t sep;               // gap inside the scale pitch of state drawings (pixels)
extern int8_t cellscale, cellsep; // pitch and gap of seed and rule windows; set_cellscale
extern int16_t height_req_seed_win; // height in pixels the seed window needs; set_cellscale mode 0
extern uint8_t hilight_learn;    // 1: states drawn in a colour other than white get a frame;
                                 // 2: as 1, and states not highlighted are not drawn; 0 off
constexpr uint8_t hilight_off = 0, hilight_frame = 1, hilight_suppress = 2;
extern int poly[12];             // corners (x, y) of the last hexagon drawn
extern int16_t rule_box_top;     // top edge of the rule box, written on every redraw

// State symmetries (state_symmetries.h).
extern uint16_t repseg_2d[2];    // repeating segment of the last tested 2d state: [0] along i, [1] along j

// --- Per-run reset, called by the run part at the start of each run (one
// subtree, basin, field or forward run): the sums of pp_hist_total back to
// 0. The rest of the model is the network and its settings, kept from run
// to run.
void reset_model_run();
// Puts every setting and count of this folder (not its memory) back to the
// value it is defined with: the program's start-up and each window test begin
// there.
void restore_model_start_values();
