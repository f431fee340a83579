// Successor tables (*.exh): no header; v^n records of bytesL bytes, record
// s the state line of the successor of state number s, as exh_pairs holds
// them. v = 2, n = 10 gives 1024 records of 2 bytes: 2048 bytes.
#pragma once
#include <cstdint>

// mode 'l' or 's' through the name dialog; 'q' in is[0] when backed out or
// on any failure.
void load_save_exhaustive(int mode);

// The same on a chosen name; false ('q' in is[0]) on failure. A load needs
// exh_pairs to exist, a file of exactly v^n * bytesL bytes and every record
// a state of this network; exh_pairs is unchanged otherwise. After a load
// the table's inverse index is rebuilt.
bool load_exhaustive_file(const char *name);
bool save_exhaustive_file(const char *name);

// Bytes of the table for this network (64 bits; 0 when v^n states cannot
// be numbered in 32 bits).
uint64_t successor_file_bytes();
