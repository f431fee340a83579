// Graph layout files (graph_layout_file.h): the node positions saved whole,
// and a file checked whole before it replaces them, its nodes kept inside
// the graph window. Reads and writes
// basin_pos and node_no (engine/graphs); the byte layout is
// engine/storage/graph_layout_codec.h; the dialog and file conventions are
// ui/storage. Start at save_load_graph_layout.
#include "ui/graphs/graph_layout_file.h"

#include <cstdio>
#include <vector>

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_moves.h"
#include "engine/storage/graph_layout_codec.h"
#include "engine/storage/length_faults.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/load_refusal.h"

bool
save_graph_layout_file(const char *name)
{
    if (!basin_pos)
        return file_refused(name);
    std::vector<uint8_t> out;
    encode_graph_layout(basin_pos, node_no, out);
    return write_or_refuse(name, out.data(), out.size());
}

bool
load_graph_layout_file(const char *name, const graph_frame &frame)
{
    // A layout of another graph is read, to be refused for its length.
    std::vector<uint8_t> in;
    if (!basin_pos || !read_file(name, in, static_cast<size_t>(largest_graph_layout_file())))
        return file_refused(name);
    if (!decode_graph_layout(in.data(), in.size(), basin_pos, node_no))
        return file_refused(name, graph_layout_length_fault(in.size(), node_no));
    uint32_t moved = place_nodes_inside(frame);
    if (moved > 0) {
        char text[120];
        snprintf(text, sizeof text, "%u node%s outside the window placed at its edge, cont-ret:",
                 moved, moved == 1 ? "" : "s");
        show_refusal(text, refusal_place::box_erased);
    }
    return true;
}

int
save_load_graph_layout(char key, const graph_frame &frame)
{
    if (key != 's' && key != 'l')
        return 1;
    bool save = key == 's';
    if (!choose_file(save ? "SAVE" : "LOAD", "GRAPH LAYOUT", "*.grh", "my_grh"))
        return save ? 1 : 0;
    if (save) {
        save_graph_layout_file(filename);
        return 1;
    }
    return load_graph_layout_file(filename, frame) ? 1 : 0;
}
