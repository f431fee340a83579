// STAND-IN until the pause and options box is built: it offers only what a
// run needs to go on or end. It shows one prompt line and reads a one-key
// entry: 'q' leaves 'q' in is[0] and returns 1 (back: the run ends); Return
// (or a key and Return) returns 0 and the run goes on. Reads the screen
// layer only. revise_various_stp_settings is a stand-in as well: it
// re-makes the pattern pixmap and the frames (space_time_display.h) and
// leaves the lookup histogram's box to the measures.
#include "ui/forward/pause_box.h"

#include "engine/forward/globals.h"
#include "ui/forward/space_time_display.h"
#include "ui/measures/run_records.h"

#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"

int
interrupt_stp_box(int, uint8_t *, uint32_t, const uint8_t *, int)
{
    int16_t x = getx, y = gety;
    get_prompt_box(9, 1);
    draw_prompt_box(1);
    outtext("pause: end-q, cont-ret:");
    input_string(1, 0);
    putimage(Maxx / 2, 2, &boximage_prompt[9], 3);
    freeimage(&boximage_prompt[9]);
    moveto(x, y);
    return is[0] == 'q' ? 1 : 0;
}

void
revise_various_stp_settings(entropy_graph *eg, run_iteration *it)
{
    float side = 0;
    if (stpgraph && stp)
        side = eg->plot_on ? eg->w1 : eg->w2;
    int16_t x = getx, y = gety;
    make_pattern_pixmap(it, d_mode == display_1d ? static_cast<int>(side) : 0);
    setup_pattern_frames(eg, it, side);
    if (d_mode == display_2d)
        draw_2d_frame(eg, it);
    if (side > 0)
        draw_stpframe(eg->x0, side);
    moveto(x, y);
    if (scrolling && nowscrolling) {
        moveto(0, Maxy);
        nowscrolling = 0;
    }
}
