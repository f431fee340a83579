// The skeleton types: the bit difference over whole bytes, the tolerance
// thresholds, when a run's skeleton makes a sample and with what settling
// step, matching exactly or by tolerance, the sorts against a stable sort
// made here, and the clear (every block freed).
#include "engine/forward/forward_test_support.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "engine/measures/skeleton_type_table.h"

namespace {

// A skeleton line of bytesL bytes with the given bits set.
std::vector<uint8_t>
skeleton(std::initializer_list<uint32_t> bits)
{
    std::vector<uint8_t> line(bytesL, 0);
    for (uint32_t b : bits)
        set_bitlong(line.data(), b, 1);
    return line;
}

// Runs one skeleton for `steps` steps from a cleared reference, as a run
// does; returns the types recorded (0 for steps without a sample).
std::vector<uint32_t>
hold(skeleton_type_table &t, const std::vector<uint8_t> &line, int steps, skeleton_settings s,
     uint32_t first_time = 1)
{
    std::vector<uint8_t> frozen(bytesL), ref(bytesL, 0);
    uint32_t stable = 0;
    std::vector<uint32_t> types;
    for (int i = 0; i < steps; i++) {
        frozen = line;
        types.push_back(record_skeleton_step(t, frozen.data(), ref.data(), stable, s,
                                             first_time + static_cast<uint32_t>(i), 3, 4));
        end_skeleton_step(frozen.data(), ref.data(), stable);
        EXPECT_EQ(frozen, std::vector<uint8_t>(bytesL, 0)) << "the skeleton line was not cleared";
    }
    return types;
}

TEST(SkeletonTypes, BitDifferenceCountsEveryBitOfEveryByte)
{
    TestNetwork net(2, 20, 3);
    ASSERT_EQ(bytesL, 3u);
    std::vector<uint8_t> a = skeleton({0, 5, 19}), b = skeleton({0, 6, 19});
    EXPECT_EQ(bit_difference(a.data(), b.data(), bytesL), 2u);
    // Bits past the last cell (20..23) count as well.
    std::vector<uint8_t> c = skeleton({0, 5, 19, 22});
    EXPECT_EQ(bit_difference(a.data(), c.data(), bytesL), 1u);
    EXPECT_FALSE(same_skeleton(a.data(), c.data(), 100));
    EXPECT_TRUE(same_skeleton(a.data(), c.data(), 95)); // 1 bit of 20 allowed
}

TEST(SkeletonTypes, ThresholdsOfTheTolerances)
{
    EXPECT_EQ(tolerance_threshold(90, 20), 2u);
    EXPECT_EQ(tolerance_threshold(70, 10), 3u);
    EXPECT_EQ(tolerance_threshold(99, 50), 0u);  // 0.5 truncated
    EXPECT_EQ(tolerance_threshold(100, 20), 0u);
    EXPECT_EQ(tolerance_threshold(0, 20), 20u);
    EXPECT_EQ(tolerance_threshold(33.5f, 1000), 665u);
}

TEST(SkeletonTypes, NinetyPercentOfTwentyCellsAllowsTwoBits)
{
    TestNetwork net(2, 20, 3);
    std::vector<uint8_t> base = skeleton({1, 2, 3, 10});
    EXPECT_TRUE(same_skeleton(base.data(), skeleton({1, 2, 3, 10, 11, 12}).data(), 90));
    EXPECT_FALSE(same_skeleton(base.data(), skeleton({1, 2, 3, 10, 11, 12, 13}).data(), 90));

    skeleton_settings s;
    s.stable_steps = 2;
    s.type_tolerance = 90;
    skeleton_type_table t;
    EXPECT_EQ(hold(t, base, 4, s).back(), 1u);
    EXPECT_EQ(hold(t, skeleton({1, 2, 3}), 4, s).back(), 1u);           // 1 bit off
    EXPECT_EQ(hold(t, skeleton({1, 2, 10, 11}), 4, s).back(), 1u);      // 2 bits off
    EXPECT_EQ(hold(t, skeleton({1, 2, 10, 11, 12}), 4, s).back(), 2u);  // 3 bits off
    EXPECT_EQ(t.types, 2u);
    EXPECT_EQ(t.att_type_no[1], 3u);
    clear_skeleton_types(t);
}

TEST(SkeletonTypes, AtFullToleranceOnlyIdenticalSkeletonsMatch)
{
    TestNetwork net(2, 20, 3);
    skeleton_settings s;
    s.stable_steps = 1;
    skeleton_type_table t;
    EXPECT_EQ(hold(t, skeleton({4, 7}), 3, s).back(), 1u);
    EXPECT_EQ(hold(t, skeleton({4, 7}), 3, s).back(), 1u);
    EXPECT_EQ(hold(t, skeleton({4}), 3, s).back(), 2u);
    EXPECT_EQ(hold(t, skeleton({4, 7, 21}), 3, s).back(), 3u); // differs past the last cell only
    EXPECT_EQ(t.att_type_no[1], 2u);
    EXPECT_EQ(t.samples, 4u);
    clear_skeleton_types(t);
}

TEST(SkeletonTypes, ASampleAfterTheStableStepsWithItsSettlingStep)
{
    TestNetwork net(2, 20, 3);
    skeleton_settings s;
    s.stable_steps = 5;
    skeleton_type_table t;
    // Step 1 makes the reference; steps 2.. grow the stretch 1, 2, ...; the
    // stretch exceeds 5 at step 7, which settled at step 7 - 6 = 1.
    std::vector<uint32_t> types = hold(t, skeleton({3, 9}), 7, s, 1);
    EXPECT_EQ(std::count(types.begin(), types.end(), 0u), 6);
    EXPECT_EQ(types.back(), 1u);
    EXPECT_FLOAT_EQ(t.att_type_avtrans[1], 1.0f);
    EXPECT_FLOAT_EQ(t.type_fr0s[1], 100.0f * 3 / 20);
    EXPECT_FLOAT_EQ(t.type_fr1s[1], 100.0f * 4 / 20);
    // A second sample of the type settling at step 11: the mean is 6.
    types = hold(t, skeleton({3, 9}), 7, s, 11);
    EXPECT_EQ(types.back(), 1u);
    EXPECT_FLOAT_EQ(t.att_type_avtrans[1], 6.0f);
    clear_skeleton_types(t);
}

TEST(SkeletonTypes, ASkeletonChangingEveryStepNeverMakesASample)
{
    TestNetwork net(2, 20, 3);
    skeleton_settings s;
    s.stable_steps = 2;
    skeleton_type_table t;
    std::vector<uint8_t> frozen(bytesL), ref(bytesL, 0);
    uint32_t stable = 0;
    for (uint32_t step = 1; step <= 200; step++) {
        frozen = skeleton({step % 20});
        EXPECT_EQ(record_skeleton_step(t, frozen.data(), ref.data(), stable, s, step, 1, 0), 0u);
        end_skeleton_step(frozen.data(), ref.data(), stable);
    }
    EXPECT_EQ(t.samples, 0u);
    EXPECT_EQ(t.types, 0u);
    // With a step tolerance that allows the 2 bits of difference it settles.
    s.step_tolerance = 90;
    uint32_t made = 0;
    for (uint32_t step = 1; step <= 10; step++) {
        frozen = skeleton({step % 20});
        made += record_skeleton_step(t, frozen.data(), ref.data(), stable, s, step, 1, 0) != 0;
        end_skeleton_step(frozen.data(), ref.data(), stable);
    }
    EXPECT_GT(made, 0u);
    clear_skeleton_types(t);
}

using skeleton_entry = std::tuple<uint32_t, float, float, float, std::vector<uint8_t>>;

std::vector<skeleton_entry>
entries_of(const skeleton_type_table &t)
{
    std::vector<skeleton_entry> e;
    for (uint32_t u = 1; u <= t.types; u++)
        e.emplace_back(t.att_type_no[u], t.type_fr0s[u], t.type_fr1s[u], t.att_type_avtrans[u],
                       std::vector<uint8_t>(t.att_type_state[u], t.att_type_state[u] + bytesL));
    return e;
}

TEST(SkeletonTypes, SortsAreStableDescendingAndKeepEachType)
{
    TestNetwork net(2, 20, 3);
    srandom(20);
    skeleton_settings s;
    s.stable_steps = 0;
    skeleton_type_table t;
    std::vector<uint8_t> frozen(bytesL), ref(bytesL);
    uint32_t stable = 0;
    // Skeletons of a few kinds, each sample with its own frozen counts, so
    // that counts, percentages and settling steps tie here and there.
    for (uint32_t i = 0; i < 300; i++) {
        frozen = skeleton({static_cast<uint32_t>(random() % 6)});
        ref = frozen;
        stable = 0;
        uint32_t zeros = static_cast<uint32_t>(random() % 3), ones = static_cast<uint32_t>(random() % 3);
        record_skeleton_step(t, frozen.data(), ref.data(), stable, s,
                             1 + static_cast<uint32_t>(random() % 4), zeros, ones);
    }
    ASSERT_GT(t.types, 3u);
    for (skeleton_sort key : {skeleton_sort::frozen_0s, skeleton_sort::frozen_1s, skeleton_sort::frozen,
                              skeleton_sort::settling, skeleton_sort::frequency}) {
        SCOPED_TRACE(static_cast<int>(key));
        std::vector<skeleton_entry> expected = entries_of(t);
        auto key_of = [key](const skeleton_entry &e) -> double {
            switch (key) {
            case skeleton_sort::frozen_0s:
                return std::get<1>(e);
            case skeleton_sort::frozen_1s:
                return std::get<2>(e);
            case skeleton_sort::frozen:
                return static_cast<double>(std::get<1>(e)) + std::get<2>(e);
            case skeleton_sort::settling:
                return std::get<3>(e);
            default:
                return std::get<0>(e);
            }
        };
        for (bool exchanged = true; exchanged;) {
            exchanged = false;
            for (size_t i = 1; i < expected.size(); i++)
                if (key_of(expected[i - 1]) < key_of(expected[i])) {
                    std::swap(expected[i - 1], expected[i]);
                    exchanged = true;
                }
        }
        sort_skeleton_types(t, key);
        EXPECT_EQ(entries_of(t), expected);
        sort_skeleton_types(t, key);
        EXPECT_EQ(entries_of(t), expected) << "a second sort changed the order";
    }
    clear_skeleton_types(t);
}

TEST(SkeletonTypes, TypesOfAnotherSizeAreClearedNotCompared)
{
    TestNetwork net(2, 20, 3);
    skeleton_settings s;
    s.stable_steps = 1;
    skeleton_type_table t;
    EXPECT_EQ(hold(t, skeleton({2}), 3, s).back(), 1u);
    const auto cells = lineL;
    const auto bytes = bytesL;
    lineL = 80;
    bytesL = 10;
    EXPECT_EQ(hold(t, skeleton({2}), 3, s).back(), 1u);
    EXPECT_EQ(t.samples, 1u) << "the skeleton of the old size was kept";
    clear_skeleton_types(t);
    lineL = cells;
    bytesL = bytes;
}

TEST(SkeletonTypes, ClearFreesEveryTypeAndStartsAgainAtTypeOne)
{
    TestNetwork net(2, 20, 3);
    long before = live_allocations;
    skeleton_settings s;
    s.stable_steps = 1;
    skeleton_type_table t;
    for (int round = 0; round < 2; round++) {
        for (uint32_t b = 0; b < 20; b++)
            hold(t, skeleton({b}), 3, s);
        EXPECT_EQ(t.types, 20u);
        clear_skeleton_types(t);
        EXPECT_EQ(live_allocations, before) << "round " << round;
        EXPECT_EQ(hold(t, skeleton({7}), 3, s).back(), 1u);
        EXPECT_EQ(t.samples, 1u);
        clear_skeleton_types(t);
    }
    EXPECT_EQ(live_allocations, before);
}

} // namespace
