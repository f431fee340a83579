// The Derrida curve: for each Hamming distance h between two states at t0,
// the mean distance H(t+) of the two states after some parallel steps of the
// network, normalised by n * maxH, over many random pairs; and from the
// first distances a slope and the coefficient Dc. The plot and its dialog
// are ui/measures/derrida_plot.h; this file computes and words, no drawing.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/model/held_number.h"

// The plot's parameters, set to these defaults each time the plot opens.
struct D_para {
    uint8_t suppress_fuzz = 0; // 1: no dot for each sample pair
    uint8_t details = 0;       // 1: stop after each pair and show it
    uint16_t iterations = 1;   // parallel steps from t0 to t+, >= 1
    int16_t sample = 25;       // pairs per distance, >= 1
    int16_t hamming_step = 1;  // increment of h, 1..n-1
    float maxH = 1.0f;         // largest h as a fraction of n, 0 < maxH <= 1; also the axis scale
};

// The ranges the set-up holds its answers to on a network of n cells. maxH
// from 1/n (one distance is swept) to 1: each point then lies within a few
// plot widths of the axis, in window coordinates; the sample and the
// iterations from 1 to what their entries' 4 and 3 digits show, the
// Hamming step from 1 to n - 1 (at least 1).
struct derrida_ranges {
    number_bounds maxH, sample, iterations, hamming_step;
};
derrida_ranges derrida_ranges_of(int n);

// Distances that may enter the slope: n div 5.
int Dc_sample_max(int n);
// The number on entry: ceil(n / 40), at most 15 and at most n div 5.
int Dc_sample_default(int n);

// The lines of one pair, the mean curve and the scratch of the twin's
// draw, allocated zero-filled for n cells (label "mem for Derrida") and
// freed with the record.
struct derrida_work {
    uint8_t *t0[2] = {nullptr, nullptr};    // the pair at t0
    uint8_t *tplus[2] = {nullptr, nullptr}; // the pair at t+
    uint8_t *picked = nullptr;              // cells drawn for the twin
    float *mean = nullptr;                  // n + 1 entries: mean[h], entry 0 stays 0
    int last_h = 0;                         // the last distance whose mean is stored
    derrida_work();
    ~derrida_work();
    derrida_work(const derrida_work &) = delete;
    derrida_work &operator=(const derrida_work &) = delete;
};

// The rules the network steps on: carule, or its codes under tot_only.
uint8_t **derrida_rules();

// Holds the forward step's work arrays for the curve's steps and sets the
// random map aside (its successor table is not the network), putting both
// back at the end of its scope. A forward run paused under the plot keeps
// its own arrays: they are used as they are.
class derrida_stepping {
public:
    derrida_stepping();
    ~derrida_stepping();
    derrida_stepping(const derrida_stepping &) = delete;
    derrida_stepping &operator=(const derrida_stepping &) = delete;

private:
    bool own_arrays_;
    uint8_t exhaustive_kept_;
};

// One pair at distance h: a random first state (cells L down to 0; v = 2
// random() % 100 < 50 gives 0), its twin (state_at_distance), each run
// `iterations` parallel steps through A and F; the t0 and t+ lines are left
// in w. Returns H(t+), the cells in which the two t+ lines differ. Needs a
// derrida_stepping in scope.
int derrida_pair(int h, int iterations, derrida_work &w);

// What the sweep does after a 'q' found before a pair.
enum class derrida_pause { resume, end_sweep };

// What the sweep tells its caller. Each may be empty.
struct derrida_hooks {
    // 'q' was found by key_poll before pair j of distance h; the caller may
    // change the parameters (resume restarts the distance with them).
    std::function<derrida_pause(int h)> pause;
    // Pair j (1-based) of distance h gave Ht; its lines are in w.
    std::function<void(int h, int j, int Ht)> pair;
    // mean[h] is stored; step is the Hamming step it was reached with.
    std::function<void(int h, int step)> distance;
};

// The slope from the Dc sum: only when some distance entered (c > 0) and
// the mean ratio m = acc / c is above 0.
struct derrida_slope {
    bool computed = false;
    double degrees = 0; // atan(m) in degrees
    double Dc = 0;      // log2 m
    int c = 0;          // distances that entered
};

struct derrida_sweep_end {
    double acc = 0;     // sum of mean[h] / (h / (n maxH)) over the Dc distances
    int c = 0;          // distances in acc
    int h_end = 1;      // the distance after the last point drawn
    bool stopped = false; // ended by the pause
};

// The whole sweep: h = 1, 1 + s, ... while h <= n * maxH; each distance the
// mean over p.sample pairs into w.mean[h]; a distance with a mean above 1
// ends the sweep after it. With step 1 and h <= dc_sample the distance
// enters the Dc sum. p is read afresh at every distance and after a pause.
derrida_sweep_end derrida_sweep(D_para &p, int dc_sample, derrida_work &w,
                                const derrida_hooks &hooks);

derrida_slope derrida_slope_of(double acc, int c);

// The completion's words: " slope=%.1f degrees Dc=%.3f (%d H)" when the
// slope was computed, " slope n/a" when it could not be (dc_sample > 0),
// "" with no Dc sample.
std::string slope_words(const derrida_slope &s, int dc_sample);
// The second text of "sample=%d, %s": the slope as above without its lead
// blank, "slope n/a", or "no slope" when none was ever computed.
std::string slope_caption(const derrida_slope &s, int dc_sample);

// The network caption of the plot, one text per line: v and k with the
// size; the wiring; the rule ("homogeneous CA rule", or with a rule mix its
// canalyzing inputs and genes on two lines, the counts left in canal and
// canaltotal of the last cell counted).
std::vector<std::string> derrida_caption();
