// Fuzz target of the rule-sample statistics file check, decode_stat_sample
// (the browser's reading of a *.sta file passes through it before anything
// changes). Input: the value range byte, k, the rule kind, then the file. A
// refused file leaves the caller's records and spare count as they were; an
// accepted one gives whole records only, the file's front with the bits
// past each rule's last entry clear, every rule entry below v, and fewer
// spare bytes than a record.
#include <cstring>

#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/storage/side_file_codecs.h"
#include "engine/storage/stat_record_codec.h"
#include "fuzz_support.h"

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz_input in{data, size};
    int v = 2 + in.take() % 7;
    uint8_t kind = in.take() % 3;
    bool codes = kind != 0;
    use_value_range(v, codes);
    tot_only = codes;
    totalistic = static_cast<int8_t>(kind);
    int most = codes ? 9 : (Maxnhood < 6 ? Maxnhood : 6);
    int k = 1 + in.take() % most;
    if (in.size > largest_stat_sample(k))
        return 0;
    const bytes before = {1, 2, 3};
    bytes records = before;
    size_t spare = 12345;
    size_t record = stat_record_bytes(k);
    if (!decode_stat_sample(in.data, in.size, k, records, &spare)) {
        FUZZ_CHECK(records == before);
        FUZZ_CHECK(spare == 12345);
        return 0;
    }
    FUZZ_CHECK(!records.empty() && records.size() % record == 0);
    FUZZ_CHECK(spare < record && records.size() + spare == in.size);
    uint64_t entries = stat_rule_entries(k);
    for (size_t r = 0; r < records.size(); r += record) {
        const uint8_t *rule = records.data() + r;
        for (uint64_t e = 0; e < entries; e++) {
            FUZZ_CHECK(get_value(rule, static_cast<uint32_t>(e)) < v);
            FUZZ_CHECK(get_value(rule, static_cast<uint32_t>(e)) ==
                       get_value(in.data + r, static_cast<uint32_t>(e)));
        }
        FUZZ_CHECK(padding_clear(rule, entries));
        FUZZ_CHECK(memcmp(rule + record - 2, in.data + r + record - 2, 2) == 0);
    }
    return 0;
}

void
make_fuzz_seeds(std::vector<bytes> &seeds)
{
    // Files as the entropy sampling appends them: whole records of random-
    // looking rules, and one with spare bytes of another k.
    for (int v : {2, 3})
        for (int k : {3, 5}) {
            use_value_range(v, false);
            tot_only = 0;
            totalistic = rule_kind_tables;
            size_t rule_bytes = stat_record_bytes(k) - 2;
            bytes seed = {static_cast<uint8_t>(v - 2), 0, static_cast<uint8_t>(k - 1)};
            for (int r = 0; r < 4; r++) {
                bytes rule(rule_bytes, 0);
                for (uint64_t e = 0; e < stat_rule_entries(k); e++)
                    set_value(rule.data(), static_cast<uint32_t>(e), (r + e) % v);
                encode_stat_record(rule.data(), rule.size(), 0.1f * r, 0.05f * r, seed);
            }
            seeds.push_back(seed);
            seed.push_back(0x55);
            seeds.push_back(seed);
        }
    // Rules with bits set past their last entry (v 2, k 2: four entries in
    // a byte).
    seeds.push_back(bytes{0, 0, 1, 0xF5, 0x10, 0x20, 0x96, 0x30, 0x40});
}
