// The jump table in the graph window: the link weights of the open graph
// as a table scrolled by keys (engine/graphs/jump_table_lines.h), in a font
// chosen by the number of nodes or a smaller one so that its lines fit
// across the window (then as many columns as fit), copied to standard
// error whole on request. Its
// keys are a key table whose rows give both the prompt's text and what
// each key does.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/graphs/graph_layouts.h"
#include "engine/graphs/jump_table_lines.h"
#include "ui/screen/fonts.h"
#include "ui/screen/key_table.h"

// What the table works with while it is shown.
struct table_view {
    char form = jump_table_numbers; // 't' numbers or 'T' fractions
    graph_frame frame{};
    jump_table_place place;
};

// Shows the table of the open graph (it needs links; without them returns
// at once) in the graph window until a key other than its own; the
// prompt area is left as under the menu and the window for the caller to
// draw again.
void show_table(char form, const graph_frame &frame);

// The fixed-width font of a table of `nodes` rows: the normal one up to
// 13, the medium one from 14 to 18, the small one above.
font_use jump_table_font(uint32_t nodes);

// The prompt's pieces and line, and every key of its table.
std::vector<key_help_line> table_prompt_pieces();
std::string table_prompt_line();
std::string table_keys();
// Whether key acts at the table's prompt.
bool table_key_acts(char key);
// Runs the row of key on the view as the table does, without drawing
// ('j' asks its two questions in the prompt area); false when the key
// leaves the table.
bool table_key_command(table_view &v, char key, bool &copy);
