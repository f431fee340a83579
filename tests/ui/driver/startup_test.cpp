// The command line and the random seed of the start-up.
#include <gtest/gtest.h>

#include <vector>

#include "ui/driver/startup.h"

namespace {

struct Args {
    char background = 'b';
    uint8_t totalistic_only = 0;
    explicit Args(std::vector<const char *> words)
    {
        words.insert(words.begin(), "zemra");
        parse_command_line(static_cast<int>(words.size()), const_cast<char **>(words.data()),
                           &background, &totalistic_only);
    }
};

TEST(CommandLine, NoArgumentsKeepTheDefaults)
{
    Args a({});
    EXPECT_EQ(a.background, 'b');
    EXPECT_EQ(a.totalistic_only, 0);
}

TEST(CommandLine, LaterBackgroundWins)
{
    EXPECT_EQ(Args({"-b", "-w"}).background, 'w');
    EXPECT_EQ(Args({"-w", "-b"}).background, 'b');
}

TEST(CommandLine, OnlyTheFirstTwoCharactersCount)
{
    Args a({"-wt"});
    EXPECT_EQ(a.background, 'w');
    EXPECT_EQ(a.totalistic_only, 0);
    EXPECT_EQ(Args({"-tw"}).totalistic_only, 1);
}

TEST(CommandLine, AThirdArgumentIsNeverRead)
{
    Args a({"-x", "-y", "-t"});
    EXPECT_EQ(a.totalistic_only, 0);
    EXPECT_EQ(Args({"-x", "-t"}).totalistic_only, 1);
}

TEST(CommandLine, MalformedArgumentsAreIgnored)
{
    Args a({"w", "-"});
    EXPECT_EQ(a.background, 'b');
    EXPECT_EQ(a.totalistic_only, 0);
}

TEST(RandomSeed, ProductIn32BitsWithinTheStatedRange)
{
    EXPECT_EQ(startup_randseed(3, 5), 15u);
    EXPECT_EQ(startup_randseed(100000, 100000), (100000u * 100000u) % 32768u);
    for (uint32_t pid : {1u, 4000u, 65535u, 4000000000u})
        EXPECT_LE(startup_randseed(pid, 1796660000u), kLargestSeed);
}

TEST(RandomSeed, TypedAnswersWithinTheStatedRangeOnly)
{
    uint32_t seed = 7;
    EXPECT_TRUE(parse_seed_answer("32767", &seed));
    EXPECT_EQ(seed, 32767u);
    // Past the stated range, signed, or not a number: refused, seed kept.
    for (const char *refused : {"32768", "65535", "65536", "-1", "+5", "12ab", "abc", " 5", "",
                                "99999999999999999999"}) {
        EXPECT_FALSE(parse_seed_answer(refused, &seed)) << refused;
        EXPECT_EQ(seed, 32767u) << refused;
    }
    EXPECT_TRUE(parse_seed_answer("0", &seed));
    EXPECT_EQ(seed, 0u);
}

} // namespace
