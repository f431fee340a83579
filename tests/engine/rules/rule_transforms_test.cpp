// Rule transformations: rule 150's fixed transforms, tcode transforms, a
// raise of k that leaves the trajectory unchanged, effective k with its
// report and Maxu slots, the kcode remap after a raise, the exhaustive map.
#include "engine/forward/forward_test_support.h"
#include "engine/model/rule_parameters.h"
#include "engine/model/value_count_trie.h"
#include "engine/rules/rule_transforms.h"
#include "rules_test_support.h"

namespace {

using Transform = RuleTableTest;

// Rule table of k = 3 from its number (entry i = bit i).
std::vector<uint8_t>
rule_of(uint32_t number)
{
    std::vector<uint8_t> t(8, 0);
    t[0] = static_cast<uint8_t>(number);
    return t;
}

TEST_F(Transform, Rule150)
{
    auto t = rule_of(0x96);
    invert_rule(3, t.data());
    EXPECT_EQ(t[0], 0x69); // T'[i] = T[7-i]
    t = rule_of(0x96);
    complement_rule(3, t.data());
    EXPECT_EQ(t[0], 0x69);
    t = rule_of(0x96);
    reflect_rule(3, t.data());
    EXPECT_EQ(t[0], 0x96); // symmetric
    t = rule_of(0x96);
    solid_rule(3, t.data());
    EXPECT_EQ(t[0], 0x96 | 0xCC); // entries with middle bit 1 set
    t = rule_of(0x96);
    negate_rule(3, t.data());
    EXPECT_EQ(t[0], 0x96);
}

TEST_F(Transform, ReflectionMirrorsAnAsymmetricRuleTwiceBack)
{
    use(3);
    srandom(5);
    auto t = table(3);
    for (int i = 0; i < 27; i++)
        set_value(t.data(), static_cast<uint32_t>(i), static_cast<int>(random() % 3));
    auto r = t;
    reflect_rule(3, r.data());
    for (int i = 0; i < 27; i++) {
        int mirrored = digit(i, 2) + 3 * digit(i, 1) + 9 * digit(i, 0);
        EXPECT_EQ(at(r, mirrored), at(t, i));
    }
    reflect_rule(3, r.data());
    EXPECT_EQ(r, t);
    // Invert and complement of v = 3 against the definitions.
    auto inv = t, comp = t;
    invert_rule(3, inv.data());
    complement_rule(3, comp.data());
    for (int i = 0; i < 27; i++) {
        EXPECT_EQ(at(inv, i), at(t, 26 - i));
        EXPECT_EQ(at(comp, i), 2 - at(t, i));
    }
}

TEST_F(Transform, KMixCellKeepsToItsOwnEntries)
{
    // A cell of k = 2 in a row sized for k = 3: the tail stays zero.
    auto t = table(3);
    t[0] = 0x06; // k = 2 XOR
    invert_rule(2, t.data());
    EXPECT_EQ(t[0], 0x06);
    complement_rule(2, t.data());
    EXPECT_EQ(t[0], 0x09);
}

TEST_F(Transform, TcodeStaysTotalistic)
{
    use(3);
    std::vector<uint8_t> code(8, 0);
    int values[] = {0, 2, 1, 1, 0, 2, 2}; // k = 3: entries 0..6
    for (int s = 0; s < 7; s++)
        set_value(code.data(), static_cast<uint32_t>(s), values[s]);
    auto c = code;
    complement_tcode(3, c.data());
    for (int s = 0; s < 7; s++)
        EXPECT_EQ(get_value(c.data(), static_cast<uint32_t>(s)), 2 - values[s]);
    c = code;
    invert_tcode(3, c.data());
    for (int s = 0; s < 7; s++)
        EXPECT_EQ(get_value(c.data(), static_cast<uint32_t>(s)), values[6 - s]);
}

TEST_F(Transform, KcodeRemapAfterRaise)
{
    // v = 2, k 5 -> 6: saved entries 0..5, new kcode of 7 entries (one byte
    // each; a spare byte, as value lines of more values read the next one).
    std::vector<uint8_t> saved(2, 0), code(2, 0);
    int values[] = {0, 1, 0, 1, 1, 0};
    for (int i = 0; i < 6; i++)
        set_value(saved.data(), static_cast<uint32_t>(i), values[i]);
    remap_kcode_after_raise(saved.data(), 6, code.data(), 6);
    int expect[] = {values[0], values[1], values[2], values[3], values[3], values[4], values[5]};
    for (int i = 0; i < 7; i++)
        EXPECT_EQ(get_value(code.data(), static_cast<uint32_t>(i)), expect[i]) << i;
}

// Runs steps forward-steps of the ring in the globals from a fixed state.
std::vector<std::vector<int>>
trajectory(int steps)
{
    srandom(3);
    for (uint32_t c = 0; c < lineL; c++)
        set_value(A, c, static_cast<int>(random() % value_range));
    std::vector<std::vector<int>> out;
    step_mode mode;
    forward_run_begin(mode);
    for (int s = 0; s < steps; s++) {
        forward_step(carule, mode);
        out.push_back(state_values(A));
    }
    forward_run_end();
    return out;
}

void
free_raised_arrays()
{
    free_mem_rule0_extra();
    free_mem_all_0s_all_1s_rules();
    free_v_code_arrays();
    free_mem_tcode0();
}

TEST(TransformNetwork, RaiseFromThreeToFiveKeepsTheTrajectory)
{
    allocate_mem_nhood_matrix(13);
    allocate_mem_Z_parameter();
    {
        TestNetwork net(2, 16, 3);
        nonlocal = 0;
        TestNetwork::set_rule_number(110);
        auto before = trajectory(20);
        raise_rule_k(0, 5);
        EXPECT_EQ(nhood, 5);
        EXPECT_EQ(nhoodm[7], 5);
        EXPECT_EQ(nhood_ub, 5);
        // 3 -> 4 adds digit 0 (c-2), 4 -> 5 the top digit (c+2).
        EXPECT_EQ(wiring[7][0], 5);
        EXPECT_EQ(wiring[7][4], 9);
        EXPECT_EQ(trajectory(20), before);
        free_raised_arrays();
    }
    free_mem_Z_parameter();
    free_mem_nhood_matrix(13);
}

TEST(TransformNetwork, RaiseOnRandomWiringAddsRelativeInputs)
{
    allocate_mem_nhood_matrix(13);
    {
        TestNetwork net(2, 10, 2);
        nonlocal = 1;
        srandom(9);
        for (uint32_t c = 0; c < lineL; c++)
            for (int j = 0; j < 2; j++)
                wiring[c][j] = static_cast<uint16_t>(random() % 10);
        TestNetwork::set_random_rule();
        auto before = trajectory(15);
        raise_rule_k(0, 4);
        EXPECT_EQ(nhood, 4);
        EXPECT_EQ(trajectory(15), before);
        free_raised_arrays();
        nonlocal = 0;
    }
    free_mem_nhood_matrix(13);
}

TEST(TransformNetwork, EffectiveKDropsTheIgnoredMiddleInput)
{
    allocate_mem_nhood_matrix(13);
    {
        TestNetwork net(2, 12, 3);
        nonlocal = 1;
        // T[i] = d0 XOR d2: the middle input is ignored.
        for (uint32_t i = 0; i < 8; i++)
            set_value(carule[0], i, static_cast<int>((i & 1) ^ (i >> 2 & 1)));
        auto before = trajectory(10);
        testing::internal::CaptureStderr();
        EXPECT_EQ(reduce_to_effective_k(0), 2);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "\nci=0, inactive wires=1,\n");
        EXPECT_EQ(nhood, 2);
        EXPECT_EQ(nhoodm[5], 2);
        EXPECT_EQ(wiring[5][0], 4); // the outer inputs stay
        EXPECT_EQ(wiring[5][1], 6);
        EXPECT_EQ(get_value(carule[0], 0) * 1 + get_value(carule[0], 1) * 2 + get_value(carule[0], 2) * 4 +
                      get_value(carule[0], 3) * 8,
                  6);
        EXPECT_EQ(trajectory(10), before);
        free_mem_all_0s_all_1s_rules();
        free_v_code_arrays();
        nonlocal = 0;
    }
    free_mem_nhood_matrix(13);
}

