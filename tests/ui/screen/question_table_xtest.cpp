// The question-table walk answered through the server: a small table whose
// middle row is never asked, so 'q' at the last row steps back over it to
// the first, and 'q' at the first leaves the dialog; a row whose 'q' names
// the row it goes back to; rows over a context, each walk over its own.
#include "support/x_test_fixture.h"

#include <string>

#include "ui/screen/draw.h"
#include "ui/screen/draw_check.h"
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

// A dialog's own state, walked as the rows' context.
struct tally {
    bool asks_second = true;
    std::string log;
    long first = 0, second = 0;
};
using tally_question = question_row<tally>;

const tally_question kTallyRows[] = {
    tally_question::row()
        .prompts([](tally &t) { t.log += "A"; })
        .entry(3, numeric_entry)
        .then([](tally &t, int) {
            t.first = answer_or(3);
            return answer_step::next;
        }),
    tally_question::row()
        .when([](const tally &t) { return t.asks_second; })
        .resets([](tally &t) { t.second = -1; })
        .prompts([](tally &t) { t.log += "B"; })
        .entry(3, numeric_entry)
        .then([](tally &t, int) {
            t.second = answer_or(4);
            return answer_step::next;
        })
        .on_line(1),
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
        // The place writes every row at one point and takes nothing back:
        // the rows' echoes stand on each other on purpose, the walk is
        // read from its log, not from the screen.
        set_draw_check(false);
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

TEST_F(QuestionTable, RowsOverAContextAskReadAndWriteTheContextWalked)
{
    tally both, first_only;
    first_only.asks_second = false;
    // Both rows asked; 'q' at the second goes back to the first, and the
    // second's reset runs again before its default is taken.
    type_keys("5\rq\r\r");
    EXPECT_EQ(ask_questions(kTallyRows, kPlace, both), answer_step::next);
    EXPECT_EQ(both.log, "ABAB");
    EXPECT_EQ(both.first, 3);
    EXPECT_EQ(both.second, 4);
    EXPECT_EQ(walk_log, "<1,1>");
    // The same table over another context: its condition skips the second
    // row there, and the first context is left as it was.
    type_keys("8\r");
    EXPECT_EQ(ask_questions(kTallyRows, kPlace, first_only), answer_step::next);
    EXPECT_EQ(first_only.log, "A");
    EXPECT_EQ(first_only.first, 8);
    EXPECT_EQ(first_only.second, 0);
    EXPECT_EQ(both.first, 3);
}

} // namespace
