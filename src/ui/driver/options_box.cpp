// The options box after a display: print, save or load the window, the
// graphics settings, the network view, the running-pattern options, the
// space-time pattern switch, a new seed, or the switch between single and
// field runs. Every pass saves the region under the box and puts it back,
// so the display behind stays intact. Reads the run settings (forward/,
// driver/) and calls the dialogs of the other folders.
#include "ui/driver/options_box.h"

#include <algorithm>
#include <cstring>

#include "engine/backward/globals.h"
#include "engine/forward/forward_step.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/wiring/globals.h"
#include "ui/driver/globals.h"
#include "ui/forward/pause_box.h"
#include "ui/forward/run_forward.h"
#include "ui/model/cell_display.h"
#include "ui/model/rule_parameters.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/graphics_menu.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/print_window.h"
#include "ui/screen/window.h"
#include "ui/screen/window_record.h"
#include "ui/storage/screen_image_file.h"
#include "ui/string_editors/seed_dialog.h"
#include "ui/wiring_editor/network_view.h"

namespace {

// Draws the options box under the title strip, naming the keys the run
// settings allow, and reads one key; the key is left in is[0].
int
finish_options_box(int graphics)
{
    draw_bottom_title(0);
    const char *first = graphics ? "graphics-g image:prt/save/load-p/s/l ops-o"
                                 : "image:prt/save/load-p/s/l";
    // The box's lines start at its text margin, as far below its top frame.
    const int top = 2 + box_text_inset();
    int end = 2 + box_text_inset() + text_pixel_width(first, static_cast<int>(strlen(first)));
    int lines = graphics ? 3 : 2;
    const int margin = draw_box(1, 2, 2, end + CWidth, top + lines * CHeight + vgay(5), 1, 0);

    const char *middle = "seed-e";
    if (limitcheck && direction == direction_forward && basinfield)
        middle = "toggle:field-single-t STP-P";
    else if ((limitcheck && direction == direction_forward) || direction == direction_backward)
        middle = "toggle:single-field-t STP-P, seed-e";
    const char *last = loc_twod_fonly || !graphics ? "back-q cont-ret:"
                                                   : "net-n back-q cont-ret:";
    moveto(margin, top);
    outtext(first);
    if (graphics) {
        moveto(margin, gety + CHeight);
        outtext(middle);
    }
    moveto(margin, gety + CHeight);
    outtext(last);
    return input_string(1, text_entry);
}

void
restore_under_box()
{
    setviewport(0, 0, Maxx, Maxy, 1);
    putimage(2, 2, &boximage[1], 3);
    freeimage(&boximage[1]);
}

// The running-pattern options box on rule 0, then the rule's figures and
// readout afresh; the box's last key is left in is[0].
void
running_pattern_options()
{
    if (nhood == 0)
        return;
    interrupt_stp_box(2, rules_of_network()[0], 0, nullptr, 0);
    char key = is[0];
    if (!tot_only && !rulemix) {
        if (value_range == 2)
            z_parameter_all(nhood, 0, carule[0]);
        else
            z_parameter_all_mvalue(nhood, 0, carule[0]);
        show_rule_bottom(nhood, 0, carule[0], 0);
    }
    is[0] = key;
}

// Waits, taking key presses only, for 'q' or Return (a loaded image stays),
// with a hint in the bottom strip saying so, placed so that the hint and
// the blinking block after it end inside the window.
void
wait_q_or_return()
{
    const char *hint = "loaded image: options-q/ret";
    int width = text_pixel_width(hint, static_cast<int>(strlen(hint)));
    int x = std::min<int>(vgax(500), Maxx - width - 5 * CWidth);
    draw_hint_box(0, 0, hint, x);
    keep_point();
    setviewport(0, 0, Maxx, WinMaxy, 1);
    for (;;) {
        moveto(x + 2 * CWidth + width, Maxy + vgax(3));
        input_string(1, single_key_entry);
        if (is[0] == 'q' || is[0] == kKeyReturn)
            break;
    }
    setviewport(0, 0, Maxx, Maxy, 1);
    put_back_point();
}

} // namespace

void
finish_options(int flag)
{
    int16_t x = getx, y = gety;
    for (;;) {
        moveto(0, 0);
        finish_options_box(flag);
        char key = is[0];
        if (key == 'g') {
            freeimage(&boximage[1]);
            if (flag) {
                revise_graphics();
                setup_value_colors(0);
            }
            continue;
        }
        restore_under_box();
        switch (key) {
        case 'p':
            if (!stp) {
                setcolor(red);
                rectangle(0, 0, getmaxx(), getmaxy());
                setcolor(white);
            }
            printimage();
            continue;
        case 's':
            save_screen();
            continue;
        case 'l':
            load_screen();
            wait_q_or_return();
            continue;
        case 'n':
            if (flag && !loc_twod_fonly)
                show_w_r_scheme();
            continue;
        case 'o':
            if (!flag)
                break;
            running_pattern_options();
            if (is[0] == 'q' && !forward_only_run())
                continue;
            moveto(x, y);
            return;
        case 't':
            if (flag)
                toggle_single_field = 1;
            break;
        case 'P':
            if (flag && !forward_only_run())
                stp = static_cast<uint8_t>(stp == 0 ? 1 : stp - 1);
            break;
        case 'e':
            if (flag && !basinfield) {
                moveto(vgax(200), vgay(315));
                select_seed(0, bitseed, "SEED", 1);
                memcpy(A, bitseed, bytesL);
            }
            break;
        case 'q':
            diff_plot = diff_plot_off;
            break;
        default:
            break;
        }
        is[0] = key;
        moveto(x, y);
        return;
    }
}
