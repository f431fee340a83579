// The rule changes of the running-pattern keys: recorded single flips and
// their undo most recent first, family keys that leave uniform
// neighbourhoods to themselves, and random rules of lattices.
#include "engine/forward/forward_test_support.h"

#include "engine/forward/bit_flips.h"

namespace {

std::vector<int>
rule_values()
{
    std::vector<int> values(rule_entries(nhood));
    for (uint32_t i = 0; i < values.size(); i++)
        values[i] = get_value(carule[0], i);
    return values;
}

// A forward-only run holds the flip record from its start.
struct FlipRecord {
    FlipRecord()
    {
        direction = direction_forward;
        limitcheck = 0;
        bitflipcount = 0;
        flippos = static_cast<uint16_t *>(checked_calloc(1, sizeof(uint16_t), "flippos"));
        if (value_range > 2)
            flipvalue = static_cast<uint8_t *>(checked_calloc(1, 1, "flipvalue"));
    }
    ~FlipRecord()
    {
        checked_free(flippos);
        checked_free(flipvalue);
        flippos = nullptr;
        flipvalue = nullptr;
        bitflipcount = 0;
    }
};

void
no_measure(int, uint8_t *)
{
}

TEST(BitFlips, ThreeFlipsUndoneGiveTheRuleBackAndAFourthUndoDoesNothing)
{
    srandom(11);
    TestNetwork net(2, 12, 5);
    FlipRecord record;
    TestNetwork::set_random_rule();
    std::vector<int> original = rule_values();
    std::vector<int32_t> flipped;
    for (int i = 0; i < 3; i++) {
        std::vector<int> before = rule_values();
        int32_t p = change_rules_by_key('1', no_measure);
        ASSERT_GE(p, 0);
        std::vector<int> after = rule_values();
        EXPECT_NE(before[p], after[p]);
        after[p] = before[p];
        EXPECT_EQ(after, before) << "one entry only";
        flipped.push_back(p);
    }
    EXPECT_EQ(bitflipcount, 3u);
    for (int i = 2; i >= 0; i--)
        EXPECT_EQ(undo_rule_flip(), flipped[i]) << "most recent first";
    EXPECT_EQ(bitflipcount, 0u);
    EXPECT_EQ(rule_values(), original);
    EXPECT_EQ(undo_rule_flip(), -1);
    EXPECT_EQ(rule_values(), original);
}

TEST(BitFlips, ManyValuedFlipChangesTheEntryAndTheUndoPutsTheOldValueBack)
{
    srandom(3);
    TestNetwork net(3, 8, 3);
    FlipRecord record;
    TestNetwork::set_random_rule();
    std::vector<int> original = rule_values();
    for (int i = 0; i < 20; i++) {
        std::vector<int> before = rule_values();
        int32_t p = change_rules_by_key('1', no_measure);
        EXPECT_NE(get_value(carule[0], p), before[p]);
    }
    while (undo_rule_flip() >= 0) {
    }
    EXPECT_EQ(rule_values(), original);
}

TEST(BitFlips, AnAttractorSearchFlipsWithoutRecording)
{
    srandom(4);
    TestNetwork net(2, 8, 3);
    FlipRecord record;
    limitcheck = 10000;
    std::vector<int> before = rule_values();
    EXPECT_GE(change_rules_by_key('1', no_measure), 0);
    EXPECT_NE(rule_values(), before);
    EXPECT_EQ(bitflipcount, 0u);
    EXPECT_EQ(undo_rule_flip(), -1);
}

TEST(BitFlips, UniformNeighbourhoodsKeepTheirValue)
{
    srandom(8);
    TestNetwork net(3, 6, 3);
    TestNetwork::set_random_rule();
    change_rules_by_key('B', no_measure);
    // All inputs u: index u * (1 + 3 + 9).
    for (int u = 0; u < 3; u++)
        EXPECT_EQ(get_value(carule[0], static_cast<uint32_t>(u * 13)), u);
}

TEST(BitFlips, RandomRuleOfALatticeMapsAllZeroToZero)
{
    TestNetwork net(2, 2, 4, 4, 1, 5);
    for (int seed = 1; seed < 40; seed++) {
        srandom(seed);
        set_value(carule[0], 0, 1);
        change_rules_by_key('r', no_measure);
        EXPECT_EQ(get_value(carule[0], 0), 0);
    }
}

TEST(BitFlips, UnderTotOnlyTheRandomKeysBecomeTheNetworksCode)
{
    tot_only = 1;
    totalistic = rule_kind_kcodes;
    EXPECT_EQ(flip_key('r'), 'k');
    EXPECT_EQ(flip_key('K'), 'k');
    totalistic = rule_kind_tcodes;
    EXPECT_EQ(flip_key('k'), 'K');
    EXPECT_EQ(flip_key('A'), 'A');
    tot_only = 0;
    totalistic = rule_kind_tables;
    EXPECT_EQ(flip_key('r'), 'r');
}

} // namespace
