// Network doubling: the cell mapping, the wiring of each half, the seed in
// both halves, the rule mix, and the oracle that each half of the doubled
// network runs exactly as the old network does from its own seed.
#include "engine/forward/network_duplication.h"

#include "forward_test_support.h"

namespace {

// The wiring rows of the network, k slots each.
std::vector<std::vector<int>>
wiring_rows()
{
    std::vector<std::vector<int>> rows(lineL);
    for (uint32_t c = 0; c < lineL; c++)
        rows[c].assign(wiring[c], wiring[c] + nhood);
    return rows;
}

// n steps of the reference step from a state.
std::vector<int>
run_reference(std::vector<int> state, int steps)
{
    for (int t = 0; t < steps; t++)
        state = reference_step(state, carule);
    return state;
}

// Cells of a doubled state belonging to one half, in old cell order.
std::vector<int>
half_of(const std::vector<int> &doubled, uint32_t n, uint32_t width, int half)
{
    std::vector<int> values(n);
    for (uint32_t c = 0; c < n; c++)
        values[c] = doubled[doubled_cell(c, n, width, half)];
    return values;
}

} // namespace

TEST(NetworkDuplication, OfferedUpTo32511CellsAndNotForForwardOnlyLattices)
{
    EXPECT_TRUE(duplication_offered(32511, false));
    EXPECT_FALSE(duplication_offered(32512, false));
    EXPECT_FALSE(duplication_offered(10, true));
}

TEST(NetworkDuplication, CellMappingOneAndTwoD)
{
    EXPECT_EQ(doubled_cell(2, 5, 0, 0), 2u);
    EXPECT_EQ(doubled_cell(2, 5, 0, 1), 7u);
    // (1, 2) of a 4-wide lattice: (1, 2) and (5, 2) of the 8-wide one.
    EXPECT_EQ(doubled_cell(9, 12, 4, 0), 17u);
    EXPECT_EQ(doubled_cell(9, 12, 4, 1), 21u);
}

TEST(NetworkDuplication, RingOfFiveWithSeed10110)
{
    TestNetwork net(2, 5, 3);
    TestNetwork::set_rule_number(110);
    // 10110 read from cell 4 down to cell 0.
    set_state(bitseed, {0, 1, 1, 0, 1});
    std::vector<std::vector<int>> old_wiring = wiring_rows();
    std::vector<uint8_t> rule(carule[0], carule[0] + rule_bytes(3));
    nonlocal = 0;

    double_network();

    EXPECT_EQ(lineL, 10);
    EXPECT_EQ(L, 9);
    EXPECT_EQ(bytesL, 2);
    EXPECT_EQ(nonlocal, 1);
    EXPECT_EQ(state_values(bitseed), (std::vector<int>{0, 1, 1, 0, 1, 0, 1, 1, 0, 1}));
    for (int s = 0; s < 3; s++) {
        EXPECT_EQ(wiring[2][s], old_wiring[2][s]);
        EXPECT_EQ(wiring[7][s], old_wiring[2][s] + 5);
    }
    for (uint32_t c = 0; c < 10; c++)
        EXPECT_EQ(nhoodm[c], 3);
    // Every cell feeds three inputs, within its own half.
    for (uint32_t c = 0; c < 10; c++)
        EXPECT_EQ(celloutfreq[c], 3);
    // Without a rule mix, row 0 alone serves both halves, unchanged.
    EXPECT_EQ(std::vector<uint8_t>(carule[0], carule[0] + rule_bytes(3)), rule);
}

TEST(NetworkDuplication, FourByThreeLatticeBecomesEightByThree)
{
    TestNetwork net(2, 2, 4, 3, 1, 2);
    // Cell (0, 0) reads (1, 2) and itself; every other cell reads its right
    // neighbour and the cell below, wrapping.
    for (int j = 0; j < 3; j++)
        for (int i = 0; i < 4; i++) {
            int c = i + 4 * j;
            wiring[c][0] = static_cast<uint16_t>((i + 1) % 4 + 4 * j);
            wiring[c][1] = static_cast<uint16_t>(i + 4 * ((j + 1) % 3));
        }
    wiring[0][0] = 9;
    wiring[0][1] = 0;

    double_network();

    EXPECT_EQ(i2d, 8);
    EXPECT_EQ(j2d, 3);
    EXPECT_EQ(lineL, 24);
    EXPECT_EQ(wiring[0][0], 1 + 2 * 8);
    EXPECT_EQ(wiring[4][0], 5 + 2 * 8);
    EXPECT_EQ(wiring[0][1], 0);
    EXPECT_EQ(wiring[4][1], 4);
    // Cell (3, 1) reads (0, 1) and (3, 2) in the left half, (4, 1) and (7, 2) in the right.
    EXPECT_EQ(wiring[3 + 8][0], 0 + 8);
    EXPECT_EQ(wiring[3 + 8][1], 3 + 16);
    EXPECT_EQ(wiring[7 + 8][0], 4 + 8);
    EXPECT_EQ(wiring[7 + 8][1], 7 + 16);
}

