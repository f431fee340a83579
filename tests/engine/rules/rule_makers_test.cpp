// Rules the dialogs make by themselves: the life rule against a blinker,
// the mixed-k majority against a count of inputs, the self-wiring rule,
// random draws in their order, the capped Post draw, the similar kcode of
// another k, typed rule numbers and sample file checks.
#include <cstdlib>
#include <cstring>

#include "engine/rules/globals.h"
#include "engine/rules/post_classes.h"
#include "engine/rules/rule_makers.h"
#include "rules_test_support.h"

namespace {

class RuleMakers : public RuleTableTest {
protected:
    void TearDown() override
    {
        ptype = ptype_any;
        pmu = post_class_any;
        RuleTableTest::TearDown();
    }
};

// One step of a 5 x 5 wrapped grid under a 9-input rule table whose input
// positions are the Moore neighbourhood, position 4 the centre.
std::vector<int>
moore_step(const std::vector<uint8_t> &rule, const std::vector<int> &grid)
{
    std::vector<int> next(25);
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 5; x++) {
            uint32_t index = 0;
            int p = 0;
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++, p++)
                    if (grid[static_cast<size_t>(((y + dy + 5) % 5) * 5 + (x + dx + 5) % 5)])
                        index |= 1u << p;
            next[static_cast<size_t>(y * 5 + x)] = get_value(rule.data(), index);
        }
    return next;
}

TEST_F(RuleMakers, LifeRuleWithNineInputsTurnsABlinker)
{
    std::vector<uint8_t> t = table(9);
    life_rule(t.data(), 9, 511);
    std::vector<int> row(25, 0), column(25, 0);
    for (int i = 1; i <= 3; i++) {
        row[static_cast<size_t>(2 * 5 + i)] = 1;
        column[static_cast<size_t>(i * 5 + 2)] = 1;
    }
    EXPECT_EQ(moore_step(t, row), column);
    EXPECT_EQ(moore_step(t, column), row);
    std::vector<int> block(25, 0);
    for (int i : {6, 7, 11, 12})
        block[static_cast<size_t>(i)] = 1;
    EXPECT_EQ(moore_step(t, block), block);
}

TEST_F(RuleMakers, LifeRuleForThreeValuesStepsTheCentre)
{
    use(3);
    std::vector<uint8_t> t = table(5);
    life_rule(t.data(), 5, 242);
    // k = 5: centre position 2, m = 10, m/3 = 3, 2m/9 = 2.2, 4m/9 = 4.4.
    auto index = [](int centre, int a, int b, int c, int d) {
        return a + 3 * b + 9 * centre + 27 * c + 81 * d;
    };
    EXPECT_EQ(at(t, index(0, 1, 1, 1, 0)), 1);  // others 3: up
    EXPECT_EQ(at(t, index(1, 1, 2, 0, 0)), 2);  // others 3: up
    EXPECT_EQ(at(t, index(2, 1, 2, 0, 0)), 2);  // top stays
    EXPECT_EQ(at(t, index(2, 1, 1, 0, 0)), 1);  // others 2, below 2.2: down
    EXPECT_EQ(at(t, index(1, 2, 2, 1, 0)), 0);  // others 5, above 4.4: down
    EXPECT_EQ(at(t, index(0, 2, 2, 2, 2)), 0);  // a 0 centre never goes down
    EXPECT_EQ(at(t, index(1, 1, 1, 1, 1)), 1);  // others 4: stays
}

TEST_F(RuleMakers, LifeRuleIsDefinedForSmallK)
{
    std::vector<uint8_t> t = table(3);
    life_rule(t.data(), 3, 7);
    // k = 3: centre position 1; only all three at 1 (a 1 centre, sum 3) lives.
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(at(t, i), i == 7 ? 1 : 0) << i;
}

TEST_F(RuleMakers, MixedMajorityFollowsTheCountAndTiesTakeTheMiddleInput)
{
    for (int k : {3, 4}) {
        std::vector<uint8_t> t = table(k);
        mixed_majority_rule(t.data(), k, entries(k) - 1, false);
        for (int i = 0; i < entries(k); i++) {
            int ones = __builtin_popcount(static_cast<unsigned>(i));
            int want = 2 * ones > k ? 1 : 2 * ones < k ? 0 : (i >> (k / 2 - 1)) & 1;
            EXPECT_EQ(at(t, i), want) << "k=" << k << " i=" << i;
        }
        mixed_majority_rule(t.data(), k, entries(k) - 1, true);
        EXPECT_EQ(at(t, 0), 1);
        EXPECT_EQ(at(t, entries(k) - 1), 0);
    }
}

