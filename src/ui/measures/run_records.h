// The five records a forward run (ui/forward/run_forward.h) keeps for its
// length and hands by address to the measures, the running-pattern keys,
// the key panel and the pattern reset routines; they live here, below the
// run, because the measures fill most of their fields: it (display and iteration state), eg (entropy and lookup
// plots), ae (entropy data), sk (frozen skeletons and attractor types) and
// dp (damage spread and histogram settings). run_forward zeroes them at its
// start (value-initialisation) and sets the fields its set-up names. Fields
// the measures alone use carry the measures' names; they stay zero until the
// measures fill them.
#pragma once
#include <cstdint>

#include "engine/measures/attractor_type_table.h"
#include "engine/measures/count_window.h"
#include "engine/measures/entropy_moments.h"
#include "engine/measures/skeleton_type_table.h"
#include "ui/screen/globals.h"

// it: display and iteration state.
struct run_iteration {
    image_slot *pixmap;      // the pattern pixmap's slot (label "Pixmap pointer")
    int16_t hex_height;      // (j2d-1) rows of cell_size*cos(pi/6), truncated row by row
    int16_t scan_length;     // 150: time-step at which sample scanning moves on
    int16_t max_index;       // largest rule index of the measured k
    int16_t frame_row;       // rows drawn in the current oblique frame
    int16_t frame_no;        // frames (2d+time), layer (3d), scroll offset (scrolling 2d)
    int16_t diff_gap;        // 3: cells between the two halves of a damage display
    int16_t save_i2d, save_j2d, save_i3d, save_j3d, save_h3d; // sides at set_2d_3d_coords
    uint8_t back_colour, fore_colour; // black and white at the start of a drawn run
    uint8_t run_p_order;     // 1 when p_order was 1 at the start
    uint8_t big_cells;       // cell size above 5 vga units
    uint8_t zero_dot;        // mark value-0 cells with a green dot
    uint8_t half_shift;      // offset alternate rows by half a cell
    uint8_t node_outline;    // graph-layout discs outlined; 1 at the start
    uint8_t disc_cells;      // cells drawn as discs (display_3d at the start)
    uint8_t hide_cells;      // 1: no cell drawn in the scrolling 2d display
    uint8_t skip_on;         // draw only every (time_skip+1)-th step
    uint8_t run_seq_update;  // seq_update at the start
    uint8_t scan_sample;     // sample scanning on
    uint8_t return_map;      // return map on
    int8_t cell_size;        // pixels per cell: scale at the start
    int8_t cell_gap;         // 1, or 2 when scale exceeds 5 vga units
    uint8_t page_full;       // the pattern area is full: clear and restart after this step
    uint8_t key_panel;       // the key panel asked for: key_panel_off, _beside, _over
    uint8_t step_pause;      // pause after every step
    uint8_t frozen_mode;     // frozen-cell colouring 0..3
    uint8_t one_rule;        // every cell uses rule 0
    uint8_t cell_frozen;     // scratch of the frozen test
    uint8_t network_changed; // a running key changed the network (size, wiring, rules,
                             // update mode): the run makes its last step again on it
    uint8_t **lastA;         // the last frozen_gens states, newest at 0 ("it.lastA")
    int32_t delay;           // extra key polls per step
    uint32_t time;           // the time-step counter t
    uint32_t sample_index;   // index of the current rule of a loaded rule sample
    float frame_x, frame_y;  // origin of the current oblique frame
    float row_slant;         // cell_size * sin(pi/4)
    float frame_depth;       // row_slant * j2d (j3d in 3d)
    float frame_width;       // cell_size * i2d (i3d in 3d)
    double hex_size;         // 2 * cell_size * cos(pi/6) / 3
    // Display scratch of this run.
    int16_t cell_count;      // cells drawn in the current oblique row
    int16_t pixel_size;      // vgax(cell_size): 1 dots, 2 3x3 bars, more full cells
    int16_t pixmap_height;   // height of the pattern pixmap
    uint8_t row_parity;      // 2d rows drawn so far, odd or even (hexagonal offset)
    int16_t old_rows_right;  // right edge of the widest 1d rows on the page when the network
                             // was made narrower since the page began (they stay as drawn
                             // until the page end clears them); 0 for none
};

// The values of it.key_panel. Beside: shown where the run leaves it room (as
// each run starts), left out while the run reaches its place. Over: shown
// over the right part of a run that reaches its place ('X'), the run drawn
// left of it.
constexpr uint8_t key_panel_off = 0;
constexpr uint8_t key_panel_beside = 1;
constexpr uint8_t key_panel_over = 2;

