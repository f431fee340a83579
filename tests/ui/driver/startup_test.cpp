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

TEST(RandomSeed, ProductIn32BitsBelow65536)
{
    EXPECT_EQ(startup_randseed(3, 5), 15u);
    EXPECT_EQ(startup_randseed(100000, 100000), (100000u * 100000u) % 65536u);
    EXPECT_LT(startup_randseed(4000000000u, 3), 65536u);
}

TEST(RandomSeed, TypedAnswers)
{
    uint32_t seed = 7;
    EXPECT_TRUE(parse_seed_answer("65535", &seed));
    EXPECT_EQ(seed, 65535u);
    EXPECT_FALSE(parse_seed_answer("65536", &seed));
    EXPECT_EQ(seed, 65535u);
    EXPECT_TRUE(parse_seed_answer("-1", &seed));
    EXPECT_EQ(seed, 65535u);
    EXPECT_TRUE(parse_seed_answer("0", &seed));
    EXPECT_EQ(seed, 0u);
    EXPECT_FALSE(parse_seed_answer("12ab", &seed));
    EXPECT_FALSE(parse_seed_answer("", &seed));
    EXPECT_FALSE(parse_seed_answer("99999999999999999999", &seed));
    EXPECT_EQ(seed, 0u);
}

} // namespace
