// The keys a help text names, read from the text itself as a user reads it,
// for the tests that hold each key table's help against the keys its rows
// act on. Each kind of help writes its keys its own way:
// - menu pieces ("rule:save/load/revise/rnd/trans-s/l/v/r/t", "no-ops-Q",
//   "cont-ret:"): in each word holding a '-', the keys after the last '-',
//   split at '/'; "ret" and "(def)" are Return;
// - panel lines ("r/K/k..rnd rule/tcode/kcode", "uE..create sample"): the
//   keys before "..", split at '/'; of a token of several characters ("uE":
//   'u', then 'E') the last is the line's own key;
// - prompt pieces ("rotate-l/r/+/-", "togzero:color/dots-^/.",
//   "exp/contr-e/c E/C"): the keys after the first '-', split at '/' and
//   blanks (so '-' itself can be one); "arrows" are the arrow keys with
//   erase, which moves as the left arrow does; a digit before the dash and
//   one after it ("value 3-0") name the digits between them.
#pragma once
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ui/screen/globals.h"
#include "ui/screen/key_table.h"

inline std::set<char>
split_keys(const std::string &part, bool last_of_token)
{
    std::set<char> keys;
    std::string token;
    std::istringstream in(part);
    while (std::getline(in, token, '/')) {
        if (token == "ret" || token == "(def)")
            keys.insert('\r');
        else if (token.size() == 1 || (last_of_token && !token.empty()))
            keys.insert(token.back());
        else
            keys.insert('?'); // a token that names no key: the test fails on it
    }
    return keys;
}

inline std::set<char>
menu_keys(const std::string &text)
{
    std::set<char> keys;
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        size_t dash = word.rfind('-');
        if (dash == std::string::npos)
            continue;
        std::string part = word.substr(dash + 1);
        while (!part.empty() && (part.back() == ',' || part.back() == ':'))
            part.pop_back();
        std::set<char> named = split_keys(part, false);
        keys.insert(named.begin(), named.end());
    }
    return keys;
}

inline std::set<char>
panel_keys(const std::string &text)
{
    size_t dots = text.find("..");
    return dots == std::string::npos ? std::set<char>{'?'} : split_keys(text.substr(0, dots), true);
}

inline std::set<char>
prompt_keys(const std::string &piece)
{
    size_t dash = piece.find('-');
    if (dash == std::string::npos)
        return {'?'};
    std::string part = piece.substr(dash + 1);
    while (!part.empty() && (part.back() == ' ' || part.back() == ','))
        part.pop_back();
    if (dash > 0 && isdigit(static_cast<unsigned char>(piece[dash - 1])) && part.size() == 1 &&
        isdigit(static_cast<unsigned char>(part[0]))) {
        std::set<char> digits;
        for (char d = part[0]; d <= piece[dash - 1]; d++)
            digits.insert(d);
        return digits;
    }
    std::set<char> keys;
    std::istringstream words(part);
    std::string word;
    while (words >> word) {
        if (word == "arrows") {
            for (int code : {kKeyRight, kKeyLeft, kKeyUp, kKeyDown, kKeyErase})
                keys.insert(static_cast<char>(code));
            continue;
        }
        std::set<char> named = split_keys(word, false);
        keys.insert(named.begin(), named.end());
    }
    return keys;
}

inline std::set<char>
key_set(const std::string &keys)
{
    return std::set<char>(keys.begin(), keys.end());
}

// The walk of every test of a key table's help against its rows, over the
// pieces of help shown in one state: each piece names exactly the keys of
// its rows, as read (menu_keys, panel_keys, prompt_keys, or a reading of
// the test's own) finds them in its text. The keys are gathered into named,
// to be held against the table's keys once every state is walked; where
// says which state a failure is in.
template <class Read>
void
expect_pieces_name_their_keys(const std::vector<key_help_line> &pieces, Read read,
                              std::set<char> &named, const std::string &where = "")
{
    for (const key_help_line &piece : pieces) {
        EXPECT_EQ(read(piece.text), key_set(piece.keys)) << where << " \"" << piece.text << "\"";
        named.insert(piece.keys.begin(), piece.keys.end());
    }
}

// The one check that the help shown and the keys dispatched are the same
// set, in one state: a key acts (takes(key), over every key code but 0)
// exactly when a piece of help lists it, or when the table's rows say it
// acts unlisted (unlisted, from the table's unlisted_keys). where says
// which state failed. Returns the keys the pieces list.
template <class Takes>
std::set<char>
expect_listed_keys_act(const std::vector<key_help_line> &help, Takes takes, const std::string &where = "",
                       const std::string &unlisted = "")
{
    std::set<char> listed;
    for (const key_help_line &piece : help)
        listed.insert(piece.keys.begin(), piece.keys.end());
    std::set<char> acting = listed;
    acting.insert(unlisted.begin(), unlisted.end());
    for (int key = -128; key < 128; key++) {
        if (key != 0) {
            EXPECT_EQ(takes(static_cast<char>(key)), acting.count(static_cast<char>(key)) > 0)
                << where << " key code " << key;
        }
    }
    return listed;
}

// The whole check of a key table's help in one state: each piece that
// lists keys names (as read finds them in its text) exactly those keys, a
// piece that lists none (a heading, the buttons' help) being left to the
// caller; and the keys listed (with those acting unlisted) are the keys
// that act.
template <class Read, class Takes>
std::set<char>
check_pieces_against_keys(const std::vector<key_help_line> &help, Read read, Takes takes,
                          const std::string &where = "", const std::string &unlisted = "")
{
    for (const key_help_line &piece : help) {
        if (!piece.keys.empty()) {
            EXPECT_EQ(read(piece.text), key_set(piece.keys)) << where << " \"" << piece.text << "\"";
        }
    }
    return expect_listed_keys_act(help, takes, where, unlisted);
}
