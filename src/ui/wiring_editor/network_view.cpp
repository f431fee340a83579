// The network view: a three-line prompt naming the network (its dimension,
// size and rule kind) with the keys of the review tools: the network graph
// ('g', graphs/), the hand wiring matrix ('m') and the wiring listing ('M',
// with 'p' also on standard error, wiring/), and the 1d wiring graph editor
// in its time-step ('1') and circle ('c') layouts (editor_1d.h), and the
// 2d and 3d editor ('2' for any network, '3' for a 3d one, editor_2d_3d.h).
// Reads the rule figures and readout (model/).
#include "ui/wiring_editor/network_view.h"

#include <cstdio>
#include <string>
#include <vector>

#include "engine/graphs/globals.h"
#include "engine/model/globals.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/out_degrees.h"
#include "ui/graphs/meta_graph.h"
#include "ui/model/rule_parameters.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/prompt_font.h"
#include "ui/storage/globals.h"
#include "ui/wiring/hand_matrix.h"
#include "ui/wiring/wiring_listing.h"
#include "ui/wiring_editor/editor_1d.h"
#include "ui/wiring_editor/editor_2d_3d.h"
#include "ui/wiring_editor/fitting_prompt.h"
#include "ui/wiring_editor/graphics_1d.h"

namespace {

// The rule box, when every cell shares one rule and the rules are set.
void
show_rule_of_network()
{
    if (rulemix || !rules_set)
        return;
    if (tot_only) {
        show_rule_bottom(nhood, 0, nullptr, 0);
        return;
    }
    if (value_range == 2)
        z_parameter_all(nhood, 0, carule[0]);
    else
        z_parameter_all_mvalue(nhood, 0, carule[0]);
    show_rule_bottom(nhood, 0, carule[0], 0);
}

// The first prompt line: dimension, size and what can be reviewed.
std::string
heading()
{
    char size[48];
    int dimension = 1;
    if (threed) {
        dimension = 3;
        snprintf(size, sizeof size, "%dx%dx%d", i3d, j3d, h3d);
    } else if (twod) {
        dimension = 2;
        snprintf(size, sizeof size, hex2d ? "%dx%d hex" : "%dx%d", i2d, j2d);
    } else {
        snprintf(size, sizeof size, "n=%d", lineL);
    }
    const char *kind = totalistic == rule_kind_tcodes   ? "tcode"
                       : totalistic == rule_kind_kcodes ? "kcode"
                                                        : "rule";
    if (rules_set)
        snprintf(textb[0], 150, "%dd network (%s), review/revise/learn, wiring and %s",
                 dimension, size, kind);
    else
        snprintf(textb[0], 150, "%dd network (%s), review/revise, wiring only - rules not set",
                 dimension, size);
    return textb[0];
}

// Back to the screen the view was opened from, the text column where it
// was. A network of mixed rules shows no rule box: one a tool drew for a
// cell (the 1d editor's) goes, or the screen below (a field going on to
// its next basin) is drawn over its texts.
void
leave_view(int16_t x, int16_t y)
{
    if (rulemix || !rules_set)
        clear_standing_rule_bottom();
    moveto(x, y);
}

} // namespace

void
show_w_r_scheme()
{
    int16_t x = getx, y = gety;
    show_rule_of_network();
    for (;;) {
        get_prompt_box(2, 3);
        int len = 0;
        {
            const std::vector<std::string> lines = {heading(), "graph-g, matrix: revise-m, view-M printxterm +p",
                                                    threed ? "graphic: 1d+timestep-1 circle-c, 2d+3d-3:"
                                                           : "graphic: 1d+timestep-1 circle-c, 2d-2:"};
            // In the medium font where a box of three lines would reach the
            // set-up's first line (a short window).
            prompt_font font({lines[0], lines[1], with_widest_entry(lines[2], 2)});
            draw_fitting_prompt(lines);
            len = input_string(2, text_entry);
        }
        putimage(Maxx / 2, 2, &boximage_prompt[2], 3);
        freeimage(&boximage_prompt[2]);
        if (is[0] == 'q' || is[0] == kKeyReturn) {
            leave_view(x, y);
            return;
        }
        cell_out_freq();
        if (is[0] == 'g') {
            // The graph is left only with 'q' (or refused, or stopped with
            // 'q' while it counts): each brings the review back.
            meta_graph_table(0, nullptr, graph_network);
            is[0] = 'q';
        } else if (is[0] == '1') {
            show_graphic_wiring_1d(layout_time_step, rules_set);
        } else if (is[0] == 'c') {
            show_graphic_wiring_1d(layout_circle, rules_set);
        } else if (is[0] == '2' || (is[0] == '3' && threed)) {
            show_graphic_wiring_2d_3d(rules_set);
        } else if (is[0] == 'm') {
            whatwire = whatwire_hand;
            nonlocal = 1;
            compress_1d_local = 0;
            wiring_matrix();
        } else if (is[0] == 'M') {
            bool copy = len > 1 && is[1] == 'p';
            print_wiring_scheme(0, 0, 0, L, copy ? 1 : 0);
        }
        if (is[0] != 'q') {
            leave_view(x, y);
            return;
        }
    }
}
