// Hypercube wiring (hypercube.h): 2^d cells, each reading the d cells whose
// index differs from its own in one binary digit (and itself last when
// k = d + 1), each wire kept with probability hyper_prob percent.
//
// Reads from model/: lineL, nhood; writes wiring, nhoodm, nhood_ub,
// nhood_mixed, and hyper_prob and wires_cut of wiring/globals.h. Uses the
// wiring listing and the two-way link count of this folder, the k-mix file
// of storage/ and the prompt box and entry of screen/. Start at hypercube.
//
// Every pass starts from the full k (nhood) and writes every slot of a row:
// the kept inputs at the front in ascending digit order, Maxu behind them,
// so no input of an earlier pass survives into a saved wiring.
#include "ui/wiring/hypercube.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/model/globals.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/storage/side_files.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/out_degrees.h"
#include "ui/wiring/wiring_listing.h"

namespace {

// d with n = 2^d.
int
dimension_of(int n)
{
    int d = 0;
    while ((1 << d) < n)
        d++;
    return d;
}

} // namespace

void
hypercube_pass()
{
    int n = lineL, k = nhood, d = dimension_of(n);
    if (hyper_prob < 100) {
        nhood_ub = static_cast<uint8_t>(nhood);
        nhood_mixed = 1;
    }
    wires_cut = 0;
    const float keep_share = static_cast<float>(hyper_prob) / 100.0f;
    for (int c = n - 1; c >= 0; c--) {
        nhoodm[c] = static_cast<int8_t>(k);
        int w = 0;
        for (int p = 0; p < k; p++) {
            bool keep = true;
            if (hyper_prob < 100) {
                long r = random() % 100001;
                keep = static_cast<float>(r) / 100000.0f <= keep_share;
            }
            if (keep) {
                wiring[c][w++] = static_cast<uint16_t>(k == d + 1 && p == d ? c : c ^ (1 << p));
            } else {
                nhoodm[c]--;
                if (nhoodm[c] == 0) {
                    // A cell that lost every wire keeps a self-wire.
                    nhoodm[c] = 1;
                    wiring[c][0] = static_cast<uint16_t>(c);
                }
                wires_cut++;
            }
        }
        for (int p = nhoodm[c]; p < nhood; p++)
            wiring[c][p] = Maxu;
    }
}

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
    int d = dimension_of(n);
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
        input_string(1, 0);
        char key = is[0];
        if (key == 'r') {
            hyper_prob = 100;
            outtext(" set % prob (def 100): ");
            input_string(2, 0);
            std::string typed = is[0] == 'q' ? std::string() : entry_text();
            if (!typed.empty()) {
                int prob = atoi(typed.c_str());
                if (prob >= 0 && prob <= 100)
                    hyper_prob = static_cast<uint16_t>(prob);
            }
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
