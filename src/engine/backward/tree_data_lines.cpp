// Composition of the tree builder's data lines (see tree_data_lines.h).
// Reads the tree totals and the segment list (backward/globals.h) and the
// attractor's size (forward/globals.h). Start at compose_tree_lines.
#include "engine/backward/tree_data_lines.h"


#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/formatted_text.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"

namespace {

// The totals that end every tree line: g, g/s, depth and mp.
std::string
totals_tail(uint32_t max_fan)
{
    float density = treesize ? static_cast<float>(gofEno) / static_cast<float>(treesize) : 0.0f;
    return formatted(" %lu %.3g %u %lu\n", static_cast<unsigned long>(gofEno), density, level,
                  static_cast<unsigned long>(max_fan));
}

} // namespace

std::string
state_hex(const uint8_t *state)
{
    std::string hex;
    for (int i = bytesL - 1; i >= 0; i--)
        hex += formatted("%02x", state[i]);
    return hex;
}

std::string
compose_tree_lines(const uint8_t *root, uint32_t max_fan)
{
    std::string text;
    if (!insegloop) {
        text = formatted("   %lu. ", static_cast<unsigned long>(attperiod - attindex + 1));
        text += state_hex(root);
        text += formatted(" %d %lu ", cyclematch, static_cast<unsigned long>(treesize));
        return text + totals_tail(max_fan);
    }
    if (segindex == 1)
        text = formatted(direction == direction_backward ? "   seg-fan=%lu (%d segs) \n"
                                                      : "      seg-fan=%lu (%d segs) \n",
                      static_cast<unsigned long>(totalsegfan), static_cast<int>(segno));
    uint32_t members = regular2d ? static_cast<uint32_t>(seg_2d_h[segindex]) * seg_2d_v[segindex]
                                 : seg[segindex];
    text += formatted("      %d. ", static_cast<int>(segindex));
    text += state_hex(root);
    text += formatted(" %d %lu ", static_cast<int>(members), static_cast<unsigned long>(treesize));
    return text + totals_tail(max_fan);
}

std::string
compose_state_line(const uint8_t *state)
{
    std::string text;
    if (value_range == 2) {
        for (int c = L; c >= 0; c--)
            text += get_value(state, static_cast<uint32_t>(c)) ? '1' : '0';
    } else {
        for (uint32_t c = 0; c < lineL; c++)
            text += formatted("%d", get_value(state, c));
    }
    unsigned long fan = fansize + (level == 0 ? 1u : 0u);
    return text + formatted(" %u %u %lu\n", basintypeno, level, fan);
}
