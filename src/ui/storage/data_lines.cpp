// Appending to files (data_lines.h): every call appends through
// append_file (file_dialog.h), which opens its file in append mode, writes
// and closes again, and cuts the file back to where it was when the write
// fails; so the data file grows by whole lines and a records file by whole
// records, and later appends land in line after a failed one. Reads
// filename_data (storage/globals.h) and the current point of the screen.
#include "ui/storage/data_lines.h"

#include <cstring>
#include <set>
#include <string>

#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"

namespace {

// The files whose failure the user was shown; further appends to one fail
// quietly until an append to it gets through.
std::set<std::string> failed_files;

enum class error_box { once_per_file, every_failure };

// Appends size bytes whole to name, or nothing; 0 or -1 after the file
// error box as box says.
int
append_whole(const char *name, const void *data, size_t size, error_box box)
{
    if (!name || !name[0])
        return -1;
    int16_t x = getx, y = gety;
    if (append_file(name, data, size)) {
        failed_files.erase(name);
        return 0;
    }
    if (box == error_box::every_failure || failed_files.insert(name).second)
        file_error(name);
    moveto(x, y);
    return -1;
}

} // namespace

int
save_data(const char *text)
{
    return append_whole(filename_data, text, strlen(text), error_box::once_per_file);
}

int
save_record(const char *name, const void *buffer, size_t length)
{
    return append_whole(name, buffer, length, error_box::once_per_file);
}

int
save_binary_data(const char *name, const void *buffer, size_t length)
{
    return append_whole(name, buffer, length, error_box::every_failure);
}
