// The ants demonstration's world without drawing: speed and turn keys,
// target counts, eating, bouncing and steering.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "ui/driver/ant_motion.h"
#include "ui/screen/globals.h"

namespace {

class AntWorld : public ::testing::Test {
protected:
    void SetUp() override
    {
        Maxx = 1023;
        WinMaxy = 767;
        Maxy = 742;
        srandom(7);
        allocate_ant_targets(w);
        place_ant_targets(w);
    }
    void TearDown() override { free_ant_targets(w); }
    ant_world w;
};

TEST_F(AntWorld, SlowerStopsAtTheCapAndFasterAtOne)
{
    for (int i = 0; i < 40; i++)
        ant_speed_key(w, '<');
    EXPECT_EQ(w.delay, kAntDelayAfterCap);
    ant_speed_key(w, '<');
    EXPECT_LE(w.delay, kAntDelayCap);
    for (int i = 0; i < 40; i++)
        ant_speed_key(w, '>');
    EXPECT_EQ(w.delay, 1u);
}

TEST_F(AntWorld, TurnFactorsGrowUntilTwoAndReset)
{
    ant_speed_key(w, '+');
    EXPECT_FLOAT_EQ(w.near_factor, 0.75f);
    EXPECT_FLOAT_EQ(w.long_factor, 1.125f);
    w.factor_used = 2.0f;
    ant_speed_key(w, '+');
    EXPECT_FLOAT_EQ(w.near_factor, 0.75f);
    ant_speed_key(w, '-');
    EXPECT_FLOAT_EQ(w.near_factor, 0.5625f);
    ant_speed_key(w, '*');
    EXPECT_FLOAT_EQ(w.near_factor, 0.5f);
    EXPECT_FLOAT_EQ(w.long_factor, 0.75f);
    EXPECT_FALSE(ant_speed_key(w, 'x'));
}

TEST_F(AntWorld, SixteenTargetsAtStartWithinTheDrawingArea)
{
    EXPECT_EQ(w.last, 15);
    for (int i = 0; i <= w.last; i++) {
        EXPECT_GE(w.xt[i], 0);
        EXPECT_LT(w.xt[i], Maxx);
        EXPECT_GE(w.yt[i], 0);
        EXPECT_LT(w.yt[i], Maxy);
    }
    EXPECT_FALSE(add_target(w));  // sixteen are live
}

TEST_F(AntWorld, RemovingStopsAtOneAndAddingComesBack)
{
    while (remove_last_target(w)) {
    }
    EXPECT_EQ(w.last, 0);
    EXPECT_TRUE(add_target(w));
    EXPECT_EQ(w.last, 1);
}

TEST_F(AntWorld, EatingMovesTheLaterTargetsDown)
{
    float third_x = w.xt[3];
    eat_target(w, 2);
    EXPECT_EQ(w.last, 14);
    EXPECT_FLOAT_EQ(w.xt[2], third_x);
}

TEST_F(AntWorld, ASmallerTargetNumberGivesFewerTargets)
{
    free_ant_targets(w);
    w.target_number = 3;
    allocate_ant_targets(w);
    place_ant_targets(w);
    EXPECT_EQ(w.last, 3);
    EXPECT_FALSE(add_target(w));
}

TEST_F(AntWorld, EdgesReflectTheHeading)
{
    w.x = 1;
    w.y = 300;
    w.theta = 3.1415927f;  // heading left into the edge
    ant_bounce(w, Maxx, Maxy);
    EXPECT_NEAR(std::cos(w.theta), 1.0f, 1e-5);  // now heading right
    EXPECT_GE(w.theta, 0.0f);
    EXPECT_LT(w.theta, 6.2831854f);
    w.x = 500;
    w.y = Maxy - 1;
    w.theta = 3 * 3.1415927f / 2;  // heading down into the bottom
    ant_bounce(w, Maxx, Maxy);
    EXPECT_NEAR(w.theta, 3.1415927f / 2, 1e-5);
}

TEST_F(AntWorld, TheAntTurnsTowardsAFarTargetAhead)
{
    w.last = 0;
    w.x = 100;
    w.y = 400;
    w.theta = 0.3f;    // a little to the left of the target straight to the right
    w.xt[0] = 900;
    w.yt[0] = 400;
    w.angdiff[0] = 0.3f;
    float u, v;
    ant_move(w, 70, &u, &v);
    EXPECT_LT(w.angdiff[0], 0.3f);
    EXPECT_GT(w.angdiff[0], 0.25f);  // a fraction of a degree a step
    EXPECT_EQ(w.nearest, 0);
}

TEST_F(AntWorld, ATargetAcrossThePathSlowsTheAnt)
{
    w.last = 0;
    w.x = 500;
    w.y = 400;
    w.theta = 0;
    w.xt[0] = 500;
    w.yt[0] = 360;      // 40 pixels above, at 90 degrees to the heading
    w.angdiff[0] = 1.5707964f;
    float u, v;
    ant_move(w, 70, &u, &v);
    EXPECT_NEAR(u, 40.0f / 90.0f, 1e-3);
    EXPECT_NEAR(w.x, 500 + 40.0f / 90.0f, 1e-3);
}

} // namespace
