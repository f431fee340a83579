// The size-range and mutant drivers without a window: one subtree per
// size, each as a brute force of the ring at that size says; a
// uniform seed stays uniform at every size and any other gets 0 in the
// added cells; the network and its seed back at the first size; a flip
// series from 5 down to 2 draws the network and four mutants; mutants stop
// when the screen is full.
#include "ui/driver/driver_network_support.h"

#include "engine/backward/backward_test_support.h"
#include "support/ring_oracles.h"
#include "ui/backward/tree_test_support.h"
#include "ui/driver/run_drivers.h"

namespace {

// States whose orbit passes through t, t included.
uint32_t
brute_subtree(const std::vector<uint32_t> &next, uint32_t t)
{
    uint32_t size = 0;
    for (uint32_t s = 0; s < next.size(); s++) {
        uint32_t x = s;
        bool reaches = false;
        for (size_t i = 0; i <= next.size() && !reaches; i++, x = next[x])
            reaches = x == t;
        size += reaches;
    }
    return size;
}

class SizeRange : public NetworkTest {
protected:
    void SetUp() override
    {
        NetworkTest::SetUp();
        static char first[150], rest[6][80];
        static char *lines[7] = {first, rest[0], rest[1], rest[2], rest[3], rest[4], rest[5]};
        if (!textb)
            textb = lines;
        reset_backward_settings();
        dontcompress = 1;
        stepforward = 0;
        show_one_att_state = 0;
        seq_update = 0;
        mutantdontpause = 1; // no options box at the end
        fieldpause = 0;
        was_changed = 0;
        firstox = ox = 50;
        firstoy = oy = 100;
        xspacing = startxspacing = 100;
        yspacing = startyspacing = 100;
        xspacefact = yspacefact = 1;
        rightborder = 0.5f;
        Maxx = 1000;
        Maxy = 300;
        is[0] = 0;
    }
    void TearDown() override
    {
        rangeL = 0;
        pdata = data_off;
        basinfield = 0;
        mutant_layout = 0;
        mutate = mutation_none;
        Maxx = Maxy = 0;
        NetworkTest::TearDown();
    }
    void range_ring(int start, int end, uint32_t rule)
    {
        ring(start, 3);
        for (int i = 0; i < 8; i++)
            set_value(carule[0], static_cast<uint32_t>(i), (rule >> i) & 1);
        rangeL = 1;
        startL = static_cast<uint16_t>(start);
        endL = static_cast<uint16_t>(end);
        rangebytesL = bytesL;
    }
    std::string captured(void (*driver)())
    {
        pdata = data_basins;
        testing::internal::CaptureStderr();
        driver();
        pdata = data_off;
        return testing::internal::GetCapturedStderr();
    }
};

TEST_F(SizeRange, UniformSeedStaysUniformAndEachSubtreeIsTheBruteForces)
{
    for (uint32_t rule : {232u, 110u})
        for (int ones = 0; ones < 2; ones++) {
            range_ring(5, 9, rule);
            direction = direction_backward;
            for (int c = 0; c < 5; c++)
                set_value(bitseed, static_cast<uint32_t>(c), ones);
            std::string out = captured(draw_range_single);
            std::vector<uint32_t> sizes = numbers_after(out, "subtree=(?:basin=)?([0-9]+) ");
            ASSERT_EQ(sizes.size(), 5u) << out;
            for (int n = 5; n <= 9; n++) {
                uint32_t root = ones ? (1u << n) - 1 : 0;
                EXPECT_EQ(sizes[n - 5], brute_subtree(ring_successors(n, rule), root))
                    << "rule " << rule << " n " << n;
            }
            // Back at the first size with the seed as it was.
            EXPECT_EQ(lineL, 5);
            for (int c = 0; c < 5; c++)
                EXPECT_EQ(get_value(bitseed, static_cast<uint32_t>(c)), ones);
            TearDown();
            SetUp();
        }
}

TEST_F(SizeRange, OtherSeedsGetZeroInTheAddedCells)
{
    range_ring(5, 8, 232);
    direction = direction_backward;
    const uint32_t seed = 0x16; // 10110
    for (int c = 0; c < 5; c++)
        set_value(bitseed, static_cast<uint32_t>(c), (seed >> c) & 1);
    std::string out = captured(draw_range_single);
    std::vector<uint32_t> sizes = numbers_after(out, "subtree=(?:basin=)?([0-9]+) ");
    ASSERT_EQ(sizes.size(), 4u) << out;
    for (int n = 5; n <= 8; n++)
        EXPECT_EQ(sizes[n - 5], brute_subtree(ring_successors(n, 232), seed)) << n;
    EXPECT_EQ(lineL, 5);
    EXPECT_EQ(bitseed[0], seed);
}

TEST_F(SizeRange, OneSizeRunsOnceAndSetsBack)
{
    range_ring(6, 6, 110);
    direction = direction_backward;
    std::string out = captured(draw_range_single);
    EXPECT_EQ(numbers_after(out, "subtree=(?:basin=)?([0-9]+) ").size(), 1u);
    EXPECT_EQ(lineL, 6);
}

TEST_F(SizeRange, FlipSeriesFromFiveToTwoDrawsFourMutants)
{
    ring(6, 3);
    mutant_layout = 1;
    direction = direction_backward;
    mutate = mutation_single_flip;
    startmut = 5;
    endmut = 2;
    std::string out = captured(mutant_one_screen_single);
    EXPECT_EQ(numbers_after(out, "subtree=(?:basin=)?([0-9]+) ").size(), 5u) << out;
    EXPECT_EQ(mut, 1);
    // The cursor is back where the series started.
    EXPECT_EQ(ox, 50);
    EXPECT_EQ(oy, 100);
}

TEST_F(SizeRange, MutantsStopWhenTheScreenIsFull)
{
    ring(6, 3);
    mutant_layout = 1;
    direction = direction_backward;
    mutate = mutation_none;
    // Rows at y = 100, 200, 300 of ten places each (x = 50 .. 950).
    std::string out = captured(mutant_one_screen_single);
    EXPECT_EQ(numbers_after(out, "subtree=(?:basin=)?([0-9]+) ").size(), 30u);
    // With the smallest spacing the series still ends.
    xspacing = yspacing = startxspacing = startyspacing = 1;
    Maxx = 40;
    Maxy = 103;
    rightborder = 0;
    firstox = ox = 0;
    out = captured(mutant_one_screen_single);
    EXPECT_EQ(numbers_after(out, "subtree=(?:basin=)?([0-9]+) ").size(), 41u * 4);
}

} // namespace