// eg: entropy and lookup-frequency plots.
struct entropy_graph {
    uint8_t plot_on;         // density/entropy plot (stpgraph_density)
    uint8_t hist_mode;       // lookup frequencies: 0 off, 1 bars, 2 traces whose origin
                             // moves a pixel down and right each step (stpgraph 3)
    uint8_t ent_kind;        // 0 entropy trace, 1 a dot per index at its frequency, 2 both
    uint8_t ed_plot;         // entropy-density plane (and the entropy record) on
    uint8_t k;               // k of the measured neighbourhood
    uint8_t point_colour;    // colour of the return map's and entropy-density plane's
                             // points: yellow, then stepped at each sampled run
    int16_t window;          // the analysis window: min(gens, t)
    int16_t plot_row;        // row counter of the side plot, -1 at the start
    int16_t x0;              // width of the pattern and a damage view beside it, and a
                             // margin: the side plot's left edge is side_plot_left
    float w1, w2;            // side-plot and histogram widths, vgax(100)
    int16_t hist_x0, hist_y0, hist_right; // histogram box
    int16_t hist_x, hist_y;  // current histogram origin
    int16_t hist_limit;      // last column the bars' clears and the traces' surface
                             // (within Maxx - 2) may reach: left of the key panel
                             // while it is up, else Maxx - 1; set each step and
                             // where the panel is drawn or left out
    int16_t group;           // bars per histogram column, at most 128
    int16_t max_bar;         // longest bar drawn
    float bar_thickness;     // pixels per bar, at most 6
    double *eegratiobefore;  // v densities of the step before
    count_window eegcount;   // gens rows of v value counts, row 0 the newest step
    count_window lookupcount; // gens rows of max_index+1 lookup counts, row 0 the newest step
    uint16_t *oldbar;        // max_index+1 bar lengths drawn the step before
    uint16_t entropy_start, entropy_end; // bounds of a sample's entropy record: 30, 430
    // Measures' own fields.
    int8_t bar_gap;          // pixels between histogram bars
    double entropy_before;   // the last step's input entropy, 0 to 1: its trace's column
                             // is taken where the side plot stands now, which a cell
                             // size or a network size changed moves
    int16_t diff_x, diff_y;  // origin of the 2d damage display's difference pattern
};

// ae: entropy data of rule samples.
struct entropy_data {
    int16_t sample_size;     // runs per rule of an entropy sample, 5
    uint8_t no_display;      // 1: the measures run without a drawn pattern
    float *edata;            // entropy of each recorded step ("ae.edata")
    uint32_t count;          // rules sampled so far
    uint8_t mode;            // 0 no sample, 1 test sample, 2 automatic sample
    uint8_t file_chosen;     // each sampled rule is appended to the statistics file
    uint8_t pause;           // pause after each rule of an automatic sample
    // Measures' own fields.
    int16_t sample_no;       // runs finished for the current rule
    entropy_moments avg;     // running means of the figures over the runs of the rule
};

// sk: frozen skeletons and attractor types.
struct skeleton_record {
    attractor_type_table attractors; // the attractor types of the attractor histogram
    skeleton_type_table skeletons;   // the skeleton types of the skeleton histogram
    uint8_t *frozen_buff;       // frozen cells of the current step, one bit per cell
    uint8_t *ref_buff;          // skeleton when the current stable stretch began
    uint8_t kind;               // 0 "0s only", 1 "1s only", 2 "0s or 1s"
    uint32_t frozen_top;        // cells frozen at v-1 in the current step
    uint32_t frozen_other;      // cells frozen at another value
    float pc_frozen;            // "% frozen", 100.0 by default
    float pc_same_type;         // "% same type", 100.0 by default
    uint8_t **rules;            // the run's rules, which the attractors' jump graph steps
};

// dp: damage spread and histogram settings. Counts, samples and damages
// are 32 bits wide: a long statistics run passes 65,535 samples.
struct damage_record {
    uint8_t hist_options;       // pause: 1 stops after each histogram update at
                                // the options prompt; cleared by 'u'
    char mode;                  // 'b' damage binned by percent, 'n' actual sizes
    uint32_t *damage_buf;       // the histogram counts ("dp->damage_buf")
    uint32_t counts_last;       // last column damage_buf holds (its entries - 1)
    uint32_t sample;            // the current sample (random seed)
    uint32_t damage;            // cells damaged now; in type histograms the type to show
    uint32_t previous_damage;   // the damage of the step before
    uint32_t y_extent;          // counts spanned by the y axis
    uint32_t columns;           // cut-off size, bins or type columns shown
    uint32_t delay;             // time-steps before the damage counts
    uint32_t same_run;          // consecutive steps with unchanged damage (or skeleton)
    uint32_t largest;           // largest cut-off
    uint32_t smallest;          // fewest bins
    uint32_t skeleton_length;   // steps of equal damage (skeleton length) ending a sample
    uint32_t types;             // types found so far
    int16_t x0, top, y0;        // plot area
    int16_t laid_out_maxy;      // the drawing area's height the plot area was
                                // laid out for (0: not yet)
    double x_scale, y_scale, height, width;
    float damage_percent;
    uint8_t log_x, log_y;       // the log-2 views of the axes in force
    uint8_t x_rescaled;         // the x axis changed since the last drawing
    char caption[64];           // title suffix " (%s) g/s/sp/tp %d %d %.1f %.1f"
};
