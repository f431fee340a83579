// Fuzz target of the glider-list loader, load_glider_buf. Input: the value
// range byte, k, the rule count asked for, then the list file (written as
// g_v<v>k<k>.r_s). A damaged or short list gives no rules; a sound one a
// last rule index within the file, its rules' entries below v.
#include <cstdio>
#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/storage/side_file_codecs.h"
#include "fuzz_support.h"
#include "ui/storage/glider_list.h"
#include "ui/storage/globals.h"

namespace {

void
make_counts()
{
    no_glider_rules = static_cast<uint16_t **>(checked_calloc(9, sizeof(uint16_t *), "nglider"));
    for (int v = 2; v <= 8; v++)
        no_glider_rules[v] = static_cast<uint16_t *>(checked_calloc(14, sizeof(uint16_t), "ng"));
}

void
free_counts()
{
    for (int v = 2; v <= 8; v++)
        checked_free(no_glider_rules[v]);
    checked_free(no_glider_rules);
    no_glider_rules = nullptr;
}

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_dir();
    fuzz_input in{data, size};
    int v = 2 + in.take() % 7;
    use_value_range(v, false);
    int most = Maxnhood < 5 ? Maxnhood : 5;
    int k = 1 + in.take() % most;
    int count = in.take();
    tot_only = 0;
    totalistic = rule_kind_tables;
    lineL = 4;
    nhood = static_cast<int8_t>(k);
    nhoodm = static_cast<int8_t *>(checked_calloc(lineL, 1, "nhoodm"));
    memset(nhoodm, k, lineL);
    make_counts();
    no_glider_rules[v][k] = 7;
    char name[40];
    snprintf(name, sizeof name, "g_v%dk%d.r_s", v, k);
    put_file(name, in.data, in.size);
    load_glider_buf(count);
    uint64_t entries = rule_entries(k);
    size_t record = value_line_bytes(entries, value_bits);
    uint16_t last = no_glider_rules[v][k];
    if (count <= 1) {
        FUZZ_CHECK(last == 7);
    } else if (last > 0) {
        // The list may have come without its v byte, one byte short.
        size_t shift = in.size + 1 == static_cast<size_t>(count) * record + kGliderListHeader;
        FUZZ_CHECK(kGliderListHeader + (last + 1u) * record <= in.size + shift);
        for (uint32_t r = 0; r <= last; r++)
            for (uint64_t e = 0; e < entries; e++)
                FUZZ_CHECK(get_value(glider_buf + kGliderListHeader + r * record,
                                     static_cast<uint32_t>(e)) < v);
    }
    free_counts();
    checked_free(nhoodm);
    nhoodm = nullptr;
    return 0;
}

void
make_fuzz_seeds(std::vector<bytes> &seeds)
{
    enter_fuzz_dir();
    // Lists as the glider search saves them: a rule-scheme header, then the
    // rules (here rule r has every entry r mod v).
    for (int v : {2, 3})
        for (int k : {1, 3}) {
            use_value_range(v, false);
            size_t record = value_line_bytes(rule_entries(k), value_bits);
            for (int rules : {1, 5}) {
                bytes seed = {static_cast<uint8_t>(v - 2), static_cast<uint8_t>(k - 1), 10,
                              static_cast<uint8_t>(v), static_cast<uint8_t>(k), 10, 0, 0, 0};
                for (int r = 0; r < rules; r++) {
                    bytes rule(record, 0);
                    for (uint64_t e = 0; e < rule_entries(k); e++)
                        set_value(rule.data(), static_cast<uint32_t>(e), r % v);
                    seed.insert(seed.end(), rule.begin(), rule.end());
                }
                seeds.push_back(seed);
            }
        }
}
