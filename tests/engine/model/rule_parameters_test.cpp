// Rule figures: Z, Z-left, Z-right, lambda, the lambda ratio, the canalyzing
// inputs and the reflection of a rule table, on rules whose figures were
// worked out by hand, and against brute-force oracles written here.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/model_test_support.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_parameters.h"
#include "engine/rules/rules_test_support.h"

namespace {

class RuleFigures : public RuleTableTest {
protected:
    std::string text(int k)
    {
        char line[64];
        canalyzing_text(line, sizeof line, k);
        return line;
    }
};

TEST_F(RuleFigures, Rule30)
{
    std::vector<uint8_t> rule = pack({0, 1, 1, 1, 1, 0, 0, 0});
    compute_rule_figures_binary(3, rule.data());
    // Side 1: pairs (0,1) (1,1) (1,0) (0,0), two of four differ: R_1 = 0.5,
    // no level-2 or level-3 block has uniform halves. Reflected table
    // 0,1,1,0,1,0,1,0: every pair differs, R_1 = 1.
    EXPECT_FLOAT_EQ(zparam[1], 0.5f);
    EXPECT_FLOAT_EQ(zparam[2], 1.0f);
    EXPECT_FLOAT_EQ(zparam[0], 1.0f);
    EXPECT_FLOAT_EQ(lambda, 0.5f);
    EXPECT_FLOAT_EQ(lratio, 1.0f);
    EXPECT_EQ(canaltotal, 0);
    EXPECT_EQ(text(3), "C=0/3");
}

TEST_F(RuleFigures, ParityIsFullyDecided)
{
    std::vector<uint8_t> rule = pack({0, 1, 1, 0, 1, 0, 0, 1});
    compute_rule_figures_binary(3, rule.data());
    EXPECT_FLOAT_EQ(zparam[0], 1.0f);
    EXPECT_FLOAT_EQ(zparam[1], 1.0f);
    EXPECT_FLOAT_EQ(zparam[2], 1.0f);
    EXPECT_EQ(canaltotal, 0);
}

TEST_F(RuleFigures, Majority)
{
    std::vector<uint8_t> rule = pack({0, 0, 0, 1, 0, 1, 1, 1});
    compute_rule_figures_binary(3, rule.data());
    // Level 1: pairs (0,0) (0,1) (0,1) (1,1): R_1 = 0.5. Level 2: blocks
    // 00|01 and 01|11 each have a half that is not uniform: R_2 = 0; level
    // 3 likewise. Majority is its own reflection: Z = 0.5 on both sides.
    EXPECT_FLOAT_EQ(zparam[1], 0.5f);
    EXPECT_FLOAT_EQ(zparam[2], 0.5f);
    EXPECT_FLOAT_EQ(zparam[0], 0.5f);
    EXPECT_FLOAT_EQ(lambda, 0.5f);
    EXPECT_FLOAT_EQ(lratio, 1.0f);
    EXPECT_EQ(canaltotal, 0);
}

TEST_F(RuleFigures, AllZeroTableCanalyzesEveryInput)
{
    std::vector<uint8_t> rule = pack({0, 0, 0, 0, 0, 0, 0, 0});
    compute_rule_figures_binary(3, rule.data());
    EXPECT_FLOAT_EQ(zparam[0], 0.0f);
    EXPECT_FLOAT_EQ(lambda, 0.0f);
    EXPECT_FLOAT_EQ(lratio, 0.0f);
    EXPECT_FLOAT_EQ(0.5f * (1.0f - lratio) + 0.5f, 1.0f);   // P
    EXPECT_EQ(canaltotal, 3);
    EXPECT_EQ(canal[0], 0x07);
    EXPECT_EQ(text(3), "C=3/3=210");
}

TEST_F(RuleFigures, CanalyzingPositionsListedHighFirst)
{
    // Output x0 AND x2: inputs 0 and 2 canalyze (a 0 there fixes 0).
    std::vector<uint8_t> rule = pack({0, 0, 0, 0, 0, 1, 0, 1});
    count_canalyzing(3, rule.data());
    EXPECT_EQ(canaltotal, 2);
    EXPECT_EQ(text(3), "C=2/3=2*0");
}

TEST_F(RuleFigures, OneInput)
{
    struct {
        std::initializer_list<int> table;
        float z;
    } cases[] = {{{0, 1}, 1.0f}, {{1, 0}, 1.0f}, {{0, 0}, 0.0f}, {{1, 1}, 0.0f}};
    for (auto &c : cases) {
        std::vector<uint8_t> rule = pack(c.table);
        compute_rule_figures_binary(1, rule.data());
        EXPECT_FLOAT_EQ(zparam[0], c.z);
        EXPECT_FLOAT_EQ(zparam[1], c.z);
        EXPECT_FLOAT_EQ(zparam[2], c.z);
        EXPECT_EQ(canaltotal, 1);
        EXPECT_EQ(text(1), "C=1/1");
        compute_rule_figures_mvalue(1, rule.data());
        EXPECT_FLOAT_EQ(zparam[0], c.z);
    }
}

TEST_F(RuleFigures, NoInputsGiveZeroFigures)
{
    std::vector<uint8_t> rule = pack({1});
    compute_rule_figures_binary(0, rule.data());
    EXPECT_FLOAT_EQ(zparam[0], 0.0f);
    EXPECT_FLOAT_EQ(lambda, 0.0f);
    EXPECT_FLOAT_EQ(lratio, 0.0f);
    EXPECT_EQ(canaltotal, 0);
    use(3);
    compute_rule_figures_mvalue(0, rule.data());
    EXPECT_FLOAT_EQ(lratio, 0.0f);
    EXPECT_EQ(text(0), "C=0/0");
}

TEST_F(RuleFigures, ThreeValuesOneInput)
{
    use(3);
    std::vector<uint8_t> rule = pack({0, 0, 1});
    compute_rule_figures_mvalue(1, rule.data());
    // One block of three outputs 0,0,1: value 1 occurs once, adding 1 of 3.
    EXPECT_FLOAT_EQ(zparam[1], 1.0f / 3);
    EXPECT_FLOAT_EQ(zparam[2], 1.0f / 3);
    EXPECT_FLOAT_EQ(zparam[0], 1.0f / 3);
    EXPECT_FLOAT_EQ(lambda, 1.0f / 3);
    // Most frequent value 0 (2 of 3): (3 - 2) / (3 * 2 / 3) = 0.5.
    EXPECT_FLOAT_EQ(lratio, 0.5f);
}

TEST_F(RuleFigures, ThreeValuesOutputIsInputZero)
{
    use(3);
    std::vector<uint8_t> rule(4, 0);
    for (uint32_t i = 0; i < 9; i++)
        set_value(rule.data(), i, static_cast<int>(i % 3));
    compute_rule_figures_mvalue(2, rule.data());
    // Side 1: every block 0,1,2 has each value once, R_1 = 1. Side 2
    // (reflected, output = the block number) reaches 1 at level 2 through
    // three uniform sub-blocks of different outputs.
    EXPECT_FLOAT_EQ(zparam[1], 1.0f);
    EXPECT_FLOAT_EQ(zparam[2], 1.0f);
    EXPECT_FLOAT_EQ(lambda, 6.0f / 9);
    EXPECT_FLOAT_EQ(lratio, 1.0f);
    EXPECT_EQ(canaltotal, 1);
    EXPECT_EQ(get_bitlong(canal, 0), 1);
}

TEST_F(RuleFigures, TwoValuedFunctionLeavesOtherRangesAlone)
{
    zparam[0] = 0.25f;
    lambda = 0.75f;
    lratio = 0.125f;
    canal[0] = 0x05;
    use(4);
    std::vector<uint8_t> rule(16, 0x1B);
    long live = live_allocations;
    compute_rule_figures_binary(2, rule.data());
    EXPECT_FLOAT_EQ(zparam[0], 0.25f);
    EXPECT_FLOAT_EQ(lambda, 0.75f);
    EXPECT_FLOAT_EQ(lratio, 0.125f);
    EXPECT_EQ(live_allocations, live);
}

TEST_F(RuleFigures, BothFunctionsAgreeForTwoValues)
{
    srandom(99);
    for (int k = 1; k <= 8; k++) {
        for (int trial = 0; trial < 20; trial++) {
            std::vector<uint8_t> rule(32, 0);
            for (uint32_t i = 0; i < (1u << k); i++)
                set_value(rule.data(), i, static_cast<int>(random() % 2));
            // Structured rules too: copies of a smaller table give uniform
            // blocks at the higher levels.
            if (trial % 2)
                for (uint32_t i = 0; i < (1u << k); i++)
                    set_value(rule.data(), i, get_value(rule.data(), i >> (k / 2)));
            compute_rule_figures_binary(k, rule.data());
            float z[3] = {zparam[0], zparam[1], zparam[2]};
            float ld = lambda, lr = lratio;
            uint16_t ct = canaltotal;
            compute_rule_figures_mvalue(k, rule.data());
            EXPECT_FLOAT_EQ(zparam[0], z[0]) << "k=" << k;
            EXPECT_FLOAT_EQ(zparam[1], z[1]) << "k=" << k;
            EXPECT_FLOAT_EQ(zparam[2], z[2]) << "k=" << k;
            EXPECT_FLOAT_EQ(lambda, ld);
            EXPECT_FLOAT_EQ(lratio, lr);
            EXPECT_EQ(canaltotal, ct);
        }
    }
}

TEST_F(RuleFigures, CanalyzingAgainstBruteForce)
{
    srandom(5);
    for (int v = 2; v <= 4; v++) {
        use(v);
        for (int k = 1; k <= 4; k++) {
            uint64_t N = int_power(v, k);
            for (int trial = 0; trial < 30; trial++) {
                // Mostly one output, so that some inputs canalyze.
                std::vector<uint8_t> rule(128, 0);
                for (uint64_t i = 0; i < N; i++) {
                    int x = random() % 4 == 0 ? static_cast<int>(random() % v) : 0;
                    if (digit_of(i, v, trial % k) == 1)
                        x = 1;
                    set_value(rule.data(), static_cast<uint32_t>(i), x);
                }
                int expect_total = 0;
                unsigned expect_mask = 0;
                for (int p = 0; p < k; p++) {
                    for (int x = 0; x < v; x++) {
                        std::vector<int> outs;
                        for (uint64_t i = 0; i < N; i++)
                            if (digit_of(i, v, p) == x)
                                outs.push_back(get_value(rule.data(), static_cast<uint32_t>(i)));
                        bool same = true;
                        for (int o : outs)
                            same = same && o == outs[0];
                        if (same) {
                            expect_total++;
                            expect_mask |= 1u << p;
                            break;
                        }
                    }
                }
                count_canalyzing(k, rule.data());
                EXPECT_EQ(canaltotal, expect_total);
                EXPECT_EQ(canal[0] | (canal[1] << 8), expect_mask);
            }
        }
    }
}

TEST_F(RuleFigures, ReflectionReversesTheDigits)
{
    for (int v : {2, 3, 5}) {
        use(v);
        int k = 3;
        uint64_t N = int_power(v, k);
        std::vector<uint8_t> src(64, 0), dst(64, 0), twice(64, 0);
        for (uint64_t i = 0; i < N; i++)
            set_value(src.data(), static_cast<uint32_t>(i), static_cast<int>((i * i + 1) % v));
        reflect_m_ruletable(k, src.data(), dst.data());
        for (uint64_t i = 0; i < N; i++) {
            uint64_t r = 0;
            for (int j = 0; j < k; j++)
                r = r * v + static_cast<uint64_t>(digit_of(i, v, j));
            EXPECT_EQ(get_value(dst.data(), static_cast<uint32_t>(i)),
                      get_value(src.data(), static_cast<uint32_t>(r)));
        }
        reflect_m_ruletable(k, dst.data(), twice.data());
        EXPECT_EQ(unpack(twice.data(), static_cast<int>(N)), unpack(src.data(), static_cast<int>(N)));
    }
}

TEST_F(RuleFigures, SameFiguresOnASecondRun)
{
    // Nothing carries over from one call to the next.
    use(3);
    std::vector<uint8_t> rule(8, 0);
    for (uint32_t i = 0; i < 27; i++)
        set_value(rule.data(), i, static_cast<int>((i * 5 + i / 9) % 3));
    compute_rule_figures_mvalue(3, rule.data());
    float first[5] = {zparam[0], zparam[1], zparam[2], lambda, lratio};
    compute_rule_figures_mvalue(3, rule.data());
    EXPECT_EQ(first[0], zparam[0]);
    EXPECT_EQ(first[1], zparam[1]);
    EXPECT_EQ(first[2], zparam[2]);
    EXPECT_EQ(first[3], lambda);
    EXPECT_EQ(first[4], lratio);
}

} // namespace
