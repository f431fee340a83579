// The Derrida curve's computation (derrida.h): the pairs at each Hamming
// distance, run through the network's own parallel step, their mean, the
// Dc sum and slope, and the words the plot writes. Reads the network model
// (model/, wiring/), steps through forward/forward_step.h, draws twins with
// rules/random_states.h and polls keys through model/key_poll.h. Start
// reading at derrida_sweep.
#include "engine/measures/derrida.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/forward/forward_step.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/key_poll.h"
#include "engine/model/rule_parameters.h"
#include "engine/model/value_line.h"
#include "engine/rules/random_states.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/random_wiring.h"

namespace {

constexpr const char *kWorkLabel = "mem for Derrida";

uint8_t *
state_line()
{
    return static_cast<uint8_t *>(checked_calloc(bytesL, 1, kWorkLabel));
}

// The curve steps every cell at once, with none of a forward-only run's
// overrides.
const step_mode kParallel{};

void
run_steps(uint8_t **rules, int iterations)
{
    for (int t = 0; t < iterations; t++)
        forward_step(rules, kParallel);
}

// Cells 0 .. n-1 whose values differ between a and b.
int
cells_differing(const uint8_t *a, const uint8_t *b)
{
    uint32_t n = lineL;
    if (value_range != 2) {
        int d = 0;
        for (uint32_t c = 0; c < n; c++)
            d += get_value(a, c) != get_value(b, c);
        return d;
    }
    // v = 2: whole bytes, the spare bits past the last cell masked off.
    int d = 0;
    uint32_t full = n / 8;
    for (uint32_t i = 0; i < full; i++)
        d += __builtin_popcount(static_cast<unsigned>(a[i] ^ b[i]));
    if (n % 8)
        d += __builtin_popcount(static_cast<unsigned>((a[full] ^ b[full]) & ((1u << (n % 8)) - 1)));
    return d;
}

// A := a random state, cell by cell from L down to 0.
void
random_first_state()
{
    int v = value_range;
    for (int c = L; c >= 0; c--)
        set_value(A, static_cast<uint32_t>(c),
                  v == 2 ? (random() % 100 < 50 ? 0 : 1) : static_cast<int>(random() % v));
}

} // namespace

derrida_ranges
derrida_ranges_of(int n)
{
    const double cells = n > 1 ? n : 1;
    const double last_step = std::min(std::max(cells - 1, 1.0), 1.0 * INT16_MAX);
    return {{1 / cells, 1}, {1, 9999}, {1, 999}, {1, last_step}};
}

int
Dc_sample_max(int n)
{
    return n / 5;
}

int
Dc_sample_default(int n)
{
    int c = (n + 39) / 40;
    if (c > 15)
        c = 15;
    if (c > Dc_sample_max(n))
        c = Dc_sample_max(n);
    return c;
}

derrida_work::derrida_work()
{
    for (int i = 0; i < 2; i++) {
        t0[i] = state_line();
        tplus[i] = state_line();
    }
    picked = static_cast<uint8_t *>(checked_calloc(lineL / 8u + 1u, 1, kWorkLabel));
    mean = static_cast<float *>(checked_calloc(lineL + 1u, sizeof(float), kWorkLabel));
}

derrida_work::~derrida_work()
{
    for (int i = 0; i < 2; i++) {
        checked_free(t0[i]);
        checked_free(tplus[i]);
    }
    checked_free(picked);
    checked_free(mean);
}

uint8_t **
derrida_rules()
{
    if (!tot_only)
        return carule;
    return totalistic == rule_kind_tcodes ? cacode : v_code;
}

derrida_stepping::derrida_stepping()
    : own_arrays_(pnhood == nullptr), exhaustive_kept_(exhaustive_testing)
{
    if (exhaustive_testing == exhaustive_random_map)
        exhaustive_testing = exhaustive_off;
    if (own_arrays_)
        forward_run_begin(kParallel);
    else
        recheck_forward_network(); // the editor may have rewired the paused run's network
}

derrida_stepping::~derrida_stepping()
{
    if (own_arrays_)
        forward_run_end();
    exhaustive_testing = exhaustive_kept_;
}

int
derrida_pair(int h, int iterations, derrida_work &w)
{
    uint8_t **rules = derrida_rules();
    random_first_state();
    memcpy(w.t0[0], A, bytesL);
    run_steps(rules, iterations);
    memcpy(w.tplus[0], A, bytesL);
    state_at_distance(w.t0[0], w.t0[1], h, w.picked);
    memcpy(A, w.t0[1], bytesL);
    run_steps(rules, iterations);
    memcpy(w.tplus[1], A, bytesL);
    return cells_differing(w.tplus[0], w.tplus[1]);
}

