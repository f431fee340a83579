// The texts of files refused for what they hold (content_faults.h). The
// first value of v or more is found by first_value_of_v, the scan the
// decoders' own check uses (network_file_codec.h), so a text is given
// exactly where a decoder refuses for a value. Start at value_fault.
#include "engine/storage/content_faults.h"

#include <vector>

#include "engine/model/formatted_text.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
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

std::string
rule_sample_fault(const uint8_t *data, size_t size, int k, bool kcodes)
{
    std::string fault = rule_sample_length_fault(size, k, kcodes);
    if (!fault.empty())
        return fault;
    if (data[0] != value_range || data[1] != k)
        return formatted("file v%dk%d, network v%dk%d", data[0], data[1], value_range, k);
    uint64_t entries = kcodes ? kcode_entries(k) : rule_entries(k);
    fault = value_fault("", "entry", data + 2, entries);
    if (!fault.empty() || padding_clear(data + 2, entries))
        return fault;
    return formatted("bits set past entry %llu", static_cast<unsigned long long>(entries - 1));
}

std::string
ascii_table_digit_fault(const uint8_t *data, int last)
{
    int e = ascii_table_bad_entry(data, last);
    if (e < 0)
        return "";
    uint8_t c = data[e + 1];
    std::string shown = c >= 0x20 && c < 0x7F ? formatted("'%c'", c) : formatted("byte %u", c);
    return formatted("entry %d is %s, digits run 0-%d", e, shown.c_str(), value_range - 1);
}

std::string
successor_table_fault(const uint8_t *data, size_t size)
{
    for (size_t at = 0, s = 0; bytesL > 0 && at + bytesL <= size; at += bytesL, s++) {
        std::string fault = value_fault(formatted("state %zu ", s), "cell", data + at, lineL);
        if (!fault.empty())
            return fault;
    }
    return "";
}

std::string
update_order_fault(const uint8_t *data, int n)
{
    // Where each cell was first met, to name both entries of a repeat.
    std::vector<int> first(static_cast<size_t>(n > 0 ? n : 0), -1);
    for (int i = 0; i < n; i++) {
        int cell = data[2 * i] << 8 | data[2 * i + 1];
        if (cell >= n)
            return formatted("entry %d is %d, cells run 0-%d", i, cell, n - 1);
        if (first[cell] >= 0)
            return formatted("cell %d twice, entries %d and %d", cell, first[cell], i);
        first[cell] = i;
    }
    return "";
}
