// The unpacked parallel step (networks wired by their table off the packed
// ring: random wiring, a k per cell, rule mixes, v > 2) against the
// reference step written from the formula: every cell's value and
// neighbourhood index, the bits past the last cell kept, and the same
// states with the indexes left out.
#include "engine/forward/forward_test_support.h"

namespace {

// The neighbourhood index of every cell of now, from the formula.
std::vector<uint16_t>
reference_indexes(const std::vector<int> &now)
{
    std::vector<uint16_t> indexes(now.size());
    for (uint32_t c = 0; c < now.size(); c++) {
        uint64_t x = 0, weight = 1;
        for (int j = 0; j < nhoodm[c]; j++) {
            x += static_cast<uint64_t>(now[wiring[c][j]]) * weight;
            weight *= static_cast<uint64_t>(value_range);
        }
        indexes[c] = static_cast<uint16_t>(x);
    }
    return indexes;
}

// Random wiring, every cell a k of its own from 0 to k, a rule per cell
// (mix) or one rule; several steps, each against the reference.
void
expect_reference_steps(int v, int n, int k, bool mix)
{
    TestNetwork net(v, n, k);
    for (int c = 0; c < n; c++) {
        nhoodm[c] = static_cast<int8_t>(random() % (k + 1));
        for (int j = 0; j < k; j++)
            wiring[c][j] = static_cast<uint16_t>(random() % n);
    }
    if (mix) {
        allocate_mem_rulemix(k);
        rulemix = 1;
    }
    for (uint32_t c = 0; c < (mix ? lineL : 1u); c++)
        for (uint64_t i = 0; i < rule_entries(k); i++)
            set_value(carule[c], static_cast<uint32_t>(i), static_cast<int>(random() % v));
    set_random_state();
    const uint32_t used_bits = lineL * static_cast<uint32_t>(value_bits);
    for (int t = 0; t < 6; t++) {
        const std::vector<int> now = state_values(A);
        // The padding bits of F's last byte are the caller's: set them all.
        if (used_bits % 8)
            F[bytesL - 1] |= static_cast<uint8_t>(0xFF << (used_bits % 8));
        const uint8_t padding = F[bytesL - 1];
        step_mode mode;
        mode.indexes = static_cast<uint8_t>(t % 2 == 0);
        forward_run_begin(mode);
        forward_step(carule, mode);
        forward_run_end();
        const std::string where = "v=" + std::to_string(v) + " n=" + std::to_string(n) +
                                  " k=" + std::to_string(k) + (mix ? " mix" : "") + " t=" + std::to_string(t);
        ASSERT_EQ(state_values(A), reference_step(now, carule)) << where;
        if (used_bits % 8) {
            EXPECT_EQ(A[bytesL - 1] >> (used_bits % 8), padding >> (used_bits % 8)) << where;
        }
        if (mode.indexes) {
            const std::vector<uint16_t> indexes = reference_indexes(now);
            ASSERT_EQ(std::vector<uint16_t>(nhd, nhd + lineL), indexes) << where;
        }
    }
    if (mix) {
        free_mem_rulemix();
        rulemix = 0;
    }
}

TEST(UnpackedSweep, RandomWiringAndMixedKEqualTheReference)
{
    srandom(21);
    const int cases[][3] = {{2, 1, 1}, {2, 13, 3}, {2, 200, 5}, {2, 1021, 9}, {2, 64, 13},
                            {3, 17, 3}, {3, 501, 7}, {4, 99, 4}, {5, 37, 3}, {8, 23, 2}};
    for (const auto &cs : cases)
        for (bool mix : {false, true})
            expect_reference_steps(cs[0], cs[1], cs[2], mix);
}

TEST(UnpackedSweep, LargestNetworkEqualsTheReference)
{
    srandom(22);
    expect_reference_steps(2, 65535, 3, false);
    expect_reference_steps(3, 65535, 5, true);
}

} // namespace
