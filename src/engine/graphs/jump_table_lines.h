// The jump table of the open graph (globals.h) as the graph window scans
// it: a heading of node numbers, then a row per node with its link weights
// to the columns shown, as numbers or as fractions of the node's jumps, and
// the node's own figures (the meta-graph's period P, jumps J, size and the
// share of runs that stay in the node; the network graph's out-degree and
// k). The window draws each piece of a line in its colour and clips it;
// the copy to standard error puts the same lines one after another.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The two forms of the table, as the graph window's keys name them.
constexpr char jump_table_numbers = 't';
constexpr char jump_table_fractions = 'T';

// The first row and column shown, node numbers 1..node_no.
struct jump_table_place {
    uint32_t first_row = 1;
    uint32_t first_column = 1;
};
// The place moved by `by` rows or columns, held within 1..node_no.
void scroll_table_rows(jump_table_place &place, int by);
void scroll_table_columns(jump_table_place &place, int by);

// One line of the table: its label, the cells of the columns shown, and
// the node's own figures (for the heading, their titles).
struct jump_table_line {
    std::string label;
    std::string cells;
    std::string tail;
};
// The heading (a label of five blanks, then per column shown the node
// number, the cell number node - 1 in the network graph) and the rows from
// the place's first row on, each labelled "%4d:". Every column is
// jump_column_width wide (jump_table_text.h); cells: numbers "." for 0,
// fractions "." for 0 else as jump_fraction_cell. Empty without links. At
// most most_columns columns are shown (at least one), the node's own
// figures after the last.
std::vector<jump_table_line> jump_table_lines(char form, const jump_table_place &place,
                                              uint32_t most_columns = UINT32_MAX);
// The most columns from the place's first column on (no more than are
// left) whose lines are each at most chars characters long, their labels
// and the nodes' own figures included; at least one, however narrow chars.
uint32_t jump_table_columns_within(char form, const jump_table_place &place, size_t chars);
// The lines as copied to standard error: each one "\n", label, cells, tail;
// a last "\n" ends the last line.
std::string jump_table_copy(const std::vector<jump_table_line> &lines);
