// The walk of a numbered-question dialog (question_table.h): which row comes
// next, how 'q' steps back to the row asked before, what 'd' accepts, and
// the text column where many dialogs draw their rows. The dialogs themselves
// are tables in their own folders (wiring/, driver/, model/). Start reading
// at ask_questions.
#include "ui/screen/question_table.h"

#include <string>
#include <vector>

#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"

namespace {

// The first row at or after `from` whose condition holds; count if none.
int
next_asked(const question *rows, int count, int from)
{
    while (from < count && rows[from].asked != nullptr && !rows[from].asked())
        from++;
    return from;
}

void
take_back(const question_place &place, int line, int rows)
{
    if (place.take_back != nullptr)
        place.take_back(line, rows);
}

} // namespace

answer_step
ask_questions(const question *rows, int count, const question_place &place)
{
    // The rows asked and answered so far, in order: where 'q' goes back to.
    std::vector<int> asked;
    int r = next_asked(rows, count, 0);
    while (r < count) {
        const question &row = rows[r];
        // A row with neither prompt nor entry only sets things on the way.
        bool setting = row.prompt == nullptr && row.max == 0;
        if (row.reset != nullptr)
            row.reset();
        if (!setting && place.start_row != nullptr)
            place.start_row(row.line);
        if (row.prompt != nullptr)
            row.prompt();
        answer_step step = answer_step::next;
        int len = 0;
        if (row.max > 0)
            len = input_string(row.max, row.mode);
        if (row.max > 0 && is[0] == 'q')
            step = row.quit;
        else if (row.max > 0 && is[0] == 'd' && place.d_accepts_rest)
            step = answer_step::finish;
        else if (row.apply != nullptr)
            step = row.apply(len);

        int line = row.line;
        switch (step) {
        case answer_step::next:
            if (!setting)
                asked.push_back(r);
            r = next_asked(rows, count, r + 1);
            break;
        case answer_step::again:
            take_back(place, line, 0);
            r = next_asked(rows, count, r);
            break;
        case answer_step::back:
            if (asked.empty()) {
                take_back(place, line, 0);
                is[0] = 'q';
                return answer_step::leave;
            }
            take_back(place, line, 1);
            r = asked.back();
            asked.pop_back();
            break;
        case answer_step::back_to: {
            int back_over = 0;
            while (!asked.empty() && asked.back() >= row.back_row) {
                asked.pop_back();
                back_over++;
            }
            take_back(place, line, back_over);
            r = row.back_row;
            break;
        }
        case answer_step::restart:
            take_back(place, line, static_cast<int>(asked.size()));
            asked.clear();
            r = next_asked(rows, count, 0);
            break;
        case answer_step::leave:
            take_back(place, line, static_cast<int>(asked.size()));
            is[0] = 'q';
            return answer_step::leave;
        case answer_step::finish:
            return answer_step::finish;
        }
    }
    return answer_step::next;
}

long
answer_or(long fallback)
{
    return is[0] == kKeyReturn ? fallback : entry_number();
}

void
echo_value_taken(int len, long taken)
{
    if (is[0] == kKeyReturn || entry_text() == std::to_string(taken))
        return;
    int x = getx - text_pixel_width(is, len);
    uint8_t fill = fillcolor;
    setfillstyle(0, black);
    bar(x, gety, getx + CWidth, gety + CHeight);
    setfillstyle(0, fill);
    moveto(x, gety);
    outtext(std::to_string(taken).c_str());
}

void
start_text_column_row(int)
{
    next_line(xtext, 1);
}

void
take_back_text_column(int, int rows)
{
    if (rows > 0)
        setpback_x_lines(rows);
}
