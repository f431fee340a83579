// Modes and results of the pre-image and basin runs that other folders read.
#pragma once
#include <cstdint>

extern uint8_t neutral_order;      // 1 in neutral-order mode: states are update-order ranks
extern uint16_t templineL;         // the real n while neutral-order mode borrows lineL; else 0
// Component types of a neutral field (neutral_components.h): started by the
// field, a row added or counted per component, freed with the table display.
extern uint32_t comp_type_tot;     // rows of comp_type in use
extern uint32_t (*comp_type)[2];   // per row: component size, components of that size

// Tree layout and in-degree counts, allocated by the network-size stage
// (not with tot_only) and freed when stepping back past it.
extern uint16_t lastlevel;      // deepest tree level drawn; 90 from the network-size stage
extern float *rad;              // 91 radii of the basin layout
extern uint32_t maxinhist;      // largest in-degree counted in pre_fan_freq
extern uint32_t *pre_fan_freq;  // in-degree counts 0..maxinhist
extern uint64_t pre_fan_edges;  // in-degrees summed with pre_fan_freq, exact past maxinhist;
                                // cleared with the counts (in_degree.h)

// Basin types of a field: the attractor jump graph counts them.
extern uint32_t basintypeno;    // basin types recorded so far in the current field
extern uint8_t meta_graph;      // not off: the field records its basin types for the jump graph
                                // and the graph lists its jump table as numbers, fractions or both
constexpr uint8_t meta_graph_off = 0, meta_graph_on = 1, meta_graph_numbers = 2,
                  meta_graph_fractions = 3, meta_graph_both = 4;
// Basin type table of a field with meta_graph (basin_types.h): rows
// 1..basin_types_recorded(), started by the field, grown by the basin
// drawing, read by the jump graph, freed by the field when it ends.
extern uint32_t *m_att_period;  // period of each basin type
extern uint32_t *m_basin_volume; // basinsize of each basin type
extern uint8_t ***m_att;        // per type entries 1..period: copies of its attractor states

// --- Tree building: the two level lists of the tree builder (tree_levels.h).
// Entries 1.. of each list point at state lines of bytesL bytes; entry 0 is
// never used. Both live for one run_backward call. With the table method
// the lists hold state numbers instead and these two stay empty.
extern uint8_t **preim0, **preim1; // the level lists; pretog picks the one filled
extern uint32_t *preim_numbers[2]; // table mode, general word form: the level lists as state numbers (0 as preim0)
extern uint32_t preim_capacity[2]; // entries allocated in each list and its coordinates
extern int16_t *xx0, *yy0;         // screen x, y of each entry of preim0
extern int16_t *xx1, *yy1;         // screen x, y of each entry of preim1
extern uint8_t pretog;             // 0: preim0 is expanded, preim1 filled; 1: the reverse
extern uint32_t thisindex;         // entry of the current list being expanded (0: the root)
extern uint32_t thismax;           // entries of the current list
extern uint32_t nextindex;         // entries of the next list so far
extern uint32_t nextbefore;        // nextindex before the current node was expanded
extern uint32_t nextmax;           // nextindex at the end of the current node

// Tree totals (results of run_backward; the callers reset the kept ones).
extern uint32_t level;             // level being expanded; after a build the depth
extern uint32_t precount;          // pre-images accepted in the current tree
extern uint32_t pretested;         // nodes expanded, the root not counted
extern uint32_t fansize;           // pre-images of the node just expanded
extern uint32_t gofEno;            // garden-of-Eden nodes of the tree
extern uint32_t treesize;          // nodes of the tree, root included
extern uint32_t maxtreefan;        // largest fan, kept across trees of a basin
extern uint32_t maxtreelevel;      // deepest tree, kept across trees of a basin
extern uint32_t totalsegfan;       // total fan of a segment-compressed root fan
extern int32_t isexception;        // weighted nodes whose majority count passes n/2 (32 bits:
                                   // a long run passes 16)