TEST(NetworkDuplication, EachHalfRunsAsTheOldNetworkFromItsOwnSeed)
{
    srandom(7);
    for (int dim = 1; dim <= 2; dim++) {
        TestNetwork net = dim == 1 ? TestNetwork(3, 7, 3) : TestNetwork(3, 2, 3, 4, 1, 3);
        // Random wiring within the network.
        for (uint32_t c = 0; c < lineL; c++)
            for (int s = 0; s < nhood; s++)
                wiring[c][s] = static_cast<uint16_t>(random() % lineL);
        TestNetwork::set_random_rule();
        uint32_t n = lineL, width = dim == 2 ? static_cast<uint32_t>(i2d) : 0;
        std::vector<int> a(n), b(n);
        for (uint32_t c = 0; c < n; c++) {
            a[c] = static_cast<int>(random() % 3);
            b[c] = static_cast<int>(random() % 3);
        }
        std::vector<int> old_a = run_reference(a, 4), old_b = run_reference(b, 4);
        set_state(bitseed, a);

        double_network();

        std::vector<int> seed = state_values(bitseed);
        EXPECT_EQ(half_of(seed, n, width, 0), a);
        EXPECT_EQ(half_of(seed, n, width, 1), a);
        // The user makes the right seed differ; the engine's own step runs both.
        for (uint32_t c = 0; c < n; c++)
            set_value(A, doubled_cell(c, n, width, 1), b[c]);
        for (uint32_t c = 0; c < n; c++)
            set_value(A, doubled_cell(c, n, width, 0), a[c]);
        for (int t = 0; t < 4; t++)
            plain_step(carule);
        std::vector<int> now = state_values(A);
        EXPECT_EQ(half_of(now, n, width, 0), old_a) << "dim " << dim;
        EXPECT_EQ(half_of(now, n, width, 1), old_b) << "dim " << dim;
    }
}

TEST(NetworkDuplication, RuleMixAndKMixGoToBothCopies)
{
    TestNetwork net(2, 4, 3);
    allocate_mem_tcode0(3);
    rulemix = 1;
    allocate_mem_rulemix(3);
    allocate_mem_tcodemix(3);
    nhood_mixed = 1;
    nhood_lb = 1;
    for (uint32_t c = 0; c < 4; c++) {
        nhoodm[c] = static_cast<int8_t>(1 + c % 3);
        for (int s = nhoodm[c]; s < 3; s++)
            wiring[c][s] = Maxu;
        for (uint32_t i = 0; i < 8; i++)
            set_value(carule[c], i, static_cast<int>((c >> (i % 2)) & 1) ^ static_cast<int>(i & 1));
        set_value(cacode[c], 0, static_cast<int>(c & 1));
        set_value(v_code[c], 1, static_cast<int>(c >> 1));
    }
    std::vector<std::vector<uint8_t>> rules;
    for (uint32_t c = 0; c < 4; c++)
        rules.emplace_back(carule[c], carule[c] + rule_bytes(3));
    std::vector<int8_t> kmix(nhoodm, nhoodm + 4);

    double_network();

    for (uint32_t c = 0; c < 4; c++)
        for (uint32_t to : {c, c + 4}) {
            EXPECT_EQ(std::vector<uint8_t>(carule[to], carule[to] + rule_bytes(3)), rules[c]);
            EXPECT_EQ(nhoodm[to], kmix[c]);
            EXPECT_EQ(get_value(cacode[to], 0), static_cast<int>(c & 1));
            EXPECT_EQ(get_value(v_code[to], 1), static_cast<int>(c >> 1));
            for (int s = kmix[c]; s < 3; s++)
                EXPECT_EQ(wiring[to][s], Maxu);
        }

    free_mem_rulemix();
    free_mem_tcodemix();
    free_mem_tcode0();
    rulemix = 0;
    nhood_mixed = 0;
}
