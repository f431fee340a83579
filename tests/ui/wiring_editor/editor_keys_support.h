// The small network shapes both wiring editors' key tests check their
// states on; the check itself is check_pieces_against_keys (help_keys.h).
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
