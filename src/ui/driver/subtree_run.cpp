// The subtree run (upstream_only, declared in run_drivers.h): the tree of
// every pre-image of the seed, or of the state stepforward steps on, built
// by run_backward; the trees of the rotation-equivalent segments summed when
// the root's fan was compressed; the report in the prompt box, standard
// error and the data file. In neutral-order mode the root is an update
// order's rank and the tree is the order's component of neutral swaps:
// alone from the single loop (the run switches to the order space itself),
// or counted into the field totals and the component table when the basin
// field scans the orders. Start at upstream_only.
#include <sys/time.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/backward/acceptance.h"
#include "engine/backward/basin_totals.h"
#include "engine/backward/globals.h"
#include "engine/backward/preimage_method.h"
#include "engine/backward/neutral_buffers.h"
#include "engine/backward/neutral_components.h"
#include "engine/backward/preimages_general.h"
#include "engine/backward/successor_table.h"
#include "engine/backward/tree_data_lines.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"
#include "ui/backward/draw_basin.h"
#include "ui/backward/fan_drawing.h"
#include "ui/backward/globals.h"
#include "ui/backward/layout_settings.h"
#include "ui/backward/ppstack_hist.h"
#include "ui/backward/run_backward.h"
#include "ui/backward/statespace_matrix.h"
#include "ui/backward/successor_pairs.h"
#include "ui/driver/options_box.h"
#include "ui/driver/run_drivers.h"
#include "ui/forward/run_forward.h"
#include "ui/model/cell_display.h"
#include "ui/model/rule_readout.h"
#include "ui/rules/hex_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/status_prompt.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window.h"
#include "ui/storage/data_lines.h"
#include "ui/string_editors/seed_dialog.h"

namespace {

// The single component run's switch to the order space and its root order;
// false when there is no run (more than 12 cells, or 'q' at the seed).
bool
enter_order_space()
{
    if (mouse_found)
        show_rule_bottom(nhood, 1, carule[0], 0);
    if (!reset_neutral_buffs()) {
        neutral_order = 0;
        is[0] = 'q';
        return false;
    }
    if (mouse_found) {
        char title[48];
        snprintf(title, sizeof title, "order seed, max=%lu ", static_cast<unsigned long>(statespace));
        moveto(vgax(200), vgay(315));
        select_seed(0, bitseed, title, 1);
        if (is[0] == 'q') {
            restore_network_buffs();
            return false;
        }
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
    }
    tickspace = statespace;
    tickoff = static_cast<uint8_t *>(
        checked_calloc(static_cast<size_t>(tickspace) / 8 + 1, 1, "tickoff"));
    return true;
}

// The end of a single component run: back to the network.
void
leave_order_space()
{
    checked_free(tickoff);
    tickoff = nullptr;
    restore_network_buffs();
}

// A component of a neutral field into the field totals and the table.
void
count_component(uint32_t g)
{
    fieldsize += totsubtree;
    totbasinsinfield++;
    fieldgofE += g;
    if (fieldsize)
        fieldgofEdensity = static_cast<float>(fieldgofE) / static_cast<float>(fieldsize);
    add_component_type(totsubtree);
}

void
keep_going_unless_demo()
{
    if (!screensavedemo)
        mutantdontpause = 0;
}

// The root drawn as a 2d pattern in yellow at the basin cursor.
void
show_root()
{
    int16_t x = getx, y = gety;
    moveto(ox, oy);
    hilight_learn = hilight_frame;
    print_current_state_twod(this_firstseed, yellow);
    hilight_learn = hilight_off;
    moveto(x, y);
}

// The segment trees of a compressed root fan into the totals; r takes the
// first segment tree's meeting with the root.
void
sum_segment_trees(uint32_t &g, uint8_t &r)
{
    const char *header = "   tree. root  no  s  g  gd  ml  mp\n";
    if (pdata == data_basins_and_trees)
        print_out(header);
    if (filedata == data_basins_and_trees)
        save_data(header);
    insegloop = 1;
    segfan = 0;
    totsubtree = 0;
    for (segindex = 1; segindex <= segno; segindex++) {
        memcpy(firstseed, segseed[segindex], bytesL);
        startsegfan = 1;
        run_backward();
        if (!r)
            r = isrepeat;
        if (is[0] == 'q') {
            earlyexit = 1;
            keep_going_unless_demo();
            break;
        }
        if (is[0] == 'n') {
            earlyexit = 1;
            continue;
        }
        uint32_t m = regular2d ? static_cast<uint32_t>(seg_2d_h[segindex]) * seg_2d_v[segindex]
                               : seg[segindex];
        totsubtree += m * treesize;
        g += m * gofEno;
    }
    insegloop = 0;
    checked_free(segx);
    checked_free(segy);
    segx = segy = nullptr;
    totsubtree += justonepreimage ? 2 : 1;
}

// The report: prompt box, standard error and data file.
void
report_subtree(uint32_t g, uint8_t r, const timeval &start)
{
    std::string prefix = earlyexit ? "EARLY EXIT part " : "";
    if (earlyexit) {
        maxtreelevel = level;
        keep_going_unless_demo();
        // A neutral field's summary says so too, as it does for a basin cut
        // short: its count of components then holds the pieces of this one.
        earlyexitbasin = 1;
    }
    if (level_limit_reached)
        prefix += "LEVEL LIMIT "; // a tree cut at the level limit is not complete
    char text[120];
    const char *format = neutral_order ? "%scomponent size=%lu "
                         : r             ? "%ssubtree=basin=%lu "
                                         : "%ssubtree=%lu ";
    snprintf(text, sizeof text, format, prefix.c_str(), static_cast<unsigned long>(totsubtree));
    std::string line = std::string(text) + "root(hex)=";
    char totals_text[120];
    snprintf(totals_text, sizeof totals_text, "g=%lu=%.3g ml=%u mp=%lu",
             static_cast<unsigned long>(g), totsubgofEdensity, maxtreelevel,
             static_cast<unsigned long>(maxtreefan));
    // The outputs take the totals on a line of their own and a blank line
    // after, the report composed whole so that the data file takes it in
    // one append; the screen shows it without the line ends, which the font
    // would draw as boxes.
    std::string report = line + state_hex(this_firstseed) + "\n" + totals_text + "\n\n";
    if (pdata)
        print_out(report.c_str());
    if (filedata)
        save_data(report.c_str());
    if (mouse_found) {
        int16_t x = getx, y = gety;
        int colour = getcolor();
        std::string totals = totals_text;
        if (!earlyexitfield)
            totals += format_elapsed_since(start);
        // The box keeps the normal font's height whatever font its lines
        // take, so that it covers the box of the component before whole;
        // a one-line box after it (the field's count check) clears it whole.
        int16_t margin = replace_prompt_box(2);
        int top = gety;
        {
            prompt_font font({line + hex_bytes_within(this_firstseed, bytesL, INT_MAX), totals});
            int right = margin + prompt_box_text_room();
            // The root's bytes end in "..." where the line is longer than
            // the box (a large network, or an early exit's longer head).
            int room = right - margin - text_width_in_use(line.c_str());
            setcolor(white);
            text_line(margin, right, top, line + hex_bytes_within(this_firstseed, bytesL, room));
            text_line(margin, right, top + font.height_before(), totals);
        }
        setcolor(colour);
        moveto(x, y);
    }
}

// The data pause after a subtree: in a field (a component of the
// neutral-order field) 'a' revises the layout and then opens the options
// box, 'o' opens it directly; in a size range only 'o' leads to the options
// box, and at the last size the box opens unasked.
void
data_pause()
{
    if (!datapause || (basinfield ? !mouse_found : !rangeL))
        return;
    if (!basinfield && lineL == endL) {
        finish_options(1);
        return;
    }
    status_box_key_prompt("options-o layout-a:");
    bool revise = basinfield && is[0] == 'a';
    if (revise)
        amend_layout();
    if (revise || is[0] == 'o')
        finish_options(1);
}

} // namespace

