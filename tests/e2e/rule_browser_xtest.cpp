// The rule-sample browser through the real program: a forward-only run,
// the pause box's 'E' with a *.sta file as the entropy sampling writes it,
// the scatter drawn, the list ending in its question, a record chosen
// into the network (listed by the rule transformation afterwards), and
// the screen under the browser back as it was when it closes.
#include "e2e/e2e_fixture.h"

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "engine/storage/stat_record_codec.h"
#include "support/work_dir.h"

namespace {

class RuleBrowser : public ZemraTest {
protected:
    void SetUp() override { ASSERT_TRUE(work.enter("zemra-browser")); }
    void TearDown() override
    {
        ZemraTest::TearDown();
        work.leave();
    }
    work_dir work;
};

// The rule tables listed on standard error: a newline, then 8 digits.
std::vector<std::string>
listed_rules(const std::string &err)
{
    std::vector<std::string> rules;
    std::regex listing("\n([01]{8})(?=\n|$)");
    for (auto it = std::sregex_iterator(err.begin(), err.end(), listing);
         it != std::sregex_iterator(); ++it)
        rules.push_back((*it)[1]);
    return rules;
}

TEST_F(RuleBrowser, TheChosenRuleOfTheSampleRunsAndTheScreenComesBack)
{
    // Five k = 3 rules (one byte each) with their mean and sd bytes.
    const uint8_t rules[5] = {30, 110, 90, 54, 184};
    std::vector<uint8_t> file;
    for (int r = 0; r < 5; r++)
        encode_stat_record(&rules[r], 1, 0.15f * (r + 1), 0.03f * (r + 1), file);
    std::ofstream("smp.sta", std::ios::binary)
        .write(reinterpret_cast<const char *>(file.data()), static_cast<std::streamsize>(file.size()));

    launch();
    road_to_forward_pattern();
    zemra->type_now("q");            // the pause box
    ASSERT_TRUE(zemra->wait_ready_for_key());
    const int w = zemra->width(), h = zemra->height();
    unsigned long long lower = zemra->region_digest(0, h / 2, w, h / 2 - 40);
    // 'E', standard deviation; the sample; plot against mean entropy.
    answer({"E\r", "\r", "smp\r", "\r", "\r"});
    ASSERT_TRUE(zemra->wait_ready_for_key()) << "no probe";
    EXPECT_NE(zemra->region_digest(0, h / 2, w, h / 2 - 40), lower) << "no scatter";
    // Leave the probe and its question; list all: one page, Return ends it;
    // select record 3; close the browser; back out of the second loading.
    answer({"q", "\r", "l\r", "\r", "s", "3\r", "q", "q"});
    ASSERT_TRUE(zemra->wait_ready_for_key());
    EXPECT_EQ(zemra->region_digest(0, h / 2, w, h / 2 - 40), lower) << "screen not restored";
    answer({"t\r", "x\r"});          // the rule as the network holds it
    std::vector<std::string> listed;
    ASSERT_TRUE(wait_until([&] {
        listed = listed_rules(zemra->stderr_text());
        return !listed.empty();
    })) << zemra->stderr_text();
    EXPECT_EQ(listed.back(), "01011010");  // 90
    answer({"\r"});
    zemra->type_now("q");
    EXPECT_EQ(zemra->quit_by_steps(), 0);
}

} // namespace
