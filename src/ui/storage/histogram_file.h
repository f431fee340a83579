// Histogram files (*.his) saved, listed and loaded through the name dialog;
// the layout (16-bit counts, most significant byte first, no header) is in
// engine/storage/side_file_codecs.h. Counts are 32 bits wide in memory and
// saturate at 65,535 in the file.
#pragma once
#include <cstdint>

// is[0] 's' saves counts[0..columns] through the name dialog; 'l' lists a
// chosen file and, with load_into, loads it into load_into[0..columns] (a
// file of another column count is listed, refused with a message and
// changes nothing); a null load_into only lists (a histogram that is
// computed, not collected). Both list the counts on standard error after
// "\nhistogram: 1+%d columns\n" as "%d " each. 'q' in is[0] when backed
// out or on a failure.
void hist_save_load(int columns, const uint32_t *counts, uint32_t *load_into);

// The same on a chosen name; false (file error shown) on failure. A file
// of odd length, of fewer than two bytes or past the largest is refused.
// A save of counts past 65,535 says, in a one-line box, how many were
// saved as 65,535.
bool save_histogram_file(const char *name, int columns, const uint32_t *counts);
bool list_histogram_file(const char *name);

enum class histogram_load {
    loaded,        // listed, and its counts are in the histogram
    other_columns, // listed, and refused: its column count is not the histogram's
    refused,       // not a histogram file (file error shown)
};
// Lists the file and loads it into counts[0..columns] when it holds
// columns + 1 counts; anything else leaves counts as they were.
histogram_load load_histogram_file(const char *name, int columns, uint32_t *counts);
