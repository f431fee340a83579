// The network data menu of the wiring editors' key 'f': load and save the
// wiring, the rule scheme or both, save the k-mix, and write the network
// listing (engine/wiring_editor/network_listing.h) to standard error, to a
// data file ("*.dat", default "net_data"), or to both.
#pragma once

// The menu. Returns 1 when a load was attempted and load_save_wrs gave
// non-zero (the file's k, or 255 for a refused file; the caller then reads
// file_dim and the placement globals), else 0. Clears is[0] and is[1].
int save_load_print_net();

// The listing of the given kind (listing_wiring, listing_rules,
// listing_both) to standard error when pdata is set and appended to
// filename_data when filedata is set; a 'q' pending before a row stops
// the rows.
void write_network_listing(int kind);

// Readies the data file named for a listing: a new file is created empty;
// an existing one is replaced by an empty file only after 'o' at "%s
// exists: overwrite-o, append-a:", else kept and appended to. False with
// 'q' in is[0] when the user backed out; a file that cannot be created
// gets the file error box and leaves filedata clear (the listing then goes
// to standard error only).
bool ready_listing_file(const char *name);
