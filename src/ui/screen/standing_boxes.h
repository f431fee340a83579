// The boxes that stand over other drawings, kept in one list, as a small
// window manager keeps its clients: each box is entered by its owner with
// its place and how it goes, and a drawing that meets one asks the list
// instead of knowing who drew it. A box drawn (draw_box), an erase
// (erase_box), a region put back from a saved copy and the pattern's rows
// give way through it; no drawing takes another's box down by hand.
//
// How a box goes when a later drawing meets a part of it: left standing,
// the rest of it would stand there cut, and its owner's later erase would
// cut that drawing in turn. So it goes whole. Not where the drawing is a box over
// a copy of its place saved just before it (a message's box): the put
// back shows the box whole again. A drawing that covers a box
// whole hides it: it is forgotten, and comes back when the region is put
// back from a copy saved while the box stood (a dialog's box closing).
// A clear of the whole drawing area forgets every box but one whose erase
// puts back a saved copy (box_way::saved). A resize takes every box, and
// every saved region, to where the window shows it at the new size.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "ui/screen/globals.h"

enum class box_owner : uint8_t {
    top_line,        // one-line prompts and readouts at the top right (several stand)
    settings_prompt, // the prompt box a settings dialog left standing
    rule,            // the rule box at the window's foot
    colour_key,      // the value key at the top right
    frozen_key,      // the frozen skeleton's key at the top right
    plotted_count,   // the mutation's count of rules plotted, at the top
    sweep_graph,     // the frames of a rule sweep's graphs
    statespace_matrix, // the state-space matrix's box at the bottom right
    stack_bar,       // the local pre-image method's stack bar at the foot
    stack_hist,      // the general method's stack histogram at the bottom left
};

// What happens to a box a later drawing meets a part of.
enum class box_way : uint8_t {
    taken, // cleared whole, the texts it hid drawn again, and forgotten
    held,  // cleared whole by a pattern's rows (rows_give_way), its place
           // staying its own until it is drawn again; a box over a part
           // of it puts back what it covered
    kept,  // drawings ask where it stands and keep clear; one that covers
           // it whole (its erase) hides it
    saved, // drawn over a saved copy of its place, it stands until that copy
           // is put back (its erase) or freed, whatever is drawn or cleared
           // meanwhile
};

// A box's corners, inclusive.
struct box_place {
    int x0, y0, x1, y1;
};

// How a box is cleared when it goes (nullptr: its place filled with the
// background and the texts under it drawn again from the window's record).
using box_take_down = void (*)(const box_place &place);

// Before owner draws a box at place: the owner's box standing elsewhere
// goes first (each owner has one box but top_line, whose boxes stand
// side by side), other boxes the place meets in part go as they go,
// those it covers whole are hidden; then the box is entered, standing.
void raise_box(box_owner owner, const box_place &place, box_way way, box_take_down take_down = nullptr);
// Whether owner's box stands (the last one entered, for top_line), and
// its place.
bool box_stands(box_owner owner, box_place *place = nullptr);
// Whether a box of owner stands exactly at place.
bool box_stands_at(box_owner owner, const box_place &place);
// Whether owner's box stands, or was taken by a drawing but keeps its
// place as its own (box_way::held) until it is drawn again.
bool box_place_held(box_owner owner, box_place *place = nullptr);
// The places of owner's boxes standing now, the first entered first.
std::vector<box_place> standing_boxes_of(box_owner owner);
// The places of the boxes standing now that drawings keep clear of
// (box_way::kept): one drawn over in part stands cut.
std::vector<box_place> kept_boxes_standing();
// owner's box taken down as it goes, and forgotten (nothing where none
// stands).
void take_box(box_owner owner);
// The boxes a drawing over place (a fill, clear, copy or box, as the
// viewport lets it through) meets: those it meets in part go as they go,
// those it covers whole are hidden. A box raised at exactly that place
// since the last drawing is the one being drawn there, and stays.
void give_way(const box_place &place);
// give_way for a pattern's rows, which take a held box too: they go on
// over its place, and would carry a piece of it up with a scroll.
void rows_give_way(const box_place &place);
// give_way for a box drawn at `drawn` whose erase puts back what it
// covers, the region `saved` saved into slot after the boxes went: those
// it hid are held with it, and stand again at its put back.
void save_giving_way(const box_place &drawn, const box_place &saved, image_slot *slot);
// What brings owner's drawing back where a box over it took it down whole
// and has gone (it decides itself whether there is anything to draw): set
// by the owner, which lies in a layer above the boxes drawn over it.
void set_box_return(box_owner owner, void (*bring_back)());
// A box that took others down whole has gone: each owner with a return
// brings its drawing back.
void bring_back_boxes_taken();
// A box that stands but whose entry is stale counts as standing again
// after the drawing area was cleared: drawn again there since (a dialog
// echoing into its rows over a picture loaded meanwhile).
void box_outlives_clear(box_owner owner, uint32_t clears_before);

// The window's region at place saved into pixmap: the boxes standing
// whole inside it are kept with it. When it is put back at the same
// place, boxes entered inside it since are gone under it, and those it
// held stand again, each unless one entered since stands across it.
void boxes_captured(image_slot pixmap, const box_place &place);
void boxes_put_back(image_slot pixmap, int x, int y);
void forget_boxes_captured(image_slot pixmap);
// After a resize: each box and each saved region taken to the place `moved`
// gives, where the window's record drew the window again at the new size
// (window_record.h); left where it was where the drawing stayed as it was.
// A box moved to no place at all (nothing of it drawn again) is forgotten.
void boxes_follow_resize(const std::function<box_place(const box_place &)> &moved);
