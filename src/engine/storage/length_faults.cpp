// The wrong-length texts of the fixed-layout files (length_faults.h). Each
// reads the length its kind's codec gives for this network (value_range
// and the rule kind of engine/model) and composes "<size> bytes, <what the
// layout asks>". Start at graph_layout_length_fault.
#include "engine/storage/length_faults.h"

#include "engine/model/formatted_text.h"
#include "engine/model/globals.h"
#include "engine/storage/graph_layout_codec.h"
#include "engine/storage/in_degree_codec.h"
#include "engine/storage/side_file_codecs.h"
#include "engine/storage/stat_record_codec.h"

namespace {

// "<size> bytes, " and what the layout asks; one byte is "1 byte".
std::string
fault(uint64_t size, const std::string &asked)
{
    return formatted("%llu byte%s, ", static_cast<unsigned long long>(size),
                     size == 1 ? "" : "s") +
           asked;
}

} // namespace

std::string
graph_layout_length_fault(uint64_t size, uint32_t nodes)
{
    uint64_t length = graph_layout_file_length(nodes);
    if (size == length)
        return "";
    return fault(size, formatted("a layout of %u nodes is %llu", nodes,
                                 static_cast<unsigned long long>(length)));
}

std::string
stat_sample_length_fault(uint64_t size, int k)
{
    uint64_t record = stat_record_bytes(k);
    if (size >= record)
        return "";
    return fault(size, formatted("a v%dk%d record is %llu", value_range, k,
                                 static_cast<unsigned long long>(record)));
}

std::string
histogram_length_fault(uint64_t size)
{
    if (size >= 2 && size % 2 == 0)
        return "";
    return fault(size, "counts are 2 bytes each");
}

std::string
in_degree_length_fault(uint64_t size)
{
    if (in_degree_file_length_sound(size))
        return "";
    return fault(size, formatted("%u-%u counts of 4 bytes", kInDegreeLeastLast + 1,
                                 kInDegreeMostLast + 1));
}

std::string
rule_sample_length_fault(uint64_t size, int k, bool kcodes)
{
    uint64_t length = rule_sample_file_bytes(k, kcodes);
    if (size == length)
        return "";
    return fault(size, formatted("a v%dk%d sample is %llu", value_range, k,
                                 static_cast<unsigned long long>(length)));
}

std::string
last_rule_length_fault(uint64_t size, int k)
{
    uint64_t length = largest_last_rule_file(k);
    if (size >= length)
        return "";
    return fault(size, formatted("a v%dk%d rule file is %llu", value_range, k,
                                 static_cast<unsigned long long>(length)));
}

std::string
ascii_table_length_fault(uint64_t size, int last)
{
    uint64_t length = largest_ascii_table_file(last);
    if (size >= length)
        return "";
    return fault(size, formatted("a table of %d entries is %llu", last + 1,
                                 static_cast<unsigned long long>(length)));
}
