// The drivers of backward runs: single basins over a range of sizes, mutants
// on one screen, subtrees and basin fields, with their summaries.
#pragma once

// Draws a single basin or subtree per size from startL to endL, then sets
// the network back to startL cells and the seed back (size_ranges.cpp).
void draw_range_single();
// Draws a basin field per size from startL to endL, one row per size, then
// sets the network back to startL cells (size_ranges.cpp).
void draw_range_field();
// Draws the basin or subtree of the network and then of its mutants side by
// side until the series ends or the screen is full (size_ranges.cpp).
void mutant_one_screen_single();
// Draws the subtree of the seed, or of the state stepforward steps on
// (subtree_run.cpp).
void upstream_only();
// Draws the basin field of the network, or with neutral_order the
// components of its update orders (basin_field.cpp).
void draw_field();
// Writes the field summary.
void print_field_data();
