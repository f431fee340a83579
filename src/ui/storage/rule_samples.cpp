// The complex-rule samples (rule_samples.h). Reads value_range, nhood,
// lineL and tot_only and writes carule or v_code (engine/model); the count
// comes from no_glider_rules (storage/globals.h), the check from
// decode_rule_sample. Start at load_samples.
#include "ui/storage/rule_samples.h"

#include <cstdio>
#include <vector>

#include "engine/model/globals.h"
#include "engine/storage/content_faults.h"
#include "engine/storage/side_file_codecs.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"

namespace {

constexpr int kGliderKs = 14;  // no_glider_rules rows hold k = 0..13

} // namespace

void
load_samples()
{
    int v = value_range, k = nhood;
    int count = no_glider_rules && k >= 0 && k < kGliderKs ? no_glider_rules[v][k] : 0;
    bool kcodes = tot_only;
    size_t largest = static_cast<size_t>(rule_sample_file_bytes(k, kcodes));
    fprintf(stderr, "\n loading %d rules :\n", count);
    for (int i = 0; i < count && i < lineL; i++) {
        char name[64];
        snprintf(name, sizeof name, kcodes ? "v%dk%d_c%d.vco" : "v%dk%d_c%d.rul", v, k, i);
        fprintf(stderr, " %s\n", name);
        std::vector<uint8_t> data;
        uint8_t *row = kcodes ? v_code[i] : carule[i];
        if (!read_file(name, data, largest))
            file_error(name);
        else if (!decode_rule_sample(data.data(), data.size(), k, kcodes, row))
            file_error(name, rule_sample_fault(data.data(), data.size(), k, kcodes));
    }
}
