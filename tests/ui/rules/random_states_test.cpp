// The pattern colour swap of the seed dialog and the run. Random and block
// states are tested with the engine (tests/engine/rules/random_states_test.cpp).
#include <gtest/gtest.h>

#include <cstdint>

#include "engine/forward/globals.h"
#include "ui/rules/random_states.h"
#include "ui/screen/globals.h"

namespace {

TEST(PatternColour, SwapOnlyWhiteAndYellowByValue)
{
    // The colour indices as a black background sets them.
    uint8_t saved_white = white, saved_yellow = yellow;
    white = 15;
    yellow = 14;
    ncolor = 0;
    EXPECT_EQ(swap_pattern_colour(15), 14);
    EXPECT_EQ(swap_pattern_colour(14), 15);
    EXPECT_EQ(swap_pattern_colour(3), 3);
    ncolor = 1;
    EXPECT_EQ(swap_pattern_colour(15), 15);
    ncolor = 0;
    white = saved_white;
    yellow = saved_yellow;
}

} // namespace
