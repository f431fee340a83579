// The neighbourhood-size stage of the set-up: the k every cell reads, or the
// door to the k-mix dialog ('m'). Reads Maxnhood as the value range (and a
// 3d lattice) left it; the caller frees nhoodm when stepping back.
#include "ui/model/nhood_size.h"

#include <cstdio>
#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "ui/model/kmix_dialog.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"
#include "ui/screen/window.h"

void
select_nhood_size(int inbox)
{
    if (threed && Maxnhood > 13)
        Maxnhood = 13;
    setcolor(white);
    if (inbox == 0)
        next_line(xtext, 1);
    nhood_mixed = 0;
    nhoodm = static_cast<int8_t *>(checked_calloc(lineL, 1, "nhoodm"));
    if (nhood == 0)
        nhood = 3;
    if (nhood > Maxnhood)
        nhood = Maxnhood;
    nhood_lb = nhood_ub = static_cast<uint8_t>(nhood);

    snprintf(textb[0], 150, "Neighborhood size k: kmix-m, or enter 1-%d (def %d):", Maxnhood,
             nhood);
    if (inbox == 0) {
        setfillstyle(0, black);
        bar(getx, gety, getx + text_pixel_width(textb[0], static_cast<int>(strlen(textb[0]))) +
                            vgax(20),
            gety + CHeight);
    } else {
        draw_prompt_box(1);
    }
    outtext(textb[0]);
    int len = input_string(2, text_entry);
    bool mix_asked = is[0] == 'm';
    if (mix_asked)
        set_dif_nhoods();
    if (is[0] == 'q') {
        if (inbox == 0)
            setpback_x_lines(1);
        return;
    }
    if (!mix_asked)
        nhood = static_cast<int8_t>(whole_answer_held(nhood, {1, static_cast<double>(Maxnhood)}, len));
    // One k for all cells whenever no mix was made, also after Return, so
    // that no cell is left with k = 0.
    if (nhood_mixed == 0) {
        nhood_lb = nhood_ub = static_cast<uint8_t>(nhood);
        memset(nhoodm, nhood, lineL);
    }
}
