// Key loops as tables: a key loop (a running pattern, an editor, a box of
// one-key options) is an array of rows, one per key or per keys that do one
// thing, each with the help its panel or prompt shows and the function the
// key calls. find_key (or find_listed_key, where a key acts only while its
// help is shown) finds the row of a key and key_help lists the help, both
// walking the same rows, so what is shown and what is done cannot drift
// apart. Rows name their fields through a small builder:
//
//     using pause_key = key_row<pause_box, key_result>;
//     pause_key::on("pP").help("prtscrn with/out box-p/P").does(print_window)
//
// A row without help of its own is named on the help line of the row
// before it ("O/A/M/C..." is one line for the rows of 'O' and of "AMC").
// Start reading at struct key_row.
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
    condition listed = nullptr;    // whether its help names its keys now; nullptr:
                                   // always. A key acts whether it is listed or not
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
    does(action a) const
    {
        return with_field(*this, &key_row::act, a);
    }

    bool has_help() const { return text != nullptr || text_now != nullptr; }
    bool listed_in(const Context &c) const { return listed == nullptr || listed(c); }
};

// One line of help as shown, and the keys of the rows it stands for.
struct key_help_line {
    std::string text;
    std::string keys;
};

// The row acting on key, or nullptr when the table has none.
template <class Context, class Result>
const key_row<Context, Result> *
find_key(const key_row<Context, Result> *rows, size_t count, char key)
{
    for (size_t i = 0; i < count; i++)
        if (key != 0 && std::strchr(rows[i].keys, key) != nullptr)
            return &rows[i];
    return nullptr;
}

template <class Context, class Result, size_t N>
const key_row<Context, Result> *
find_key(const key_row<Context, Result> (&rows)[N], char key)
{
    return find_key(rows, N, key);
}

// The row acting on key among the rows in force for c, for a table whose
// keys act only where its help names them: a row is in force when it is
// listed and, without help of its own, the row whose help line it joins is
// listed too, just as key_help lists them.
template <class Context, class Result>
const key_row<Context, Result> *
find_listed_key(const key_row<Context, Result> *rows, size_t count, char key, const Context &c)
{
    bool line_listed = false;
    for (size_t i = 0; i < count; i++) {
        const key_row<Context, Result> &row = rows[i];
        bool in_force;
        if (row.has_help())
            in_force = line_listed = row.listed_in(c);
        else
            in_force = line_listed && row.listed_in(c);
        if (in_force && key != 0 && std::strchr(row.keys, key) != nullptr)
            return &row;
    }
    return nullptr;
}

template <class Context, class Result, size_t N>
const key_row<Context, Result> *
find_listed_key(const key_row<Context, Result> (&rows)[N], char key, const Context &c)
{
    return find_listed_key(rows, N, key, c);
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
        if (row.has_help()) {
            line_listed = row.listed_in(c);
            if (line_listed)
                lines.push_back({row.text ? std::string(row.text) : row.text_now(c), row.keys});
        } else if (line_listed && row.listed_in(c)) {
            lines.back().keys += row.keys;
        }
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
