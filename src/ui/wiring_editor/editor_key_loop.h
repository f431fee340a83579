// The key loop both wiring editors run over their own key tables: wait for
// a key, find the row in force for it and act, the row actions and the
// rows both tables use, and the end of a turn that changed the wiring. Each
// editor keeps its table (with the rows that differ), prompt and drawing.
//
// A session of either editor derives from editor_session_core, holds its
// state (editor_state.h) in s, names its editor in kind (editor_1d or
// editor_2d_3d) and what a rewire does besides in kRewireEffects, and
// what differs between the editors by the members the
// shared actions call:
//     cells_in_reach reach() const;          // the cursor cell or the block
//     void after_effects(unsigned effects);  // its own part of a key's effects
//     void take_placed_part(const placed_part &part); // a load's block: low, high
//     int sculpt_over_screen();              // learning over its picture
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "engine/model/globals.h"
#include "ui/screen/globals.h"
#include "ui/screen/key_table.h"
#include "ui/wiring_editor/editor_operations.h"
#include "ui/wiring_editor/editor_state.h"
#include "ui/wiring_editor/editor_texts.h"

// What both editors' sessions hold besides their state: whether the
// operations act on the block, and the record of the learning.
struct editor_session_core {
    int all_links = 0; // operations on the block; the block's links drawn
    bool learning_used = false;
    int learning_result = 0; // the last sculpting's result

    // Learning that changed nothing in its last call leaves the wiring
    // flags as they are at the end of a turn.
    bool learning_changed_nothing() const { return learning_used && learning_result == 0; }
    // Whether the turn changed the wiring so that it is no longer regular
    // (was_changed set, and not by learning that changed nothing).
    bool turn_changed_wiring() const;
};

// The cells in reach of an editor (editor_1d or editor_2d_3d) in state s:
// the cursor cell, or the block when both the block flag and all_links are
// set. The 2d/3d editor adds its block's corners.
cells_in_reach reach_in_state(int editor, const editor_state &s, int all_links);

// The arrow keys as key strings of a row.
constexpr char kLeftKey[] = {static_cast<char>(kKeyLeft), 0};
constexpr char kRightKey[] = {static_cast<char>(kKeyRight), 0};
constexpr char kUpKey[] = {static_cast<char>(kKeyUp), 0};
constexpr char kDownKey[] = {static_cast<char>(kKeyDown), 0};

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

// Help pieces both editors' tables share: the heading of the key menu, and
// the k change's piece for the cursor cell.
template <class Session>
std::string
heading_help(const Session &e)
{
    return editor_heading(Session::kind, e.s.rules_set);
}

template <class Session>
std::string
change_k_help(const Session &e)
{
    return change_k_text(e.s.cursor);
}

// Guards both editors' tables share, over a session whose state s holds
// the rules flag: the rules are set; and not only as codes; the network
// is 3d; k may change, unless one rule table of the network's k serves
// every cell.
template <class Session>
bool
rules(const Session &e)
{
    return e.s.rules_set;
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

// ---- The actions of rows both tables share --------------------------------

// An editor's own operation as a row's action: the operation, then its
// effects (editor_operations.h) and the session's part of them.
template <auto Operation, unsigned Effects, class Session>
void
act(Session &e, char key)
{
    Operation(e, key);
    apply_key_effects(Effects);
    e.after_effects(Effects);
}

// A shared operation over the cells in reach as a row's action.
template <auto Operation, unsigned Effects, class Session>
void
act_on_cells(Session &e, char key)
{
    Operation(e.reach(), key);
    apply_key_effects(Effects);
    e.after_effects(Effects);
}

// 'g': the operations on the block, or on the cursor cell.
template <class Session>
void
toggle_all_links(Session &e, char)
{
    e.all_links = !e.all_links;
}

// 'l': the sculpting over the screen as it was before the editor; the
// editor's picture comes back afterwards.
template <class Session>
void
learn(Session &e, char)
{
    e.learning_result = e.sculpt_over_screen();
    e.learning_used = true;
}

// 'f': the network data menu; a load that placed a smaller network makes
// the placed part the block.
template <class Session>
void
network_data(Session &e, char)
{
    placed_part part;
    if (!load_network_data(kEditorPromptLines, &part))
        return;
    e.take_placed_part(part);
    e.s.block = e.all_links = 1;
}

// ---- Rows both tables hold alike -------------------------------------------

// The rewiring keys, the change of k, the histograms and the two keys that
// leave: the same piece of the prompt, guard and operation in both
// editors, a rewire with the session's kRewireEffects.
template <class Session>
using editor_row = key_row<Session, void>;

template <class Session>
constexpr editor_row<Session> kHandRow = editor_row<Session>::on("h").help(" hand-h")
    .does(act_on_cells<hand_rewire, Session::kRewireEffects>);
template <class Session>
constexpr editor_row<Session> kRandomRow = editor_row<Session>::on("r").help(" rand-r/R")
    .does(act_on_cells<random_rewire, Session::kRewireEffects>);
template <class Session>
constexpr editor_row<Session> kWeightedRow = editor_row<Session>::on("R")
    .does(act_on_cells<weighted_rewire, Session::kRewireEffects>);
template <class Session>
constexpr editor_row<Session> kBiasRow = editor_row<Session>::on("s").help(" special-s")
    .does(act_on_cells<bias_options, no_effect>);
template <class Session>
constexpr editor_row<Session> kLocal1dRow = editor_row<Session>::on("1").help(" local:1d-1")
    .does(act_on_cells<local_1d_rewire, Session::kRewireEffects>);
template <class Session>
constexpr editor_row<Session> kLocal3dRow = editor_row<Session>::on("3").help(" 3d-3")
    .when(network_3d<Session>).does(act_on_cells<local_lattice_rewire, Session::kRewireEffects>);
template <class Session>
constexpr editor_row<Session> kChangeKRow = editor_row<Session>::on("k")
    .help(change_k_help<Session>).when(k_changeable<Session>)
    .does(act_on_cells<change_k, Session::kRewireEffects>);
template <class Session>
constexpr editor_row<Session> kHistogramRow = editor_row<Session>::on("IOB")
    .help("hist:In(k)/Out/Both-I/O/B").does(act_on_cells<k_histogram, no_effect>);
template <class Session>
constexpr editor_row<Session> kResetRow = editor_row<Session>::on("q").help(", reset-q");
template <class Session>
constexpr editor_row<Session> kContinueRow = editor_row<Session>::on("\r").help(" cont-ret:");
