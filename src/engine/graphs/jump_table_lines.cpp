// The scanned jump table (jump_table_lines.h). Reads the links and the
// figures of each node (globals.h, graph_data.h); the fractions are
// jump_table_text.h's cells. Start at jump_table_lines.
#include "engine/graphs/jump_table_lines.h"

#include <algorithm>

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/graphs/jump_table_text.h"
#include "engine/model/formatted_text.h"

namespace {

uint32_t
held(int64_t value)
{
    return static_cast<uint32_t>(std::clamp<int64_t>(value, 1, std::max<uint32_t>(node_no, 1)));
}

// The number a node goes by: the cell number in the network graph.
uint32_t
shown_number(uint32_t node)
{
    return f_or_n == graph_network ? node - 1 : node;
}

double
percent_of(double part, double whole)
{
    return whole > 0 ? part * 100 / whole : 0.0;
}

// The node's own figures: out-degree and k in the network graph; period,
// jumps, size with its share of m_space, and the share of its runs that
// stay in it in the meta-graph.
std::string
row_tail(uint32_t r, uint64_t jumps)
{
    std::string tail;
    if (f_or_n == graph_network) {
        tail += formatted("    %u    %u", node_period[r], netnodesize ? netnodesize[r] : 0u);
        return tail;
    }
    double size = node_size_measure(r);
    tail += figure_column(node_period[r], 5);
    tail += figure_column(jumps, 8);
    tail += figure_column(static_cast<unsigned long long>(size), 10) + "=";
    tail += formatted("%10.2f%%", percent_of(size, m_space));
    tail += formatted("%10.2f%%", percent_of(basinjumps[r][r], static_cast<double>(jumps)));
    return tail;
}

} // namespace

void
scroll_table_rows(jump_table_place &place, int by)
{
    place.first_row = held(static_cast<int64_t>(place.first_row) + by);
}

void
scroll_table_columns(jump_table_place &place, int by)
{
    place.first_column = held(static_cast<int64_t>(place.first_column) + by);
}

std::vector<jump_table_line>
jump_table_lines(char form, const jump_table_place &place, uint32_t most_columns)
{
    std::vector<jump_table_line> lines;
    if (!basinjumps || node_no == 0)
        return lines;
    const bool fractions = form == jump_table_fractions;
    const uint32_t first_column = held(place.first_column), first_row = held(place.first_row);
    const uint32_t last_column =
        first_column + std::min(std::max(most_columns, 1u), node_no - first_column + 1) - 1;
    const int width = jump_column_width(fractions);
    jump_table_line heading{"     ", "", ""};
    for (uint32_t c = first_column; c <= last_column; c++)
        heading.cells += figure_column(shown_number(c), width);
    // Each title ends over the end of its figures: "Volume" over the size's
    // share, which follows the size, and "Self" over the share of runs
    // that stay in the node.
    heading.tail = f_or_n == graph_network
                       ? "    out  k"
                       : formatted("%5s%8s%22s%11s", "P", "J", "Volume", "Self");
    lines.push_back(heading);
    for (uint32_t r = first_row; r <= node_no; r++) {
        const uint64_t jumps = static_cast<uint64_t>(node_period[r]) * m_size;
        jump_table_line row;
        row.label += formatted("%4u:", shown_number(r));
        for (uint32_t c = first_column; c <= last_column; c++) {
            uint32_t w = basinjumps[r][c];
            if (fractions)
                row.cells += formatted("%*s", width, jump_fraction_cell(w, jumps, "    .").c_str());
            else if (w == 0)
                row.cells += formatted("%*s", width, ".");
            else
                row.cells += figure_column(w, width);
        }
        row.tail = row_tail(r, jumps);
        lines.push_back(row);
    }
    return lines;
}

uint32_t
jump_table_columns_within(char form, const jump_table_place &place, size_t chars)
{
    // Every cell of a table is one width: one column's worth of each line.
    std::vector<jump_table_line> lines = jump_table_lines(form, place, 1);
    if (lines.empty())
        return 1;
    size_t cell = lines[0].cells.size(), rest = 0;
    for (const jump_table_line &line : lines)
        rest = std::max(rest, line.label.size() + line.tail.size());
    if (cell == 0 || chars <= rest + cell)
        return 1;
    const uint32_t left = node_no - held(place.first_column) + 1;
    return static_cast<uint32_t>(std::min<size_t>((chars - rest) / cell, left));
}

std::string
jump_table_copy(const std::vector<jump_table_line> &lines)
{
    std::string text;
    for (const jump_table_line &line : lines)
        text += "\n" + line.label + line.cells + line.tail;
    return lines.empty() ? text : text + "\n";
}