derrida_sweep_end
derrida_sweep(D_para &p, int dc_sample, derrida_work &w, const derrida_hooks &hooks)
{
    derrida_stepping stepping;
    derrida_sweep_end end;
    const int n = lineL;
    w.last_h = 0;
    for (int h = 1; h <= n && h <= static_cast<double>(n) * p.maxH;) {
        const double scale = static_cast<double>(n) * p.maxH;
        double sum = 0;
        bool restart = false;
        for (int j = 1; j <= p.sample; j++) {
            if (key_poll() == 'q') {
                if (!hooks.pause || hooks.pause(h) == derrida_pause::end_sweep) {
                    end.stopped = true;
                    end.h_end = h;
                    return end;
                }
                restart = true;
                break;
            }
            int Ht = derrida_pair(h, p.iterations, w);
            sum += Ht / scale;
            if (hooks.pair)
                hooks.pair(h, j, Ht);
        }
        if (restart)
            continue; // the same distance again, with the parameters as now
        w.mean[h] = static_cast<float>(sum / p.sample);
        w.last_h = h;
        const int step = p.hamming_step;
        if (hooks.distance)
            hooks.distance(h, step);
        if (step == 1 && dc_sample > 0 && h <= dc_sample) {
            end.acc += w.mean[h] / (h / scale);
            end.c++;
        }
        end.h_end = h + step;
        if (w.mean[h] > 1)
            break;
        h += step;
    }
    return end;
}

derrida_slope
derrida_slope_of(double acc, int c)
{
    derrida_slope s;
    s.c = c;
    if (c <= 0)
        return s;
    double m = acc / c;
    if (!(m > 0))
        return s;
    s.computed = true;
    s.degrees = std::atan(m) * 57.2958;
    s.Dc = std::log2(m);
    return s;
}

std::string
slope_words(const derrida_slope &s, int dc_sample)
{
    if (dc_sample <= 0)
        return "";
    if (!s.computed)
        return " slope n/a";
    char text[96];
    snprintf(text, sizeof text, " slope=%.1f degrees Dc=%.3f (%d H)", s.degrees, s.Dc, s.c);
    return text;
}

std::string
slope_caption(const derrida_slope &s, int dc_sample)
{
    std::string words = slope_words(s, dc_sample);
    return words.empty() ? "no slope" : words.substr(1);
}

std::vector<std::string>
derrida_caption()
{
    std::vector<std::string> lines;
    char text[160];
    const int n = lineL;
    const bool lattice2 = twod != 0, lattice3 = threed != 0;
    int at = nhood_mixed ? snprintf(text, sizeof text, "  v%d k-mix=%d-%d", value_range, nhood_lb, nhood_ub)
                         : snprintf(text, sizeof text, "v%d  k=%d", value_range, nhood);
    if (lattice3)
        snprintf(text + at, sizeof text - at, " network size= %dx%dx%d", i3d, j3d, h3d);
    else if (lattice2)
        snprintf(text + at, sizeof text - at, " network size= %dx%d", i2d, j2d);
    else
        snprintf(text + at, sizeof text - at, " network size= %d", n);
    lines.push_back(text);

    std::string wires;
    if (lattice3)
        wires = regular3d ? " three-d CA wiring" : " random three-d wiring";
    else if (lattice2)
        wires = regular2d ? " two-d CA wiring" : " random two-d wiring";
    else
        wires = nonlocal ? " random one-d wiring" : " one-d CA wiring";
    switch (caption_of_zone()) {
    case zone_caption::none:
        break;
    case zone_caption::no_limit:
        wires += " no limit";
        break;
    case zone_caption::width:
        snprintf(text, sizeof text, " zone=%d", zonesize);
        wires += text;
        break;
    }
    lines.push_back(wires);

    if (!rulemix) {
        lines.push_back(" homogeneous CA rule");
        return lines;
    }
    if (tot_only) {
        // Codes have no rule tables whose canalyzing inputs could be counted.
        lines.push_back(" rulemix");
        return lines;
    }
    unsigned long Nc = 0, Nk = 0;
    int Ng = 0;
    for (int c = L; c >= 0; c--) {
        int k = nhoodm[c];
        int count = count_canalyzing(k, carule[c]);
        Nc += static_cast<unsigned long>(count);
        Ng += count > 0;
        Nk += nhood_mixed ? static_cast<unsigned long>(k) : 0;
    }
    if (!nhood_mixed)
        Nk = static_cast<unsigned long>(n) * static_cast<unsigned long>(nhood);
    snprintf(text, sizeof text, " rulemix: canalyzing inputs=%lu/%lu=%.1f%%", Nc, Nk,
             Nk ? 100.0 * Nc / Nk : 0.0);
    lines.push_back(text);
    snprintf(text, sizeof text, "          genes=%d/%d=%.1f%%", Ng, n, n ? 100.0 * Ng / n : 0.0);
    lines.push_back(text);
    return lines;
}