extern uint32_t progbar;           // states placed in the current basin field
extern uint32_t tree_max_fan;      // the tree's own largest fan ("mp") of the last build
extern uint8_t earlyexit;          // 1 when the user stopped the tree or a fan
extern uint8_t abort_subtree;      // 1 list full or out of memory, 2 too many partial
                                   // pre-images; run_backward clears it at its start
constexpr uint8_t abort_subtree_none = 0, abort_subtree_list_full = 1,
                  abort_subtree_too_many_partial = 2;
extern int16_t *segx, *segy;       // next-level positions kept after a segment fan
                                   // (entries 0..segno); freed by the basin drawing

// Settings of the tree builder (set by the display, pause and data stages).
extern uint16_t level_limit;       // 0: none; else levels expanded (not in a field)
extern uint8_t level_limit_reached; // 1 when the last tree was cut at level_limit: its
                                   // report is marked, it is not complete
extern uint8_t datapause;          // pause for data: 0 none, 1 after each basin, 2 also each
                                   // tree, 3 also each subtree fan (pause/data stage)
constexpr uint8_t datapause_unset = 0, datapause_basin = 1, datapause_tree = 2,
                  datapause_tree_and_fan = 3;
extern uint8_t successive_basins;  // 1: fields drawn basin after basin
extern uint8_t fit_field_layout;   // 1: a field's basins are placed row by row by their
                                   // measured sizes, the radii scaled down to fit the drawing
                                   // area (engine/backward/field_fit.h); set by the LAYOUT
                                   // stage when it kept the defaults, cleared by typed values
extern uint8_t show_ss_matrix;     // 1: states are shown in the state-space matrix
extern uint8_t ss_m_att_only;      // 1: the matrix shows attractor states only
extern uint8_t see_ppstack;        // 0 off, 1 stack view on, 2 pause at each fan
constexpr uint8_t see_ppstack_off = 0, see_ppstack_on = 1, see_ppstack_pause = 2;
extern uint8_t dontcompress;       // 1: no rotation compression
extern uint8_t basinfield;         // 1 basin field, 0 single basin/subtree/forward only (first screen)
extern uint8_t show_maj;           // value (0 or 1) whose majority count is kept per node; 0xFF: off
constexpr uint8_t show_maj_off = 0xFF;
extern uint8_t pre_fansize_freq_hist; // 1: fans are counted in pre_fan_freq (in-degree histogram)

// Attractor of the basin being drawn (set by the basin drawing) and the
// results of the acceptance step.
extern uint32_t attindex;          // position of the root on att, 1..attperiod
extern int16_t cyclematch;         // states of the cycle equivalent to the root by rotation
extern uint32_t basinno;           // rotation step of equivalent basins (1d)
extern int16_t cyclematch_2d[2];   // column and row translations found on the cycle (2d)
extern int16_t cyclematch_2d_diag[2]; // diagonal translation orders (2d)
extern uint32_t basinno_2d_h, basinno_2d_v; // translation steps of equivalent basins (2d)
extern uint32_t totatt_states;     // level + 1 when a subtree closed on its root
extern uint8_t attrepeat;          // 1 once the cycle predecessor came up in the fan
extern uint8_t isrepeat;           // 1 once a root's pre-image was tested against the cycle
extern uint8_t allbitssame;        // 1 when, with compression on, every cell of A is equal
extern bool user_stopped;          // the user stopped the current fan ('q' or 'n' at the key
                                   // poll); cleared by begin_fan and at each tree build

// Segment list of the current fan (acceptance.h): entries 1..segno, each a
// kept pre-image in segseed with its ring segment length in seg, or its 2d
// periods in seg_2d_h x seg_2d_v. Grown by the acceptance step, freed by
// free_segment_list.
extern uint32_t segno;             // entries in use
extern uint32_t segindex;          // segment whose tree is being built
extern uint16_t *seg;              // ring: repeating-segment length of each entry
extern uint16_t *seg_2d_h, *seg_2d_v; // 2d: column and row periods of each entry
extern uint8_t **segseed;          // the kept pre-images
extern uint8_t segfan;             // 1 when the current fan used the list
extern uint8_t startsegfan;        // 1 while segment trees of a root fan are built
extern uint8_t insegloop;          // 1 inside a segment tree: the list is kept
extern uint8_t justonepreimage;    // 1 when the root fan was one segment of one state
extern uint8_t justonepreimage_found; // set with justonepreimage by the fold-back

