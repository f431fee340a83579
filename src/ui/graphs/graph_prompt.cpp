// The prompt area of the graph window (graph_prompt.h): the fitting font of
// its dialogs and the writing of their lines. Draws through the screen
// layer's prompt box and fonts.
#include "ui/graphs/graph_prompt.h"

#include <algorithm>

#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"

namespace {

// The top of the prompt box's first line.
constexpr int kTop = 5;

// The fitting font that lives now, for dialog_row.
const fitting_font *in_use = nullptr;

// Whether a prompt box of rows lines in the normal font reaches the text
// column's first line.
bool
reaches_text_column(int rows)
{
    return prompt_box_bottom(rows) >= text_column_top();
}

} // namespace

void
remove_menu()
{
    erase_prompt_box_above_column(kGraphMenuLines);
}

fitting_font::fitting_font(const std::vector<std::string> &lines, int rows, bool box_follows)
    : font_while(lines, box_follows && reaches_text_column(rows) ? -1 : prompt_box_text_room(),
                 {set_medium_font, set_small_font}),
      // The room of the rows in the font the box is drawn in.
      room_(box_lines_bottom(rows, box_follows ? CHeight : height_before(), WinMaxy) - 2 - kTop), rows_(rows),
      before_(in_use)
{
    in_use = this;
}

fitting_font::~fitting_font()
{
    in_use = before_;
}

int
fitting_font::row_top(int line) const
{
    int pitch = CHeight < height_before() ? std::max<int>(CHeight, room_ / rows_) : CHeight;
    return kTop + line * pitch;
}

void
dialog_row(int line)
{
    moveto(prompt_box_text(Maxx), in_use ? in_use->row_top(line) : kTop + line * CHeight);
}

void
put_text(const std::string &text)
{
    outtext(text.c_str());
}

prompt_end
show_graph_prompt(const std::vector<std::string> &lines)
{
    remove_menu();
    int colour = getcolor();
    std::vector<std::string> room = lines;
    room.back() += "0";
    fitting_font font(room, static_cast<int>(lines.size()), true);
    draw_prompt_box(static_cast<int>(lines.size()));
    setcolor(white);
    for (size_t i = 0; i < lines.size(); i++) {
        dialog_row(static_cast<int>(i));
        put_text(lines[i]);
    }
    prompt_end end{getx, gety};
    setcolor(colour);
    return end;
}

char
wait_graph_prompt_key(const prompt_end &at)
{
    moveto(at.x, at.y);
    flashing_cursor(entry_block(green));
    int key = keycheck(0);
    return key > 0 && key < 128 ? static_cast<char>(key) : 0;
}

std::vector<std::string>
prompt_lines(const std::string &title, const std::vector<key_help_line> &pieces)
{
    std::vector<key_help_line> all{{title, ""}};
    all.insert(all.end(), pieces.begin(), pieces.end());
    return help_lines(all);
}
