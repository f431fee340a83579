// The check both wiring editors' key tests make of one state: each piece
// of the prompt names (as a user reads it) exactly the keys of the rows it
// stands for, and a key acts exactly when a piece names it; and the small
// network shapes the states are checked on.
#pragma once
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/model/globals.h"
#include "support/help_keys.h"
#include "ui/screen/key_table.h"

// A 1d network, a 6 x 4 lattice, or a 2 x 3 x 4 lattice by dim.
inline void
give_shape(int dim)
{
    twod = dim == 2 ? 2 : 0;
    threed = dim == 3 ? 3 : 0;
    oned = dim == 1;
    i2d = 6;
    j2d = 4;
    i3d = 2;
    j3d = 3;
    h3d = 4;
}

// Checks the pieces of help against named (the keys a piece's text names)
// and takes (whether a key acts in this state); where says which state
// failed. Returns the keys the pieces list.
template <class Named, class Takes>
std::set<char>
check_pieces_against_keys(const std::vector<key_help_line> &help, Named named, Takes takes,
                          const std::string &where)
{
    std::set<char> listed;
    for (const key_help_line &piece : help) {
        if (piece.keys.empty())
            continue; // a heading that names no key
        EXPECT_EQ(named(piece.text), key_set(piece.keys)) << piece.text << where;
        listed.insert(piece.keys.begin(), piece.keys.end());
    }
    for (int key = -128; key < 128; key++)
        EXPECT_EQ(takes(key), key != 0 && listed.count(static_cast<char>(key)) > 0)
            << "key " << key << where;
    return listed;
}
