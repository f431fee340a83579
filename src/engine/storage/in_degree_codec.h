// The byte layout of in-degree histogram files (*.prh): no header;
// maxinhist + 1 unsigned 32-bit counts, entry 0 (the garden-of-Eden count)
// first, each most significant byte first; 4 x (maxinhist + 1) bytes. The
// counts 4, 0, 3 are 00 00 00 04 00 00 00 00 00 00 00 03. The dialog and
// the file itself are ui/storage/in_degree_file.cpp.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The last entries a file may have: maxinhist as the run settings take it.
constexpr uint32_t kInDegreeLeastLast = 50, kInDegreeMostLast = 5000;

void encode_in_degree_counts(const uint32_t *counts, uint32_t last, std::vector<uint8_t> &out);
// Whether a file of length bytes holds whole counts for a maxinhist in
// 50..5000: a multiple of 4 from 204 to 20004.
bool in_degree_file_length_sound(uint64_t length);
// Checks the length; when sound, counts holds the file's counts (its last
// index the new maxinhist), else counts is left as it was.
bool decode_in_degree_counts(const uint8_t *data, size_t size, std::vector<uint32_t> &counts);
