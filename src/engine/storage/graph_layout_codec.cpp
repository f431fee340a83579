// Graph layout files (graph_layout_codec.h) encoded and checked on plain
// arrays; opens no file. Start at decode_graph_layout.
#include "engine/storage/graph_layout_codec.h"

namespace {

void
put_16(std::vector<uint8_t> &out, int16_t value)
{
    uint16_t bits = static_cast<uint16_t>(value);
    out.push_back(static_cast<uint8_t>(bits & 0xff));
    out.push_back(static_cast<uint8_t>(bits >> 8));
}

int16_t
get_16(const uint8_t *b)
{
    return static_cast<int16_t>(static_cast<uint16_t>(b[0] | b[1] << 8));
}

} // namespace

void
encode_graph_layout(int16_t *const *positions, uint32_t nodes, std::vector<uint8_t> &out)
{
    out.assign(4, 0);
    out.reserve(graph_layout_file_length(nodes));
    for (uint32_t m = 1; m <= nodes; m++) {
        put_16(out, positions[m][0]);
        put_16(out, positions[m][1]);
    }
}

uint64_t
graph_layout_file_length(uint32_t nodes)
{
    return 4 * static_cast<uint64_t>(nodes) + 4;
}

uint64_t
largest_graph_layout_file()
{
    return graph_layout_file_length(kMostGraphNodes);
}

bool
decode_graph_layout(const uint8_t *data, size_t size, int16_t *const *positions, uint32_t nodes)
{
    if (size != graph_layout_file_length(nodes))
        return false;
    for (uint32_t m = 1; m <= nodes; m++) {
        positions[m][0] = get_16(data + 4 * static_cast<size_t>(m));
        positions[m][1] = get_16(data + 4 * static_cast<size_t>(m) + 2);
    }
    return true;
}
