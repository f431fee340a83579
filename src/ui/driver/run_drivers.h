// The drivers of backward runs: single basins over a range of sizes, mutants
// on one screen, subtrees and basin fields, with their summaries.
#pragma once

// Draws a single basin or subtree per size from startL to endL.
void draw_range_single();
// Draws a basin field per size from startL to endL.
void draw_range_field();
// Draws the rule and its mutants side by side.
void mutant_one_screen_single();
// Draws the subtree of the seed, or of the state stepforward steps on
// (subtree_run.cpp).
void upstream_only();
// Draws the basin field of the network.
void draw_field();
// Writes the field summary.
void print_field_data();
