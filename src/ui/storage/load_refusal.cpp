// The refusal message of the file loaders (load_refusal.h). Reads the
// screen layer's boxes and text entry; start at show_refusal.
#include "ui/storage/load_refusal.h"

#include <cstdio>

#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"

void
show_refusal(const char *text, refusal_place where)
{
    if (!mouse_found) {
        fprintf(stderr, "%s\n", text);
        return;
    }
    int16_t x = getx, y = gety;
    if (where != refusal_place::at_point)
        draw_prompt_box(1);
    outtext(text);
    input_string(0, 1);
    if (where == refusal_place::box_erased)
        erase_prompt_box(1);
    moveto(x, y);
}
