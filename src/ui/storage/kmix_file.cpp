// K-mix files (kmix_file.h): nhoodm (model/) written and read whole. Start
// at load_save_nhoodmix.
#include "ui/storage/kmix_file.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "engine/model/globals.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/load_refusal.h"

namespace {

uint16_t
failed(const char *name)
{
    file_error(name);
    is[0] = 'q';
    return 0;
}

} // namespace

bool
save_nhoodmix_file(const char *name)
{
    int fd = myopen(name, 1, 0);
    if (fd < 0) {
        failed(name);
        return false;
    }
    bool written = write_fully(fd, nhoodm, lineL);
    if (close(fd) != 0 || !written) {
        failed(name);
        return false;
    }
    return true;
}

uint16_t
load_nhoodmix_file(const char *name, int mode)
{
    int fd = myopen(name, 0, 0);
    if (fd < 0)
        return failed(name);
    struct stat st;
    if (fstat(fd, &st) != 0) {
        close(fd);
        return failed(name);
    }
    size_t size = static_cast<size_t>(st.st_size);
    uint16_t length = size > 65535 ? 65535 : static_cast<uint16_t>(size);
    if (mode == 'L') {
        close(fd);
        return length;
    }
    std::vector<uint8_t> data(size);
    bool ok = read_fully(fd, data.data(), size);
    close(fd);
    if (!ok)
        return failed(name);
    for (uint8_t k : data)
        if (static_cast<int8_t>(k) < 1 || static_cast<int8_t>(k) > Maxnhood) {
            char text[200];
            snprintf(text, sizeof text, "k-mix file has k=%d, not 1-%d, cant load, cont-ret:",
                     static_cast<int8_t>(k), Maxnhood);
            show_refusal(text, refusal_place::box_erased);
            is[0] = 'q';
            return 0;
        }
    size_t cells = size < lineL ? size : lineL;
    for (size_t c = 0; c < cells; c++)
        nhoodm[c] = static_cast<int8_t>(data[c]);
    return length;
}

uint16_t
load_save_nhoodmix(int mode)
{
    int16_t x = getx, y = gety;
    const char *action = mode == 's' ? "SAVE " : "LOAD ";
    if (select_filename(action, "K-MIX", "*.mix", "my_mix") == 'q') {
        moveto(x, y);
        is[0] = 'q';
        return 0;
    }
    uint16_t length = 0;
    if (mode == 's')
        save_nhoodmix_file(filename);
    else
        length = load_nhoodmix_file(filename, mode);
    moveto(x, y);
    return length;
}
