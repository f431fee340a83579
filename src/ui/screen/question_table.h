// Numbered-question dialogs as tables: a dialog is an array of rows, one per
// question, walked by ask_questions, which asks each row whose condition
// holds, takes 'q' back to the previously asked row (out of the dialog at
// the first) or to the row the question names, 'd' as "accept the rest"
// where the dialog says so, and tells the dialog's place where each row is
// drawn and which lines a step back takes away. Rows name their fields
// through a small builder:
//
//     question::row().when(on_cube).prompts(ask_layer).entry(1, text_entry)
//         .then(take_layer).on_line(6)
//
// Start reading at struct question.
#pragma once
#include <cstddef>

#include "ui/screen/input.h"
#include "ui/screen/row_builder.h"

// Where the walk goes after a row.
enum class answer_step {
    back,    // as 'q': to the previously asked row; out of the dialog at the first
    back_to, // as 'q' where the row names the row it goes back to (back_row): the
             // rows asked from that one on are taken back and it is asked again,
             // whatever its condition
    next,    // on to the next row whose condition holds
    again,   // this row once more (or the next one asked, if its condition no longer holds)
    restart, // the first row asked, as when the dialog began
    leave,   // out of the dialog at once, with is[0] == 'q'
    finish,  // the dialog is over
};

// One question. Plain functions over the globals (captureless lambdas are
// fine); nullptr where a row has nothing of that kind. A row with neither
// prompt nor entry is a setting: its reset and apply run when the walk
// passes it, and 'q' never steps back to it.
struct question {
    bool (*asked)() = nullptr;     // whether the row is asked now; nullptr: always
    void (*reset)() = nullptr;     // what the row sets right before it is asked,
                                   // so a row stepped back to starts afresh
    void (*prompt)() = nullptr;    // writes the prompt where the row starts
    int max = 0, mode = text_entry; // the entry read after the prompt by input_string;
                                   // max 0: none, the apply reads its own entries
    answer_step (*apply)(int len) = nullptr; // takes the answer in is (len characters),
                                   // which is never the 'q' or 'd' the walk handles;
                                   // nullptr: next
    int line = 0;                  // the row's line in the dialog's place
    answer_step quit = answer_step::back; // what 'q' as the answer does: back,
                                   // back_to, restart or leave
    int back_row = 0;              // the row (its index in the table) back_to goes to

    // The builder: a row with nothing, then each field named.
    static constexpr question
    row()
    {
        return question{};
    }
    constexpr question
    when(bool (*condition)()) const
    {
        return with_field(*this, &question::asked, condition);
    }
    constexpr question
    resets(void (*settings)()) const
    {
        return with_field(*this, &question::reset, settings);
    }
    constexpr question
    prompts(void (*write)()) const
    {
        return with_field(*this, &question::prompt, write);
    }
    constexpr question
    entry(int characters, int entry_mode) const
    {
        return with_field(with_field(*this, &question::max, characters), &question::mode, entry_mode);
    }
    constexpr question
    then(answer_step (*take)(int len)) const
    {
        return with_field(*this, &question::apply, take);
    }
    constexpr question
    on_line(int place_line) const
    {
        return with_field(*this, &question::line, place_line);
    }
    constexpr question
    quits(answer_step step) const
    {
        return with_field(*this, &question::quit, step);
    }
    // 'q' goes back to the row of index r (an apply returning back_to too).
    constexpr question
    quits_to(int r) const
    {
        return with_field(with_field(*this, &question::quit, answer_step::back_to), &question::back_row, r);
    }
};

// Where a dialog's rows are drawn, and what 'd' does there.
struct question_place {
    void (*start_row)(int line);          // moves to where a row starts; nullptr: the
                                          // prompt places itself
    void (*take_back)(int line, int rows); // 'q' (or again, restart, leave) at the row
                                          // on `line`, going back over `rows` rows
                                          // asked before it; nullptr: nothing
    bool d_accepts_rest;                  // 'd' as an answer finishes the dialog
};

// Walks rows[0..count) and returns how the walk ended: next (past the last
// row), finish (a row or 'd' ended it) or leave ('q' out, is[0] == 'q').
answer_step ask_questions(const question *rows, int count, const question_place &place);

template <size_t N>
answer_step
ask_questions(const question (&rows)[N], const question_place &place)
{
    return ask_questions(rows, static_cast<int>(N), place);
}

// The number answered at the start of the last entry, or fallback when the
// answer was Return alone: how the dialogs take a default.
long answer_or(long fallback);
// After an entry of len characters that was refused and replaced: the
// echoed answer gives way to the value taken, so the line shows what is
// used. Nothing after Return or when the answer was taken as typed.
void echo_value_taken(int len, long taken);

// The text column on the left: each row on the next line, a step back
// erases the lines of the rows it goes back over.
void start_text_column_row(int line);
void take_back_text_column(int line, int rows);
