// Fuzz target of the last-rule loader, load_last_rule. Input: the value
// range byte, k, the rule kind (totalistic, tot_only), then the file
// (written under the name the loader reads). A refused load leaves the
// rule as it was; an accepted one holds the file's rule bytes, every entry
// below v, and a code turned into carule[0] holds values below v.
#include <string>

#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_count_trie.h"
#include "engine/model/value_line.h"
#include "engine/storage/network_file_codec.h"
#include "fuzz_support.h"
#include "ui/screen/globals.h"
#include "ui/storage/globals.h"
#include "ui/storage/last_rule.h"

namespace {

uint64_t
entries_of(int k)
{
    return totalistic == rule_kind_tcodes ? tcode_entries(k)
         : totalistic == rule_kind_kcodes ? kcode_entries(k)
                                          : rule_entries(k);
}

// The name the loader reads for v, k and the rule kind.
std::string
file_name(int v, int k)
{
    const char *ext = totalistic == rule_kind_tcodes ? ".tco"
                    : totalistic == rule_kind_kcodes ? ".vco"
                                                     : ".rul";
    return "l_v" + std::to_string(v) + "k" + std::to_string(k) + ext;
}

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_dir();
    fuzz_input in{data, size};
    int v = 2 + in.take() % 7;
    uint8_t kind = in.take();
    totalistic = static_cast<int8_t>(kind % 3);
    tot_only = totalistic != rule_kind_tables && (kind & 0x80);
    use_value_range(v, tot_only);
    int most = Maxnhood < 4 ? Maxnhood : 4;
    int k = 1 + in.take() % most;
    nhood = static_cast<int8_t>(k);
    // What the conversion of a code into carule[0] reads: the k-matrix
    // (its first k rows are those of Maxnhood) and, for kcodes, the
    // value-count trie.
    bool trie = !tot_only && totalistic == rule_kind_kcodes,
         matrix = !tot_only && totalistic != rule_kind_tables;
    if (trie)
        set_up_v_code();
    if (matrix)
        allocate_mem_nhood_matrix(k);
    if (!tot_only)
        allocate_mem_rule0(k);
    put_file(file_name(v, k).c_str(), in.data, in.size);
    size_t record = static_cast<size_t>(single_rule_record_bytes(k));
    bytes rule(record, 0);
    is[0] = 0;
    int got = load_last_rule(rule.data(), k);
    if (got == 0) {
        FUZZ_CHECK(is[0] == 'q');
        FUZZ_CHECK(rule == bytes(record, 0));
    } else {
        FUZZ_CHECK(got == k);
        FUZZ_CHECK(in.size >= record + 2 && rule == bytes(in.data + 2, in.data + 2 + record));
        for (uint64_t e = 0; e < entries_of(k); e++)
            FUZZ_CHECK(get_value(rule.data(), static_cast<uint32_t>(e)) < v);
        for (uint64_t e = 0; !tot_only && e < rule_entries(k); e++)
            FUZZ_CHECK(get_value(carule[0], static_cast<uint32_t>(e)) < v);
    }
    if (!tot_only)
        free_mem_rule0();
    if (trie)
        free_v_code_arrays();
    if (matrix)
        free_mem_nhood_matrix(k);
    return 0;
}

void
make_fuzz_seeds(std::vector<bytes> &seeds)
{
    enter_fuzz_dir();
    for (int v : {2, 3, 6})
        for (int kind : {0, 1, 2, 0x81, 0x82})
            for (int k : {1, 3}) {
                totalistic = static_cast<int8_t>(kind % 3);
                tot_only = kind & 0x80 ? 1 : 0;
                use_value_range(v, tot_only);
                bytes rule(static_cast<size_t>(single_rule_record_bytes(k)), 0);
                for (uint64_t e = 0; e < entries_of(k); e++)
                    set_value(rule.data(), static_cast<uint32_t>(e), static_cast<int>(e % v));
                save_last_rule(rule.data(), k);
                bytes seed = {static_cast<uint8_t>(v - 2), static_cast<uint8_t>(kind),
                              static_cast<uint8_t>(k - 1)};
                bytes file = get_file(file_name(v, k).c_str());
                seed.insert(seed.end(), file.begin(), file.end());
                seeds.push_back(seed);
            }
}
