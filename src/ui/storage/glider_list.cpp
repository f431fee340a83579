// Glider rule lists (glider_list.h). Reads value_range, nhoodm, tot_only,
// totalistic and v_tablecodemax (model/); writes glider_buf and
// no_glider_rules (driver/) and the name into filename (storage/).
#include "ui/storage/glider_list.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "ui/driver/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"

namespace {

constexpr int kListHeader = 6;
constexpr int kGliderKs = 14;  // no_glider_rules rows hold k = 0..13

// Whether the rules in buf[6..length) hold values below v and the v byte
// is this v.
bool
list_is_sound(const uint8_t *buf, size_t length, size_t record, uint64_t entries)
{
    if (buf[0] != value_range && !(buf[0] == 0 && value_range == 2))
        return false;
    for (size_t at = kListHeader; at + record <= length; at += record)
        for (uint64_t e = 0; e < entries; e++)
            if (get_value(buf + at, static_cast<uint32_t>(e)) >= value_range)
                return false;
    return true;
}

} // namespace

void
load_glider_buf(int count)
{
    int v = value_range, k = nhoodm[0];
    if (k < 0 || k >= kGliderKs)
        return;
    uint64_t entries;
    if (tot_only && totalistic == 2) {
        entries = static_cast<uint64_t>(v_tablecodemax[nhood]) + 1;
        snprintf(filename, kFileNameSize, "g_v%dk%d.r_v", v, k);
    } else {
        entries = rule_entries(k);
        snprintf(filename, kFileNameSize, "g_v%dk%d.r_s", v, k);
    }
    size_t record = value_line_bytes(entries, value_bits);
    size_t wanted = static_cast<size_t>(count > 0 ? count : 0) * record + kListHeader;
    char label[80];
    snprintf(label, sizeof label, "glider_buf, buffreq=%lu", static_cast<unsigned long>(wanted));
    glider_buf = static_cast<uint8_t *>(checked_realloc(glider_buf, wanted, label));
    if (count <= 1)
        return;
    int fd = myopen(filename, 0, 0);
    if (fd < 0)
        return;
    struct stat st;
    bool ok = fstat(fd, &st) == 0;
    size_t size = ok ? static_cast<size_t>(st.st_size) : 0;
    if (ok && size > wanted)
        glider_buf = static_cast<uint8_t *>(checked_realloc(glider_buf, size, "glider_buf"));
    // A list one byte short lacks its v byte.
    size_t shift = ok && size + 1 == wanted ? 1 : 0;
    if (shift)
        glider_buf[0] = 2;
    ok = ok && read_fully(fd, glider_buf + shift, size);
    close(fd);
    size_t length = size + shift;
    uint16_t last = 0;
    if (ok && length >= kListHeader + record && list_is_sound(glider_buf, length, record, entries))
    {
        size_t rules = (length - kListHeader) / record;
        last = static_cast<uint16_t>(rules > 65536 ? 65535 : rules - 1);
    }
    else if (!ok || length >= kListHeader + record)
        file_error(filename);
    no_glider_rules[v][k] = last;
}
