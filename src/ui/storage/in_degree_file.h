// In-degree histogram files (*.prh): pre_fan_freq (engine/backward) written
// whole, or replaced by a file's counts; the layout and its length checks
// are engine/storage/in_degree_codec.h.
#pragma once

// Writes pre_fan_freq[0..maxinhist] to name; false (file error shown, 'q'
// in is[0]) when it could not be written.
bool save_in_degree_file(const char *name);
// Reads name whole and, when its length is sound, replaces pre_fan_freq
// and maxinhist with its counts (pre_fan_edges their edges, each node of
// the last entry counted with maxinhist pre-images). A file that cannot
// be read, or whose length is not a multiple of 4 from 204 to 20004 bytes,
// shows the file error ('q' in is[0]) and changes nothing.
bool load_in_degree_file(const char *name);
