// Successor tables (*.exh), loaded and saved through the name dialog; their
// layout, size and check are engine/storage/side_file_codecs.h (no header;
// v^n records of bytesL bytes, record s the successor of state number s).
#pragma once
#include <cstdint>
#include <vector>

// mode 'l' or 's' through the name dialog; 'q' in is[0] when backed out or
// on any failure.
void load_save_exhaustive(int mode);

// The same on a chosen name; false ('q' in is[0]) on failure. A load needs
// exh_pairs to exist, a file of exactly v^n * bytesL bytes and every record
// a state of this network; exh_pairs is unchanged otherwise. After a load
// the table's inverse index is rebuilt.
bool load_exhaustive_file(const char *name);
bool save_exhaustive_file(const char *name);

// A successor table of this network chosen through the name dialog and read
// into table (resized to it), leaving exh_pairs and its index alone; false
// ('q' in is[0]) when backed out or refused, table then empty.
bool load_exhaustive_into(std::vector<uint8_t> &table);
