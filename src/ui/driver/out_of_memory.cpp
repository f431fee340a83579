// The fatal out-of-memory box: the one response to a failed allocation. The
// user may print or save the screen as often as wanted, or open the rule
// options, before the program ends with status 1. Reads the network's rule
// globals (model/) for the rule options. Start-up registers outof_memory as
// the allocator's handler of failed allocations.
#include "ui/driver/out_of_memory.h"

#include <cstdio>
#include <cstdlib>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "ui/forward/pause_box.h"
#include "ui/model/rule_parameters.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/print_window.h"
#include "ui/screen/window.h"
#include "ui/storage/screen_image_file.h"

namespace {

void
draw_out_of_memory_box(const char *what)
{
    draw_box(-1, 2, 2, 52 * CWidth, 3 * CHeight + vgay(6), 1, 0);
    char line[160];
    snprintf(line, sizeof line, " not enough memory for %s", what);
    moveto(3, 3);
    outtext(line);
    moveto(3, 3 + CHeight);
    outtext(" image:print/save-p/s, options-o");
    moveto(3, 3 + 2 * CHeight);
    outtext(" return to Exit");
}

// The rule options exist only with one rule table for every cell; in the
// totalistic forward-only mode there is no rule table at all.
bool
rule_options_available()
{
    return nhood != 0 && !rulemix && !tot_only && carule && carule[0];
}

} // namespace

void
outof_memory(const char *what)
{
    if (!window_is_open() || !is) {
        fprintf(stderr, " not enough memory for %s\n", what);
        exit(1);
    }
    setcolor(white);
    int16_t x = getx, y = gety;
    for (;;) {
        draw_out_of_memory_box(what);
        input_string(1, text_entry);
        if (is[0] == 'p') {
            if (!stp) {
                setcolor(red);
                rectangle(0, 0, getmaxx(), getmaxy());
                setcolor(white);
            }
            printimage();
        } else if (is[0] == 's') {
            save_screen();
        } else {
            break;
        }
    }
    if (is[0] == 'o' && rule_options_available()) {
        interrupt_stp_box(2, carule[0], 0, 0, 0);
        if (!rulemix) {
            if (value_range == 2)
                z_parameter_all(nhood, 0, carule[0]);
            else
                z_parameter_all_mvalue(nhood, 0, carule[0]);
            show_rule_bottom(nhood, 0, carule[0], 0);
        }
    }
    moveto(x, y);
    exit(1);
}

int
final_quit()
{
    if (is[0] != 'q')
        return 1;
    if (nowscrolling == 1) {
        freeimage(&stpimage);
        nowscrolling = 0;
    }
    outof_memory("?");
}
