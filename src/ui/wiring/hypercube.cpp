// The hypercube dialog (hypercube.h): passes of the engine's hypercube
// wiring (engine/wiring/hypercube.h) until the user accepts one, each below
// 100 percent reported with the share of wires kept and of two-way links.
//
// Reads from model/: lineL, nhood, nhoodm; writes nhood_mixed and
// hyper_prob. Uses the wiring listing of this folder, the k-mix file of
// storage/ and the prompt box and entry of screen/. Start at hypercube.
#include "ui/screen/question_table.h"
#include "ui/wiring/hypercube.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/model/globals.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/hypercube.h"
#include "engine/wiring/out_degrees.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/storage/side_files.h"
#include "ui/wiring/wiring_listing.h"

namespace {

// The "nhood mix=" line: every cell's k as one hex digit, from n-1 down,
// those above 9 in yellow, clipped to the box.
void
write_kmix_line()
{
    setcolor(white);
    outtext("nhood mix=");
    int colour = white;
    for (int c = lineL - 1; c >= 0; c--) {
        if (getx + CWidth > Maxx - 4)
            break;
        char digit[4];
        snprintf(digit, sizeof digit, "%1x", nhoodm[c] & 0xf);
        setcolor(nhoodm[c] > 9 ? yellow : colour);
        outtext(digit);
        setcolor(colour);
    }
}

} // namespace

void
hypercube()
{
    int n = lineL, k = nhood;
    int d = hypercube_dimension(n);
    for (;;) {
        hypercube_pass();
        print_wiring_scheme(0, 0, 0, n - 1, 0);
        if (hyper_prob >= 100)
            return;

        check_bi_links();
        int margin = draw_prompt_box(3);
        // The reference: every edge of the full hypercube is a two-way pair.
        int reference = n * d / 2;
        float kept = 100.0f - 100.0f * static_cast<float>(wires_cut) /
                                  static_cast<float>(k * n);
        float share = reference > 0 ? 100.0f * tot_bi_links / reference : 0.0f;
        char text[160];
        snprintf(text, sizeof text, "part hcube: %%wire_prob=%d act=%.1f bi=%d/%d=%.1f",
                 hyper_prob, kept, tot_bi_links, reference, share);
        setcolor(white);
        outtext(text);
        moveto(margin, gety + CHeight);
        write_kmix_line();
        moveto(margin, gety + CHeight);
        setcolor(white);
        outtext("reset-r save-s cont-ret:");
        input_string(1, text_entry);
        char key = is[0];
        if (key == 'r') {
            hyper_prob = 100;
            outtext(" set % prob (def 100): ");
            input_string(2, text_entry);
            if (is[0] != 'q')
                hyper_prob = static_cast<uint16_t>(entry_held(100, {0, 100}, true));
            erase_prompt_box(3);
            continue;
        }
        if (key == 's') {
            load_save_nhoodmix('s');
            if (is[0] == 'q') {
                erase_prompt_box(3);
                continue;
            }
        }
        nhood_mixed = 1;
        erase_prompt_box(3);
        return;
    }
}
