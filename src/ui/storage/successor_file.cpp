// Successor-table files (successor_file.h): exh_pairs (engine/forward)
// written and read whole through the name dialog; the table's size and the
// check of its records are engine/storage/side_file_codecs.h. After a load
// the backward folder's inverse index is rebuilt (build_successor_index).
// Start at load_save_exhaustive.
#include "ui/storage/successor_file.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/backward/successor_table.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/storage/content_faults.h"
#include "engine/storage/side_file_codecs.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/load_refusal.h"

namespace {

bool
refused(const char *text)
{
    show_refusal(text, refusal_place::box_kept);
    is[0] = 'q';
    return false;
}

} // namespace

bool
save_exhaustive_file(const char *name)
{
    uint64_t size = successor_file_bytes();
    if (!exh_pairs || size == 0)
        return refused("no successor table to save, cont-ret:");
    return write_or_refuse(name, exh_pairs, static_cast<size_t>(size));
}

namespace {

// Reads the successor-table file name into out (v^n records of this
// network), checked whole; false after the refusal was shown. With
// into_table the load is refused when there is no exh_pairs to take it.
bool
read_successor_file(const char *name, std::vector<uint8_t> &out, bool into_table)
{
    uint64_t size = successor_file_bytes();
    // The length is checked before the read: a table of another network
    // can be large.
    int fd = myopen(name, open_read, open_truncate);
    if (fd < 0)
        return file_refused(name);
    struct stat st;
    if (fstat(fd, &st) != 0) {
        close(fd);
        return file_refused(name);
    }
    uint64_t length = static_cast<uint64_t>(st.st_size);
    if (length != size || size == 0) {
        close(fd);
        char inner[100], text[160];
        snprintf(inner, sizeof inner, "file n=%d != network n=%d", successor_file_n(length),
                 lineL);
        snprintf(text, sizeof text, "%s (wrong file) cont-ret:", inner);
        return refused(text);
    }
    if (into_table && !exh_pairs) {
        close(fd);
        return refused("no successor table to load into, cont-ret:");
    }
    std::vector<uint8_t> in(static_cast<size_t>(size));
    bool ok = read_fully(fd, in.data(), in.size());
    close(fd);
    out.assign(in.size(), 0);
    if (!ok) {
        out.clear();
        return file_refused(name);
    }
    if (!decode_successor_table(in.data(), in.size(), out.data())) {
        out.clear();
        return file_refused(name, successor_table_fault(in.data(), in.size()));
    }
    return true;
}

} // namespace

bool
load_exhaustive_file(const char *name)
{
    std::vector<uint8_t> table;
    if (!read_successor_file(name, table, true))
        return false;
    memcpy(exh_pairs, table.data(), table.size());
    build_successor_index();
    return true;
}

bool
load_exhaustive_into(std::vector<uint8_t> &table)
{
    table.clear();
    int16_t x = getx, y = gety;
    bool ok = choose_file("LOAD ", "EXHAUSTIVE", "*.exh", "my_exh_v%d") &&
              read_successor_file(filename, table, false);
    moveto(x, y);
    if (!ok) {
        table.clear();
        is[0] = 'q';
    }
    return ok;
}

void
load_save_exhaustive(int mode)
{
    int16_t x = getx, y = gety;
    const char *action = mode == 'l' ? "LOAD " : "SAVE ";
    if (choose_file(action, "EXHAUSTIVE", "*.exh", "my_exh_v%d")) {
        if (mode == 'l')
            load_exhaustive_file(filename);
        else
            save_exhaustive_file(filename);
    }
    moveto(x, y);
}
