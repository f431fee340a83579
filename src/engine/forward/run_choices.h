// The arithmetic behind the answers of the run set-up dialogs (output
// parameters, forward-only options, run kind): typed numbers turned into
// settings with their limits, so that no answer overflows a setting or asks
// for more than the network or the window can hold. No drawing; the dialogs
// are ui/forward/run_settings.cpp.
#pragma once
#include <cstdint>
#include <string>

#include "engine/model/held_number.h"

// History limit of the attractor search: the digits at the start of the
// answer, read without overflow; above 65535 gives 10000 (the default), no
// digits give 0 (pattern only).
constexpr uint32_t kHistoryLimitDefault = 10000, kHistoryLimitMax = 65535;
uint32_t history_limit_of(const std::string &answer);

// The forward steps before a subtree shown as the maximum: the whole part
// of sqrt(2^(n-1)) for n-1 < 31, else of sqrt(2^31). n = 10 gives 22.
uint32_t stepforward_shown_max(int n);

// An update or output probability typed in percent: an answer beginning with
// a digit or '.' and reading p with 0 <= p < 100 gives p/100; anything else
// (100 included) gives 100.0, "always".
float probability_of(const std::string &answer);

// The state-space matrix size for p percent of half the window (half_width
// pixels): p is held to 1..100 so the box stays inside the window; p <= 0
// gives -1 (no change).
int matrix_size_of_percent(long p, int half_width);
// The matrix size as a percentage of half the window, rounded up.
int matrix_percent_of_size(int size, int half_width);

// The largest end size of the G-density size range: 31, or less when the
// state numbers of v would not fit 32 bits (max_cells, maxL_lu).
int size_range_end_max(int max_cells);

// Whether a random map of every state may be offered: n within the state
// numbers of 32 bits and at most kRandomMapMaxStates records.
constexpr uint64_t kRandomMapMaxStates = uint64_t(1) << 26;
bool random_map_offered(int n, int v, int max_cells);

// The analysis window of the entropy plots, in time-steps: 1..kGensMax.
constexpr int32_t kGensMax = 10000;
constexpr number_bounds kGensBounds = {1, kGensMax};

// One coordinate of the single-cell entropy position: 0 <= c < side.
number_bounds coordinate_bounds(int side);
