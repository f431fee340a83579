// A stretch of a tree level expanded straight through the successor
// table's inverse index (successor_index.h): each node's group looked up
// in the index, its pre-images not yet ticked off marked and appended to
// the list being filled, and the tree's counters kept, with no call per
// node. The tree builder's walk of stored fans hands it the nodes where
// nothing else is to be done per node (no key poll due, the list has room,
// the node is not the level's last), and takes over again where it stops.
#pragma once
#include <cstdint>

#include "engine/backward/successor_index.h"

// Nodes the walk reads ahead of the one it expands: the node whose index
// entry it asks for (kIndexAhead places on), whose spilled entry it asks
// for (kSpillAhead), whose group it looks up (kGroupAhead) and whose
// pre-images' tickoff bytes it asks for (kTickAhead).
constexpr uint32_t kIndexAhead = 32;
constexpr uint32_t kSpillAhead = 24;
constexpr uint32_t kGroupAhead = 14;
constexpr uint32_t kTickAhead = 6;

// The walk's state, the tree builder's locals of the same meaning: taken
// and given back by table_walk_level.
struct table_walk {
    const uint32_t *nodes; // the level being expanded
    uint32_t i;            // the node expanded next
    uint32_t last;         // the level's last node: the walk expands nodes i < last only
    uint32_t *list;        // the list being filled: entries list[1 .. at]
    uint32_t at;
    uint64_t room;         // the list holds entries below room
    uint32_t before;       // at before the fan of the last node expanded
    uint32_t polls_due;    // fans that keep a pre-image before a key poll
    uint32_t accepted, expanded, gardens, placed, largest;
};

// Expands the nodes w.nodes[w.i ..] in order, as the plain acceptance
// (acceptance.h) would take their stored fans: a pre-image whose bit of
// ticks is clear is marked and appended, the rest left out. Every node is
// counted expanded, placed (when places) and a garden of Eden when it kept
// nothing. Stops before the level's last node, before a node whose fan
// might not fit below w.room, and before a node whose kept pre-image would
// bring a key poll due (w.polls_due 1), leaving w.i at that node. The nodes
// ahead it asks for are read from the level and past its end from the list
// being filled; all are states of the index, and ticks covers every state
// of the index.
void table_walk_level(table_walk &w, const successor_index &index, uint8_t *ticks, bool places);
