// Rule-table families: Altenberg, majority, chain, with their draw order
// checked against the same draws made here from the same seed.
#include <cstdlib>

#include "engine/rules/rule_families.h"
#include "rules_test_support.h"

namespace {

class Families : public RuleTableTest {};

TEST_F(Families, AltenbergWithOneInputIsTheIdentity)
{
    for (int v : {2, 3, 5}) {
        use(v);
        std::vector<uint8_t> t = table(1);
        srandom(7);
        altenberg_rule(t.data(), 1, v - 1);
        for (int i = 0; i < v; i++)
            EXPECT_EQ(at(t, i), i) << "v=" << v;
    }
}

TEST_F(Families, AltenbergDrawsOnePositionPerEntryFromTheTop)
{
    std::vector<uint8_t> t = table(4);
    srandom(11);
    altenberg_rule(t.data(), 4, 15);
    srandom(11);
    for (int i = 15; i >= 0; i--) {
        int p = static_cast<int>(random() % 4);
        EXPECT_EQ(at(t, i), digit(i, p)) << i;
    }
}

TEST_F(Families, MajorityDrawsOnlyForTies)
{
    std::vector<uint8_t> t = table(4);
    srandom(3);
    majority_rule(t.data(), 4, 15);
    srandom(3);
    for (int i = 0; i < 16; i++) {
        int ones = __builtin_popcount(static_cast<unsigned>(i));
        if (ones == 2) {
            long r = random();
            int tied[2] = {1, 0};
            EXPECT_EQ(at(t, i), tied[r % 2]) << i;
        } else {
            EXPECT_EQ(at(t, i), ones > 2 ? 1 : 0) << i;
        }
    }
}

TEST_F(Families, MajorityOfThreeDifferentValuesDrawsAmongAll)
{
    use(3);
    std::vector<uint8_t> t = table(3);
    srandom(5);
    majority_rule(t.data(), 3, 26);
    srandom(5);
    for (int i = 0; i < 27; i++) {
        int a = digit(i, 0), b = digit(i, 1), c = digit(i, 2);
        if (a != b && b != c && a != c) {
            int tied[3] = {2, 1, 0};
            EXPECT_EQ(at(t, i), tied[random() % 3]);
        } else {
            int major = a == b || a == c ? a : b;
            EXPECT_EQ(at(t, i), major);
        }
    }
}

TEST_F(Families, ChainRulePairsAlwaysDiffer)
{
    for (unsigned seed = 1; seed <= 20; seed++) {
        srandom(seed);
        std::vector<uint8_t> t = table(4);
        bool reflected = (random() & 1) != 0;
        srandom(seed);
        draw_chain_table(t.data(), 4, 15);
        for (int m = 0; m < 8; m++) {
            if (reflected)
                EXPECT_NE(at(t, m), at(t, m + 8));
            else
                EXPECT_NE(at(t, 2 * m), at(t, 2 * m + 1));
        }
    }
}

TEST_F(Families, ChainRuleBlocksArePermutationsForThreeValues)
{
    use(3);
    for (unsigned seed = 1; seed <= 10; seed++) {
        srandom(seed);
        bool reflected = (random() & 1) != 0;
        srandom(seed);
        std::vector<uint8_t> t = table(2);
        draw_chain_table(t.data(), 2, 8);
        for (int other = 0; other < 3; other++) {
            int seen = 0;
            for (int pivot = 0; pivot < 3; pivot++) {
                int i = reflected ? other + 3 * pivot : pivot + 3 * other;
                seen |= 1 << at(t, i);
            }
            EXPECT_EQ(seen, 7) << "seed " << seed;
        }
    }
}

TEST_F(Families, ChainRuleOfIndexZeroPassesItsZTest)
{
    for (unsigned seed = 1; seed <= 10; seed++) {
        srandom(seed);
        std::vector<uint8_t> t = table(5);
        ASSERT_EQ(chain_rule(t.data(), 5, 31, 0), 1);
        EXPECT_GE(zparam[1], 0.5f);
        EXPECT_GE(zparam[2], 0.5f);
        EXPECT_FALSE(zparam[1] == 1.0f && zparam[2] == 1.0f);
    }
}

TEST_F(Families, ChainRuleOfAnotherIndexWithTwoInputsTakesTheFirstDraw)
{
    srandom(9);
    std::vector<uint8_t> first = table(2);
    draw_chain_table(first.data(), 2, 3);
    srandom(9);
    std::vector<uint8_t> t = table(2);
    EXPECT_EQ(chain_rule(t.data(), 2, 3, 4), 1);
    EXPECT_EQ(t, first);
}

} // namespace
