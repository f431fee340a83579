// The on-the-fly key index (key_panel.h): a framed panel at the bottom right
// listing the keys of a running pattern under their group headings, each
// toggle showing its state in force first. Reads the run records and the
// rule, wiring, display and measure globals; only draws. Start at
// interrupt_key_index; each group is one helper below.
#include "ui/forward/key_panel.h"

#include <cstdio>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/wiring/globals.h"
#include "ui/measures/globals.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

// The pen of the panel: one line per entry at the panel's left margin.
struct panel_pen {
    int x;
    int y;
    void heading(const char *text)
    {
        setcolor(lightred);
        write(text);
    }
    void entry(const char *text)
    {
        setcolor(white);
        write(text);
    }
    void write(const char *text)
    {
        moveto(x, y);
        outtext(text);
        y += CHeight;
    }
};

void
updating_group(panel_pen &p, const run_iteration *it)
{
    p.heading("  updating");
    char text[64];
    snprintf(text, sizeof text, "U/Y..tog:%s%s", it->run_seq_update ? "seq-sync/" : "sync-seq/",
             it->run_p_order ? "porder-sync" : "sync-porder");
    p.entry(text);
}

void
rule_group(panel_pen &p, const run_iteration *it)
{
    p.heading("  change rule");
    if (!tot_only)
        p.entry("r/K/k..rnd rule/tcode/kcode");
    else
        p.entry(totalistic == rule_kind_tcodes ? "r..rnd tcode" : "r..rnd kcode");
    if (!tot_only)
        p.entry("[/]..sym/legal");
    if (!tot_only)
        p.entry("O/A/M/C..Orig/Alt/Maj/Chain");
    else
        p.entry(totalistic == rule_kind_tcodes ? "O/M..Orig/Maj" : "O/A/M..Orig/Alt/Maj");
    p.entry("1/2..rnd bitflip/restore");
    if (!rulemix && !tot_only)
        p.entry("Z/z..force Z higher/lower");
    p.entry("B..flip allv->v");
    if (rulemix)
        p.entry(it->one_rule ? "8..single-rulemix" : "8..rulemix-single");
}

void
sample_group(panel_pen &p, const entropy_graph *eg)
{
    p.heading("  rule samples");
    p.entry(glider_rule_order == -1 ? "g..load glider rule (rnd)" : "g..load glider rule (seq)");
    p.entry("V..load,jmp,scan");
    p.entry("w/9..next/rnd");
    p.entry(eg->ed_plot ? "E..create sample" : "uE..create sample");
}

void
wiring_and_seed_groups(panel_pen &p)
{
    char text[64];
    if (!loc_twod_fonly) {
        p.heading("  change wiring");
        snprintf(text, sizeof text, "m/W..move %lu wires/revise",
                 static_cast<unsigned long>(wires_to_move));
        p.entry(text);
        p.entry(wiring_madelocal ? "7..local-nonlocal" : "7..nonlocal-local");
    }
    p.heading("  change seed/size");
    p.entry("4/v/o..rnd seed/block/orig");
    p.entry("l/L..rnd value/block flip");
    p.entry("5/6..singleton pos/neg");
    if (!twod && !threed)
        p.entry("i/d..inc/decrease 1 cell");
}

void
presentation_group(panel_pen &p, const run_iteration *it)
{
    char text[64];
    p.heading("  presentation");
    if (direction == direction_forward && limitcheck == 0 && stp && !nhood_mixed) {
        if (oned && d_mode == display_1d)
            p.entry(it->half_shift ? "x..tog slant(on)" : "x..tog slant(off)");
        else if (twod && d_mode == display_2d)
            p.entry(it->half_shift ? "x..tog hex(on)" : "x..tog hex(off)");
    }
    if (it->disc_cells)
        p.entry(it->big_cells ? "i..tog divs(on)" : "i..tog divs(off)");
    p.entry("S..tog space-time display");
    snprintf(text, sizeof text, "P..tog skip steps=%d (%s)", time_skip, it->skip_on ? "on" : "off");
    p.entry(text);
    p.entry(d_mode >= display_2d_time ? "3..tog color" : "3/./b..tog color cell/dot/bground");
    if (value_range == 2)
        p.entry(bground == 'w' ? "R/^..colors:shuffle/black-blue"
                               : "R/^..colors:shuffle/white-yellow");
    else
        p.entry("R..shuffle colors");
    if (graph_layout == 1)
        p.entry("@..tog cell outline");
    p.entry("e/c..exp/contr scale");
}