TEST(TransformNetwork, EffectiveKOfAConstantRuleStopsAtOneAndMixRowsReadMaxu)
{
    allocate_mem_nhood_matrix(13);
    {
        TestNetwork net(2, 6, 3);
        allocate_mem_rulemix(3);
        rulemix = 1;
        nhood_mixed = 1;
        set_value(carule[2], 0, 1);
        for (uint32_t i = 0; i < 8; i++)
            set_value(carule[2], i, 1); // constant
        testing::internal::CaptureStderr();
        EXPECT_EQ(reduce_to_effective_k(2), 1);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "\nci=2, inactive wires=2,1,0,\n");
        EXPECT_EQ(wiring[2][0], 1); // input position 0 is kept
        EXPECT_EQ(wiring[2][1], Maxu);
        EXPECT_EQ(wiring[2][2], Maxu);
        EXPECT_EQ(nhood_lb, 1);
        EXPECT_EQ(nhood, 3);
        free_mem_rulemix();
        rulemix = 0;
    }
    free_mem_nhood_matrix(13);
}

// A ring of 8 cells under nhood 3 with one rule per cell, the odd cells
// reading 2 inputs (their left neighbour and themselves), the even ones 3.
void
build_mixed_ring()
{
    allocate_mem_rulemix(3);
    allocate_mem_rule0_extra(3);
    rulemix = 1;
    nhood_mixed = 1;
    srandom(17);
    for (uint32_t c = 0; c < lineL; c++) {
        int k = c % 2 ? 2 : 3;
        nhoodm[c] = static_cast<int8_t>(k);
        if (k == 2)
            wiring[c][2] = Maxu;
        for (uint32_t i = 0; i < rule_entries(k); i++)
            set_value(carule[c], i, static_cast<int>(random() % 2));
    }
    nhood_lb = 2;
}

