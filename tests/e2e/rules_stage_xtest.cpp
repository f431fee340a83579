// The rules stage driven through the real program: a rule typed as a
// decimal number goes to the last-rule file and the rule box, and the
// listing 'x' writes the rule to standard error, its last line ended.
#include "e2e/e2e_fixture.h"

#include <string>
#include <unistd.h>

namespace {

class RulesRoad : public ZemraWorkTest {
protected:
    RulesRoad() : ZemraWorkTest("zemra-rules") {}
    // The band of the rule box at the bottom of the drawing area.
    unsigned long long rule_box() { return zemra->region_digest(0, zemra->height() - 130, 600, 100); }
    // From the network view back to the rules stage's menu of one rule.
    void choose(const std::string &number)
    {
        answer({"q",        // network view -> rules
                "\r",       // a single rule
                "d\r", number + "\r",
                "\r"});    // no transformation
    }
};

TEST_F(RulesRoad, DecimalRuleIsSavedShownAndListed)
{
    launch();
    road_to_field_rule("110");
    ASSERT_TRUE(wait_until([&] { return work.read("l_v2k3.rul").size() == 3; }))
        << "no last-rule file";
    EXPECT_EQ(work.read("l_v2k3.rul"), std::string("\x02\x03\x6e", 3));
    // The network view after the box waits for its key: the box is drawn.
    ASSERT_TRUE(zemra->wait_ready_for_key());
    unsigned long long shown_110 = rule_box();

    choose("30");
    ASSERT_TRUE(wait_until([&] { return work.read("l_v2k3.rul") == std::string("\x02\x03\x1e", 3); }));
    ASSERT_TRUE(zemra->wait_ready_for_key());
    EXPECT_NE(rule_box(), shown_110) << "the rule box did not change with the rule";
    choose("110");
    ASSERT_TRUE(wait_until([&] { return work.read("l_v2k3.rul") == std::string("\x02\x03\x6e", 3); }));
    ASSERT_TRUE(zemra->wait_ready_for_key());
    EXPECT_EQ(rule_box(), shown_110) << "the rule box does not show the rule";

    // The listing of the rule in force.
    answer({"q", "\r", "x\r", "\r"});   // list it; no full table
    std::string err;
    ASSERT_TRUE(wait_until([&] {
        err = zemra->stderr_text();
        return err.find("vfreq = ") != std::string::npos;
    })) << err;
    EXPECT_NE(err.find("\n6e\n01101110\nvfreq = 5 3 = 8\n"), std::string::npos) << err;
    // The listing ends its last line while the program waits: what is
    // written next starts a line of its own.
    EXPECT_EQ(err.back(), '\n') << err;
    answer({"q"});  // the menu: back to the first prompt
    EXPECT_EQ(zemra->quit_by_steps(), 0);  // step back through every stage and out
    err = zemra->stderr_text();
    EXPECT_EQ(err.substr(err.size() - 18), "\nZemra clean exit\n") << err;
}

} // namespace
