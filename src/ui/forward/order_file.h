// Update-order files ("*.ord"): seq_order saved and loaded, the byte layout
// in engine/storage/side_file_codecs.h. A load checks the whole file before
// seq_order changes.
#pragma once
#include <cstddef>

// What a load or save came to.
enum order_file_result {
    order_file_ok = 0,
    order_file_error = 1,      // the file cannot be opened, read or written
    order_file_wrong_size = 2, // not exactly 2n bytes
    order_file_not_order = 3,  // the entries are not 0..n-1 once each
};

// Writes seq_order to name (created or truncated, mode 0644).
order_file_result save_order_file(const char *name);

// Reads name into seq_order when it holds exactly 2n bytes that are a
// permutation of 0..n-1. For a file of the wrong size the message to show
// goes to message: "filesize(%d)!=netsize(%d), cont-ret" with the file's
// entry count and n; for one that is no order, the reason for the file
// error box: an entry past the cells or a cell met twice ("entry 1 is 256,
// cells run 0-3"); after an open or read failure message is empty.
order_file_result load_order_file(const char *name, char *message, size_t size);

// The order-file dialog: mode 's' saves seq_order, 'l' loads it, through the
// file-name dialog (kind "ORDER-DATA", default "my_order"); a file that
// cannot be opened or is no order gets the file error box, one of the wrong
// size its message and a key wait. The current point is kept.
void load_save_order(int mode);