void
upstream_only()
{
    timeval start;
    gettimeofday(&start, nullptr);
    const bool single_component = neutral_order && !basinfield;
    if (single_component && !enter_order_space())
        return;
    justonepreimage_found = 0;
    if (exhaustive_testing) {
        prestate_successor_pairs();
        if (is[0] == 'q') {
            keep_going_unless_demo();
            if (single_component)
                leave_order_space();
            return;
        }
    } else if (general_method_needed()) {
        prepair_pre_rand();
    }
    if (show_ss_matrix && mouse_found)
        show_statespace_matrix(nullptr);
    isexception = 0;
    totatt_states = 0;
    totsubgofEdensity = 0;
    totsubtree = 0;
    cyclematch = 0;
    maxtreefan = 0;
    attperiod = 0;
    memcpy(A, bitseed, bytesL);
    // An order rank is no network state: it is its own root, never run on.
    if (stepforward && !neutral_order)
        run_forward(carule);
    memcpy(firstseed, A, bytesL);
    memcpy(this_firstseed, A, bytesL);
    linec = black;
    justonepreimage = 0;
    maxtreelevel = 0;
    insegloop = 0;
    if (run_draws_rule_box())
        show_rule_bottom(nhood, 1, carule[0], 0);
    earlyexit = 0;
    if (show_one_att_state && mouse_found)
        show_root();
    if (neutral_order && tickoff) {
        uint32_t root = dec_equiv(this_firstseed, L);
        if (root <= tickspace)
            set_bitlong(tickoff, root, 1);
    }
    // The tree keeps off the boxes standing over the field, as a basin does.
    start_basin_area();
    run_backward();
    uint8_t r = isrepeat;
    uint32_t g = 0;
    if (!segfan) {
        if (is[0] == 'q') {
            earlyexit = 1;
            keep_going_unless_demo();
        }
        totsubtree = treesize;
        g = gofEno;
    } else {
        sum_segment_trees(g, r);
    }
    write_node_labels();
    if (r && g)
        g--;
    if (exhaustive_testing)
        free_successor_table();
    else if (general_method_needed())
        free_pre_rand();
    free_segment_list();
    totsubgofEdensity = totsubtree ? static_cast<float>(g) / static_cast<float>(totsubtree) : 0;
    if (neutral_order && mouse_found)
        putpixel(ox, oy, white);
    else if (show_one_att_state && mouse_found)
        show_root();
    end_basin_clip();
    report_subtree(g, r, start);
    if (neutral_order && basinfield)
        count_component(g);
    if (see_ppstack && (nonlocal || nhood_mixed))
        show_average_pp_hist();
    data_pause();
    if (single_component)
        leave_order_space();
    if (mouse_found)
        event_ready(); // one pending key is discarded
}
