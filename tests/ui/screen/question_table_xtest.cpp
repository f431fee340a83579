// The question-table walk answered through the server: a small table whose
// middle row is never asked, so 'q' at the last row steps back over it to
// the first, and 'q' at the first leaves the dialog; a row whose 'q' names
// the row it goes back to.
#include "support/x_test_fixture.h"

#include <string>

#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/question_table.h"
#include "ui/screen/window.h"

namespace {

// What the walk did: the rows prompted and the steps back, in order.
std::string walk_log;
long first_answer = 0, last_answer = 0;

const question kRows[] = {
    question::row()
        .resets([] { first_answer = -1; })
        .prompts([] { walk_log += "A"; })
        .entry(3, numeric_entry)
        .then([](int) {
            first_answer = answer_or(7);
            return answer_step::next;
        })
        .on_line(10),
    question::row()
        .when([] { return false; })
        .prompts([] { walk_log += "B"; })
        .entry(3, numeric_entry)
        .on_line(11),
    question::row()
        .prompts([] { walk_log += "C"; })
        .entry(3, numeric_entry)
        .then([](int) {
            last_answer = answer_or(9);
            return answer_step::next;
        })
        .on_line(12),
};

// The last row's 'q' goes back to the second, which its condition never
// asks otherwise.
const question kBackToRows[] = {
    question::row().prompts([] { walk_log += "A"; }).entry(3, numeric_entry).on_line(10),
    question::row()
        .when([] { return false; })
        .prompts([] { walk_log += "B"; })
        .entry(3, numeric_entry)
        .on_line(11),
    question::row().prompts([] { walk_log += "C"; }).entry(3, numeric_entry).on_line(12),
    question::row().prompts([] { walk_log += "D"; }).entry(3, numeric_entry).on_line(13).quits_to(1),
};

// Rows start at one place; a step back is logged as <line,rows>.
const question_place kPlace = {
    [](int) { moveto(vgax(50), vgay(80)); },
    [](int line, int rows) {
        walk_log += "<" + std::to_string(line) + "," + std::to_string(rows) + ">";
    },
    false};

class QuestionTable : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        walk_log.clear();
        first_answer = last_answer = 0;
    }
};

TEST_F(QuestionTable, QStepsBackOverASkippedRowToThePreviouslyAskedOne)
{
    type_keys("4\rq\r5\r");
    EXPECT_EQ(ask_questions(kRows, kPlace), answer_step::next);
    // A, then C; 'q' at C takes C's line back over one row and asks A again,
    // whose reset runs again: Return there gives its default.
    EXPECT_EQ(walk_log, "AC<12,1>AC");
    EXPECT_EQ(first_answer, 7);
    EXPECT_EQ(last_answer, 5);
}

TEST_F(QuestionTable, QAtTheFirstQuestionLeaves)
{
    type_keys("q");
    EXPECT_EQ(ask_questions(kRows, kPlace), answer_step::leave);
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(walk_log, "A<10,0>");
    EXPECT_EQ(first_answer, -1);
    EXPECT_EQ(last_answer, 0);
}

TEST_F(QuestionTable, QBackToANamedRowTakesBackTheRowsFromItAndAsksIt)
{
    type_keys("\r\rq\r\r\r");
    EXPECT_EQ(ask_questions(kBackToRows, kPlace), answer_step::next);
    // A, C, D; 'q' at D takes D's line back over C (B was never asked) and
    // asks B, then C and D again.
    EXPECT_EQ(walk_log, "ACD<13,1>BCD");
}

} // namespace
