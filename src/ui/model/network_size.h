// The set-up stages that fix the number of cells of a 1d network and the
// drawn size of a cell, one for each kind of run. The lengths derived from
// n and the k range of a k-mix are the engine's (engine/model/network_shape.h).
#pragma once

// Size for single basins and forward runs; 'q' in is[0] to step back.
void select_linelength_singlebasin();
// Size for basin fields, at most maxL_lu; 'q' in is[0] to step back.
void select_linelength_31();
// First and last size of a range (startL, endL); the network starts at the
// first; 'q' in is[0] to step back.
void select_linelength_range();
