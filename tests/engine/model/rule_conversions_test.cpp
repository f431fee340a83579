// Tcode and kcode expansion into rule tables, the derivation of a kcode from
// a rule table, the value exchange in a kcode, the kcode listing and the
// largest decimal rule number. The oracle numbers the value-count tuples
// itself, with the count of value v-1 slowest, and reads the inputs of an
// index by division.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/model_test_support.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_conversions.h"
#include "engine/model/value_count_trie.h"

namespace {

// Tuples (counts of values 0..v-1) of k inputs in kcode order.
void
list_tuples(int v, int k, int value, int left, std::vector<int> &counts,
            std::vector<std::vector<int>> &out)
{
    if (value == 0) {
        counts[0] = left;
        out.push_back(counts);
        return;
    }
    for (int c = 0; c <= left; c++) {
        counts[static_cast<size_t>(value)] = c;
        list_tuples(v, k, value - 1, left - c, counts, out);
    }
}

std::map<std::vector<int>, int>
tuple_numbers(int v, int k)
{
    std::vector<std::vector<int>> tuples;
    std::vector<int> counts(static_cast<size_t>(v), 0);
    list_tuples(v, k, v - 1, k, counts, tuples);
    std::map<std::vector<int>, int> numbers;
    for (size_t e = 0; e < tuples.size(); e++)
        numbers[tuples[e]] = static_cast<int>(e);
    return numbers;
}

std::vector<int>
tuple_of_index(uint64_t i, int v, int k)
{
    std::vector<int> counts(static_cast<size_t>(v), 0);
    for (int j = 0; j < k; j++)
        counts[static_cast<size_t>(digit_of(i, v, j))]++;
    return counts;
}

class Conversions : public ::testing::Test {
protected:
    long live_before = 0;
    int K = 0;
    void SetUp() override { live_before = live_allocations; }
    // The k-matrix and the trie as the set-up stages leave them.
    void network(int v, int k)
    {
        teardown_network();
        use_value_range(v);
        const int max_k[] = {13, 9, 7, 6, 5, 5, 4};
        K = max_k[v - 2];
        allocate_mem_nhood_matrix(K);
        nhood = static_cast<int8_t>(k);
        set_up_v_code();
    }
    void teardown_network()
    {
        if (!K)
            return;
        free_v_code_arrays();
        free_mem_nhood_matrix(K);
        K = 0;
    }
    void TearDown() override
    {
        teardown_network();
        EXPECT_EQ(live_allocations, live_before);
        totalistic = rule_kind_tables;
        nhood = 0;
        use_value_range(2);
    }
};

TEST_F(Conversions, TcodeOfTwoValues)
{
    network(2, 3);
    totalistic = rule_kind_tcodes;
    std::vector<uint8_t> tcode = pack({0, 1, 1, 0});
    std::vector<uint8_t> rule(4, 0xAA);
    code2rule(rule.data(), tcode.data(), 3);
    EXPECT_EQ(unpack(rule.data(), 8), (std::vector<int>{0, 1, 1, 1, 1, 1, 1, 0}));
}

TEST_F(Conversions, TcodeLeftAloneForOtherRuleKinds)
{
    network(2, 3);
    totalistic = rule_kind_kcodes;
    std::vector<uint8_t> tcode = pack({0, 1, 1, 0});
    std::vector<uint8_t> rule(4, 0xAA);
    code2rule(rule.data(), tcode.data(), 3);
    EXPECT_EQ(rule[0], 0xAA);
}

TEST_F(Conversions, TcodeMatchesTheSumOfInputs)
{
    for (int v = 2; v <= 8; v++) {
        for (int k : {1, 2, 4}) {
            if (int_power(v, k) > 4096)
                continue;
            network(v, k);
            totalistic = rule_kind_tcodes;
            std::vector<uint8_t> tcode(16, 0), rule(2048, 0);
            for (uint32_t s = 0; s < tcode_entries(k); s++)
                set_value(tcode.data(), s, static_cast<int>((s * 5 + 3) % static_cast<uint32_t>(v)));
            code2rule(rule.data(), tcode.data(), k);
            for (uint64_t i = 0; i < int_power(v, k); i++) {
                int sum = 0;
                for (int j = 0; j < k; j++)
                    sum += digit_of(i, v, j);
                ASSERT_EQ(get_value(rule.data(), static_cast<uint32_t>(i)),
                          get_value(tcode.data(), static_cast<uint32_t>(sum)))
                    << "v=" << v << " k=" << k << " i=" << i;
            }
        }
    }
}

TEST_F(Conversions, KcodeToRuleAndBackAgainstTheOracle)
{
    for (int v = 2; v <= 8; v++) {
        for (int k = 1; k <= 4; k++) {
            if (int_power(v, k) > 4096)
                continue;
            network(v, k);
            std::map<std::vector<int>, int> numbers = tuple_numbers(v, k);
            std::vector<uint8_t> kcode(4096, 0), rule(4096, 0), back(4096, 0);
            for (uint32_t e = 0; e < kcode_entries(k); e++)
                set_value(kcode.data(), e, static_cast<int>((e * 3 + 1) % static_cast<uint32_t>(v)));
            v_code2rule(rule.data(), kcode.data(), k, 1);
            for (uint64_t i = 0; i < int_power(v, k); i++) {
                int e = numbers.at(tuple_of_index(i, v, k));
                ASSERT_EQ(get_value(rule.data(), static_cast<uint32_t>(i)),
                          get_value(kcode.data(), static_cast<uint32_t>(e)))
                    << "v=" << v << " k=" << k << " i=" << i;
            }
            // The rule is count-based, so the derivation gives the kcode back.
            v_code2rule(rule.data(), back.data(), k, 0);
            for (uint32_t e = 0; e < kcode_entries(k); e++)
                ASSERT_EQ(get_value(back.data(), e), get_value(kcode.data(), e))
                    << "v=" << v << " k=" << k << " e=" << e;
        }
    }
}

TEST_F(Conversions, DerivationFromARuleThatIsNotCountBased)
{
    network(2, 3);
    // rule[1] = 1, rule[2] = 0, rule[4] = 0: class "one input at 1" is
    // decided by index 1, the smallest in the lower half; class "all at 1"
    // has no index below half and comes from index 7.
    std::vector<uint8_t> rule = pack({0, 1, 0, 0, 0, 1, 1, 1});
    // Four entries need one byte at v = 2; two bytes also hold them at the
    // widths of the v > 2 path, which the inlined accessors carry too.
    std::vector<uint8_t> kcode(2, 0);
    v_code2rule(rule.data(), kcode.data(), 3, 0);
    EXPECT_EQ(get_value(kcode.data(), 1), 1);
    EXPECT_EQ(get_value(kcode.data(), 3), 1);
    EXPECT_EQ(get_value(kcode.data(), 2), 0);   // index 3, not 5 or 6
    EXPECT_EQ(get_value(kcode.data(), 0), 0);
}

TEST_F(Conversions, OtherDirectionsDoNothing)
{
    network(2, 2);
    std::vector<uint8_t> rule(1, 0x5A), kcode(1, 0x03);
    long live = live_allocations;
    v_code2rule(rule.data(), kcode.data(), 2, 2);
    v_code2rule(rule.data(), kcode.data(), 2, -1);
    EXPECT_EQ(rule[0], 0x5A);
    EXPECT_EQ(kcode[0], 0x03);
    EXPECT_EQ(live_allocations, live);
}

TEST_F(Conversions, ExchangeOfTwoValues)
{
    network(3, 2);
    std::vector<uint8_t> kcode = pack({0, 1, 2, 0, 1, 2});
    exchange_values_vcode(kcode.data(), 2, 0, 2);
    EXPECT_EQ(unpack(kcode.data(), 6), (std::vector<int>{0, 1, 0, 2, 1, 2}));
    // Exchanging again restores it.
    exchange_values_vcode(kcode.data(), 2, 2, 0);
    EXPECT_EQ(unpack(kcode.data(), 6), (std::vector<int>{0, 1, 2, 0, 1, 2}));
}

TEST_F(Conversions, ExchangeMatchesTheExchangedRuleTable)
{
    // Exchanging values a and b in the kcode must give the kcode of the rule
    // whose inputs and outputs have a and b exchanged.
    network(4, 3);
    std::map<std::vector<int>, int> numbers = tuple_numbers(4, 3);
    std::vector<uint8_t> kcode(16, 0);
    for (uint32_t e = 0; e < kcode_entries(3); e++)
        set_value(kcode.data(), e, static_cast<int>((e * 7 + 2) % 4));
    std::vector<uint8_t> swapped = kcode;
    exchange_values_vcode(swapped.data(), 3, 1, 3);
    auto exchange = [](int x) { return x == 1 ? 3 : x == 3 ? 1 : x; };
    for (auto &entry : numbers) {
        std::vector<int> counts = entry.first;
        std::swap(counts[1], counts[3]);
        int out = get_value(kcode.data(), static_cast<uint32_t>(numbers.at(counts)));
        EXPECT_EQ(get_value(swapped.data(), static_cast<uint32_t>(entry.second)), exchange(out));
    }
}

TEST_F(Conversions, VerticalListing)
{
    network(3, 2);
    std::vector<uint8_t> kcode = pack({0, 1, 2, 2, 1, 0});
    ::testing::internal::CaptureStderr();
    fprintf_vcode(0, kcode.data(), 2);
    std::string out = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(out.find("\n 3: 1 0 1  -> 2"), std::string::npos) << out;
    EXPECT_EQ(out.find("\n 0: 0 0 2  -> 0"), 0u) << out;
    EXPECT_EQ(out.rfind("\n 5: 2 0 0  -> 0\n"), out.size() - 17) << "the last line ends: " << out;
}

TEST_F(Conversions, HorizontalListing)
{
    network(2, 2);
    std::vector<uint8_t> kcode = pack({1, 0, 1});
    ::testing::internal::CaptureStderr();
    fprintf_vcode(1, kcode.data(), 2);
    std::string out = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(out, "\n1:210\n0:012\n  |||\n  101\n");
}

TEST_F(Conversions, MatrixListingOnlyForThreeValues)
{
    network(3, 2);
    std::vector<uint8_t> kcode = pack({0, 1, 2, 0, 1, 2});
    ::testing::internal::CaptureStderr();
    fprintf_vcode(2, kcode.data(), 2);
    std::string out = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(out, "\n0 1 2 \n0 1 \n2 \n");
    network(2, 3);
    ::testing::internal::CaptureStderr();
    fprintf_vcode(2, kcode.data(), 3);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(MaxDecRule, LimitsPerValueRange)
{
    EXPECT_EQ(max_dec_rule(4, 2), 31u);
    EXPECT_EQ(max_dec_rule(31, 2), 4294967295u);
    EXPECT_EQ(max_dec_rule(15, 4), 4294967295u);
    EXPECT_EQ(max_dec_rule(32, 2), 0u);
    EXPECT_EQ(max_dec_rule(9, 8), 0u);
    EXPECT_EQ(max_dec_rule(0, 8), 0u);
    EXPECT_EQ(max_dec_rule(19, 3), 3486784400u);
    EXPECT_EQ(max_dec_rule(20, 3), 0u);
    EXPECT_EQ(max_dec_rule(10, 7), static_cast<uint32_t>(int_power(7, 11) - 1));
    EXPECT_EQ(max_dec_rule(12, 5), static_cast<uint32_t>(int_power(5, 13) - 1));
    EXPECT_EQ(max_dec_rule(11, 6), static_cast<uint32_t>(int_power(6, 12) - 1));
    EXPECT_EQ(max_dec_rule(3, 9), 0u);
}

TEST(MaxDecRule, TheLargestNumberRoundTrips)
{
    // The largest number of every admitted length comes back from its line.
    for (int v = 2; v <= 7; v++) {
        use_value_range(v);
        const int last[] = {31, 19, 15, 12, 11, 10};
        uint32_t top = max_dec_rule(last[v - 2], v);
        std::vector<uint8_t> line(8, 0);
        dec_to_value_line(line.data(), top, last[v - 2] + 1);
        for (int i = 0; i <= last[v - 2]; i++)
            EXPECT_EQ(get_value(line.data(), static_cast<uint32_t>(i)), v - 1);
        EXPECT_EQ(dec_equiv(line.data(), last[v - 2]), top);
    }
    use_value_range(2);
}

} // namespace
