// Symmetric and legal rule tables: a random rule table whose outputs are
// equal on neighbourhoods that are images of one another under the
// symmetries of the lattice, and the legal variant that also maps every
// uniform neighbourhood to its own value. The draw order of random() is
// part of the family: one seed gives one rule. Start at symmetric_rule.
#pragma once
#include <cstdint>
#include <vector>

// A symmetry group of the k input positions: each member g maps the
// neighbourhood N to its image, whose position p holds N[g[p]].
struct symmetry_group {
    int k = 0;
    std::vector<std::vector<int>> members; // the identity first
};

// The group of the network's shape (oned, twod, threed) for k inputs: the
// reflection (position p takes k-1-p) for a 1d network, any network with
// k <= 3 and one with no dimension flag (a hypercube); R^0..R^3 (R^0..R^5
// for k = 6, 7) of the 2d rotation R; the 24 rotations of the cube for a
// 3d lattice with k = 6 (k = 7: the centre, position 3, fixed); the
// identity alone for a 3d lattice with any other k above 3.
symmetry_group lattice_symmetry_group(int k);
// The index of the image of neighbourhood i under member g (base-v digits,
// position 0 least significant).
uint32_t image_index(uint32_t i, const std::vector<int> &g, int k);

// Fills the rule table of k inputs (entries 0..last, last = v^k - 1):
// one draw random() % v at every index from last down to 0; an index not yet
// set gives that draw to itself and all its images. mode 'S' (legal) then
// makes every uniform neighbourhood c..c map to c. Nothing is drawn on the
// screen.
void symmetric_rule(char mode, uint8_t *rule, int k, int32_t last);
