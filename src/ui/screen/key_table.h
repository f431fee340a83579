// Key loops as tables: a key loop (a running pattern, an editor, a box of
// one-key options) is an array of rows, one per key or per keys that do one
// thing, each with the help its panel or prompt shows and the function the
// key calls. Rows name their fields through a small builder:
//
//     using pause_key = key_row<pause_box, key_result>;
//     pause_key::on("pP").help("prtscrn with/out box-p/P").does(print_window)
//
// A row without help of its own is named on the help line of the row
// before it ("O/A/M/C..." is one line for the rows of 'O' and of "AMC").
//
// The one lookup rule: a key acts only while its row is in force, that is
// while the help shown now names it. A row is in force when it is listed
// (its `when` holds, or it has none) and, without help of its own, the row
// whose help line it joins is listed too. find_key finds the row in force
// and key_help lists the help, both walking the rows in the same way, so
// what is shown and what is done cannot drift apart; a row's action need
// not test its `when` again. A key that also acts where its help is not
// shown says so, and when, in its row (`unlisted_when`: the graph menu's
// node numbers without links); its action then says what it does there. A
// key no row acting now names is the loop's to answer: most pass it on or
// ignore it. Two loops answer every key of theirs whatever is shown, and
// look keys up by name alone (find_named_key): the pause box, each of whose
// keys says what it does outside the forms that offer it, and the running
// pattern, whose key panel is help that may be hidden. Start reading at
// struct key_row.
#pragma once
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "ui/screen/row_builder.h"

template <class Context, class Result>
struct key_row {
    using help_function = std::string (*)(const Context &);
    using condition = bool (*)(const Context &);
    using action = Result (*)(Context &, char key);

    const char *keys = "";         // the keys the row acts on
    const char *text = nullptr;    // its help line, fixed
    help_function text_now = nullptr; // or its help line showing a state in force
    condition listed = nullptr;    // whether its help names its keys now, and so
                                   // whether they act; nullptr: always
    condition unlisted = nullptr;  // while its help is not shown, whether its keys
                                   // act all the same; nullptr: they do not
    action act = nullptr;          // what the key does; nullptr: nothing here, its
                                   // caller acts on it

    static constexpr key_row
    on(const char *k)
    {
        return with_field(key_row{}, &key_row::keys, k);
    }
    constexpr key_row
    help(const char *t) const
    {
        return with_field(*this, &key_row::text, t);
    }
    constexpr key_row
    help(help_function t) const
    {
        return with_field(*this, &key_row::text_now, t);
    }
    constexpr key_row
    when(condition c) const
    {
        return with_field(*this, &key_row::listed, c);
    }
    constexpr key_row
    unlisted_when(condition c) const
    {
        return with_field(*this, &key_row::unlisted, c);
    }
    constexpr key_row
    does(action a) const
    {
        return with_field(*this, &key_row::act, a);
    }

    bool has_help() const { return text != nullptr || text_now != nullptr; }
    bool listed_in(const Context &c) const { return listed == nullptr || listed(c); }
    bool acts_unlisted_in(const Context &c) const { return unlisted != nullptr && unlisted(c); }
};

// The condition of a key that acts wherever its help is not shown.
template <class Context>
bool
always(const Context &)
{
    return true;
}

// One line of help as shown, and the keys of the rows it stands for.
struct key_help_line {
    std::string text;
    std::string keys;
};

// Whether a row is in force walking the rows in order: line_listed holds
// whether the last help line met is listed, and is updated here.
template <class Context, class Result>
bool
row_in_force(const key_row<Context, Result> &row, const Context &c, bool &line_listed)
{
    if (row.has_help())
        return line_listed = row.listed_in(c);
    return line_listed && row.listed_in(c);
}

