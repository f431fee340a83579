// The one file-name dialog of every file kind, the listing of matching files
// behind its '?', and the conventions every file routine shares: how files
// are opened, how a failure is shown, and whole reads and writes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

// Asks for a file name: action ("LOAD", "SAVE", ...), the kind shown to the
// user ("SCREEN", "SINGLE RULE", ...), the pattern "*.ext" and the default
// base name (a "%d" in it becomes the value range). Returns 0 with the
// chosen name in `filename` and the confirmation key in is[0], or 113 ('q')
// when the user backed out.
int select_filename(const char *action, const char *kind, const char *pattern,
                    const char *default_name);
// Lists the files of the working directory ending in the pattern's extension,
// sorted by name, a page at a time, in a box from (x, y). Returns the number
// of characters of a name typed at its prompt (the name is in `is`), or 0.
int select_list_files(const char *pattern, int x, int y);
// The name dialog of every load and save: select_filename with its action
// ("LOAD ", "SAVE ", ...). True with the name in `filename` and the
// confirmation key in is[0]; false with 'q' in is[0] when backed out.
bool choose_file(const char *action, const char *kind, const char *pattern,
                 const char *default_name);

// Opens name: mode open_read read-only and without blocking, refused (-1)
// unless it is a regular file (loads); open_write write-only, created, mode
// 0644, appended to when append is open_append (the data files), else
// truncated (no saver truncates: a whole file is saved by write_file).
// Returns the descriptor or -1 (a failed write open is also reported on
// standard error).
int myopen(const char *name, int mode, int append);
constexpr int open_read = 0, open_write = 1;      // mode
constexpr int open_truncate = 0, open_append = 1; // append
// The file error box: "file error <name>, cont-ret:" and one key; when the
// last failed open, read or write of this file gave a reason, it follows
// the name ("file error keep.nat: No space left on device, cont-ret:").
// A reason given here (not empty) takes its place: a loader's own refusal of the file
// ("file error bad.grh: 55 bytes, a layout of 13 nodes is 56, cont-ret:").
void file_error(const char *name, const std::string &reason = std::string());
// A message at the top right answered with one key (the file error box):
// the box hides whole the lines of text its foot would cut, and what it
// covered is put back after.
void message_box(const char *text);
// Test hook: the text of the last file error box (or its line on standard
// error), "cont-ret:" and all.
const std::string &last_file_error();

// Writes or reads exactly size bytes, retrying short transfers; false when
// that could not be done (error or end of file; errno says why).
bool write_fully(int fd, const void *data, size_t size);
bool read_fully(int fd, void *data, size_t size);
// Reads fd to its end, or to limit bytes, into data; false on a read error.
bool read_to_end(int fd, std::vector<uint8_t> &data, size_t limit);
// The whole named file, opened as myopen open_read does; false when it could
// not be opened or read, or when it is larger than largest (the largest
// valid file of its kind), refused before anything is read. Nothing is
// shown: the caller refuses (refuse_file, load_refusal.h).
bool read_file(const char *name, std::vector<uint8_t> &data, size_t largest);
// Saves size bytes as the named file without ever destroying the file it
// replaces: they go to a temporary file beside it (mode 0644), written,
// checked and synced, then renamed over the name. On any failure the
// temporary file is removed and an old file stays as it was; a read-only
// old file is not replaced. False then, with the reason kept for
// file_error. Nothing is shown.
bool write_file(const char *name, const void *data, size_t size);
// Appends size bytes to the named file (opened as myopen open_append does)
// whole or not at all: a failed or short write cuts the file back to its
// length before the append, so no torn line or record is left for the
// next append to land after. False then, with the reason kept for
// file_error. Nothing is shown.
bool append_file(const char *name, const void *data, size_t size);
// Test hook: the call write_fully makes instead of write(2), to fail a
// write as a full disk does; nullptr puts write(2) back.
void set_write_call(ssize_t (*call)(int fd, const void *data, size_t size));
