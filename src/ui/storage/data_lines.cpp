// Appending to files (data_lines.h): every call opens its file in append
// mode as myopen does, writes, and closes again, so the data file grows line
// by line and nothing is ever truncated here. Reads filename_data
// (storage/globals.h) and the current point of the screen.
#include "ui/storage/data_lines.h"

#include <cstring>
#include <string>
#include <unistd.h>

#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"

namespace {

// The data file whose failure the user was last shown; further lines to the
// same file fail quietly until a line gets through or the file changes.
std::string failed_data_file;

// Appends size bytes to name; false when the open or the write failed.
bool
append_to(const char *name, const void *data, size_t size)
{
    int fd = myopen(name, open_write, open_append);
    if (fd < 0)
        return false;
    bool written = write_fully(fd, data, size);
    bool closed = close(fd) == 0;
    return written && closed;
}

} // namespace

int
save_data(const char *text)
{
    if (!filename_data || !filename_data[0])
        return -1;
    int16_t x = getx, y = gety;
    if (append_to(filename_data, text, strlen(text))) {
        failed_data_file.clear();
        return 0;
    }
    if (failed_data_file != filename_data) {
        failed_data_file = filename_data;
        file_error(filename_data);
    }
    moveto(x, y);
    return -1;
}

int
save_binary_data(const char *name, const void *buffer, size_t length)
{
    if (!name || !name[0])
        return -1;
    int16_t x = getx, y = gety;
    int status = 0;
    if (!append_to(name, buffer, length)) {
        file_error(name);
        status = -1;
    }
    moveto(x, y);
    return status;
}
