// The Derrida curve against oracles: the identity rule's curve is the
// diagonal exactly; each pair's distance equals a recomputation of the same
// pair with the reference step written from the formula; a network of
// codes steps its codes (with no rule table at all and the random map set
// aside); twins lie at exactly h; the slope's words when there is no slope
// to give; a sweep ended by a mean above 1, by the pause, and a sweep run
// under a paused forward run leaving that run's work arrays alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "engine/measures/derrida.h"
#include "engine/model/held_number.h"
#include "engine/model/key_poll.h"
#include "engine/rules/random_states.h"
#include "engine/wiring/globals.h"

namespace {

// The identity rule of a ring of k = 3: the output is input 1, the cell itself.
void
set_identity_rule()
{
    for (uint32_t i = 0; i < rule_entries(nhood); i++)
        set_value(carule[0], i, static_cast<int>((i / value_range) % value_range));
}

// Random wiring of k inputs per cell.
void
wire_randomly()
{
    nonlocal = 1;
    for (int c = 0; c < lineL; c++)
        for (int j = 0; j < nhoodm[c]; j++)
            wiring[c][j] = static_cast<uint16_t>(random() % lineL);
}

int
distance(const std::vector<int> &a, const std::vector<int> &b)
{
    int d = 0;
    for (size_t c = 0; c < a.size(); c++)
        d += a[c] != b[c];
    return d;
}

struct wiring_kept {
    uint8_t local = nonlocal;
    ~wiring_kept() { nonlocal = local; }
};

TEST(Derrida, IdentityRuleGivesTheDiagonalAndFortyFiveDegrees)
{
    for (int v : {2, 3})
        for (float maxH : {1.0f, 0.5f}) {
            TestNetwork net(v, 20, 3);
            set_identity_rule();
            srandom(7);
            derrida_work w;
            D_para p;
            p.maxH = maxH;
            const int dc = Dc_sample_max(lineL);
            derrida_sweep_end end = derrida_sweep(p, dc, w, {});
            const int last = static_cast<int>(20 * maxH);
            ASSERT_EQ(w.last_h, last);
            for (int h = 1; h <= last; h++)
                EXPECT_FLOAT_EQ(w.mean[h], h / (20 * maxH)) << "v " << v << " h " << h;
            EXPECT_EQ(end.c, dc);
            derrida_slope s = derrida_slope_of(end.acc, end.c);
            EXPECT_EQ(slope_words(s, dc), " slope=45.0 degrees Dc=0.000 (4 H)");
            EXPECT_EQ(slope_caption(s, dc), "slope=45.0 degrees Dc=0.000 (4 H)");
        }
}

TEST(Derrida, TwinDiffersInExactlyHCells)
{
    for (int v : {2, 3}) {
        TestNetwork net(v, 21, 3);
        std::vector<uint8_t> from(bytesL), to(bytesL), again(bytesL), picked(lineL / 8 + 1);
        srandom(11);
        for (uint32_t c = 0; c < lineL; c++)
            set_value(from.data(), c, static_cast<int>(random() % v));
        for (int h = 0; h <= 21; h++) {
            srandom(100 + h);
            state_at_distance(from.data(), to.data(), h, picked.data());
            srandom(100 + h);
            state_at_distance(from.data(), again.data(), h, picked.data());
            EXPECT_EQ(distance(state_values(from.data()), state_values(to.data())), h)
                << "v " << v << " h " << h;
            EXPECT_EQ(to, again) << "one seed, one twin";
            if (v == 2 && h == 21) {
                for (uint32_t c = 0; c < lineL; c++)
                    EXPECT_EQ(get_value(to.data(), c), 1 - get_value(from.data(), c));
            }
        }
    }
}

// Every pair of a sweep recomputed with the reference step: its t+ lines and
// distance, and the mean of each distance from those distances.
void
check_pairs_against_reference(int iterations)
{
    D_para p;
    p.iterations = static_cast<uint16_t>(iterations);
    p.sample = 30;
    p.hamming_step = 3;
    const double scale = lineL * p.maxH;
    std::vector<double> sums(lineL + 1, 0.0);
    int pairs = 0;
    derrida_work w;
    derrida_hooks hooks;
    hooks.pair = [&](int h, int, int Ht) {
        std::vector<int> a = state_values(w.t0[0]), b = state_values(w.t0[1]);
        ASSERT_EQ(distance(a, b), h);
        for (int t = 0; t < iterations; t++) {
            a = reference_step(a, carule);
            b = reference_step(b, carule);
        }
        ASSERT_EQ(state_values(w.tplus[0]), a);
        ASSERT_EQ(state_values(w.tplus[1]), b);
        ASSERT_EQ(Ht, distance(a, b));
        sums[h] += distance(a, b) / scale;
        pairs++;
    };
    derrida_sweep_end end = derrida_sweep(p, 0, w, hooks);
    EXPECT_FALSE(end.stopped);
    int distances = 0;
    for (int h = 1; h <= w.last_h; h += 3) {
        EXPECT_NEAR(w.mean[h], sums[h] / p.sample, 1e-6) << "h " << h;
        distances++;
    }
    EXPECT_EQ(pairs, distances * p.sample);
    EXPECT_GT(distances, 1);
}

TEST(Derrida, MeansEqualTheReferenceStepOfTheSamePairs)
{
    wiring_kept kept;
    for (int iterations : {1, 3}) {
        {
            TestNetwork net(2, 24, 3);
            TestNetwork::set_rule_number(110);
            srandom(3);
            check_pairs_against_reference(iterations);
        }
        {
            TestNetwork net(2, 20, 3);
            srandom(5);
            wire_randomly();
            TestNetwork::set_random_rule();
            check_pairs_against_reference(iterations);
        }
        {
            TestNetwork net(3, 13, 3);
            srandom(9);
            wire_randomly();
            TestNetwork::set_random_rule();
            check_pairs_against_reference(iterations);
        }
    }
}

TEST(Derrida, SameSeedSameCurve)
{
    TestNetwork net(2, 30, 3);
    TestNetwork::set_rule_number(54);
    D_para p;
    p.sample = 10;
    std::vector<float> first;
    for (int run = 0; run < 2; run++) {
        srandom(21);
        derrida_work w;
        derrida_sweep(p, 1, w, {});
        std::vector<float> curve(w.mean, w.mean + lineL + 1);
        if (run == 0)
            first = curve;
        else
            EXPECT_EQ(curve, first);
    }
}

// A network of tcodes run forward only: no rule table exists, and a random
// map that would be garbage is set; the pairs step the codes.
TEST(Derrida, CodesAreSteppedNotTheRuleTableNorTheRandomMap)
{
    wiring_kept kept;
    TestNetwork net(2, 16, 3);
    wire_randomly();
    tot_only = 1;
    totalistic = rule_kind_tcodes;
    allocate_mem_tcode0(3);
    srandom(13);
    for (uint32_t i = 0; i <= 3; i++)
        set_value(cacode[0], i, static_cast<int>(random() % 2));
    uint8_t **tables = carule;
    carule = nullptr;
    exhaustive_testing = exhaustive_random_map;
    uint8_t *map_kept = exh_pairs;
    exh_pairs = nullptr;

    auto code_step = [](const std::vector<int> &now) {
        std::vector<int> next(now.size());
        for (size_t c = 0; c < now.size(); c++) {
            uint32_t sum = 0;
            for (int j = 0; j < nhoodm[c]; j++)
                sum += static_cast<uint32_t>(now[wiring[c][j]]);
            next[c] = get_value(cacode[0], sum);
        }
        return next;
    };
    D_para p;
    p.iterations = 2;
    p.sample = 8;
    derrida_work w;
    derrida_hooks hooks;
    int pairs = 0;
    hooks.pair = [&](int, int, int Ht) {
        std::vector<int> a = code_step(code_step(state_values(w.t0[0])));
        std::vector<int> b = code_step(code_step(state_values(w.t0[1])));
        EXPECT_EQ(state_values(w.tplus[0]), a);
        EXPECT_EQ(state_values(w.tplus[1]), b);
        EXPECT_EQ(Ht, distance(a, b));
        pairs++;
    };
    derrida_sweep(p, 0, w, hooks);
    EXPECT_EQ(pairs, 16 * 8);
    EXPECT_EQ(exhaustive_testing, exhaustive_random_map);

    exh_pairs = map_kept;
    carule = tables;
    free_mem_tcode0();
}

TEST(Derrida, SmallNetworksHaveNoDcSampleAndNoSlope)
{
    for (int n = 1; n < 5; n++) {
        EXPECT_EQ(Dc_sample_default(n), 0);
        EXPECT_EQ(Dc_sample_max(n), 0);
    }
    EXPECT_EQ(Dc_sample_default(5), 1);
    EXPECT_EQ(Dc_sample_default(41), 2);
    EXPECT_EQ(Dc_sample_default(1000), 15);
    TestNetwork net(2, 4, 3);
    TestNetwork::set_rule_number(30);
    derrida_work w;
    D_para p;
    derrida_sweep_end end = derrida_sweep(p, Dc_sample_default(4), w, {});
    EXPECT_EQ(end.c, 0);
    derrida_slope s = derrida_slope_of(end.acc, end.c);
    EXPECT_EQ(slope_words(s, 0), "");
    EXPECT_EQ(slope_caption(s, 0), "no slope");
}

int
always_q()
{
    return 'q';
}

TEST(Derrida, PauseEndsTheSweepBeforeAnyDcDistanceSlopeNotAvailable)
{
    TestNetwork net(2, 40, 3);
    TestNetwork::set_rule_number(90);
    derrida_work w;
    D_para p;
    int pauses = 0;
    derrida_hooks hooks;
    hooks.pause = [&](int h) {
        EXPECT_EQ(h, 1);
        pauses++;
        return derrida_pause::end_sweep;
    };
    set_key_poll(always_q);
    derrida_sweep_end end = derrida_sweep(p, 2, w, hooks);
    set_key_poll(nullptr);
    EXPECT_EQ(pauses, 1);
    EXPECT_TRUE(end.stopped);
    EXPECT_EQ(end.h_end, 1);
    EXPECT_EQ(w.last_h, 0);
    derrida_slope s = derrida_slope_of(end.acc, end.c);
    EXPECT_FALSE(s.computed);
    EXPECT_EQ(slope_words(s, 2), " slope n/a");
    EXPECT_EQ(slope_caption(s, 2), "slope n/a");
    // A zero mean ratio has no logarithm: no slope either.
    EXPECT_FALSE(derrida_slope_of(0.0, 3).computed);
}

// After a pause that resumes, the distance starts again from its first pair
// with the parameters changed in the pause.
int resume_polls = 0;
int
q_once()
{
    return resume_polls++ == 5 ? 'q' : 0;
}

TEST(Derrida, ResumedDistanceStartsAgainWithNewParameters)
{
    TestNetwork net(2, 10, 3);
    set_identity_rule();
    derrida_work w;
    D_para p;
    p.sample = 8;
    std::vector<int> first_pairs;
    derrida_hooks hooks;
    hooks.pause = [&](int) {
        p.sample = 3;
        p.hamming_step = 4;
        return derrida_pause::resume;
    };
    hooks.pair = [&](int h, int j, int) {
        if (j == 1)
            first_pairs.push_back(h);
    };
    resume_polls = 0;
    set_key_poll(q_once);
    derrida_sweep(p, 0, w, hooks);
    set_key_poll(nullptr);
    EXPECT_EQ(first_pairs, (std::vector<int>{1, 1, 5, 9}));
    EXPECT_FLOAT_EQ(w.mean[1], 0.1f);
    EXPECT_EQ(w.last_h, 9);
}

TEST(Derrida, AMeanAboveOneEndsTheSweep)
{
    // Rule 150 spreads one difference to three cells in one step.
    TestNetwork net(2, 20, 3);
    TestNetwork::set_rule_number(150);
    derrida_work w;
    D_para p;
    p.maxH = 0.1f; // h = 1 gives 3 / 2
    derrida_sweep_end end = derrida_sweep(p, 0, w, {});
    EXPECT_FLOAT_EQ(w.mean[1], 1.5f);
    EXPECT_EQ(w.last_h, 1);
    EXPECT_EQ(end.h_end, 2);
}

// maxH typed as 1e-9 swept nothing and put the plot's x of the sweep's end
// at 1.2e10, past an int: it is held to one distance of the network, which
// the sweep then draws, and every end stays within a window coordinate.
TEST(Derrida, ATinyMaxHIsHeldToOneDistanceWhichIsSwept)
{
    TestNetwork net(2, 20, 3);
    TestNetwork::set_rule_number(90);
    derrida_ranges r = derrida_ranges_of(lineL);
    D_para p;
    p.maxH = static_cast<float>(held_answer_of("1e-9", 1, r.maxH).value);
    p.hamming_step = static_cast<int16_t>(held_answer_of("2147483648", 1, r.hamming_step, true).value);
    EXPECT_EQ(p.hamming_step, 19);
    derrida_work w;
    derrida_sweep_end end = derrida_sweep(p, 0, w, {});
    EXPECT_EQ(w.last_h, 1);
    // x = 300 pixels * h_end / (n * maxH), as the plot places it.
    EXPECT_LT(300.0 * end.h_end / (lineL * p.maxH), 32767);
    EXPECT_EQ(derrida_ranges_of(1).hamming_step.high, 1);
}

TEST(Derrida, APausedForwardRunKeepsItsWorkArrays)
{
    TestNetwork net(2, 12, 3);
    TestNetwork::set_rule_number(110);
    step_mode run;
    forward_run_begin(run);
    uint16_t *run_inputs = pnhood;
    {
        derrida_work w;
        D_para p;
        p.sample = 2;
        derrida_sweep(p, 0, w, {});
    }
    EXPECT_EQ(pnhood, run_inputs);
    forward_run_end();
}

TEST(Derrida, CaptionNamesSizeWiringAndRule)
{
    wiring_kept kept;
    TestNetwork net(2, 20, 3);
    nonlocal = 0;
    EXPECT_EQ(derrida_caption(), (std::vector<std::string>{"v2  k=3 network size= 20",
                                                            " one-d CA wiring",
                                                            " homogeneous CA rule"}));
    nonlocal = 1;
    uint16_t zone = zonesize;
    zonesize = 20;
    EXPECT_EQ(derrida_caption()[1], " random one-d wiring no limit");
    zonesize = 6;
    EXPECT_EQ(derrida_caption()[1], " random one-d wiring zone=6");
    zonesize = zone;
}

// The lattices of 24 cells: a regular one names no zone, a random one
// names its zone, or "no limit" at the smallest side, not at n or the
// width.
TEST(Derrida, CaptionNamesTheZoneOfRandomLatticesOnly)
{
    struct lattice_kept {
        wiring_kept wiring;
        uint8_t two = twod, three = threed, one = oned, r2 = regular2d, r3 = regular3d;
        int16_t i2 = i2d, j2 = j2d, i3 = i3d, j3 = j3d, h3 = h3d;
        uint16_t zone = zonesize;
        ~lattice_kept()
        {
            twod = two, threed = three, oned = one, regular2d = r2, regular3d = r3;
            i2d = i2, j2d = j2, i3d = i3, j3d = j3, h3d = h3, zonesize = zone;
        }
    } kept;
    TestNetwork net(2, 24, 3);
    nonlocal = 1;
    oned = twod = 0;
    threed = 3;
    i3d = 4, j3d = 3, h3d = 2;
    regular3d = 1;
    zonesize = 2;
    EXPECT_EQ(derrida_caption()[1], " three-d CA wiring");
    regular3d = 0;
    EXPECT_EQ(derrida_caption()[1], " random three-d wiring no limit");
    zonesize = 1;
    EXPECT_EQ(derrida_caption()[1], " random three-d wiring zone=1");

    threed = 0;
    twod = 2;
    i2d = 6, j2d = 4;
    regular2d = 1;
    zonesize = 4;
    EXPECT_EQ(derrida_caption()[1], " two-d CA wiring");
    regular2d = 0;
    EXPECT_EQ(derrida_caption()[1], " random two-d wiring no limit");
    zonesize = 3;
    EXPECT_EQ(derrida_caption()[1], " random two-d wiring zone=3");
}

} // namespace
