// Stand-in until the seed dialog is built: a one-line prompt names the state
// being set; 'q' backs out, any other answer gives every cell a random value.
#include "ui/rules/seed_dialog.h"

#include <cstdio>
#include <cstdlib>

#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"

int16_t
select_seed(int mode, uint8_t *state, const char *label, int restore)
{
    if (mode == 1)
        return 2;
    int16_t x = getx, y = gety;
    if (restore)
        get_prompt_box(4, 1);
    draw_prompt_box(1);
    snprintf(textb[0], 150, "%s: random-ret:", label);
    outtext(textb[0]);
    input_string(1, 0);
    if (restore) {
        putimage(Maxx / 2, 2, &boximage_prompt[4], 3);
        freeimage(&boximage_prompt[4]);
    } else {
        erase_prompt_box(1);
    }
    moveto(x, y);
    if (is[0] == 'q')
        return 2;
    for (uint32_t c = 0; c < lineL; c++)
        set_value(state, c, static_cast<int>(random() % value_range));
    return 2;
}