void
free_mixed_ring()
{
    free_mem_rule0_extra();
    free_mem_rulemix();
    rulemix = 0;
    nhood_mixed = 0;
}

TEST(TransformNetwork, MixedRaiseToTheCeilingKeepsTheTrajectory)
{
    allocate_mem_nhood_matrix(13);
    {
        TestNetwork net(2, 8, 3);
        build_mixed_ring();
        auto before = trajectory(12);
        EXPECT_TRUE(raise_rule_k(3, 3));
        EXPECT_EQ(nhoodm[3], 3);
        EXPECT_EQ(nhood, 3);
        EXPECT_EQ(nhood_lb, 2);
        // 2 -> 3 adds the top digit, wired to the right neighbour.
        EXPECT_EQ(wiring[3][0], 2);
        EXPECT_EQ(wiring[3][1], 3);
        EXPECT_EQ(wiring[3][2], 4);
        EXPECT_EQ(trajectory(12), before);
        free_mixed_ring();
    }
    free_mem_nhood_matrix(13);
}

// Every row of a k-mix is sized for nhood: a raise past it would widen the
// cell's table and wiring row past their ends (and leave hist_order and
// color_filter short of the new neighbourhoods), so it is refused and the
// network stays as it was.
TEST(TransformNetwork, MixedRaisePastTheCeilingIsRefused)
{
    allocate_mem_nhood_matrix(13);
    {
        TestNetwork net(2, 8, 3);
        build_mixed_ring();
        std::vector<uint8_t> row(carule[3], carule[3] + rule_bytes(3));
        std::vector<uint16_t> wires(wiring[3], wiring[3] + 3);
        auto before = trajectory(12);
        EXPECT_FALSE(raise_rule_k(3, 6));
        EXPECT_FALSE(raise_rule_k(0, 4));
        EXPECT_EQ(nhoodm[3], 2);
        EXPECT_EQ(nhoodm[0], 3);
        EXPECT_EQ(nhood, 3);
        EXPECT_EQ(nhood_ub, 3);
        EXPECT_EQ(std::vector<uint8_t>(carule[3], carule[3] + rule_bytes(3)), row);
        EXPECT_EQ(std::vector<uint16_t>(wiring[3], wiring[3] + 3), wires);
        EXPECT_EQ(trajectory(12), before);
        free_mixed_ring();
    }
    free_mem_nhood_matrix(13);
}

// A rule mix of one k has rows 1..n-1 sized for that k: raising the
// network's k through row 0 would leave them short, so it is refused.
TEST(TransformNetwork, RaiseOfARuleMixWithoutAKMixIsRefused)
{
    allocate_mem_nhood_matrix(13);
    {
        TestNetwork net(2, 6, 3);
        allocate_mem_rulemix(3);
        rulemix = 1;
        EXPECT_FALSE(raise_rule_k(0, 5));
        EXPECT_EQ(nhood, 3);
        EXPECT_EQ(nhoodm[0], 3);
        free_mem_rulemix();
        rulemix = 0;
    }
    free_mem_nhood_matrix(13);
}

TEST(TransformNetwork, ExhaustiveMapReproducesTheTable)
{
    allocate_mem_nhood_matrix(13);
    {
        TestNetwork net(2, 4, 4);
        allocate_mem_rulemix(4);
        rulemix = 1;
        nhood_mixed = 1;
        srandom(21);
        std::vector<uint8_t> table(16 * bytesL);
        for (auto &b : table)
            b = static_cast<uint8_t>(random() & 0x0F);
        apply_exhaustive_map(table.data());
        for (uint32_t s = 0; s < 16; s++) {
            for (uint32_t c = 0; c < 4; c++)
                set_value(A, c, static_cast<int>(s >> c & 1));
            step_mode mode;
            forward_run_begin(mode);
            forward_step(carule, mode);
            forward_run_end();
            EXPECT_EQ(A[0] & 0x0F, table[s]) << s;
        }
        free_mem_rulemix();
        rulemix = 0;
    }
    free_mem_nhood_matrix(13);
}

} // namespace
