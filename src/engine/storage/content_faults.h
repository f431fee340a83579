// Why a file is refused for what it holds, in words short enough for the
// file error box (for kinds refused for their length too, that text first,
// length_faults.h): a value of v or more, a k out of range, a header that
// asks for more than the file holds ("cell 12 is 3, values run 0-2", "k=9 past the
// most 7", "header says 40 cells, file holds 38"). The decoders
// (network_file_codec.h, stat_record_codec.h, side_file_codecs.h) still
// decide what is refused; these only say why.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// place, then "<noun> <e> is <value>, values run 0-<v-1>" for the first of
// the count entries of a value line that is v or more; empty when none is.
std::string value_fault(const std::string &place, const char *noun, const uint8_t *line,
                        uint64_t count);
// "k=9 past the most 7" or "k=0 below the least 1"; empty for 1..most.
std::string k_fault(int k, int most);
// "header says 40 cells, file holds 38".
std::string cells_fault(uint64_t said, uint64_t held);
// Why decode_stat_sample refuses a statistics file for rules of k inputs:
// its length (stat_sample_length_fault), else its first rule with a value
// of v or more ("rule 4 entry 12 is 3, values run 0-2").
std::string stat_sample_fault(const uint8_t *data, size_t size, int k);
// Why decode_glider_list calls a list of rules of record bytes and entries
// entries damaged: its v byte, or the first value of v or more.
std::string glider_list_fault(const uint8_t *data, size_t size, size_t record,
                              uint64_t entries);
// Why decode_rule_sample refuses a complex-rule sample of k inputs: its
// length, its v and k bytes, its first value of v or more, or bits set past
// its last entry.
std::string rule_sample_fault(const uint8_t *data, size_t size, int k, bool kcodes);
// Why decode_ascii_table calls a table of entries 0..last (at least last +
// 2 bytes) bad: "entry 5 is 'x', digits run 0-2".
std::string ascii_table_digit_fault(const uint8_t *data, int last);
// Why decode_successor_table refuses a table of the right length: its first
// state with a value of v or more ("state 12 cell 3 is 3, values run 0-2").
std::string successor_table_fault(const uint8_t *data, size_t size);
// Why decode_update_order calls an order of n cells (2n bytes) no order:
// "entry 1 is 256, cells run 0-3" or "cell 3 twice, entries 0 and 1".
std::string update_order_fault(const uint8_t *data, int n);
