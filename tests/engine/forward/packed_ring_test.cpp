// The packed step of a v = 2 ring: against a brute-force step written from
// the ring formula, and through forward_step against the cell-by-cell sweep
// (the same rule in every row of a rule mix, which the packed step never
// takes) over random rules, every k it holds, ring sizes on and off the
// 64-cell word boundary and many steps; and the checks that keep the packed
// step off networks that are not such rings.
#include "engine/forward/forward_test_support.h"

#include <string>

#include "engine/forward/packed_ring.h"

namespace {

const uint32_t kSizes[] = {1, 2, 3, 5, 7, 8, 9, 15, 16, 17, 31, 63, 64, 65, 100, 127, 128, 129, 200, 515};

uint8_t
random_byte()
{
    return static_cast<uint8_t>(random() & 0xFF);
}

// One step written from the formula: cell c reads cells (c - k/2 + j) mod n,
// input j weighing 2^j, and takes that bit of the rule.
void
brute_force_step(const std::vector<uint8_t> &rule, int k, uint32_t n, const std::vector<uint8_t> &a,
                 std::vector<uint8_t> &f, std::vector<uint16_t> &index)
{
    for (uint32_t c = 0; c < n; c++) {
        uint32_t x = 0;
        for (int j = 0; j < k; j++) {
            int64_t cell = ((static_cast<int64_t>(c) - k / 2 + j) % n + n) % n;
            x |= static_cast<uint32_t>((a[cell >> 3] >> (cell & 7)) & 1) << j;
        }
        index[c] = static_cast<uint16_t>(x);
        int bit = (rule[x >> 3] >> (x & 7)) & 1;
        f[c >> 3] = static_cast<uint8_t>((f[c >> 3] & ~(1u << (c & 7))) | (bit << (c & 7)));
    }
}

TEST(PackedRing, StepEqualsTheRingFormula)
{
    srandom(5);
    for (int k = 0; k <= packed_ring_max_k; k++) {
        std::vector<uint8_t> rule((size_t(1) << k) / 8 + 1);
        for (uint32_t n : kSizes) {
            for (auto &b : rule)
                b = random_byte();
            size_t bytes = (n + 7) / 8;
            std::vector<uint8_t> a(bytes), f(bytes), expect_f(bytes);
            std::vector<uint16_t> index(n), expect_index(n);
            for (auto &b : a)
                b = random_byte();
            // Bits past the last cell are not cells: garbage there must
            // neither be read nor overwritten.
            for (auto &b : f)
                b = random_byte();
            for (int t = 0; t < 12; t++) {
                expect_f = f;
                brute_force_step(rule, k, n, a, expect_f, expect_index);
                step_packed_ring(rule.data(), k, n, a.data(), f.data(), index.data());
                ASSERT_EQ(f, expect_f) << "k=" << k << " n=" << n << " t=" << t;
                ASSERT_EQ(index, expect_index) << "k=" << k << " n=" << n << " t=" << t;
                std::swap(a, f);
            }
        }
    }
}

// Each width the indexes are written in (8 cells a vector, and 16 where
// the machine has it), with the indexes written and left out (then written
// by write_ring_indexes, as settle_step_indexes does), against the formula:
// random rules, every k the step holds (the sliced rule and the lookup),
// ring sizes around the 64-cell words and the largest ring.
TEST(PackedRing, EveryWidthWithAndWithoutIndexesEqualsTheFormula)
{
    srandom(29);
    const uint32_t sizes[] = {1, 2, 63, 64, 65, 127, 128, 129, 191, 192, 193, 1000, 65535};
    const int widest = packed_ring_lanes(0);
    int widths = 0;
    for (int lanes : {8, 16}) {
        if (packed_ring_lanes(lanes) != lanes)
            continue; // this machine has no such vectors
        widths++;
        for (int k = 0; k <= packed_ring_max_k; k++) {
            std::vector<uint8_t> rule((size_t(1) << k) / 8 + 1);
            for (uint32_t n : sizes) {
                for (auto &b : rule)
                    b = random_byte();
                const size_t bytes = (n + 7) / 8;
                std::vector<uint8_t> a(bytes), f(bytes), lazy_f(bytes), expect_f(bytes);
                std::vector<uint16_t> index(n), lazy_index(n, 0xABAB), expect_index(n);
                for (auto &b : a)
                    b = random_byte();
                for (auto &b : f)
                    b = random_byte();
                lazy_f = f;
                for (int t = 0; t < 3; t++) {
                    const std::string where = "lanes=" + std::to_string(lanes) + " k=" + std::to_string(k) +
                                              " n=" + std::to_string(n) + " t=" + std::to_string(t);
                    expect_f = f;
                    brute_force_step(rule, k, n, a, expect_f, expect_index);
                    step_packed_ring(rule.data(), k, n, a.data(), lazy_f.data(), nullptr);
                    ASSERT_EQ(lazy_f, expect_f) << where;
                    write_ring_indexes(n, k, lazy_index.data());
                    ASSERT_EQ(lazy_index, expect_index) << where;
                    step_packed_ring(rule.data(), k, n, a.data(), f.data(), index.data());
                    ASSERT_EQ(f, expect_f) << where;
                    ASSERT_EQ(index, expect_index) << where;
                    std::swap(a, f);
                    lazy_f = f;
                }
            }
        }
    }
    EXPECT_EQ(packed_ring_lanes(widest), widest);
    EXPECT_GE(widths, 1);
}

// Up to k = 13, the largest k of a 1d network, through forward_step: the
// ring wired in the table, and the ring made local on the fly, each step for
// step equal to the sweep, byte for byte and index for index.
void
expect_packed_equals_sweep(int k, uint32_t n, bool on_the_fly, int steps)
{
    TestNetwork net(2, static_cast<int>(n), k);
    TestNetwork::set_random_rule();
    for (uint32_t i = 0; i < bytesL; i++)
        A[i] = random_byte();
    std::vector<uint8_t> start(A, A + bytesL);

    std::vector<std::vector<uint8_t>> packed_states;
    std::vector<std::vector<uint16_t>> packed_indexes;
    wiring_madelocal = on_the_fly;
    step_mode mode;
    forward_run_begin(mode);
    for (int t = 0; t < steps; t++) {
        forward_step(carule, mode);
        packed_states.emplace_back(A, A + bytesL);
        packed_indexes.emplace_back(nhd, nhd + n);
    }
    forward_run_end();

    // A rule mix whose rows all equal row 0 steps the same network cell by cell.
    allocate_mem_rulemix(k);
    for (uint32_t c = 1; c < n; c++)
        memcpy(carule[c], carule[0], rule_bytes(k));
    rulemix = 1;
    memcpy(A, start.data(), bytesL);
    forward_run_begin(mode);
    for (int t = 0; t < steps; t++) {
        forward_step(carule, mode);
        std::vector<uint8_t> state(A, A + bytesL);
        std::vector<uint16_t> index(nhd, nhd + n);
        // The spare bits past cell n-1 are not compared: the two runs began
        // with different F lines.
        if (n % 8) {
            uint8_t valid = static_cast<uint8_t>((1u << (n % 8)) - 1);
            state.back() &= valid;
            packed_states[t].back() &= valid;
        }
        ASSERT_EQ(state, packed_states[t]) << "k=" << k << " n=" << n << " t=" << t;
        ASSERT_EQ(index, packed_indexes[t]) << "k=" << k << " n=" << n << " t=" << t;
    }
    forward_run_end();
    free_mem_rulemix();
    rulemix = 0;
}

TEST(PackedRing, ForwardStepEqualsTheSweep)
{
    srandom(9);
    for (int k = 0; k <= 13; k++)
        for (uint32_t n : kSizes)
            for (bool on_the_fly : {false, true})
                expect_packed_equals_sweep(k, n, on_the_fly, 40);
}

TEST(PackedRing, LargeRingManySteps)
{
    srandom(13);
    expect_packed_equals_sweep(3, 65025, false, 30);
    expect_packed_equals_sweep(7, 4097, true, 200);
}

TEST(PackedRing, KnownRuleFromOneCell)
{
    // Rule 30 from one cell on a 70-cell ring, at the last cell of word 0:
    // input 0 (the left neighbour) weighs 1, so the pattern is the mirror
    // image of the usual drawing of rule 30.
    TestNetwork net(2, 70, 3);
    TestNetwork::set_rule_number(30);
    memset(A, 0, bytesL);
    set_value(A, 63, 1);
    step_mode mode;
    forward_run_begin(mode);
    forward_step(carule, mode);
    EXPECT_EQ(state_values(A)[62], 1);
    EXPECT_EQ(state_values(A)[63], 1);
    EXPECT_EQ(state_values(A)[64], 1);
    EXPECT_EQ(nhd[62], 4);
    EXPECT_EQ(nhd[64], 1);
    forward_step(carule, mode);
    std::vector<int> row = state_values(A);
    std::vector<int> expect(70, 0);
    for (int c : {61, 64, 65})
        expect[c] = 1;
    EXPECT_EQ(row, expect);
    forward_run_end();
}

// Networks that look like rings but are not: each must still step as the
// formula says.
TEST(PackedRing, NearRingsTakeTheirOwnInputs)
{
    srandom(17);
    for (int change = 0; change < 3; change++) {
        TestNetwork net(2, 130, 5);
        TestNetwork::set_random_rule();
        if (change == 0)
            wiring[129][4] = 7; // one wire moved, at the last cell
        else if (change == 1)
            std::swap(wiring[64][0], wiring[64][1]); // two inputs exchanged
        else
            nhoodm[3] = 4; // one cell with a smaller k
        for (int t = 0; t < 5; t++) {
            set_random_state();
            std::vector<int> expect = reference_step(state_values(A), carule);
            plain_step(carule);
            EXPECT_EQ(state_values(A), expect) << "change " << change << " t=" << t;
        }
    }
}

TEST(PackedRing, WiringChangedBetweenStepsIsSeenAfterTheRecheck)
{
    srandom(19);
    TestNetwork net(2, 96, 3);
    TestNetwork::set_random_rule();
    step_mode mode;
    forward_run_begin(mode);
    set_random_state();
    std::vector<int> expect = reference_step(state_values(A), carule);
    forward_step(carule, mode);
    EXPECT_EQ(state_values(A), expect);
    // A wire moved in the run, as the running keys do.
    wiring[40][2] = 90;
    recheck_forward_network();
    for (int t = 0; t < 3; t++) {
        expect = reference_step(state_values(A), carule);
        forward_step(carule, mode);
        EXPECT_EQ(state_values(A), expect) << t;
    }
    // Put back: the ring again.
    wiring[40][2] = 41;
    recheck_forward_network();
    expect = reference_step(state_values(A), carule);
    forward_step(carule, mode);
    EXPECT_EQ(state_values(A), expect);
    forward_run_end();
}

// A step with indexes 0 leaves nhd to settle_step_indexes, which then
// writes what the step with indexes 1 writes, at every k (sliced and
// looked up); after a later step, or with another nhd, it writes nothing.
TEST(PackedRing, IndexesLeftOutAreSettledOnRequest)
{
    srandom(23);
    for (int k = 0; k <= 13; k++) {
        TestNetwork net(2, 129, k);
        TestNetwork::set_random_rule();
        set_random_state();
        const std::vector<uint8_t> start(A, A + bytesL);
        step_mode eager;
        forward_run_begin(eager);
        forward_step(carule, eager);
        const std::vector<uint8_t> eager_state(A, A + bytesL);
        const std::vector<uint16_t> eager_indexes(nhd, nhd + lineL);
        memcpy(A, start.data(), bytesL);
        memset(nhd, 0xAB, lineL * sizeof(uint16_t));
        step_mode lazy;
        lazy.indexes = 0;
        forward_step(carule, lazy);
        EXPECT_EQ(std::vector<uint8_t>(A, A + bytesL), eager_state) << "k=" << k;
        settle_step_indexes();
        EXPECT_EQ(std::vector<uint16_t>(nhd, nhd + lineL), eager_indexes) << "k=" << k;
        // Settled once: nothing is left to write.
        memset(nhd, 0xAB, lineL * sizeof(uint16_t));
        settle_step_indexes();
        EXPECT_EQ(nhd[0], 0xABAB) << "k=" << k;
        // Another array in nhd's place is not written.
        forward_step(carule, lazy);
        std::vector<uint16_t> other(lineL, 0xABAB);
        uint16_t *own = nhd;
        nhd = other.data();
        settle_step_indexes();
        nhd = own;
        EXPECT_EQ(other, std::vector<uint16_t>(lineL, 0xABAB)) << "k=" << k;
        forward_run_end();
    }
}

TEST(PackedRing, ChecksOfTheNetwork)
{
    TestNetwork net(2, 20, 4);
    EXPECT_EQ(uniform_inputs(lineL), 4);
    EXPECT_EQ(wired_as_ring(lineL, 4), 1);
    // Cell 0 reads 18, 19, 0, 1: a wire to 19 moved to 2 is no ring.
    EXPECT_EQ(wiring[0][1], 19);
    wiring[0][1] = 2;
    EXPECT_EQ(wired_as_ring(lineL, 4), 0);
    wiring[0][1] = 19;
    nhoodm[19] = 3;
    EXPECT_EQ(uniform_inputs(lineL), -1);
    nhoodm[19] = 4;
    // k past what the packed step holds.
    for (uint32_t c = 0; c < lineL; c++)
        nhoodm[c] = packed_ring_max_k + 1;
    EXPECT_EQ(uniform_inputs(lineL), -1);
    for (uint32_t c = 0; c < lineL; c++)
        nhoodm[c] = 4;
}

} // namespace
