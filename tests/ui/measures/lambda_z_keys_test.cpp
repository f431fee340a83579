// The lambda-Z summary question against its key table: the question is the
// rows' help, each piece names exactly the key of its row, and an answer's
// keys make the request their rows stand for.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "support/help_keys.h"
#include "ui/measures/lambda_z_plot.h"

namespace {

// The key a piece of the question names: its last word's letter after '-'
// ("C-P data-d" names 'd'; "C-P" is the table's name, not a key).
std::set<char>
named_key(const std::string &piece)
{
    size_t start = piece.find_last_of(' ');
    return menu_keys(start == std::string::npos ? piece : piece.substr(start + 1));
}

TEST(LambdaZSummaryKeys, TheQuestionNamesTheKeysOfItsRows)
{
    EXPECT_EQ(lambda_z_summary_prompt(), "C-P data-d, +print-p:");
    std::set<char> named, acted;
    for (const summary_key &row : lambda_z_summary_keys()) {
        ASSERT_TRUE(row.has_help());
        EXPECT_EQ(named_key(row.text), key_set(row.keys)) << row.text;
        named.insert(row.keys, row.keys + strlen(row.keys));
        EXPECT_NE(row.act, nullptr) << row.keys;
    }
    for (char c = 32; c < 127; c++) {
        std::string answer(1, c);
        answer += '\r';
        table_request r = lambda_z_table_request(answer.c_str(), 1);
        if (r.show || r.print)
            acted.insert(c);
    }
    EXPECT_EQ(named, acted);
}

TEST(LambdaZSummaryKeys, AnswersMakeTheirRequests)
{
    table_request r = lambda_z_table_request("d\r", 1);
    EXPECT_TRUE(r.show);
    EXPECT_FALSE(r.print);
    r = lambda_z_table_request("dp\r", 2);
    EXPECT_TRUE(r.show);
    EXPECT_TRUE(r.print);
    r = lambda_z_table_request("\r", 0);
    EXPECT_FALSE(r.show);
    EXPECT_FALSE(r.print);
    // The answer ends at the Return code, whatever follows it.
    r = lambda_z_table_request("\rd", 2);
    EXPECT_FALSE(r.show);
}

} // namespace
