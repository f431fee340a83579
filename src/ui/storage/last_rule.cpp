// Last-rule files (last_rule.h). Names the file in filename (storage/) by
// the rule kind and value range (engine/model); the layout and its check
// are encode_last_rule and decode_last_rule (engine/storage/
// side_file_codecs.h); a loaded code is turned into carule[0] through
// model/rule_conversions.h; save_single_rule writes the files of the
// network's one rule from carule, cacode and v_code. Start at
// save_last_rule.
#include "ui/storage/last_rule.h"

#include <cstdio>
#include <string>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/rule_conversions.h"
#include "engine/storage/content_faults.h"
#include "engine/storage/length_faults.h"
#include "engine/storage/network_file_codec.h"
#include "engine/storage/side_file_codecs.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/load_refusal.h"

namespace {

// The last name whose save failed; reported again only after a save
// succeeded or for another name.
std::string failed_save;

void
name_file(int k)
{
    const char *ext = totalistic == rule_kind_tcodes   ? ".tco"
                      : totalistic == rule_kind_kcodes ? ".vco"
                                                       : ".rul";
    snprintf(filename, kFileNameSize, "%s%d%s%d%s", "l_v", value_range, "k", k, ext);
}

int
refused(const char *name, const std::string &reason = std::string())
{
    refuse_file(name, reason);
    return 0;
}

} // namespace

void
save_last_rule(const uint8_t *rule, int k)
{
    int16_t x = getx, y = gety;
    name_file(k);
    std::vector<uint8_t> out;
    encode_last_rule(rule, k, out);
    if (write_file(filename, out.data(), out.size())) {
        failed_save.clear();
    } else if (failed_save != filename) {
        failed_save = filename;
        file_error(filename);
    }
    moveto(x, y);
}

void
save_single_rule(int k)
{
    int8_t kind = totalistic;
    if (!tot_only) {
        totalistic = rule_kind_tables;
        save_last_rule(carule[0], k);
        totalistic = kind;
    }
    if (kind == rule_kind_tcodes)
        save_last_rule(cacode[0], k);
    else if (kind == rule_kind_kcodes)
        save_last_rule(v_code[0], k);
}

int
load_last_rule(uint8_t *rule, int k)
{
    int16_t x = getx, y = gety;
    name_file(k);
    std::vector<uint8_t> in;
    if (!read_file(filename, in, static_cast<size_t>(largest_last_rule_file())))
        return refused(filename);
    switch (decode_last_rule(in.data(), in.size(), k, rule)) {
    case last_rule_check::sound:
        break;
    case last_rule_check::other_v_k: {
        char text[200];
        snprintf(text, sizeof text,
                 " v(found)%d!=v(%d) or k(found)%d!=k(%d), cant load, cont-ret:", in[0],
                 value_range, in[1], k);
        show_refusal(text, refusal_place::at_point);
        return refused(filename);
    }
    case last_rule_check::too_short:
        return refused(filename, last_rule_length_fault(in.size(), k));
    case last_rule_check::bad_value:
        return refused(filename, value_fault("", "entry", in.data() + 2, single_rule_entries(k)));
    }
    if (!tot_only && totalistic == rule_kind_tcodes)
        code2rule(carule[0], rule, k);
    else if (!tot_only && totalistic == rule_kind_kcodes)
        v_code2rule(carule[0], rule, k, 1);
    moveto(x, y);
    return k;
}
