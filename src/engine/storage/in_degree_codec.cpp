// In-degree histogram files (in_degree_codec.h) encoded and checked on
// plain arrays; opens no file. Start at decode_in_degree_counts.
#include "engine/storage/in_degree_codec.h"

void
encode_in_degree_counts(const uint32_t *counts, uint32_t last, std::vector<uint8_t> &out)
{
    out.clear();
    out.reserve((static_cast<size_t>(last) + 1) * 4);
    for (uint32_t i = 0; i <= last; i++)
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<uint8_t>(counts[i] >> shift));
}

bool
in_degree_file_length_sound(uint64_t length)
{
    return length % 4 == 0 && length >= 4 * (kInDegreeLeastLast + 1) &&
           length <= 4 * (kInDegreeMostLast + 1);
}

bool
decode_in_degree_counts(const uint8_t *data, size_t size, std::vector<uint32_t> &counts)
{
    if (!in_degree_file_length_sound(size))
        return false;
    counts.assign(size / 4, 0);
    for (size_t i = 0; i < counts.size(); i++) {
        const uint8_t *b = data + 4 * i;
        counts[i] = static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 |
                    static_cast<uint32_t>(b[2]) << 8 | b[3];
    }
    return true;
}
