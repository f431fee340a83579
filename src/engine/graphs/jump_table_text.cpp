// The jump table text (jump_table_text.h). A fraction is printed with three
// decimals and no leading zero (a quarter is " .250"), a weight of none of
// the jumps as "    0" and of all of them as "    1". Reads the graph data
// (globals.h) and meta_graph's named forms (engine/backward).
#include "engine/graphs/jump_table_text.h"

#include <algorithm>
#include <cstdio>

#include "engine/backward/globals.h"
#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/model/formatted_text.h"

namespace {

uint64_t
jumps_of(uint32_t i)
{
    return static_cast<uint64_t>(node_period[i]) * m_size;
}

// One table: the column heads, then a row per node: its weights as
// `weight` writes them in columns of `width`, its period in a column of
// `period`, its jumps and its size.
template <typename Weight>
void
append_table(std::string &text, int width, int period, Weight weight)
{
    text += "\n      ";
    for (uint32_t j = 1; j <= node_no; j++)
        text += figure_column(j, width);
    text += "   period   jumps   volume";
    for (uint32_t i = 1; i <= node_no; i++) {
        text += formatted("\n %4u:", i);
        for (uint32_t j = 1; j <= node_no; j++)
            text += weight(basinjumps[i][j], jumps_of(i), width);
        text += figure_column(node_period[i], period);
        text += figure_column(jumps_of(i), 10);
        double size = node_size_measure(i);
        text += figure_column(static_cast<unsigned long long>(size), 8);
        text += formatted("=%.3g%%", m_space > 0 ? size * 100 / m_space : 0.0);
    }
}

std::string
number_cell(uint32_t w, uint64_t, int width)
{
    return figure_column(w, width);
}

std::string
fraction_cell(uint32_t w, uint64_t jumps, int width)
{
    return formatted("%*s", width, jump_fraction_cell(w, jumps, "    0").c_str());
}

} // namespace

std::string
jump_fraction_cell(uint32_t weight, uint64_t jumps, const char *zero)
{
    if (weight == 0)
        return zero;
    if (weight == jumps)
        return "    1";
    char share[32];
    snprintf(share, sizeof share, "%.3f", static_cast<double>(weight) / static_cast<double>(jumps));
    // A share just short of 1 rounds to "1.000", which would read as .000:
    // it shows as the largest share below 1 instead.
    return share[0] == '0' ? std::string(" ") + (share + 1) : std::string(" .999");
}

int
jump_column_width(bool fractions)
{
    uint64_t largest = node_no;
    for (uint32_t r = 1; !fractions && r <= node_no; r++)
        for (uint32_t c = 1; c <= node_no; c++)
            largest = std::max<uint64_t>(largest, basinjumps[r][c]);
    int digits = 1;
    for (; largest >= 10; largest /= 10)
        digits++;
    return std::max(fractions ? 5 : 4, digits + 1);
}

std::string
jump_table_text(uint8_t form)
{
    std::string text;
    if (!basinjumps || node_no == 0)
        return text;
    if (form == meta_graph_numbers || form == meta_graph_both)
        append_table(text, jump_column_width(false), 6, number_cell);
    if (form == meta_graph_both)
        text += "\n";
    if (form == meta_graph_fractions || form == meta_graph_both)
        append_table(text, jump_column_width(true), 5, fraction_cell);
    return text;
}

std::string
jump_table_closing(uint8_t form)
{
    bool listed = form == meta_graph_numbers || form == meta_graph_fractions || form == meta_graph_both;
    return listed ? "\n ------------------------------------------\n" : "";
}
