// Glider rule lists (glider_list.h). Reads value_range, nhoodm, tot_only,
// totalistic and v_tablecodemax (engine/model); writes glider_buf and
// no_glider_rules and the name into filename (storage/globals.h). The list's
// layout and its check are decode_glider_list (engine/storage/
// side_file_codecs.h).
#include "ui/storage/glider_list.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/storage/content_faults.h"
#include "engine/storage/side_file_codecs.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"

namespace {

constexpr int kGliderKs = 14;  // no_glider_rules rows hold k = 0..13

} // namespace

void
load_glider_buf(int count)
{
    int v = value_range, k = nhoodm[0];
    if (k < 0 || k >= kGliderKs)
        return;
    uint64_t entries;
    bool kcodes = tot_only && totalistic == rule_kind_kcodes;
    glider_read = {v, k, kcodes, 0};
    if (kcodes) {
        entries = static_cast<uint64_t>(v_tablecodemax[nhood]) + 1;
        snprintf(filename, kFileNameSize, "g_v%dk%d.r_v", v, k);
    } else {
        entries = rule_entries(k);
        snprintf(filename, kFileNameSize, "g_v%dk%d.r_s", v, k);
    }
    size_t record = value_line_bytes(entries, value_bits);
    size_t wanted = static_cast<size_t>(count > 0 ? count : 0) * record + kGliderListHeader;
    char label[80];
    snprintf(label, sizeof label, "glider_buf, buffreq=%lu", static_cast<unsigned long>(wanted));
    glider_buf = static_cast<uint8_t *>(checked_realloc(glider_buf, wanted, label));
    if (count <= 1)
        return;
    // A missing list is silent: the preset count stands.
    struct stat st;
    if (stat(filename, &st) != 0 && errno == ENOENT)
        return;
    std::vector<uint8_t> data;
    bool ok = read_file(filename, data, static_cast<size_t>(largest_glider_list(record)));
    size_t size = data.size();
    if (ok && size > wanted)
        glider_buf = static_cast<uint8_t *>(checked_realloc(glider_buf, size, "glider_buf"));
    // A list one byte short lacks its v byte.
    size_t shift = ok && size + 1 == wanted ? 1 : 0;
    if (shift)
        glider_buf[0] = 2;
    if (ok && size > 0)
        memcpy(glider_buf + shift, data.data(), size);
    uint16_t last = 0;
    glider_list_check check =
        ok ? decode_glider_list(glider_buf, size + shift, record, entries, &last)
           : glider_list_check::damaged;
    if (check == glider_list_check::damaged)
        file_error(filename, ok ? glider_list_fault(glider_buf, size + shift, record, entries)
                                : std::string());
    no_glider_rules[v][k] = check == glider_list_check::sound ? last : 0;
    if (check == glider_list_check::sound)
        glider_read.last = last;
}
