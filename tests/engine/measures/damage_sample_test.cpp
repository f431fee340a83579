// The sample logic of damage statistics on scripted damage series: where a
// healed pair, a steady damage and a changing one end their samples, and
// that nothing ends within the delay.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "engine/measures/damage_sample.h"

namespace {

// The step (t from 1) at which the series ends its sample, 0 if none.
uint32_t
end_of(const std::vector<uint32_t> &damages, uint32_t delay, uint32_t same_steps)
{
    damage_sample s;
    for (size_t i = 0; i < damages.size(); i++)
        if (damage_sample_step(s, damages[i], static_cast<uint32_t>(i + 1), delay, same_steps))
            return static_cast<uint32_t>(i + 1);
    return 0;
}

TEST(DamageSample, AHealedPairEndsAtOnceOncePastTheDelay)
{
    EXPECT_EQ(end_of({2, 0, 0}, 0, 5), 3u);
    EXPECT_EQ(end_of({0}, 0, 5), 1u);
    // Within a delay of 3 the halves agree (no cell is flipped yet): no end
    // until t = 4.
    EXPECT_EQ(end_of({0, 0, 0, 0, 0}, 3, 5), 4u);
    EXPECT_EQ(end_of({0, 0, 0}, 3, 5), 0u);
}

TEST(DamageSample, ASteadyDamageEndsAfterTheSameDamageSteps)
{
    // Six steps in a row equal to the one before with same_steps 5.
    EXPECT_EQ(end_of({3, 4, 4, 4, 4, 4, 4, 4, 4}, 0, 5), 8u);
    EXPECT_EQ(end_of({3, 4, 4, 4, 4, 4, 4}, 0, 5), 0u);
    // A change starts the run again.
    EXPECT_EQ(end_of({4, 4, 4, 4, 5, 5, 5, 5, 5, 5, 5}, 0, 5), 11u);
    EXPECT_EQ(end_of({1, 1, 1}, 0, 1), 3u);
    // Equal steps within the delay do not count toward the run.
    EXPECT_EQ(end_of({2, 2, 2, 2, 2, 2, 2, 2, 2, 2}, 4, 3), 8u);
}

TEST(DamageSample, NothingEndsWithinTheDelay)
{
    srand(7);
    for (int trial = 0; trial < 200; trial++) {
        uint32_t delay = static_cast<uint32_t>(rand() % 20), same = static_cast<uint32_t>(rand() % 6);
        damage_sample s;
        for (uint32_t t = 1; t <= delay; t++)
            ASSERT_FALSE(damage_sample_step(s, static_cast<uint32_t>(rand() % 3), t, delay, same));
    }
}

TEST(DamageSample, ARestartForgetsTheSampleBefore)
{
    damage_sample s;
    damage_sample_step(s, 7, 1, 0, 5);
    damage_sample_step(s, 7, 2, 0, 5);
    damage_sample_restart(s);
    EXPECT_EQ(s.previous, 0u);
    EXPECT_EQ(s.same_run, 0u);
    EXPECT_FALSE(damage_sample_step(s, 7, 1, 0, 5));
}

} // namespace
