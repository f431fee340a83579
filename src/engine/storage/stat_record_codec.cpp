// The rule-sample statistics record and file (stat_record_codec.h). Reads
// the network's v, value_bits and rule kind (engine/model); opens no file.
#include "engine/storage/stat_record_codec.h"

#include <algorithm>
#include <cmath>

#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/storage/network_file_codec.h"

namespace {

constexpr uint64_t kMostStatRecords = uint64_t(1) << 20;

uint8_t
scaled_byte(float fraction)
{
    if (!(fraction > 0)) // NaN too
        return 0;
    return static_cast<uint8_t>(std::min(255.0f, std::trunc(std::min(fraction, 1.0f) * 255)));
}

} // namespace

uint64_t
stat_rule_entries(int k)
{
    if (!tot_only)
        return rule_entries(k);
    return totalistic == rule_kind_tcodes ? tcode_entries(k) : kcode_entries(k);
}

size_t
stat_record_bytes(int k)
{
    return value_line_bytes(stat_rule_entries(k), value_bits) + 2;
}

uint8_t
stat_mean_byte(float mean)
{
    return scaled_byte(mean);
}

uint8_t
stat_sd_byte(float sd)
{
    return scaled_byte(std::min(sd, kStatSdLimit) / kStatSdLimit);
}

void
encode_stat_record(const uint8_t *rule, size_t rule_bytes, float mean, float sd,
                   std::vector<uint8_t> &out)
{
    out.insert(out.end(), rule, rule + rule_bytes);
    out.push_back(stat_mean_byte(mean));
    out.push_back(stat_sd_byte(sd));
}

bool
decode_stat_sample(const uint8_t *data, size_t size, int k, std::vector<uint8_t> &records,
                   size_t *spare)
{
    uint64_t entries = stat_rule_entries(k);
    size_t record = stat_record_bytes(k);
    size_t whole = size / record;
    if (whole == 0 || whole > kMostStatRecords)
        return false;
    for (size_t r = 0; r < whole; r++)
        if (!values_below_v(data + r * record, entries))
            return false;
    records.assign(data, data + whole * record);
    // Bits past a rule's last entry (noise, or rules of more inputs) are
    // no part of it.
    for (size_t r = 0; r < whole; r++)
        clear_padding(records.data() + r * record, entries);
    *spare = size - whole * record;
    return true;
}

uint64_t
largest_stat_sample(int k)
{
    // A whole number of records and less than one more of spare bytes.
    return kMostStatRecords * stat_record_bytes(k) + stat_record_bytes(k) - 1;
}
