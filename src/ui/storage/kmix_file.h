// K-mix files (*.mix) loaded and saved through the name dialog; the layout
// (one signed byte per cell, the cell's k) is in
// engine/storage/side_file_codecs.h.
#pragma once
#include <cstdint>

// mode 'l' load, 'L' length only, 's' save, through the name dialog.
// Returns the file's length (at most 65535) after 'l' or 'L'; 0 with 'q' in
// is[0] after backing out, a failed open, read or write, or a refused file.
uint16_t load_save_nhoodmix(int mode);

// The same on a chosen name. A load reads the smaller of the file's length
// and lineL bytes into nhoodm (the other cells keep their k); an empty file
// or one with a value outside 1..Maxnhood is refused and nhoodm is left as
// it was.
uint16_t load_nhoodmix_file(const char *name, int mode);
// Writes nhoodm; false (file error shown, 'q' in is[0]) when it failed.
bool save_nhoodmix_file(const char *name);
