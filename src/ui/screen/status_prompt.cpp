// The one-key question in the status box (status_prompt.h). The status box
// lies between the window's third and the prompt box, which holds the
// summary the question follows: the question is fitted to that room rather
// than the box widened over the summary.
#include "ui/screen/status_prompt.h"

#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/prompt_font.h"

void
status_box_key_prompt(const char *text)
{
    int16_t x = getx, y = gety;
    int colour = getcolor();
    int margin = memory_box(0, nullptr) + vgax(3);
    // Room for the text, the key typed (at its widest) and the cursor
    // before the box's right frame.
    int room = memory_box_place_end(Maxx) - 3 - margin;
    font_while font({with_widest_entry(text, 1)}, room, {set_medium_font});
    setcolor(white);
    moveto(margin, vgay(3));
    outtext(text);
    input_string(1, text_entry);
    setcolor(colour);
    moveto(x, y);
}
