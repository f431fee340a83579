// The key loop both wiring editors run over their own key tables: wait for
// a key, find the row in force for it and act, and the end of a turn that
// changed the wiring. Each editor keeps its table, prompt and drawing.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "engine/model/globals.h"
#include "ui/screen/globals.h"
#include "ui/screen/key_table.h"

// Waits for one key, or a button (the left one answers as Return, the
// right as 'q'), and puts it in is[0].
void wait_editor_key();
// Whether key ends the editor: 'q' or Return.
bool leaves_editor(char key);
// The wiring general again after a change: not regular local, not a
// regular lattice, not compressed.
void mark_wiring_general();

// The row in force for key (as keycheck returns it) in an editor's table.
template <class Context, size_t N>
const key_row<Context, void> *
editor_row_for(const key_row<Context, void> (&rows)[N], int key, const Context &c)
{
    if (key < -128 || key > 127)
        return nullptr;
    return find_key(rows, static_cast<char>(key), c);
}

// One key of a turn: waits for it and acts by its row in force; a dialog's
// last key must not end the turn, so is[0] then keeps only a key that
// leaves. Returns the key typed.
template <class Context, size_t N>
char
take_editor_key(const key_row<Context, void> (&rows)[N], Context &c)
{
    wait_editor_key();
    char key = is[0];
    const key_row<Context, void> *row = editor_row_for(rows, key, c);
    if (row && row->act) {
        row->act(c, key);
        if (!leaves_editor(key))
            is[0] = 0;
    }
    return key;
}

// The help lines, and whether key acts, for an editor in state s: a
// session of the editor holding s, read by its table.
template <class Session, class State, size_t N>
std::vector<key_help_line>
help_in_state(const key_row<Session, void> (&rows)[N], const State &s)
{
    Session e;
    e.s = s;
    return key_help(rows, e);
}

template <class Session, class State, size_t N>
bool
takes_in_state(const key_row<Session, void> (&rows)[N], const State &s, int key)
{
    Session e;
    e.s = s;
    return editor_row_for(rows, key, e) != nullptr;
}

// Guards both editors' tables share, over a session whose state s holds
// the rules flag: the rules are set; and not only as codes; the network
// is 3d; k may change, unless one rule table of the network's k serves
// every cell.
template <class Session>
bool
rules(const Session &e)
{
    return e.s.rules_set != 0;
}

template <class Session>
bool
rules_not_tot_only(const Session &e)
{
    return rules(e) && !tot_only;
}

template <class Session>
bool
network_3d(const Session &)
{
    return threed != 0;
}

template <class Session>
bool
k_changeable(const Session &e)
{
    return !rules(e) || rulemix;
}
