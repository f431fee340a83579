// Appending to files line by line: result texts to the data file named in
// filename_data, records to a file the caller names (kept apart from the
// shared filename, which any later dialog changes).
#pragma once
#include <cstddef>

// Appends text (without its NUL) to the data file. Returns 0, or -1 when the
// file could not be opened or written; the file error box is shown once for
// a data file that keeps failing, not once per line.
int save_data(const char *text);
// Appends length bytes to the named file; 0 or -1 as save_data, the file
// error box shown on every failure.
int save_binary_data(const char *name, const void *buffer, size_t length);