// Per-state bit set of placed states: bit s for state number s <= tickspace.
// Owned by the basin field, or by the successor table for a single basin or
// subtree run (successor_table.h).
extern uint8_t *tickoff;
extern uint32_t tickspace;         // last state number covered by tickoff
extern uint32_t statespace;        // v^n - 1 of the network under study

// General pre-image method (preimages_general.h): prepair_pre_rand .. free_pre_rand.
extern uint8_t reorderRBN;         // 1: cells are processed in cell_order
extern uint16_t *cell_order;       // lineL cells in processing order (position L first)
extern uint32_t partial_preimage_limit; // most partial pre-images one target may hold;
                                   // beyond it the target is abandoned (tests lower it)
// Local pre-image method (preimages_local.h): allocate_local_arrays .. free_local_arrays.
extern int local_run_key_bits;     // key bits of the v = 2 run tables (k-1 + cells a run), 14;
                                   // tests lower it so small rings take several runs
extern int64_t local_prune_after;  // steps a start block's sweep takes before it builds the
                                   // closure table and prunes; 0 at once, local_prune_auto
                                   // (start-up): n·v^(k-1); tests set others, INT64_MAX: never
constexpr int64_t local_prune_auto = -1;
// Partial pre-image stack figures: stack sizes after each step go to pp_hist
// and pp_hist_total (model/globals.h) for the average histogram view.
extern uint16_t ppL;               // network size the stack histogram was laid out for
extern uint32_t pp_ymax;           // stack size drawn at full height; 0 until set
extern uint32_t pp_hist_max;       // largest stack of the last computation
extern uint32_t pp_histcount;      // computations summed in pp_hist_total
extern uint32_t pp_wild, pp_wild_tot; // entries added by wild expansion: last, running sum

// --- Tree geometry of the fan being drawn (tree_geometry.h): set per node
// by draw_fan from the level radii and the node's position.
extern float thisrad, nextrad;     // radius of the node's level and of its children's
extern float heading;              // radians in [0, 2pi) from the basin centre to the node
extern float angle;                // angle between neighbouring children of the fan
extern float segfanangle;          // angle between neighbouring states of a segment fan
extern float spot;                 // radius of a node spot
extern int16_t xx, yy;             // position of the node being drawn
extern int16_t cx, cy;             // position of the child being drawn
extern int16_t *cyclex, *cycley;   // attractor states' positions 1..attperiod; basin drawing
extern uint16_t attrepseg;         // repeating-segment length of the attractor's root state

// --- Basin layout cursor (set by the layout stage; reset by the mutation between runs).
extern int16_t ox, oy;             // centre of the basin being drawn
extern int16_t firstox, firstoy;   // where the run's first basin (and a new row) starts
extern int16_t xspacing, yspacing; // spacing in pixels in use
extern int16_t startxspacing, startyspacing; // spacing as set by the layout stage
extern uint8_t mutant_layout;      // 1: mutants laid out side by side on one screen

// --- Basin layout settings (basin_layout.h; the layout stage). Percentages
// are of half the window width or height; the pixel values follow from them.
extern float pstartrad;            // attractor radius, % of half the width; 12 at start
extern float xoffset, yoffset;     // first basin, % offset from the window centre, y up
extern int16_t fox, foy;           // first basin position in pixels
extern float xpspacing, ypspacing; // basin spacing, % of half the width and height
extern float xpspacefact, ypspacefact; // % growth of the spacing per network size
extern float orient_angle;         // basin orientation in radians; 0 at each output pass
extern float fan_angle_fact;       // factor on the pre-image fan angle; 1 at each output pass

// --- Display settings of trees (the display stage).
extern uint8_t dontcopytrees;      // 0 copies drawn; 1 suppressed, g-of-E reduced;
                                   // 2 suppressed, g-of-E shown; 3 all suppressed
constexpr uint8_t copies_drawn = 0, copies_reduce_gofe = 1, copies_show_gofe = 2,
                  copies_suppressed = 3;
