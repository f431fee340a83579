// The pieces of a numbered-question dialog's walk (question_table.h) that
// do not depend on its rows' context: the entry read, the key tested, the
// lines a step back takes away; and the text column where many dialogs draw
// their rows. The dialogs themselves are tables in their own folders
// (wiring/, driver/, model/, graphs/, measures/).
#include "ui/screen/question_table.h"

#include <cmath>
#include <string>
#include <vector>

#include "engine/model/formatted_text.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"

void
take_back_rows(const question_place &place, int line, int rows)
{
    if (place.take_back != nullptr)
        place.take_back(line, rows);
}

char
answer_key()
{
    return is[0];
}

void
mark_left()
{
    is[0] = 'q';
}

long
answer_or(long fallback)
{
    return is[0] == kKeyReturn ? fallback : entry_number();
}

double
answer_held(double fallback, number_bounds bounds, int len, const char *format)
{
    held_answer taken = held_answer_of(entry_text(), fallback, bounds);
    if (taken.held)
        echo_text_taken(len, formatted(format, taken.value));
    return taken.value;
}

bool
number_answer_held(long &value, number_bounds bounds, int len)
{
    held_answer taken = held_answer_of(entry_text(), NAN, bounds, true);
    if (std::isnan(taken.value))
        return false;
    value = static_cast<long>(taken.value);
    if (taken.held)
        echo_value_taken(len, value);
    return true;
}

long
whole_answer_held(long fallback, number_bounds bounds, int len)
{
    long value = fallback;
    if (!number_answer_held(value, bounds, len) && len > 0)
        echo_value_taken(len, fallback); // typed text with no number gives way to it
    return value;
}

double
entry_held(double fallback, number_bounds bounds, bool whole)
{
    return held_answer_of(entry_text(), fallback, bounds, whole).value;
}

void
echo_value_taken(int len, long taken)
{
    echo_text_taken(len, std::to_string(taken));
}

void
echo_text_taken(int len, const std::string &taken)
{
    if (is[0] == kKeyReturn || entry_text() == taken)
        return;
    take_back_echo(len);
    outtext(taken.c_str());
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
