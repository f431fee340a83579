// Hypercube wiring (hypercube.h): 2^d cells, each reading the d cells whose
// index differs from its own in one binary digit (and itself last when
// k = d + 1), each wire kept with probability hyper_prob percent.
//
// Reads from model/: lineL, nhood; writes wiring, nhoodm, nhood_ub,
// nhood_mixed, and wires_cut of wiring/globals.h. Start at hypercube_pass.
//
// Every pass starts from the full k (nhood) and writes every slot of a row:
// the kept inputs at the front in ascending digit order, Maxu behind them,
// so no input of an earlier pass survives into a saved wiring.
#include "engine/wiring/hypercube.h"

#include <cstdlib>

#include "engine/model/globals.h"
#include "engine/wiring/globals.h"

int
hypercube_dimension(int n)
{
    int d = 0;
    while ((1 << d) < n)
        d++;
    return d;
}

void
hypercube_pass()
{
    int n = lineL, k = nhood, d = hypercube_dimension(n);
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
