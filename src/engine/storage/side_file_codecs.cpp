// Side file layouts (side_file_codecs.h describes them byte by byte): the
// last rule, ASCII tables, k-mixes, successor tables, glider lists and
// histograms encoded and checked on plain arrays. Reads the network's v,
// size and Maxnhood (engine/model); opens no file. Start at
// decode_last_rule.
#include "engine/storage/side_file_codecs.h"

#include <algorithm>
#include <cstring>

#include "engine/forward/update_order.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/storage/network_file_codec.h"

namespace {

// The v^n states of a successor table, 0 beyond 32-bit state numbers.
uint64_t
states_of(int n)
{
    if (n < 1 || n > 32)
        return 0;
    uint64_t states = int_power(value_range, n);
    return states >= (uint64_t(1) << 32) ? 0 : states;
}

uint64_t
table_bytes(int n)
{
    return states_of(n) * value_line_bytes(static_cast<uint64_t>(n), value_bits);
}

} // namespace

// ---- last rule -------------------------------------------------------------

void
encode_last_rule(const uint8_t *rule, int k, std::vector<uint8_t> &out)
{
    size_t record = static_cast<size_t>(single_rule_record_bytes(k));
    out.assign(record + 2, 0);
    out[0] = static_cast<uint8_t>(value_range);
    out[1] = static_cast<uint8_t>(k);
    memcpy(out.data() + 2, rule, record);
}

last_rule_check
decode_last_rule(const uint8_t *data, size_t size, int k, uint8_t *rule)
{
    size_t record = static_cast<size_t>(single_rule_record_bytes(k));
    // A file of another v or k is told by its own two bytes, whatever its
    // length.
    if (size >= 2 && (data[0] != value_range || data[1] != k))
        return last_rule_check::other_v_k;
    if (size < record + 2)
        return last_rule_check::too_short;
    if (!values_below_v(data + 2, single_rule_entries(k)))
        return last_rule_check::bad_value;
    memcpy(rule, data + 2, record);
    return last_rule_check::sound;
}

uint64_t
last_rule_file_bytes(int k)
{
    return 2 + single_rule_record_bytes(k);
}

uint64_t
largest_last_rule_file()
{
    return largest_network_file(0);
}

// ---- complex-rule samples --------------------------------------------------

bool
padding_clear(const uint8_t *line, uint64_t count)
{
    uint64_t bits = count * static_cast<uint64_t>(value_bits);
    return bits % 8 == 0 || (line[bits / 8] >> (bits % 8)) == 0;
}

uint64_t
rule_sample_file_bytes(int k, bool kcodes)
{
    return 2 + (kcodes ? kcode_bytes(k) : rule_bytes(k));
}

bool
decode_rule_sample(const uint8_t *data, size_t size, int k, bool kcodes, uint8_t *rule)
{
    if (size != rule_sample_file_bytes(k, kcodes) || data[0] != value_range || data[1] != k)
        return false;
    uint64_t entries = kcodes ? kcode_entries(k) : rule_entries(k);
    const uint8_t *line = data + 2;
    if (!values_below_v(line, entries) || !padding_clear(line, entries))
        return false;
    memcpy(rule, line, size - 2);
    return true;
}

// ---- ASCII tables ----------------------------------------------------------

void
encode_ascii_table(const uint8_t *table, int last, std::vector<uint8_t> &out)
{
    out.assign(static_cast<size_t>(last) + 2, 0);
    out[0] = static_cast<uint8_t>('0' + value_range);
    for (int i = 0; i <= last; i++)
        out[static_cast<size_t>(i) + 1] =
            static_cast<uint8_t>('0' + get_value(table, static_cast<uint32_t>(i)));
}

int
ascii_table_v(const uint8_t *data, size_t size)
{
    // A byte of 0x80 or more reads as a negative char, as it always did.
    return size == 0 ? -'0' : static_cast<char>(data[0]) - '0';
}

ascii_table_check
decode_ascii_table(const uint8_t *data, size_t size, int last, uint8_t *table)
{
    if (ascii_table_v(data, size) != value_range)
        return ascii_table_check::other_v;
    if (size < static_cast<size_t>(last) + 2)
        return ascii_table_check::too_short;
    if (ascii_table_bad_entry(data, last) >= 0)
        return ascii_table_check::bad_digit;
    for (int i = 0; i <= last; i++)
        set_value(table, static_cast<uint32_t>(i), data[static_cast<size_t>(i) + 1] - '0');
    return ascii_table_check::sound;
}