TEST_F(RuleMakers, MixedMajorityForThreeValuesIsTheGeneralMajority)
{
    use(3);
    std::vector<uint8_t> t = table(3);
    mixed_majority_rule(t.data(), 3, 26, true);
    EXPECT_EQ(at(t, 0), 0);   // not flipped for v > 2
    EXPECT_EQ(at(t, 26), 2);
    EXPECT_EQ(at(t, 1 + 3 * 1 + 9 * 2), 1);
}

TEST_F(RuleMakers, SelfWiringRuleKeepsEveryValue)
{
    for (int v : {2, 3, 8}) {
        use(v);
        std::vector<uint8_t> t = table(1);
        memset(t.data(), 0xff, t.size());
        self_wiring_rule(t.data());
        for (int u = 0; u < v; u++)
            EXPECT_EQ(at(t, u), u);
    }
}

TEST_F(RuleMakers, RandomRuleDrawsFromTheTopAndForcesZero)
{
    std::vector<uint8_t> t = table(4);
    srandom(21);
    random_rule_table(t.data(), 15, false);
    srandom(21);
    for (int i = 15; i >= 0; i--)
        EXPECT_EQ(at(t, i), random() % 100 < 50 ? 0 : 1) << i;
    memset(t.data(), 0xff, t.size());
    random_rule_table(t.data(), 15, true);
    EXPECT_EQ(at(t, 0), 0);
    use(3);
    std::vector<uint8_t> c = table(3);
    srandom(4);
    random_code(c.data(), 6, false);
    srandom(4);
    for (int i = 6; i >= 0; i--)
        EXPECT_EQ(at(c, i), random() % 3) << i;
}

TEST_F(RuleMakers, PostDrawGivesUpWhenNoRuleCanPass)
{
    ptype = 5;  // a value v = 2 has not: no table answers
    pmu = post_class_a2;
    std::vector<uint8_t> t = table(2);
    EXPECT_FALSE(draw_post_rule(t.data(), 2, 3));
    ptype = 1;
    pmu = post_class_ainf;
    std::vector<uint8_t> u = table(3);
    ASSERT_TRUE(make_mix_rule('P', u.data(), 3, false, 3));
    post_flags f;
    ASSERT_TRUE(find_post_classes(3, u.data(), &f));
    EXPECT_TRUE(f.ai[1]);
}

TEST_F(RuleMakers, SimilarKcodeOfOneInputReadsOnlyItsTwoEntries)
{
    // v = 2, k = 1: entries 0 and 1; the bit above them is not an entry.
    uint8_t old = 0x02;
    std::vector<uint8_t> c = similar_kcode(&old, 1, 2);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(get_value(c.data(), 0), 0);
    EXPECT_EQ(get_value(c.data(), 1), 1);
    EXPECT_EQ(get_value(c.data(), 2), 1);  // the old top entry
}

TEST_F(RuleMakers, SimilarKcodeKeepsTheLowestAndHighestEntries)
{
    use(3);
    // v = 3: k = 2 has 6 entries, k = 3 has 10.
    std::vector<uint8_t> old(kcode_bytes(2), 0);
    for (int i = 0; i < 6; i++)
        set_value(old.data(), static_cast<uint32_t>(i), (i * 2 + 1) % 3);
    std::vector<uint8_t> up = similar_kcode(old.data(), 2, 3);
    EXPECT_EQ(up.size(), kcode_bytes(3));
    EXPECT_EQ(get_value(up.data(), 0), get_value(old.data(), 0));
    EXPECT_EQ(get_value(up.data(), 9), get_value(old.data(), 5));
    EXPECT_EQ(get_value(up.data(), 8), get_value(old.data(), 4));
    std::vector<uint8_t> down = similar_kcode(up.data(), 3, 2);
    EXPECT_EQ(get_value(down.data(), 5), get_value(up.data(), 9));
    EXPECT_EQ(get_value(down.data(), 0), get_value(up.data(), 0));
}

TEST_F(RuleMakers, TypedNumbersAboveTheLimitAreNotNarrowed)
{
    uint32_t n = 7;
    EXPECT_FALSE(typed_number_within("9999999999\r", 11, 4294967295u, &n));
    EXPECT_FALSE(typed_number_within("4294967296", 10, 4294967295u, &n));
    EXPECT_FALSE(typed_number_within("99999999999999999999999", 23, UINT64_MAX, &n));
    EXPECT_FALSE(typed_number_within("256", 3, 255, &n));
    EXPECT_FALSE(typed_number_within("\r", 1, 255, &n));
    EXPECT_FALSE(typed_number_within("x1", 2, 255, &n));
    EXPECT_EQ(n, 7u);
    EXPECT_TRUE(typed_number_within("110\r", 4, 255, &n));
    EXPECT_EQ(n, 110u);
    EXPECT_TRUE(typed_number_within("4294967295", 10, 4294967295u, &n));
    EXPECT_EQ(n, 4294967295u);
}

} // namespace
