// Last-rule files (last_rule.h). Reads the rule kind and value range
// (model/), converts codes through model/rule_conversions.h and names the
// file in filename (storage/). Start at save_last_rule.
#include "ui/storage/last_rule.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_conversions.h"
#include "engine/model/value_line.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/load_refusal.h"
#include "ui/storage/network_files.h"

namespace {

// The last name whose save failed; reported again only after a save
// succeeded or for another name.
std::string failed_save;

void
name_file(int k)
{
    const char *ext = totalistic == 1 ? ".tco" : totalistic == 2 ? ".vco" : ".rul";
    snprintf(filename, kFileNameSize, "%s%d%s%d%s", "l_v", value_range, "k", k, ext);
}

uint64_t
rule_entry_count(int k)
{
    if (totalistic == 1)
        return tcode_entries(k);
    if (totalistic == 2)
        return kcode_entries(k);
    return rule_entries(k);
}

int
refused(const char *name)
{
    file_error(name);
    is[0] = 'q';
    return 0;
}

} // namespace

void
save_last_rule(const uint8_t *rule, int k)
{
    int16_t x = getx, y = gety;
    name_file(k);
    size_t record = static_cast<size_t>(single_rule_record_bytes(k));
    std::vector<uint8_t> out(record + 2);
    out[0] = static_cast<uint8_t>(value_range);
    out[1] = static_cast<uint8_t>(k);
    memcpy(out.data() + 2, rule, record);
    int fd = myopen(filename, 1, 0);
    bool ok = fd >= 0;
    if (ok) {
        ok = write_fully(fd, out.data(), out.size());
        ok = close(fd) == 0 && ok;
    }
    if (ok) {
        failed_save.clear();
    } else if (failed_save != filename) {
        failed_save = filename;
        file_error(filename);
    }
    moveto(x, y);
}

int
load_last_rule(uint8_t *rule, int k)
{
    int16_t x = getx, y = gety;
    name_file(k);
    size_t record = static_cast<size_t>(single_rule_record_bytes(k));
    int fd = myopen(filename, 0, 0);
    if (fd < 0)
        return refused(filename);
    std::vector<uint8_t> in(record + 2);
    bool ok = read_fully(fd, in.data(), in.size());
    close(fd);
    if (!ok)
        return refused(filename);
    if (in[0] != value_range || in[1] != k) {
        char text[200];
        snprintf(text, sizeof text,
                 " v(found)%d!=v(%d) or k(found)%d!=k(%d), cant load, cont-ret:", in[0],
                 value_range, in[1], k);
        show_refusal(text, refusal_place::at_point);
        return refused(filename);
    }
    int v = value_range;
    for (uint64_t e = 0; e < rule_entry_count(k); e++)
        if (get_value(in.data() + 2, static_cast<uint32_t>(e)) >= v)
            return refused(filename);
    memcpy(rule, in.data() + 2, record);
    if (!tot_only && totalistic == 1)
        code2rule(carule[0], rule, k);
    else if (!tot_only && totalistic == 2)
        v_code2rule(carule[0], rule, k, 1);
    moveto(x, y);
    return k;
}