int
ascii_table_bad_entry(const uint8_t *data, int last)
{
    for (int i = 0; i <= last; i++) {
        uint8_t c = data[static_cast<size_t>(i) + 1];
        if (c < '0' || c >= '0' + value_range)
            return i;
    }
    return -1;
}

uint64_t
largest_ascii_table_file(int last)
{
    return static_cast<uint64_t>(last) + 2;
}

// ---- k-mix -----------------------------------------------------------------

bool
decode_kmix(const uint8_t *data, size_t size, int8_t *ks, size_t cells, size_t *bad_cell)
{
    for (size_t c = 0; c < size; c++) {
        int k = static_cast<int8_t>(data[c]);
        if (k < 1 || k > Maxnhood) {
            *bad_cell = c;
            return false;
        }
    }
    size_t count = size < cells ? size : cells;
    for (size_t c = 0; c < count; c++)
        ks[c] = static_cast<int8_t>(data[c]);
    return true;
}

// ---- successor tables ------------------------------------------------------

uint64_t
successor_file_bytes()
{
    return table_bytes(lineL);
}

int
successor_file_n(uint64_t length)
{
    int best = 0;
    for (int n = 1; n <= 32 && table_bytes(n) != 0; n++)
        if (table_bytes(n) <= length)
            best = n;
    return best;
}

bool
decode_successor_table(const uint8_t *data, size_t size, uint8_t *table)
{
    uint64_t bytes = successor_file_bytes();
    if (bytes == 0 || size != bytes)
        return false;
    // With v = 2, 4 or 8 every pattern of value_bits bits is a value.
    bool check = value_range != 2 && value_range != 4 && value_range != 8;
    uint64_t states = check ? states_of(lineL) : 0;
    for (uint64_t s = 0; s < states; s++)
        if (!values_below_v(data + s * bytesL, lineL))
            return false;
    memcpy(table, data, size);
    return true;
}

// ---- glider lists ----------------------------------------------------------

glider_list_check
decode_glider_list(const uint8_t *data, size_t size, size_t record, uint64_t entries,
                   uint16_t *last)
{
    if (size < kGliderListHeader + record)
        return glider_list_check::too_short;
    if (data[0] != value_range && !(data[0] == 0 && value_range == 2))
        return glider_list_check::damaged;
    for (size_t at = kGliderListHeader; at + record <= size; at += record)
        if (!values_below_v(data + at, entries))
            return glider_list_check::damaged;
    size_t rules = (size - kGliderListHeader) / record;
    *last = static_cast<uint16_t>(rules > 65536 ? 65535 : rules - 1);
    return glider_list_check::sound;
}

uint64_t
largest_glider_list(size_t record)
{
    return kGliderListHeader + 65536 * static_cast<uint64_t>(record);
}

// ---- histograms ------------------------------------------------------------

void
encode_histogram(const uint32_t *counts, int columns, std::vector<uint8_t> &out)
{
    out.clear();
    for (int c = 0; c <= columns; c++) {
        uint32_t count = std::min<uint32_t>(counts[c], 65535);
        out.push_back(static_cast<uint8_t>(count >> 8));
        out.push_back(static_cast<uint8_t>(count & 0xFF));
    }
}

bool
decode_histogram(const uint8_t *data, size_t size, std::vector<uint16_t> &counts)
{
    if (size < 2 || size % 2 != 0 || size > kLargestHistogramFile)
        return false;
    counts.resize(size / 2);
    for (size_t c = 0; c < counts.size(); c++)
        counts[c] = static_cast<uint16_t>(data[2 * c] << 8 | data[2 * c + 1]);
    return true;
}

void
encode_update_order(const uint16_t *order, int n, std::vector<uint8_t> &out)
{
    out.assign(2 * static_cast<size_t>(n), 0);
    for (size_t i = 0; i < static_cast<size_t>(n); i++) {
        out[2 * i] = static_cast<uint8_t>(order[i] >> 8);
        out[2 * i + 1] = static_cast<uint8_t>(order[i] & 0xFF);
    }
}

update_order_check
decode_update_order(const uint8_t *data, size_t size, int n, uint16_t *order)
{
    if (size != 2 * static_cast<size_t>(n))
        return update_order_check::wrong_size;
    std::vector<uint16_t> read(static_cast<size_t>(n));
    for (size_t i = 0; i < read.size(); i++)
        read[i] = static_cast<uint16_t>(data[2 * i] << 8 | data[2 * i + 1]);
    if (!is_permutation(read.data(), n))
        return update_order_check::not_order;
    std::copy(read.begin(), read.end(), order);
    return update_order_check::sound;
}
