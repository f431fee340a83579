// The state every session begins from: the program's start-up and the
// window tests' fixture (before each test) both call restore_start_state, so
// the list of what is put back is one list.
#pragma once

// Puts every folder's settings and counts back to their start values (see
// each folder's restore_*_start_values) and empties the typed answer. Memory
// a stage allocated is left to the stage that frees it.
void restore_start_state();
