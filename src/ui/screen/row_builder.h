// The step every builder of a table row takes (key_table.h, question_table.h):
// a copy of the row with one field set, so that a row is written as a chain
// of named fields, `key_row::on("q").help("quit").does(quit)`, and each
// builder function is one line naming its field.
#pragma once

template <class Row, class Field, class Value>
constexpr Row
with_field(const Row &row, Field Row::*field, Value value)
{
    Row changed = row;
    changed.*field = value;
    return changed;
}