// The row acting on key in state c: the first that names it and is in
// force, or acts while unlisted; nullptr when none (key 0 names none).
template <class Context, class Result>
const key_row<Context, Result> *
find_key(const key_row<Context, Result> *rows, size_t count, char key, const Context &c)
{
    bool line_listed = false;
    for (size_t i = 0; i < count; i++) {
        bool in_force = row_in_force(rows[i], c, line_listed);
        if ((in_force || rows[i].acts_unlisted_in(c)) && key != 0 && std::strchr(rows[i].keys, key) != nullptr)
            return &rows[i];
    }
    return nullptr;
}

template <class Context, class Result, size_t N>
const key_row<Context, Result> *
find_key(const key_row<Context, Result> (&rows)[N], char key, const Context &c)
{
    return find_key(rows, N, key, c);
}

// The first row naming key whatever is shown, for the loops that answer
// every key of theirs in every form; nullptr when none (key 0 names none).
template <class Context, class Result>
const key_row<Context, Result> *
find_named_key(const key_row<Context, Result> *rows, size_t count, char key)
{
    for (size_t i = 0; i < count; i++)
        if (key != 0 && std::strchr(rows[i].keys, key) != nullptr)
            return &rows[i];
    return nullptr;
}

template <class Context, class Result, size_t N>
const key_row<Context, Result> *
find_named_key(const key_row<Context, Result> (&rows)[N], char key)
{
    return find_named_key(rows, N, key);
}

// Whether key acts in state c: a row acting on it has an action here.
template <class Context, class Result, size_t N>
bool
key_acts(const key_row<Context, Result> (&rows)[N], char key, const Context &c)
{
    const key_row<Context, Result> *row = find_key(rows, N, key, c);
    return row != nullptr && row->act != nullptr;
}

// Every key any row of a table names, in table order, whatever is in force.
template <class Context, class Result>
std::string
all_keys(const key_row<Context, Result> *rows, size_t count)
{
    std::string keys;
    for (size_t i = 0; i < count; i++)
        keys += rows[i].keys;
    return keys;
}

template <class Context, class Result, size_t N>
std::string
all_keys(const key_row<Context, Result> (&rows)[N])
{
    return all_keys(rows, N);
}

// The keys that act in state c though the help does not show them: those
// of the rows not in force that act while unlisted.
template <class Context, class Result, size_t N>
std::string
unlisted_keys(const key_row<Context, Result> (&rows)[N], const Context &c)
{
    std::string keys;
    bool line_listed = false;
    for (const key_row<Context, Result> &row : rows)
        if (!row_in_force(row, c, line_listed) && row.acts_unlisted_in(c))
            keys += row.keys;
    return keys;
}

// The help lines listed now, in table order. A row without help of its own
// adds its keys to the line before when it is listed with it.
template <class Context, class Result>
std::vector<key_help_line>
key_help(const key_row<Context, Result> *rows, size_t count, const Context &c)
{
    std::vector<key_help_line> lines;
    bool line_listed = false;
    for (size_t i = 0; i < count; i++) {
        const key_row<Context, Result> &row = rows[i];
        if (!row_in_force(row, c, line_listed))
            continue;
        if (row.has_help())
            lines.push_back({row.text ? std::string(row.text) : row.text_now(c), row.keys});
        else
            lines.back().keys += row.keys;
    }
    return lines;
}

template <class Context, class Result, size_t N>
std::vector<key_help_line>
key_help(const key_row<Context, Result> (&rows)[N], const Context &c)
{
    return key_help(rows, N, c);
}

// Help pieces put together into the lines they make: a piece whose text
// begins with a newline starts a line, the others go on the line before.
inline std::vector<std::string>
help_lines(const std::vector<key_help_line> &pieces)
{
    std::vector<std::string> lines;
    for (const key_help_line &p : pieces) {
        bool starts_line = !p.text.empty() && p.text[0] == '\n';
        if (lines.empty() || starts_line)
            lines.push_back(starts_line ? p.text.substr(1) : p.text);
        else
            lines.back() += p.text;
    }
    return lines;
}

// Help pieces joined into one text, as a one-line prompt shows them.
inline std::string
help_text(const std::vector<key_help_line> &pieces)
{
    std::string text;
    for (const key_help_line &p : pieces)
        text += p.text;
    return text;
}
