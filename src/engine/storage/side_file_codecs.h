// The byte layouts of the side files beside the network files: the last
// rule kept between runs, ASCII rule tables, k-mix files, successor tables,
// glider rule lists and histograms. Each decoder checks the whole file and
// writes into the caller's array only when the file is sound; no file is
// opened here (ui/storage/ has the dialogs and the refusals).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// ---- last rule "l_v%dk%d" .rul/.tco/.vco: v, k, then the R bytes of the
// rule (single_rule_record_bytes); l_v2k5.rul is 02 05 and four rule bytes.

void encode_last_rule(const uint8_t *rule, int k, std::vector<uint8_t> &out);

enum class last_rule_check {
    sound,
    too_short,   // fewer than R + 2 bytes
    other_v_k,   // the v or k byte is not this network's v or the wanted k
    bad_value,   // an entry of v or more
};
// Checks a last-rule file for k (bytes past R + 2 are ignored); when sound,
// copies its R rule bytes into rule. Its v and k bytes are checked first,
// so that a file of another v or k is told as one.
last_rule_check decode_last_rule(const uint8_t *data, size_t size, int k, uint8_t *rule);
// What encode_last_rule writes for k: R + 2 bytes.
uint64_t last_rule_file_bytes(int k);
// The largest last-rule file read: a single-rule file of any v and k
// (largest_network_file), so that one of another v or k is read and told.
uint64_t largest_last_rule_file();

// ---- complex-rule samples "v%dk%d_c%d.rul" (".vco" with tot_only): v, k,
// then one rule table of k inputs (with tot_only a kcode) as a value line,
// the bits past its last entry clear; exactly R + 2 bytes. The v = 3, k = 1
// table 0 1 2 is 03 01 24.

// Whether the bits of a value line's last byte past its count entries are
// clear, as a sample's must be: set ones would become entries of a longer
// rule.
bool padding_clear(const uint8_t *line, uint64_t count);
// Bytes of a sample file of k inputs: 2 + the rule table's or kcode's bytes.
uint64_t rule_sample_file_bytes(int k, bool kcodes);
// Checks a sample file for this v and k: its length, v and k bytes, every
// entry below v and the padding bits clear. When sound, copies the rule's
// bytes to rule.
bool decode_rule_sample(const uint8_t *data, size_t size, int k, bool kcodes, uint8_t *rule);

// ---- ASCII rule tables (*.tbl): the digit of v, then one digit per entry,
// entry 0 first, no separator or line end: last + 2 bytes. The v = 2, k = 3
// table of rule 150 is "201101001".

void encode_ascii_table(const uint8_t *table, int last, std::vector<uint8_t> &out);

enum class ascii_table_check { sound, other_v, too_short, bad_digit };
// The v a table file names: its first byte's digit value ('0' less; -48
// for an empty file).
int ascii_table_v(const uint8_t *data, size_t size);
// Checks a table of entries 0..last against this network's v; when sound,
// sets entries 0..last of table.
ascii_table_check decode_ascii_table(const uint8_t *data, size_t size, int last,
                                     uint8_t *table);
// The first entry of 0..last of a table file at least last + 2 bytes long
// whose byte is no digit of this v; -1 when every one is.
int ascii_table_bad_entry(const uint8_t *data, int last);
// The largest valid table file of entries 0..last: last + 2 bytes.
uint64_t largest_ascii_table_file(int last);

// ---- k-mix files (*.mix): no header, one signed byte per cell, the cell's
// k, cell 0 first; lineL bytes. Ten cells of k = 2 are ten bytes 02.

// Checks that every byte is a k of 1..Maxnhood (else false, the index of
// the first bad one in *bad_cell); when sound, copies the first
// min(size, cells) of them to ks.
bool decode_kmix(const uint8_t *data, size_t size, int8_t *ks, size_t cells, size_t *bad_cell);
// The largest valid k-mix file: one byte for each of at most 65535 cells.
constexpr size_t kLargestKmixFile = 65535;

// ---- successor tables (*.exh): no header; v^n records of bytesL bytes,
// record s the state line of the successor of state number s. v = 2,
// n = 10 gives 1024 records of 2 bytes: 2048 bytes.

// Bytes of the table for this network (64 bits; 0 when v^n states cannot
// be numbered in 32 bits).
uint64_t successor_file_bytes();
// The network size a table of this many bytes stands for: the n whose
// table is that long, else the largest n whose table is shorter.
int successor_file_n(uint64_t length);
// Checks a table of successor_file_bytes() bytes whose every record is a
// state of this network; when sound, copies it to table.
bool decode_successor_table(const uint8_t *data, size_t size, uint8_t *table);

// ---- glider rule lists "g_v%dk%d.r_s" / ".r_v": a rule-scheme file, a
// 6-byte header (v first) then rules of record bytes each.

constexpr size_t kGliderListHeader = 6;

enum class glider_list_check {
    sound,
    too_short,  // less than one whole rule: no rules, not reported
    damaged,    // another v, or a value of v or more
};
// Checks a list of rules of record bytes and entries entries each (a v
// byte of 0 stands for v = 2); when sound, *last is the index of its last
// whole rule (at most 65535).
glider_list_check decode_glider_list(const uint8_t *data, size_t size, size_t record,
                                     uint64_t entries, uint16_t *last);
// The largest valid list of rules of record bytes: the header and 65536
// rules (a last index of 65535).
uint64_t largest_glider_list(size_t record);

// ---- histograms (*.his): columns + 1 unsigned 16-bit counts, column 0
// first, each most significant byte first; no header. Counts 3, 256 are
// 00 03 01 00. The counts of a histogram are 32 bits wide in memory; the
// file holds each saturated at 65,535 (70,000 is written FF FF).

// The largest valid histogram: 65536 columns (one per cell count 0..65535).
constexpr size_t kLargestHistogramFile = 2 * 65536;

void encode_histogram(const uint32_t *counts, int columns, std::vector<uint8_t> &out);
// False for a file of odd length, of fewer than two bytes or of more than
// kLargestHistogramFile; else counts holds its counts.
bool decode_histogram(const uint8_t *data, size_t size, std::vector<uint16_t> &counts);

// ---- update orders (*.ord): no header; n entries of 16 bits, entry i the
// cell updated i-th, most significant byte first, 2n bytes in all. The
// order 2, 0, 1 is 00 02 00 00 00 01.

void encode_update_order(const uint16_t *order, int n, std::vector<uint8_t> &out);

enum class update_order_check {
    sound,
    wrong_size,   // not exactly 2n bytes
    not_order,    // the entries are not 0..n-1 once each
};
// Checks an order of n cells; when sound, copies it to order.
update_order_check decode_update_order(const uint8_t *data, size_t size, int n,
                                       uint16_t *order);
// The largest valid order: 65535 cells.
constexpr size_t kLargestOrderFile = 2 * 65535;
