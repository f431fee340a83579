// The texts of files refused for what they hold (content_faults.h). The
// first value of v or more is found by first_value_of_v, the scan the
// decoders' own check uses (network_file_codec.h), so a text is given
// exactly where a decoder refuses for a value. Start at value_fault.
#include "engine/storage/content_faults.h"

#include "engine/model/formatted_text.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/storage/length_faults.h"
#include "engine/storage/network_file_codec.h"
#include "engine/storage/side_file_codecs.h"
#include "engine/storage/stat_record_codec.h"

namespace {

// The fault of the first of the whole records of a list (from first, of
// record bytes with entries values each) that holds a value of v or more:
// "rule <r> entry <e> is ...".
std::string
rule_list_fault(const uint8_t *data, size_t size, size_t first, size_t record,
                uint64_t entries)
{
    for (size_t at = first, r = 0; record > 0 && at + record <= size; at += record, r++) {
        std::string fault = value_fault(formatted("rule %zu ", r), "entry", data + at, entries);
        if (!fault.empty())
            return fault;
    }
    return "";
}

} // namespace

std::string
value_fault(const std::string &place, const char *noun, const uint8_t *line, uint64_t count)
{
    uint64_t e = first_value_of_v(line, count);
    if (e == count)
        return "";
    return place + formatted("%s %llu is %d, values run 0-%d", noun,
                             static_cast<unsigned long long>(e),
                             get_value(line, static_cast<uint32_t>(e)), value_range - 1);
}

std::string
k_fault(int k, int most)
{
    if (k < 1)
        return formatted("k=%d below the least 1", k);
    if (k > most)
        return formatted("k=%d past the most %d", k, most);
    return "";
}

std::string
cells_fault(uint64_t said, uint64_t held)
{
    return formatted("header says %llu cells, file holds %llu",
                     static_cast<unsigned long long>(said), static_cast<unsigned long long>(held));
}

std::string
stat_sample_fault(const uint8_t *data, size_t size, int k)
{
    std::string fault = stat_sample_length_fault(size, k);
    if (!fault.empty())
        return fault;
    return rule_list_fault(data, size, 0, stat_record_bytes(k), stat_rule_entries(k));
}

std::string
glider_list_fault(const uint8_t *data, size_t size, size_t record, uint64_t entries)
{
    if (size > 0 && data[0] != value_range && !(data[0] == 0 && value_range == 2))
        return formatted("file v=%d, network v=%d", data[0], value_range);
    return rule_list_fault(data, size, kGliderListHeader, record, entries);
}
