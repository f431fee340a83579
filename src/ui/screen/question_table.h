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
// A dialog whose answers are its own state keeps them in a context, as key
// rows do, and its rows take it first:
//
//     using block_question = question_row<block_answers>;
//     block_question::row().when(asks_corners).prompts(corner_prompt<0, false>)
//
// Start reading at struct question_row.
#pragma once
#include <algorithm>
#include <cstddef>
#include <string>
#include <type_traits>
#include <vector>

#include "engine/model/held_number.h"
#include "ui/screen/draw.h"
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

// The functions a row calls: over the dialog's context when it has one
// (the state it asks for, held by the caller for the life of the dialog),
// with no argument when the rows work on the globals alone (Context void).
template <class Context>
struct question_calls {
    using condition = bool (*)(const Context &);
    using setting = void (*)(Context &);
    using take = answer_step (*)(Context &, int len);
};

template <>
struct question_calls<void> {
    using condition = bool (*)();
    using setting = void (*)();
    using take = answer_step (*)(int len);
};

// One question. Plain functions (captureless lambdas are fine); nullptr
// where a row has nothing of that kind. A row with neither prompt nor entry
// is a setting: its reset and apply run when the walk passes it, and 'q'
// never steps back to it.
template <class Context>
struct question_row {
    using condition = typename question_calls<Context>::condition;
    using setting = typename question_calls<Context>::setting;
    using take = typename question_calls<Context>::take;

    condition asked = nullptr;     // whether the row is asked now; nullptr: always
    setting reset = nullptr;       // what the row sets right before it is asked,
                                   // so a row stepped back to starts afresh
    setting prompt = nullptr;      // writes the prompt where the row starts
    int max = 0, mode = text_entry; // the entry read after the prompt by input_string;
                                   // max 0: none, the apply reads its own entries
    take apply = nullptr;          // takes the answer in is (len characters),
                                   // which is never the 'q' or 'd' the walk handles;
                                   // nullptr: next
    int line = 0;                  // the row's line in the dialog's place
    answer_step quit = answer_step::back; // what 'q' as the answer does: back,
                                   // back_to, restart or leave
    int back_row = 0;              // the row (its index in the table) back_to goes to

    // The builder: a row with nothing, then each field named.
    static constexpr question_row
    row()
    {
        return question_row{};
    }
    constexpr question_row
    when(condition c) const
    {
        return with_field(*this, &question_row::asked, c);
    }
    constexpr question_row
    resets(setting settings) const
    {
        return with_field(*this, &question_row::reset, settings);
    }
    constexpr question_row
    prompts(setting write) const
    {
        return with_field(*this, &question_row::prompt, write);
    }
    constexpr question_row
    entry(int characters, int entry_mode) const
    {
        return with_field(with_field(*this, &question_row::max, characters), &question_row::mode, entry_mode);
    }
    constexpr question_row
    then(take t) const
    {
        return with_field(*this, &question_row::apply, t);
    }
    constexpr question_row
    on_line(int place_line) const
    {
        return with_field(*this, &question_row::line, place_line);
    }
    constexpr question_row
    quits(answer_step step) const
    {
        return with_field(*this, &question_row::quit, step);
    }
    // 'q' goes back to the row of index r (an apply returning back_to too).
    constexpr question_row
    quits_to(int r) const
    {
        return with_field(with_field(*this, &question_row::quit, answer_step::back_to), &question_row::back_row,
                          r);
    }
};

// The rows of a dialog over the globals alone.
using question = question_row<void>;

// Where a dialog's rows are drawn, and what 'd' does there.
struct question_place {
    void (*start_row)(int line);          // moves to where a row starts; nullptr: the
                                          // prompt places itself
    void (*take_back)(int line, int rows); // 'q' (or again, restart, leave) at the row
                                          // on `line`, going back over `rows` rows
                                          // asked before it; nullptr: nothing
    bool d_accepts_rest;                  // 'd' as an answer finishes the dialog
};

// Calls one of a row's functions, with the context first when there is one.
template <class Context, class Function, class... Args>
auto
call_question(Function f, Context *c, Args... args)
{
    if constexpr (std::is_void<Context>::value)
        return f(args...);
    else
        return f(*c, args...);
}

// The pieces of the walk that do not depend on the rows' context.
void take_back_rows(const question_place &place, int line, int rows); // nothing without take_back
char answer_key();                  // is[0], the key the walk tests
void mark_left();                   // is[0] = 'q', as a dialog left tells its caller

