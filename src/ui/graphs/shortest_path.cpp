// The shortest paths of the graph window (shortest_path.h): the question
// of which paths, and the summary box. The computation is
// engine/graphs/shortest_paths.h; the lines are written in the prompt
// area's fitting font (graph_prompt.h).
#include "ui/graphs/shortest_path.h"

#include <string>
#include <vector>

#include "engine/graphs/shortest_paths.h"
#include "ui/graphs/graph_prompt.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"

namespace {

// Two lines in the prompt area, the first in lightred, the point left at
// the end of the second, and one key read.
char
two_line_box(const std::string &first, const std::string &second)
{
    remove_menu();
    int colour = getcolor();
    {
        // Room for the echo of the key after the second line.
        fitting_font font({first, second + "0"}, 2);
        font.draw_box();
        setcolor(lightred);
        dialog_row(0);
        put_text(first);
        setcolor(white);
        dialog_row(1);
        put_text(second);
        input_string(1, single_key_entry);
    }
    setcolor(colour);
    remove_menu();
    return is[0];
}

} // namespace

void
shortest_path(char mode)
{
    std::string summary = path_summary(mode, shortest_path_totals(mode));
    two_line_box(summary, "cont-ret:");
}

void
shortest_path_dialog()
{
    char key = two_line_box("shortest path (or small world distance) between all pairs of nodes",
                            "directed shortest path -p, non-directed distance-d:");
    if (key == paths_directed || key == paths_undirected)
        shortest_path(key);
}
