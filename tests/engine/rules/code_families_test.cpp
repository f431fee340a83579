// Code families: the majority tcode's intervals and tie entry, the majority
// and Altenberg kcodes' draws replayed from the same seed, and the lucky
// reshaping, all read through the value-count tuples of the trie.
#include <cstdlib>

#include "engine/model/value_count_trie.h"
#include "engine/rules/code_families.h"
#include "rules_test_support.h"

namespace {

class Codes : public RuleTableTest {
protected:
    bool trie = false;
    void TearDown() override
    {
        drop_trie();
        RuleTableTest::TearDown();
    }
    void drop_trie()
    {
        if (trie)
            free_v_code_arrays();
        trie = false;
        nhood = 0;
    }
    // Value v, the trie built for k, and a zeroed kcode.
    std::vector<uint8_t> kcode(int v, int k)
    {
        drop_trie();
        use(v);
        nhood = static_cast<int8_t>(k);
        set_up_v_code();
        trie = true;
        return std::vector<uint8_t>(kcode_bytes(k) + 4, 0);
    }
    int last(int k) { return v_tablecodemax[k]; }
    int count(int k, int e, int j) { return get_value_flex(v_index[k][e], static_cast<uint32_t>(j), check_value_bits(k + 1)); }
    // The entry whose tuple holds these counts of 0, 1, 2.
    int entry_of(int k, int c0, int c1, int c2)
    {
        for (int e = 0; e <= last(k); e++)
            if (count(k, e, 0) == c0 && count(k, e, 1) == c1 && (value_range < 3 || count(k, e, 2) == c2))
                return e;
        return -1;
    }
};

TEST_F(Codes, MajorityTcodeCutsTheSumsIntoIntervals)
{
    use(3);
    std::vector<uint8_t> t = table(3);
    srandom(1);
    long next = random();
    srandom(1);
    majority_tcode(t.data(), 3, 6);
    EXPECT_EQ(random(), next); // no draws
    const int want[] = {0, 0, 0, 1, 1, 2, 2};
    for (int s = 0; s <= 6; s++)
        EXPECT_EQ(at(t, s), want[s]) << s;
    use(2);
    majority_tcode(t.data(), 5, 5);
    for (int s = 0; s <= 5; s++)
        EXPECT_EQ(at(t, s), s >= 3) << s;
}

TEST_F(Codes, MajorityTcodeTieIsTheKMatrixDigit)
{
    for (int k : {2, 4, 6, 8}) {
        std::vector<uint8_t> t = table(k);
        majority_tcode(t.data(), k, k);
        EXPECT_EQ(at(t, k / 2), digit(k / 2, (k + 1) / 2 - 1)) << k;
        EXPECT_EQ(at(t, k / 2), k <= 4 ? 1 : 0) << k;
        EXPECT_EQ(at(t, k / 2 - 1), 0);
        EXPECT_EQ(at(t, k / 2 + 1), 1);
    }
}

TEST_F(Codes, MajorityKcodeDrawsOnlyAmongTies)
{
    std::vector<uint8_t> c = kcode(3, 3);
    srandom(21);
    majority_or_fprintf_vcode(1, c.data(), 3);
    srandom(21);
    for (int e = 0; e <= last(3); e++) {
        int n0 = count(3, e, 0), n1 = count(3, e, 1), n2 = count(3, e, 2);
        if (n0 == 1 && n1 == 1 && n2 == 1) {
            const int tied[] = {2, 1, 0};
            EXPECT_EQ(at(c, e), tied[random() % 3]);
        } else {
            EXPECT_EQ(at(c, e), n0 >= 2 ? 0 : n1 >= 2 ? 1 : 2) << e;
        }
    }
}

TEST_F(Codes, AltenbergKcodeDrawsByShares)
{
    std::vector<uint8_t> c = kcode(3, 3);
    int e111 = entry_of(3, 1, 1, 1);
    // A seed whose draw for (1,1,1) is 999: past the truncated total 999.
    unsigned seed = 1;
    for (;; seed++) {
        srandom(seed);
        long x = 0;
        for (int e = 0; e <= e111; e++)
            x = random() % 1000;
        if (x == 999)
            break;
    }
    set_value(c.data(), static_cast<uint32_t>(e111), 2);
    srandom(seed);
    altenberg_kcode(c.data(), 3, last(3));
    EXPECT_EQ(at(c, e111), 2);
    srandom(seed);
    for (int e = 0; e <= last(3); e++) {
        // Shares of 333 per mille per input; a draw past them keeps the entry.
        long x = random() % 1000;
        int want = e == e111 ? 2 : 0, below = 0;
        for (int j = 0; j < 3; j++) {
            int bound = below + count(3, e, j) * 333;
            if (x >= below && x < bound) {
                want = j;
                break;
            }
            below = bound;
        }
        EXPECT_EQ(at(c, e), want) << e;
        if (count(3, e, 1) == 3) {
            EXPECT_EQ(at(c, e), 1);
        }
    }
}

TEST_F(Codes, LuckyKcodeWithThreeValuesAndTwoInputs)
{
    std::vector<uint8_t> c = kcode(3, 2);
    for (int e = 0; e <= last(2); e++)
        set_value(c.data(), static_cast<uint32_t>(e), 1);
    lucky_vcode(c.data(), 2);
    EXPECT_EQ(at(c, entry_of(2, 2, 0, 0)), 0);
    EXPECT_EQ(at(c, entry_of(2, 0, 2, 0)), 0);
    EXPECT_EQ(at(c, entry_of(2, 0, 0, 2)), 0);
    EXPECT_EQ(at(c, entry_of(2, 1, 1, 0)), 0);
    EXPECT_EQ(at(c, entry_of(2, 1, 0, 1)), 2);
    EXPECT_EQ(at(c, entry_of(2, 0, 1, 1)), 1);
}

} // namespace