extern uint8_t shownumbers;        // what a tree node shows: none (-1 held in the byte as
                                   // 255), spot, decimal, hex or bit pattern
constexpr uint8_t shownumbers_none = 255, shownumbers_spot = 0, shownumbers_decimal = 1,
                  shownumbers_hex = 2, shownumbers_bits = 3;
extern uint8_t just_G;             // 0 all nodes, 1 just garden-of-Eden nodes, 2 none of them
constexpr uint8_t just_G_all = 0, just_G_only = 1, just_G_none = 2;
extern uint8_t show_one_att_state; // 0 no, 1 one attractor state (or the root), 2 all of
                                   // them highlighted as bit patterns
extern float labelsizefactor;      // scale of decimal and hex labels; 0: the current font
extern uint8_t start_edge_color;   // colour index of the first tree level's edges; 0: lightred

// --- Pause and data settings (the pause/data stage).
extern uint8_t fieldpause;         // 1: pause after each field of a size range
extern uint8_t filestates;         // 1: the data file also gets the states

// --- Results of a run that the driver plots, and the layout cursor it moves
// between the points of a size sweep.
extern float totsubgofEdensity;   // G-density of the last subtree
extern float basingofEdensity;    // G-density of the last single basin
extern float fieldgofEdensity;    // G-density of the last basin field
extern uint8_t earlyexitfield;    // 1 when the last field was cut short
extern uint32_t totalgofE;        // Garden-of-Eden states counted over a run
extern uint32_t totalprecount;    // pre-images counted over a run
extern float xspacefact, yspacefact; // growth of the spacing per size-sweep point
extern float rightborder;         // a row wraps when less than xspacing x rightborder is left
extern float firstxspacing, firstyspacing; // spacing at the start of a field
extern uint8_t use_preset_basin_pos; // 1: basins go to positions kept from before
extern float startrad;            // attractor radius in pixels (layout stage); the screen
                                  // saver's disc takes it per cell

// --- Basin totals (basin_totals.h): reset by the basin drawing for each basin.
extern uint32_t basinsize;         // states of one copy of the basin ("s")
extern uint32_t maxbasinlevel;     // deepest tree of the basin ("ml")
extern uint32_t maxbasinfan;       // largest fan of the basin ("mp")
extern uint32_t totsubtree;        // states of the segment trees of one attractor state
extern uint8_t earlyexitbasin;     // 1 once a basin was reported as cut short
extern uint16_t attrepseg_2d_h, attrepseg_2d_v, attrepseg_2d_patch; // 2d repeating segment
                                   // of the attractor's first state, and their product

// --- Field totals (basin_totals.h): reset by the basin field, summed by the
// basin drawing (32 bits: a field can hold more than 65,535 basins).
extern uint32_t fieldsize;         // states placed in the field's basins
extern uint32_t fieldgofE;         // garden-of-Eden states of the field
extern uint32_t totbasinsinfield;  // basins of the field, equivalent ones counted
extern uint32_t maxfieldfan;       // largest fan of the field
extern uint32_t cycles[10];        // basins by period: [p] period p < 10, [0] longer ones

// --- Per-run resets, called by the run part and the tree builder.
// At each pass of the run part (each entry into the single or field loop):
// dontcompress, meta_graph and show_maj back to off.
void reset_backward_pass();
// At the start of each run (one subtree, basin, field or forward run):
// basintypeno 1; totalgofE, totalprecount, totatt_states, isexception and
// the stack histogram counters (pp_histcount, pp_wild_tot, pp_ymax, ppL) 0;
// the general pre-image method's tables released, to be built afresh.
void reset_backward_run();
// At the start of each tree build (run_backward): the node counters
// (gofEno, precount, pretested), abort_subtree, segfan, the list indexes
// (thisindex, thismax, nextindex, nextmax), pretog, level, isrepeat and
// tree_max_fan 0, user_stopped false.
void reset_backward_tree();
// Puts every setting and count of this folder (not its memory) back to the
// value it is defined with: the program's start-up and each window test begin
// there.
void restore_backward_start_values();