void
dimension_group(panel_pen &p)
{
    if (diff_plot)
        return;
    p.heading("  1d 2d 3d");
    if (d_mode == display_2d)
        p.entry("t..tog 2d-2d+time");
    else if (d_mode == display_2d_time)
        p.entry("t..tog 2d+time-2d");
    if (d_mode == display_1d)
        p.entry("T..tog 1d-2d-3d");
    else if (d_mode == display_2d)
        p.entry("T..tog 2d-3d-1d");
    else if (d_mode == display_3d)
        p.entry("T..tog 3d-1d-2d");
    if (d_mode == display_2d && scrolling)
        p.entry("p/I/J..plane/balls/invisible");
    else if (d_mode == display_2d_time)
        p.entry("p/I..plane/balls");
    else if (d_mode == display_3d)
        p.entry("I..tog balls");
}

void
frozen_group(panel_pen &p, const run_iteration *it)
{
    static const char *const kModes[4] = {"h..nor-f1-f2-bin", "h..f1-f2-bin-nor",
                                          "h..f2-bin-nor-f1", "h..bin-nor-f1-f2"};
    char text[64];
    p.heading("  frozen/filter");
    p.entry(kModes[it->frozen_mode & 3]);
    snprintf(text, sizeof text, "H..f-gens(%d)/bins(%d)", frozen_gens, num_bin_bound + 1);
    p.entry(text);
    if (diff_plot) {
        snprintf(text, sizeof text, "=..tog diff(%s):",
                 diff_plot == diff_plot_keep ? "damage set" : "damage not set");
        p.entry(text);
    }
    if (stpgraph)
        p.entry("f/F/a..filter/undo/all");
}

void
analysis_group(panel_pen &p, const entropy_graph *eg)
{
    static const char *const kKinds[3] = {"j..tog ent-fuz-both", "j..tog fuz-both-ent",
                                          "j..tog both-ent-fuz"};
    char text[64];
    p.heading("  analysis");
    if (stpgraph) {
        if (eg->hist_mode) {
            p.entry("s..tog entropy-density");
            p.entry(kKinds[eg->ent_kind % 3]);
        } else if (stpgraph == stpgraph_density) {
            p.entry("s..tog density-entropy");
        }
        if (stpgraph > 1)
            p.entry(eg->hist_mode == 2 ? "%..tog graph-hist" : "%..tog hist-graph");
        if (eg->hist_mode == 1)
            p.entry("u..entropy/density plot");
        if (!single_entropy)
            snprintf(text, sizeof text, "G..a-gens (now %d)", gens);
        else if (twod)
            snprintf(text, sizeof text, "G..a-gens=%d pos=%d,%d", gens, entropy_poss % i2d,
                     entropy_poss / i2d);
        else if (threed)
            snprintf(text, sizeof text, "G..a-gens=%d pos=%d,%d,%d", gens, entropy_poss % i3d,
                     (entropy_poss / i3d) % j3d, entropy_poss / (i3d * j3d));
        else
            snprintf(text, sizeof text, "G..a-gens=%d pos=%d", gens, entropy_poss);
        p.entry(text);
    }
    p.entry("D..return map");
    p.entry("y..state-space matrix");
}

void
miscellaneous_group(panel_pen &p)
{
    char text[64];
    p.heading("  miscellaneous");
    p.entry("X..index display");
    snprintf(text, sizeof text, "*..tog end pause (%s)", stppause ? "on" : "off");
    p.entry(text);
    if (d_mode >= display_1d && d_mode <= display_2d_time) {
        snprintf(text, sizeof text, "#..tog scrolling (%s)", scrolling ? "on" : "off");
        p.entry(text);
    }
    p.entry("+..tog time-step pause");
    p.entry("</>..slow/max speed");
    p.entry("q/Q..pause/no-options");
}

} // namespace

void
interrupt_key_index(entropy_graph *eg, run_iteration *it)
{
    int16_t x = getx, y = gety;
    int colour = getcolor();
    int16_t width = CWidth, height = CHeight;
    set_medium_font();
    const int left = Maxx - vgax(130);
    draw_box(-1, left - 3, Maxy - vgay(424), Maxx - 2, Maxy - 2, 1, 0);
    panel_pen p{left, Maxy - vgay(424) + 2};
    setcolor(lightred);
    if (!tot_only)
        p.write("on-the-fly key index");
    else
        p.write(totalistic == rule_kind_tcodes ? "on-the-fly key index: tcode only"
                                               : "on-the-fly key index: kcode only");
    moveto(left - 3, p.y);
    lineto(Maxx - 2, p.y);
    p.y += 2;
    updating_group(p, it);
    rule_group(p, it);
    sample_group(p, eg);
    wiring_and_seed_groups(p);
    presentation_group(p, it);
    dimension_group(p);
    frozen_group(p, it);
    analysis_group(p, eg);
    miscellaneous_group(p);
    restore_def_font();
    CWidth = width;
    CHeight = height;
    setcolor(colour);
    moveto(x, y);
    onthefly_box_erased = 0;
}
