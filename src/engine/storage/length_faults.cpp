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
    return byte_count(size) + ", " + asked;
}

// The fault of a file that is not `length` bytes (exact) or shorter than
// them (not exact): "<size> bytes, <what> is <length>".
std::string
unless_length(uint64_t size, uint64_t length, bool exact, const std::string &what)
{
    if (exact ? size == length : size >= length)
        return "";
    return fault(size, what + formatted(" is %llu", static_cast<unsigned long long>(length)));
}

// "v2k3" for this network's v and k inputs.
std::string
v_k(int k)
{
    return formatted("v%dk%d", value_range, k);
}

} // namespace

std::string
graph_layout_length_fault(uint64_t size, uint32_t nodes)
{
    return unless_length(size, graph_layout_file_length(nodes), true,
                         formatted("a layout of %u nodes", nodes));
}

std::string
stat_sample_length_fault(uint64_t size, int k)
{
    return unless_length(size, stat_record_bytes(k), false, "a " + v_k(k) + " record");
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
    return unless_length(size, rule_sample_file_bytes(k, kcodes), true, "a " + v_k(k) + " sample");
}

std::string
last_rule_length_fault(uint64_t size, int k)
{
    return unless_length(size, last_rule_file_bytes(k), false, "a " + v_k(k) + " rule file");
}

std::string
ascii_table_length_fault(uint64_t size, int last)
{
    return unless_length(size, largest_ascii_table_file(last), false,
                         formatted("a table of %d entries", last + 1));
}
