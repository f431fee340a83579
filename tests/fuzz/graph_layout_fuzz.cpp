// Fuzz target of the graph layout loader, load_graph_layout_file: the
// first two input bytes give the open graph's node count (1..512), the
// rest is the file. A file of exactly 4 n + 4 bytes is taken, and the
// positions of nodes 1..n then agree with its pairs read low byte first,
// those outside the graph window's frame placed inside its lines; any
// other is refused with every position, node 0's included, unchanged.
#include <algorithm>
#include <vector>

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "fuzz_support.h"
#include "ui/graphs/graph_layout_file.h"
#include "ui/screen/globals.h"

namespace {

const char kFile[] = "fuzz.grh";
const graph_frame kFrame{100, 50, 900, 700, 500, 375};

// A position no file sets for node m, so that a change shows.
int16_t
marker(uint32_t m, int axis)
{
    return static_cast<int16_t>(1000 + 3 * m + axis);
}

void
open_marked_graph(uint32_t nodes)
{
    open_graph_data(graph_field, nodes, false);
    for (uint32_t m = 0; m <= nodes; m++)
        for (int axis = 0; axis < 2; axis++)
            basin_pos[m][axis] = marker(m, axis);
}

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_dir();
    fuzz_input in{data, size};
    uint32_t nodes = 1 + (static_cast<uint32_t>(in.take()) | static_cast<uint32_t>(in.take()) << 8) % 512;
    put_file(kFile, in.data, in.size);
    open_marked_graph(nodes);
    int16_t **rows = basin_pos;
    is[0] = 0;
    bool loaded = load_graph_layout_file(kFile, kFrame);
    FUZZ_CHECK(loaded == (in.size == 4 * static_cast<size_t>(nodes) + 4));
    FUZZ_CHECK(loaded == (is[0] != 'q'));
    FUZZ_CHECK(basin_pos == rows && node_no == nodes);
    FUZZ_CHECK(basin_pos[0][0] == marker(0, 0) && basin_pos[0][1] == marker(0, 1));
    for (uint32_t m = 1; m <= nodes; m++)
        for (int axis = 0; axis < 2; axis++) {
            const uint8_t *b = in.data + 4 * m + 2 * axis;
            const int low = axis == 0 ? kFrame.x0 + 1 : kFrame.y0 + 1;
            const int high = axis == 0 ? kFrame.x1 - 1 : kFrame.y1 - 1;
            int16_t expected = loaded ? static_cast<int16_t>(std::clamp<int>(
                                            static_cast<int16_t>(b[0] | b[1] << 8), low, high))
                                      : marker(m, axis);
            FUZZ_CHECK(basin_pos[m][axis] == expected);
        }
    free_graph_data();
    return 0;
}

void
make_fuzz_seeds(std::vector<bytes> &seeds)
{
    enter_fuzz_dir();
    for (uint32_t nodes : {1u, 10u, 300u}) {
        open_marked_graph(nodes);
        for (uint32_t m = 1; m <= nodes; m++) {
            basin_pos[m][0] = static_cast<int16_t>(37 * m - 400);
            basin_pos[m][1] = static_cast<int16_t>(600 - 11 * m);
        }
        if (save_graph_layout_file(kFile)) {
            uint32_t index = nodes - 1;
            bytes seed = {static_cast<uint8_t>(index), static_cast<uint8_t>(index >> 8)};
            bytes file = get_file(kFile);
            seed.insert(seed.end(), file.begin(), file.end());
            seeds.push_back(seed);
            seed.pop_back();
            seeds.push_back(seed);
            // Four bytes too long: a layout of one node more.
            seed.insert(seed.end(), 5, 0);
            seeds.push_back(seed);
        }
        free_graph_data();
    }
}
