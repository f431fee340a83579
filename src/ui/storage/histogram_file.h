// Histogram files (*.his): columns + 1 unsigned 16-bit counts, column 0
// first, each most significant byte first; no header. Counts 3, 256 are
// 00 03 01 00.
#pragma once
#include <cstdint>

// is[0] 's' saves counts[0..columns] through the name dialog, 'l' lists a
// file's counts; both list the counts on standard error after
// "\nhistogram: 1+%d columns\n" as "%d " each. The caller's counts are
// never changed. 'q' in is[0] when backed out or on a failure.
void hist_save_load(int columns, const uint16_t *counts);

// The same on a chosen name; false (file error shown) on failure. A file
// of odd length, or of fewer than two bytes, is refused.
bool save_histogram_file(const char *name, int columns, const uint16_t *counts);
bool list_histogram_file(const char *name);
