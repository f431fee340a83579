// Why a file of a fixed-layout kind has the wrong length, in words short
// enough for the file error box: the file's length, then what the kind's
// layout asks of this network ("55 bytes, a layout of 13 nodes is 56").
// Each is empty when the length is one the kind's decoder takes; the
// decoders (graph_layout_codec.h, stat_record_codec.h, in_degree_codec.h,
// side_file_codecs.h) still check the whole file, these only say why.
#pragma once
#include <cstdint>
#include <string>

// A graph layout (*.grh) of a graph of nodes nodes: exactly 4 nodes + 4.
std::string graph_layout_length_fault(uint64_t size, uint32_t nodes);
// A statistics file (*.sta) for rules of k inputs: one record or more.
std::string stat_sample_length_fault(uint64_t size, int k);
// A histogram (*.his): 2-byte counts, at least one.
std::string histogram_length_fault(uint64_t size);
// An in-degree histogram (*.prh): 4-byte counts for a maxinhist of 50..5000.
std::string in_degree_length_fault(uint64_t size);
// A complex-rule sample of k inputs (kcodes: a kcode): exactly its bytes.
std::string rule_sample_length_fault(uint64_t size, int k, bool kcodes);
// A last-rule file for k: v, k and the rule, at least.
std::string last_rule_length_fault(uint64_t size, int k);
// An ASCII rule table of entries 0..last: the v digit and one digit each.
std::string ascii_table_length_fault(uint64_t size, int last);
