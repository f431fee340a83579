// The rule-sample browser's prompts are made from its key tables: each
// prompt is as the system writes it, and the keys its text names ("-x" or
// "+x") are the keys its rows act on, so what is shown and what is done
// are one set.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "ui/measures/rule_stats.h"
#include "ui/measures/sample_browser.h"
#include "ui/screen/key_table.h"

namespace {

std::string
joined(const std::vector<key_help_line> &help)
{
    std::string text;
    for (const std::string &line : help_lines(help))
        text += line + "|";
    return text;
}

// The keys a prompt names: the character after each "-" or "+" that ends
// a word ("all-l", "pos+p", "quit/select-q:"), but not "-(def)" or
// "-ret" (Return).
std::set<char>
named_keys(const std::string &text)
{
    std::set<char> keys;
    for (size_t at = 0; at < text.size(); at++) {
        if ((text[at] != '-' && text[at] != '+') || at + 1 >= text.size())
            continue;
        if (text.compare(at + 1, 3, "ret") == 0) {
            keys.insert('\r');
            continue;
        }
        char c = text[at + 1];
        bool ends = at + 2 >= text.size() || text[at + 2] == ' ' || text[at + 2] == ':' ||
                    text[at + 2] == ',' || text[at + 2] == '|';
        if (ends && c != '(')
            keys.insert(c);
    }
    return keys;
}

std::set<char>
acted_keys(const std::vector<key_help_line> &help)
{
    std::set<char> keys;
    for (const key_help_line &line : help)
        keys.insert(line.keys.begin(), line.keys.end());
    return keys;
}

TEST(RuleStatsKeys, TheMenuIsItsRows)
{
    std::vector<key_help_line> tables = rule_stats_menu_help(true);
    EXPECT_EQ(joined(tables).substr(0, 67),
              "list: all-l pos+p, sort-s quit-q|standard dev plot: Z-Z lda-L ent-(");
    EXPECT_EQ(named_keys(joined(tables)), acted_keys(tables));
    std::vector<key_help_line> codes = rule_stats_menu_help(false);
    EXPECT_EQ(named_keys(joined(codes)), acted_keys(codes));
    EXPECT_EQ(acted_keys(codes).count('Z'), 0u);
    EXPECT_EQ(rule_stats_menu_keys(), "lpsqZLd");
}

TEST(RuleStatsKeys, TheListsPageEndIsItsRows)
{
    std::vector<key_help_line> more = list_page_help(false);
    EXPECT_EQ(joined(more), "printbox-p|more-ret jump-j quit/select-q:|");
    std::vector<key_help_line> last = list_page_help(true);
    EXPECT_EQ(joined(last), "printbox-p|jump-j quit-ret:|");
    // 's' saves the screen from the printbox line; the rest are named.
    std::set<char> named = named_keys(joined(more));
    named.insert('s');
    EXPECT_EQ(named, acted_keys(more));
    std::set<char> named_last = named_keys(joined(last));
    named_last.insert('s');
    named_last.insert('q');
    EXPECT_EQ(named_last, acted_keys(last));
}

TEST(RuleStatsKeys, TheQuestionAfterTheListIsItsRows)
{
    EXPECT_EQ(joined(list_end_help(false, false)), "quit-q select-s:|");
    EXPECT_EQ(joined(list_end_help(false, true)), "part list, quit-q select-s:|");
    EXPECT_EQ(joined(list_end_help(true, false)), "quit-q select-s rad-(max 9):|");
    std::set<char> keys = acted_keys(list_end_help(true, false));
    for (char c : std::string("qs\r123456789"))
        EXPECT_EQ(keys.count(c), 1u) << c;
    EXPECT_EQ(acted_keys(list_end_help(false, false)).count('5'), 0u);
}

TEST(RuleStatsKeys, TheQuestionAfterTheProbeIsItsRows)
{
    std::vector<key_help_line> help = probe_end_help();
    EXPECT_EQ(joined(help), "frequency histogram-f, quit-q, cont-ret:|");
    EXPECT_EQ(named_keys(joined(help)), acted_keys(help));
    EXPECT_EQ(probe_end_keys(), "fq\r");
}

} // namespace
