// The question-table walk answered through the server: a small table whose
// middle row is never asked, so 'q' at the last row steps back over it to
// the first, and 'q' at the first leaves the dialog.
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
    {nullptr, [] { first_answer = -1; }, [] { walk_log += "A"; }, 3, 1,
     [](int) {
         first_answer = answer_or(7);
         return answer_step::next;
     },
     10, answer_step::back},
    {[] { return false; }, nullptr, [] { walk_log += "B"; }, 3, 1, nullptr, 11,
     answer_step::back},
    {nullptr, nullptr, [] { walk_log += "C"; }, 3, 1,
     [](int) {
         last_answer = answer_or(9);
         return answer_step::next;
     },
     12, answer_step::back},
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

} // namespace
