// The Post listing's engine: the text of a line group and of the summary
// byte for byte, the whole space counted against the class test, spaces of
// 2^32 strings and more, long tables, and the stop key.
#include <cstdlib>

#include "engine/model/key_poll.h"
#include "engine/rules/globals.h"
#include "engine/rules/post_listing.h"
#include "rules_test_support.h"

namespace {

class Listing : public RuleTableTest {
protected:
    void TearDown() override
    {
        set_key_poll(nullptr);
        ptype = ptype_any;
        pmu = post_class_any;
        totalistic = rule_kind_tables;
        RuleTableTest::TearDown();
    }
    post_listing_request request(int k, bool whole, uint64_t passes, bool post_only)
    {
        post_listing_request r;
        r.k = k;
        r.rule_last = entries(k) - 1;
        r.rule_bytes = rule_bytes(k);
        r.code_last = static_cast<int32_t>(tcode_entries(k)) - 1;
        r.code_bytes = tcode_bytes(k);
        r.whole_space = whole;
        r.passes = passes;
        r.post_only = post_only;
        return r;
    }
    std::string run(const post_listing_request &r, post_listing_counts *counts = nullptr)
    {
        std::string text;
        long before = live_allocations;
        post_listing_counts c = run_post_listing(r, [&](const std::string &g) { text += g; });
        EXPECT_EQ(live_allocations, before);
        if (counts)
            *counts = c;
        return text + post_listing_summary(r, c.count);
    }
};

TEST_F(Listing, LineGroupOfTheMajorityRule)
{
    std::vector<uint8_t> t = table(3);
    for (int i = 0; i < 8; i++)
        set_value(t.data(), static_cast<uint32_t>(i), __builtin_popcount(static_cast<unsigned>(i)) >= 2);
    post_flags f;
    ASSERT_TRUE(find_post_classes(3, t.data(), &f));
    EXPECT_EQ(post_line_group(5, nullptr, 0, t.data(), 3, &f),
              "\n 5:  11101000 A[1]2 A[0]2   C=0 P=0.5 Z=0.5");
}

TEST_F(Listing, WholeSpaceOfTwoInputsListsAllAndCountsPostFunctions)
{
    post_listing_counts counts;
    std::string text = run(request(2, true, post_space_size(4), false), &counts);
    EXPECT_EQ(counts.passes_made, 16u);
    uint64_t post = 0;
    for (uint32_t n = 0; n < 16; n++) {
        std::vector<uint8_t> t = table(2);
        dec_to_value_line(t.data(), n, 4);
        post_flags f;
        find_post_classes(2, t.data(), &f);
        post += static_cast<uint64_t>(post_class_answer(f));
    }
    EXPECT_EQ(counts.count, post);
    EXPECT_EQ(text.substr(0, 12), "\n 15:  1111 ");
    char summary[80];
    snprintf(summary, sizeof summary, "\n v2k2: Post count=%llu=%.3f%%, rule-space=16\n",
             static_cast<unsigned long long>(post), 100.0 * static_cast<double>(post) / 16);
    EXPECT_EQ(text.substr(text.size() - strlen(summary)), summary);
}

TEST_F(Listing, SpacesOfTwoToThe32AndMore)
{
    EXPECT_EQ(post_space_size(32), post_space_limit);
    EXPECT_EQ(post_space_size(64), post_space_limit + 1);
    EXPECT_EQ(post_space_max(32), 4294967295u);
    EXPECT_EQ(post_space_max(3), 7u);
    post_listing_request r = request(5, true, post_space_limit, true);
    EXPECT_EQ(post_listing_summary(r, 2), "\n v2k5: Post count=2=0.000%, rule-space=4294967296\n");
    r.passes = 0;
    EXPECT_EQ(post_listing_summary(r, 0), "\n v2k5: Post count=0=0.000%, rule-space=0\n");
}

TEST_F(Listing, LongTablesAreListedWhole)
{
    std::vector<uint8_t> t = table(9);
    std::string group = post_line_group(4294967295u, nullptr, 0, t.data(), 9, nullptr);
    EXPECT_EQ(group.substr(0, 16), "\n 4294967295:  0");
    EXPECT_EQ(group.find(" ", 15), 15u + 512u); // the 512 digits whole
}

int polls = 0;
int
q_on_third_poll()
{
    return ++polls == 3 ? 'q' : 0;
}

TEST_F(Listing, QStopsThePassesButNotTheShare)
{
    set_key_poll(q_on_third_poll);
    post_listing_counts counts;
    std::string text = run(request(3, false, 1000, true), &counts);
    EXPECT_EQ(counts.passes_made, 2u);
    EXPECT_NE(text.find(", sample=1000"), std::string::npos);
}

} // namespace
