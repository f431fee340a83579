// Pre-images of a state for any wiring (random, lattices, hypercube, loaded,
// mixed k, rule mixes): partial pre-images are built cell by cell,
// breadth first, keeping every assignment that gives the target value at
// every cell done so far; cells no processed cell reads stay wild and are
// expanded to every value at the end. For v = 2 an aligned block of up to
// 256 rule-table entries with one output is tried as a single entry.
#pragma once

// Builds the work arrays and the per-cell lists of rule-table entries to
// try (with their block levels for v = 2), and with reorderRBN the cell
// order. Call before a run, again after any change of rule, wiring or k.
void prepair_pre_rand();
// Frees what prepair_pre_rand built.
void free_pre_rand();
// cell_order: each next cell shares an input with the one before it where
// possible; position L holds cell L.
void rearrange_cell_order();
// Every pre-image of A, handed to the acceptance step after the search, in
// stack order: by number where the level lists hold numbers, else as lines. A target whose partial pre-images would pass
// partial_preimage_limit, or exhaust memory, is abandoned with
// abort_subtree_too_many_partial and nothing handed over.
void pre_images_rand();
// 1 when pre_images_rand is the tree builder's method for this network: no
// successor table, not the neutral-order mode, and random wiring or mixed k.
int general_method_chosen();
// 1 when it is chosen and hands its pre-images over as state numbers (its
// word form: v = 2 and every state numbered in 32 bits), so that the tree
// builder's level lists hold numbers.
int general_method_hands_numbers();
// The stack histogram's scale shrunk by a quarter (to 10 at least) when the
// last computation's largest stack stayed below a sixth of it; the peak
// cleared for the next one.
void shrink_stack_scale();