// Walks rows[0..count) over the context c (nullptr for a dialog over the
// globals) and returns how the walk ended: next (past the last row), finish
// (a row or 'd' ended it) or leave ('q' out, is[0] == 'q').
template <class Context>
answer_step
walk_questions(const question_row<Context> *rows, int count, const question_place &place, Context *c)
{
    // The first row at or after `from` whose condition holds; count if none.
    auto next_asked = [&](int from) {
        while (from < count && rows[from].asked != nullptr && !call_question(rows[from].asked, c))
            from++;
        return from;
    };
    // The rows asked and answered so far, in order: where 'q' goes back to.
    std::vector<int> asked;
    int r = next_asked(0);
    while (r < count) {
        const question_row<Context> &row = rows[r];
        // A row with neither prompt nor entry only sets things on the way.
        bool setting = row.prompt == nullptr && row.max == 0;
        if (row.reset != nullptr)
            call_question(row.reset, c);
        if (!setting && place.start_row != nullptr)
            place.start_row(row.line);
        if (row.prompt != nullptr) {
            // A prompt line cut at the window's edge keeps room for the
            // whole entry typed after it, not one key only.
            outtext_answer_keys = std::max(1, row.max);
            call_question(row.prompt, c);
            outtext_answer_keys = 1;
        }
        answer_step step = answer_step::next;
        int len = 0;
        if (row.max > 0)
            len = input_string(row.max, row.mode);
        if (row.max > 0 && answer_key() == 'q')
            step = row.quit;
        else if (row.max > 0 && answer_key() == 'd' && place.d_accepts_rest)
            step = answer_step::finish;
        else if (row.apply != nullptr)
            step = call_question(row.apply, c, len);

        int line = row.line;
        switch (step) {
        case answer_step::next:
            if (!setting)
                asked.push_back(r);
            r = next_asked(r + 1);
            break;
        case answer_step::again:
            take_back_rows(place, line, 0);
            r = next_asked(r);
            break;
        case answer_step::back:
            if (asked.empty()) {
                take_back_rows(place, line, 0);
                mark_left();
                return answer_step::leave;
            }
            take_back_rows(place, line, 1);
            r = asked.back();
            asked.pop_back();
            break;
        case answer_step::back_to: {
            int back_over = 0;
            while (!asked.empty() && asked.back() >= row.back_row) {
                asked.pop_back();
                back_over++;
            }
            take_back_rows(place, line, back_over);
            r = row.back_row;
            break;
        }
        case answer_step::restart:
            take_back_rows(place, line, static_cast<int>(asked.size()));
            asked.clear();
            r = next_asked(0);
            break;
        case answer_step::leave:
            take_back_rows(place, line, static_cast<int>(asked.size()));
            mark_left();
            return answer_step::leave;
        case answer_step::finish:
            return answer_step::finish;
        }
    }
    return answer_step::next;
}

// Walks a table over the globals.
template <size_t N>
answer_step
ask_questions(const question (&rows)[N], const question_place &place)
{
    return walk_questions<void>(rows, static_cast<int>(N), place, nullptr);
}

// Walks a table over the context c.
template <class Context, size_t N>
answer_step
ask_questions(const question_row<Context> (&rows)[N], const question_place &place, Context &c)
{
    return walk_questions(rows, static_cast<int>(N), place, &c);
}

// The number answered at the start of the last entry, or fallback when the
// answer was Return alone: how the dialogs take a default.
long answer_or(long fallback);
// The number answered in the last entry of len characters, held within
// bounds (held_answer_of, engine/model/held_number.h), or fallback for
// Return alone or an answer that holds no number; where what is taken is
// not what was typed, the echoed answer gives way to it, written with
// format. Every numeric prompt reads its answer so.
double answer_held(double fallback, number_bounds bounds, int len, const char *format = "%.3g");
// The same for a whole number: a fraction typed is cut as atol cuts it.
long whole_answer_held(long fallback, number_bounds bounds, int len);
// The whole number answered, held within bounds, into value (the line
// shows it where held); false, value unchanged, when the answer holds no
// number (Return included): for a prompt whose number is one answer of
// several.
bool number_answer_held(long &value, number_bounds bounds, int len);
// The number of the last entry held as answer_held holds it (whole: cut to
// a whole number), with no echo: for a prompt whose box is gone, or is
// replaced, once the entry ends.
double entry_held(double fallback, number_bounds bounds, bool whole = false);
// After an entry of len characters that was held or replaced: the echoed
// answer gives way to the value taken, so the line shows what is used.
// Nothing after Return or when the answer was taken as typed.
void echo_value_taken(int len, long taken);
// The same with the value as its text (a fraction written as the prompt
// shows it).
void echo_text_taken(int len, const std::string &taken);

// The text column on the left: each row on the next line, a step back
// erases the lines of the rows it goes back over.
void start_text_column_row(int line);
void take_back_text_column(int line, int rows);
