// STAND-IN until the pause and options box is built: it offers only what a
// run needs to go on or end. It shows one prompt line and reads a one-key
// entry: 'q' leaves 'q' in is[0] and returns 1 (back: the run ends); Return
// (or a key and Return) returns 0 and the run goes on. Reads the screen
// layer only.
#include "ui/forward/pause_box.h"

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
