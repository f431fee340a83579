// ASCII rule tables (ascii_table.h): value lines (model/value_line.h) as
// digits. Start at load_ascii_rule_table.
#include "ui/storage/ascii_table.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/load_refusal.h"

namespace {

uint16_t
refused(const char *name)
{
    file_error(name);
    is[0] = 'q';
    return 0;
}

} // namespace

bool
save_ascii_table_file(const char *name, const uint8_t *table, int last)
{
    std::vector<char> out(static_cast<size_t>(last) + 2);
    out[0] = static_cast<char>('0' + value_range);
    for (int i = 0; i <= last; i++)
        out[static_cast<size_t>(i) + 1] = static_cast<char>('0' + get_value(table, static_cast<uint32_t>(i)));
    int fd = myopen(name, 1, 0);
    bool ok = fd >= 0;
    if (ok) {
        ok = write_fully(fd, out.data(), out.size());
        ok = close(fd) == 0 && ok;
    }
    if (!ok)
        refused(name);
    return ok;
}

uint16_t
load_ascii_table_file(const char *name, uint8_t *table, int last)
{
    int fd = myopen(name, 0, 0);
    if (fd < 0)
        return refused(name);
    struct stat st;
    std::vector<char> in;
    bool ok = fstat(fd, &st) == 0;
    if (ok) {
        in.resize(static_cast<size_t>(st.st_size));
        ok = read_fully(fd, in.data(), in.size());
    }
    close(fd);
    if (!ok)
        return refused(name);
    int file_v = in.empty() ? -'0' : in[0] - '0';
    fprintf(stderr, "\nfilebytes=%d file_v=%d", static_cast<int>(in.size()), file_v);
    if (file_v != value_range) {
        char text[200];
        snprintf(text, sizeof text, " v(found)%d!=v(%d), cant load, cont-ret:", file_v,
                 value_range);
        show_refusal(text, refusal_place::at_point);
        return refused(name);
    }
    if (in.size() < static_cast<size_t>(last) + 2)
        return refused(name);
    for (int i = 0; i <= last; i++) {
        char c = in[static_cast<size_t>(i) + 1];
        if (c < '0' || c >= '0' + value_range)
            return refused(name);
    }
    for (int i = 0; i <= last; i++)
        set_value(table, static_cast<uint32_t>(i), in[static_cast<size_t>(i) + 1] - '0');
    return in.size() > 65535 ? 65535 : static_cast<uint16_t>(in.size());
}

uint16_t
load_ascii_rule_table(int mode, uint8_t *table, int, int last)
{
    int16_t x = getx, y = gety;
    const char *action = mode == 'l' ? "LOAD " : "SAVE ";
    if (select_filename(action, "TABLE (ascii)", "*.tbl", "mytbl_v%d") == 'q') {
        moveto(x, y);
        is[0] = 'q';
        return 0;
    }
    uint16_t length = 0;
    if (mode == 'l')
        length = load_ascii_table_file(filename, table, last);
    else
        save_ascii_table_file(filename, table, last);
    moveto(x, y);
    return length;
}
