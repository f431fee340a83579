// The Post class test: the classes of hand-analysed tables, the answer under
// each restriction, the labels, and a brute-force oracle over random tables.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/rules/globals.h"
#include "engine/rules/rules_test_support.h"
#include "ui/rules/post_classes.h"

namespace {

class Post : public RuleTableTest {
protected:
    void TearDown() override
    {
        ptype = ptype_any;
        pmu = post_class_any;
        RuleTableTest::TearDown();
    }
    std::vector<uint8_t> rule_of(int k, int (*f)(int i))
    {
        std::vector<uint8_t> t = table(k);
        for (int i = 0; i < entries(k); i++)
            set_value(t.data(), static_cast<uint32_t>(i), f(i));
        return t;
    }
    std::string labels(int k, const std::vector<uint8_t> &t)
    {
        testing::internal::CaptureStderr();
        post_func(k, t.data(), 2, 0, 0, 0);
        return testing::internal::GetCapturedStderr();
    }
    // The direct definition: every triple (pairs with size 2) of
    // neighbourhoods with output c shares a position holding c.
    bool oracle(int k, const std::vector<uint8_t> &t, int c, int size)
    {
        std::vector<int> with;
        for (int i = 0; i < entries(k); i++)
            if (at(t, i) == c)
                with.push_back(i);
        for (int a : with)
            for (int b : with)
                for (int d : with) {
                    if (size == 2)
                        d = b;
                    bool shared = false;
                    for (int j = 0; j < k; j++)
                        shared = shared || (digit(a, j) == c && digit(b, j) == c && digit(d, j) == c);
                    if (!shared)
                        return false;
                }
        return true;
    }
};

TEST_F(Post, CopyOfInputZeroIsInAInfinityForBothValues)
{
    auto t = rule_of(3, [](int i) { return i & 1; });
    EXPECT_EQ(post_func(3, t.data(), 0, 0, 0, 0), 1);
    EXPECT_EQ(labels(3, t), " A[1]i A[0]i ");
}

TEST_F(Post, MajorityOfThreeIsInA2Only)
{
    auto t = rule_of(3, [](int i) { return __builtin_popcount(static_cast<unsigned>(i)) >= 2 ? 1 : 0; });
    EXPECT_EQ(labels(3, t), " A[1]2 A[0]2 ");
    pmu = post_class_a3;
    EXPECT_EQ(post_func(3, t.data(), 0, 0, 0, 0), 0);
    pmu = post_class_a2;
    EXPECT_EQ(post_func(3, t.data(), 0, 0, 0, 0), 1);
}

TEST_F(Post, AllZeroRuleLeavesValueOneInEveryClass)
{
    auto t = rule_of(3, [](int) { return 0; });
    EXPECT_EQ(post_func(3, t.data(), 0, 0, 0, 0), 1);
    EXPECT_EQ(labels(3, t), " A[1]i ");
    ptype = 0;
    EXPECT_EQ(post_func(3, t.data(), 0, 0, 0, 0), 0);
}

TEST_F(Post, OnlyAllZeroNeighbourhoodToOneIsInNoClass)
{
    auto t = rule_of(3, [](int i) { return i == 0 ? 1 : 0; });
    EXPECT_EQ(post_func(3, t.data(), 0, 0, 0, 0), 0);
    EXPECT_EQ(labels(3, t), " ");
}

TEST_F(Post, TypeRestrictionWithoutClassAnswersA2OfThatValue)
{
    auto t = rule_of(3, [](int i) { return __builtin_popcount(static_cast<unsigned>(i)) >= 2 ? 1 : 0; });
    ptype = 1;
    EXPECT_EQ(post_func(3, t.data(), 0, 0, 0, 0), 1);
    pmu = post_class_ainf;
    EXPECT_EQ(post_func(3, t.data(), 0, 0, 0, 0), 0);
    pmu = 7; // no such class
    EXPECT_EQ(post_func(3, t.data(), 0, 0, 0, 0), 0);
}

TEST_F(Post, AgreesWithTheDefinitionOnRandomTables)
{
    for (int v : {2, 3}) {
        use(v);
        int k = v == 2 ? 4 : 2;
        srandom(42);
        for (int n = 0; n < 300; n++) {
            std::vector<uint8_t> t = table(k);
            for (int i = 0; i < entries(k); i++)
                set_value(t.data(), static_cast<uint32_t>(i), static_cast<int>(random() % v));
            for (int c = 0; c < v; c++) {
                ptype = static_cast<uint8_t>(c);
                pmu = post_class_a3;
                EXPECT_EQ(post_func(k, t.data(), 0, 0, 0, 0), oracle(k, t, c, 3) ? 1 : 0);
                pmu = post_class_a2;
                EXPECT_EQ(post_func(k, t.data(), 0, 0, 0, 0), oracle(k, t, c, 2) ? 1 : 0);
            }
        }
    }
}

} // namespace
