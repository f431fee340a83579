// Appending to files: result texts to the data file named in filename_data,
// records to a file the caller names (kept apart from the shared filename,
// which any later dialog changes). Every call appends one whole text or
// record, or nothing of it: a caller composes its line or lines whole
// before it appends them.
#pragma once
#include <cstddef>

// Appends text (without its NUL) whole to the data file. Returns 0, or -1
// when the file could not be opened or written (the file is then as it was
// before the call); the file error box is shown once for a data file that
// keeps failing, not once per line.
int save_data(const char *text);
// Appends the record of length bytes whole to the named file, a record of
// a run (the statistics records); 0 or -1 as save_data, the box likewise
// shown once for a file that keeps failing.
int save_record(const char *name, const void *buffer, size_t length);
// Appends length bytes whole to the named file on the user's asking (an
// append save); 0 or -1 as save_data, the file error box shown on every
// failure.
int save_binary_data(const char *name, const void *buffer, size_t length);
