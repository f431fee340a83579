// Symmetric and legal rules: the groups of each lattice are groups of the
// right size, random rules are invariant under them over many seeds, legal
// rules map uniform neighbourhoods to their value, and the draws are made
// one per index from the top, so one seed gives one rule.
#include <cstdlib>
#include <iterator>
#include <set>

#include "engine/rules/symmetric_rules.h"
#include "rules_test_support.h"

namespace {

class Symmetric : public RuleTableTest {
protected:
    void SetUp() override { RuleTableTest::SetUp(); shape(1, 0, 0); }
    void TearDown() override { shape(0, 0, 0); RuleTableTest::TearDown(); }
    void shape(int one, int two, int three)
    {
        oned = static_cast<uint8_t>(one);
        twod = static_cast<uint8_t>(two);
        threed = static_cast<uint8_t>(three);
    }
    std::vector<uint8_t> rule(char mode, int k, unsigned seed)
    {
        std::vector<uint8_t> t = table(k);
        srandom(seed);
        symmetric_rule(mode, t.data(), k, entries(k) - 1);
        return t;
    }
    void expect_invariant(int k, const std::vector<uint8_t> &t)
    {
        for (const std::vector<int> &g : lattice_symmetry_group(k).members)
            for (int i = 0; i < entries(k); i++)
                ASSERT_EQ(at(t, i), at(t, static_cast<int>(image_index(static_cast<uint32_t>(i), g, k))))
                    << "k=" << k << " i=" << i;
    }
    size_t classes(int k)
    {
        std::set<uint32_t> smallest;
        for (uint32_t i = 0; i < static_cast<uint32_t>(entries(k)); i++) {
            uint32_t low = i;
            for (const std::vector<int> &g : lattice_symmetry_group(k).members)
                low = std::min(low, image_index(i, g, k));
            smallest.insert(low);
        }
        return smallest.size();
    }
};

TEST_F(Symmetric, OneSeedGivesOneRuleWithPairsTakingTheDrawAtTheirHigherIndex)
{
    std::vector<uint8_t> t = rule('s', 3, 9);
    srandom(9);
    int draw[8];
    for (int i = 7; i >= 0; i--)
        draw[i] = static_cast<int>(random() % 2);
    EXPECT_EQ(at(t, 1), draw[4]);
    EXPECT_EQ(at(t, 4), draw[4]);
    EXPECT_EQ(at(t, 3), draw[6]);
    EXPECT_EQ(at(t, 6), draw[6]);
    for (int i : {0, 2, 5, 7})
        EXPECT_EQ(at(t, i), draw[i]) << i;
    // Exactly v^k draws: the next one is the ninth of the seed.
    long ninth = random();
    EXPECT_EQ(rule('s', 3, 9), t);
    EXPECT_EQ(random(), ninth);
}

TEST_F(Symmetric, GroupsAreClosedAndOfTheirSize)
{
    // 2d k = 3 reflects; a 3d lattice with k = 5 has the identity alone; a
    // hypercube (no dimension flag) reflects.
    struct Case { int one, two, three, k; size_t size; } cases[] = {
        {1, 0, 0, 5, 2}, {0, 2, 0, 3, 2}, {0, 0, 3, 6, 24}, {0, 0, 3, 7, 24}, {0, 0, 3, 5, 1},
        {0, 0, 0, 4, 2}};
    std::vector<Case> all(std::begin(cases), std::end(cases));
    for (int k = 4; k <= 13; k++)
        all.push_back({0, 2, 0, k, size_t(k == 6 || k == 7 ? 6 : 4)});
    for (const Case &c : all) {
        shape(c.one, c.two, c.three);
        symmetry_group group = lattice_symmetry_group(c.k);
        std::set<std::vector<int>> members(group.members.begin(), group.members.end());
        ASSERT_EQ(members.size(), c.size) << "k=" << c.k;
        for (const auto &a : group.members)
            for (const auto &b : group.members) {
                std::vector<int> ab(static_cast<size_t>(c.k));
                for (int p = 0; p < c.k; p++)
                    ab[static_cast<size_t>(p)] = a[static_cast<size_t>(b[static_cast<size_t>(p)])];
                EXPECT_TRUE(members.count(ab)) << "k=" << c.k;
            }
    }
}

TEST_F(Symmetric, RulesAreInvariantUnderTheirGroupForManySeeds)
{
    struct Case { int v, one, two, three, k; } cases[] = {
        {2, 1, 0, 0, 5}, {3, 1, 0, 0, 4}, {2, 0, 2, 0, 5}, {2, 0, 2, 0, 6}, {2, 0, 2, 0, 7},
        {2, 0, 2, 0, 9}, {3, 0, 2, 0, 4}, {2, 0, 0, 3, 6}, {2, 0, 0, 3, 7}, {2, 0, 0, 0, 4}};
    for (const Case &c : cases) {
        use(c.v);
        shape(c.one, c.two, c.three);
        for (unsigned seed = 1; seed <= 20; seed++)
            expect_invariant(c.k, rule(seed % 2 ? 's' : 'S', c.k, seed));
    }
}

TEST_F(Symmetric, CubeWithSixFacesHasTenClasses)
{
    shape(0, 0, 3);
    EXPECT_EQ(classes(6), 10u);
    // 2d, k = 5: the centre is fixed by every rotation.
    shape(0, 2, 0);
    for (const auto &g : lattice_symmetry_group(5).members)
        EXPECT_EQ(g[2], 2);
}

TEST_F(Symmetric, LegalRulesMapUniformNeighbourhoodsToTheirValue)
{
    for (int v : {2, 3, 4}) {
        use(v);
        for (unsigned seed = 1; seed <= 30; seed++) {
            std::vector<uint8_t> t = rule('S', 3, seed);
            for (int c = 0; c < v; c++)
                EXPECT_EQ(at(t, c * (v * v + v + 1)), c) << "v=" << v << " seed=" << seed;
        }
    }
}

} // namespace
