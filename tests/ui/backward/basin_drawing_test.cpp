// The basin drawing without a window: for elementary rules on small rings,
// with compression on and off, the basin of every attractor (one basin per
// set of rotation-equivalent ones) holds as many states as reach its cycle
// in a brute-force analysis of the successor table, with its
// garden-of-Eden count and equivalent-basin count; and the data line of
// rule 0 on 10 cells.
#include "tree_test_support.h"

#include <set>

#include "engine/backward/basin_totals.h"
#include "engine/forward/attractor_search.h"
#include "engine/forward/forward_step.h"
#include "ui/backward/draw_basin.h"

namespace {

// The cycle each state falls into, named by its smallest state.
std::vector<uint32_t>
cycle_of_every_state(const std::vector<uint32_t> &next)
{
    std::vector<uint32_t> cycle(next.size());
    for (uint32_t s = 0; s < next.size(); s++) {
        uint32_t x = s;
        for (size_t i = 0; i < next.size(); i++)
            x = next[x]; // on the cycle now
        uint32_t low = x;
        for (uint32_t y = next[x]; y != x; y = next[y])
            low = std::min(low, y);
        cycle[s] = low;
    }
    return cycle;
}

// Draws the basin whose cycle holds state s; the data line it wrote.
std::string
draw_basin_of(uint32_t s, const std::vector<uint32_t> &next)
{
    set_number(A, s);
    limitcheck = 5000; // the history keeps every state up to the limit
    step_mode mode{};
    EXPECT_GT(attractor_search(carule, mode, 5000), 0u);
    for (uint32_t i = 1; i <= attperiod; i++)
        EXPECT_EQ(next[dec_equiv(att[i], L)], dec_equiv(att[i % attperiod + 1], L)) << i;
    is[0] = 0;
    pdata = data_basins;
    testing::internal::CaptureStderr();
    draw_basin();
    pdata = data_off;
    limitcheck = 0;
    return testing::internal::GetCapturedStderr();
}

TEST(BasinDrawing, BasinsEqualBruteForce)
{
    const uint32_t rules[] = {0, 30, 90, 110, 150, 184, 204};
    for (uint32_t rule : rules)
        for (uint32_t n = 6; n <= 12; n++)
            for (int compress = 0; compress < 2; compress++) {
                TestNetwork net(2, n, 3);
                reset_backward_settings();
                direction = direction_forward;
                dontcompress = compress ? 0 : 1;
                TestNetwork::set_rule_number(rule);
                std::vector<uint32_t> next = successors();
                std::vector<uint32_t> cycle = cycle_of_every_state(next);
                std::map<uint32_t, uint32_t> volume, gofe;
                std::vector<bool> has_pre(next.size());
                for (uint32_t x : next)
                    has_pre[x] = true;
                for (uint32_t s = 0; s < next.size(); s++) {
                    volume[cycle[s]]++;
                    gofe[cycle[s]] += has_pre[s] ? 0 : 1;
                }
                // Every basin drawn once per rotation class: the copies it
                // stands for cover the state space.
                std::set<uint32_t> covered;
                uint64_t total = 0;
                for (const auto &basin : volume) {
                    if (covered.count(basin.first))
                        continue;
                    draw_basin_of(basin.first, next);
                    SCOPED_TRACE("rule " + std::to_string(rule) + " n " + std::to_string(n) +
                                 " compress " + std::to_string(compress) + " cycle " +
                                 std::to_string(basin.first));
                    EXPECT_EQ(basinsize, basin.second);
                    EXPECT_EQ(basingofEdensity,
                              static_cast<float>(gofe[basin.first]) / static_cast<float>(basin.second));
                    EXPECT_EQ(att, nullptr);
                    // The rotations of the cycle's states name the
                    // equivalent basins.
                    std::set<uint32_t> copies;
                    std::vector<uint8_t> line(bytesL);
                    set_number(line.data(), basin.first);
                    for (uint32_t r = 0; r < n; r++) {
                        copies.insert(cycle[dec_equiv(line.data(), L)]);
                        if (compress)
                            rotate_array(0, line.data(), 'l', 0, 1, 0, 0);
                    }
                    EXPECT_EQ(basinno, copies.size());
                    for (uint32_t c : copies) {
                        EXPECT_EQ(volume[c], basin.second);
                        covered.insert(c);
                    }
                    total += static_cast<uint64_t>(basinno) * basinsize;
                }
                EXPECT_EQ(total, next.size()) << "rule " << rule << " n " << n;
            }
}

TEST(BasinDrawing, DataLineOfRuleZero)
{
    TestNetwork net(2, 10, 3);
    reset_backward_settings();
    direction = direction_forward;
    TestNetwork::set_rule_number(0);
    std::vector<uint32_t> next = successors();
    EXPECT_EQ(draw_basin_of(0, next), "single basin. 0000 1 (1) 1024 100% 1023 0.999 1 1024\n\n");
    basinfield = 1;
    basintypeno = 1;
    EXPECT_EQ(draw_basin_of(0, next), "1. 0000 1 (1) 1024 100% 1023 0.999 1 1024\n");
    basinfield = 0;
}

} // namespace
