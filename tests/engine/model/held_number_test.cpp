// The odd answers a user may type at any numeric prompt, read and held:
// each gives a number within the prompt's range, or the prompt's fallback,
// and says whether the echo must show what was taken instead.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/model/held_number.h"

namespace {

struct odd_answer {
    const char *typed;
    double value; // taken within 1..100, fallback 7
    double whole; // the same for a whole number
    bool held;    // the echo gives way (for the fraction)
};

// The fallback is 7; the range 1..100.
const odd_answer kOddAnswers[] = {
    {"", 7, 7, false},
    {"0", 1, 1, true},
    {"-1", 1, 1, true},
    {"1e-9", 1, 1, true},
    {"1e9", 100, 100, true},
    {"2147483648", 100, 100, true},
    {"99999999999999999999", 100, 100, true},
    {"nan", 7, 7, true},
    {"inf", 100, 100, true},
    {"-inf", 1, 1, true},
    {"abc", 7, 7, true},
    {"-", 7, 7, true},
    {"42", 42, 42, false},
    {"2.7", 2.7, 2, false},
    {"5x", 5, 5, false},
};

TEST(HeldNumber, EveryOddAnswerIsHeldWithinTheRange)
{
    for (const odd_answer &a : kOddAnswers) {
        SCOPED_TRACE(a.typed);
        held_answer fraction = held_answer_of(a.typed, 7, {1, 100});
        EXPECT_EQ(fraction.value, a.value);
        EXPECT_EQ(fraction.held, a.held);
        held_answer whole = held_answer_of(a.typed, 7, {1, 100}, true);
        EXPECT_EQ(whole.value, a.whole);
        EXPECT_EQ(whole.held, whole.value != a.value || a.held);
    }
}

TEST(HeldNumber, AFallbackIsTakenAsItIsAndAFractionalBoundIsCutToWhole)
{
    EXPECT_EQ(held_answer_of("", 500, {1, 100}).value, 500);
    EXPECT_EQ(held_answer_of("9", 0, {0, 2.5}, true).value, 2);
    EXPECT_EQ(held_within(NAN, {-3, 3}), -3);
}

} // namespace
