// The basin field on the window: for elementary rules on rings of 6 to 12
// cells, with compression on and off, every state is placed once (the
// basins' volumes add up to v^n), the basins by period equal a brute-force
// analysis of the successor map, and the summary lines say so.
#include "support/x_test_fixture.h"

#include <chrono>
#include <cstdio>
#include <map>

#include "engine/backward/backward_test_support.h"
#include "engine/backward/basin_totals.h"
#include "ui/driver/run_drivers.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/x_errors.h"

namespace {

class BasinField : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        static float figures[3];
        if (!zparam)
            zparam = figures;
    }
    void TearDown() override
    {
        basinfield = 0;
        direction = direction_unset;
        ScreenTest::TearDown();
    }
};

// Cycles of the successor map: period -> number of cycles, and the
// garden-of-Eden states.
void
brute_field(const std::vector<uint32_t> &next, std::map<uint32_t, uint32_t> &periods,
            uint32_t &gofe)
{
    std::vector<uint8_t> seen(next.size()); // 0 new, 1 on this walk, 2 done
    for (uint32_t s = 0; s < next.size(); s++) {
        uint32_t x = s;
        while (!seen[x]) {
            seen[x] = 1;
            x = next[x];
        }
        if (seen[x] == 1) {
            uint32_t p = 1;
            for (uint32_t y = next[x]; y != x; y = next[y])
                p++;
            periods[p]++;
        }
        for (uint32_t y = s; seen[y] == 1; y = next[y])
            seen[y] = 2;
    }
    std::vector<bool> has_pre(next.size());
    for (uint32_t x : next)
        has_pre[x] = true;
    gofe = 0;
    for (bool b : has_pre)
        gofe += b ? 0 : 1;
}

TEST_F(BasinField, EveryStatePlacedOnceAndBasinsAsBruteForce)
{
    for (uint32_t rule : {0u, 30u, 90u, 110u, 150u, 184u, 204u})
        for (uint32_t n = 6; n <= 12; n += 3)
            for (int compress = 0; compress < 2; compress++) {
                TestNetwork net(2, n, 3);
                reset_backward_settings();
                shownumbers = shownumbers_spot; // nodes as spots: no value colours
                dontcompress = compress ? 0 : 1;
                TestNetwork::set_rule_number(rule);
                std::vector<uint32_t> next = successors();
                std::map<uint32_t, uint32_t> periods;
                uint32_t gofe;
                brute_field(next, periods, gofe);
                basinfield = 1;
                direction = direction_forward;
                stp = 0;
                pdata = 1;
                testing::internal::CaptureStderr();
                draw_field();
                print_field_data();
                std::string out = testing::internal::GetCapturedStderr();
                pdata = 0;
                SCOPED_TRACE("rule " + std::to_string(rule) + " n " + std::to_string(n) +
                             " compress " + std::to_string(compress));
                EXPECT_EQ(earlyexitfield, 0);
                EXPECT_EQ(fieldsize, next.size());
                EXPECT_EQ(progbar, next.size());
                EXPECT_EQ(fieldgofE, gofe);
                uint32_t basins = 0;
                for (const auto &p : periods) {
                    basins += p.second;
                    if (p.first < 10) {
                        EXPECT_EQ(cycles[p.first], p.second) << "period " << p.first;
                    }
                }
                EXPECT_EQ(totbasinsinfield, basins);
                char size_line[60];
                snprintf(size_line, sizeof size_line, "n=%u field=%zu\n", n, next.size());
                EXPECT_NE(out.find(size_line), std::string::npos) << out;
                EXPECT_NE(out.find("ty.  at  no  (p)  s  %  g  gd  ml  mp\n"), std::string::npos);
                setviewport(0, 0, Maxx, Maxy, 1);
                clearviewport();
            }
}

// A field drawn before any run made a space-time pattern draws on the
// window: no drawing request fails.
TEST_F(BasinField, DrawnWithoutAPatternRunRaisesNoXError)
{
    TestNetwork net(2, 8, 3);
    reset_backward_settings();
    shownumbers = shownumbers_spot;
    TestNetwork::set_rule_number(110);
    basinfield = 1;
    direction = direction_forward;
    stp = 0;
    unsigned long errors = x_sync_errors();
    draw_field();
    EXPECT_EQ(earlyexitfield, 0);
    EXPECT_EQ(x_sync_errors(), errors);
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
}

// The timing of a whole field of 2^20 states, drawn (run on request:
// --gtest_also_run_disabled_tests): a 20-cell ring, and random wiring.
TEST_F(BasinField, DISABLED_WholeFieldOf20Cells)
{
    for (int wiring = 0; wiring < 2; wiring++) {
        TestNetwork net(2, 20, 3);
        reset_backward_settings();
        shownumbers = shownumbers_spot;
        srandom(7);
        if (wiring)
            wire_at_random(false);
        TestNetwork::set_rule_number(110);
        basinfield = 1;
        direction = direction_forward;
        stp = 0;
        auto start = std::chrono::steady_clock::now();
        draw_field();
        double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        printf("%s: %.3f s, %lu basins\n", wiring ? "random wiring" : "ring", seconds,
               static_cast<unsigned long>(totbasinsinfield));
        EXPECT_EQ(fieldsize, 1u << 20);
        undo_rule_mix();
    }
}

TEST(ElapsedCaption, SecondsBelowAMinuteMinutesFromOne)
{
    EXPECT_EQ(format_elapsed(59, 900000), "  59.900sec");
    EXPECT_EQ(format_elapsed(61, 500000), "  1min 1.500sec");
    EXPECT_EQ(format_elapsed(2, -250000), "  1.750sec");
}

} // namespace
