// How every file routine shows that it refuses a file or failed on it: the
// reason and one key, at the current point or in a one-line prompt box, or
// the file error box. The network is left as it was: the byte layouts of
// engine/storage check a whole file before anything is applied. Without a
// window (tests, batch use) the message goes to standard error instead.
#pragma once
#include <cstddef>
#include <string>

enum class refusal_place {
    at_point,    // written where the current point is
    box_kept,    // in a prompt box left on the screen (one line, more for a long text)
    box_erased,  // in a one-line box at the top right, beside a box standing
                 // there (the colour key), taken away after the key
};

// Shows text, waits for one key (an empty numeric entry) and restores the
// current point.
void show_refusal(const char *text, refusal_place where);

// The file error box for name ("file error <name>, cont-ret:") and 'q' in
// is[0], so that the caller backs out: a file that could not be opened,
// read or written, or that a loader refused; a reason (not empty) says why
// the loader refused it (file_error).
void refuse_file(const char *name, const std::string &reason = std::string());
// refuse_file(name, reason), then false: what a loader or saver returns
// when it refuses a file or failed on it.
bool file_refused(const char *name, const std::string &reason = std::string());

// The size bytes at data written whole to name (write_file, file_dialog.h);
// the file error box when they could not be. Returns whether they were.
bool write_or_refuse(const char *name, const void *data, size_t size);
