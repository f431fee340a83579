// Successor-table files (successor_file.h): exh_pairs (forward/globals.h) written
// and read whole; after a load the backward folder's inverse index is
// rebuilt (build_successor_index). Start at load_save_exhaustive.
#include "ui/storage/successor_file.h"

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/backward/successor_table.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/load_refusal.h"

namespace {

// The largest v^n states numbered in 32 bits.
uint64_t
states_of(int n)
{
    if (n < 1 || n > 32)
        return 0;
    uint64_t states = int_power(value_range, n);
    return states >= (uint64_t(1) << 32) ? 0 : states;
}

uint64_t
table_bytes(int n)
{
    return states_of(n) * value_line_bytes(static_cast<uint64_t>(n), value_bits);
}

// The network size a table of this many bytes stands for: the n whose
// table is that long, else the largest n whose table is shorter.
int
n_of_length(uint64_t length)
{
    int best = 0;
    for (int n = 1; n <= 32 && table_bytes(n) != 0; n++)
        if (table_bytes(n) <= length)
            best = n;
    return best;
}

bool
failed(const char *name)
{
    file_error(name);
    is[0] = 'q';
    return false;
}

bool
refused(const char *text)
{
    show_refusal(text, refusal_place::box_kept);
    is[0] = 'q';
    return false;
}

} // namespace

uint64_t
successor_file_bytes()
{
    return table_bytes(lineL);
}

bool
save_exhaustive_file(const char *name)
{
    uint64_t size = successor_file_bytes();
    if (!exh_pairs || size == 0)
        return refused("no successor table to save, cont-ret:");
    int fd = myopen(name, 1, 0);
    if (fd < 0)
        return failed(name);
    bool ok = write_fully(fd, exh_pairs, static_cast<size_t>(size));
    if (close(fd) != 0 || !ok)
        return failed(name);
    return true;
}

bool
load_exhaustive_file(const char *name)
{
    uint64_t size = successor_file_bytes();
    int fd = myopen(name, 0, 0);
    if (fd < 0)
        return failed(name);
    struct stat st;
    if (fstat(fd, &st) != 0) {
        close(fd);
        return failed(name);
    }
    uint64_t length = static_cast<uint64_t>(st.st_size);
    if (length != size || size == 0) {
        close(fd);
        char inner[100], text[160];
        snprintf(inner, sizeof inner, "file n=%d != network n=%d", n_of_length(length), lineL);
        snprintf(text, sizeof text, "%s (wrong file) cont-ret:", inner);
        return refused(text);
    }
    if (!exh_pairs) {
        close(fd);
        return refused("no successor table to load into, cont-ret:");
    }
    std::vector<uint8_t> in(static_cast<size_t>(size));
    bool ok = read_fully(fd, in.data(), in.size());
    close(fd);
    if (!ok)
        return failed(name);
    // With v = 2, 4 or 8 every pattern of value_bits bits is a value.
    bool check = value_range != 2 && value_range != 4 && value_range != 8;
    uint64_t states = check ? states_of(lineL) : 0;
    for (uint64_t s = 0; s < states; s++)
        for (uint32_t c = 0; c < lineL; c++)
            if (get_value(in.data() + s * bytesL, c) >= value_range)
                return failed(name);
    std::copy(in.begin(), in.end(), exh_pairs);
    build_successor_index();
    return true;
}

void
load_save_exhaustive(int mode)
{
    int16_t x = getx, y = gety;
    const char *action = mode == 'l' ? "LOAD " : "SAVE ";
    if (select_filename(action, "EXHAUSTIVE", "*.exh", "my_exh_v%d") == 'q') {
        moveto(x, y);
        is[0] = 'q';
        return;
    }
    if (mode == 'l')
        load_exhaustive_file(filename);
    else
        save_exhaustive_file(filename);
    moveto(x, y);
}
