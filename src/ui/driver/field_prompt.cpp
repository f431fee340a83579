// The field prompt: "exh-e rmap-r seq-s nto-o" for up to 12 cells (the
// neutral-order mode enumerates update orders, n! of them), without "nto-o"
// up to 31 cells, and no method at all above (a successor table would not
// fit 32-bit state numbers); the stack view and reorder keys always.
#include "ui/driver/field_prompt.h"

#include <cstdio>

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "ui/forward/order_dialogs.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"

bool
field_prompt()
{
    exhaustive_testing = exhaustive_off;
    see_ppstack = see_ppstack_off;
    neutral_order = 0;
    const char *methods = lineL <= 12 ? "exh-e rmap-r seq-s nto-o"
                          : lineL <= 31 ? "exh-e rmap-r seq-s"
                                        : "";
    const char *locality = nonlocal ? "(non-local)" : "(local)";
    int margin = draw_prompt_box(2);
    if (rangeL)
        snprintf(textb[0], 150, "basin field %s n=%d-%d, %s", locality, startL, endL, methods);
    else
        snprintf(textb[0], 150, "basin field %s n=%d, %s", locality, lineL, methods);
    outtext(textb[0]);
    moveto(margin, gety + CHeight);
    if (!nonlocal)
        outtext("view ppstack-1:");
    else if (reorderRBN)
        outtext("view ppstack-1 +pause-2, reorder(on) tog +R:");
    else
        outtext("view ppstack-1, fan-pause-2, reorder(off) tog +R:");
    int len = input_string(2, text_entry);
    if (is[0] == 'q')
        return false;
    seq_update = update_parallel;
    char first = is[0], second = len > 1 ? is[1] : 0;
    if (first == '1' || first == '2')
        see_ppstack = static_cast<uint8_t>(first - '0');
    if (first == 'R' || ((first == '1' || first == '2') && second == 'R')) {
        reorderRBN = reorderRBN ? 0 : 1;
    } else if (lineL <= 31) {
        if (first == 'e') {
            exhaustive_testing = exhaustive_table;
        } else if (first == 's') {
            exhaustive_testing = exhaustive_table;
            erase_prompt_box(2);
            set_seq_update();
        } else if (first == 'r') {
            exhaustive_testing = exhaustive_random_map;
        } else if (first == 'o' && lineL <= 12) {
            neutral_order = 1;
            meta_graph = meta_graph_off;
        }
    }
    return true;
}

