// The pre-image methods behind one interface: a caller such as the tree
// builder holds the method chosen for its run and asks it for the fan of
// each node, knowing no method by name. The methods: the local sweep of 1d
// rings (preimages_local.h), the general method for any wiring in its
// breadth-first and its walking form (preimages_general.h), the successor
// table and the neutral orders (successor_table.h). Each hands its
// pre-images to the acceptance step (acceptance.h), which reads from the
// method whether it polls the keys.
#pragma once
#include <cstdint>

struct successor_index;

// The state whose pre-images are asked: its line is in A; its number, where
// the level lists hold numbers, spares the table method reading A.
struct fan_target {
    bool numbered = false;
    uint32_t number = 0;
};

// The count of a whole fan that could not be made (see stored_fan).
constexpr uint32_t fan_not_made = UINT32_MAX;

struct preimage_method {
    const char *name;
    // Builds what the method needs for the network as it is, unless that is
    // built already (a basin field builds it once for all its trees); true
    // when this call built it, for the caller to release.
    bool (*prepare)();
    // Frees what prepare built.
    void (*release)();
    // Every pre-image of the target handed to the acceptance step, in the
    // method's order, until the fan stops.
    void (*fan_of)(const fan_target &target);
    // Whether the pre-images can go to the level lists as state numbers
    // (v^n numbered in 32 bits, and the method hands numbers).
    bool (*hands_numbers)();
    // The pre-images of state number t whole, where the method keeps them
    // stored or can make them at once into a buffer of its own (count of
    // them, ticked off or not, in the order fan_of hands them; valid until
    // the next call), so that a caller with nothing to show per pre-image
    // may take them as they are; null where the method has no whole fans.
    // A fan that could not be made (memory ran out) is null with count
    // fan_not_made: the caller then asks fan_of, which abandons the tree.
    const uint32_t *(*stored_fan)(uint32_t t, uint32_t *count);
    // Whether stored_fan serves the fans asked now (a method may make them
    // only in a basin field); null where it always does.
    bool (*stored_fans_ready)();
    // Asks the memory for what the fans of three nodes expanded soon will
    // read (state numbers near, middle, then far; UINT32_MAX for none), a
    // step of each fan's lookup; null where a method has nothing to ask.
    void (*warm)(uint32_t near, uint32_t middle, uint32_t far);
    // The index the stored fans are looked up in (successor_index.h), for a
    // caller that walks many fans at once (table_walk.h); null where the
    // method has none, or none made yet.
    const successor_index *(*stored_index)();
    // The acceptance step polls the keys after each pre-image kept, so the
    // user can stop a long fan.
    bool polls_keys;
    // A fan of numbers leaves out the states already ticked off.
    bool leaves_out_ticked_off;
};

extern const preimage_method local_1d_preimages;
extern const preimage_method general_breadth_first_preimages;
extern const preimage_method general_walk_preimages;
extern const preimage_method table_preimages;
extern const preimage_method neutral_order_preimages;

// The method for the network and settings as they are: the table in table
// mode, the neutral orders in the neutral-order mode, the general method for
// random wiring or mixed k (walking where its tables, as built, and the
// stack view let it), else the local sweep.
const preimage_method &choose_preimage_method();
// Whether the method chosen now is the general one (either form): a run
// whose trees take it builds its tables once, before the first tree, and
// frees them after the last.
bool general_method_needed();
// The chosen method prepared; built says whether what it needs was built
// here, for the caller to release with the method's release. The general
// method's form is chosen on the tables it then has.
const preimage_method &start_preimage_method(bool &built);
